#include "app/iconstretchbutton.h"

#include <QPainter>

IconStretchButton::IconStretchButton(QWidget *parent)
    : QPushButton(parent)
{}

void IconStretchButton::setImage(const QPixmap &image)
{
    m_image = image;
    updateGeometry();
    update();
}

QSize IconStretchButton::sizeHint() const
{
    if (m_image.isNull())
        return QPushButton::sizeHint();
    return m_image.deviceIndependentSize().toSize();
}

void IconStretchButton::paintEvent(QPaintEvent *event)
{
    if (!m_image.isNull()) {
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(rect(), m_image);
    }
    QPushButton::paintEvent(event);
}
