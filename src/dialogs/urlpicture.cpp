#include "urlpicture.h"

#include <QDesktopServices>
#include <QMouseEvent>

UrlPicture::UrlPicture(QWidget *parent)
    : QLabel(parent)
{
    setAlignment(Qt::AlignCenter);
    setCursor(Qt::PointingHandCursor);
}

void UrlPicture::setPicture(const QPixmap &picture)
{
    setPixmap(picture);
    resize(picture.deviceIndependentSize().toSize());
}

void UrlPicture::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

// A click is a press and a release over the picture, as with a button.
void UrlPicture::mouseReleaseEvent(QMouseEvent *event)
{
    const bool clicked = m_pressed && event->button() == Qt::LeftButton
        && rect().contains(event->position().toPoint());
    m_pressed = false;
    QLabel::mouseReleaseEvent(event);
    if (clicked && m_url.isValid())
        QDesktopServices::openUrl(m_url);
}
