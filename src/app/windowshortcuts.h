#pragma once

#include <QObject>

#include <functional>

class QAbstractButton;
class QWidget;
class SizeField;

// The main window's keyboard shortcuts (Ctrl+Q, Ctrl+P, Ctrl+H, F1, Ctrl+F, Ctrl+T, Ctrl+plus,
// Ctrl+minus, Ctrl+0, Ctrl+B, Ctrl+I, Ctrl+U; in the list Ctrl+C, Insert, Alt+Enter; Ctrl+Tab and
// Ctrl+Page Down), each named in its control's tooltip. The keys click the window's buttons or
// call the window's actions; this owns the keys and the tooltip lines.
class WindowShortcuts : public QObject
{
    Q_OBJECT

public:
    // The controls the keys click and whose tooltips name them.
    struct Controls
    {
        QAbstractButton *quit;
        QAbstractButton *print;
        QAbstractButton *html;
        QAbstractButton *help;
        QWidget *filterField;
        QAbstractButton *typography; // opens and closes the "Typographie" panel
        SizeField *size;
        QAbstractButton *bold;
        QAbstractButton *italic;
        QAbstractButton *underline;
        QWidget *list;
    };
    // What the keys do that no button does.
    struct Actions
    {
        std::function<void()> help;
        std::function<void()> find;
        std::function<void()> copyName;
        std::function<void()> favourite;
        std::function<void()> details;
        std::function<void()> otherPage;
        // Bold, italic and underline act on the Lines page only.
        std::function<bool()> linesPageShown;
    };

    WindowShortcuts(QWidget *window, const Controls &controls, const Actions &actions);
};
