#pragma once

#include <QString>

struct _FcConfig;

// The fonts installed on the system, as fontconfig knows them (no widget, no Qt font database).
namespace SystemFonts {

// The user's whole font configuration: fontconfig's current one, loaded on first use, or the one
// that was current when keepWholeConfiguration() ran, whatever has been made current since.
_FcConfig *configuration();

// Holds on to the current configuration as the whole one, so that a smaller one can be made
// current for the toolkit. Loads it when none is loaded yet.
void keepWholeConfiguration();

// Whether a font of that family is installed (ignoring case and blanks, as fontconfig compares).
bool hasFamily(const QString &name);

// The installed family fontconfig's full match gives for a name: the name itself when a font has
// it, an alias's target ("sans-serif", "Arial"), or the best font it has for an unknown name.
// Empty only when no font is installed at all. It weighs every installed font: tens of
// milliseconds with thousands of them.
QString matchFamily(const QString &name);

} // namespace SystemFonts
