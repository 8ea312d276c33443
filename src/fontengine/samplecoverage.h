#pragma once

#include <QHash>
#include <QList>
#include <QString>

class LineFaces;
struct _FcCharSet;

// Which families can write a sample: the face a line draws a family in, for the bold and italic
// asked (the face fontconfig would choose), has every character of the sample in the character
// set fontconfig lists for it, each character composed or in its parts (a letter and its
// marks), as the engine draws whichever the face has. Blanks, control and format characters
// (joiners, direction marks) are never drawn and do not count. Only fontconfig's records are read,
// never a font file.
class SampleCoverage
{
public:
    explicit SampleCoverage(const LineFaces &faces);
    ~SampleCoverage();
    SampleCoverage(const SampleCoverage &) = delete;
    SampleCoverage &operator=(const SampleCoverage &) = delete;

    void setSample(const QString &sample);

    // False for a family that is not installed, and for a face fontconfig lists no character set
    // for: what cannot be shown able is unable.
    bool canWrite(const QString &family, bool bold, bool italic) const;

    // Whether a character must be in the face for the sample to be written.
    static bool counts(char32_t character);

private:
    const LineFaces &m_faces;
    _FcCharSet *m_sample; // composed
    QList<char32_t> m_characters; // the same, one by one
    QHash<char32_t, QList<char32_t>> m_decompositions; // of the sample's composed characters
    bool m_sampleEmpty = true;
};
