#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// An initialisation file read and rewritten line by line: sections and keys are matched ignoring
// case, a written key replaces its value in place or is appended at the end of its section, and
// every other line (other sections, keys, comments, blank lines) is kept as it was.
class IniFile
{
public:
    // Longest value handed back by rawValue(), in characters.
    static constexpr int MaxValueLength = 2047;

    explicit IniFile(QString path);

    const QString &path() const { return m_path; }

    // Reads the file. A missing or unreadable file reads as empty: reading never fails.
    // The encoding is decided line by line: a line that is valid UTF-8 is UTF-8, another one is
    // Windows-1252 (copied from Windows). A file that starts with a UTF-16 byte-order mark (as
    // Windows Notepad writes) is UTF-16 throughout.
    void load();

    // The file exists but could not be read: saving would replace content never seen, so save()
    // refuses.
    bool unreadable() const { return m_unreadable; }

    // The value of key in section: blanks around it trimmed, one pair of enclosing single or
    // double quotes removed, cut to MaxValueLength characters and at a NUL character.
    // No value when the section or key is missing. The first matching section and key win.
    std::optional<QString> rawValue(const QString &section, const QString &key) const;

    // Replaces the key's value in place, or appends the key at the end of its section, creating
    // the section at the end of the file when needed. Line breaks in value become spaces, and a
    // value that reading would alter (outer blanks, enclosing quotes) is quoted, so it reads back
    // as written.
    void setValue(const QString &section, const QString &key, const QString &value);

    // The values of the section's keys in the file's order, each read as rawValue() reads it
    // but never cut to MaxValueLength (a list of our own, whose values must come back whole),
    // empty ones left out; none when the section is missing.
    QStringList sectionValues(const QString &section) const;

    // Applies a change to a list kept one value per key, as the file holds it now: every key
    // whose value is one of removed goes, and each of added that no key holds yet is appended
    // after the section's last key as keyPrefixN, N one more than the highest such key. Every
    // other line stays byte for byte: keys written by hand are neither renamed nor renumbered.
    // The section is added at the end of the file when it is missing and a value is added.
    void mergeSectionValues(const QString &section, const QString &keyPrefix,
                            const QStringList &added, const QStringList &removed);

    // Writes every line to a temporary file in the same folder and renames it over the file, so a
    // failed save leaves the old file as it was. Creates the folder when it is missing. Lines that
    // were not changed go back byte for byte as they were read; changed and new lines are UTF-8
    // (UTF-16 in a UTF-16 file). Returns false when anything fails, or when the file was
    // unreadable.
    bool save() const;

    const QStringList &lines() const { return m_lines; }

private:
    struct KeyLine
    {
        int line = -1;
        QStringView key; // as spelt in the file, blanks trimmed
        QStringView value; // everything after the first "=", untouched
    };
    // Line index of the first header naming section, or -1.
    int findSection(const QString &section) const;
    // Index of the first line after the section that starts at sectionLine.
    int sectionEnd(int sectionLine) const;
    std::optional<KeyLine> findKey(int sectionLine, const QString &key) const;

    // Replaces line i, which then no longer goes back as it was read.
    void replaceLine(int i, const QString &text);
    void insertLine(int i, const QString &text);
    QByteArray encodedLine(int i) const;
    // The line's text in the file's encoding, without its line end.
    QByteArray encoded(const QString &text) const;
    // After the section's last non-blank line, so the blank lines that set the next section
    // apart stay before it.
    int appendPoint(int sectionLine) const;
    // The section's header line, added at the end of the file when it is missing.
    int sectionOrNew(const QString &section);

    QString m_path;
    QStringList m_lines;
    // The bytes each line was read from, its CR included, its LF not; null for a line set since.
    QList<QByteArray> m_readBytes;
    enum class Encoding { PerLine, Utf16LE, Utf16BE };
    Encoding m_encoding = Encoding::PerLine;
    bool m_unreadable = false;
    // Lines the program adds or changes end in CR LF when most of the file's lines do.
    bool m_crLineEnds = false;
};
