#include "catalogueprinting.h"

#include "fontcatalog.h"
#include "fontcatalogue.h"
#include "pdfcanvas.h"
#include "plainmessage.h"
#include "printdestination.h"
#include "printertextstream.h"
#include "userfolders.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QScopeGuard>

#include <climits>

const QString CataloguePrinting::CompletedMessage = QStringLiteral("Impression Glyphor terminée");

namespace {

// The progress window is brought up to date this often at most: redoing its layout after every
// one of thousands of lines would cost more than the lines.
constexpr int ProgressRefreshMs = 50;

int progressValue(qsizetype fonts)
{
    return int(std::min<qsizetype>(fonts, INT_MAX));
}

// Keeps the print dialog's page ranges greyed out: a catalogue is printed whole. The dialog
// enables them again each time it is shown or another printer is chosen.
class PageRangesGreyedOut : public QObject
{
public:
    explicit PageRangesGreyedOut(QPrintDialog &dialog)
        : QObject(&dialog)
    {
        for (const char *name : {"printRange", "from", "to", "pagesRadioButton", "pagesLineEdit",
                                 "printSelection", "printCurrentPage"}) {
            if (auto *control = dialog.findChild<QWidget *>(QLatin1String(name))) {
                control->setEnabled(false);
                control->installEventFilter(this);
            }
        }
        if (auto *all = dialog.findChild<QAbstractButton *>(QStringLiteral("printAll")))
            all->setChecked(true);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::EnabledChange) {
            auto *control = static_cast<QWidget *>(watched);
            if (control->isEnabled())
                control->setEnabled(false);
        }
        return false;
    }
};

QString progressText(qsizetype printed, qsizetype total)
{
    const QLocale locale;
    return QStringLiteral("Impression des fontes : %1 sur %2")
        .arg(locale.toString(printed), locale.toString(total));
}

// The families of a set in the order the catalogue printed them; any other (a font of the
// header) after them.
QStringList inListOrder(QSet<QString> families, const QStringList &printed)
{
    QStringList ordered;
    for (const QString &family : printed) {
        if (families.remove(family))
            ordered.append(family);
    }
    QStringList others(families.cbegin(), families.cend());
    others.sort();
    return ordered + others;
}

} // namespace

CataloguePrinting::CataloguePrinting(Sources sources, QWidget *window)
    : QObject(window)
    , m_sources(std::move(sources))
    , m_window(window)
{
}

CataloguePrinting::~CataloguePrinting() = default;

QString CataloguePrinting::completedMessage(const QStringList &familiesLeftOut)
{
    if (familiesLeftOut.isEmpty())
        return CompletedMessage;
    const QLocale locale;
    const qsizetype count = familiesLeftOut.size();
    // Named, so that the user knows which to look at; a few dozen at most, for a message box.
    QString names = familiesLeftOut.first(std::min(count, MaximumNamesLeftOut)).join(u", ");
    if (count > MaximumNamesLeftOut)
        names += QStringLiteral(" et %1 autres").arg(locale.toString(count - MaximumNamesLeftOut));
    return CompletedMessage + QLatin1Char('\n')
        + (count == 1 ? QStringLiteral("%1 police n'a pas pu être imprimée : %2")
                      : QStringLiteral("%1 polices n'ont pas pu être imprimées : %2"))
              .arg(locale.toString(count), names);
}

QString CataloguePrinting::startFailedMessage(const QPrinter &printer)
{
    if (!printer.outputFileName().isEmpty())
        return QStringLiteral("Impossible d'écrire dans ")
            + QDir::toNativeSeparators(printer.outputFileName());
    if (!printer.printerName().isEmpty())
        return QStringLiteral("Impossible de lancer l'impression sur l'imprimante ")
            + printer.printerName();
    return QStringLiteral("Impossible de lancer l'impression");
}

void CataloguePrinting::run()
{
    if (m_printing)
        return;
    // Made at the first job, not at start: asking the print system for its printers takes time.
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (choosePrinter(*m_printer))
        print(*m_printer);
}

