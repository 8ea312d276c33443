#pragma once

#include <QString>

// Unicode's blocks (ICU's data): which block a character is in, the block's name and how many
// characters it assigns.
namespace UnicodeBlocks {

// ICU's block code; 0 for a character in no block.
int blockOf(char32_t character);
// "Basic Latin": the English name, Unicode's own (ICU has no French names for blocks).
QString name(int block);
// How many characters of the block Unicode assigns.
int assignedCount(int block);

// The character's Unicode name ("LATIN SMALL LETTER E WITH ACUTE"); for one without a name of
// its own, ICU's label ("<control-0007>").
QString characterName(char32_t character);
// "U+00E9"
QString codePoint(char32_t character);

} // namespace UnicodeBlocks
