#include "printfaces.h"

#include "facechoice.h"

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>
#include <hb-subset.h>

#include <QDir>
#include <QFile>

#include <algorithm>

namespace {

// The licence's embedding bits (OpenType's fsType): restricted, unless a less restrictive bit is
// set beside it; or bitmaps only, which a PDF of outlines cannot honour either.
bool embeddingForbidden(FT_Face ft)
{
    const FT_UShort fsType = FT_Get_FSType_Flags(ft);
    const FT_UShort usage = fsType
        & (FT_FSTYPE_RESTRICTED_LICENSE_EMBEDDING | FT_FSTYPE_PREVIEW_AND_PRINT_EMBEDDING
           | FT_FSTYPE_EDITABLE_EMBEDDING);
    return usage == FT_FSTYPE_RESTRICTED_LICENSE_EMBEDDING
        || (fsType & FT_FSTYPE_BITMAP_EMBEDDING_ONLY);
}

QString styleKey(const PrintFont &font)
{
    return font.family + QChar(u'\0') + QChar(font.bold ? u'b' : u'-')
        + QChar(font.italic ? u'i' : u'-');
}

// The whole font file, read: HarfBuzz's own reading maps it, and a file cut short meanwhile (an
// opened font rewritten) would end the program with a bus error.
hb_blob_t *blobOfFile(const QByteArray &file)
{
    QFile source(QFile::decodeName(file));
    if (!source.open(QIODevice::ReadOnly))
        return nullptr;
    auto *bytes = new QByteArray(source.readAll());
    if (bytes->isEmpty()) {
        delete bytes;
        return nullptr;
    }
    return hb_blob_create(bytes->constData(), unsigned(bytes->size()), HB_MEMORY_MODE_READONLY,
                          bytes, [](void *data) { delete static_cast<QByteArray *>(data); });
}

} // namespace

PrintFaces::PrintFaces(const FontCatalog &catalog)
    : m_catalog(catalog)
    , m_faces(catalog, FaceCache::Target::Paper)
{
}

PrintFaces::~PrintFaces()
{
    for (const auto &[key, chosen] : m_chosen) {
        if (chosen.cairo)
            cairo_font_face_destroy(chosen.cairo);
        if (chosen.copy)
            cairo_font_face_destroy(chosen.copy);
    }
    for (cairo_font_face_t *copy : m_retired)
        cairo_font_face_destroy(copy);
}

cairo_font_face_t *PrintFaces::cairoFace(const QByteArray &file, int index, bool embolden)
{
    // cairo opens the file itself, and closes it again when too many are open: a catalogue of
    // thousands of fonts never holds them all open.
    FcPattern *pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FILE, reinterpret_cast<const FcChar8 *>(file.constData()));
    FcPatternAddInteger(pattern, FC_INDEX, index);
    // In the pattern, not set on the face afterwards: cairo shares one face between all who ask
    // for the same file with the same options.
    FcPatternAddBool(pattern, FC_EMBOLDEN, embolden ? FcTrue : FcFalse);
    FcPatternAddBool(pattern, FC_HINTING, FcFalse);
    cairo_font_face_t *face = cairo_ft_font_face_create_for_pattern(pattern);
    FcPatternDestroy(pattern);
    return face;
}

std::pair<QByteArray, int> PrintFaces::copyFont(const FontFace &face, const QSet<unsigned> &glyphs)
{
    if (m_copies.empty() || m_copies.back()->isFull())
        m_copies.push_back(std::make_unique<FontCollectionFile>(QDir::tempPath()));
    FontCollectionFile &collection = *m_copies.back();
    hb_blob_t *blob = blobOfFile(face.file);
    if (!blob)
        return {};
    hb_face_t *source = hb_face_create(blob, unsigned(face.index));
    hb_blob_destroy(blob);
    hb_subset_input_t *input = hb_subset_input_create_or_fail();
    int index = -1;
    if (input) {
        // The missing-glyph box is kept: the subsetter would empty it, and the list shows it.
        hb_subset_input_set_flags(input,
                                  HB_SUBSET_FLAGS_NO_HINTING | HB_SUBSET_FLAGS_RETAIN_GIDS
                                      | HB_SUBSET_FLAGS_NOTDEF_OUTLINE);
        hb_set_t *kept = hb_subset_input_glyph_set(input);
        for (const unsigned glyph : glyphs)
            hb_set_add(kept, glyph);
        if (hb_face_t *copy = hb_subset_or_fail(source, input)) {
            hb_blob_t *data = hb_face_reference_blob(copy);
            unsigned length = 0;
            const char *bytes = hb_blob_get_data(data, &length);
            index = collection.add(QByteArray::fromRawData(bytes, qsizetype(length)));
            hb_blob_destroy(data);
            hb_face_destroy(copy);
        }
        hb_subset_input_destroy(input);
    }
    hb_face_destroy(source);
    if (index < 0)
        return {};
    return {QFile::encodeName(collection.path()), index};
}

