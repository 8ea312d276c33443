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
    // UTF-8 is expected; a file that is not valid UTF-8 is read as Windows-1252.
    void load();

    // The value of key in section: blanks around it trimmed, one pair of enclosing single or
    // double quotes removed, cut to MaxValueLength characters and at a NUL character.
    // No value when the section or key is missing. The first matching section and key win.
    std::optional<QString> rawValue(const QString &section, const QString &key) const;

    // Replaces the key's value in place, or appends the key at the end of its section, creating
    // the section at the end of the file when needed. Line breaks in value become spaces, and a
    // value that reading would alter (outer blanks, enclosing quotes) is quoted, so it reads back
    // as written.
    void setValue(const QString &section, const QString &key, const QString &value);

    // Writes every line to a temporary file in the same folder and renames it over the file, so a
    // failed save leaves the old file as it was. Creates the folder when it is missing.
    // Returns false when anything fails.
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

    QString m_path;
    QStringList m_lines;
};
