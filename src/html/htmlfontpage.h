#pragma once

#include "typography.h"

#include <QString>
#include <QStringList>

#include <functional>

class QDateTime;
class QLocale;

// What the HTML page of the fonts shows.
struct HtmlPageContent
{
    QString version; // "Glyphor 3.5": the author tag, the title and the heading
    QStringList fonts; // the list's entries, one row each, in order
    std::function<QString()> sample; // the sample text, asked again for every row
    // The file of a font that is not installed, for the browser to load it (@font-face); empty
    // for an installed one, which the browser finds by its name.
    std::function<QString(const QString &font)> fontFile;
    QString date; // the summary line's date and time, as the user's locale writes them
    QString time;
    QString authorLine;
    QString homePage;
    // Features, axes, spacing and language the browser draws every sample with; the default
    // adds nothing to the page.
    Typography typography;
};

// The HTML page that lists the fonts: each row holds a font's name and the sample drawn by the
// browser in that font. Windows-1252 text, every line ending in CR LF.
namespace HtmlFontPage {

enum class Outcome {
    Written,
    NotOpened, // the file could not be created; nothing was touched
};

// Writes the page through a temporary file in the target's folder, renamed over the target once
// complete, so that a failure leaves no half-written page and the old one as it was. A write that
// fails once the file is open throws GlyphorError with the system's reason.
Outcome write(const QString &path, const HtmlPageContent &content);

// The CSS declarations of the typography ("font-feature-settings: ..."), empty for the default.
QString typographyCss(const Typography &typography);

// The summary line's date and time: the locale's short date, and its long time without the time
// zone (hours, minutes and seconds).
QString dateText(const QDateTime &moment, const QLocale &locale);

} // namespace HtmlFontPage
