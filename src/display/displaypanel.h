#pragma once

#include "displaystate.h"

class ColorGrid;
class ColourChooser;
class SizeField;
class QPushButton;
class QWidget;

// The bottom panel's display controls: they change the display state, and show it whoever
// changed it: bold, italic and underline as "G!", "I!", "S!" and checked while on; the colour
// grid's markers on the cells of the state's colours (none for a colour of no cell); the size
// field at the state's size.
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
        QPushButton *chooseText; // "T+"
        QPushButton *chooseBackground; // "F+"
    };

    // window: the parent of the colour chooser.
    DisplayPanel(DisplayState &state, Controls controls, QWidget *window);

private:
    void GRASClick();
    void italClick();
    void soulClick();
    // The grid's left click sets the text colour, its right click the background.
    void ColorGrid1Change();
    void TPlusClick();
    void FPlusClick();

    void follow(DisplayState::Aspects what);

    DisplayState &m_state;
    Controls m_controls;
    ColourChooser *m_chooser;
};
