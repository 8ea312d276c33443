#pragma once

#include "helpviewer.h"

#include <functional>
#include <memory>
#include <optional>

// The help's topics, by the context numbers the program has always asked for them with, and the
// pages that hold them.
struct HelpTopic
{
    int context;
    const char *page;
};
inline constexpr HelpTopic HelpTopics[] = {
    {1, "qrc:/help/fenetre.html"}, // the main window
    {2, "qrc:/help/apropos.html"}, // about Glyphor
    {6, "qrc:/help/pagehtml.html"}, // the HTML page dialog
};

// The program's help requests by context number.
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

    static constexpr int MainWindowTopic = HelpTopics[0].context;
    static constexpr int AboutTopic = HelpTopics[1].context;
    static constexpr int HtmlExportTopic = HelpTopics[2].context;

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
