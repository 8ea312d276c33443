#include "commandlinedata.h"
#include "fakeinstances.h"
#include "tappinstances.h"

#include <QSignalSpy>
#include <QTest>

using Answer = InstanceChannel::Answer;
Q_DECLARE_METATYPE(Answer)

namespace {
constexpr quint32 Own = 500;
}

class TestTAppInstances : public QObject
{
    Q_OBJECT

private:
    FakeStore *store = nullptr;
    FakeChannel *channel = nullptr;

    // This copy joins a registry that holds the given copies already.
    std::unique_ptr<TAppInstances> start(std::initializer_list<quint32> running,
                                         const QStringList &arguments = {"glyphor"})
    {
        auto ownedStore = std::make_unique<FakeStore>();
        auto ownedChannel = std::make_unique<FakeChannel>();
        store = ownedStore.get();
        channel = ownedChannel.get();
        store->add(running);
        return std::make_unique<TAppInstances>(std::move(ownedStore), std::move(ownedChannel), Own,
                                               arguments);
    }

private Q_SLOTS:
    // The copy that joined first goes on without asking, also when others joined after it.
    void firstCopyGoesOnWithoutAsking()
    {
        auto instances = start({});
        QCOMPARE(store->layout.Limit, 65535);
        store->add({600});
        channel->answers[600] = Answer::Active;
        QVERIFY(instances->CheckInstanceLimit());
        QVERIFY(channel->queried.isEmpty());

        // The last copy to leave removes the registry.
        store->alive.remove(600);
        instances->leave();
        QVERIFY(store->entries().isEmpty());
        QVERIFY(store->discarded);
    }

    void secondStartIsRejected()
    {
        auto instances = start({100}, {"glyphor", "two words", "\"quoted\""});
        channel->answers[100] = Answer::Active;
        instances->activationToken = "token-1";
        QCOMPARE(channel->postedTo(NotifyCreated), QList<quint32> {100});

        QVERIFY(!instances->CheckInstanceLimit());
        QCOMPARE(channel->queried, QList<quint32> {100});
        QCOMPARE(channel->postedTo(ActivateRequest), QList<quint32> {100});
        QCOMPARE(channel->postedTo(CopyData), QList<quint32> {100});
        for (const auto &[pid, message] : std::as_const(channel->posted)) {
            if (message.code == ActivateRequest)
                QCOMPARE(message.data, "token-1");
            if (message.code == CopyData) {
                QCOMPARE(message.value, CommandLineData);
                QCOMPARE(message.data, "two words\r\n\"quoted\"\r\n");
            }
        }
        // Left the registry, which stays for the running copy.
        QCOMPARE(store->entries(), QList<quint32> {100});
        QVERIFY(!store->discarded);
        QCOMPARE(channel->postedTo(NotifyDestroyed), QList<quint32> {100});
    }

    void olderCopiesDecide_data()
    {
        QTest::addColumn<Answer>("first");
        QTest::addColumn<Answer>("second");
        QTest::addColumn<bool>("goesOn");
        QTest::addColumn<quint32>("broughtForward");
        QTest::newRow("active (or silent) oldest")
            << Answer::Active << Answer::Absent << false << 100u;
        QTest::newRow("oldest leaving, next active")
            << Answer::NotActive << Answer::Active << false << 101u;
        QTest::newRow("stale entry, next active")
            << Answer::Absent << Answer::Active << false << 101u;
        QTest::newRow("none active") << Answer::NotActive << Answer::Absent << true << 0u;
    }

    void olderCopiesDecide()
    {
        QFETCH(Answer, first);
        QFETCH(Answer, second);
        QFETCH(bool, goesOn);
        QFETCH(quint32, broughtForward);
        auto instances = start({100, 101});
        channel->answers[100] = first;
        channel->answers[101] = second;
        QCOMPARE(instances->CheckInstanceLimit(), goesOn);
        // Asked oldest first, up to the first that keeps its place.
        QCOMPARE(channel->queried.first(), 100u);
        QCOMPARE(channel->queried.size(), first == Answer::Active ? 1 : 2);
        QCOMPARE(channel->postedTo(ActivateRequest),
                 goesOn ? QList<quint32> {} : QList<quint32> {broughtForward});
        QCOMPARE(store->entries().contains(Own), goesOn);
    }

