// The settings file read from any bytes, written back and read again: the keys written read back
// as written, and every other key reads as it did.
#include "fuzzinput.h"
#include "inifile.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {

struct Entry
{
    QString section;
    QString key;
};

// Section and key names as the file holds them, found the way a reader of the file would.
QList<Entry> entriesOf(const QStringList &lines)
{
    QList<Entry> entries;
    QString section;
    for (const QString &line : lines) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(u'[') && trimmed.endsWith(u']')) {
            // "[  glyphor ]" is the section "glyphor", as for the program.
            section = trimmed.mid(1, trimmed.size() - 2).trimmed();
        } else if (const qsizetype equals = trimmed.indexOf(u'='); equals > 0) {
            entries.append({section, trimmed.left(equals).trimmed()});
        }
    }
    return entries;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("glyphor.ini"));
    const FuzzInput input(data, size);
    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(input.bytes());
    }

    IniFile before(path);
    before.load();
    const QString section = QStringLiteral("glyphor");
    // The values the program writes: its sample string (any text) and numbers.
    const QString sample = QString::fromUtf8(input.bytes().left(64)).remove(QChar(0));
    const QList<std::pair<QString, QString>> written = {
        {QStringLiteral("String"), sample.simplified()},
        {QStringLiteral("Size"), QStringLiteral("12")},
        {QStringLiteral("ShowNames"), QStringLiteral("1")},
    };
    IniFile edited(path);
    edited.load();
    for (const auto &[key, value] : written)
        edited.setValue(section, key, value);
    FUZZ_CHECK(edited.save());

    IniFile after(path);
    after.load();
    for (const auto &[key, value] : written)
        FUZZ_CHECK(after.rawValue(section, key) == value);
    for (const Entry &entry : entriesOf(before.lines())) {
        const bool rewritten = entry.section.compare(section, Qt::CaseInsensitive) == 0
            && (entry.key.compare(QStringLiteral("String"), Qt::CaseInsensitive) == 0
                || entry.key.compare(QStringLiteral("Size"), Qt::CaseInsensitive) == 0
                || entry.key.compare(QStringLiteral("ShowNames"), Qt::CaseInsensitive) == 0);
        if (!rewritten)
            FUZZ_CHECK(after.rawValue(entry.section, entry.key)
                       == before.rawValue(entry.section, entry.key));
    }
    return 0;
}
