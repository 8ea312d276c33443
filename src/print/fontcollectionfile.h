#pragma once

#include <QByteArray>
#include <QTemporaryFile>

// Fonts written one after another into one OpenType collection file, each to be opened by its
// index in the file as soon as it is added. Thousands of small fonts cost one file this way, not
// thousands: creating that many files costs more than all the rest of a print job on some file
// systems. The file goes with the object.
class FontCollectionFile
{
public:
    // The file is made in folder.
    explicit FontCollectionFile(const QString &folder);

    // Adds a font (the bytes of an OpenType or TrueType font file); its index in the collection,
    // or -1 when it cannot be added (not such a font, the file full or not writable).
    int add(const QByteArray &font);

    QString path() const { return m_file.fileName(); }
    bool isFull() const { return m_count == Capacity; }

    // The fonts one file holds: the collection's header has a place for each.
    static constexpr int Capacity = 8192;

private:
    QTemporaryFile m_file;
    bool m_open = false;
    int m_count = 0;
};
