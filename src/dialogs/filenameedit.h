#pragma once

#include "filenamerules.h"

#include <QString>
#include <QWidget>

class QLineEdit;
class QToolButton;

// A one-line field for a file name with a browse button beside it. The field shows a name with a
// space in double quotes, and reads back the file its text names (see FileNameRules): its whole
// text, or for a field that may hold a command, the command's program.
class FileNameEdit : public QWidget
{
    Q_OBJECT

public:
    explicit FileNameEdit(QWidget *parent = nullptr);

    // How the text reads back; the whole text unless told otherwise.
    void setReading(FileNameRules::Reading reading) { m_reading = reading; }
    FileNameRules::Reading reading() const { return m_reading; }

    // Shows the name in the field. Throws GlyphorError "Nom de fichier incorrect - <name>" for a
    // name that cannot be a file's, and leaves the field as it was.
    void setFileName(const QString &name);
    // The name the field's text stands for.
    QString fileName() const;

    QLineEdit *field() const { return m_field; }
    QToolButton *browseButton() const { return m_browse; }

    // The browse dialog: its title, its filters as Qt writes them ("Fichiers HTML (*.htm)" and
    // so on, separated by ";;"), the extension added to a name typed without one, and the folder
    // it starts in when the field names no existing folder.
    void setDialogTitle(const QString &title) { m_dialogTitle = title; }
    void setFilter(const QString &filter) { m_filter = filter; }
    void setDefaultExtension(const QString &extension) { m_defaultExtension = extension; }
    void setInitialDir(const QString &folder) { m_initialDir = folder; }
    QString initialDir() const { return m_initialDir; }

public Q_SLOTS:
    // Opens the browse dialog with the field's name chosen; OK puts the chosen file in the field.
    void browse();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLineEdit *m_field;
    QToolButton *m_browse;
    QString m_dialogTitle;
    QString m_filter;
    QString m_defaultExtension;
    QString m_initialDir;
    FileNameRules::Reading m_reading = FileNameRules::Reading::WholeName;
};
