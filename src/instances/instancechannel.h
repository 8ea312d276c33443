#pragma once

#include "instancemessage.h"

// Reaches the other running copies, each by its process ID: the local sockets in the program,
// a recording in tests.
class InstanceChannel
{
public:
    virtual ~InstanceChannel() = default;

    enum class Answer {
        Active, // answered active, or did not answer in time
        NotActive,
        Absent, // no copy listens for that process: it is not a running copy
    };

    // Asks whether the copy is active and waits a few seconds for the answer.
    virtual Answer queryActive(quint32 pid) = 0;
    // Sends without waiting for the copy to handle it; false when no copy listens.
    virtual bool post(quint32 pid, const InstanceMessage &message) = 0;
};
