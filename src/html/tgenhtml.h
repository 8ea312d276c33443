#pragma once

#include "typography.h"

#include <QDialog>
#include <QStringList>

#include <functional>
#include <memory>

class FileNameEdit;
class HelpRequests;

namespace Ui {
class TGenHTML;
}

// Where the HTML page's fonts and sample come from: the main window's list and sample field,
// read when the page is written.
struct HtmlPageSource
{
    QString version;
    std::function<QStringList()> fonts;
    std::function<QString()> sample;
    // The file a font that is not installed is drawn from (HtmlPageContent::fontFile).
    std::function<QString(const QString &font)> fontFile;
    // The typography the list draws with (HtmlPageContent::typography).
    std::function<Typography()> typography;
};

// The HTML export dialog: the user names the page file and a web browser, writes the page and
// opens it. One instance lives for the whole run, so both names stay between openings.
class TGenHTML : public QDialog
{
    Q_OBJECT

public:
    // browser: the browser path kept in the settings. A path the browser field refuses is
    // reported through the general error report and leaves the field empty.
    TGenHTML(HtmlPageSource source, const QString &browser, HelpRequests &help,
             QWidget *parent = nullptr);
    ~TGenHTML() override;

    // Whether the last generation got as far as opening the page file.
    bool FichierGenere = false;

    FileNameEdit *nomFichierHTML() const;
    FileNameEdit *NomBUTINEUR() const;

    // The default page file: glyphor.htm in the user's documents folder.
    static QString defaultPageFile();

    // Writes the page named by the file field, with its questions and messages. A failed write
    // throws GlyphorError.
    void GenererPageHTML();

public Q_SLOTS:
    void GenererFICClick();
    void GenererVisualiserFICClick();
    void Button1Click();
    void AideClick();

private:
    void FormCreate(const QString &browser);
    template<typename Handler> void bind(class QPushButton *button, Handler handler);

    std::unique_ptr<Ui::TGenHTML> ui;
    HtmlPageSource m_source;
    HelpRequests &m_help;
};
