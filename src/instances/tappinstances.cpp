#include "tappinstances.h"

#include "commandlinedata.h"
#include "instancenames.h"
#include "instanceserver.h"
#include "localsocketchannel.h"
#include "sharedregistrystore.h"

#include <QCoreApplication>

namespace {
// The registry never refuses a copy by its limit; the check decides.
constexpr quint16 RegistryLimit = 65535;
} // namespace

std::unique_ptr<TAppInstances> TAppInstances::forThisProgram(const QStringList &arguments,
                                                             const QByteArray &activationToken)
{
    const InstanceNames names = InstanceNames::forThisProgram();
    const auto pid = quint32(QCoreApplication::applicationPid());
    auto store = std::make_unique<SharedRegistryStore>(names.registryName());
    auto channel = std::make_unique<LocalSocketChannel>(names);
    // Listening before joining: a copy in the registry can always be asked.
    auto server = std::make_unique<InstanceServer>(names.serverName(pid));
    auto instances
        = std::make_unique<TAppInstances>(std::move(store), std::move(channel), pid, arguments);
    TAppInstances *component = instances.get();
    component->activationToken = activationToken;
    server->setParent(component);
    server->setHandler(
        [component](const InstanceMessage &message) { return component->receive(message); });
    component->m_server = server.release();
    return instances;
}

TAppInstances::TAppInstances(std::unique_ptr<RegistryStore> store,
                             std::unique_ptr<InstanceChannel> channel, quint32 ownPid,
                             const QStringList &arguments, QObject *parent)
    : QObject(parent)
    , m_store(std::move(store))
    , m_channel(std::move(channel))
    , m_registry(*m_store, *m_channel, ownPid)
    , m_arguments(arguments)
{
    m_registry.JoinRegistry(RegistryLimit);
}

TAppInstances::~TAppInstances()
{
    try {
        leave();
    } catch (const std::exception &) {
        // The registry could not be opened again; this copy is gone from it either way.
    }
}

void TAppInstances::leave()
{
    m_registry.LeaveRegistry();
    if (m_server)
        m_server->close();
}

bool TAppInstances::CheckInstanceLimit()
{
    if (m_registry.Count() <= 1)
        return true;
    // Copies that joined before this one, oldest first; the first that is active (or does not
    // answer) keeps the place. A copy never waits for a younger one, so the oldest always goes
    // on, and of copies started together exactly one remains.
    const QList<quint32> older = m_registry.olderInstances();
    int activeIndex = -1;
    for (qsizetype i = 0; i < older.size() && activeIndex < 0; ++i) {
        if (m_channel->queryActive(older.at(i)) == InstanceChannel::Answer::Active)
            activeIndex = int(i);
    }
    if (activeIndex < 0)
        return true;

    m_registry.BringInstanceToFront(activeIndex, activationToken);
    m_registry.SendCommandLine(CommandLineText::encode(m_arguments));
    leave();
    return false;
}

std::optional<InstanceMessage> TAppInstances::receive(const InstanceMessage &message)
{
    switch (message.code) {
    case QueryActive:
        return InstanceMessage {ReplyActive, 1u, {}};
    case ActivateRequest:
        Q_EMIT activationRequested(message.data);
        break;
    case CopyData:
        if (message.value == CommandLineData)
            Q_EMIT argumentsReceived(CommandLineText::decode(message.data));
        break;
    default:
        break;
    }
    return std::nullopt;
}
