#pragma once

class QWidget;

// What the program's fixed dialogs share: laid out in pixels by their .ui, not resizable, on the
// desktop's button-face colour, centred on the screen when first shown, modal to the window that
// opens them.
namespace FixedDialog {

// Once the .ui is set up: the layout fonts, the fixed size, the background and the modality.
void finishLayout(QWidget *dialog);

void centreOnScreen(QWidget *window);

} // namespace FixedDialog
