#include "instancemessage.h"

#include <QtEndian>

namespace {
constexpr qsizetype HeaderSize = 12;
}

QByteArray InstanceMessage::encode() const
{
    QByteArray frame(HeaderSize, Qt::Uninitialized);
    qToLittleEndian<quint32>(code, frame.data());
    qToLittleEndian<quint32>(value, frame.data() + 4);
    qToLittleEndian<quint32>(quint32(data.size()), frame.data() + 8);
    return frame + data;
}

std::optional<InstanceMessage> InstanceMessage::take(QByteArray &buffer, bool &malformed)
{
    malformed = false;
    if (buffer.size() < HeaderSize)
        return std::nullopt;
    const auto size = qFromLittleEndian<quint32>(buffer.constData() + 8);
    if (size > MaxData) {
        malformed = true;
        return std::nullopt;
    }
    if (buffer.size() < HeaderSize + qsizetype(size))
        return std::nullopt;
    InstanceMessage message;
    message.code = qFromLittleEndian<quint32>(buffer.constData());
    message.value = qFromLittleEndian<quint32>(buffer.constData() + 4);
    message.data = buffer.mid(HeaderSize, size);
    buffer.remove(0, HeaderSize + size);
    return message;
}
