#pragma once

class QWidget;

namespace Ui {
class TEForm1;
}

// The main window's look beyond its layout: grey around the pages, the desktop's button face on
// the bottom panel, the drawn icons of its buttons and tabs, the tabs in bold 15-pixel Arial.
namespace WindowLook {

void apply(QWidget &window, Ui::TEForm1 &ui);

} // namespace WindowLook
