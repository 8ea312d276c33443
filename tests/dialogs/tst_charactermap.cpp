#include "charactermap.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A stand-in character map: it records its own name in the file GLYPHOR_CHARMAP_LOG names.
void installStandIn(const QString &folder, const QString &name, bool executable = true)
{
    QFile script(folder + QLatin1Char('/') + name);
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\necho \"${0##*/}\" >> \"$GLYPHOR_CHARMAP_LOG\"\n");
    script.close();
    QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner;
    if (executable)
        permissions |= QFile::ExeOwner;
    script.setPermissions(permissions);
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestCharacterMap : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { m_path = qgetenv("PATH"); }
    void cleanup() { qputenv("PATH", m_path); }
    void firstFoundIsStarted_data();
    void firstFoundIsStarted();
    void noneFound();

private:
    QByteArray m_path;
};

void TestCharacterMap::firstFoundIsStarted_data()
{
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<QStringList>("notExecutable");
    QTest::addColumn<QByteArray>("started");

    QTest::newRow("all three") << QStringList {"gnome-characters", "kcharselect", "gucharmap"}
                               << QStringList() << QByteArray("gucharmap\n");
    QTest::newRow("KDE's") << QStringList {"gnome-characters", "kcharselect"} << QStringList()
                           << QByteArray("kcharselect\n");
    QTest::newRow("GNOME's") << QStringList {"gnome-characters"} << QStringList()
                             << QByteArray("gnome-characters\n");
    QTest::newRow("a file that cannot run is passed over")
        << QStringList {"kcharselect"} << QStringList {"gucharmap"} << QByteArray("kcharselect\n");
}

void TestCharacterMap::firstFoundIsStarted()
{
    QFETCH(QStringList, installed);
    QFETCH(QStringList, notExecutable);
    QFETCH(QByteArray, started);

    QTemporaryDir bin;
    QTemporaryDir logs;
    for (const QString &name : std::as_const(installed))
        installStandIn(bin.path(), name);
    for (const QString &name : std::as_const(notExecutable))
        installStandIn(bin.path(), name, false);
    const QString log = logs.filePath(QStringLiteral("started"));
    qputenv("GLYPHOR_CHARMAP_LOG", log.toLocal8Bit());
    // The folder of the stand-ins first, so that a real character map is never started.
    qputenv("PATH", bin.path().toLocal8Bit() + ':' + m_path);

    QVERIFY(CharacterMap::start());
    QTRY_COMPARE(readAll(log), started);
}

void TestCharacterMap::noneFound()
{
    QTemporaryDir empty;
    qputenv("PATH", empty.path().toLocal8Bit());
    QVERIFY(!CharacterMap::start());
    qputenv("PATH", QByteArray());
    QVERIFY(!CharacterMap::start());
    QCOMPARE(CharacterMap::notFoundMessage(), QStringLiteral("Programme gucharmap introuvable..."));
}

QTEST_GUILESS_MAIN(TestCharacterMap)
#include "tst_charactermap.moc"
