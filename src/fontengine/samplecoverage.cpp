#include "samplecoverage.h"

#include "facerecord.h"
#include "linefaces.h"

#include <QStringView>

#include <algorithm>

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
    // The engine composes what the face has composed ("e" and U+0301 drawn as "é") and takes
    // the letter and its marks apart otherwise: a character counts in either form.
    FcCharSet *characters = FcCharSetCreate();
    m_decompositions.clear();
    for (const char32_t character :
         QStringView(sample.normalized(QString::NormalizationForm_C)).toUcs4()) {
        if (!counts(character) || !FcCharSetAddChar(characters, character))
            continue;
        const QString decomposed
            = QString::fromUcs4(&character, 1).normalized(QString::NormalizationForm_D);
        if (decomposed.size() > 1 || decomposed.front() != QChar(character)) {
            QList<char32_t> parts;
            for (const char32_t part : QStringView(decomposed).toUcs4()) {
                if (counts(part))
                    parts.append(part);
            }
            m_decompositions.insert(character, parts);
        }
    }
    FcCharSetDestroy(m_sample);
    m_sample = characters;
    m_characters = FaceRecord::characters(characters);
    m_sampleEmpty = FcCharSetCount(characters) == 0;
}

bool SampleCoverage::canWrite(const QString &family, bool bold, bool italic) const
{
    const FcCharSet *characters = FaceRecord::characterSet(m_faces.face(family, bold, italic));
    if (!characters)
        return false;
    if (m_sampleEmpty || FcCharSetIsSubset(m_sample, characters))
        return true;
    // Some composed character is missing: its parts may all be there.
    return std::all_of(m_characters.cbegin(), m_characters.cend(), [&](char32_t character) {
        if (FcCharSetHasChar(characters, character))
            return true;
        const auto parts = m_decompositions.constFind(character);
        return parts != m_decompositions.cend()
            && std::all_of(parts->cbegin(), parts->cend(),
                           [&](char32_t part) { return FcCharSetHasChar(characters, part); });
    });
}
