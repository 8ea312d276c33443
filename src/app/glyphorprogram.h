#pragma once

#include <functional>

class QApplication;
class QWidget;

// The program from its entry to its end. The hooks let a benchmark watch the real start-up:
// applicationReady runs once the QApplication exists, before Glyphor sets it up and creates its
// main window; windowCreated runs once the main window exists, before the event loop starts.
struct GlyphorHooks
{
    std::function<void(QApplication &)> applicationReady;
    std::function<void(QWidget &)> windowCreated;
};

int runGlyphor(int &argc, char **argv, const GlyphorHooks &hooks = {});
