#pragma once

#include <QString>

class QLocale;
class QTime;

// The forms the program gives text in more than one place.
namespace TextForms {

// Hours, minutes and seconds in the locale's form: its long time format without the time zone,
// which a clock line does without ("07:08:09" in French).
QString timeWithSeconds(const QLocale &locale, const QTime &time);

// The text on one line: each line break (CR LF, CR or LF) becomes one space.
QString oneLine(QString text);

// The blanks of C's isspace(), which the settings file's values have always been trimmed of.
constexpr bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f';
}

} // namespace TextForms
