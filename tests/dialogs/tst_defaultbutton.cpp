#include "defaultbutton.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

// Which button a key press clicks, by the control that has the focus.
class TestDefaultButton : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void enter_data();
    void enter();
};

void TestDefaultButton::enter_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("defaultEnabled");
    QTest::addColumn<QString>("clicked"); // none: no button

    QTest::newRow("Enter in a field") << "field" << int(Qt::Key_Return) << true << "ok";
    QTest::newRow("keypad Enter") << "field" << int(Qt::Key_Enter) << true << "ok";
    QTest::newRow("on another button") << "other" << int(Qt::Key_Return) << true << "other";
    QTest::newRow("on a check box") << "box" << int(Qt::Key_Return) << true << "ok";
    QTest::newRow("default disabled") << "field" << int(Qt::Key_Return) << false << QString();
    QTest::newRow("another key") << "field" << int(Qt::Key_F2) << true << QString();
}

void TestDefaultButton::enter()
{
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(bool, defaultEnabled);
    QFETCH(QString, clicked);

    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    const QList<QWidget *> controls {new QLineEdit, new QPushButton, new QCheckBox,
                                     new QPushButton};
    const QStringList names {"field", "other", "box", "ok"};
    for (int i = 0; i < controls.size(); ++i) {
        controls[i]->setObjectName(names[i]);
        layout->addWidget(controls[i]);
    }
    auto *ok = window.findChild<QPushButton *>(QStringLiteral("ok"));
    ok->setEnabled(defaultEnabled);
    new DefaultButton(&window, ok);
    QString clickedName;
    for (auto *button : window.findChildren<QAbstractButton *>())
        connect(button, &QAbstractButton::clicked, &window,
                [&clickedName, button] { clickedName = button->objectName(); });
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QWidget *focused = window.findChild<QWidget *>(focus);
    focused->setFocus();

    QTest::keyClick(focused, Qt::Key(key));
    QCOMPARE(clickedName, clicked);
}

QTEST_MAIN(TestDefaultButton)
#include "tst_defaultbutton.moc"
