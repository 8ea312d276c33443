#include "samplecoverage.h"

#include "linefaces.h"

#include <QStringView>

#include <fontconfig/fontconfig.h>

SampleCoverage::SampleCoverage(const LineFaces &faces)
    : m_faces(faces)
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

bool SampleCoverage::canWrite(const QString &family, bool bold, bool italic) const
{
    FcPattern *face = m_faces.face(family, bold, italic);
    FcCharSet *characters = nullptr;
    if (!face || FcPatternGetCharSet(face, FC_CHARSET, 0, &characters) != FcResultMatch)
        return false;
    return m_sampleEmpty || FcCharSetIsSubset(m_sample, characters);
}
