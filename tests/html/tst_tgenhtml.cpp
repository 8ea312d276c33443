#include "filenameedit.h"
#include "helprequests.h"
#include "testfiles.h"
#include "tgenhtml.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// Shows the help topics asked for by recording them.
class RecordingViewer : public HelpViewer
{
public:
    explicit RecordingViewer(QList<int> &topics)
        : m_topics(topics)
    {
    }
    bool isOpen() const override { return !m_topics.isEmpty(); }
    bool showTopic(int context) override
    {
        m_topics.append(context);
        return true;
    }
    void bringToFront() override { }
    void quit() override { }

private:
    QList<int> &m_topics;
};

// A message box as the user saw it, and the answer given.
struct Box
{
    QString title;
    QString text;
    QMessageBox::Icon icon;
};

} // namespace

class TestTGenHTML : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QApplication::setApplicationName(QStringLiteral("Glyphor")); }
    void init();
    void cleanup();
    void firstOpening();
    void refusedStoredBrowserIsReportedAndLeftOut();
    void generateAsksBeforeReplacing();
    void generateReportsAPageThatCannotBeWritten();
    void viewChecksTheBrowserBeforeWriting();
    void viewStartsTheBrowserOnThePage();
    void viewTakesATypedBrowserPathWithSpaces_data();
    void viewTakesATypedBrowserPathWithSpaces();
    void helpShowsItsTopic();

private:
    // Runs a handler of the dialog; every message box it shows is recorded and answered with
    // the button whose text is given (the first one when none is left).
    QList<Box> run(void (TGenHTML::*handler)(), QStringList answers = {});
    void makeDialog(const QString &browser = QString());
    QString page() const { return m_dir.filePath(QStringLiteral("ma page.htm")); }
    // A stand-in browser, in a folder with a space, that records its arguments one per line in
    // arguments.log.
    QString standInBrowser(bool runnable);

    QTemporaryDir m_dir;
    QList<int> m_topics;
    std::unique_ptr<HelpRequests> m_help;
    std::unique_ptr<TGenHTML> m_dialog;
    QList<Box> m_startBoxes;
};

void TestTGenHTML::init()
{
    QVERIFY(m_dir.isValid());
    qputenv("HOME", m_dir.path().toLocal8Bit());
    m_topics.clear();
    m_help = std::make_unique<HelpRequests>(
        [this] { return std::make_unique<RecordingViewer>(m_topics); });
}

void TestTGenHTML::cleanup()
{
    m_dialog.reset();
    m_help.reset();
    QFile::remove(page());
}

void TestTGenHTML::makeDialog(const QString &browser)
{
    HtmlPageSource source;
    source.version = QStringLiteral("Glyphor 3.5");
    source.fonts = [] {
        return QStringList {QStringLiteral("Default"), QStringLiteral("DejaVu Sans")};
    };
    source.sample = [] {
        return QStringLiteral("échantillon");
    };
    m_startBoxes.clear();
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [this] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            m_startBoxes.append({box->windowTitle(), box->text(), box->icon()});
            box->accept();
        }
    });
    poll.start(20);
    m_dialog = std::make_unique<TGenHTML>(source, browser, *m_help);
    m_dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
}

QList<Box> TestTGenHTML::run(void (TGenHTML::*handler)(), QStringList answers)
{
    QList<Box> boxes;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        boxes.append({box->windowTitle(), box->text(), box->icon()});
        const QString answer = answers.isEmpty() ? QString() : answers.takeFirst();
        const QList<QAbstractButton *> buttons = box->buttons();
        for (QAbstractButton *button : buttons) {
            if (answer.isEmpty() || button->text() == answer) {
                button->click();
                return;
            }
        }
        box->reject();
    });
    poll.start(20);
    (m_dialog.get()->*handler)();
    return boxes;
}