bool CataloguePrinting::choosePrinter(QPrinter &printer)
{
    if (m_chooser)
        return m_chooser(printer);
    // The PDF file is offered in the documents folder, as the HTML page is, named after the job;
    // a file chosen for an earlier job of the run is offered again. Naming a file makes a PDF
    // printer of it: the printer chosen before is put back, to be offered first as it was.
    if (printer.outputFileName().isEmpty()) {
        const QString chosenPrinter = printer.printerName();
        printer.setOutputFileName(
            QDir(UserFolders::documents())
                .filePath(FontCatalogue::jobTitle(m_sources.version) + QStringLiteral(".pdf")));
        if (!chosenPrinter.isEmpty())
            printer.setPrinterName(chosenPrinter);
    }
    QPrintDialog dialog(&printer, m_window);
    // A catalogue is printed whole: no page range, selection or current page.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize
                      | QAbstractPrintDialog::PrintCollateCopies);
    new PageRangesGreyedOut(dialog);
    return dialog.exec() == QDialog::Accepted;
}

void CataloguePrinting::print(QPrinter &printer)
{
    if (m_printing)
        return;
    // From here on a stop (the window closing) applies to this job.
    m_printing = true;
    m_stopRequested = false;
    const auto idle = qScopeGuard([this] { m_printing = false; });
    const QString sample = m_sources.sample ? m_sources.sample() : QString();
    const QString title = FontCatalogue::jobTitle(m_sources.version);
    printer.setDocName(title);
    QCoreApplication::processEvents();

    const QStringList families = m_sources.families ? m_sources.families() : QStringList();
    PrintDestination destination(printer, title);
    if (const QString refusal = destination.refusal(); !refusal.isEmpty()) {
        PlainMessage::show(PrintDestination::failureMessage(refusal), m_window);
        return;
    }
    // The same PDF for a file and for a queue, drawn in the font list's own faces: what is
    // printed is what the file shows.
    const QPageLayout layout = printer.pageLayout();
    PdfCanvas canvas(destination.pdfPath(),
                     {layout.fullRectPoints().size(), layout.paintRectPoints()},
                     m_sources.catalog ? m_sources.catalog() : FontCatalog::system());
    canvas.setTitle(title);
    PrinterTextStream stream(canvas);
    if (!stream.open()) {
        PlainMessage::show(startFailedMessage(printer), m_window);
        return;
    }
    showProgress(families.size());

    FontCatalogue catalogue(m_sources.version, families, sample);
    if (m_sources.sampleSize)
        catalogue.setSampleSize(m_sources.sampleSize);
    QElapsedTimer sinceRefresh;
    sinceRefresh.start();
    catalogue.setAfterFontLine([&](qsizetype printed) {
        Q_EMIT progressed(printed, families.size());
        if (m_progress
            && (sinceRefresh.hasExpired(ProgressRefreshMs) || printed == families.size())) {
            m_progress->setValue(progressValue(printed));
            m_progress->setLabelText(progressText(printed, families.size()));
            sinceRefresh.restart();
        }
        QCoreApplication::processEvents();
        return !m_stopRequested;
    });

    // However the lines end, finished, stopped or cut short by an error on its way to the error
    // report, the job is ended and the user told whether it reached its destination.
    const auto finish = [&] {
        if (m_progress) {
            m_progress->setLabelText(QStringLiteral("Fin de l'impression..."));
            m_progress->setCancelButton(nullptr);
            QCoreApplication::processEvents();
        }
        const QString failure = destination.deliver(stream.close());
        m_lastTimings = canvas.timings();
        delete m_progress;
        m_printing = false;
        PlainMessage::show(failure.isEmpty()
                               ? completedMessage(inListOrder(canvas.familiesLeftOut(), families))
                               : PrintDestination::failureMessage(failure),
                           m_window);
    };
    try {
        catalogue.write(stream);
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

void CataloguePrinting::showProgress(qsizetype total)
{
    auto *progress = new QProgressDialog(m_window);
    m_progress = progress;
    progress->setWindowTitle(QStringLiteral("Impression - ") + QApplication::applicationName());
    // The window stays usable while the job runs.
    progress->setWindowModality(Qt::NonModal);
    progress->setAutoClose(false);
    progress->setAutoReset(false);
    progress->setMinimumDuration(0);
    progress->setRange(0, progressValue(total));
    progress->setLabelText(progressText(0, total));
    progress->setCancelButtonText(QStringLiteral("Arrêter"));
    connect(progress, &QProgressDialog::canceled, this, &CataloguePrinting::stop);
    progress->show();
}
