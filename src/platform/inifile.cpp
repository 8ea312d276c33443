#include "inifile.h"

#include "textforms.h"
#include "windows1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>
#include <QStringDecoder>
#include <QStringEncoder>

namespace {

QStringView trimmedBlanks(QStringView text)
{
    qsizetype first = 0;
    qsizetype end = text.size();
    while (first < end && TextForms::isBlank(text[first]))
        ++first;
    while (end > first && TextForms::isBlank(text[end - 1]))
        --end;
    return text.sliced(first, end - first);
}

// What reading makes of a value apart from the NUL and length cuts: outer blanks trimmed, then
// one pair of enclosing quotes removed.
QStringView trimmedUnquoted(QStringView text)
{
    text = trimmedBlanks(text);
    if (text.size() >= 2 && (text.front() == u'"' || text.front() == u'\'')
        && text.back() == text.front())
        return text.sliced(1, text.size() - 2);
    return text;
}

// The name of the section a header line opens: "[name]", blanks around the line and the name
// ignored, anything after "]" too. No value for any other line.
std::optional<QStringView> sectionName(QStringView line)
{
    line = trimmedBlanks(line);
    if (!line.startsWith(u'['))
        return std::nullopt;
    const qsizetype close = line.indexOf(u']');
    if (close < 0)
        return std::nullopt;
    return trimmedBlanks(line.sliced(1, close - 1));
}

bool isComment(QStringView line)
{
    line = trimmedBlanks(line);
    return line.startsWith(u';') || line.startsWith(u'#');
}

bool sameName(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// A key line's key (blanks trimmed, never empty) and everything after its first "=".
std::optional<std::pair<QStringView, QStringView>> keyAndValue(QStringView line)
{
    if (isComment(line))
        return std::nullopt;
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0)
        return std::nullopt;
    const QStringView key = trimmedBlanks(line.first(equals));
    if (key.isEmpty())
        return std::nullopt;
    return std::pair {key, line.sliced(equals + 1)};
}

// A value as reading hands it back: cut at a NUL, outer blanks and one pair of enclosing quotes
// removed, and at most the longest value unless whole.
enum class Length { Limited, Whole };
QString readValue(QStringView value, Length length = Length::Limited)
{
    const qsizetype nul = value.indexOf(QChar(0));
    if (nul >= 0)
        value = value.first(nul);
    value = trimmedUnquoted(value);
    if (length == Length::Limited && value.size() > IniFile::MaxValueLength) {
        value = value.first(IniFile::MaxValueLength);
        // Never hand back half of a surrogate pair.
        if (value.back().isHighSurrogate())
            value.chop(1);
    }
    return value.toString();
}

// A value as it is written: on one line, quoted when reading would alter it.
QString writtenValue(const QString &value)
{
    // A line break would split the line and lose the rest of the value.
    QString text = TextForms::oneLine(value);
    // Quoted, a value with outer blanks or enclosing quotes comes back exactly as it went in.
    if (trimmedUnquoted(text) != text)
        text = u'"' + text + u'"';
    return text;
}

} // namespace

IniFile::IniFile(QString path)
    : m_path(std::move(path))
{
}

void IniFile::load()
{
    m_lines.clear();
    m_readBytes.clear();
    m_encoding = Encoding::PerLine;
    m_unreadable = false;

    QFile file(m_path);
    const QFileInfo info(m_path);
    if (!info.exists())
        return;
    // Only a regular file is read: a pipe or a device could block or never end.
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
        m_unreadable = true;
        return;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        m_unreadable = true;
        return;
    }
    file.close();

    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        m_encoding = bytes.startsWith("\xFF") ? Encoding::Utf16LE : Encoding::Utf16BE;
        QStringDecoder utf16(m_encoding == Encoding::Utf16LE ? QStringDecoder::Utf16LE
                                                             : QStringDecoder::Utf16BE);
        const QString text = utf16.decode(bytes.sliced(2));
        QStringList lines = text.split(u'\n');
        if (text.endsWith(u'\n'))
            lines.removeLast();
        for (const QString &line : std::as_const(lines)) {
            m_lines.append(line);
            m_readBytes.append(encoded(line));
        }
    } else {
        QList<QByteArray> lines = bytes.split('\n');
        if (bytes.isEmpty() || bytes.endsWith('\n'))
            lines.removeLast();
        for (const QByteArray &line : std::as_const(lines)) {
            // Stateless, so that a sequence cut short at the end of the line counts as an error.
            QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            QString text = utf8.decode(line);
            if (utf8.hasError())
                text = Windows1252::decode(line);
            m_lines.append(text);
            m_readBytes.append(line);
        }
        // A byte-order mark would hide a section header on the first line.
        if (!m_lines.isEmpty() && m_lines.first().startsWith(QChar(0xFEFF)))
            m_lines.first().remove(0, 1);
    }
    qsizetype crLines = 0;
    for (QString &line : m_lines) {
        if (line.endsWith(u'\r')) {
            line.chop(1);
            ++crLines;
        }
    }
    // A file edited on Windows: lines added end as most of its lines do.
    m_crLineEnds = crLines * 2 > m_lines.size();
}

void IniFile::replaceLine(int i, const QString &text)
{
    m_lines[i] = text;
    m_readBytes[i] = QByteArray();
}

void IniFile::insertLine(int i, const QString &text)
{
    m_lines.insert(i, text);
    m_readBytes.insert(i, QByteArray());
}

QByteArray IniFile::encodedLine(int i) const
{
    if (!m_readBytes[i].isNull())
        return m_readBytes[i];
    return encoded(m_crLineEnds ? m_lines[i] + u'\r' : m_lines[i]);
}

