#pragma once

#include "instancechannel.h"
#include "instancenames.h"

#include <QLocalSocket>

#include <map>
#include <memory>

// Reaches the other copies through their local sockets. A connection to a copy is kept for the
// next message to it, and the server's user is checked: a socket of another user under the
// expected name is no copy of ours.
class LocalSocketChannel : public InstanceChannel
{
public:
    explicit LocalSocketChannel(const InstanceNames &names);
    ~LocalSocketChannel() override;

    Answer queryActive(quint32 pid) override;
    bool post(quint32 pid, const InstanceMessage &message) override;

    // A copy that has not answered by then counts as active.
    int answerTimeoutMs = 3000;
    int connectTimeoutMs = 1000;

private:
    // Null when the copy cannot be reached; timedOut tells a copy too busy to accept from none.
    QLocalSocket *connection(quint32 pid, bool *timedOut = nullptr);

    InstanceNames m_names;
    std::map<quint32, std::unique_ptr<QLocalSocket>> m_connections;
};
