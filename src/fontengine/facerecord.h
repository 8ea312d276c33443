#pragma once

#include <QList>
#include <QString>
#include <QStringList>

struct _FcCharSet;
struct _FcLangSet;
struct _FcPattern;

// What fontconfig's record of a face says of it: its style name, its characters and the languages
// they write. The filters and the details window read a face through these, so that nothing else
// picks fontconfig's records apart. Only the records are read, never a font file.
namespace FaceRecord {

// fontconfig's scales for a face's width and slant (FontFace::width, FontFace::slant).
constexpr int NormalWidth = 100;
constexpr int ItalicSlant = 100;
constexpr int ObliqueSlant = 110;
// A weight on fontconfig's scale (80 regular, 200 bold) on OpenType's (400, 700).
double openTypeWeight(int fontconfigWeight);

// The face's style as the font names it ("Bold Italic", "Gras"); "?" when it names none.
QString styleName(const _FcPattern *face);

// fontconfig's character set of the face, owned by the record; null when it lists none.
const _FcCharSet *characterSet(const _FcPattern *face);
// Every character of a set or of a face, in order.
QList<char32_t> characters(const _FcCharSet *set);
QList<char32_t> characters(const _FcPattern *face);

// fontconfig's language set of the face, owned by the record; null when it lists none.
const _FcLangSet *languageSet(const _FcPattern *face);
// The codes of the languages of a set or of a face ("fr", "zh-tw"), in fontconfig's order.
QStringList languageCodes(const _FcLangSet *languages);
QStringList languageCodes(const _FcPattern *face);

} // namespace FaceRecord
