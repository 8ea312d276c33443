#include "plainmessage.h"

#include <QApplication>
#include <QMessageBox>

namespace PlainMessage {

void show(const QString &text, QWidget *parent)
{
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text, QMessageBox::Ok,
                    parent);
    box.exec();
}

} // namespace PlainMessage
