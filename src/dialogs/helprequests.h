#pragma once

#include "helpviewer.h"

#include <functional>
#include <memory>
#include <optional>

// The program's help requests by context number (1 main window, 2 about Glyphor, 6 HTML export).
// Every window asks through the one instance its main window owns. A request for the topic last
// asked for, while the viewer is still open, leaves the viewer's page alone (the user may have
// moved on inside it) and only brings it to the front.
class HelpRequests
{
public:
    using ViewerFactory = std::function<std::unique_ptr<HelpViewer>()>;

    // The viewer is made at the first request, so that a run without help never builds it.
    explicit HelpRequests(ViewerFactory makeViewer);
    ~HelpRequests();

    static constexpr int MainWindowTopic = 1;
    static constexpr int AboutTopic = 2;
    static constexpr int HtmlExportTopic = 6;

    // Whether the help could be shown. No caller needs it today.
    bool request(int context);
    // Closes the viewer, as the program does when its main window closes.
    void quit();

    HelpViewer *viewer() const { return m_viewer.get(); }

private:
    ViewerFactory m_makeViewer;
    std::unique_ptr<HelpViewer> m_viewer;
    std::optional<int> m_lastContext;
};
