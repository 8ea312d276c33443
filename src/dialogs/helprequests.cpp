#include "helprequests.h"

HelpRequests::HelpRequests(ViewerFactory makeViewer)
    : m_makeViewer(std::move(makeViewer))
{
}

HelpRequests::~HelpRequests() = default;

bool HelpRequests::request(int context)
{
    if (!m_viewer)
        m_viewer = m_makeViewer();
    if (m_viewer->isOpen() && m_lastContext == context) {
        m_viewer->bringToFront();
        return true;
    }
    m_lastContext = context;
    return m_viewer->showTopic(context);
}

void HelpRequests::quit()
{
    if (m_viewer)
        m_viewer->quit();
}
