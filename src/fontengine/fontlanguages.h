#pragma once

#include <QString>
#include <QStringList>

#include <bitset>

// The languages fontconfig knows: the orthographies it checks every font's characters against,
// named by its codes ("fr", "vi", "zh-tw").
namespace FontLanguages {

// Room for fontconfig's table (about 250) with some to spare.
constexpr int Maximum = 512;
using Set = std::bitset<Maximum>;

// Every code, in fontconfig's order; a language is known by its index here.
const QStringList &codes();
int indexOf(const QString &code);

// The language's name in French ("vietnamien", "chinois (Taïwan)"), or the code when no name is
// known for it.
QString frenchName(const QString &code);

} // namespace FontLanguages
