#pragma once

#include <QString>

// How a file-name field shows a name and reads it back. A name with a space is shown in double
// quotes. On Linux a path is not a command line: a field reads back its whole text as the name,
// spaces included. Only a field that may hold a command (a web browser with its options) falls
// back on the command line's first word.
namespace FileNameRules {

enum class Reading {
    // The whole text (trimmed, one pair of enclosing double quotes removed) is the name.
    WholeName,
    // The whole text when it names an existing file; otherwise the first word of the text read
    // as a command line (surrounding double quotes removed, an unquoted text cut at its first
    // space), so that "firefox --private-window" names firefox.
    Command,
};

// The field's text for a name: in double quotes when it holds a space and is not quoted already.
QString shownText(const QString &name);

// The name a field's text stands for, read as said above; a text naming an existing folder reads
// back ending in "/".
QString readBack(const QString &text, Reading reading);

// Whether a name can be set: an empty name can; any other must read back as a non-empty name
// with none of < > " ? * |.
bool acceptable(const QString &name, Reading reading);

// The refusal of a name that is not acceptable.
QString refusalMessage(const QString &name);

} // namespace FileNameRules
