#include "charactersearch.h"

#include "namematch.h"
#include "unicodeblocks.h"

#include <algorithm>

namespace CharacterSearch {

namespace {

qsizetype placeOf(const QList<char32_t> &characters, char32_t character)
{
    const auto found = std::lower_bound(characters.cbegin(), characters.cend(), character);
    return found != characters.cend() && *found == character ? found - characters.cbegin() : -1;
}

// Each word begins a word of the name.
bool nameAnswers(char32_t character, const QStringList &words)
{
    const QStringList nameWords = NameMatch::folded(UnicodeBlocks::characterName(character))
                                      .replace(u'-', u' ')
                                      .split(u' ', Qt::SkipEmptyParts);
    return std::all_of(words.cbegin(), words.cend(), [&](const QString &word) {
        return std::any_of(nameWords.cbegin(), nameWords.cend(),
                           [&](const QString &nameWord) { return nameWord.startsWith(word); });
    });
}

} // namespace

qsizetype find(const QList<char32_t> &characters, const QString &query, qsizetype after)
{
    const QString wanted = query.trimmed();
    if (wanted.isEmpty() || characters.isEmpty())
        return -1;
    // A code or the character itself names one character: found again and again.
    QString hex = wanted;
    if (hex.startsWith(QLatin1String("U+"), Qt::CaseInsensitive))
        hex = hex.mid(2);
    bool isHex = false;
    const uint code = hex.toUInt(&isHex, 16);
    if (isHex && hex.size() >= 2) {
        if (const qsizetype place = placeOf(characters, char32_t(code)); place >= 0)
            return place;
    }
    const QList<uint> typed = wanted.toUcs4();
    if (typed.size() == 1)
        return placeOf(characters, char32_t(typed.first()));

    const QStringList words = NameMatch::words(wanted);
    const qsizetype count = characters.size();
    const qsizetype start = std::clamp<qsizetype>(after + 1, 0, count);
    for (qsizetype i = 0; i < count; ++i) {
        const qsizetype place = (start + i) % count;
        if (nameAnswers(characters[place], words))
            return place;
    }
    return -1;
}

} // namespace CharacterSearch
