#pragma once

#include "instancechannel.h"
#include "registrystore.h"

#include <QList>
#include <QMap>
#include <QSet>

#include <mutex>

// The registry in plain memory; processes are alive when the test says so.
class FakeStore : public RegistryStore
{
public:
    void lock() override { m_mutex.lock(); }
    void unlock() override { m_mutex.unlock(); }
    RegistryLayout &registry() override { return layout; }
    bool processAlive(quint32 pid) const override { return alive.contains(pid); }
    void discard() override { discarded = true; }

    // Puts running copies in the registry, oldest first.
    void add(std::initializer_list<quint32> pids)
    {
        for (quint32 pid : pids) {
            layout.ProcessIds[layout.Count] = pid;
            layout.Count = quint16(layout.Count + 1);
            alive.insert(pid);
        }
    }
    QList<quint32> entries() const
    {
        QList<quint32> pids;
        for (int i = 0; i < layout.Count; ++i)
            pids.append(layout.ProcessIds[i]);
        return pids;
    }

    RegistryLayout layout = {};
    QSet<quint32> alive;
    bool discarded = false;

private:
    std::recursive_mutex m_mutex;
};

// Records what is sent; each copy answers as the test says (Absent when not told).
class FakeChannel : public InstanceChannel
{
public:
    Answer queryActive(quint32 pid) override
    {
        queried.append(pid);
        return answers.value(pid, Answer::Absent);
    }
    bool post(quint32 pid, const InstanceMessage &message) override
    {
        posted.append({pid, message});
        return answers.contains(pid);
    }
    QList<quint32> postedTo(quint32 code) const
    {
        QList<quint32> pids;
        for (const auto &[pid, message] : posted) {
            if (message.code == code)
                pids.append(pid);
        }
        return pids;
    }

    QMap<quint32, Answer> answers;
    QList<quint32> queried;
    QList<std::pair<quint32, InstanceMessage>> posted;
};
