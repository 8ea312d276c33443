#pragma once

#include "instancechannel.h"
#include "registrystore.h"

#include <QList>

// The registry of the running copies of one program file, and the messages between them. It
// knows no socket and no shared memory: the store and the channel do.
class InstanceRegistry
{
public:
    InstanceRegistry(RegistryStore &store, InstanceChannel &channel, quint32 ownPid);

    // Adds this copy as the newest entry and tells the others. The limit is stored by the first
    // copy to join; the result is whether the copies already there were fewer than it. A full
    // registry takes no entry, and the result is false.
    bool JoinRegistry(quint16 limit);
    // Removes this copy's entry and tells the others; the last copy to leave removes the
    // registry itself.
    void LeaveRegistry();

    // Entries of processes that no longer run are dropped first.
    int Count();
    // 0 for an index at or past the count.
    quint32 processId(int index);
    // The running copies that joined before this one, oldest first (all when this copy has no
    // entry).
    QList<quint32> olderInstances();

    // Asks the copy at index to come to the front, handing it the desktop's activation token.
    void BringInstanceToFront(int index, const QByteArray &activationToken);
    // Tells every other registered copy.
    void notifyAll(InstanceCode code, quint32 value);
    // Sends the start's arguments (in their text form) to every other registered copy.
    void SendCommandLine(const QByteArray &commandLineText);

    InstanceChannel &channel() { return m_channel; }

private:
    void pruneLocked();
    QList<quint32> othersLocked();

    RegistryStore &m_store;
    InstanceChannel &m_channel;
    quint32 m_ownPid;
    bool m_joined = false;
};
