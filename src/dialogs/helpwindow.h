#pragma once

#include "helpviewer.h"

#include <QUrl>
#include <QWidget>

class QTextBrowser;

// Glyphor's help: a window of its own, beside the main window, that shows the French help pages
// shipped with the program and follows the links between them.
class HelpWindow : public QWidget, public HelpViewer
{
    Q_OBJECT

public:
    explicit HelpWindow(QWidget *parent = nullptr);

    // The page of a context number; empty for a number without a topic.
    static QUrl topicPage(int context);

    bool isOpen() const override;
    bool showTopic(int context) override;
    void bringToFront() override;
    void quit() override;

    QTextBrowser *browser() const { return m_browser; }

private:
    void updateTitle();

    QTextBrowser *m_browser = nullptr;
};
