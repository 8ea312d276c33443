#include "fontinstaller.h"

#include "fontconfigsync.h"
#include "installtexts.h"
#include "systemfonts.h"

#include <QFile>
#include <QFileInfo>
#include <QThread>

struct FontJobOutcome
{
    bool ok = false;
    QString message;
    QList<FontFolder::Placed> placed; // what an undo would take back
    FontconfigSync::Configuration fresh;
};

namespace {

// fc-cache on the folders, then the user's configuration loaded afresh; the reason on failure.
QString refresh(const QStringList &folders, FontconfigSync::Configuration *fresh)
{
    fresh->reset();
    if (QString error = FontconfigSync::refreshCache(folders); !error.isEmpty())
        return error;
    *fresh = FontconfigSync::load();
    return *fresh ? QString() : InstallTexts::ConfigurationUnreadable;
}

void takeAllBack(const QList<FontFolder::Placed> &placed)
{
    for (const FontFolder::Placed &file : placed)
        FontFolder::takeBack(file);
}

// Ends a job whose files are moved: fontconfig brought up to date whatever happened, and the
// first failure reported, or the success.
FontJobOutcome concluded(FontJobOutcome outcome, const QStringList &folders,
                         const std::function<QString(const QString &)> &failed,
                         const QString &succeeded)
{
    const QString error = refresh(folders, &outcome.fresh);
    if (outcome.message.isEmpty() && !error.isEmpty())
        outcome.message = failed(error);
    outcome.ok = outcome.message.isEmpty();
    if (outcome.ok)
        outcome.message = succeeded;
    return outcome;
}

} // namespace

FontInstaller::FontInstaller(QObject *parent)
    : QObject(parent)
{
}

FontInstaller::~FontInstaller()
{
    if (m_thread) {
        m_thread->wait();
        m_placed = m_outcome->placed; // set-aside files of an install nobody will undo
    }
    forgetUndo();
}

QStringList FontInstaller::clashes(const QStringList &files)
{
    const QString folder = FontFolder::path();
    QStringList clashing;
    for (const QString &file : files) {
        if (FontFolder::clashes(folder, file))
            clashing << file;
    }
    return clashing;
}

bool FontInstaller::install(const QString &family, const QStringList &files, const Choices &choices,
                            FontInstaller::Undo undo)
{
    if (isBusy())
        return false;
    if (undo == Undo::Alone)
        forgetUndo();
    m_families << family;
    return start([family, files, choices] {
        FontJobOutcome outcome;
        const QString folder = FontFolder::path();
        const auto fail = [&](const QString &reason) {
            takeAllBack(outcome.placed);
            outcome.placed.clear();
            outcome.message = InstallTexts::NotInstalled.arg(family, reason);
            return outcome;
        };
        // A file fontconfig cannot read is refused before anything is copied.
        for (const QString &file : files) {
            if (!FontconfigSync::recognises(file))
                return fail(InstallTexts::NotRecognised.arg(file));
        }
        if (QString error = FontFolder::prepare(folder); !error.isEmpty())
            return fail(error);
        QStringList fonts;
        for (const QString &file : files) {
            FontFolder::Placed placed
                = FontFolder::place(folder, file, choices.value(file, Clash::KeepBoth));
            if (!placed.error.isEmpty())
                return fail(placed.error);
            if (!placed.font.isEmpty())
                fonts << placed.font;
            if (placed.copied)
                outcome.placed << placed;
        }
        if (fonts.isEmpty())
            return fail(InstallTexts::NothingCopied);
        if (QString error = refresh({folder}, &outcome.fresh); !error.isEmpty())
            return fail(error);
        if (QString error = FontconfigSync::missing(outcome.fresh.get(), family, fonts, folder);
            !error.isEmpty()) {
            FontJobOutcome failed = fail(error);
            // The folder is back as it was: so must fontconfig's caches and the program be.
            refresh({folder}, &failed.fresh);
            return failed;
        }
        outcome.ok = true;
        outcome.message = InstallTexts::Installed.arg(family);
        return outcome;
    });
}

bool FontInstaller::canUndo() const
{
    return !m_placed.isEmpty();
}

bool FontInstaller::undo()
{
    if (isBusy() || !canUndo())
        return false;
    const QList<FontFolder::Placed> placed = std::exchange(m_placed, {});
    const QString families = m_families.size() == 1 ? m_families.first()
                                                    : InstallTexts::Families.arg(m_families.size());
    return start([families, placed] {
        FontJobOutcome outcome;
        // What cannot be taken back stays to be undone again.
        for (const FontFolder::Placed &file : placed) {
            if (QString error = FontFolder::takeBack(file); !error.isEmpty()) {
                outcome.placed << file;
                if (outcome.message.isEmpty())
                    outcome.message = InstallTexts::NotUndone.arg(error);
            }
        }
        return concluded(
            outcome, {FontFolder::path()},
            [](const QString &error) { return InstallTexts::NotUndone.arg(error); },
            InstallTexts::Undone.arg(families));
    });
}

QString FontInstaller::uninstallRefusal(const QStringList &files)
{
    return FontFolder::uninstallRefusal(files);
}

bool FontInstaller::uninstall(const QString &family, const QStringList &files)
{
    if (isBusy())
        return false;
    forgetUndo();
    return start([family, files] {
        FontJobOutcome outcome;
        if (QString refusal = FontFolder::uninstallRefusal(files); !refusal.isEmpty()) {
            outcome.message = InstallTexts::NotUninstalled.arg(family, refusal);
            return outcome;
        }
        for (const QString &file : files) {
            // The font itself, not a link to it from elsewhere.
            if (!QFile::moveToTrash(QFileInfo(file).canonicalFilePath())) {
                outcome.message
                    = InstallTexts::NotUninstalled.arg(family, InstallTexts::NotTrashed.arg(file));
                break;
            }
        }
        return concluded(
            outcome, FontFolder::userFolders(),
            [&](const QString &error) { return InstallTexts::NotUninstalled.arg(family, error); },
            InstallTexts::Uninstalled.arg(family));
    });
}

bool FontInstaller::start(std::function<FontJobOutcome()> job)
{
    m_outcome = std::make_shared<FontJobOutcome>();
    m_thread = QThread::create([job, outcome = m_outcome] { *outcome = job(); });
    m_thread->setParent(this);
    connect(m_thread, &QThread::finished, this, [this] {
        m_thread->deleteLater();
        m_thread = nullptr;
        const auto outcome = std::exchange(m_outcome, nullptr);
        SystemFonts::renew(outcome->fresh.get());
        m_placed += outcome->placed; // an undo's or an uninstall's are emptied first
        Q_EMIT finished(outcome->ok, outcome->message);
    });
    m_thread->start();
    return true;
}

void FontInstaller::forgetUndo()
{
    m_families.clear();
    for (const FontFolder::Placed &placed : std::exchange(m_placed, {}))
        FontFolder::forget(placed);
}
