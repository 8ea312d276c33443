#include "instanceserver.h"

#include "peeruser.h"

#include <QLocalSocket>

InstanceServer::InstanceServer(const QString &name, QObject *parent)
    : QObject(parent)
{
    m_server.setSocketOptions(QLocalServer::AbstractNamespaceOption);
    connect(&m_server, &QLocalServer::newConnection, this, &InstanceServer::accept);
    // Several copies started at once all connect before this one runs its event loop.
    m_server.setMaxPendingConnections(256);
    m_server.listen(name);
}

void InstanceServer::accept()
{
    while (QLocalSocket *socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (!PeerUser::isOwnUser(*socket)) {
            socket->abort();
            continue;
        }
        auto buffer = std::make_shared<QByteArray>();
        auto readMessages = [this, socket, buffer] {
            *buffer += socket->readAll();
            bool malformed = false;
            while (const auto message = InstanceMessage::take(*buffer, malformed)) {
                if (!m_handler)
                    continue;
                if (const auto reply = m_handler(*message))
                    socket->write(reply->encode());
            }
            if (malformed)
                socket->abort();
        };
        connect(socket, &QLocalSocket::readyRead, this, readMessages);
        // Data sent before the connection was taken from the queue.
        if (socket->bytesAvailable() > 0)
            readMessages();
    }
}
