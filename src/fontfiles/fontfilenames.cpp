#include "fontfilenames.h"

#include <QStringList>

#include <algorithm>

namespace {

bool endsWithAny(QStringView name, std::initializer_list<QStringView> suffixes)
{
    return std::any_of(suffixes.begin(), suffixes.end(), [name](QStringView suffix) {
        return name.endsWith(suffix, Qt::CaseInsensitive);
    });
}

// A line break or any character that would make a name hard to show or to type.
bool isControl(QChar c)
{
    return c.category() == QChar::Other_Control || c == QChar::LineSeparator
        || c == QChar::ParagraphSeparator;
}

// UTF-16 units: at most 3 bytes each in UTF-8 (a surrogate pair is 4 bytes for 2 units), so
// within the 255 bytes file systems allow.
constexpr qsizetype MaximumLength = 80;
constexpr qsizetype KeptEnd = 20;

} // namespace

namespace FontFileNames {

bool isFontFile(QStringView name)
{
    // .t1 beside .pfa and .pfb: Debian ships its Type 1 fonts under it.
    return endsWithAny(name,
                       {u".ttf", u".otf", u".ttc", u".otc", u".woff", u".woff2", u".pfb", u".pfa",
                        u".t1", u".pcf", u".pcf.gz", u".bdf", u".otb"});
}

bool isZipArchive(QStringView name)
{
    return name.endsWith(u".zip", Qt::CaseInsensitive);
}

bool isArchive(QStringView name)
{
    return endsWithAny(
        name,
        {u".zip", u".7z", u".rar", u".tar", u".tgz", u".tar.gz", u".tar.bz2", u".tar.xz", u".cab"});
}

QString safeFileName(QByteArrayView entryPath)
{
    // Windows archivers write "\" between folders.
    QString name = QString::fromUtf8(entryPath);
    name.replace(u'\\', u'/');
    const QStringList parts = name.split(u'/', Qt::SkipEmptyParts);
    const auto last = std::find_if(parts.crbegin(), parts.crend(), [](const QString &part) {
        return part != u"." && part != u"..";
    });
    if (last == parts.crend())
        return {};
    name = *last;
    if (name.size() > 1 && name.at(1) == u':' && parts.size() == 1)
        name.remove(0, 2); // "C:font.ttf"
    std::replace_if(name.begin(), name.end(), isControl, QChar(u'_'));
    if (name.size() > MaximumLength) {
        qsizetype cut = MaximumLength - KeptEnd;
        if (name.at(cut - 1).isHighSurrogate())
            --cut;
        qsizetype end = name.size() - KeptEnd;
        if (name.at(end).isLowSurrogate())
            ++end;
        name = name.left(cut) + name.mid(end);
    }
    return name;
}

} // namespace FontFileNames
