#include "fontinstallation.h"

#include "fontinstaller.h"
#include "installtexts.h"
#include "plainmessage.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace {

// The user's answer for a file whose name the font folder holds with other bytes.
FontInstaller::Clash askAboutClash(const QString &file, QWidget *window)
{
    QMessageBox box(QMessageBox::Question, QApplication::applicationName(),
                    QStringLiteral("Votre dossier de polices contient déjà un autre fichier "
                                   "nommé « %1 ».")
                        .arg(QFileInfo(file).fileName()),
                    QMessageBox::NoButton, window);
    QPushButton *replace = box.addButton(QStringLiteral("Remplacer"), QMessageBox::AcceptRole);
    QPushButton *keepBoth
        = box.addButton(QStringLiteral("Garder les deux"), QMessageBox::AcceptRole);
    QPushButton *skip = box.addButton(QStringLiteral("Ignorer"), QMessageBox::RejectRole);
    box.setDefaultButton(keepBoth);
    box.setEscapeButton(skip);
    box.exec();
    if (box.clickedButton() == replace)
        return FontInstaller::Clash::Replace;
    if (box.clickedButton() == skip)
        return FontInstaller::Clash::Skip;
    return FontInstaller::Clash::KeepBoth;
}

} // namespace

FontInstallation::FontInstallation(QWidget *window)
    : QObject(window)
    , m_window(window)
    , m_installer(new FontInstaller(this))
{
    connect(m_installer, &FontInstaller::finished, this, &FontInstallation::jobFinished);
}

bool FontInstallation::isBusy() const
{
    return m_installer->isBusy() || !m_queue.isEmpty();
}

QString FontInstallation::uninstallRefusal(const QStringList &files)
{
    return FontInstaller::uninstallRefusal(files);
}

void FontInstallation::install(const QList<Family> &families)
{
    if (isBusy() || families.isEmpty())
        return;
    m_queue = families;
    m_asked = families.size();
    m_installed.clear();
    m_failures.clear();
    QApplication::setOverrideCursor(Qt::BusyCursor);
    installNext();
}

void FontInstallation::installNext()
{
    const bool first = m_queue.size() == m_asked;
    const auto [family, files] = m_queue.takeFirst();
    FontInstaller::Choices choices;
    for (const QString &file : FontInstaller::clashes(files))
        choices.insert(file, askAboutClash(file, m_window));
    // Families installed at once are undone at once.
    m_installer->install(family, files, choices,
                         first ? FontInstaller::Undo::Alone : FontInstaller::Undo::WithPrevious);
}

void FontInstallation::uninstall(const Family &family)
{
    if (isBusy())
        return;
    m_asked = 0;
    QApplication::setOverrideCursor(Qt::BusyCursor);
    m_installer->uninstall(family.first, family.second);
}

void FontInstallation::jobFinished(bool ok, const QString &message)
{
    if (ok)
        Q_EMIT installedFontsChanged();
    if (m_asked == 0 || m_undoing) {
        // An uninstall or an undo: said as it is.
        m_undoing = false;
        QApplication::restoreOverrideCursor();
        PlainMessage::show(message, m_window);
        return;
    }
    (ok ? m_installed : m_failures).append(message);
    if (!m_queue.isEmpty()) {
        installNext();
        return;
    }
    QApplication::restoreOverrideCursor();
    report();
}

void FontInstallation::report()
{
    QStringList lines = m_failures;
    if (m_installed.size() == 1)
        lines.prepend(m_installed.first());
    else if (m_installed.size() > 1)
        lines.prepend(QStringLiteral("Installées : ")
                      + InstallTexts::Families.arg(m_installed.size()));
    const QString text = lines.join(QLatin1Char('\n'));
    if (!m_installer->canUndo()) {
        PlainMessage::show(text, m_window);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text, QMessageBox::Ok,
                    m_window);
    QPushButton *undo = box.addButton(QStringLiteral("Annuler"), QMessageBox::DestructiveRole);
    box.exec();
    if (box.clickedButton() == undo && m_installer->undo()) {
        m_undoing = true;
        QApplication::setOverrideCursor(Qt::BusyCursor);
    }
}
