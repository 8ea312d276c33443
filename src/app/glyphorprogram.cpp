#include "glyphorprogram.h"

#include "application.h"
#include "settings.h"
#include "teform1.h"

#include <QApplication>

int runGlyphor(int &argc, char **argv, const GlyphorHooks &hooks)
{
    QApplication app(argc, argv);
    if (hooks.applicationReady)
        hooks.applicationReady(app);
    Application::setUp(app);

    TEForm1 EForm1(QApplication::arguments(), Settings::filePath());
    if (hooks.windowCreated)
        hooks.windowCreated(EForm1);
    EForm1.show();
    return QApplication::exec();
}
