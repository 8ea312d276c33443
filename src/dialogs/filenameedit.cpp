#include "filenameedit.h"

#include "errorreport.h"
#include "glyphorerror.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>

FileNameEdit::FileNameEdit(QWidget *parent)
    : QWidget(parent)
    , m_field(new QLineEdit(this))
    , m_browse(new QToolButton(this))
{
    m_field->setObjectName(QStringLiteral("field"));
    m_browse->setObjectName(QStringLiteral("browse"));
    m_browse->setToolTip(QStringLiteral("Parcourir..."));
    m_browse->setFocusPolicy(Qt::NoFocus);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_field);
    layout->addWidget(m_browse);
    setFocusProxy(m_field);

    connect(m_browse, &QToolButton::clicked, this, &FileNameEdit::browse);
}

void FileNameEdit::showEvent(QShowEvent *event)
{
    // Looked up when first shown: the style's icons cost milliseconds to load, and the dialogs
    // holding this field are made at start but seldom shown.
    if (m_browse->icon().isNull())
        m_browse->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    QWidget::showEvent(event);
}

void FileNameEdit::setFileName(const QString &name)
{
    if (!FileNameRules::acceptable(name, m_reading))
        throw GlyphorError(FileNameRules::refusalMessage(name));
    m_field->setText(FileNameRules::shownText(name));
    // A long path shows from its start, as a name is read.
    m_field->setCursorPosition(0);
}

QString FileNameEdit::fileName() const
{
    return FileNameRules::readBack(m_field->text(), m_reading);
}

void FileNameEdit::browse()
{
    const QFileInfo current(fileName());
    QString folder = m_initialDir;
    if (current.isDir())
        folder = current.absoluteFilePath();
    else if (!current.fileName().isEmpty() && current.absoluteDir().exists())
        folder = current.absolutePath();
    QFileDialog dialog(this, m_dialogTitle, folder, m_filter);
    dialog.setObjectName(QStringLiteral("FileNameDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(m_defaultExtension);
    if (!current.isDir() && !current.fileName().isEmpty())
        dialog.selectFile(current.fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;

    const QString chosen = dialog.selectedFiles().constFirst();
    ErrorReport::guard([&] {
        setFileName(chosen);
        m_initialDir = QFileInfo(chosen).absolutePath();
    });
}
