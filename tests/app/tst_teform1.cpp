#include "teform1.h"

#include <QTest>

class TestTEForm1 : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void placeholder() { }
};

QTEST_MAIN(TestTEForm1)
#include "tst_teform1.moc"
