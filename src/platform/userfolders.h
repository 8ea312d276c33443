#pragma once

#include <QString>

// The user's folders where the program offers to put what it writes.
namespace UserFolders {

// The documents folder, or the home folder when there is none: an installed program's folder is
// not the user's to write in.
QString documents();

} // namespace UserFolders
