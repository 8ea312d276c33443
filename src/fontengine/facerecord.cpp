#include "facerecord.h"

#include <fontconfig/fontconfig.h>

namespace FaceRecord {

static_assert(NormalWidth == FC_WIDTH_NORMAL && ItalicSlant == FC_SLANT_ITALIC
              && ObliqueSlant == FC_SLANT_OBLIQUE);

double openTypeWeight(int fontconfigWeight)
{
    return FcWeightToOpenTypeDouble(fontconfigWeight);
}

QString styleName(const FcPattern *face)
{
    FcChar8 *style = nullptr;
    if (face && FcPatternGetString(face, FC_STYLE, 0, &style) == FcResultMatch && style)
        return QString::fromUtf8(reinterpret_cast<const char *>(style));
    return QStringLiteral("?");
}

const FcCharSet *characterSet(const FcPattern *face)
{
    FcCharSet *set = nullptr;
    if (!face || FcPatternGetCharSet(face, FC_CHARSET, 0, &set) != FcResultMatch)
        return nullptr;
    return set;
}

QList<char32_t> characters(const FcCharSet *set)
{
    QList<char32_t> found;
    if (!set)
        return found;
    FcChar32 map[FC_CHARSET_MAP_SIZE];
    FcChar32 next = 0;
    for (FcChar32 base = FcCharSetFirstPage(set, map, &next); base != FC_CHARSET_DONE;
         base = FcCharSetNextPage(set, map, &next)) {
        for (int word = 0; word < FC_CHARSET_MAP_SIZE; ++word) {
            for (int bit = 0; bit < 32; ++bit) {
                if (map[word] & (1u << bit))
                    found.append(base + FcChar32(word * 32 + bit));
            }
        }
    }
    return found;
}

QList<char32_t> characters(const FcPattern *face)
{
    return characters(characterSet(face));
}

const FcLangSet *languageSet(const FcPattern *face)
{
    FcLangSet *languages = nullptr;
    if (!face || FcPatternGetLangSet(face, FC_LANG, 0, &languages) != FcResultMatch)
        return nullptr;
    return languages;
}

QStringList languageCodes(const FcLangSet *languages)
{
    QStringList codes;
    if (!languages)
        return codes;
    FcStrSet *set = FcLangSetGetLangs(languages);
    FcStrList *list = FcStrListCreate(set);
    while (const FcChar8 *code = FcStrListNext(list))
        codes.append(QString::fromUtf8(reinterpret_cast<const char *>(code)));
    FcStrListDone(list);
    FcStrSetDestroy(set);
    return codes;
}

QStringList languageCodes(const FcPattern *face)
{
    return languageCodes(languageSet(face));
}

} // namespace FaceRecord
