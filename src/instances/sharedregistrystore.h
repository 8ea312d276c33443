#pragma once

#include "registrystore.h"

#include <QByteArray>

struct SharedBlock;

// The registry in POSIX shared memory, followed in the same object by a robust, process-shared,
// recursive mutex. A lock whose owner died is taken over; the last copy to leave unlinks the
// object, and a copy that opened it meanwhile opens a new one.
//
// Opening fails with GlyphorError: "Failed to create FileMapping" (the object),
// "Failed to create FileMappingView" (its mapping) or "Failed to create event" (the lock), a line
// break and the system's reason.
class SharedRegistryStore : public RegistryStore
{
public:
    // name: a POSIX shared-memory name ("/" and no other "/").
    explicit SharedRegistryStore(const QByteArray &name);
    ~SharedRegistryStore() override;

    void lock() override;
    void unlock() override;
    RegistryLayout &registry() override;
    bool processAlive(quint32 pid) const override;
    void discard() override;

    // Takes the lock only when it is free or already this thread's.
    bool tryLock();

    // How long an opener waits for a copy that is still setting up a new object.
    static constexpr int SetUpWaitMs = 5000;

private:
    void open();
    void close();
    void takeOver(int result);

    QByteArray m_name;
    SharedBlock *m_block = nullptr;
};
