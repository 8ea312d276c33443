#include "printdestination.h"

#include "cupsqueue.h"
#include "systemerror.h"

#include <QDir>
#include <QFileInfo>
#include <QPrintEngine>
#include <QPrinter>
#include <QStorageInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Below this much free space, a PDF that stopped short ran out of room.
constexpr qint64 NearlyFullBytes = 1024 * 1024;

// What a new file gets from open(2): read and write for all, less the process's umask.
QFileDevice::Permissions newFilePermissions()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    const mode_t mode = 0666 & ~mask;
    QFileDevice::Permissions permissions;
    const std::pair<mode_t, QFileDevice::Permission> bits[]
        = {{S_IRUSR, QFileDevice::ReadOwner}, {S_IWUSR, QFileDevice::WriteOwner},
           {S_IRGRP, QFileDevice::ReadGroup}, {S_IWGRP, QFileDevice::WriteGroup},
           {S_IROTH, QFileDevice::ReadOther}, {S_IWOTH, QFileDevice::WriteOther}};
    for (const auto &[bit, permission] : bits) {
        if (mode & bit)
            permissions |= permission;
    }
    return permissions;
}

// A PDF ends with its trailer's "%%EOF"; a writer cut short by the disk never gets there.
bool pdfIsWhole(QFile &file)
{
    if (file.size() < 8 || !file.seek(file.size() - 8))
        return false;
    return file.read(8).trimmed().endsWith("%%EOF");
}

} // namespace

PrintDestination::PrintDestination(const QPrinter &printer, const QString &title)
    : m_title(title)
{
    std::unique_ptr<QTemporaryFile> file;
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
        m_pdfPath = printer.outputFileName();
        const QFileInfo target(m_pdfPath);
        file = std::make_unique<QTemporaryFile>(target.dir().filePath(
            QStringLiteral(".") + target.fileName() + QStringLiteral(".XXXXXX")));
    } else {
        m_printerName = printer.printerName();
        m_options = jobOptions(printer);
        file = std::make_unique<QTemporaryFile>(
            QDir(QDir::tempPath()).filePath(QStringLiteral("glyphor-XXXXXX.pdf")));
    }
    // A folder where nothing can be written: the job then fails to start, naming the user's file.
    if (!file->open())
        return;
    if (!m_pdfPath.isEmpty())
        file->setPermissions(newFilePermissions());
    file->close();
    m_written = std::move(file);
}

PrintDestination::~PrintDestination() = default;

QString PrintDestination::pdfPath() const
{
    return m_written ? m_written->fileName() : QString();
}

QList<CupsQueue::Option> PrintDestination::jobOptions(const QPrinter &printer)
{
    // What the printer's properties in the dialog set (pages per sheet, banners...), kept by
    // Qt's print engine under a key of its own.
    const QStringList propertyOptions = printer.printEngine()
                                            ->property(QPrintEngine::PrintEnginePropertyKey(0xfe00))
                                            .toStringList();
    return jobOptions(printer.pageLayout(), printer.copyCount(), printer.collateCopies(),
                      printer.duplex(), propertyOptions);
}

QList<CupsQueue::Option> PrintDestination::jobOptions(const QPageLayout &layout, int copies,
                                                      bool collate, QPrinter::DuplexMode duplex,
                                                      const QStringList &propertyOptions)
{
    QList<CupsQueue::Option> options;
    const auto add = [&options](const char *name, const QByteArray &value) {
        options.append({QByteArray(name), value});
    };
    add("media", layout.pageSize().key().toUtf8());
    if (copies > 1) {
        add("copies", QByteArray::number(copies));
        add("Collate", collate ? "True" : "False");
    }
    const bool portrait = layout.orientation() == QPageLayout::Portrait;
    const bool longEdge
        = duplex == QPrinter::DuplexLongSide || (duplex == QPrinter::DuplexAuto && portrait);
    add("sides",
        duplex == QPrinter::DuplexNone ? "one-sided"
            : longEdge                 ? "two-sided-long-edge"
                                       : "two-sided-short-edge");
    // The pages are drawn turned already; the queue is told, as Qt tells it, so that it feeds
    // them so.
    if (!portrait)
        add("landscape", "");
    for (qsizetype i = 0; i + 1 < propertyOptions.size(); i += 2)
        options.append({propertyOptions.at(i).toUtf8(), propertyOptions.at(i + 1).toUtf8()});
    return options;
}

QString PrintDestination::failureMessage(const QString &reason)
{
    return QStringLiteral("L'impression a échoué : ") + reason;
}

QString PrintDestination::refusal() const
{
    if (!m_pdfPath.isEmpty() || m_printerName.isEmpty())
        return {};
    return CupsQueue::refusal(m_printerName);
}

QString PrintDestination::deliver(bool written)
{
    if (!m_pdfPath.isEmpty())
        return deliverPdf(written);
    if (!m_written || !written)
        return QStringLiteral("l'imprimante %1 n'a pas reçu le document").arg(m_printerName);
    return CupsQueue::submit(m_printerName, m_written->fileName(), m_title, m_options);
}

QString PrintDestination::deliverPdf(bool whole)
{
    const QString shown = QDir::toNativeSeparators(m_pdfPath);
    if (!m_written)
        return QStringLiteral("impossible d'écrire dans ") + shown;
    const QString asidePath = m_written->fileName();
    QFile written(asidePath);
    if (!whole || !written.open(QIODevice::ReadOnly) || !pdfIsWhole(written)) {
        // The PDF writer does not say why it stopped: a disk with no room left is the usual
        // reason.
        const QStorageInfo disk(QFileInfo(asidePath).absolutePath());
        if (disk.isValid() && disk.bytesAvailable() < NearlyFullBytes)
            return QStringLiteral("le disque est plein, %1 n'a pas pu être écrit en entier")
                .arg(shown);
        return QStringLiteral("%1 n'a pas pu être écrit en entier").arg(shown);
    }
    // Flushed to the disk, where a late failure (a quota, a network folder) would show.
    if (::fsync(written.handle()) != 0)
        return QStringLiteral("%1 : %2").arg(shown, SystemError::reason(errno));
    if (std::rename(QFile::encodeName(asidePath).constData(),
                    QFile::encodeName(m_pdfPath).constData())
        != 0)
        return QStringLiteral("impossible de remplacer %1 : %2")
            .arg(shown, SystemError::reason(errno));
    m_written->setAutoRemove(false);
    m_written.reset();
    return {};
}
