#include "application.h"

#include "productinfo.h"

#include "glyphorstyle.h"
#include "uifonts.h"

#include <QApplication>
#include <QIcon>
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
    // The desktop entry's id: window managers and compositors match the windows to the entry and
    // its icon by it.
    QApplication::setDesktopFileName(ProductInfo::appId());
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/glyphor-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);
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