    // A count beyond the entries' room (left by a copy that died writing it) is bounded, and a
    // full registry takes no new entry instead of writing past its end.
    void fullOrDamagedRegistry()
    {
        auto instances = start({});
        instances->leave();
        store->discarded = false;
        store->layout.Count = 60000;
        QCOMPARE(instances->registry().Count(), 0);

        for (quint32 pid = 1; pid <= RegistryLayout::Capacity; ++pid)
            store->add({pid});
        QVERIFY(!instances->registry().JoinRegistry(65535));
        QCOMPARE(store->layout.Count, RegistryLayout::Capacity);
        channel->answers[1] = Answer::Active;
        QVERIFY(!instances->CheckInstanceLimit());
        QCOMPARE(channel->queried, QList<quint32> {1});
    }

    void answersComesForwardAndIgnoresNews()
    {
        auto instances = start({100});
        QSignalSpy forward(instances.get(), &TAppInstances::activationRequested);
        QCOMPARE(instances->receive({QueryActive, 0, {}})->value, 1u);
        // News of other copies and a rejected start's arguments need no answer.
        QVERIFY(!instances->receive({NotifyCreated, 101, {}}));
        QVERIFY(!instances->receive({CopyData, CommandLineData, "x\r\n"}));
        QVERIFY(forward.isEmpty());
        QVERIFY(!instances->receive({ActivateRequest, 0, "token"}));
        QCOMPARE(forward.count(), 1);
        QCOMPARE(forward.at(0).at(0).toByteArray(), "token");
    }

    void commandLineText_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("none") << QStringList {"glyphor"} << QByteArray();
        QTest::newRow("blanks and quotes kept inside an argument")
            << QStringList {"/usr/bin/glyphor", "a b", " c ", "\"d\""}
            << QByteArray("a b\r\n c \r\n\"d\"\r\n");
        QTest::newRow("empty argument")
            << QStringList {"glyphor", "", "x"} << QByteArray("\r\nx\r\n");
        QTest::newRow("line breaks inside an argument")
            << QStringList {"glyphor", "a\r\nb", "c\nd\re"} << QByteArray("a b\r\nc d e\r\n");
        QTest::newRow("UTF-8") << QStringList {"glyphor", "été"}
                               << QByteArray("\xc3\xa9t\xc3\xa9\r\n");
    }

    void commandLineText()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, text);
        QCOMPARE(CommandLineText::encode(arguments), text);
        // What the running copy reads back: the same arguments, line breaks blanked.
        QStringList back = arguments.mid(1);
        for (QString &argument : back)
            argument.replace(QLatin1String("\r\n"), QLatin1String(" "))
                .replace(u'\r', u' ')
                .replace(u'\n', u' ');
        QCOMPARE(CommandLineText::decode(text), back);
    }

    void messageFrames()
    {
        const QByteArray first = InstanceMessage {QueryActive, 7, {}}.encode();
        const QByteArray second = InstanceMessage {CopyData, CommandLineData, "ab\r\n"}.encode();
        QCOMPARE(first, QByteArray("\x04\0\0\0\x07\0\0\0\0\0\0\0", 12));

        // Arriving in pieces: nothing until a message is whole, then each in order.
        QByteArray buffer = first + second.left(13);
        bool malformed = true;
        auto message = InstanceMessage::take(buffer, malformed);
        QVERIFY(message && !malformed);
        QCOMPARE(message->value, 7u);
        QVERIFY(!InstanceMessage::take(buffer, malformed));
        buffer += second.mid(13);
        message = InstanceMessage::take(buffer, malformed);
        QVERIFY(message);
        QCOMPARE(message->data, "ab\r\n");
        QVERIFY(buffer.isEmpty());

        // A length no copy sends is refused before anything is allocated for it.
        buffer = QByteArray("\x07\0\0\0\x01\0\0\0\xff\xff\xff\x7f", 12);
        QVERIFY(!InstanceMessage::take(buffer, malformed));
        QVERIFY(malformed);
    }
};

QTEST_GUILESS_MAIN(TestTAppInstances)
#include "tst_tappinstances.moc"
