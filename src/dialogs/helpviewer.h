#pragma once

// Whatever shows the help topics. HelpRequests decides when to ask it for a topic; the viewer
// only shows what it is asked for.
class HelpViewer
{
public:
    virtual ~HelpViewer() = default;

    // Whether its window is on screen.
    virtual bool isOpen() const = 0;
    // Shows the topic of a context number; false when it has no such topic.
    virtual bool showTopic(int context) = 0;
    // Brings its window to the front, on the page it shows.
    virtual void bringToFront() = 0;
    virtual void quit() = 0;
};
