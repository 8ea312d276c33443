#include "filenameedit.h"
#include "filenamerules.h"
#include "glyphorerror.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

// Names in the table may hold "@": it stands for the test's own folder, where "file one.htm",
// "plain.htm" and the folder "sub dir" exist.
class TestFileNameEdit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void readBack_data();
    void readBack();
    void setFileName_data();
    void setFileName();
    void browseStartsAtTheNameAndTakesTheChoice();
    void browseCancelledKeepsTheField();

private:
    QString expand(QString name) const { return name.replace(u'@', m_dir.path()); }
    // Opens the browse dialog; while it shows, runs what the user does in it.
    void browseWith(FileNameEdit &edit, const std::function<void(QFileDialog *)> &inDialog);

    QTemporaryDir m_dir;
};

void TestFileNameEdit::initTestCase()
{
    QVERIFY(m_dir.isValid());
    for (const char *name : {"file one.htm", "plain.htm"}) {
        QFile file(m_dir.filePath(QString::fromUtf8(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("sub dir")));
}

void TestFileNameEdit::readBack_data()
{
    // Each text as the page's field reads it (the whole name) and as the browser's does (a
    // command, unless the whole text is an existing file).
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("wholeName");
    QTest::addColumn<QString>("command");

    QTest::newRow("empty") << QString() << QString() << QString();
    QTest::newRow("existing file with a space") << "@/file one.htm"
                                                << "@/file one.htm"
                                                << "@/file one.htm";
    QTest::newRow("existing folder") << "@/sub dir"
                                     << "@/sub dir/"
                                     << "@/sub dir/";
    QTest::newRow("existing folder with its slash") << "@/sub dir/"
                                                    << "@/sub dir/"
                                                    << "@/sub dir/";
    QTest::newRow("quoted") << "\"@/file one.htm\""
                            << "@/file one.htm"
                            << "@/file one.htm";
    // A new page in a folder with a space: the whole name, never the text up to the space.
    QTest::newRow("new name with spaces") << "@/sub dir/notes de cours.htm"
                                          << "@/sub dir/notes de cours.htm"
                                          << "@/sub";
    QTest::newRow("missing folder with a space") << "@/Mes Pages/liste.htm"
                                                 << "@/Mes Pages/liste.htm"
                                                 << "@/Mes";
    QTest::newRow("outer blanks") << "  @/new page.htm\t "
                                  << "@/new page.htm"
                                  << "@/new";
    QTest::newRow("quoted, then arguments") << "\"/opt/my browser\" --new-window"
                                            << "\"/opt/my browser\" --new-window"
                                            << "/opt/my browser";
    QTest::newRow("unclosed quote") << "\"/opt/my browser"
                                    << "\"/opt/my browser"
                                    << "/opt/my browser";
    QTest::newRow("command with an option") << "firefox --private-window"
                                            << "firefox --private-window"
                                            << "firefox";
    QTest::newRow("blanks only") << "   " << QString() << QString();
    QTest::newRow("empty quotes") << "\"\"" << QString() << QString();
}

void TestFileNameEdit::readBack()
{
    QFETCH(QString, text);
    QFETCH(QString, wholeName);
    QFETCH(QString, command);
    using FileNameRules::Reading;
    QCOMPARE(FileNameRules::readBack(expand(text), Reading::WholeName), expand(wholeName));
    QCOMPARE(FileNameRules::readBack(expand(text), Reading::Command), expand(command));

    // The field reads its text as it was told to.
    FileNameEdit edit;
    edit.field()->setText(expand(text));
    QCOMPARE(edit.fileName(), expand(wholeName));
    edit.setReading(Reading::Command);
    QCOMPARE(edit.fileName(), expand(command));
}

void TestFileNameEdit::setFileName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shown"); // "<refused>" when the name is refused
    QTest::addColumn<bool>("command"); // whether the field reads a command

    const QString refused = QStringLiteral("<refused>");
    QTest::newRow("empty clears") << QString() << QString() << false;
    QTest::newRow("plain path") << "@/plain.htm"
                                << "@/plain.htm" << false;
    QTest::newRow("space gets quotes") << "@/file one.htm"
                                       << "\"@/file one.htm\"" << false;
    QTest::newRow("quoted stays") << "\"/opt/my browser\""
                                  << "\"/opt/my browser\"" << false;
    QTest::newRow("new name with a space") << "/tmp/new page.htm"
                                           << "\"/tmp/new page.htm\"" << false;
    QTest::newRow("folder") << "@/sub dir"
                            << "\"@/sub dir\"" << false;
    QTest::newRow("slash is allowed") << "/usr/bin/firefox"
                                      << "/usr/bin/firefox" << false;
    for (const char *bad : {"a<b", "a>b", "a?b", "a*b", "a|b", "a\"b"})
        QTest::newRow(bad) << QString::fromLatin1(bad) << refused << false;
    // In a command only the first word counts: what follows a space is an argument.
    QTest::newRow("bad character in an argument") << "firefox a?b"
                                                  << "\"firefox a?b\"" << true;
    QTest::newRow("bad character after a space") << "page a?b.htm" << refused << false;
    QTest::newRow("blanks read back as nothing") << "  " << refused << false;
    QTest::newRow("empty quotes") << "\"\"" << refused << false;
}

void TestFileNameEdit::setFileName()
{
    QFETCH(QString, name);
    QFETCH(QString, shown);
    QFETCH(bool, command);
    FileNameEdit edit;
    if (command)
        edit.setReading(FileNameRules::Reading::Command);
    edit.field()->setText(QStringLiteral("before"));
    if (shown == QStringLiteral("<refused>")) {
        QCOMPARE(FileNameRules::acceptable(name, edit.reading()), false);
        try {
            edit.setFileName(name);
            QFAIL("the name was taken");
        } catch (const GlyphorError &error) {
            QCOMPARE(error.message(), QStringLiteral("Nom de fichier incorrect - ") + name);
        }
        QCOMPARE(edit.field()->text(), QStringLiteral("before"));
        return;
    }
    edit.setFileName(expand(name));
    QCOMPARE(edit.field()->text(), expand(shown));
    // What is shown reads back as the name set, the quotes gone.
    if (!name.startsWith(u'"') && !name.contains(u'?') && !name.endsWith(QStringLiteral("dir")))
        QCOMPARE(edit.fileName(), expand(name));
}

void TestFileNameEdit::browseWith(FileNameEdit &edit,
                                  const std::function<void(QFileDialog *)> &inDialog)
{
    bool seen = false;
    QTimer poll;
    connect(&poll, &QTimer::timeout, &edit, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog || seen)
            return;
        seen = true;
        inDialog(dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
    poll.start(20);
    edit.browseButton()->click();
    QVERIFY(seen);
}

void TestFileNameEdit::browseStartsAtTheNameAndTakesTheChoice()
{
    FileNameEdit edit;
    edit.setDialogTitle(QStringLiteral("Recherche de fichier"));
    edit.setFilter(QStringLiteral("Fichiers HTML (*.HTM *.htm);;Tous fichiers (*)"));
    edit.setDefaultExtension(QStringLiteral("htm"));
    edit.setInitialDir(QDir::homePath());
    edit.setFileName(m_dir.filePath(QStringLiteral("plain.htm")));

    // The dialog opens in the name's folder with the name chosen.
    browseWith(edit, [&](QFileDialog *dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Recherche de fichier"));
        QCOMPARE(dialog->directory().absolutePath(), QDir(m_dir.path()).absolutePath());
        QCOMPARE(dialog->defaultSuffix(), QStringLiteral("htm"));
        QCOMPARE(dialog->nameFilters().size(), 2);
        QTRY_COMPARE(dialog->selectedFiles(),
                     QStringList {m_dir.filePath(QStringLiteral("plain.htm"))});
    });

    // A new name in an existing folder: the user types another file's name, with a space.
    edit.setFileName(m_dir.filePath(QStringLiteral("new.htm")));
    browseWith(edit, [&](QFileDialog *dialog) {
        auto *typed = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        QVERIFY(typed);
        typed->selectAll();
        QTest::keyClicks(typed, QStringLiteral("file one.htm"));
        static_cast<QDialog *>(dialog)->accept(); // what "Ouvrir" does
    });
    const QString chosen = m_dir.filePath(QStringLiteral("file one.htm"));
    QCOMPARE(edit.field()->text(), u'"' + chosen + u'"');
    QCOMPARE(edit.fileName(), chosen);
    QCOMPARE(edit.initialDir(), QDir(m_dir.path()).absolutePath());

    // A field naming nothing that exists: the dialog starts in the initial folder.
    edit.field()->setText(QStringLiteral("/nowhere/at/all.htm"));
    browseWith(edit, [&](QFileDialog *dialog) {
        QCOMPARE(dialog->directory().absolutePath(), QDir(m_dir.path()).absolutePath());
    });
}

void TestFileNameEdit::browseCancelledKeepsTheField()
{
    FileNameEdit edit;
    edit.setInitialDir(m_dir.path());
    edit.field()->setText(QStringLiteral("firefox --private"));
    browseWith(edit, [](QFileDialog *dialog) { dialog->reject(); });
    QCOMPARE(edit.field()->text(), QStringLiteral("firefox --private"));
    QCOMPARE(edit.initialDir(), m_dir.path());
}

QTEST_MAIN(TestFileNameEdit)
#include "tst_filenameedit.moc"
