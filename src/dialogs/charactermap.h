#pragma once

#include <QString>
#include <QStringList>

// The desktop's character map, an outside program that Glyphor only starts: the first of the
// known ones found on the PATH, left to run on its own.
namespace CharacterMap {

// The programs looked for, in order.
QStringList programs();

// Starts another copy; false when none of the programs could be started.
bool start();

// What the user is told when start() fails: it names the first program looked for.
QString notFoundMessage();

} // namespace CharacterMap
