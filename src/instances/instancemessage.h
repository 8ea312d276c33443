#pragma once

#include <QByteArray>

#include <optional>

// What copies of the program tell each other, one message per frame on a local socket:
// code, value and the length of the data (32 bits each, little-endian), then the data.
enum InstanceCode : quint32 {
    NotifyCreated = 1, // value: the process ID of a copy that joined
    NotifyDestroyed = 2, // value: the process ID of a copy that left
    NotifyUser = 3,
    QueryActive = 4, // answered with ReplyActive
    ReplyActive = 5, // value: 1 when the copy asked is active
    ActivateRequest = 6, // bring the window forward; data: the desktop's activation token
    CopyData = 7, // value: the kind of data
};

// The kind of data of CopyData that holds a start's arguments.
constexpr quint32 CommandLineData = 1;

struct InstanceMessage
{
    quint32 code = 0;
    quint32 value = 0;
    QByteArray data;

    // Data larger than this is not accepted from another process.
    static constexpr quint32 MaxData = 1 << 20;

    QByteArray encode() const;
    // Takes the first whole message off the front of buffer; nothing while it is incomplete.
    // malformed is set when the buffer cannot hold a valid message.
    static std::optional<InstanceMessage> take(QByteArray &buffer, bool &malformed);
};