void TestTGenHTML::firstOpening()
{
    // No documents folder: the page goes in the home folder.
    makeDialog();
    QCOMPARE(m_dialog->nomFichierHTML()->fileName(), m_dir.filePath(QStringLiteral("glyphor.htm")));
    QVERIFY(m_dialog->NomBUTINEUR()->field()->text().isEmpty());

    QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("Documents")));
    makeDialog(QStringLiteral("/usr/bin/mon navigateur"));
    QCOMPARE(m_dialog->nomFichierHTML()->fileName(),
             m_dir.filePath(QStringLiteral("Documents/glyphor.htm")));
    QCOMPARE(m_dialog->nomFichierHTML()->initialDir(), m_dir.filePath(QStringLiteral("Documents")));
    QCOMPARE(m_dialog->NomBUTINEUR()->field()->text(),
             QStringLiteral("\"/usr/bin/mon navigateur\""));
    QVERIFY(QDir(m_dir.path()).rmdir(QStringLiteral("Documents")));

    QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Génération d'une liste HTML"));
    QCOMPARE(m_dialog->size(), QSize(388, 273));
    QCOMPARE(m_dialog->minimumSize(), m_dialog->maximumSize());
    auto *memo = m_dialog->findChild<QPlainTextEdit *>(QStringLiteral("Memo1"));
    QCOMPARE(memo->document()->blockCount(), 9);
    QVERIFY(memo->toPlainText().startsWith(
        QStringLiteral("Cette fonction vous permet de générer un fichier au format \nHTML \n")));

    // The memo takes the focus, then Tab goes through the fields and the buttons in order.
    QApplication::setActiveWindow(m_dialog.get());
    QTRY_COMPARE(QApplication::focusWidget(), memo);
    const QStringList order
        = {QStringLiteral("nomFichierHTML"), QStringLiteral("NomBUTINEUR"),
           QStringLiteral("GenererFIC"),     QStringLiteral("GenererVisualiserFIC"),
           QStringLiteral("Button1"),        QStringLiteral("Aide")};
    for (const QString &name : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget *focused = QApplication::focusWidget();
        const QString focusedName = qobject_cast<QLineEdit *>(focused)
            ? focused->parentWidget()->objectName()
            : focused->objectName();
        QCOMPARE(focusedName, name);
    }
}

void TestTGenHTML::refusedStoredBrowserIsReportedAndLeftOut()
{
    makeDialog(QStringLiteral("/usr/bin/fire|fox"));
    QCOMPARE(m_startBoxes.size(), 1);
    QCOMPARE(m_startBoxes[0].icon, QMessageBox::Critical);
    QCOMPARE(m_startBoxes[0].text, QStringLiteral("Nom de fichier incorrect - /usr/bin/fire|fox."));
    QVERIFY(m_dialog->NomBUTINEUR()->field()->text().isEmpty());
    QVERIFY(m_dialog->NomBUTINEUR()->fileName().isEmpty());
}

void TestTGenHTML::generateAsksBeforeReplacing()
{
    makeDialog();
    m_dialog->nomFichierHTML()->setFileName(page());
    QFile old(page());
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("ancienne page\r\n");
    old.close();

    // "Non": nothing written, no further message, and the dialog closes all the same.
    QList<Box> boxes = run(&TGenHTML::GenererFICClick, {QStringLiteral("&Non")});
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes[0].title, QStringLiteral("Avertissement"));
    QCOMPARE(boxes[0].text, QStringLiteral("Ce fichier existe déjà. Remplacer ?"));
    QCOMPARE(boxes[0].icon, QMessageBox::Warning);
    QCOMPARE(readBytes(page()), QByteArray("ancienne page\r\n"));
    QVERIFY(!m_dialog->FichierGenere);
    QVERIFY(!m_dialog->isVisible());

    m_dialog->show();
    boxes = run(&TGenHTML::GenererFICClick, {QStringLiteral("&Oui"), QString()});
    QCOMPARE(boxes.size(), 2);
    QCOMPARE(boxes[1].title, QStringLiteral("Glyphor"));
    QCOMPARE(boxes[1].text, QStringLiteral("Fichier généré !"));
    QCOMPARE(boxes[1].icon, QMessageBox::NoIcon);
    QVERIFY(m_dialog->FichierGenere);
    QVERIFY(readBytes(page()).contains("<TD><FONT FACE=\"DejaVu Sans\">\xE9"
                                       "chantillon</FONT></TD>\r\n"));
    QVERIFY(!m_dialog->isVisible());
}

void TestTGenHTML::generateReportsAPageThatCannotBeWritten()
{
    makeDialog();
    for (const QString &name : {m_dir.filePath(QStringLiteral("nulle part/page.htm")), QString()}) {
        m_dialog->nomFichierHTML()->setFileName(name);
        const QList<Box> boxes = run(&TGenHTML::GenererFICClick);
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].text, QStringLiteral("Erreur lors de l'initialisation du fichier !"));
        QVERIFY(!m_dialog->FichierGenere);
        m_dialog->show();
    }
}

