#include "samplesentences.h"

#include <QLibrary>

namespace SampleSentences {

namespace {

struct Pango
{
    using FromString = void *(*)(const char *);
    using SampleString = const char *(*)(void *);
    FromString languageFromString = nullptr;
    SampleString sampleString = nullptr;
    // What Pango answers for a language its table lacks ("The quick brown fox..."); only English
    // has that sentence as its own.
    QByteArray fallback;
};

const Pango &pango()
{
    static const Pango loaded = [] {
        Pango found;
        QLibrary library(QStringLiteral("pango-1.0"), 0);
        if (!library.load())
            return found;
        found.languageFromString
            = reinterpret_cast<Pango::FromString>(library.resolve("pango_language_from_string"));
        found.sampleString = reinterpret_cast<Pango::SampleString>(
            library.resolve("pango_language_get_sample_string"));
        if (found.languageFromString && found.sampleString) {
            if (const char *fallback = found.sampleString(found.languageFromString("xx")))
                found.fallback = fallback;
        }
        return found;
    }();
    return loaded;
}

} // namespace

QString forLanguage(const QString &code)
{
    const Pango &table = pango();
    if (!table.languageFromString || !table.sampleString || code.isEmpty())
        return {};
    const QByteArray language = code.toLatin1();
    const char *sentence = table.sampleString(table.languageFromString(language.constData()));
    if (!sentence || (sentence == table.fallback && !language.startsWith("en")))
        return {};
    return QString::fromUtf8(sentence);
}

} // namespace SampleSentences
