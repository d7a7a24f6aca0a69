#pragma once

#include <QPixmap>
#include <QPushButton>

// A button whose image fills it whole, stretched, under the normal button
// painting (text, focus frame).
class IconStretchButton : public QPushButton
{
    Q_OBJECT

public:
    explicit IconStretchButton(QWidget *parent = nullptr);

    void setImage(const QPixmap &image);
    QPixmap image() const { return m_image; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_image;
};
