#include "printfaces.h"

#include "facechoice.h"

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>

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

} // namespace

PrintFaces::PrintFaces(const FontCatalog &catalog)
    : m_catalog(catalog)
    , m_faces(catalog, FaceCache::Target::Paper)
{
}

PrintFaces::~PrintFaces()
{
    for (const Chosen &chosen : std::as_const(m_chosen)) {
        if (chosen.cairo)
            cairo_font_face_destroy(chosen.cairo);
    }
}

PrintFaces::Chosen &PrintFaces::chosen(const PrintFont &font)
{
    const QString key = styleKey(font);
    if (const auto known = m_chosen.find(key); known != m_chosen.end())
        return *known;
    Chosen &made = m_chosen[key];
    const QList<FontFace> faces = m_catalog.faces(font.family);
    const FaceChoice choice = chooseFace(faces, font.bold, font.italic);
    if (choice.face < 0)
        return made;
    made.face = faces[choice.face];
    made.embolden = choice.embolden;
    made.oblique = choice.oblique;
    made.found = true;
    // cairo opens the file itself, and closes it again when too many are open: a catalogue of
    // thousands of fonts never holds them all open.
    FcPattern *pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FILE,
                       reinterpret_cast<const FcChar8 *>(made.face.file.constData()));
    FcPatternAddInteger(pattern, FC_INDEX, made.face.index);
    // In the pattern, not set on the face afterwards: cairo shares one face between all who ask
    // for the same file with the same options.
    FcPatternAddBool(pattern, FC_EMBOLDEN, made.embolden ? FcTrue : FcFalse);
    FcPatternAddBool(pattern, FC_HINTING, FcFalse);
    made.cairo = cairo_ft_font_face_create_for_pattern(pattern);
    FcPatternDestroy(pattern);
    if (cairo_font_face_status(made.cairo) != CAIRO_STATUS_SUCCESS)
        made.broken = true;
    return made;
}

PrintFaces::Face PrintFaces::face(const PrintFont &font, double pixelSize)
{
    Face face;
    const Chosen &style = chosen(font);
    if (style.found && !style.broken) {
        face.open = m_faces.sized(style.face, pixelSize);
        if (face.open && FT_IS_SCALABLE(face.open->ft)) {
            face.cairo = style.cairo;
            face.oblique = style.oblique;
            face.printed
                = embeddingForbidden(face.open->ft) ? Printed::Outlines : Printed::Embedded;
        }
    }
    if (face.printed == Printed::LeftOut) {
        face.open = nullptr;
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
