// The file-name fields' rules: any text reads back without fault, a name that is refused holds a
// forbidden character or reads back empty, and a name set in a field reads back as itself.
#include "filenamerules.h"
#include "fuzzinput.h"

#include <QFileInfo>

#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const FuzzInput input(data, size);
    const QString name = QString::fromUtf8(input.bytes());
    const QString readName = FileNameRules::readBack(name);
    FUZZ_CHECK(readName.size() <= name.size() + 1);

    if (!FileNameRules::acceptable(name))
        return 0;
    for (const QChar c : readName)
        FUZZ_CHECK(!QStringLiteral("<>\"?*|").contains(c));
    // Shown in a field (quoted when it holds a space), a name that names no file reads back as
    // itself, whole: the quotes keep its spaces.
    if (!name.isEmpty() && !name.contains(u'"') && !QFileInfo::exists(name)
        && !name.front().isSpace())
        FUZZ_CHECK(FileNameRules::readBack(FileNameRules::shownText(name))
                   == (name.contains(u' ') ? name : readName));
    return 0;
}
