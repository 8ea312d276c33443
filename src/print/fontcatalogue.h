#pragma once

#include <QDateTime>
#include <QStringList>

#include <functional>

class PrinterTextStream;

// The printed catalogue of the installed fonts: a header with the date and the number of fonts,
// one line per font (its name in a fixed-pitch column, then the sample in that very font) and a
// closing line. Written through a printer text stream, so only the first page has the header.
class FontCatalogue
{
public:
    // The sample printed when there is none.
    static const QString DefaultSample;

    // The print queue's name for the job.
    static QString jobTitle(const QString &version);

    // families: the font list's entries, in order ("Default" for the desktop's general font).
    FontCatalogue(const QString &version, const QStringList &families, const QString &sample);

    // The size of the samples in points, asked before each font line (default 6).
    void setSampleSize(std::function<int()> size) { m_sampleSize = std::move(size); }
    // Called after each font line with the number of fonts printed; returning false leaves the
    // remaining fonts out (the closing lines still print).
    void setAfterFontLine(std::function<bool(qsizetype printed)> afterLine)
    {
        m_afterFontLine = std::move(afterLine);
    }
    // The moment the header gives (default: when write() starts).
    void setPrintedAt(const QDateTime &when) { m_printedAt = when; }

    // Writes the whole catalogue onto an open stream.
    void write(PrinterTextStream &stream) const;

    // The header's line with the date, the time and the number of fonts, in the user's formats.
    QString dateLine(const QDateTime &when) const;

private:
    QString m_version;
    QStringList m_families;
    QString m_sample;
    std::function<int()> m_sampleSize;
    std::function<bool(qsizetype)> m_afterFontLine;
    QDateTime m_printedAt;
};
