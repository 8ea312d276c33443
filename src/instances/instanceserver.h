#pragma once

#include "instancemessage.h"

#include <QLocalServer>

#include <functional>
#include <optional>

// Where this copy listens for the others: one local socket in the abstract namespace (nothing is
// left behind on disk when the process is killed). Connections from other users are refused.
class InstanceServer : public QObject
{
    Q_OBJECT

public:
    // Handles a message; what it returns goes back to the sender.
    using Handler = std::function<std::optional<InstanceMessage>(const InstanceMessage &)>;

    InstanceServer(const QString &name, QObject *parent = nullptr);

    void setHandler(Handler handler) { m_handler = std::move(handler); }

    bool isListening() const { return m_server.isListening(); }
    void close() { m_server.close(); }

private:
    void accept();

    QLocalServer m_server;
    Handler m_handler;
};
