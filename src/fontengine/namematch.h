#pragma once

#include <QString>
#include <QStringList>

// Finding a family by words of its name, as a person types them: case and accents do not count
// ("ebe" finds "Ébène"), every word must appear somewhere in the name, in any order ("sans mono"
// finds "DejaVu Sans Mono"), and every character is taken literally.
namespace NameMatch {

// The text as it is compared: accents and other marks removed, compatibility forms spelt out
// ("ﬁ" as "fi"), case folded.
QString folded(const QString &text);

// The words of a filter, folded, each once, the longest first (it rules out the most names).
// Blanks of any kind, line breaks included, separate words.
QStringList words(const QString &filter);

// Whether a folded name contains every one of the words.
bool matches(const QString &foldedName, const QStringList &words);

} // namespace NameMatch
