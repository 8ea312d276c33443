#include "fontcollectionfile.h"

#include <QDir>
#include <QtEndian>

namespace {

// The collection's header: its tag, version 1.0, the number of fonts and where each starts.
constexpr qint64 CountAt = 8;
constexpr qint64 OffsetsAt = 12;
constexpr qint64 HeaderSize = OffsetsAt + 4 * qint64(FontCollectionFile::Capacity);
// A font's own header: its number of tables at 4, then a record of 16 bytes per table whose
// offset (at 8 in the record) counts from the start of the file.
constexpr int SfntHeaderSize = 12;
constexpr int TableRecordSize = 16;

bool writeAt(QFile &file, qint64 at, const QByteArray &bytes)
{
    return file.seek(at) && file.write(bytes) == bytes.size();
}

QByteArray bigEndian32(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

} // namespace

FontCollectionFile::FontCollectionFile(const QString &folder)
    : m_file(QDir(folder).filePath(QStringLiteral("glyphor-fonts-XXXXXX.ttc")))
{
    if (!m_file.open())
        return;
    QByteArray header(HeaderSize, '\0');
    header.replace(0, 8, QByteArray("ttcf\x00\x01\x00\x00", 8));
    m_open = m_file.write(header) == header.size() && m_file.flush();
}

int FontCollectionFile::add(const QByteArray &font)
{
    if (!m_open || isFull() || font.size() < SfntHeaderSize)
        return -1;
    const int tables = qFromBigEndian<quint16>(font.constData() + 4);
    if (font.size() < SfntHeaderSize + tables * TableRecordSize)
        return -1;
    // Four-byte aligned, as tables are.
    const qint64 start = (m_file.size() + 3) & ~qint64(3);
    if (start + font.size() > qint64(UINT32_MAX))
        return -1;
    QByteArray placed = font;
    for (int table = 0; table < tables; ++table) {
        char *offset = placed.data() + SfntHeaderSize + table * TableRecordSize + 8;
        qToBigEndian(quint32(qFromBigEndian<quint32>(offset) + start), offset);
    }
    // The font first, then its place in the header, then the count: a reader never finds a
    // font counted that is not all there.
    const int index = m_count;
    if (!writeAt(m_file, start, placed)
        || !writeAt(m_file, OffsetsAt + 4 * index, bigEndian32(start))
        || !writeAt(m_file, CountAt, bigEndian32(quint32(index + 1))) || !m_file.flush()) {
        m_open = false;
        return -1;
    }
    ++m_count;
    return index;
}
