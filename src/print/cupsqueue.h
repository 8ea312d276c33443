#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <utility>

// What the print system says of a queue, in French. Empty strings mean all is well.
namespace CupsQueue {

// Why the queue would refuse a job now (it does not accept jobs, or is not there).
QString refusal(const QString &printerName);
// Why the last job sent to the print system from this thread was not taken.
QString lastJobFailure(const QString &printerName);

// A job option, as the print system names it and its value ("copies", "2").
using Option = std::pair<QByteArray, QByteArray>;

// Sends a PDF file to the queue as one job with these options. Empty when the queue took it,
// else why not.
QString submit(const QString &printerName, const QString &pdfPath, const QString &title,
               const QList<Option> &options);

} // namespace CupsQueue
