#include "facemetadata.h"

#include "fontfilestream.h"
#include "symbolface.h"

#include <QHash>
#include <QSet>
#include <QStringDecoder>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_FONT_FORMATS_H
#include FT_MULTIPLE_MASTERS_H
#include FT_SFNT_NAMES_H
#include FT_TYPE1_TABLES_H
#include FT_TRUETYPE_IDS_H
#include FT_TRUETYPE_TABLES_H
#include <hb-ft.h>
#include <hb-ot.h>

#include <algorithm>
#include <array>
#include <memory>

namespace {

// Names of a window line; a licence or copyright of several paragraphs.
constexpr qsizetype ShortText = 512;
constexpr qsizetype LongText = 16384;
// A damaged table's counts are not believed beyond these.
constexpr unsigned int MostAxes = 64;
constexpr unsigned int MostInstances = 256;
constexpr unsigned int MostFeatures = 4096;

// The names table's ids, as OpenType numbers them.
enum NameId : FT_UShort {
    CopyrightId = 0,
    FamilyId = 1,
    StyleId = 2,
    VersionId = 5,
    TrademarkId = 7,
    ManufacturerId = 8,
    DesignerId = 9,
    VendorUrlId = 11,
    DesignerUrlId = 12,
    LicenceId = 13,
    LicenceUrlId = 14,
    TypographicFamilyId = 16,
    TypographicStyleId = 17,
};

// Line breaks and tabs kept where text may run over lines; every other control character is
// dropped: nothing of a font reaches a window as anything but text.
QString plainText(QString text, qsizetype limit, bool multiline)
{
    text.removeIf([multiline](QChar c) {
        if (multiline && (c == u'\n' || c == u'\t'))
            return false;
        const QChar::Category category = c.category();
        return category == QChar::Other_Control || category == QChar::Other_Format
            || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
    });
    if (text.size() > limit) {
        text.truncate(limit);
        if (text.back().isHighSurrogate())
            text.chop(1);
    }
    return text.trimmed();
}

QString decodedName(const FT_SfntName &name)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(name.string), name.string_len);
    // Unicode and Windows names are UTF-16, big-endian; Macintosh Roman is Latin-1 below 0x80
    // and close enough above for a name.
    if (name.platform_id == TT_PLATFORM_APPLE_UNICODE || name.platform_id == TT_PLATFORM_MICROSOFT)
        return QStringDecoder(QStringDecoder::Utf16BE).decode(bytes);
    return QString::fromLatin1(bytes);
}

// How much a record is wanted: Windows before Unicode before Macintosh, French before English
// before any other language.
int preference(const FT_SfntName &name)
{
    int score = 0;
    if (name.platform_id == TT_PLATFORM_MICROSOFT) {
        score = 30;
        const int language = name.language_id & 0x3ff;
        score += language == 0x0c ? 5 : language == 0x09 ? 3 : 0;
        if (name.encoding_id != TT_MS_ID_UNICODE_CS && name.encoding_id != TT_MS_ID_UCS_4
            && name.encoding_id != TT_MS_ID_SYMBOL_CS)
            score = 1; // Chinese or Japanese legacy encodings: read only as a last resort
    } else if (name.platform_id == TT_PLATFORM_APPLE_UNICODE) {
        score = 20;
    } else if (name.platform_id == TT_PLATFORM_MACINTOSH && name.encoding_id == TT_MAC_ID_ROMAN) {
        score = name.language_id == TT_MAC_LANGID_ENGLISH ? 12 : 10;
    }
    return score;
}

// The best record of each name wanted: the standard ones (below 18) and those the layout and
// variation tables point to.
struct Names
{
    QHash<FT_UShort, std::pair<int, QString>> best; // score, text
    QString operator[](FT_UShort id) const { return best.value(id).second; }
};

Names readNames(FT_Face face, const QSet<FT_UShort> &more)
{
    Names names;
    const FT_UInt count = FT_Get_Sfnt_Name_Count(face);
    for (FT_UInt i = 0; i < count; ++i) {
        FT_SfntName name;
        if (FT_Get_Sfnt_Name(face, i, &name) != 0
            || (name.name_id > TypographicStyleId && !more.contains(name.name_id)))
            continue;
        const int score = preference(name);
        auto &[best, text] = names.best[name.name_id];
        if (score > best) {
            best = score;
            text = decodedName(name);
        }
    }
    return names;
}

// Four bytes, spaces included (" RQD"); anything unprintable shown as "?".
QString tagText(hb_tag_t tag)
{
    char text[5] = {};
    hb_tag_to_string(tag, text);
    QString shown = QString::fromLatin1(text, 4);
    for (QChar &c : shown) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7e)
            c = u'?';
    }
    return shown;
}