cairo_font_face_t *PrintFaces::embedding(const Face &face, const QList<unsigned> &glyphs)
{
    Chosen &style = *face.style;
    if (style.uncopiable)
        return style.cairo;
    const bool held = style.copy && std::all_of(glyphs.cbegin(), glyphs.cend(), [&](unsigned g) {
                          return style.copied.contains(g);
                      });
    if (held)
        return style.copy;
    for (const unsigned glyph : glyphs)
        style.copied.insert(glyph);
    // A font drawn with more than once (the header's, the names') is likely to be drawn with
    // again: its next copy holds the Latin-1 letters too, rather than a copy for each new one.
    if (style.copy) {
        for (char32_t character = 0x20; character <= 0xFF; ++character) {
            hb_codepoint_t glyph = 0;
            if (hb_font_get_nominal_glyph(face.open->shaper, character, &glyph))
                style.copied.insert(glyph);
        }
    }
    const auto [file, index] = copyFont(style.face, style.copied);
    cairo_font_face_t *made = file.isEmpty() ? nullptr : cairoFace(file, index, style.embolden);
    if (!made || cairo_font_face_status(made) != CAIRO_STATUS_SUCCESS) {
        if (made)
            cairo_font_face_destroy(made);
        style.uncopiable = true;
        return style.cairo;
    }
    // The older copy is kept: a line being drawn may still hold it.
    if (style.copy)
        m_retired.push_back(style.copy);
    style.copy = made;
    return made;
}

PrintFaces::Chosen &PrintFaces::chosen(const PrintFont &font, double pixelSize)
{
    const QString key = styleKey(font);
    if (const auto known = m_chosen.find(key); known != m_chosen.end())
        return known->second;
    Chosen &made = m_chosen[key];
    const QList<FontFace> faces = m_catalog.faces(font.family);
    const FaceChoice choice = chooseFace(faces, font.bold, font.italic, pixelSize);
    if (choice.face < 0)
        return made;
    made.face = faces[choice.face];
    made.embolden = choice.embolden;
    made.oblique = choice.oblique;
    made.found = true;
    made.cairo = cairoFace(made.face.file, made.face.index, made.embolden);
    if (cairo_font_face_status(made.cairo) != CAIRO_STATUS_SUCCESS)
        made.broken = true;
    return made;
}

PrintFaces::Face PrintFaces::face(const PrintFont &font, double pixelSize, bool lending)
{
    Face face;
    Chosen &style = chosen(font, pixelSize);
    if (style.found && !style.broken) {
        face.open = m_faces.sized(style.face, pixelSize);
        if (face.open && FT_IS_SCALABLE(face.open->ft)) {
            // Only OpenType can be copied; cairo embeds a Type 1 font as it is.
            if (!FT_IS_SFNT(face.open->ft))
                style.uncopiable = true;
            face.cairo = style.cairo;
            face.oblique = style.oblique;
            face.style = &style;
            face.printed
                = embeddingForbidden(face.open->ft) ? Printed::Outlines : Printed::Embedded;
        } else if (face.open && face.open->ft->num_fixed_sizes > 0) {
            face.style = &style;
            face.printed = Printed::Bitmaps;
        }
    }
    if (face.printed == Printed::LeftOut) {
        face.open = nullptr;
        if (!lending)
            m_leftOut.insert(font.family);
    }
    return face;
}

QString PrintFaces::lender(char32_t character, const PrintFont &font)
{
    const QPair<char32_t, QString> key {character, font.family};
    if (const auto known = m_lenders.constFind(key); known != m_lenders.cend())
        return *known;
    return *m_lenders.insert(key, m_catalog.familyWithCharacter(character, font.family));
}

void PrintFaces::leaveOut(const PrintFont &font)
{
    chosen(font).broken = true;
    m_leftOut.insert(font.family);
}
