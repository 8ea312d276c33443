#pragma once

#include <QString>

// What the print system says of a queue, in French. Empty strings mean all is well.
namespace CupsQueue {

// Why the queue would refuse a job now (it does not accept jobs, or is not there).
QString refusal(const QString &printerName);
// Why the last job sent to the print system from this thread was not taken.
QString lastJobFailure(const QString &printerName);

} // namespace CupsQueue
