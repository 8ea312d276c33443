#include "sharedregistrystore.h"

#include "glyphorerror.h"

#include <QFile>
#include <QThread>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <limits>

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

struct SharedBlock
{
    RegistryLayout registry;
    // 1 once the creator has set the mutex up; openers wait for it.
    std::atomic<quint32> ready;
    // Set under the lock by the last copy to leave, just before it unlinks the object.
    quint32 removed;
    pthread_mutex_t mutex;
};

namespace {

[[noreturn]] void fail(const char *what, int error)
{
    throw GlyphorError(QStringLiteral("Failed to create %1\nPOSIX: %2 (%3)")
                           .arg(QLatin1String(what), QString::fromLocal8Bit(strerror(error)))
                           .arg(unsigned(error)));
}

// Polls until the condition holds; false when the wait ran out.
template<typename Condition> bool waitFor(Condition condition)
{
    for (int waited = 0; waited < SharedRegistryStore::SetUpWaitMs; ++waited) {
        if (condition())
            return true;
        QThread::msleep(1);
    }
    return condition();
}

SharedBlock *map(int fd)
{
    void *address = mmap(nullptr, sizeof(SharedBlock), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (address == MAP_FAILED)
        fail("FileMappingView", errno);
    return static_cast<SharedBlock *>(address);
}

void initMutex(pthread_mutex_t *mutex)
{
    pthread_mutexattr_t attributes;
    int result = pthread_mutexattr_init(&attributes);
    if (result == 0)
        result = pthread_mutexattr_setpshared(&attributes, PTHREAD_PROCESS_SHARED);
    if (result == 0)
        result = pthread_mutexattr_setrobust(&attributes, PTHREAD_MUTEX_ROBUST);
    if (result == 0)
        result = pthread_mutexattr_settype(&attributes, PTHREAD_MUTEX_RECURSIVE);
    if (result == 0)
        result = pthread_mutex_init(mutex, &attributes);
    pthread_mutexattr_destroy(&attributes);
    if (result != 0)
        fail("event", result);
}

} // namespace

SharedRegistryStore::SharedRegistryStore(const QByteArray &name)
    : m_name(name)
{
    open();
}

SharedRegistryStore::~SharedRegistryStore()
{
    close();
}

void SharedRegistryStore::open()
{
    // Each round either opens a usable object or clears the way for the next round: an object
    // unlinked meanwhile, or one whose creator died before setting it up.
    for (int round = 0; round < 100; ++round) {
        int fd = shm_open(m_name.constData(), O_RDWR | O_CREAT | O_EXCL, 0600);
        if (fd >= 0) {
            const bool sized = ftruncate(fd, sizeof(SharedBlock)) == 0;
            const int error = errno;
            if (!sized) {
                ::close(fd);
                shm_unlink(m_name.constData());
                fail("FileMapping", error);
            }
            try {
                m_block = map(fd);
                ::close(fd);
                initMutex(&m_block->mutex);
            } catch (...) {
                if (m_block)
                    munmap(m_block, sizeof(SharedBlock));
                m_block = nullptr;
                shm_unlink(m_name.constData());
                throw;
            }
            m_block->ready.store(1, std::memory_order_release);
            return;
        }
        if (errno != EEXIST)
            fail("FileMapping", errno);

        fd = shm_open(m_name.constData(), O_RDWR, 0);
        if (fd < 0) {
            if (errno == ENOENT)
                continue;
            fail("FileMapping", errno);
        }
        struct stat status = {};
        // Another user's object under our name is not ours to use.
        if (fstat(fd, &status) != 0 || status.st_uid != geteuid()) {
            ::close(fd);
            fail("FileMapping", EACCES);
        }
        const bool sized = waitFor([fd] {
            struct stat now = {};
            return fstat(fd, &now) == 0 && now.st_size >= off_t(sizeof(SharedBlock));
        });
        if (!sized) {
            ::close(fd);
            shm_unlink(m_name.constData());
            continue;
        }
        SharedBlock *block = map(fd);
        ::close(fd);
        if (!waitFor([block] { return block->ready.load(std::memory_order_acquire) == 1; })) {
            munmap(block, sizeof(SharedBlock));
            shm_unlink(m_name.constData());
            continue;
        }
        m_block = block;
        return;
    }
    fail("FileMapping", EAGAIN);
}

void SharedRegistryStore::close()
{
    if (m_block)
        munmap(m_block, sizeof(SharedBlock));
    m_block = nullptr;
}

void SharedRegistryStore::takeOver(int result)
{
    // The owner died holding the lock; the registry it may have left half-changed is pruned and
    // bounded by every user anyway.
    if (result == EOWNERDEAD)
        pthread_mutex_consistent(&m_block->mutex);
}

void SharedRegistryStore::lock()
{
    for (;;) {
        const int result = pthread_mutex_lock(&m_block->mutex);
        if (result == ENOTRECOVERABLE) {
            // Nobody can take this lock again: start over with a new object.
            shm_unlink(m_name.constData());
            close();
            open();
            continue;
        }
        takeOver(result);
        if (!m_block->removed)
            return;
        // The last copy left and unlinked this object while we waited: use the new one.
        pthread_mutex_unlock(&m_block->mutex);
        close();
        open();
    }
}

bool SharedRegistryStore::tryLock()
{
    const int result = pthread_mutex_trylock(&m_block->mutex);
    if (result != 0 && result != EOWNERDEAD)
        return false;
    takeOver(result);
    return true;
}

void SharedRegistryStore::unlock()
{
    pthread_mutex_unlock(&m_block->mutex);
}

RegistryLayout &SharedRegistryStore::registry()
{
    return m_block->registry;
}

bool SharedRegistryStore::processAlive(quint32 pid) const
{
    if (pid == 0 || pid > quint32(std::numeric_limits<pid_t>::max()))
        return false;
    if (kill(pid_t(pid), 0) != 0 && errno == ESRCH)
        return false;
    // A killed process stays a zombie until its parent reaps it; it runs no more.
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    const QByteArray line = stat.readAll();
    const qsizetype end = line.lastIndexOf(')');
    const char state = end >= 0 && end + 2 < line.size() ? line.at(end + 2) : 'R';
    return state != 'Z' && state != 'X';
}

void SharedRegistryStore::discard()
{
    m_block->removed = 1;
    shm_unlink(m_name.constData());
}
