#pragma once

#include "instanceregistry.h"

#include <QObject>
#include <QStringList>

#include <memory>
#include <optional>

class InstanceServer;

// One running copy per program file: a second start brings the running copy forward, hands it
// its arguments and ends, before its main window exists.
//
// The copy joins the registry when the component is made and leaves it when leave() runs (at the
// end of the event loop) or the component goes. Of copies started at the same moment, the one
// that joined first goes on: each asks only the copies that joined before it.
class TAppInstances : public QObject
{
    Q_OBJECT

public:
    // The component of this program: the registry in shared memory and the local sockets.
    // Throws GlyphorError when the shared objects cannot be made.
    static std::unique_ptr<TAppInstances> forThisProgram(const QStringList &arguments,
                                                         const QByteArray &activationToken);

    // store and channel: where the registry lives and how the other copies are reached.
    TAppInstances(std::unique_ptr<RegistryStore> store, std::unique_ptr<InstanceChannel> channel,
                  quint32 ownPid, const QStringList &arguments, QObject *parent = nullptr);
    ~TAppInstances() override;

    // The desktop's token for this start (Wayland), handed to the copy brought forward.
    QByteArray activationToken;

    // Whether this start goes on: the first copy of the program does. A rejected start has
    // brought the running copy forward, sent it the arguments and left the registry; it only has
    // to end.
    bool CheckInstanceLimit();

    // What this copy does with a message from another one; the answer goes back to it. It says
    // it is active, comes forward when asked and passes on the arguments of a rejected start;
    // news of other copies are of no use to it.
    std::optional<InstanceMessage> receive(const InstanceMessage &message);

    // Leaves the registry and stops listening, in this order: a copy that is leaving is never
    // waited for.
    void leave();

    InstanceRegistry &registry() { return m_registry; }

Q_SIGNALS:
    // Another start asks this copy to come to the front; activationToken is that start's
    // token from the desktop (Wayland), empty when it had none.
    void activationRequested(const QByteArray &activationToken);
    // The arguments of a start that was rejected, the program's path left out.
    void argumentsReceived(const QStringList &arguments);

private:
    std::unique_ptr<RegistryStore> m_store;
    std::unique_ptr<InstanceChannel> m_channel;
    InstanceRegistry m_registry;
    QStringList m_arguments;
    InstanceServer *m_server = nullptr;
};
