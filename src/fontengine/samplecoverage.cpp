#include "samplecoverage.h"

#include "facechoice.h"
#include "fontcatalog.h"

#include <QStringView>

#include <fontconfig/fontconfig.h>

SampleCoverage::SampleCoverage(const FontCatalog &catalog)
    : m_catalog(catalog)
    , m_sample(FcCharSetCreate())
{
}

SampleCoverage::~SampleCoverage()
{
    FcCharSetDestroy(m_sample);
}

bool SampleCoverage::counts(char32_t character)
{
    switch (QChar::category(character)) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Separator_Space:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return false;
    default:
        // A lone surrogate is no character at all.
        return !QChar::isSurrogate(character);
    }
}

void SampleCoverage::setSample(const QString &sample)
{
    FcCharSet *characters = FcCharSetCreate();
    for (const char32_t character : QStringView(sample).toUcs4()) {
        if (counts(character))
            FcCharSetAddChar(characters, character);
    }
    FcCharSetDestroy(m_sample);
    m_sample = characters;
    m_sampleEmpty = FcCharSetCount(characters) == 0;
}

const FcCharSet *SampleCoverage::faceSet(const QString &family, bool bold, bool italic) const
{
    StyleSets &styles = m_faces[family];
    const int style = int(bold) * 2 + int(italic);
    if (!styles.known[style]) {
        styles.known[style] = true;
        const QList<FontFace> faces = m_catalog.faces(family);
        const FaceChoice choice = chooseFace(faces, bold, italic);
        FcCharSet *set = nullptr;
        if (choice.face >= 0
            && FcPatternGetCharSet(faces[choice.face].pattern, FC_CHARSET, 0, &set)
                == FcResultMatch)
            styles.sets[style] = set;
    }
    return styles.sets[style];
}

bool SampleCoverage::canWrite(const QString &family, bool bold, bool italic) const
{
    const FcCharSet *face = faceSet(family, bold, italic);
    if (!face)
        return false;
    return m_sampleEmpty || FcCharSetIsSubset(m_sample, face);
}
