// The main window's keyboard shortcuts: those a user of any desktop program tries first, and the
// tooltip lines that name them.
#include "teform1.h"
#include "ui_teform1.h"

#include "displaystate.h"
#include "filterbar.h"
#include "fontlistview.h"

#include <QLineEdit>
#include <QSet>
#include <QShortcut>

#include <functional>

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

} // namespace

void TEForm1::setUpShortcuts()
{
    const auto guarded = [](const std::function<void()> &action) -> std::function<void()> {
        return [action] {
            ErrorReport::guard(action);
        };
    };
    const auto handler = [this](void (TEForm1::*slot)()) -> std::function<void()> {
        return [this, slot] {
            (this->*slot)();
        };
    };
    const auto onLinesPage = [this](QAbstractButton *button) -> std::function<void()> {
        return [this, button] {
            if (linesPageShown())
                button->click();
        };
    };
    const auto ctrl = [](int key) {
        return QKeySequence(Qt::CTRL | key);
    };

    // The keys themselves rather than the desktop theme's standard keys (but for Find and Copy):
    // the help lists them, and some themes have none for quitting.
    const Shortcut shortcuts[] = {
        {{ctrl(Qt::Key_Q)}, nullptr, ui->Quitter, clickOn(ui->Quitter)},
        {{ctrl(Qt::Key_P)}, nullptr, ui->SpeedButton1, clickOn(ui->SpeedButton1)},
        {{ctrl(Qt::Key_H)}, nullptr, ui->GenererrHTML, clickOn(ui->GenererrHTML)},
        {{QKeySequence(Qt::Key_F1)}, nullptr, ui->Aide, guarded(handler(&TEForm1::AideClick))},
        // The Lines page, the focus in the filter field.
        {{QKeySequence(QKeySequence::Find)},
         nullptr,
         m_filterBar->field(),
         [this] {
             ui->NPage->setCurrentIndex(0);
             m_filterBar->focusField();
         }},
        // The size field takes the new size as if typed, and applies it by its own rules.
        {{ctrl(Qt::Key_Plus), ctrl(Qt::Key_Equal)}, nullptr, ui->SpinEdit1, guarded([this] {
             ui->SpinEdit1->stepBy(1);
         })},
        {{ctrl(Qt::Key_Minus)}, nullptr, ui->SpinEdit1, guarded([this] {
             ui->SpinEdit1->stepBy(-1);
         })},
        {{ctrl(Qt::Key_0)}, nullptr, ui->SpinEdit1, guarded([this] {
             ui->SpinEdit1->setValue(DisplayState::DefaultSize);
         })},
        // Bold, italic and underline as their buttons, on the Lines page.
        {{ctrl(Qt::Key_B)}, nullptr, ui->gras, onLinesPage(ui->gras)},
        {{ctrl(Qt::Key_I)}, nullptr, ui->ital, onLinesPage(ui->ital)},
        {{ctrl(Qt::Key_U)}, nullptr, ui->soul, onLinesPage(ui->soul)},
        // In the list, on the selected family: copy its name (as the menu's "Copier nom de la
        // fonte"), mark it a favourite, open its details.
        {{QKeySequence(QKeySequence::Copy)},
         ui->ListBox1,
         nullptr,
         [this] {
             ui->ListBox1->Copiernomdelafonte1Click();
         }},
        {{QKeySequence(Qt::Key_Insert)},
         ui->ListBox1,
         nullptr,
         guarded(handler(&TEForm1::FavoriClick))},
        {{QKeySequence(Qt::ALT | Qt::Key_Return), QKeySequence(Qt::ALT | Qt::Key_Enter)},
         ui->ListBox1,
         nullptr,
         guarded(handler(&TEForm1::DetailsClick))},
        // The other page, from anywhere in the window.
        {{ctrl(Qt::Key_Tab), ctrl(Qt::Key_PageDown),
          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), ctrl(Qt::Key_Backtab),
          ctrl(Qt::Key_PageUp)},
         nullptr,
         nullptr,
         [this] {
             ui->NPage->setCurrentIndex(linesPageShown() ? 1 : 0);
         }},
    };

    QSet<QWidget *> withKeys;
    for (const Shortcut &shortcut : shortcuts) {
        for (const QKeySequence &keys : shortcut.keys) {
            auto *made = shortcut.scope
                ? new QShortcut(keys, shortcut.scope, nullptr, nullptr, Qt::WidgetShortcut)
                : new QShortcut(keys, this);
            connect(made, &QShortcut::activated, this, shortcut.action);
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
