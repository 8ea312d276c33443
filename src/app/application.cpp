#include "application.h"

#include "glyphorstyle.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QPalette>
#include <QToolTip>
#include <QTranslator>

namespace Application {

namespace {

void loadFrenchTranslations(QApplication &app)
{
    auto *translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
    else
        delete translator;
}

// "MS Sans Serif" and "MS Serif" have no metric-compatible font on Linux and would fall back to
// the much wider DejaVu; these keep every caption within its bounds.
void substituteWindowsFonts()
{
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    QFont::insertSubstitutions(
        QStringLiteral("MS Serif"),
        {QStringLiteral("Liberation Serif"), QStringLiteral("Times New Roman")});
    QFont::insertSubstitutions(QStringLiteral("Courier"),
                               {QStringLiteral("Liberation Mono"), QStringLiteral("Courier New")});
}

} // namespace

void setUp(QApplication &app)
{
    // The title of message boxes; no display name, which Qt would append to window captions.
    QApplication::setApplicationName(QStringLiteral("Glyphor"));
    QApplication::setDesktopFileName(QStringLiteral("glyphor"));
    loadFrenchTranslations(app);
    substituteWindowsFonts();

    auto *style = new GlyphorStyle;
    style->setTooltipDelay(100);
    QApplication::setStyle(style);

    QPalette tips = QToolTip::palette();
    tips.setColor(QPalette::ToolTipBase, Qt::yellow);
    tips.setColor(QPalette::ToolTipText, Qt::black);
    QToolTip::setPalette(tips);
}

} // namespace Application
