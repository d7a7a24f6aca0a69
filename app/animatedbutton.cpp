#include "app/animatedbutton.h"

#include <QMouseEvent>

AnimatedButton::AnimatedButton(QWidget *parent)
    : QPushButton(parent)
{
    m_longPressTimer.setInterval(LongPressInterval);
    connect(&m_longPressTimer, &QTimer::timeout, this, &AnimatedButton::onLongPressTick);
    connect(this, &QAbstractButton::pressed, this, &AnimatedButton::onPressed);
    connect(this, &QAbstractButton::released, this, &AnimatedButton::onReleased);
}

void AnimatedButton::setIcons(const QIcon &normal, const QIcon &pressed, const QIcon &longPressed)
{
    m_normalIcon = normal;
    m_pressedIcon = pressed;
    m_longPressedIcon = longPressed;
    setIcon(m_normalIcon);
}

void AnimatedButton::showIcon(const QIcon &icon)
{
    // A missing image must not blank a key the judge is looking at.
    setIcon(icon.isNull() ? m_normalIcon : icon);
}

void AnimatedButton::onPressed()
{
    showIcon(m_pressedIcon);
    m_longPressTimer.start();
}

void AnimatedButton::onReleased()
{
    m_longPressTimer.stop();
    setIcon(m_normalIcon);
}

void AnimatedButton::onLongPressTick()
{
    if (m_longPressedIcon.isNull())
        return;
    setIcon(m_longPressedIcon);
    emit longpressed();
}

void AnimatedButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton) {
        m_rightPressed = true;
        showIcon(m_longPressedIcon);
        event->accept();
        return;
    }
    QPushButton::mousePressEvent(event);
}

void AnimatedButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton) {
        event->accept();
        if (!m_rightPressed)
            return;
        m_rightPressed = false;
        setIcon(m_normalIcon);
        emit rightclicked();
        return;
    }
    QPushButton::mouseReleaseEvent(event);
}

void AnimatedButton::hideEvent(QHideEvent *event)
{
    // A key that disappears under the finger (page switch) gets no release;
    // it must not go on reporting long presses from behind the new page.
    m_longPressTimer.stop();
    m_rightPressed = false;
    setIcon(m_normalIcon);
    QPushButton::hideEvent(event);
}

AnimatedButton *AnimatedButton::keypadButton(const QString &objectName, const QString &image, QWidget *parent)
{
    const QString base = QStringLiteral(":/fieldtablet/icons/fieldtablet/");
    auto *button = new AnimatedButton(parent);
    button->setObjectName(objectName);
    button->setIcons(QIcon(base + image + QStringLiteral(".png")), QIcon(base + image + QStringLiteral("_active.png")));
    button->setIconSize(QSize(96, 72));
    button->setMinimumSize(100, 76);
    button->setFlat(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}
