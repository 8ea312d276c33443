#pragma once

#include <QString>

#include <memory>

class QPrinter;
class QTemporaryFile;

// Where a job goes, and whether it got there whole. A PDF file is written beside the file the
// user named and put in its place only once it is complete, so a full disk or a failed write never
// leaves a truncated catalogue there, nor destroys the file it would replace. A print queue is
// asked whether it takes jobs before the job starts, and whether it took this one after.
class PrintDestination
{
public:
    // Points a PDF printer at a new file beside its output file, until the job is delivered or
    // this object goes; the printer then names the user's file again.
    explicit PrintDestination(QPrinter &printer);
    ~PrintDestination();

    // Why no job can start there now (a queue that refuses jobs), in French; empty when one can.
    QString refusal() const;
    // After the painter has ended (painterEnded: what QPainter::end() said): puts a PDF in its
    // place, or asks the queue whether it took the job. Empty when the job arrived, else why it
    // did not, in French.
    QString deliver(bool painterEnded);

    // The message for a job that failed: "L'impression a échoué : <reason>".
    static QString failureMessage(const QString &reason);

private:
    QString deliverPdf();

    QPrinter &m_printer;
    QString m_pdfPath; // the file the user named, for a PDF
    std::unique_ptr<QTemporaryFile> m_aside;
};