// The names the font gives its stylistic sets and character variants (ss01 "Alternate a"), by
// the name table's ids: each feature once.
QList<std::pair<QString, FT_UShort>> featureNames(hb_face_t *face)
{
    QList<std::pair<QString, FT_UShort>> named;
    const unsigned int total
        = hb_ot_layout_table_get_feature_tags(face, HB_OT_TAG_GSUB, 0, nullptr, nullptr);
    hb_tag_t tag = 0;
    for (unsigned int i = 0; i < total && i < MostFeatures; ++i) {
        unsigned int one = 1;
        hb_ot_layout_table_get_feature_tags(face, HB_OT_TAG_GSUB, i, &one, &tag);
        const QString text = tagText(tag);
        if (!text.startsWith(QLatin1String("ss")) && !text.startsWith(QLatin1String("cv")))
            continue;
        hb_ot_name_id_t label = HB_OT_NAME_ID_INVALID;
        if (hb_ot_layout_feature_get_name_ids(face, HB_OT_TAG_GSUB, i, &label, nullptr, nullptr,
                                              nullptr, nullptr)
            && label != HB_OT_NAME_ID_INVALID && label <= 0xffff)
            named.append({text, FT_UShort(label)});
    }
    return named;
}

QStringList tags(hb_face_t *face, hb_tag_t table, bool features)
{
    QStringList found;
    hb_tag_t buffer[64];
    unsigned int start = 0;
    for (;;) {
        unsigned int count = 64;
        const unsigned int total = features
            ? hb_ot_layout_table_get_feature_tags(face, table, start, &count, buffer)
            : hb_ot_layout_table_get_script_tags(face, table, start, &count, buffer);
        for (unsigned int i = 0; i < count; ++i)
            found.append(tagText(buffer[i]));
        start += count;
        if (count == 0 || start >= total || start > MostFeatures)
            break;
    }
    return found;
}

QStringList sortedOnce(QStringList list)
{
    list.removeAll(QString());
    std::sort(list.begin(), list.end());
    list.erase(std::unique(list.begin(), list.end()), list.end());
    return list;
}

