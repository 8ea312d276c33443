// Glyphor itself, with the benchmark's probe attached through the program's start-up hooks.

#include "benchprobe.h"
#include "glyphorprogram.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QToolButton>

namespace {

template<typename T> T *child(QWidget &window, const char *name)
{
    T *widget = window.findChild<T *>(QLatin1String(name));
    if (!widget)
        BenchProbe::fail(QLatin1String("no ") + QLatin1String(name)
                         + QLatin1String(" in the window"));
    return widget;
}

// Types into the size field as a person would: the program applies the size at once.
void typeSize(QAbstractSpinBox *field)
{
    QLineEdit *edit = field->findChild<QLineEdit *>();
    if (!edit)
        BenchProbe::fail(QStringLiteral("no editor in SpinEdit1"));
    edit->setText(edit->text() == QLatin1String("20") ? QStringLiteral("24")
                                                      : QStringLiteral("20"));
}

} // namespace

int main(int argc, char **argv)
{
    GlyphorHooks hooks;
    if (BenchProbe::enabled()) {
        hooks.applicationReady = BenchProbe::applicationReady;
        hooks.windowCreated = [](QWidget &window) {
            auto *sample = child<QComboBox>(window, "txtEdit");
            auto *valid = child<QAbstractButton>(window, "valid");
            auto *size = child<QAbstractSpinBox>(window, "SpinEdit1");
            BenchProbe::Target target;
            target.list = child<QAbstractItemView>(window, "ListBox1");
            // The start-up sample's own characters in another order: what the apply step costs
            // beyond drawing glyphs for the first time.
            target.applySample = [=] {
                sample->setEditText(QStringLiteral("QSDFGHJKLM@0987654321poiuytrezaâîêùàèé"));
                valid->click();
            };
            target.applySampleOfNewCharacters = [=] {
                sample->setEditText(QStringLiteral("Voix ambiguë d'un cœur qui préfère les kiwis"));
                valid->click();
            };
            target.applySize = [=] {
                typeSize(size);
            };
            auto *filter = child<QLineEdit>(window, "Filtre");
            auto *canWrite = child<QToolButton>(window, "PeutEcrire");
            target.typeFilter = [=](const QString &text) {
                filter->setText(text);
            };
            target.toggleCanWrite = [=] {
                canWrite->click();
            };
            auto *languages = child<QMenu>(window, "Langues");
            auto *languageList = child<QListWidget>(window, "ListeLangues");
            auto *properties = child<QMenu>(window, "Proprietes");
            auto *favouritesOnly = child<QAction>(window, "FavorisSeulement");
            auto *favourite = child<QAction>(window, "Favori");
            QAbstractItemView *list = target.list;
            target.openLanguageList = [=] {
                Q_EMIT languages->aboutToShow();
            };
            // French: every font of the corpus writes it, so the whole list is tested and shown.
            target.chooseLanguage = [=](bool on) {
                for (int row = 0; row < languageList->count(); ++row) {
                    QListWidgetItem *item = languageList->item(row);
                    if (item->data(Qt::UserRole).toString() == QLatin1String("fr"))
                        item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
                }
            };
            target.chooseProperty = [=](bool on) {
                properties->actions().value(0)->setChecked(on); // "Chasse fixe"
            };
            // Twenty favourites, marked as a user marks them.
            target.markFavourites = [=] {
                for (int row = 1; row <= 20; ++row) {
                    list->setCurrentIndex(list->model()->index(row * 7, 0));
                    favourite->trigger();
                }
            };
            target.favouritesOnly = [=](bool on) {
                favouritesOnly->setChecked(on);
            };
            BenchProbe::windowCreated(window, target);
        };
    }
    return runGlyphor(argc, argv, hooks);
}
