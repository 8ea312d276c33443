#pragma once

#include <QObject>

// Shows a folder in the desktop's file manager (through xdg-open), and says so when nothing could:
// no xdg-open, or xdg-open finding no program for folders.
class FolderOpener : public QObject
{
    Q_OBJECT

public:
    explicit FolderOpener(QObject *parent = nullptr);

    // failed() follows, at once or when xdg-open ends, if the folder could not be shown.
    void open(const QString &folder);

    static QString failureMessage(const QString &folder);

Q_SIGNALS:
    void failed(const QString &message);
};
