#pragma once

#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QTest>

// The files made for the font-file tests (make_font_files.py) into folder.
inline void makeFontFiles(const QString &folder)
{
    QProcess maker;
    maker.start(QStringLiteral("/usr/bin/python3"),
                {QStringLiteral(GLYPHOR_MAKE_FONT_FILES), folder,
                 QStringLiteral(GLYPHOR_TEST_FONTS_DIR "/files/DejaVuSans.ttf")});
    QVERIFY(maker.waitForFinished(120000));
    QVERIFY2(maker.exitCode() == 0, maker.readAllStandardError().constData());
}

// The files' names, without their folders.
inline QStringList fileNames(const QStringList &paths)
{
    QStringList names;
    for (const QString &path : paths)
        names.append(QFileInfo(path).fileName());
    return names;
}
