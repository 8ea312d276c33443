// The main window's keyboard shortcuts: those a user of any desktop program tries first.
#include "teform1.h"
#include "ui_teform1.h"

#include "fontlistview.h"

#include <QShortcut>

namespace {

// A shortcut of the whole window, which hands its work to a button as a click on it would.
void clickOn(QWidget *window, const QKeySequence &keys, QAbstractButton *button)
{
    QObject::connect(new QShortcut(keys, window), &QShortcut::activated, button, [button] {
        if (button->isEnabled() && button->isVisible())
            button->click();
    });
}

} // namespace

void TEForm1::setUpShortcuts()
{
    // The keys themselves rather than the desktop theme's standard keys: the help lists them,
    // and some themes have none for quitting.
    clickOn(this, QKeySequence(Qt::CTRL | Qt::Key_Q), ui->Quitter);
    clickOn(this, QKeySequence(Qt::CTRL | Qt::Key_P), ui->SpeedButton1);
    clickOn(this, QKeySequence(Qt::CTRL | Qt::Key_H), ui->GenererrHTML);

    // The size field takes the new size as if typed, and applies it by its own rules.
    const auto size = [this](const QList<QKeySequence> &keys, auto newSize) {
        for (const QKeySequence &sequence : keys) {
            bind(new QShortcut(sequence, this), &QShortcut::activated, newSize);
        }
    };
    size({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)},
         &TEForm1::sizeUp);
    size({QKeySequence(Qt::CTRL | Qt::Key_Minus)}, &TEForm1::sizeDown);
    size({QKeySequence(Qt::CTRL | Qt::Key_0)}, &TEForm1::sizeBack);

    // Bold, italic and underline as their buttons, on the Lines page.
    for (const auto &[key, button] :
         {std::pair {Qt::Key_B, ui->gras}, std::pair {Qt::Key_I, ui->ital},
          std::pair {Qt::Key_U, ui->soul}}) {
        const QKeySequence keys(Qt::CTRL | key);
        connect(new QShortcut(keys, this), &QShortcut::activated, button, [this, button] {
            if (linesPageShown())
                button->click();
        });
    }

    // Copy, in the list: the selected family's name, as the menu's "Copier nom de la fonte".
    bind(new QShortcut(QKeySequence::Copy, ui->ListBox1, nullptr, nullptr, Qt::WidgetShortcut),
         &QShortcut::activated, &TEForm1::Copiernomdelafonte1Click);

    // The other page, from anywhere in the window.
    for (const QKeySequence &keys :
         {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown),
          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
          QKeySequence(Qt::CTRL | Qt::Key_Backtab), QKeySequence(Qt::CTRL | Qt::Key_PageUp)}) {
        connect(new QShortcut(keys, this), &QShortcut::activated, ui->NPage,
                [this] { ui->NPage->setCurrentIndex(linesPageShown() ? 1 : 0); });
    }
}

void TEForm1::sizeUp()
{
    ui->SpinEdit1->setValue(std::min(ui->SpinEdit1->value() + 1, int(SizeField::Maximum)));
}

void TEForm1::sizeDown()
{
    ui->SpinEdit1->setValue(std::max(ui->SpinEdit1->value() - 1, int(SizeField::Minimum)));
}

void TEForm1::sizeBack()
{
    ui->SpinEdit1->setValue(12);
}
