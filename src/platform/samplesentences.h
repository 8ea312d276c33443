#pragma once

#include <QString>

// A sentence to show a language's letters ("Con sói nâu nhảy qua con chó lười." for Vietnamese),
// from the sample-string table of Pango, GNOME's text layout library, which the desktop has
// installed: about 80 languages, pangrams where the language has one. Loaded at the first
// question, so that starting the program costs nothing.
namespace SampleSentences {

// The sentence for a language code as fontconfig writes them ("vi", "zh-tw"); empty when the
// table has none for it, or when Pango cannot be loaded.
QString forLanguage(const QString &code);

} // namespace SampleSentences
