#include "peeruser.h"

#include <QLocalSocket>

#include <sys/socket.h>
#include <unistd.h>

namespace PeerUser {

bool isOwnUser(const QLocalSocket &socket)
{
    ucred credentials = {};
    socklen_t size = sizeof(credentials);
    if (getsockopt(int(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &credentials, &size)
        != 0)
        return false;
    return credentials.uid == geteuid();
}

} // namespace PeerUser
