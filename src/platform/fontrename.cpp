#include "fontrename.h"

#include <QtEndian>

#include <algorithm>
#include <optional>
#include <vector>

namespace FontRename {

namespace {

constexpr quint16 FamilyNameId = 1;
constexpr quint16 TypographicFamilyNameId = 16;
constexpr quint16 WwsFamilyNameId = 21;

quint16 read16(const QByteArray &data, qsizetype at)
{
    return qFromBigEndian<quint16>(data.constData() + at);
}

quint32 read32(const QByteArray &data, qsizetype at)
{
    return qFromBigEndian<quint32>(data.constData() + at);
}

void append16(QByteArray &data, quint16 value)
{
    char bytes[2];
    qToBigEndian(value, bytes);
    data.append(bytes, 2);
}

void append32(QByteArray &data, quint32 value)
{
    char bytes[4];
    qToBigEndian(value, bytes);
    data.append(bytes, 4);
}

quint32 checksum(const QByteArray &table)
{
    QByteArray padded = table;
    padded.append(QByteArray((4 - padded.size() % 4) % 4, '\0'));
    quint32 sum = 0;
    for (qsizetype at = 0; at < padded.size(); at += 4)
        sum += read32(padded, at);
    return sum;
}

struct Table
{
    quint32 tag;
    QByteArray data;
};

struct NameRecord
{
    quint16 platform, encoding, language, nameId;
    QByteArray text;
    bool operator<(const NameRecord &other) const
    {
        return std::tie(platform, encoding, language, nameId)
            < std::tie(other.platform, other.encoding, other.language, other.nameId);
    }
};

std::optional<std::vector<Table>> readTables(const QByteArray &font)
{
    if (font.size() < 12 || font.startsWith("ttcf"))
        return std::nullopt;
    const quint16 count = read16(font, 4);
    if (12 + 16 * qsizetype(count) > font.size())
        return std::nullopt;
    std::vector<Table> tables;
    qsizetype claimed = 0;
    for (quint16 i = 0; i < count; ++i) {
        const qsizetype record = 12 + 16 * qsizetype(i);
        const quint32 offset = read32(font, record + 8), length = read32(font, record + 12);
        // A font's tables do not overlap: tables claiming more than the file would have a
        // small file copied thousands of times over.
        claimed += length;
        if (qsizetype(offset) + qsizetype(length) > font.size() || claimed > font.size())
            return std::nullopt;
        tables.push_back({read32(font, record), font.mid(offset, length)});
    }
    return tables;
}

std::optional<QByteArray> renamedNameTable(const QByteArray &name, const QString &family)
{
    if (name.size() < 6)
        return std::nullopt;
    const quint16 count = read16(name, 2), storage = read16(name, 4);
    if (6 + 12 * qsizetype(count) > name.size())
        return std::nullopt;
    std::vector<NameRecord> records;
    for (quint16 i = 0; i < count; ++i) {
        const qsizetype at = 6 + 12 * qsizetype(i);
        const quint16 nameId = read16(name, at + 6);
        if (nameId == FamilyNameId || nameId == TypographicFamilyNameId
            || nameId == WwsFamilyNameId)
            continue;
        const qsizetype start = storage + read16(name, at + 10), length = read16(name, at + 8);
        if (start + length > name.size())
            return std::nullopt;
        records.push_back({read16(name, at), read16(name, at + 2), read16(name, at + 4), nameId,
                           name.mid(start, length)});
    }
    // Windows, Unicode BMP, US English: the record every font reader looks for.
    QByteArray utf16;
    for (const QChar c : family)
        append16(utf16, c.unicode());
    records.push_back({3, 1, 0x409, FamilyNameId, utf16});
    // The strings start at a 16-bit offset, after the records.
    if (6 + 12 * qsizetype(records.size()) > 0xFFFF)
        return std::nullopt;
    std::sort(records.begin(), records.end());

    QByteArray table, strings;
    append16(table, 0);
    append16(table, quint16(records.size()));
    append16(table, quint16(6 + 12 * records.size()));
    for (const NameRecord &record : records) {
        for (quint16 field : {record.platform, record.encoding, record.language, record.nameId,
                              quint16(record.text.size()), quint16(strings.size())})
            append16(table, field);
        strings += record.text;
    }
    if (strings.size() > 0xFFFF)
        return std::nullopt;
    return table + strings;
}

} // namespace

QByteArray withFamily(const QByteArray &font, const QString &family)
{
    std::optional<std::vector<Table>> tables = readTables(font);
    if (!tables)
        return {};
    const auto name = std::find_if(tables->begin(), tables->end(),
                                   [](const Table &t) { return t.tag == 0x6E616D65; }); // 'name'
    if (name == tables->end())
        return {};
    const std::optional<QByteArray> renamed = renamedNameTable(name->data, family);
    if (!renamed)
        return {};
    name->data = *renamed;

    QByteArray out = font.left(12);
    qsizetype offset = 12 + 16 * qsizetype(tables->size());
    QByteArray body;
    for (const Table &table : *tables) {
        append32(out, table.tag);
        append32(out, checksum(table.data));
        append32(out, quint32(offset + body.size()));
        append32(out, quint32(table.data.size()));
        body += table.data;
        body.append(QByteArray((4 - body.size() % 4) % 4, '\0'));
    }
    return out + body;
}

} // namespace FontRename
