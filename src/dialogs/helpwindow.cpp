#include "helpwindow.h"

#include "helprequests.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>

HelpWindow::HelpWindow(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("HelpWindow"));
    // Closing the help must never end the program, even when the main window is hidden.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(620, 560);

    auto *back = new QPushButton(QStringLiteral("Précédent"), this);
    auto *forward = new QPushButton(QStringLiteral("Suivant"), this);
    auto *contents = new QPushButton(QStringLiteral("Sommaire"), this);
    for (QPushButton *button : {back, forward, contents})
        button->setFocusPolicy(Qt::NoFocus);
    back->setEnabled(false);
    forward->setEnabled(false);

    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("HelpBrowser"));
    m_browser->setOpenExternalLinks(true);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addWidget(contents);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_browser);

    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(contents, &QPushButton::clicked, this,
            [this] { m_browser->setSource(topicPage(HelpRequests::MainWindowTopic)); });
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpWindow::updateTitle);
    connect(new QShortcut(Qt::Key_Escape, this), &QShortcut::activated, this, &QWidget::close);
    updateTitle();
}

QUrl HelpWindow::topicPage(int context)
{
    for (const HelpTopic &topic : HelpTopics) {
        if (topic.context == context)
            return QUrl(QString::fromLatin1(topic.page));
    }
    return {};
}

bool HelpWindow::isOpen() const
{
    return isVisible();
}

bool HelpWindow::showTopic(int context)
{
    const QUrl page = topicPage(context);
    if (page.isEmpty())
        return false;
    m_browser->setSource(page);
    bringToFront();
    return true;
}

void HelpWindow::bringToFront()
{
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

void HelpWindow::quit()
{
    close();
}

void HelpWindow::updateTitle()
{
    const QString topic = m_browser->documentTitle();
    setWindowTitle(topic.isEmpty() ? QStringLiteral("Aide de Glyphor")
                                   : QStringLiteral("Aide de Glyphor - ") + topic);
}
