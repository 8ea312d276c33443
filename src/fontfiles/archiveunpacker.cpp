#include "archiveunpacker.h"

#include "fontfilemessages.h"
#include "fontfilenames.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <array>
#include <memory>

namespace {

// What an archive's folder holds besides its fonts: the files in the order they came out, and what
// unpacking them said, so that opening the archive again says it again.
const QString SummaryName = QStringLiteral(".unpacked");

struct ArchiveFree
{
    void operator()(archive *reader) const { archive_read_free(reader); }
};

enum class Copy { Done, Damaged, EntryTooLarge, ArchiveTooLarge, WriteFailed, Stopped };

// One entry's data into file, within what is left of the archive's allowance.
Copy copyEntry(archive *reader, QFile &file, qint64 entryLimit, qint64 &left,
               const std::atomic<bool> &stop)
{
    std::array<char, 64 * 1024> buffer;
    qint64 copied = 0;
    for (;;) {
        const la_ssize_t read = archive_read_data(reader, buffer.data(), buffer.size());
        if (read == 0)
            return Copy::Done;
        if (read < 0)
            return Copy::Damaged;
        if (stop.load())
            return Copy::Stopped;
        copied += read;
        if (copied > entryLimit)
            return Copy::EntryTooLarge;
        if (read > left)
            return Copy::ArchiveTooLarge;
        left -= read;
        if (file.write(buffer.data(), read) != read)
            return Copy::WriteFailed;
    }
}

// The name, or "2_name", "3_name" ... when an earlier entry took it.
QString untakenName(QSet<QString> &taken, const QString &name)
{
    QString chosen = name;
    for (int n = 2; taken.contains(chosen); ++n)
        chosen = QString::number(n) + u'_' + name;
    taken.insert(chosen);
    return chosen;
}

QString entryName(archive_entry *entry)
{
    // The UTF-8 name when the archive's encoding can be read, else its bytes as they are.
    const char *name = archive_entry_pathname_utf8(entry);
    if (!name)
        name = archive_entry_pathname(entry);
    return name ? FontFileNames::safeFileName(name) : QString();
}

void writeSummary(const QString &folder, const QStringList &names,
                  const ArchiveUnpacker::Result &result)
{
    const QJsonObject summary {
        {QStringLiteral("files"), QJsonArray::fromStringList(names)},
        {QStringLiteral("skipped"), result.skipped},
        {QStringLiteral("messages"), QJsonArray::fromStringList(result.messages)}};
    QFile file(folder + u'/' + SummaryName);
    if (file.open(QIODevice::WriteOnly))
        file.write(QJsonDocument(summary).toJson(QJsonDocument::Compact));
}

} // namespace

ArchiveUnpacker::ArchiveUnpacker(QString cacheFolder)
    : ArchiveUnpacker(std::move(cacheFolder), Limits())
{
}

ArchiveUnpacker::ArchiveUnpacker(QString cacheFolder, Limits limits)
    : m_cacheFolder(std::move(cacheFolder))
    , m_limits(limits)
{
}

QString ArchiveUnpacker::defaultCacheFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)
        + QStringLiteral("/glyphor/opened");
}

QString ArchiveUnpacker::folderFor(const QFileInfo &archive) const
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(archive.canonicalFilePath().toUtf8());
    hash.addData(QByteArray('/' + QByteArray::number(archive.size()) + '/'
                            + QByteArray::number(archive.lastModified().toMSecsSinceEpoch())));
    return m_cacheFolder + u'/' + QString::fromLatin1(hash.result().toHex().left(32));
}

ArchiveUnpacker::Result ArchiveUnpacker::unpack(const QString &archive,
                                                const std::atomic<bool> &stop) const
{
    const QString folder = folderFor(QFileInfo(archive));
    if (QFileInfo::exists(folder + u'/' + SummaryName))
        return reuse(folder);
    // A folder without its summary was left half made: made again.
    QDir(folder).removeRecursively();
    Result result;
    if (!QDir().mkpath(m_cacheFolder)) {
        result.messages.append(FontFileMessages::cannotWrite(m_cacheFolder));
        return result;
    }
    // Made aside and renamed once whole, so a second copy of the program opening the same
    // archive never sees a folder half made.
    QTemporaryDir part(folder + QStringLiteral(".XXXXXX"));
    if (!part.isValid()) {
        result.messages.append(FontFileMessages::cannotWrite(m_cacheFolder));
        return result;
    }
    result = extract(archive, part.path(), stop);
    if (stop.load())
        return {};
    QStringList names = result.files;
    writeSummary(part.path(), names, result);
    if (QDir().rename(part.path(), folder))
        part.setAutoRemove(false);
    else if (QFileInfo::exists(folder + u'/' + SummaryName))
        return reuse(folder); // the other copy made it first
    else
        return result; // left where it is, for this run only
    for (QString &file : result.files)
        file = folder + u'/' + file;
    return result;
}

