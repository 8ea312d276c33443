#include "fontconfigsync.h"

#include "installtexts.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <fontconfig/fontconfig.h>

namespace FontconfigSync {

namespace {

constexpr int FcCacheSeconds = 60;

const FcChar8 *text(const QByteArray &bytes)
{
    return reinterpret_cast<const FcChar8 *>(bytes.constData());
}

// The files of the faces the configuration lists under a property's value.
QStringList filesListed(FcConfig *config, const char *property, const QByteArray &value)
{
    FcPattern *pattern = FcPatternCreate();
    FcPatternAddString(pattern, property, text(value));
    FcObjectSet *wanted = FcObjectSetBuild(FC_FILE, nullptr);
    FcFontSet *fonts = FcFontList(config, pattern, wanted);
    QStringList files;
    for (int i = 0; fonts && i < fonts->nfont; ++i) {
        FcChar8 *file = nullptr;
        if (FcPatternGetString(fonts->fonts[i], FC_FILE, 0, &file) == FcResultMatch)
            files << QFile::decodeName(reinterpret_cast<const char *>(file));
    }
    if (fonts)
        FcFontSetDestroy(fonts);
    FcObjectSetDestroy(wanted);
    FcPatternDestroy(pattern);
    return files;
}

bool readsFolder(FcConfig *config, const QString &folder)
{
    const QString wanted = QFileInfo(folder).canonicalFilePath();
    FcStrList *folders = FcConfigGetFontDirs(config);
    bool found = false;
    while (FcChar8 *dir = FcStrListNext(folders))
        found = found
            || QFileInfo(QFile::decodeName(reinterpret_cast<const char *>(dir))).canonicalFilePath()
                == wanted;
    FcStrListDone(folders);
    return found;
}

} // namespace

bool recognises(const QString &file)
{
    FcFontSet *faces = FcFontSetCreate();
    const unsigned count
        = FcFreeTypeQueryAll(text(QFile::encodeName(file)), -1, nullptr, nullptr, faces);
    FcFontSetDestroy(faces);
    return count > 0;
}

QString refreshCache(const QStringList &folders)
{
    QProcess fcCache;
    fcCache.setProcessChannelMode(QProcess::MergedChannels);
    // -f: a folder changed twice within one second keeps its time, and its cache would look new.
    fcCache.start(QStringLiteral("fc-cache"), QStringList {QStringLiteral("-f")} + folders);
    if (!fcCache.waitForStarted())
        return InstallTexts::FcCacheMissing;
    if (!fcCache.waitForFinished(FcCacheSeconds * 1000)) {
        fcCache.kill();
        fcCache.waitForFinished();
        return InstallTexts::FcCacheTooLong.arg(FcCacheSeconds);
    }
    if (fcCache.exitStatus() != QProcess::NormalExit || fcCache.exitCode() != 0) {
        const QString output = QString::fromLocal8Bit(fcCache.readAll()).simplified();
        return InstallTexts::FcCacheFailed.arg(
            output.isEmpty() ? QStringLiteral("code %1").arg(fcCache.exitCode()) : output);
    }
    return {};
}

Configuration load()
{
    FcConfig *config = FcInitLoadConfigAndFonts();
    return config ? Configuration(config, FcConfigDestroy) : Configuration();
}

QStringList familyFiles(FcConfig *config, const QString &family)
{
    return filesListed(config, FC_FAMILY, family.toUtf8());
}

QString missing(FcConfig *config, const QString &family, const QStringList &files,
                const QString &folder)
{
    for (const QString &file : files) {
        if (filesListed(config, FC_FILE, QFile::encodeName(file)).isEmpty())
            return readsFolder(config, folder) ? InstallTexts::NotRecognised.arg(file)
                                               : InstallTexts::FolderNotRead.arg(folder);
    }
    const QStringList ofFamily = familyFiles(config, family);
    if (!std::any_of(files.cbegin(), files.cend(),
                     [&](const QString &file) { return ofFamily.contains(file); }))
        return InstallTexts::FamilyNotInFiles.arg(family);
    return {};
}

} // namespace FontconfigSync
