#include "faketray.h"
#include "ttrayicon.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QWidget>

class TestTTrayIcon : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void clicksHideAndShow();
    void everyMinimiseEndsInTheTray();
    void withoutATrayMinimisingIsOrdinary();
    void hiddenWindowCountsAsShown();
    void windowComesBackWhenTheTrayGoes();
    void trayThatComesLaterGetsTheIcon();
    void retriesEndAfterThirtyOneAttempts();
    void iconGoesWithTheComponent();

private:
    // The window and its tray icon, as the program sets them up; the fake is left available
    // or not before activation.
    void activate(bool trayAvailable = true);
    bool inTray() const { return !m_window->isVisible() && !m_tray->programShown(); }

    std::unique_ptr<QWidget> m_window;
    std::unique_ptr<QMenu> m_menu;
    QAction *m_show = nullptr;
    FakeTray *m_fake = nullptr;
    std::unique_ptr<TTrayIcon> m_tray;
};

void TestTTrayIcon::init()
{
    m_window = std::make_unique<QWidget>();
    m_window->resize(200, 100);
    m_menu = std::make_unique<QMenu>();
    m_menu->addAction(QStringLiteral("Fermer Glyphor"));
    m_show = m_menu->addAction(QStringLiteral("Montrer!"));
    m_menu->setDefaultAction(m_show);
    auto fake = std::make_unique<FakeTray>();
    m_fake = fake.get();
    m_tray = std::make_unique<TTrayIcon>(m_window.get(), std::move(fake));
    m_tray->setPopupMenu(m_menu.get());
    m_tray->setHint(QStringLiteral("Glyphor|reste de l'aide"));
    m_tray->Visibility |= tvRestoreClick | tvMinimizeClick;
    connect(m_show, &QAction::triggered, m_tray.get(), &TTrayIcon::ShowFromTray);
}

void TestTTrayIcon::cleanup()
{
    m_tray.reset();
    m_menu.reset();
    m_window.reset();
}