void ArchiveUnpacker::forgetUnused(int days) const
{
    const QDateTime before = QDateTime::currentDateTime().addDays(-days);
    const QFileInfoList folders
        = QDir(m_cacheFolder).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QFileInfo &folder : folders) {
        // A folder's summary is written last and touched at each opening; a folder without one
        // is being made by another copy of the program, or was left half made.
        const QFileInfo summary(folder.filePath() + u'/' + SummaryName);
        const QDateTime used = summary.exists() ? summary.lastModified() : folder.lastModified();
        if (used < before)
            QDir(folder.filePath()).removeRecursively();
    }
}

ArchiveUnpacker::Result ArchiveUnpacker::reuse(const QString &folder) const
{
    QFile file(folder + u'/' + SummaryName);
    Result result;
    if (!file.open(QIODevice::ReadOnly))
        return result;
    if (QFile used(file.fileName()); used.open(QIODevice::Append)) // kept by forgetUnused()
        used.setFileTime(QDateTime::currentDateTime(), QFileDevice::FileModificationTime);
    const QJsonObject summary = QJsonDocument::fromJson(file.readAll()).object();
    for (const QJsonValue &name : summary.value(QStringLiteral("files")).toArray()) {
        const QString path = folder + u'/' + FontFileNames::safeFileName(name.toString().toUtf8());
        if (QFileInfo(path).isFile())
            result.files.append(path);
    }
    result.skipped = summary.value(QStringLiteral("skipped")).toInt();
    for (const QJsonValue &message : summary.value(QStringLiteral("messages")).toArray())
        result.messages.append(message.toString());
    return result;
}

ArchiveUnpacker::Result ArchiveUnpacker::extract(const QString &archivePath, const QString &folder,
                                                 const std::atomic<bool> &stop) const
{
    Result result;
    const std::unique_ptr<archive, ArchiveFree> reader(archive_read_new());
    archive_read_support_format_zip(reader.get());
    if (archive_read_open_filename(reader.get(), QFile::encodeName(archivePath).constData(),
                                   64 * 1024)
        != ARCHIVE_OK) {
        result.messages.append(FontFileMessages::damagedArchive(archivePath));
        return result;
    }
    qint64 left = std::min(m_limits.totalBytes,
                           m_limits.bytesPerArchiveByte
                               * std::max<qint64>(QFileInfo(archivePath).size(), 1));
    QSet<QString> taken;
    archive_entry *entry = nullptr;
    for (int entries = 1; !stop.load(); ++entries) {
        const int status = archive_read_next_header(reader.get(), &entry);
        if (status == ARCHIVE_EOF)
            break;
        if (status < ARCHIVE_WARN) {
            result.messages.append(FontFileMessages::damagedArchive(archivePath));
            break;
        }
        if (entries > m_limits.entries) {
            result.messages.append(FontFileMessages::tooManyEntries(archivePath));
            break;
        }
        if (archive_entry_filetype(entry) != AE_IFREG)
            continue;
        QString name = entryName(entry);
        if (FontFileNames::isArchive(name) || archive_entry_is_encrypted(entry)) {
            ++result.skipped;
            continue;
        }
        if (!FontFileNames::isFontFile(name))
            continue;
        name = untakenName(taken, name);
        QFile file(folder + u'/' + name);
        if (!file.open(QIODevice::NewOnly)) {
            result.messages.append(FontFileMessages::cannotWrite(file.fileName()));
            break;
        }
        const Copy copy = copyEntry(reader.get(), file, m_limits.entryBytes, left, stop);
        if (copy == Copy::Done) {
            result.files.append(name);
            continue;
        }
        file.remove();
        if (copy == Copy::Damaged)
            result.messages.append(FontFileMessages::damagedArchive(archivePath));
        else if (copy == Copy::EntryTooLarge)
            result.messages.append(FontFileMessages::entryTooLarge(archivePath, name));
        else if (copy == Copy::ArchiveTooLarge)
            result.messages.append(FontFileMessages::archiveTooLarge(archivePath));
        else if (copy == Copy::WriteFailed)
            result.messages.append(FontFileMessages::cannotWrite(file.fileName()));
        break;
    }
    return result;
}
