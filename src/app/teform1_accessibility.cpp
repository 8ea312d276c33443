// The order Tab goes through the main window's controls; what a screen reader says of each is in
// the .ui file.
#include "teform1.h"
#include "ui_teform1.h"

#include "filterbar.h"
#include "fontlistview.h"

#include <QLineEdit>
#include <QToolButton>

void TEForm1::setUpAccessibility()
{
    // From the filter down the list, then the panel, row by row, left to right.
    const QList<QWidget *> order {m_filterBar->field(),
                                  m_filterBar->canWriteButton(),
                                  m_filterBar->findChild<QToolButton *>(QStringLiteral("Filtres")),
                                  ui->ListBox1,
                                  ui->Memo1,
                                  ui->SpinEdit1,
                                  ui->txtEdit,
                                  ui->valid,
                                  ui->gras,
                                  ui->ital,
                                  ui->soul,
                                  ui->TousCar,
                                  ui->Button1,
                                  ui->TPlus,
                                  ui->FPlus,
                                  ui->AfBulles,
                                  ui->SpeedButton1,
                                  ui->GenererrHTML,
                                  ui->charmap,
                                  ui->Aide,
                                  ui->AboutBtn,
                                  ui->BitBtn1,
                                  ui->Quitter};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    // Reached with Tab, as every control: a toolbar's flat buttons take only clicks otherwise.
    for (auto *button : {ui->SpeedButton1, ui->GenererrHTML, ui->charmap})
        button->setFocusPolicy(Qt::StrongFocus);
}
