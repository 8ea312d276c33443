#include "cupsqueue.h"

#include <cups/cups.h>

#include <QFile>

#include <memory>

namespace CupsQueue {

namespace {

// A destination is named "queue" or "queue/instance"; the print system knows the queue.
QByteArray queueName(const QString &printerName)
{
    return printerName.section(u'/', 0, 0).toLocal8Bit();
}

QString notAccepting(const QString &printerName, const char *stateMessage)
{
    QString reason = QStringLiteral("l'imprimante %1 n'accepte pas de travaux").arg(printerName);
    if (stateMessage && *stateMessage)
        reason += QStringLiteral(" (%1)").arg(QString::fromUtf8(stateMessage));
    return reason;
}

} // namespace

QString refusal(const QString &printerName)
{
    const QByteArray queue = queueName(printerName);
    const std::unique_ptr<cups_dest_t, void (*)(cups_dest_t *)> dest(
        cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.constData(), nullptr),
        [](cups_dest_t *d) { cupsFreeDests(1, d); });
    if (!dest) {
        // Only a queue the print system says is gone; anything else is left to the job itself.
        if (cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND)
            return QStringLiteral("l'imprimante %1 est introuvable").arg(printerName);
        return {};
    }
    const char *accepting
        = cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
    if (accepting && qstrcmp(accepting, "false") == 0)
        return notAccepting(
            printerName, cupsGetOption("printer-state-message", dest->num_options, dest->options));
    return {};
}

QString lastJobFailure(const QString &printerName)
{
    const ipp_status_t status = cupsLastError();
    if (status <= IPP_STATUS_OK_EVENTS_COMPLETE)
        return {};
    switch (status) {
    case IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS:
        return notAccepting(printerName, nullptr);
    case IPP_STATUS_ERROR_NOT_FOUND:
    case IPP_STATUS_ERROR_GONE:
        return QStringLiteral("l'imprimante %1 est introuvable").arg(printerName);
    case IPP_STATUS_ERROR_FORBIDDEN:
    case IPP_STATUS_ERROR_NOT_AUTHENTICATED:
    case IPP_STATUS_ERROR_NOT_AUTHORIZED:
        return QStringLiteral("l'impression sur %1 n'est pas autorisée").arg(printerName);
    case IPP_STATUS_ERROR_SERVICE_UNAVAILABLE:
        return QStringLiteral("le service d'impression ne répond pas");
    case IPP_STATUS_ERROR_REQUEST_ENTITY:
        return QStringLiteral("le document est trop gros pour l'imprimante %1").arg(printerName);
    default:
        // The print system's own words, which it translates where it can.
        return QStringLiteral("le service d'impression a refusé le travail (%1)")
            .arg(QString::fromUtf8(cupsLastErrorString()));
    }
}

QString submit(const QString &printerName, const QString &pdfPath, const QString &title,
               const QList<Option> &options)
{
    const QByteArray queue = queueName(printerName);
    int count = 0;
    cups_option_t *cupsOptions = nullptr;
    for (const auto &[name, value] : options)
        count = cupsAddOption(name.constData(), value.constData(), count, &cupsOptions);
    const int job = cupsPrintFile2(CUPS_HTTP_DEFAULT, queue.constData(),
                                   QFile::encodeName(pdfPath).constData(),
                                   title.toUtf8().constData(), count, cupsOptions);
    cupsFreeOptions(count, cupsOptions);
    if (job > 0)
        return {};
    const QString failure = lastJobFailure(printerName);
    return failure.isEmpty()
        ? QStringLiteral("l'imprimante %1 n'a pas reçu le document").arg(printerName)
        : failure;
}

} // namespace CupsQueue
