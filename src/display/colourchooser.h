#pragma once

#include "colorref.h"

#include <QObject>

#include <optional>

class QColorDialog;
class QWidget;

// The colour chooser behind "T+" and "F+": the desktop's colour dialog in French, built at first
// use (a large dialog most runs never open), its custom colours unset at start and kept for the
// run.
class ColourChooser : public QObject
{
    Q_OBJECT

public:
    // window: the dialog's parent.
    explicit ColourChooser(QWidget *window);

    // The colour chosen from `current`, or none when the dialog is cancelled.
    std::optional<ColorRef> choose(ColorRef current);

private:
    QWidget *m_window;
    QColorDialog *Couleurs = nullptr;
};
