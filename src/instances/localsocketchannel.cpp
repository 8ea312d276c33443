#include "localsocketchannel.h"

#include "peeruser.h"

#include <QDeadlineTimer>

LocalSocketChannel::LocalSocketChannel(const InstanceNames &names)
    : m_names(names)
{
}

LocalSocketChannel::~LocalSocketChannel()
{
    // What was posted is handed over before the connections close.
    for (auto &[pid, socket] : m_connections) {
        if (socket && socket->state() == QLocalSocket::ConnectedState) {
            socket->flush();
            socket->waitForBytesWritten(connectTimeoutMs);
            socket->disconnectFromServer();
        }
    }
}

QLocalSocket *LocalSocketChannel::connection(quint32 pid, bool *timedOut)
{
    auto &socket = m_connections[pid];
    if (socket && socket->state() == QLocalSocket::ConnectedState)
        return socket.get();
    socket = std::make_unique<QLocalSocket>();
    socket->setSocketOptions(QLocalSocket::AbstractNamespaceOption);
    socket->connectToServer(m_names.serverName(pid));
    if (!socket->waitForConnected(connectTimeoutMs) || !PeerUser::isOwnUser(*socket)) {
        if (timedOut)
            *timedOut = socket->error() == QLocalSocket::SocketTimeoutError;
        socket.reset();
        return nullptr;
    }
    return socket.get();
}

bool LocalSocketChannel::post(quint32 pid, const InstanceMessage &message)
{
    QLocalSocket *socket = connection(pid);
    if (!socket)
        return false;
    socket->write(message.encode());
    socket->flush();
    return true;
}

InstanceChannel::Answer LocalSocketChannel::queryActive(quint32 pid)
{
    bool timedOut = false;
    QLocalSocket *socket = connection(pid, &timedOut);
    if (!socket)
        return timedOut ? Answer::Active : Answer::Absent;
    socket->write(InstanceMessage {QueryActive, 0, {}}.encode());
    socket->flush();
    QByteArray received;
    const QDeadlineTimer deadline(answerTimeoutMs);
    while (!deadline.hasExpired()) {
        if (socket->bytesAvailable() == 0
            && !socket->waitForReadyRead(int(deadline.remainingTime()))) {
            // A copy that went away without answering was leaving: it is not active.
            if (socket->state() != QLocalSocket::ConnectedState)
                return Answer::NotActive;
            break;
        }
        received += socket->readAll();
        bool malformed = false;
        while (const auto message = InstanceMessage::take(received, malformed)) {
            if (message->code == ReplyActive)
                return message->value != 0 ? Answer::Active : Answer::NotActive;
        }
        if (malformed)
            return Answer::Active;
    }
    return Answer::Active;
}
