#include "userfolders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace UserFolders {

QString documents()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir())
        return documents;
    return QDir::homePath();
}

} // namespace UserFolders