void TestTGenHTML::viewChecksTheBrowserBeforeWriting()
{
    makeDialog();
    m_dialog->nomFichierHTML()->setFileName(page());
    QFile old(page());
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.close();

    const QStringList missing = {QString(), QStringLiteral("/nulle/part/navigateur"),
                                 QStringLiteral("pas-de-navigateur-de-ce-nom"), m_dir.path()};
    for (const QString &browser : missing) {
        m_dialog->NomBUTINEUR()->setFileName(browser);
        const QList<Box> boxes = run(&TGenHTML::GenererVisualiserFICClick);
        QCOMPARE(boxes.size(), 1); // no overwrite question
        QCOMPARE(boxes[0].text,
                 browser.isEmpty()
                     ? QStringLiteral("Veuillez indiquer un nom de Butineur WEB svp !")
                     : QStringLiteral("Le fichier exécutable du Butineur WEB n'existe pas !"));
        QCOMPARE(m_dialog->focusWidget(), m_dialog->NomBUTINEUR()->field());
        QCOMPARE(readBytes(page()), QByteArray());
    }
}

void TestTGenHTML::viewStartsTheBrowserOnThePage()
{
    const QString browser = standInBrowser(true);
    const QString log = m_dir.filePath(QStringLiteral("arguments.log"));

    makeDialog(browser);
    m_dialog->nomFichierHTML()->setFileName(page());
    const QList<Box> boxes = run(&TGenHTML::GenererVisualiserFICClick);
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes[0].text, QStringLiteral("Fichier généré !"));
    QVERIFY(m_dialog->isVisible());
    QTRY_VERIFY(QFile::exists(log));
    QCOMPARE(readBytes(log), "1\n" + page().toLocal8Bit() + "\n");

    // Declining to replace the page starts nothing.
    QFile::remove(log);
    QCOMPARE(run(&TGenHTML::GenererVisualiserFICClick, {QStringLiteral("&Non")}).size(), 1);
    QTest::qWait(300);
    QVERIFY(!QFile::exists(log));
}

QString TestTGenHTML::standInBrowser(bool runnable)
{
    QDir(m_dir.path()).mkdir(QStringLiteral("mes programmes"));
    const QString browser = m_dir.filePath(QStringLiteral("mes programmes/navigateur"));
    const QByteArray log = m_dir.filePath(QStringLiteral("arguments.log")).toLocal8Bit();
    writeBytes(browser,
               "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" > '" + log + ".tmp'\nmv '" + log + ".tmp' '"
                   + log + "'\n");
    const QFile::Permissions readWrite = QFile::ReadOwner | QFile::WriteOwner;
    QFile::setPermissions(browser, runnable ? readWrite | QFile::ExeOwner : readWrite);
    return browser;
}

void TestTGenHTML::viewTakesATypedBrowserPathWithSpaces_data()
{
    QTest::addColumn<bool>("runnable");
    QTest::newRow("program") << true;
    // Found, but without the right to run it: the page is written, and the start fails aloud.
    QTest::newRow("file without the run bit") << false;
}

void TestTGenHTML::viewTakesATypedBrowserPathWithSpaces()
{
    QFETCH(bool, runnable);
    const QString browser = standInBrowser(runnable);
    const QString log = m_dir.filePath(QStringLiteral("arguments.log"));
    QFile::remove(log);
    makeDialog();
    m_dialog->nomFichierHTML()->setFileName(page());
    m_dialog->NomBUTINEUR()->field()->setText(browser); // typed, without quotes

    const QList<Box> boxes = run(&TGenHTML::GenererVisualiserFICClick);
    QCOMPARE(boxes.size(), runnable ? 1 : 2);
    QCOMPARE(boxes[0].text, QStringLiteral("Fichier généré !"));
    QVERIFY(QFile::exists(page()));
    if (runnable) {
        QTRY_VERIFY(QFile::exists(log));
        QCOMPARE(readBytes(log), "1\n" + page().toLocal8Bit() + "\n");
    } else {
        QCOMPARE(boxes[1].title, QStringLiteral("Glyphor"));
        QCOMPARE(boxes[1].text, QStringLiteral("Impossible de lancer le navigateur ") + browser);
    }
}

void TestTGenHTML::helpShowsItsTopic()
{
    makeDialog();
    m_dialog->findChild<QPushButton *>(QStringLiteral("Aide"))->click();
    QCOMPARE(m_topics, QList<int> {HelpRequests::HtmlExportTopic});
}

QTEST_MAIN(TestTGenHTML)
#include "tst_tgenhtml.moc"
