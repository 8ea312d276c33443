#pragma once

#include <QDialog>

#include <memory>

class HelpRequests;

namespace Ui {
class TAPropos;
}

// The about box: the program's name, its version, the author line, a way into the help and a
// logo that opens the project's home page. One instance lives for the whole run and is shown
// modally on demand.
class TAPropos : public QDialog
{
    Q_OBJECT

public:
    // version: the main window's version string, shown as it is now for the rest of the run.
    TAPropos(const QString &version, HelpRequests &help, QWidget *parent = nullptr);
    ~TAPropos() override;

public Q_SLOTS:
    void Button1Click();
    void Button2Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormCreate(const QString &version);

    std::unique_ptr<Ui::TAPropos> ui;
    HelpRequests &m_help;
};