QByteArray IniFile::encoded(const QString &text) const
{
    switch (m_encoding) {
    case Encoding::Utf16LE:
        return QStringEncoder(QStringEncoder::Utf16LE).encode(text);
    case Encoding::Utf16BE:
        return QStringEncoder(QStringEncoder::Utf16BE).encode(text);
    case Encoding::PerLine:
        break;
    }
    return text.toUtf8();
}

int IniFile::findSection(const QString &section) const
{
    const QStringView wanted = trimmedBlanks(section);
    for (int i = 0; i < m_lines.size(); ++i) {
        const std::optional<QStringView> name = sectionName(m_lines[i]);
        if (name && sameName(*name, wanted))
            return i;
    }
    return -1;
}

int IniFile::sectionEnd(int sectionLine) const
{
    int i = sectionLine + 1;
    while (i < m_lines.size() && !sectionName(m_lines[i]))
        ++i;
    return i;
}

std::optional<IniFile::KeyLine> IniFile::findKey(int sectionLine, const QString &key) const
{
    const QStringView wanted = trimmedBlanks(key);
    for (int i = sectionLine + 1; i < m_lines.size(); ++i) {
        const QStringView line = m_lines[i];
        if (sectionName(line))
            break;
        const auto found = keyAndValue(line);
        if (found && sameName(found->first, wanted))
            return KeyLine {i, found->first, found->second};
    }
    return std::nullopt;
}

std::optional<QString> IniFile::rawValue(const QString &section, const QString &key) const
{
    const int sectionLine = findSection(section);
    if (sectionLine < 0)
        return std::nullopt;
    const std::optional<KeyLine> found = findKey(sectionLine, key);
    if (!found)
        return std::nullopt;
    return readValue(found->value);
}

QStringList IniFile::sectionValues(const QString &section) const
{
    QStringList values;
    const int sectionLine = findSection(section);
    if (sectionLine < 0)
        return values;
    const int end = sectionEnd(sectionLine);
    for (int i = sectionLine + 1; i < end; ++i) {
        if (const auto found = keyAndValue(m_lines[i])) {
            QString value = readValue(found->second, Length::Whole);
            if (!value.isEmpty())
                values.append(std::move(value));
        }
    }
    return values;
}

void IniFile::setValue(const QString &section, const QString &key, const QString &value)
{
    const QString text = writtenValue(value);

    const int sectionLine = sectionOrNew(section);
    if (const std::optional<KeyLine> found = findKey(sectionLine, key)) {
        replaceLine(found->line, found->key.toString() + u'=' + text);
        return;
    }
    insertLine(appendPoint(sectionLine), key + u'=' + text);
}

int IniFile::sectionOrNew(const QString &section)
{
    const int found = findSection(section);
    if (found >= 0)
        return found;
    if (!m_lines.isEmpty() && !trimmedBlanks(m_lines.last()).isEmpty())
        insertLine(m_lines.size(), QString());
    insertLine(m_lines.size(), u'[' + section + u']');
    return int(m_lines.size()) - 1;
}

int IniFile::appendPoint(int sectionLine) const
{
    int insertAt = sectionEnd(sectionLine);
    while (insertAt - 1 > sectionLine && trimmedBlanks(m_lines[insertAt - 1]).isEmpty())
        --insertAt;
    return insertAt;
}

void IniFile::mergeSectionValues(const QString &section, const QString &keyPrefix,
                                 const QStringList &added, const QStringList &removed)
{
    if (added.isEmpty() && findSection(section) < 0)
        return;
    const int sectionLine = sectionOrNew(section);
    const QSet<QString> gone(removed.cbegin(), removed.cend());
    QSet<QString> held;
    qint64 highest = 0;
    for (int i = sectionEnd(sectionLine) - 1; i > sectionLine; --i) {
        const auto found = keyAndValue(m_lines[i]);
        if (!found)
            continue;
        const QString value = readValue(found->second, Length::Whole);
        if (gone.contains(value)) {
            m_lines.removeAt(i);
            m_readBytes.removeAt(i);
            continue;
        }
        held.insert(value);
        const QStringView key = found->first;
        if (key.size() > keyPrefix.size() && key.startsWith(keyPrefix, Qt::CaseInsensitive)) {
            bool number = false;
            const qint64 n = key.sliced(keyPrefix.size()).toLongLong(&number);
            if (number)
                highest = std::max(highest, n);
        }
    }
    int at = appendPoint(sectionLine);
    for (const QString &value : added) {
        if (held.contains(value) || value.isEmpty())
            continue;
        held.insert(value);
        insertLine(at++, keyPrefix + QString::number(++highest) + u'=' + writtenValue(value));
    }
}

bool IniFile::save() const
{
    if (m_unreadable || !QDir().mkpath(QFileInfo(m_path).absolutePath()))
        return false;

    QByteArray bytes;
    QByteArray lineEnd("\n");
    if (m_encoding != Encoding::PerLine) {
        const bool littleEndian = m_encoding == Encoding::Utf16LE;
        bytes = littleEndian ? "\xFF\xFE" : "\xFE\xFF";
        lineEnd = littleEndian ? QByteArray("\n\0", 2) : QByteArray("\0\n", 2);
    }
    for (int i = 0; i < m_lines.size(); ++i) {
        bytes += encodedLine(i);
        bytes += lineEnd;
    }

    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // commit() alone reports success after a short write (a full disk, a file size limit) and
    // puts the cut file in place; flush() does report it.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting(); // the temporary file goes with file
        return false;
    }
    return file.commit();
}
