#pragma once

#include <QString>

// The count of families the window's caption gives, in French.
namespace FamilyCount {

// Whose families are counted: the installed fonts or the font files opened.
enum class Source { Installed, Opened };

// "N fontes disponibles" for the whole list; while a filter is on, how many of them are shown:
// "n fontes affichées sur N", "1 fonte affichée sur N", "aucune fonte affichée sur N". Of opened
// files: "N fontes ouvertes", "n fontes affichées sur N ouvertes".
QString text(qsizetype shown, qsizetype all, bool filtering, Source source = Source::Installed);

} // namespace FamilyCount
