#include "application.h"
#include "helprequests.h"
#include "helpwindow.h"
#include "productinfo.h"
#include "tapropos.h"
#include "urlpicture.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

// Stands in for the desktop's browser: records the addresses it is asked to open.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> opened;

public Q_SLOTS:
    void open(const QUrl &url) { opened.append(url); }
};

class TestTAPropos : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { Application::setUp(*qApp); }
    void init();
    void cleanup();
    void labelAndPlaceAcrossOpenings();
    void focusTabAndEnter();
    void moreInfoShowsTheAboutTopicAndCloses();
    void logoOpensTheHomePage();

private:
    // Runs the box modally; while it is open, runs what a user does, then returns its result.
    int openWith(const std::function<void()> &whileOpen);
    template<typename T> T *child(const char *name) const
    {
        T *found = m_box->findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qFatal("no child %s", name);
        return found;
    }

    std::unique_ptr<HelpRequests> m_help;
    std::unique_ptr<TAPropos> m_box;
};

void TestTAPropos::init()
{
    m_help = std::make_unique<HelpRequests>([] { return std::make_unique<HelpWindow>(); });
    m_box = std::make_unique<TAPropos>(QStringLiteral("Glyphor 3.5"), *m_help);
}

void TestTAPropos::cleanup()
{
    m_box.reset();
    m_help.reset();
}

int TestTAPropos::openWith(const std::function<void()> &whileOpen)
{
    bool ran = false;
    QTimer::singleShot(0, m_box.get(), [&] {
        if (QApplication::activeModalWidget() == m_box.get()
            && QTest::qWaitForWindowActive(m_box.get()))
            whileOpen();
        ran = true;
        // Whatever the checks did, the box must not stay open.
        if (m_box->isVisible())
            m_box->done(-1);
    });
    const int result = m_box->exec();
    [&] {
        QVERIFY(ran);
    }();
    return result;
}

void TestTAPropos::labelAndPlaceAcrossOpenings()
{
    QCOMPARE(m_box->size(), QSize(319, 198));
    QLabel *version = child<QLabel>("Label2");
    QPoint centre;
    int result = openWith([&] {
        QCOMPARE(version->text(), QStringLiteral(" Glyphor 3.5 "));
        centre = m_box->geometry().center();
        m_box->move(40, 50); // the user moves it
        QTest::mouseClick(child<QPushButton>("Button1"), Qt::LeftButton);
    });
    QCOMPARE(result, 1);
    const QPoint screenCentre = m_box->screen()->availableGeometry().center();
    // The window frame, if any, may shift it by a few pixels.
    QVERIFY2((centre - screenCentre).manhattanLength() <= 6, "first shown at the screen's centre");

    result = openWith([&] {
        QCOMPARE(version->text(), QStringLiteral(" Glyphor 3.5 "));
        QCOMPARE(m_box->pos(), QPoint(40, 50));
        QTest::mouseClick(child<QPushButton>("Button1"), Qt::LeftButton);
    });
    QCOMPARE(result, 1);
    QVERIFY(!m_help->viewer());
}

void TestTAPropos::focusTabAndEnter()
{
    auto *clic = child<QPushButton>("Button1");
    auto *more = child<QPushButton>("Button2");
    const int result = openWith([&] {
        QCOMPARE(QApplication::focusWidget(), clic);
        QTest::keyClick(m_box.get(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), more);
        QTest::keyClick(m_box.get(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), clic);
        QTest::keyClick(m_box.get(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), more);
        QTest::keyClick(m_box.get(), Qt::Key_Backtab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    QCOMPARE(result, 1);
    QVERIFY(!m_help->viewer()); // "clic!" took the Enter, not "Plus d'infos . . ."

    // Opened again, the focus is back on "clic!", which Enter presses.
    QCOMPARE(openWith([&] {
                 QCOMPARE(QApplication::focusWidget(), clic);
                 QTest::keyClick(clic, Qt::Key_Enter);
             }),
             1);
    QCOMPARE(clic->toolTip(), QStringLiteral("clik!"));
}

void TestTAPropos::moreInfoShowsTheAboutTopicAndCloses()
{
    openWith([&] { QTest::mouseClick(child<QPushButton>("Button2"), Qt::LeftButton); });
    QVERIFY(!m_box->isVisible());
    auto *help = static_cast<HelpWindow *>(m_help->viewer());
    QVERIFY(help && help->isVisible());
    QCOMPARE(help->browser()->source(), QUrl(QStringLiteral("qrc:/help/apropos.html")));
}

void TestTAPropos::logoOpensTheHomePage()
{
    UrlCatcher browser;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &browser, "open");
    auto *logo = child<UrlPicture>("logo");
    openWith([&] {
        QCOMPARE(logo->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(m_box->rect().contains(logo->geometry()));
        QTest::mouseClick(logo, Qt::LeftButton, {}, logo->rect().center());
        // A press that ends outside the picture is no click.
        QTest::mousePress(logo, Qt::LeftButton, {}, logo->rect().center());
        QTest::mouseRelease(logo, Qt::LeftButton, {}, QPoint(-5, -5));
        QTest::mouseClick(child<QPushButton>("Button1"), Qt::LeftButton);
    });
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QCOMPARE(browser.opened, QList<QUrl> {QUrl(ProductInfo::homePage())});
    QVERIFY(m_box->isHidden()); // the click on the logo leaves the box alone
}

QTEST_MAIN(TestTAPropos)
#include "tst_tapropos.moc"
