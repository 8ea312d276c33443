#pragma once

#include <QString>

// How a file-name field shows a name and reads it back. A name with a space is shown in double
// quotes; what is typed may be a path or a command line, and reads back as the file it names.
namespace FileNameRules {

// The field's text for a name: in double quotes when it holds a space and is not quoted already.
QString shownText(const QString &name);

// The name a field's text stands for: the text itself when it names an existing file; the text
// ending in "/" when it names an existing folder; otherwise its first word read as a command line
// (surrounding double quotes removed, an unquoted text cut at its first space).
QString readBack(const QString &text);

// Whether a name can be set: an empty name can; any other must read back as a non-empty name
// with none of < > " ? * |.
bool acceptable(const QString &name);

// The refusal of a name that is not acceptable.
QString refusalMessage(const QString &name);

} // namespace FileNameRules
