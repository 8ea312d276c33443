#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

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

// A list of names folded once and kept end to end in one text, so that a word is looked for
// through all of them in one pass rather than name by name: at every keystroke of a filter over
// thousands of families.
class FoldedNames
{
public:
    FoldedNames() = default;
    explicit FoldedNames(const QStringList &names);

    bool isEmpty() const { return m_starts.size() <= 1; }

    // The positions in the list of the names that contain every one of the words (as words()
    // gives them), in order. No words: none.
    QList<int> matching(const QStringList &words) const;

private:
    QStringView name(qsizetype entry) const;

    QString m_text; // the folded names, each followed by a line break
    QList<qsizetype> m_starts; // where each name begins, then the text's end
};

} // namespace NameMatch
