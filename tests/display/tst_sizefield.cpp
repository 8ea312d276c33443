#include "sizefield.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

class tst_SizeField : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void typing_data();
    void typing();
    void value_data();
    void value();
    void stepping_data();
    void stepping();
    void setValue_data();
    void setValue();
    void handlerPutsOldValueBack_data();
    void handlerPutsOldValueBack();
    void enterGoesToWindow();
};

// The separator of the field's locale, and one it refuses.
static QString decimalPoint()
{
    return SizeField().locale().decimalPoint();
}

static QString otherDecimalPoint()
{
    return decimalPoint() == QLatin1String(",") ? QStringLiteral(".") : QStringLiteral(",");
}

void tst_SizeField::typing_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("digit") << "5"
                           << "125";
    QTest::newRow("plus") << "+"
                          << "12+";
    QTest::newRow("minus") << "-"
                           << "12-";
    QTest::newRow("separator") << decimalPoint() << QString("12" + decimalPoint());
    QTest::newRow("other separator") << otherDecimalPoint() << "12";
    QTest::newRow("letter") << "a"
                            << "12";
    QTest::newRow("space") << " "
                           << "12";
}

void tst_SizeField::typing()
{
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    SizeField field;
    QTest::keyClick(&field, Qt::Key_End);
    QSignalSpy spy(&field, &SizeField::textChanged);

    QTest::keyClicks(&field, typed);
    QCOMPARE(field.text(), expected);
    QCOMPARE(spy.count(), expected == QLatin1String("12") ? 0 : 1);
}

void tst_SizeField::value_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("empty") << "" << 6;
    QTest::newRow("lone plus") << "+" << 6;
    QTest::newRow("lone minus") << "-" << 6;
    QTest::newRow("decimal") << QString("1" + decimalPoint() + "5") << 6;
    QTest::newRow("plain") << "12" << 12;
    QTest::newRow("signed") << "+12" << 12;
    QTest::newRow("negative") << "-3" << -3;
    QTest::newRow("above maximum") << "125" << 125;
}

void tst_SizeField::value()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    SizeField field;
    field.setText(text);
    QCOMPARE(field.text(), text); // kept as given, out of range or not
    QCOMPARE(field.value(), value);
}

void tst_SizeField::stepping_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("key"); // 0: stepBy(steps)
    QTest::addColumn<int>("steps");
    QTest::addColumn<QString>("expected");
    QTest::newRow("up") << "12" << int(Qt::Key_Up) << 0 << "13";
    QTest::newRow("down") << "12" << int(Qt::Key_Down) << 0 << "11";
    QTest::newRow("up at maximum") << "72" << int(Qt::Key_Up) << 0 << "72";
    QTest::newRow("down at minimum") << "6" << int(Qt::Key_Down) << 0 << "6";
    QTest::newRow("down from above") << "125" << int(Qt::Key_Down) << 0 << "72";
    QTest::newRow("up from below") << "3" << int(Qt::Key_Up) << 0 << "6";
    QTest::newRow("up from empty") << "" << int(Qt::Key_Up) << 0 << "7";
    QTest::newRow("far up") << "12" << 0 << 100 << "72";
    QTest::newRow("far down") << "12" << 0 << -100 << "6";
    QTest::newRow("huge text") << "99999999999" << 0 << -1 << "72";
}

void tst_SizeField::stepping()
{
    QFETCH(QString, text);
    QFETCH(int, key);
    QFETCH(int, steps);
    QFETCH(QString, expected);
    SizeField field;
    field.setText(text);
    if (key)
        QTest::keyClick(&field, Qt::Key(key));
    else
        field.stepBy(steps);
    QCOMPARE(field.text(), expected);
}

void tst_SizeField::setValue_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("signals");
    QTest::newRow("in range") << 30 << "30" << 1;
    QTest::newRow("too big") << 100 << "72" << 1;
    QTest::newRow("too small") << 3 << "6" << 1;
    QTest::newRow("same") << 12 << "12" << 0;
}

void tst_SizeField::setValue()
{
    QFETCH(int, value);
    QFETCH(QString, expected);
    QFETCH(int, signals);
    SizeField field;
    QCOMPARE(field.text(), "12");
    QSignalSpy spy(&field, &SizeField::textChanged);

    field.setValue(value);
    QCOMPARE(field.text(), expected);
    QCOMPARE(spy.count(), signals);
    if (signals)
        QCOMPARE(spy.at(0).at(0).toString(), expected);

    field.setText(expected);
    QCOMPARE(spy.count(), signals);
}

void tst_SizeField::handlerPutsOldValueBack_data()
{
    QTest::addColumn<QString>("howTypingEnds");
    QTest::newRow("Enter") << "enter";
    QTest::newRow("focus leaves") << "focus";
    QTest::newRow("pause") << "pause";
}

void tst_SizeField::handlerPutsOldValueBack()
{
    // As the window does: a size out of range is replaced by the last good one, once the user
    // has finished typing it.
    QFETCH(QString, howTypingEnds);
    QWidget window;
    auto *field = new SizeField(&window);
    auto *other = new QLineEdit(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    field->setFocus();
    int lastGood = field->value();
    int calls = 0;
    const auto apply = [&] {
        QVERIFY(++calls < 20);
        const int value = field->value();
        if (value < SizeField::Minimum || value > SizeField::Maximum) {
            if (!field->typingUnfinished())
                field->setValue(lastGood);
        } else {
            lastGood = value;
        }
    };
    connect(field, &SizeField::textChanged, field, apply);
    connect(field, &SizeField::typingFinished, field, apply);
    const auto endTyping = [&] {
        if (howTypingEnds == "enter")
            QTest::keyClick(field, Qt::Key_Return);
        else if (howTypingEnds == "focus")
            other->setFocus();
        else
            QTRY_VERIFY_WITH_TIMEOUT(!field->typingUnfinished(), SizeField::TypingPauseMs * 3);
        QVERIFY(!field->typingUnfinished());
    };

    // "3" is out of range, but on the way to "30": left as typed.
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, '3');
    QCOMPARE(field->text(), "3");
    QVERIFY(field->typingUnfinished());
    QTest::keyClick(field, '0');
    QCOMPARE(lastGood, 30);
    endTyping();
    QCOMPARE(field->text(), "30");

    // "305" stays out of range: put back once the typing ends.
    field->setFocus();
    QTest::keyClick(field, Qt::Key_End);
    QTest::keyClick(field, '5');
    QCOMPARE(field->text(), "305");
    endTyping();
    QCOMPARE(field->text(), "30");

    // The program's own changes apply at once.
    field->setText("40");
    QCOMPARE(lastGood, 40);
    QVERIFY(!field->typingUnfinished());
}

class KeyRecorder : public QWidget
{
public:
    QList<int> keys;

protected:
    void keyPressEvent(QKeyEvent *event) override { keys.append(event->key()); }
};

void tst_SizeField::enterGoesToWindow()
{
    KeyRecorder window;
    auto *field = new SizeField(&window);
    field->setText("125");
    QTest::keyClick(field, Qt::Key_Return);
    QTest::keyClick(field, Qt::Key_Enter);
    QCOMPARE(window.keys, QList<int>({Qt::Key_Return, Qt::Key_Enter}));
    QCOMPARE(field->text(), "125");
}

QTEST_MAIN(tst_SizeField)
#include "tst_sizefield.moc"
