#include "fontsources.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Which starts open font files: only those whose arguments are all font files, folders or ZIP
// archives; any other keeps its meaning (a hidden start).
class TestFontSources : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void fontPathsIn_data();
    void fontPathsIn();

private:
    QTemporaryDir m_dir;
};

void TestFontSources::initTestCase()
{
    QDir(m_dir.path()).mkdir(QStringLiteral("dossier"));
    for (const char *name : {"a.ttf", "B.OTF", "archive.zip", "notes.txt"}) {
        QFile file(m_dir.filePath(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QDir::setCurrent(m_dir.path());
}

void TestFontSources::fontPathsIn_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("opened"); // below the test's folder
    QTest::newRow("a folder and files") << QStringList {"dossier", "a.ttf", "B.OTF"}
                                        << QStringList {"dossier", "a.ttf", "B.OTF"};
    QTest::newRow("an archive, by its full path")
        << QStringList {m_dir.filePath(QStringLiteral("archive.zip"))}
        << QStringList {"archive.zip"};
    QTest::newRow("a file that is no font") << QStringList {"dossier", "notes.txt"} << QStringList();
    QTest::newRow("a missing file") << QStringList {"absente.ttf"} << QStringList();
    QTest::newRow("the hidden start's argument") << QStringList {"x"} << QStringList();
    QTest::newRow("no argument") << QStringList() << QStringList();
}

void TestFontSources::fontPathsIn()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, opened);
    for (QString &path : opened)
        path = QDir(m_dir.path()).absoluteFilePath(path);
    QCOMPARE(FontSources::fontPathsIn(arguments), opened);
}

QTEST_GUILESS_MAIN(TestFontSources)
#include "tst_fontsources.moc"
