#pragma once

#include "detailswindow.h"

#include <QObject>
#include <QPointer>

#include <optional>

// The details window of the font list's selected family: built at the first request (most runs
// never open it) and placed beside the list, then following the user's selection while shown.
// The list's menu and a double click on a line ask for it on the tab it shows.
class ListDetails : public QObject
{
    Q_OBJECT

public:
    // window: the details window's parent.
    ListDetails(const FontCatalog &catalog, const DisplayState &state, const FontIndex *index,
                FontListView &list, QWidget *window);
    // The details window goes with it: it draws from the catalogue given.
    ~ListDetails() override;

    // The selected family's details, on a tab or the one shown; nothing without a selection.
    void show(std::optional<DetailsWindow::Tab> tab = std::nullopt);

private:
    void followSelection();

    const FontCatalog &m_catalog;
    const DisplayState &m_state;
    const FontIndex *m_index;
    FontListView &m_list;
    QWidget *m_parent;
    QPointer<DetailsWindow> m_window;
};
