#include "tapropos.h"
#include "ui_tapropos.h"

#include "fixeddialog.h"
#include "helprequests.h"
#include "productinfo.h"

#include <QApplication>

TAPropos::TAPropos(const QString &version, HelpRequests &help, QWidget *parent)
    // A title and nothing else: the box closes through its buttons.
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , ui(std::make_unique<Ui::TAPropos>())
    , m_help(help)
{
    ui->setupUi(this);
    FixedDialog::finishLayout(this);
    QPalette grey = ui->Label2->palette();
    grey.setColor(QPalette::WindowText, QColor(0x80, 0x80, 0x80));
    ui->Label2->setPalette(grey);
    QPalette black = ui->Button1->palette();
    black.setColor(QPalette::ButtonText, Qt::black);
    ui->Button1->setPalette(black);

    // The program's icon, in its frame and drawn larger as the logo.
    const QIcon icon = QApplication::windowIcon();
    ui->Image1->setPixmap(icon.pixmap(32, 32));
    ui->logo->setPicture(icon.pixmap(48, 48));
    ui->Label4->setText(ProductInfo::authorLine());
    ui->logo->setUrl(QUrl(ProductInfo::homePage()));
    ui->logo->setToolTip(ProductInfo::homePage());

    connect(ui->Button1, &QPushButton::clicked, this, &TAPropos::Button1Click);
    connect(ui->Button2, &QPushButton::clicked, this, &TAPropos::Button2Click);

    // Centred on the screen the first time; a box moved by the user comes back where it was left.
    FixedDialog::centreOnScreen(this);
    FormCreate(version);
}

TAPropos::~TAPropos() = default;

void TAPropos::FormCreate(const QString &version)
{
    ui->Label2->setText(QLatin1Char(' ') + version + QLatin1Char(' '));
}

void TAPropos::Button1Click()
{
    done(1);
}

void TAPropos::Button2Click()
{
    m_help.request(HelpRequests::AboutTopic);
    reject();
}

void TAPropos::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    ui->Button1->setFocus();
}
