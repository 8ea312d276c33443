#pragma once

struct _FcConfig;

// The user's font configuration, as fontconfig loads it (no widget, no Qt font database).
namespace SystemFonts {

// The user's whole font configuration: fontconfig's current one, loaded on first use, or the one
// that was current when keepWholeConfiguration() ran, whatever has been made current since.
_FcConfig *configuration();

// Holds on to the current configuration as the whole one, so that a smaller one can be made
// current for the toolkit. Loads it when none is loaded yet.
void keepWholeConfiguration();

// Takes a configuration loaded afresh (fonts installed or removed) as the user's whole one, in
// place of the one in use: holds its own reference to it. What was made from the old one (the
// system catalogue) stays as it was until made again; a smaller current one stays current.
void renew(_FcConfig *fresh);

} // namespace SystemFonts
