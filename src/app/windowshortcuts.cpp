// The main window's keyboard shortcuts: those a user of any desktop program tries first, and the
// tooltip lines that name them.
#include "windowshortcuts.h"

#include "displaystate.h"
#include "errorreport.h"
#include "sizefield.h"

#include <QAbstractButton>
#include <QSet>
#include <QShortcut>

namespace {

struct Shortcut
{
    // The first keys are the ones a tooltip names; the others do the same.
    QList<QKeySequence> keys;
    // Acts while this widget has the focus; none: anywhere in the window.
    QWidget *scope;
    // The control whose tooltip names the keys; none where no tooltip is the control's own.
    QWidget *named;
    std::function<void()> action;
};

// The keys' work handed to a button, as a click on it would.
std::function<void()> clickOn(QAbstractButton *button)
{
    return [button] {
        if (button->isEnabled() && button->isVisible())
            button->click();
    };
}

QKeySequence ctrl(int key)
{
    return QKeySequence(Qt::CTRL | key);
}

} // namespace

WindowShortcuts::WindowShortcuts(QWidget *window, const Controls &controls, const Actions &actions)
    : QObject(window)
{
    const auto onLinesPage = [linesPageShown = actions.linesPageShown](QAbstractButton *button) {
        return [linesPageShown, button] {
            if (linesPageShown())
                button->click();
        };
    };
    SizeField *size = controls.size;

    // The keys themselves rather than the desktop theme's standard keys (but for Find and Copy):
    // the help lists them, and some themes have none for quitting.
    const Shortcut shortcuts[] = {
        {{ctrl(Qt::Key_Q)}, nullptr, controls.quit, clickOn(controls.quit)},
        {{ctrl(Qt::Key_P)}, nullptr, controls.print, clickOn(controls.print)},
        {{ctrl(Qt::Key_H)}, nullptr, controls.html, clickOn(controls.html)},
        {{QKeySequence(Qt::Key_F1)}, nullptr, controls.help, actions.help},
        // The Lines page, the focus in the filter field.
        {{QKeySequence(QKeySequence::Find)}, nullptr, controls.filterField, actions.find},
        {{ctrl(Qt::Key_T)}, nullptr, controls.typography, clickOn(controls.typography)},
        // The size field takes the new size as if typed, and applies it by its own rules.
        {{ctrl(Qt::Key_Plus), ctrl(Qt::Key_Equal)},
         nullptr,
         size,
         [size] {
             size->stepBy(1);
         }},
        {{ctrl(Qt::Key_Minus)},
         nullptr,
         size,
         [size] {
             size->stepBy(-1);
         }},
        {{ctrl(Qt::Key_0)},
         nullptr,
         size,
         [size] {
             size->setValue(DisplayState::DefaultSize);
         }},
        // Bold, italic and underline as their buttons, on the Lines page.
        {{ctrl(Qt::Key_B)}, nullptr, controls.bold, onLinesPage(controls.bold)},
        {{ctrl(Qt::Key_I)}, nullptr, controls.italic, onLinesPage(controls.italic)},
        {{ctrl(Qt::Key_U)}, nullptr, controls.underline, onLinesPage(controls.underline)},
        // In the list, on the selected family: copy its name (as the list menu's "Copier nom de
        // la fonte"), mark it a favourite, open its details.
        {{QKeySequence(QKeySequence::Copy)}, controls.list, nullptr, actions.copyName},
        {{QKeySequence(Qt::Key_Insert)}, controls.list, nullptr, actions.favourite},
        {{QKeySequence(Qt::ALT | Qt::Key_Return), QKeySequence(Qt::ALT | Qt::Key_Enter)},
         controls.list,
         nullptr,
         actions.details},
        // The other page, from anywhere in the window.
        {{ctrl(Qt::Key_Tab), ctrl(Qt::Key_PageDown),
          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), ctrl(Qt::Key_Backtab),
          ctrl(Qt::Key_PageUp)},
         nullptr,
         nullptr,
         actions.otherPage},
    };

    QSet<QWidget *> withKeys;
    for (const Shortcut &shortcut : shortcuts) {
        for (const QKeySequence &keys : shortcut.keys) {
            auto *made = shortcut.scope ? new QShortcut(keys, shortcut.scope, nullptr, nullptr,
                                                        Qt::WidgetWithChildrenShortcut)
                                        : new QShortcut(keys, window);
            connect(made, &QShortcut::activated, this,
                    [action = shortcut.action] { ErrorReport::guard(action); });
        }
        // A line under the control's own text; the keys of its other shortcuts on the same line.
        if (QWidget *control = shortcut.named) {
            const QString separator
                = withKeys.contains(control) ? QStringLiteral(" / ") : QStringLiteral("\n");
            control->setToolTip(control->toolTip() + separator
                                + shortcut.keys.first().toString(QKeySequence::NativeText));
            withKeys.insert(control);
        }
    }
}
