#pragma once

#include <QList>
#include <QString>

// Finding a character of a face as a person asks for it: by its code ("U+00E9", "00e9"), the
// character itself ("é"), or words of its Unicode name in any order, each the start of a word of
// the name ("small e acute" finds U+00E9 LATIN SMALL LETTER E WITH ACUTE; a lone "e" does not
// find every name with an E inside a word).
namespace CharacterSearch {

// The place in characters (sorted) of the first character after place `after` that answers the
// query, going round to the start; -1 when none does. after = -1 searches from the start.
qsizetype find(const QList<char32_t> &characters, const QString &query, qsizetype after = -1);

} // namespace CharacterSearch
