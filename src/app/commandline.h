#pragma once

#include <QString>

// The arguments that ask the program about itself rather than start it. They are answered on the
// standard output before any window, display or running copy is looked for; every other argument
// keeps its meaning (a non-empty first argument starts the program hidden).
namespace CommandLine {

enum class Request { Start, Help, Version };

// What the first argument after the program's name asks for.
Request request(int argc, const char *const *argv);

// The usage, in French; settingsPath: where the settings live.
QString usageText(const QString &settingsPath);

} // namespace CommandLine
