#pragma once

class QApplication;

// Application-wide settings made before any window exists.
namespace Application {

// The title "Glyphor", Qt's French translations for the standard dialogs, yellow tooltips
// after 100 ms.
void setUp(QApplication &app);

} // namespace Application
