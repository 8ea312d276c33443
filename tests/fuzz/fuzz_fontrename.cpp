// Any bytes given a family name as a font file would be: either refused (empty) or a well-formed
// font whose tables are the input's, byte for byte but for the names, whose family is the new
// one and whose other names are the input's. Read back by a reader of this target's own.
#include "fontrename.h"
#include "fuzzinput.h"

#include <QDataStream>
#include <QtEndian>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <tuple>
#include <vector>

namespace {

constexpr quint32 NameTag = 0x6E616D65; // 'name'

struct TableEntry
{
    quint32 tag = 0, checksum = 0, offset = 0, length = 0;
    QByteArray bytes;
};

// The table directory and each table's bytes; nothing when a table lies outside the file.
std::optional<std::vector<TableEntry>> tablesOf(const QByteArray &font)
{
    QDataStream in(font);
    quint32 version = 0;
    quint16 count = 0, searchRange = 0, entrySelector = 0, rangeShift = 0;
    in >> version >> count >> searchRange >> entrySelector >> rangeShift;
    std::vector<TableEntry> tables(in.status() == QDataStream::Ok ? count : 0);
    for (TableEntry &table : tables)
        in >> table.tag >> table.checksum >> table.offset >> table.length;
    if (in.status() != QDataStream::Ok)
        return std::nullopt;
    for (TableEntry &table : tables) {
        if (qint64(table.offset) + table.length > font.size())
            return std::nullopt;
        table.bytes = font.mid(table.offset, table.length);
    }
    return tables;
}

struct Name
{
    quint16 platform = 0, encoding = 0, language = 0, id = 0;
    std::optional<QByteArray> text; // none when it lies outside the table
    bool family() const { return id == 1 || id == 16 || id == 21; }
    auto key() const { return std::tie(platform, encoding, language, id, text); }
    bool operator<(const Name &other) const { return key() < other.key(); }
    bool operator==(const Name &other) const { return key() == other.key(); }
};

struct NameTable
{
    quint16 format = 0, storage = 0;
    std::vector<Name> names;
};

std::optional<NameTable> nameTableOf(const QByteArray &table)
{
    QDataStream in(table);
    NameTable read;
    quint16 count = 0;
    in >> read.format >> count >> read.storage;
    read.names.resize(in.status() == QDataStream::Ok ? count : 0);
    for (Name &name : read.names) {
        quint16 length = 0, offset = 0;
        in >> name.platform >> name.encoding >> name.language >> name.id >> length >> offset;
        if (read.storage + offset + length <= table.size())
            name.text = table.mid(read.storage + offset, length);
    }
    if (in.status() != QDataStream::Ok)
        return std::nullopt;
    return read;
}

quint32 checksumOf(QByteArray table)
{
    table.append(QByteArray((4 - table.size() % 4) % 4, '\0'));
    QDataStream in(table);
    quint32 sum = 0;
    while (!in.atEnd()) {
        quint32 word = 0;
        in >> word;
        sum += word;
    }
    return sum;
}

std::vector<Name> sorted(std::vector<Name> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

void checkRenamed(const QByteArray &font, const QString &family)
{
    const QByteArray renamed = FontRename::withFamily(font, family);
    if (renamed.isEmpty())
        return;
    const std::optional<std::vector<TableEntry>> before = tablesOf(font);
    const std::optional<std::vector<TableEntry>> after = tablesOf(renamed);
    FUZZ_CHECK(before && after);
    FUZZ_CHECK(renamed.left(12) == font.left(12));
    FUZZ_CHECK(after->size() == before->size());

    // Tables four-byte aligned, one after another without overlapping, checksums right.
    std::vector<TableEntry> laidOut = *after;
    std::sort(laidOut.begin(), laidOut.end(),
              [](const TableEntry &a, const TableEntry &b) { return a.offset < b.offset; });
    qint64 end = 12 + 16 * qint64(laidOut.size());
    for (const TableEntry &table : laidOut) {
        FUZZ_CHECK(table.offset % 4 == 0 && table.offset >= end);
        FUZZ_CHECK(table.checksum == checksumOf(table.bytes));
        end = qint64(table.offset) + table.length;
    }

    // The first name table is the one renamed; any other is kept as it is.
    const auto names = std::find_if(before->begin(), before->end(),
                                    [](const TableEntry &table) { return table.tag == NameTag; });
    FUZZ_CHECK(names != before->end());
    for (size_t i = 0; i < before->size(); ++i) {
        FUZZ_CHECK((*after)[i].tag == (*before)[i].tag);
        if (&(*before)[i] != &*names)
            FUZZ_CHECK((*after)[i].bytes == (*before)[i].bytes);
    }
    const std::optional<NameTable> oldNames = nameTableOf(names->bytes);
    const std::optional<NameTable> newNames = nameTableOf((*after)[names - before->begin()].bytes);
    FUZZ_CHECK(oldNames && newNames);
    FUZZ_CHECK(newNames->format == 0
               && size_t(newNames->storage) == 6 + 12 * newNames->names.size());
    // One family name, in the record every reader looks for; every other name as it was.
    QByteArray utf16(family.size() * 2, '\0');
    qToBigEndian<quint16>(family.utf16(), family.size(), utf16.data());
    std::vector<Name> expected {{3, 1, 0x409, 1, utf16}};
    for (const Name &name : oldNames->names) {
        if (!name.family())
            expected.push_back(name);
    }
    FUZZ_CHECK(sorted(expected) == sorted(newNames->names));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const FuzzInput input(data, size);
    checkRenamed(input.bytes(), QStringLiteral("Glyphor Renamed 1"));
    checkRenamed(input.bytes(), QStringLiteral("Nom [Fonderie] \U0001F600"));
    return 0;
}
