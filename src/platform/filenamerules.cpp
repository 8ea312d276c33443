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

} // namespace

QString shownText(const QString &name)
{
    if (name.contains(u' ') && !name.startsWith(Quote))
        return Quote + name + Quote;
    return name;
}

QString readBack(const QString &text)
{
    if (text.isEmpty())
        return text;
    const QFileInfo info(text);
    if (info.exists() && !info.isDir())
        return text;
    if (info.isDir())
        return text.endsWith(u'/') ? text : text + u'/';
    return firstWord(text);
}

bool acceptable(const QString &name)
{
    if (name.isEmpty())
        return true;
    const QString readName = readBack(name);
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
