#pragma once

#include <QByteArray>
#include <QStringList>

// A start's arguments as another copy receives them: each argument (the program's path left out)
// followed by CR LF, in UTF-8. The copy that receives them opens those that are font files.
namespace CommandLineText {

// arguments: the whole command line, the program first. A line break inside an argument becomes
// a blank, so that each argument stays one line.
QByteArray encode(const QStringList &arguments);
// The arguments again, the program's path left out.
QStringList decode(const QByteArray &text);

} // namespace CommandLineText
