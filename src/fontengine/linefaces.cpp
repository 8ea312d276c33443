#include "linefaces.h"

#include "facechoice.h"
#include "fontcatalog.h"

LineFaces::LineFaces(const FontCatalog &catalog)
    : m_catalog(catalog)
{
}

const LineFaces::Style &LineFaces::style(const QString &family, bool bold, bool italic) const
{
    Style &style = m_families[family][int(bold) * 2 + int(italic)];
    if (!style.known) {
        style.known = true;
        const QList<FontFace> faces = m_catalog.faces(family);
        const FaceChoice choice = chooseFace(faces, bold, italic);
        if (choice.face >= 0) {
            style.face = faces[choice.face].pattern;
            style.madeUp = choice.embolden || choice.oblique;
        }
    }
    return style;
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
