#include "instanceregistry.h"

#include <algorithm>

InstanceRegistry::InstanceRegistry(RegistryStore &store, InstanceChannel &channel, quint32 ownPid)
    : m_store(store)
    , m_channel(channel)
    , m_ownPid(ownPid)
{
}

void InstanceRegistry::pruneLocked()
{
    RegistryLayout &registry = m_store.registry();
    // A count past the capacity can only come from a copy that died while writing it.
    int count = std::min<int>(registry.Count, RegistryLayout::Capacity);
    int kept = 0;
    for (int i = 0; i < count; ++i) {
        const quint32 pid = registry.ProcessIds[i];
        if (pid == m_ownPid || m_store.processAlive(pid))
            registry.ProcessIds[kept++] = pid;
    }
    for (int i = kept; i < count; ++i)
        registry.ProcessIds[i] = 0;
    registry.Count = quint16(kept);
}

QList<quint32> InstanceRegistry::othersLocked()
{
    QList<quint32> others;
    const RegistryLayout &registry = m_store.registry();
    for (int i = 0; i < registry.Count; ++i) {
        if (registry.ProcessIds[i] != m_ownPid)
            others.append(registry.ProcessIds[i]);
    }
    return others;
}

bool InstanceRegistry::JoinRegistry(quint16 limit)
{
    bool allowed = false;
    {
        RegistryLocker locker(m_store);
        RegistryLayout &registry = m_store.registry();
        pruneLocked();
        if (registry.Limit == 0)
            registry.Limit = limit;
        const int count = registry.Count;
        allowed = count < registry.Limit;
        if (count < RegistryLayout::Capacity) {
            registry.ProcessIds[count] = m_ownPid;
            registry.Count = quint16(count + 1);
            m_joined = true;
        } else {
            allowed = false;
        }
    }
    if (allowed)
        notifyAll(NotifyCreated, m_ownPid);
    return allowed;
}

void InstanceRegistry::LeaveRegistry()
{
    if (!m_joined)
        return;
    m_joined = false;
    bool last = false;
    {
        RegistryLocker locker(m_store);
        RegistryLayout &registry = m_store.registry();
        pruneLocked();
        const int count = registry.Count;
        for (int i = 0; i < count; ++i) {
            if (registry.ProcessIds[i] != m_ownPid)
                continue;
            for (int j = i; j + 1 < count; ++j)
                registry.ProcessIds[j] = registry.ProcessIds[j + 1];
            registry.ProcessIds[count - 1] = 0;
            registry.Count = quint16(count - 1);
            break;
        }
        last = registry.Count == 0;
        if (last)
            m_store.discard();
    }
    if (!last)
        notifyAll(NotifyDestroyed, m_ownPid);
}

int InstanceRegistry::Count()
{
    RegistryLocker locker(m_store);
    pruneLocked();
    return m_store.registry().Count;
}

quint32 InstanceRegistry::processId(int index)
{
    RegistryLocker locker(m_store);
    const RegistryLayout &registry = m_store.registry();
    return index >= 0 && index < registry.Count ? quint32(registry.ProcessIds[index]) : 0;
}

QList<quint32> InstanceRegistry::olderInstances()
{
    RegistryLocker locker(m_store);
    pruneLocked();
    QList<quint32> older;
    const RegistryLayout &registry = m_store.registry();
    for (int i = 0; i < registry.Count; ++i) {
        if (registry.ProcessIds[i] == m_ownPid)
            return older;
        older.append(registry.ProcessIds[i]);
    }
    return older;
}

void InstanceRegistry::BringInstanceToFront(int index, const QByteArray &activationToken)
{
    const quint32 pid = processId(index);
    if (pid != 0 && pid != m_ownPid)
        m_channel.post(pid, {ActivateRequest, 0, activationToken});
}

void InstanceRegistry::notifyAll(InstanceCode code, quint32 value)
{
    // The list is taken under the lock, the messages go out after it: a copy slow to accept
    // must not hold up every other start.
    QList<quint32> others;
    {
        RegistryLocker locker(m_store);
        others = othersLocked();
    }
    for (quint32 pid : std::as_const(others))
        m_channel.post(pid, {code, value, {}});
}

void InstanceRegistry::SendCommandLine(const QByteArray &commandLineText)
{
    QList<quint32> others;
    {
        RegistryLocker locker(m_store);
        others = othersLocked();
    }
    for (quint32 pid : std::as_const(others))
        m_channel.post(pid, {CopyData, CommandLineData, commandLineText});
}
