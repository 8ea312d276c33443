#include "glyphorprogram.h"

#include "application.h"
#include "settings.h"
#include "tapropos.h"
#include "teform1.h"
#include "tgenhtml.h"

#include <QApplication>

int runGlyphor(int &argc, char **argv, const GlyphorHooks &hooks)
{
    QApplication app(argc, argv);
    if (hooks.applicationReady)
        hooks.applicationReady(app);
    Application::setUp(app);

    TEForm1 EForm1(QApplication::arguments(), Settings::filePath());
    // Made hidden now and kept for the run; the main window owns it.
    EForm1.APropos = new TAPropos(EForm1.Version, EForm1.help(), &EForm1);
    EForm1.GenHTML
        = new TGenHTML(EForm1.htmlPageSource(), EForm1.CheminButineur, EForm1.help(), &EForm1);
    if (hooks.windowCreated)
        hooks.windowCreated(EForm1);
    EForm1.show();
    return QApplication::exec();
}
