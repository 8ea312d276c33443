#include "languagechoices.h"

#include "fontlanguages.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>

QList<LanguageChoice> languagesByFrenchName()
{
    QList<LanguageChoice> languages;
    for (const QString &code : FontLanguages::codes())
        languages.append({code, FontLanguages::frenchName(code)});
    QCollator collator(QLocale(QLocale::French));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(languages.begin(), languages.end(),
                     [&](const LanguageChoice &a, const LanguageChoice &b) {
                         return collator.compare(a.name, b.name) < 0;
                     });
    return languages;
}
