#pragma once

#include "cupsqueue.h"

#include <QPrinter>
#include <QString>

#include <memory>

class QTemporaryFile;

// Where a job goes, and whether it got there whole. Every job is a PDF written to a file of its
// own first. For a PDF the user named, that file lies beside it and is put in its place only once
// it is complete, so a full disk or a failed write never leaves a truncated catalogue there, nor
// destroys the file it would replace. For a print queue it is a temporary file, sent to the queue
// with the dialog's choices once complete; the queue is asked whether it takes jobs before the
// job starts.
class PrintDestination
{
public:
    PrintDestination(const QPrinter &printer, const QString &title);
    ~PrintDestination();

    // The file the job's PDF is to be written to; empty when none could be made.
    QString pdfPath() const;
    // Why no job can start there now (a queue that refuses jobs), in French; empty when one can.
    QString refusal() const;
    // Once the PDF is closed (written: whether it was written without error): puts it in its
    // place, or sends it to the queue. Empty when the job arrived, else why it did not, in French.
    QString deliver(bool written);

    // The print system's options for the dialog's choices: copies and their order, paper,
    // orientation, both sides, and what the printer's properties set (propertyOptions: names
    // and values in turn).
    static QList<CupsQueue::Option> jobOptions(const QPrinter &printer);
    static QList<CupsQueue::Option> jobOptions(const QPageLayout &layout, int copies, bool collate,
                                               QPrinter::DuplexMode duplex,
                                               const QStringList &propertyOptions);

    // The message for a job that failed: "L'impression a échoué : <reason>".
    static QString failureMessage(const QString &reason);

private:
    QString deliverPdf(bool written);

    QString m_printerName; // the queue, when not a PDF
    QList<CupsQueue::Option> m_options;
    QString m_title;
    QString m_pdfPath; // the file the user named, for a PDF
    std::unique_ptr<QTemporaryFile> m_written;
};
