// The file-name fields' rules: any text reads back without fault, a name that is refused holds a
// forbidden character or reads back empty, and a name set in a field reads back as itself.
#include "filenamerules.h"
#include "fuzzinput.h"

#include <QFileInfo>

#include <cstdio>

namespace {

void check(const QString &name, FileNameRules::Reading reading)
{
    const QString readName = FileNameRules::readBack(name, reading);
    FUZZ_CHECK(readName.size() <= name.size() + 1);

    if (!FileNameRules::acceptable(name, reading))
        return;
    for (const QChar c : readName)
        FUZZ_CHECK(!QStringLiteral("<>\"?*|").contains(c));
    // Shown in a field (quoted when it holds a space), a name that names no file reads back as
    // itself, whole: the quotes keep its spaces.
    if (!name.isEmpty() && !name.contains(u'"') && !QFileInfo::exists(name)
        && !name.front().isSpace() && !name.back().isSpace())
        FUZZ_CHECK(FileNameRules::readBack(FileNameRules::shownText(name), reading)
                   == (name.contains(u' ') ? name : readName));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const FuzzInput input(data, size);
    const QString name = QString::fromUtf8(input.bytes());
    check(name, FileNameRules::Reading::WholeName);
    check(name, FileNameRules::Reading::Command);
    return 0;
}
