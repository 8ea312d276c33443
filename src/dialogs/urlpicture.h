#pragma once

#include <QLabel>
#include <QUrl>

// A picture that opens a web address in the user's browser when clicked, with the hand pointer
// over it. It takes the size of its picture.
class UrlPicture : public QLabel
{
    Q_OBJECT

public:
    explicit UrlPicture(QWidget *parent = nullptr);

    void setPicture(const QPixmap &picture);
    QUrl url() const { return m_url; }
    void setUrl(const QUrl &url) { m_url = url; }

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QUrl m_url;
    bool m_pressed = false;
};
