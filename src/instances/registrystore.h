#pragma once

#include "registrylayout.h"

// Where the registry lives and what guards it: shared memory and a lock between processes in the
// program, plain memory in tests.
class RegistryStore
{
public:
    virtual ~RegistryStore() = default;

    // A recursive lock, shared with the other copies; the registry is read and written under it.
    virtual void lock() = 0;
    virtual void unlock() = 0;
    virtual RegistryLayout &registry() = 0;
    // Whether the process still runs (a crashed or killed copy never left the registry).
    virtual bool processAlive(quint32 pid) const = 0;
    // Called under the lock by the last copy to leave: the next start finds a new registry.
    virtual void discard() = 0;
};

// Holds the store's lock for a scope.
class RegistryLocker
{
public:
    explicit RegistryLocker(RegistryStore &store)
        : m_store(store)
    {
        m_store.lock();
    }
    ~RegistryLocker() { m_store.unlock(); }
    RegistryLocker(const RegistryLocker &) = delete;
    RegistryLocker &operator=(const RegistryLocker &) = delete;

private:
    RegistryStore &m_store;
};
