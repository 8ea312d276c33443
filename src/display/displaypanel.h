#pragma once

#include "displaystate.h"

class ColorGrid;
class SizeField;
class QPushButton;

// The bottom panel's display controls show the display state, whoever changed it: bold, italic
// and underline as "G!", "I!", "S!" and checked while on; the colour grid's markers on the cells
// of the state's colours (none for a colour of no cell); the size field at the state's size.
class DisplayPanel : public QObject
{
    Q_OBJECT

public:
    struct Controls
    {
        QPushButton *bold;
        QPushButton *italic;
        QPushButton *underline;
        ColorGrid *colours;
        SizeField *size;
    };

    DisplayPanel(const DisplayState &state, Controls controls, QObject *parent = nullptr);

private:
    void follow(DisplayState::Aspects what);

    const DisplayState &m_state;
    Controls m_controls;
};
