#pragma once

class QLocalSocket;

namespace PeerUser {

// Whether the process at the other end of the connected socket runs as this user.
bool isOwnUser(const QLocalSocket &socket);

} // namespace PeerUser
