#include "errorreport.h"

#include "glyphorerror.h"

#include <QApplication>
#include <QMessageBox>

namespace ErrorReport {

QString displayText(const QString &message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

void show(const QString &message)
{
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), displayText(message),
                    QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

void show(const std::exception &error)
{
    if (const auto *own = dynamic_cast<const GlyphorError *>(&error))
        show(own->message());
    else
        show(QString::fromLocal8Bit(error.what()));
}

} // namespace ErrorReport
