#include "printdestination.h"

#include "cupsqueue.h"
#include "systemerror.h"

#include <QDir>
#include <QFileInfo>
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

PrintDestination::PrintDestination(QPrinter &printer)
    : m_printer(printer)
{
    if (printer.outputFormat() != QPrinter::PdfFormat || printer.outputFileName().isEmpty())
        return;
    m_pdfPath = printer.outputFileName();
    const QFileInfo target(m_pdfPath);
    auto aside = std::make_unique<QTemporaryFile>(
        target.dir().filePath(QStringLiteral(".") + target.fileName() + QStringLiteral(".XXXXXX")));
    // A folder where nothing can be written: the job then fails to start, naming the user's file.
    if (!aside->open())
        return;
    aside->setPermissions(newFilePermissions());
    aside->close();
    printer.setOutputFileName(aside->fileName());
    m_aside = std::move(aside);
}

PrintDestination::~PrintDestination()
{
    if (!m_pdfPath.isEmpty())
        m_printer.setOutputFileName(m_pdfPath);
}

QString PrintDestination::failureMessage(const QString &reason)
{
    return QStringLiteral("L'impression a échoué : ") + reason;
}

QString PrintDestination::refusal() const
{
    if (!m_pdfPath.isEmpty() || m_printer.printerName().isEmpty())
        return {};
    return CupsQueue::refusal(m_printer.printerName());
}

QString PrintDestination::deliver(bool painterEnded)
{
    if (!m_pdfPath.isEmpty())
        return deliverPdf();
    if (!painterEnded || m_printer.printerState() == QPrinter::Error)
        return QStringLiteral("l'imprimante %1 n'a pas reçu le document")
            .arg(m_printer.printerName());
    if (m_printer.outputFormat() == QPrinter::NativeFormat && !m_printer.printerName().isEmpty())
        return CupsQueue::lastJobFailure(m_printer.printerName());
    return {};
}

QString PrintDestination::deliverPdf()
{
    const QString shown = QDir::toNativeSeparators(m_pdfPath);
    if (!m_aside)
        return QStringLiteral("impossible d'écrire dans ") + shown;
    const QString asidePath = m_aside->fileName();
    QFile written(asidePath);
    if (!written.open(QIODevice::ReadOnly) || !pdfIsWhole(written)) {
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
    m_aside->setAutoRemove(false);
    m_aside.reset();
    return {};
}