void TestTTrayIcon::activate(bool trayAvailable)
{
    m_fake->available = trayAvailable;
    m_tray->setActive(true);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestTTrayIcon::clicksHideAndShow()
{
    activate();
    QVERIFY(m_tray->iconShown() && m_tray->hooked() && m_fake->iconVisible);
    QCOMPARE(m_fake->menu, m_menu.get());
    QCOMPARE(m_fake->toolTip, QStringLiteral("Glyphor"));

    m_fake->leftClick();
    QVERIFY(inTray());
    QVERIFY(!(m_tray->Visibility & tvVisibleTaskBar));
    m_fake->leftClick();
    QVERIFY(m_window->isVisible());
    QVERIFY(m_tray->programShown());
    QVERIFY(m_tray->Visibility & tvVisibleTaskBar);

    // A double click on a shown window: the first click hides it, the double click brings it
    // back at once through "Montrer!".
    m_fake->doubleClick();
    QVERIFY(m_window->isVisible() && m_tray->programShown());
    // From the tray, a double click shows it too (the click shows it, "Montrer!" leaves it).
    m_tray->HideToTray();
    m_fake->doubleClick();
    QVERIFY(m_window->isVisible() && m_tray->programShown());

    // "Montrer!" on a shown window changes nothing.
    m_show->trigger();
    QVERIFY(m_window->isVisible() && m_tray->programShown());
    QVERIFY(m_fake->iconVisible);
}

void TestTTrayIcon::everyMinimiseEndsInTheTray()
{
    activate();
    m_window->setWindowState(Qt::WindowMaximized);
    m_window->showMinimized();
    QTRY_VERIFY(inTray());
    // Back as it was: maximised.
    m_tray->ShowFromTray();
    QVERIFY(m_window->isVisible());
    QCOMPARE(m_window->windowState() & ~Qt::WindowActive, Qt::WindowMaximized);

    // Deactivated, the component leaves minimises alone.
    m_tray->setActive(false);
    QVERIFY(!m_tray->hooked() && !m_fake->iconVisible);
    m_window->showMinimized();
    QTest::qWait(50);
    QVERIFY(m_window->isVisible());
}

void TestTTrayIcon::withoutATrayMinimisingIsOrdinary()
{
    activate(false);
    QVERIFY(!m_tray->iconShown());
    m_window->showMinimized();
    QTest::qWait(50);
    QVERIFY(m_window->isVisible());
    m_window->showNormal();

    // Sent to the tray with no tray to come back through: only minimised.
    m_tray->HideToTray();
    QVERIFY(m_window->isVisible());
    QVERIFY(m_window->windowState() & Qt::WindowMinimized);

    // An icon shown once whose tray host has gone since: the same.
    m_window->showNormal();
    m_fake->available = true;
    QTRY_VERIFY_WITH_TIMEOUT(m_tray->iconShown(), 3000);
    m_fake->available = false;
    m_window->showMinimized();
    QTest::qWait(50);
    QVERIFY(m_window->isVisible());
}

void TestTTrayIcon::hiddenWindowCountsAsShown()
{
    // As after a hidden start: hidden, not minimised.
    m_tray->setActive(true);
    QVERIFY(m_tray->programShown());
    m_fake->leftClick();
    QVERIFY(!m_window->isVisible());
    QVERIFY(!m_tray->programShown());
    m_fake->leftClick();
    QVERIFY(m_window->isVisible() && m_tray->programShown());

    // "Montrer!" shows it: on Linux the window is its own taskbar entry.
    m_window->hide();
    m_show->trigger();
    QVERIFY(m_window->isVisible());
}

void TestTTrayIcon::windowComesBackWhenTheTrayGoes()
{
    // In the tray: shown again, on the taskbar.
    activate();
    m_tray->HideToTray();
    QVERIFY(inTray());
    m_fake->loseHost();
    QVERIFY(m_window->isVisible() && m_tray->programShown());
    QVERIFY(m_tray->Visibility & tvVisibleTaskBar);

    // Hidden without being minimised, as after a hidden start: shown too.
    m_fake->available = true;
    m_window->hide();
    m_fake->loseHost();
    QVERIFY(m_window->isVisible());

    // A shown or minimised window is left as it is.
    m_window->showMinimized();
    m_fake->loseHost();
    QVERIFY(m_window->windowState() & Qt::WindowMinimized);
}

void TestTTrayIcon::trayThatComesLaterGetsTheIcon()
{
    // No tray at start; one comes three seconds later. Meanwhile the window goes on working.
    activate(false);
    QVERIFY(!m_tray->iconShown());
    QTimer::singleShot(3000, this, [this] { m_fake->available = true; });
    int ticks = 0;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, this, [&ticks] { ++ticks; });
    ticker.start(50);
    QTRY_VERIFY_WITH_TIMEOUT(m_tray->iconShown(), 6000);
    QVERIFY2(ticks >= 40, qPrintable(QString::number(ticks)));
    QVERIFY(m_fake->showCalls >= 4);
    m_window->showMinimized();
    QTRY_VERIFY(inTray());
}

void TestTTrayIcon::retriesEndAfterThirtyOneAttempts()
{
    m_tray->setRetryInterval(5);
    activate(false);
    QTest::qWait(400);
    QCOMPARE(m_fake->showCalls, 1 + TTrayIcon::RetryAttempts);
    QVERIFY(!m_tray->iconShown());

    // Told not to wait: one attempt only.
    cleanup();
    init();
    m_tray->setRetryInterval(5);
    m_tray->Visibility |= tvNoRetryOnFailure;
    activate(false);
    QTest::qWait(100);
    QCOMPARE(m_fake->showCalls, 1);
}

void TestTTrayIcon::iconGoesWithTheComponent()
{
    bool inTheTray = false;
    m_fake->iconWatcher = &inTheTray;
    activate();
    QVERIFY(inTheTray);
    m_tray.reset();
    QVERIFY(!inTheTray);
}

QTEST_MAIN(TestTTrayIcon)
#include "tst_ttrayicon.moc"
