#pragma once

class QString;
class QWidget;

// A question that can cost the user something: a warning box titled "Avertissement" with the
// buttons "&Oui" and "&Non".
namespace WarningQuestion {

// True only when the user answers "Oui".
bool ask(const QString &text, QWidget *parent);

} // namespace WarningQuestion