// A PostScript font dictionary's string: ASCII mostly, Latin-1 in older fonts ("\251" for ©).
QString dictionaryText(const char *text)
{
    if (!text)
        return {};
    const QByteArrayView bytes(text);
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString decoded = utf8.decode(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : decoded;
}

struct LibraryDone
{
    void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct FaceDone
{
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};

} // namespace

FontClass FaceMetadata::fontClass() const
{
    // OS/2 family classes: 1-5 and 7 serifs, 8 sans serif, 9 ornamentals, 10 scripts.
    switch (familyClass) {
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
    case 7:
        return FontClass::Serif;
    case 8:
        return FontClass::SansSerif;
    case 9:
        return FontClass::Decorative;
    case 10:
        return FontClass::Script;
    default:
        break;
    }
    // PANOSE: 2 Latin text (its serif style tells), 3 hand written, 4 decorative.
    switch (panoseFamily) {
    case 2:
        if (panoseSerif >= 2 && panoseSerif <= 10)
            return FontClass::Serif;
        if (panoseSerif >= 11 && panoseSerif <= 15)
            return FontClass::SansSerif;
        return FontClass::Unclassified;
    case 3:
        return FontClass::Script;
    case 4:
        return FontClass::Decorative;
    default:
        return FontClass::Unclassified;
    }
}

std::optional<FaceMetadata> readFaceMetadata(const QByteArray &file, int index)
{
    FT_Library rawLibrary = nullptr;
    if (FT_Init_FreeType(&rawLibrary) != 0)
        return std::nullopt;
    const std::unique_ptr<FT_LibraryRec_, LibraryDone> library(rawLibrary);
    FT_Face rawFace = nullptr;
    if (openFaceFromFile(rawLibrary, file, index, &rawFace) != 0)
        return std::nullopt;
    const std::unique_ptr<FT_FaceRec_, FaceDone> face(rawFace);

    FaceMetadata metadata;
    // Names the variation and layout tables point to, read with the others.
    QSet<FT_UShort> pointed;
    QList<std::pair<QString, FT_UShort>> featureNameIds;
    std::vector<FT_UInt> axisNameIds;
    std::vector<std::pair<FT_UInt, QList<double>>> instances;
    if (FT_MM_Var *variations = nullptr;
        FT_HAS_MULTIPLE_MASTERS(rawFace) && FT_Get_MM_Var(rawFace, &variations) == 0) {
        const FT_UInt axes = std::min<FT_UInt>(variations->num_axis, MostAxes);
        for (FT_UInt i = 0; i < axes; ++i) {
            const FT_Var_Axis &axis = variations->axis[i];
            metadata.axes.append({tagText(axis.tag).toLatin1(), axis.minimum / 65536.0,
                                  axis.def / 65536.0, axis.maximum / 65536.0, QString()});
            axisNameIds.push_back(axis.strid);
            pointed.insert(FT_UShort(axis.strid));
        }
        for (FT_UInt i = 0; i < variations->num_namedstyles && i < MostInstances; ++i) {
            const FT_Var_Named_Style &style = variations->namedstyle[i];
            QList<double> coordinates;
            for (FT_UInt a = 0; a < axes; ++a)
                coordinates.append(style.coords[a] / 65536.0);
            instances.emplace_back(style.strid, coordinates);
            pointed.insert(FT_UShort(style.strid));
        }
        FT_Done_MM_Var(rawLibrary, variations);
    }
    if (FT_IS_SFNT(rawFace)) {
        hb_face_t *layout = hb_ft_face_create_referenced(rawFace);
        metadata.features
            = sortedOnce(tags(layout, HB_OT_TAG_GSUB, true) + tags(layout, HB_OT_TAG_GPOS, true));
        metadata.scripts
            = sortedOnce(tags(layout, HB_OT_TAG_GSUB, false) + tags(layout, HB_OT_TAG_GPOS, false));
        featureNameIds = featureNames(layout);
        for (const auto &[tag, id] : featureNameIds)
            pointed.insert(id);
        hb_face_destroy(layout);
    }
    const Names names = readNames(rawFace, pointed);
    for (qsizetype i = 0; i < metadata.axes.size(); ++i)
        metadata.axes[i].name
            = plainText(names[FT_UShort(axisNameIds[size_t(i)])], ShortText, false);
    for (const auto &[id, coordinates] : instances) {
        if (const QString name = plainText(names[FT_UShort(id)], ShortText, false); !name.isEmpty())
            metadata.instances.append({name, coordinates});
    }
    for (const auto &[tag, id] : featureNameIds) {
        if (const QString name = plainText(names[id], ShortText, false);
            !name.isEmpty() && !metadata.featureNames.contains(tag))
            metadata.featureNames.insert(tag, name);
    }
    const auto name = [&](NameId id, NameId preferred = NameId(0xffff)) {
        if (preferred != 0xffff && !names[preferred].isEmpty())
            return names[preferred];
        return names[id];
    };
    metadata.family = plainText(name(FamilyId, TypographicFamilyId), ShortText, false);
    if (metadata.family.isEmpty() && rawFace->family_name)
        metadata.family = plainText(QString::fromUtf8(rawFace->family_name), ShortText, false);
    metadata.style = plainText(name(StyleId, TypographicStyleId), ShortText, false);
    if (metadata.style.isEmpty() && rawFace->style_name)
        metadata.style = plainText(QString::fromUtf8(rawFace->style_name), ShortText, false);
    metadata.version = plainText(name(VersionId), ShortText, false);
    metadata.copyright = plainText(name(CopyrightId), LongText, true);
    metadata.trademark = plainText(name(TrademarkId), LongText, true);
    metadata.manufacturer = plainText(name(ManufacturerId), ShortText, false);
    metadata.designer = plainText(name(DesignerId), ShortText, false);
    metadata.vendorUrl = plainText(name(VendorUrlId), ShortText, false);
    metadata.designerUrl = plainText(name(DesignerUrlId), ShortText, false);
    metadata.licence = plainText(name(LicenceId), LongText, true);
    metadata.licenceUrl = plainText(name(LicenceUrlId), ShortText, false);
    // A Type 1 font has no names table: its font dictionary states its version and notice.
    if (PS_FontInfoRec info; !FT_IS_SFNT(rawFace) && FT_Get_PS_Font_Info(rawFace, &info) == 0) {
        if (metadata.version.isEmpty())
            metadata.version = plainText(dictionaryText(info.version), ShortText, false);
        if (metadata.copyright.isEmpty())
            metadata.copyright = plainText(dictionaryText(info.notice), LongText, true);
    }
    if (const char *format = FT_Get_Font_Format(rawFace))
        metadata.format = QString::fromLatin1(format);
    metadata.glyphs = quint32(std::max<FT_Long>(0, rawFace->num_glyphs));
    metadata.colour = FT_HAS_COLOR(rawFace);
    metadata.symbol = SymbolFace::isSymbolFont(rawFace);

    if (const auto *os2 = static_cast<const TT_OS2 *>(FT_Get_Sfnt_Table(rawFace, FT_SFNT_OS2));
        os2 && os2->version != 0xffff) {
        metadata.hasOs2 = true;
        metadata.embedding = os2->fsType;
        metadata.familyClass = quint8((quint16(os2->sFamilyClass) >> 8) & 0xff);
        metadata.panoseFamily = os2->panose[0];
        metadata.panoseSerif = os2->panose[1];
    }

    return metadata;
}
