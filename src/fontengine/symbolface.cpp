#include "symbolface.h"

#include "samplecoverage.h"

#include <QChar>

#include FT_TRUETYPE_TABLES_H

namespace SymbolFace {

namespace {

constexpr int SymbolicClass = 12; // OS/2 sFamilyClass, high byte

bool drawnSymbol(char32_t character)
{
    switch (QChar::category(character)) {
    case QChar::Symbol_Math:
    case QChar::Symbol_Currency:
    case QChar::Symbol_Modifier:
    case QChar::Symbol_Other:
    case QChar::Other_PrivateUse:
        return true;
    default:
        return false;
    }
}

bool mostlySymbols(FT_Face face)
{
    FT_CharMap unicode = nullptr;
    for (int i = 0; i < face->num_charmaps; ++i) {
        if (face->charmaps[i]->encoding == FT_ENCODING_UNICODE)
            unicode = face->charmaps[i];
    }
    if (!unicode)
        return false;
    const FT_CharMap selected = face->charmap;
    FT_Set_Charmap(face, unicode);
    qint64 characters = 0;
    qint64 symbols = 0;
    FT_UInt glyph = 0;
    for (FT_ULong character = FT_Get_First_Char(face, &glyph); glyph != 0;
         character = FT_Get_Next_Char(face, character, &glyph)) {
        // Blanks and controls: every font has some, whatever it draws.
        if (!SampleCoverage::counts(char32_t(character)))
            continue;
        ++characters;
        if (drawnSymbol(char32_t(character)))
            ++symbols;
    }
    if (selected)
        FT_Set_Charmap(face, selected);
    return symbols * 2 > characters;
}

} // namespace

FT_CharMap symbolCharmap(FT_Face face)
{
    for (int i = 0; i < face->num_charmaps; ++i) {
        const FT_CharMap map = face->charmaps[i];
        if (map->encoding == FT_ENCODING_ADOBE_CUSTOM || map->encoding == FT_ENCODING_MS_SYMBOL)
            return map;
    }
    return nullptr;
}

bool isSymbolFont(FT_Face face)
{
    if (symbolCharmap(face))
        return true;
    if (const auto *os2 = static_cast<const TT_OS2 *>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2)); os2
        && os2->version != 0xFFFF && ((quint16(os2->sFamilyClass) >> 8) & 0xFF) == SymbolicClass)
        return true;
    return mostlySymbols(face);
}

} // namespace SymbolFace
