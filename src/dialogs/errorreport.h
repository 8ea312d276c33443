#pragma once

#include <QObject>
#include <QString>

#include <exception>
#include <utility>

class QWidget;

// The general error report: an error that escapes a handler ends that handler and is shown in a
// message box titled with the application's name, with the error icon and one OK button; the
// program then goes on with the next event.
namespace ErrorReport {

// The message as shown: followed by "." when its last character sorts after ".".
QString displayText(const QString &message);

void show(const QString &message);
void show(const std::exception &error);

// Runs a handler; an error escaping it is reported. Returns false when one did.
template<typename Handler> bool guard(Handler &&handler)
{
    try {
        std::forward<Handler>(handler)();
        return true;
    } catch (const std::exception &error) {
        show(error);
        return false;
    }
}

// A signal connected to a handler of the receiver, run through guard.
template<typename Sender, typename Signal, typename Receiver>
QMetaObject::Connection connect(Sender *sender, Signal signal, Receiver *receiver,
                                void (Receiver::*handler)())
{
    return QObject::connect(sender, signal, receiver,
                            [receiver, handler] { guard([&] { (receiver->*handler)(); }); });
}

} // namespace ErrorReport
