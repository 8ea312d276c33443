#pragma once

class QString;
class QWidget;

// The program's own messages: a box titled with the application's name, no icon, one OK button.
namespace PlainMessage {

void show(const QString &text, QWidget *parent);

} // namespace PlainMessage
