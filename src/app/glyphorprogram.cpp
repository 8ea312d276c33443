#include "glyphorprogram.h"

#include "application.h"
#include "commandline.h"
#include "errorreport.h"
#include "fontsources.h"
#include "productinfo.h"
#include "qtfonts.h"
#include "settings.h"
#include "tappinstances.h"
#include "teform1.h"
#include "uifonts.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

int runGlyphor(int &argc, char **argv, const GlyphorHooks &hooks)
{
    // Questions about the program are answered without starting it.
    switch (CommandLine::request(argc, argv)) {
    case CommandLine::Request::Help:
        std::fputs(CommandLine::usageText(Settings::filePath()).toUtf8().constData(), stdout);
        return 0;
    case CommandLine::Request::Version:
        std::puts(ProductInfo::version().toUtf8().constData());
        return 0;
    case CommandLine::Request::Start:
        break;
    }
    // Taken before the toolkit starts, which may use it up for a window of its own.
    const QByteArray activationToken = qgetenv("XDG_ACTIVATION_TOKEN");
    // Qt reads fontconfig's current configuration as it starts: it is given the windows' fonts
    // only, the list reads all of them itself.
    QtFonts::useWindowFontsOnly(UiFonts::windowFamilies());
    QApplication app(argc, argv);
    if (hooks.applicationReady)
        hooks.applicationReady(app);
    Application::setUp(app);

    // One copy per program file, decided before the settings are read and before any window or
    // tray icon exists: a rejected start shows nothing and touches nothing.
    std::unique_ptr<TAppInstances> AppInstances1;
    try {
        // Font files named from this start's folder reach the running copy by their full path.
        QStringList arguments = QApplication::arguments();
        if (const QStringList files = FontSources::fontPathsIn(arguments.mid(1)); !files.isEmpty())
            arguments = QStringList {arguments.first()} + files;
        AppInstances1 = TAppInstances::forThisProgram(arguments, activationToken);
    } catch (const std::exception &error) {
        ErrorReport::show(error);
        return 1;
    }
    if (!AppInstances1->CheckInstanceLimit())
        return 0;

    TEForm1 EForm1(QApplication::arguments(), Settings::filePath());
    EForm1.connectInstances(*AppInstances1);
    // Left as soon as the loop ends: a start from then on no longer finds this copy.
    QObject::connect(&app, &QCoreApplication::aboutToQuit, AppInstances1.get(),
                     &TAppInstances::leave);
    if (hooks.windowCreated)
        hooks.windowCreated(EForm1);
    EForm1.show();
    // Fallback fonts for text typed into the sample box, once the window is up and idle.
    QTimer::singleShot(std::chrono::seconds(2), &app, &QtFonts::addFallbacks);
    return QApplication::exec();
}
