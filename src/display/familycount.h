#pragma once

#include <QString>

// The count of families the window's caption gives, in French.
namespace FamilyCount {

// "N fontes disponibles" for the whole list; while a filter is on, how many of them are shown:
// "n fontes affichées sur N", "1 fonte affichée sur N", "aucune fonte affichée sur N".
QString text(qsizetype shown, qsizetype all, bool filtering);

} // namespace FamilyCount
