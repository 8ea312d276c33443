#pragma once

#include "printtimings.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>

class FontCatalog;
class QPrinter;
class QProgressDialog;
class QWidget;

// Prints the font catalogue for a window: the print dialog, then the job with a window that
// shows its progress and can stop it, then the closing message. The window stays usable while
// the job runs; the printer chosen in the dialog stays chosen for the next job.
class CataloguePrinting : public QObject
{
    Q_OBJECT

public:
    // What the catalogue prints, read when it needs it.
    struct Sources
    {
        QString version;
        std::function<QStringList()> families;
        // Read once, after the print dialog.
        std::function<QString()> sample;
        // Read before each font line: a change made while the job runs applies to the lines
        // after it.
        std::function<int()> sampleSize;
        // Where the families' faces are found; the installed fonts when not given.
        std::function<const FontCatalog &()> catalog;
    };

    static const QString CompletedMessage;
    // The closing message of a job that reached its destination, the families left out of it
    // counted and named (the first MaximumNamesLeftOut of them).
    static QString completedMessage(const QStringList &familiesLeftOut);
    static constexpr qsizetype MaximumNamesLeftOut = 20;

    CataloguePrinting(Sources sources, QWidget *window);
    ~CataloguePrinting() override;

    // The print dialog, then the job; nothing when the dialog is cancelled.
    void run();
    // The job alone, on a printer already chosen.
    void print(QPrinter &printer);

    // Stands in for the print dialog: sets the printer up and returns false for a cancel.
    void setPrinterChooser(std::function<bool(QPrinter &)> chooser)
    {
        m_chooser = std::move(chooser);
    }

    bool isPrinting() const { return m_printing; }
    // Where the last job's time went.
    const PrintTimings &lastTimings() const { return m_lastTimings; }
    // Leaves the fonts not yet printed out; the job then ends as usual.
    void stop() { m_stopRequested = true; }

    // The message for a printer that cannot start the document.
    static QString startFailedMessage(const QPrinter &printer);

Q_SIGNALS:
    // After each font line.
    void progressed(qsizetype printed, qsizetype total);

private:
    bool choosePrinter(QPrinter &printer);
    // The window that shows the job's progress and can stop it.
    void showProgress(qsizetype total);

    Sources m_sources;
    QWidget *m_window;
    std::function<bool(QPrinter &)> m_chooser;
    std::unique_ptr<QPrinter> m_printer;
    QPointer<QProgressDialog> m_progress;
    bool m_printing = false;
    bool m_stopRequested = false;
    PrintTimings m_lastTimings;
};
