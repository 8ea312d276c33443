#include "linefaces.h"

#include "facechoice.h"
#include "fontcatalog.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>

namespace {

bool boolOf(const FcPattern *face, const char *object)
{
    FcBool value = FcFalse;
    return FcPatternGetBool(face, object, 0, &value) == FcResultMatch && value;
}

} // namespace

LineFaces::LineFaces(const FontCatalog &catalog)
    : m_catalog(catalog)
{
}

const LineFaces::Family &LineFaces::family(const QString &name) const
{
    auto found = m_families.constFind(name);
    if (found == m_families.cend()) {
        Family family;
        const QList<FontFace> faces = m_catalog.faces(name);
        for (const bool bold : {false, true}) {
            for (const bool italic : {false, true}) {
                const FaceChoice choice = chooseFace(faces, bold, italic, m_pixelSize);
                if (choice.face >= 0) {
                    Style &style = family.styles[size_t(int(bold) * 2 + int(italic))];
                    style.face = faces[choice.face].pattern;
                    style.file = faces[choice.face].file;
                    style.index = faces[choice.face].index;
                    style.madeUp = choice.embolden || choice.oblique;
                    int spacing = FC_PROPORTIONAL;
                    FcPatternGetInteger(style.face, FC_SPACING, 0, &spacing);
                    style.kind = {spacing == FC_MONO || spacing == FC_CHARCELL,
                                  boolOf(style.face, FC_COLOR)};
                }
            }
        }
        family.variable = m_catalog.hasVariableFont(name);
        family.strikes = std::any_of(faces.cbegin(), faces.cend(),
                                     [](const FontFace &face) { return face.pixelSize > 0; });
        found = m_families.insert(name, family);
    }
    return *found;
}

void LineFaces::setPixelSize(double pixelSize)
{
    if (pixelSize == m_pixelSize)
        return;
    m_pixelSize = pixelSize;
    m_families.removeIf(
        [](const std::pair<const QString &, Family &> &entry) { return entry.second.strikes; });
}

_FcPattern *LineFaces::face(const QString &family, bool bold, bool italic) const
{
    return style(family, bold, italic).face;
}

bool LineFaces::hasRealBold(const QString &family) const
{
    const Style &bold = style(family, true, false);
    return bold.face && !bold.madeUp;
}

bool LineFaces::hasRealItalic(const QString &family) const
{
    const Style &italic = style(family, false, true);
    return italic.face && !italic.madeUp;
}

bool LineFaces::hasVariableFont(const QString &family) const
{
    return this->family(family).variable;
}

LineFaces::Kind LineFaces::kind(const QString &family, bool bold, bool italic) const
{
    return style(family, bold, italic).kind;
}

std::pair<QByteArray, int> LineFaces::faceFile(const QString &family, bool bold, bool italic) const
{
    const Style &found = style(family, bold, italic);
    return {found.file, found.index};
}
