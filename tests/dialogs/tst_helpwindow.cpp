#include "helprequests.h"
#include "helpwindow.h"

#include <QApplication>
#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>

class TestHelpWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { m_help.reset(); }
    void sameContextIsNotSentAgainWhileOpen();
    void quitClosesTheWindow();
    void pagesHaveTitlesAndTheirLinksLead_data();
    void pagesHaveTitlesAndTheirLinksLead();

private:
    HelpWindow *window() const { return static_cast<HelpWindow *>(m_help->viewer()); }
    QString page() const { return window()->browser()->source().toString(); }

    std::unique_ptr<HelpRequests> m_help;
};

void TestHelpWindow::init()
{
    m_help = std::make_unique<HelpRequests>([] { return std::make_unique<HelpWindow>(); });
}

void TestHelpWindow::sameContextIsNotSentAgainWhileOpen()
{
    QVERIFY(!m_help->viewer()); // nothing is built before the first request
    QVERIFY(m_help->request(1));
    QVERIFY(window()->isVisible());
    QCOMPARE(page(), QStringLiteral("qrc:/help/fenetre.html"));
    QCOMPARE(window()->windowTitle(), QStringLiteral("Aide de Glyphor - La fenêtre principale"));

    // The user follows a link; asking for the same topic leaves the page alone.
    window()->browser()->setSource(QUrl(QStringLiteral("qrc:/help/pagehtml.html")));
    QVERIFY(m_help->request(1));
    QCOMPARE(page(), QStringLiteral("qrc:/help/pagehtml.html"));
    QCOMPARE(window()->windowTitle(), QStringLiteral("Aide de Glyphor - La page HTML"));

    // Another topic is shown, and then it is the one not sent again.
    QVERIFY(m_help->request(2));
    QCOMPARE(page(), QStringLiteral("qrc:/help/apropos.html"));
    window()->browser()->setSource(QUrl(QStringLiteral("qrc:/help/fenetre.html")));
    m_help->request(2);
    QCOMPARE(page(), QStringLiteral("qrc:/help/fenetre.html"));

    // Once the user has closed the window, the same topic is shown again.
    window()->close();
    QVERIFY(m_help->request(2));
    QVERIFY(window()->isVisible());
    QCOMPARE(page(), QStringLiteral("qrc:/help/apropos.html"));

    QVERIFY(m_help->request(6));
    QCOMPARE(page(), QStringLiteral("qrc:/help/pagehtml.html"));
    QVERIFY(!m_help->request(3));
}

void TestHelpWindow::quitClosesTheWindow()
{
    m_help->quit(); // nothing to close yet
    QVERIFY(!m_help->viewer());
    m_help->request(1);
    QVERIFY(window()->isVisible());
    m_help->quit();
    QVERIFY(!window()->isVisible());
    // Closing the help never ends the program.
    QVERIFY(!window()->testAttribute(Qt::WA_QuitOnClose));
}

void TestHelpWindow::pagesHaveTitlesAndTheirLinksLead_data()
{
    QTest::addColumn<int>("context");
    QTest::newRow("main window") << 1;
    QTest::newRow("about Glyphor") << 2;
    QTest::newRow("HTML export") << 6;
}

// Every link inside the help reaches a page of the help, and an anchor that is there.
void TestHelpWindow::pagesHaveTitlesAndTheirLinksLead()
{
    QFETCH(int, context);
    const QUrl url = HelpWindow::topicPage(context);
    const auto source = [](const QUrl &page) {
        QFile file(QLatin1Char(':') + page.path());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    };
    const QString html = source(url);
    QVERIFY(!html.isEmpty());
    QVERIFY(html.contains(QStringLiteral("charset=\"utf-8\"")));

    const QRegularExpression links(QStringLiteral("href=\"([^\"]*)\""));
    int internal = 0;
    for (const QRegularExpressionMatch &link : links.globalMatch(html)) {
        const QUrl target = url.resolved(QUrl(link.captured(1)));
        if (target.scheme() != u"qrc")
            continue;
        ++internal;
        const QString targetHtml = source(target);
        QVERIFY2(!targetHtml.isEmpty(), qPrintable(link.captured(1)));
        if (target.hasFragment())
            QVERIFY2(targetHtml.contains("name=\"" + target.fragment() + '"'),
                     qPrintable(link.captured(1)));
    }
    QVERIFY(internal >= 2); // linked to the other two pages at least

    HelpWindow window;
    QVERIFY(window.showTopic(context));
    QVERIFY(!window.browser()->documentTitle().isEmpty());
    QVERIFY(window.browser()->toPlainText().size() > 1000); // a page of prose, not a placeholder
}

QTEST_MAIN(TestHelpWindow)
#include "tst_helpwindow.moc"
