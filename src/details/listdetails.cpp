#include "listdetails.h"

#include "errorreport.h"
#include "fontlistview.h"

ListDetails::ListDetails(const FontCatalog &catalog, const DisplayState &state,
                         const FontIndex *index, FontListView &list, QWidget *window)
    : QObject(window)
    , m_catalog(catalog)
    , m_state(state)
    , m_index(index)
    , m_list(list)
    , m_parent(window)
{
    const auto onTabShown = [this] {
        ErrorReport::guard([this] { show(); });
    };
    connect(&list, &FontListView::detailsChosen, this, onTabShown);
    connect(&list, &QAbstractItemView::doubleClicked, this, onTabShown);
    connect(&list, &FontListView::selectionMadeByUser, this, &ListDetails::followSelection);
}

ListDetails::~ListDetails()
{
    delete m_window;
}

void ListDetails::show(std::optional<DetailsWindow::Tab> tab)
{
    const int entry = m_list.selectedRow();
    if (entry < 0)
        return;
    if (!m_window) {
        m_window = new DetailsWindow(m_catalog, m_state, m_index, m_parent);
        m_window->placeBeside(m_list);
    }
    m_window->setFamily(m_list.familyAt(entry));
    if (tab)
        m_window->showTab(*tab);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void ListDetails::followSelection()
{
    if (m_window && m_window->isVisible())
        ErrorReport::guard([this] { m_window->setFamily(m_list.familyAt(m_list.selectedRow())); });
}
