#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

// Poppler's tools, to read back the PDF files that printing writes.
namespace PdfTools {

// What the tool prints; a warning when it fails.
inline QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        qWarning("%s failed: %s", qPrintable(program), process.readAllStandardError().constData());
    return QString::fromUtf8(process.readAllStandardOutput());
}

inline int pages(const QString &path)
{
    static const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)$"),
                                          QRegularExpression::MultilineOption);
    return pages.match(run(QStringLiteral("pdfinfo"), {path})).captured(1).toInt();
}

// The text's lines as pdftotext reads them, right-to-left text in the order it was written
// (without the embedding marks pdftotext puts around it), page breaks left out.
inline QStringList lines(const QString &path)
{
    static const QRegularExpression notText(QStringLiteral("[\f\u202B\u202C]"));
    return run(QStringLiteral("pdftotext"), {path, QStringLiteral("-")})
        .remove(notText)
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace PdfTools
