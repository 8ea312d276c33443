#include "filenamerules.h"

#include <QFileInfo>

namespace FileNameRules {

namespace {

const QChar Quote = u'"';

QString firstWord(const QString &text)
{
    qsizetype start = 0;
    while (start < text.size() && text[start].isSpace())
        ++start;
    if (start < text.size() && text[start] == Quote) {
        const qsizetype closing = text.indexOf(Quote, start + 1);
        const qsizetype end = closing < 0 ? text.size() : closing;
        return text.mid(start + 1, end - start - 1);
    }
    qsizetype end = start;
    while (end < text.size() && !text[end].isSpace())
        ++end;
    return text.mid(start, end - start);
}

// The text without its outer blanks and one pair of enclosing double quotes.
QString wholeName(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.size() >= 2 && trimmed.startsWith(Quote) && trimmed.endsWith(Quote))
        return trimmed.mid(1, trimmed.size() - 2);
    return trimmed;
}

} // namespace

QString shownText(const QString &name)
{
    if (name.contains(u' ') && !name.startsWith(Quote))
        return Quote + name + Quote;
    return name;
}

QString readBack(const QString &text, Reading reading)
{
    const QString whole = wholeName(text);
    if (whole.isEmpty())
        return whole;
    const QFileInfo info(whole);
    if (info.isDir())
        return whole.endsWith(u'/') ? whole : whole + u'/';
    if (reading == Reading::WholeName || info.exists())
        return whole;
    return firstWord(text);
}

bool acceptable(const QString &name, Reading reading)
{
    if (name.isEmpty())
        return true;
    const QString readName = readBack(name, reading);
    if (readName.isEmpty())
        return false;
    for (const QChar c : readName) {
        if (QStringLiteral("<>\"?*|").contains(c))
            return false;
    }
    return true;
}

QString refusalMessage(const QString &name)
{
    return QStringLiteral("Nom de fichier incorrect - ") + name;
}

} // namespace FileNameRules
