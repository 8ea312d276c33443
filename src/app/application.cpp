#include "application.h"

#include "glyphorstyle.h"
#include "uifonts.h"

#include <QApplication>
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

} // namespace

void setUp(QApplication &app)
{
    // The title of message boxes; no display name, which Qt would append to window captions.
    QApplication::setApplicationName(QStringLiteral("Glyphor"));
    QApplication::setDesktopFileName(QStringLiteral("glyphor"));
    loadFrenchTranslations(app);

    // The windows' own font for every widget, even those built before their window's font is
    // set: an unresolved default would make Qt search every installed font.
    QApplication::setFont(UiFonts::pixelFont(QStringLiteral("MS Sans Serif"), 13));

    auto *style = new GlyphorStyle;
    style->setTooltipDelay(100);
    QApplication::setStyle(style);

    QPalette tips = QToolTip::palette();
    tips.setColor(QPalette::ToolTipBase, Qt::yellow);
    tips.setColor(QPalette::ToolTipText, Qt::black);
    QToolTip::setPalette(tips);
}

} // namespace Application
