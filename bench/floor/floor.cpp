// The floor: the least a Qt program can do to list the installed families, each drawn in its own
// font. Glyphor's figures are compared with this program's.

#include "benchprobe.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLineEdit>
#include <QListView>
#include <QSortFilterProxyModel>
#include <QStringListModel>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace {

class FamilyDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    int pointSize = 12;

protected:
    // Each line shows its family's name in that family.
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->font = QFont(option->text, pointSize);
        option->fontMetrics = QFontMetrics(option->font);
    }
};

// The naive filter: the typed text as a wildcard over the names, and for "can write the sample"
// each family's font asked for each character.
class FamilyFilter : public QSortFilterProxyModel
{
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    QString sample = QStringLiteral("azertyuiopQSDFGHJKLMéèàùêîâ@1234567890");
    bool canWriteOnly = false;
    void refilter() { invalidateFilter(); }

protected:
    bool filterAcceptsRow(int row, const QModelIndex &parent) const override
    {
        if (!QSortFilterProxyModel::filterAcceptsRow(row, parent))
            return false;
        if (!canWriteOnly)
            return true;
        const QFontMetrics metrics(QFont(sourceModel()->index(row, 0, parent).data().toString()));
        for (const char32_t c : sample.toUcs4()) {
            if (!QChar::isSpace(c) && !metrics.inFontUcs4(c))
                return false;
        }
        return true;
    }
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    BenchProbe::applicationReady(app);

    QStringListModel model(QFontDatabase::families());
    FamilyFilter shown;
    shown.setSourceModel(&model);
    shown.setFilterCaseSensitivity(Qt::CaseInsensitive);
    FamilyDelegate delegate;
    // The list under a filter field the text is typed into, as any program with a filter has.
    QWidget window;
    window.setWindowTitle(QStringLiteral("glyphor-floor"));
    QLineEdit filter;
    QListView view;
    auto *layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(&filter);
    layout->addWidget(&view);
    QObject::connect(&filter, &QLineEdit::textChanged, &shown,
                     &QSortFilterProxyModel::setFilterWildcard);
    view.setUniformItemSizes(true);
    view.setItemDelegate(&delegate);
    view.setModel(&shown);
    window.resize(472, 382 + filter.sizeHint().height());

    // The floor has no sample string: a new sample costs it a repaint of the visible lines; a new
    // size, the new line height and a repaint.
    BenchProbe::Target target;
    target.list = &view;
    target.applySample = [&] {
        view.viewport()->repaint();
    };
    target.applySampleOfNewCharacters = [&] {
        shown.sample = QStringLiteral("Voix ambiguë d'un cœur qui préfère les kiwis");
        if (shown.canWriteOnly)
            shown.refilter();
        view.viewport()->repaint();
    };
    target.applySize = [&] {
        delegate.pointSize = 20;
        view.doItemsLayout();
        view.viewport()->repaint();
    };
    target.typeFilter = [&](const QString &text) {
        filter.setText(text);
    };
    target.toggleCanWrite = [&] {
        shown.canWriteOnly = !shown.canWriteOnly;
        shown.refilter();
    };
    BenchProbe::windowCreated(window, target);
    window.show();
    return app.exec();
}
