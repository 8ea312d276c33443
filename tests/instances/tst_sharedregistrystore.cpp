#include "fakeinstances.h"
#include "glyphorerror.h"
#include "instanceregistry.h"
#include "sharedregistrystore.h"

#include <QRegularExpression>
#include <QTest>

#include <atomic>
#include <thread>

#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

class TestSharedRegistryStore : public QObject
{
    Q_OBJECT

private:
    QByteArray name;
    FakeChannel channel;

    static bool objectExists(const QByteArray &name)
    {
        const int fd = shm_open(name.constData(), O_RDONLY, 0);
        if (fd >= 0)
            close(fd);
        return fd >= 0;
    }

    // The registry's bytes as another program reading the object would see them.
    QByteArray rawRegistry() const
    {
        const int fd = shm_open(name.constData(), O_RDONLY, 0);
        if (fd < 0)
            return {};
        void *address = mmap(nullptr, sizeof(RegistryLayout), PROT_READ, MAP_SHARED, fd, 0);
        close(fd);
        const QByteArray bytes(static_cast<const char *>(address), sizeof(RegistryLayout));
        munmap(address, sizeof(RegistryLayout));
        return bytes;
    }

    // A child process that dies at once, reaped or left a zombie.
    static pid_t deadChild(bool reap)
    {
        const pid_t child = fork();
        if (child == 0)
            _exit(0);
        if (reap)
            waitpid(child, nullptr, 0);
        siginfo_t info = {};
        // Ended, not reaped: a zombie.
        if (!reap)
            waitid(P_PID, id_t(child), &info, WEXITED | WNOWAIT);
        return child;
    }

private Q_SLOTS:
    void init()
    {
        static int round = 0;
        name = "/glyphor-test-" + QByteArray::number(getpid()) + '-' + QByteArray::number(++round);
    }

    void cleanup() { shm_unlink(name.constData()); }

    // Two copies (this process and its parent stand for them) join and leave in order, in the
    // layout other programs read; the last to leave removes the object, and a copy that still
    // had it open moves to the new one.
    void layoutJoinAndLeave()
    {
        SharedRegistryStore firstStore(name), secondStore(name), lateStore(name);
        InstanceRegistry first(firstStore, channel, quint32(getppid()));
        InstanceRegistry second(secondStore, channel, quint32(getpid()));
        QVERIFY(first.JoinRegistry(65535));
        QVERIFY(second.JoinRegistry(65535));

        QByteArray expected(sizeof(RegistryLayout), '\0');
        expected[0] = '\xff';
        expected[1] = '\xff';
        expected[2] = 2;
        qToLittleEndian<quint32>(quint32(getppid()), expected.data() + 4);
        qToLittleEndian<quint32>(quint32(getpid()), expected.data() + 8);
        QCOMPARE(rawRegistry(), expected);
        QCOMPARE(second.olderInstances(), QList<quint32> {quint32(getppid())});

        first.LeaveRegistry();
        QCOMPARE(second.processId(0), quint32(getpid()));
        QCOMPARE(second.processId(1), 0u);
        QVERIFY(objectExists(name));
        second.LeaveRegistry();
        QVERIFY(!objectExists(name));

        InstanceRegistry late(lateStore, channel, quint32(getpid()));
        QVERIFY(late.JoinRegistry(65535));
        QVERIFY(objectExists(name));
        QCOMPARE(late.Count(), 1);
        QCOMPARE(rawRegistry().mid(2, 2), QByteArray("\x01\0", 2));
    }

    void staleEntriesArePruned()
    {
        SharedRegistryStore store(name);
        const pid_t gone = deadChild(true);
        const pid_t zombie = deadChild(false);
        QVERIFY(!store.processAlive(quint32(gone)));
        QVERIFY(!store.processAlive(quint32(zombie)));
        QVERIFY(store.processAlive(quint32(getpid())));
        {
            RegistryLocker locker(store);
            store.registry().ProcessIds[0] = quint32(gone);
            store.registry().ProcessIds[1] = quint32(zombie);
            store.registry().Count = 2;
        }
        InstanceRegistry registry(store, channel, quint32(getpid()));
        registry.JoinRegistry(65535);
        QCOMPARE(registry.Count(), 1);
        QCOMPARE(registry.processId(0), quint32(getpid()));
        waitpid(zombie, nullptr, 0);
        registry.LeaveRegistry();
    }

    void recursiveLockAcrossThreads()
    {
        SharedRegistryStore store(name), other(name);
        store.lock();
        store.lock();
        auto otherThreadGets = [&other] {
            bool got = false;
            std::thread([&] {
                got = other.tryLock();
                if (got)
                    other.unlock();
            }).join();
            return got;
        };
        QVERIFY(!otherThreadGets());
        store.unlock();
        QVERIFY(!otherThreadGets());
        store.unlock();
        QVERIFY(otherThreadGets());
    }

    // A copy killed while it holds the lock does not hold up the others for ever.
    void lockOfKilledOwnerIsRecovered()
    {
        SharedRegistryStore store(name);
        int ready[2];
        QCOMPARE(pipe(ready), 0);
        const pid_t child = fork();
        if (child == 0) {
            SharedRegistryStore childStore(name);
            childStore.lock();
            childStore.registry().Count = 1;
            childStore.registry().ProcessIds[0] = quint32(getpid());
            const char byte = 1;
            if (write(ready[1], &byte, 1) != 1)
                _exit(1);
            pause();
            _exit(0);
        }
        char byte = 0;
        QCOMPARE(read(ready[0], &byte, 1), 1);
        close(ready[0]);
        close(ready[1]);
        QVERIFY(!store.tryLock());

        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        store.lock();
        InstanceRegistry registry(store, channel, quint32(getpid()));
        QCOMPARE(registry.Count(), 0);
        store.unlock();
        // Usable again, by any thread.
        bool got = false;
        std::thread([&] {
            got = store.tryLock();
            if (got)
                store.unlock();
        }).join();
        QVERIFY(got);
    }

    void failureText()
    {
        try {
            SharedRegistryStore store("/no/such/name");
            QFAIL("opened");
        } catch (const GlyphorError &error) {
            static const QRegularExpression text(
                QStringLiteral("^Failed to create FileMapping\nPOSIX: .+ \\(\\d+\\)$"));
            QVERIFY2(text.match(error.message()).hasMatch(), qPrintable(error.message()));
        }
    }
};

QTEST_GUILESS_MAIN(TestSharedRegistryStore)
#include "tst_sharedregistrystore.moc"
