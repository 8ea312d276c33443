#include "warningquestion.h"

#include <QMessageBox>
#include <QPushButton>

namespace WarningQuestion {

bool ask(const QString &text, QWidget *parent)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Avertissement"), text,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setObjectName(QStringLiteral("WarningQuestion"));
    box.button(QMessageBox::Yes)->setText(QStringLiteral("&Oui"));
    box.button(QMessageBox::No)->setText(QStringLiteral("&Non"));
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

} // namespace WarningQuestion
