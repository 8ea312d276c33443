#include "folderopener.h"

#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// "Ouvrir le dossier": the folder handed to xdg-open, and a message when nothing can show it.
class TestFolderOpener : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { m_path = qgetenv("PATH"); }
    void cleanup() { qputenv("PATH", m_path); }
    void failureIsSaid_data();
    void failureIsSaid();

private:
    QByteArray m_path;
};

void TestFolderOpener::failureIsSaid_data()
{
    QTest::addColumn<QByteArray>("standIn"); // xdg-open's script; empty: no xdg-open at all
    QTest::addColumn<bool>("fails");

    // xdg-open exits with 0 once the file manager has the folder.
    QTest::newRow("shown") << QByteArray("#!/bin/sh\necho \"$1\" > \"$0.log\"\n") << false;
    // 3: a tool it needs is missing; 4: no program for folders.
    QTest::newRow("no file manager")
        << QByteArray("#!/bin/sh\necho \"$1\" > \"$0.log\"\nexit 4\n") << true;
    QTest::newRow("no xdg-open") << QByteArray() << true;
}

void TestFolderOpener::failureIsSaid()
{
    QFETCH(QByteArray, standIn);
    QFETCH(bool, fails);

    QTemporaryDir bin;
    const QString script = bin.filePath(QStringLiteral("xdg-open"));
    if (!standIn.isEmpty()) {
        QFile file(script);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(standIn);
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    // Only the stand-in: the machine's own xdg-open is never run.
    qputenv("PATH", bin.path().toLocal8Bit());

    FolderOpener opener;
    QSignalSpy failed(&opener, &FolderOpener::failed);
    const QString folder = QStringLiteral("/usr/share/fonts/a folder");
    opener.open(folder);
    if (!standIn.isEmpty()) {
        QTRY_VERIFY(!opener.findChild<QProcess *>()); // gone once xdg-open ended
        QFile log(script + QStringLiteral(".log"));
        QVERIFY(log.open(QIODevice::ReadOnly));
        QCOMPARE(log.readAll(), folder.toUtf8() + '\n');
    }
    QCOMPARE(failed.size(), fails ? 1 : 0);
    if (fails)
        QCOMPARE(failed.first().first().toString(),
                 QStringLiteral("Aucun gestionnaire de fichiers n'a pu ouvrir le dossier ")
                     + folder);
}

QTEST_GUILESS_MAIN(TestFolderOpener)
#include "tst_folderopener.moc"
