#pragma once

class QWidget;

// What the program's fixed dialogs share: laid out in pixels by their .ui, not resizable, on the
// desktop's button-face colour, centred on the screen when first shown, modal to the window that
// opens them.
namespace FixedDialog {

// Designer keeps font sizes in points; the windows' layouts give them in pixels, so every size set
// in a .ui is a pixel height. Turns the sizes of the window and of its children with a font of
// their own into pixel heights. A .ui names a widget's family in its "layoutFamily" property,
// never in its font: the form would hand Qt a family that may not be installed, which costs a
// search of every installed font; here it becomes an installed stand-in.
void applyLayoutFonts(QWidget *window);

// Once the .ui is set up: the layout fonts, the fixed size, the background and the modality.
void finishLayout(QWidget *dialog);

void centreOnScreen(QWidget *window);

} // namespace FixedDialog
