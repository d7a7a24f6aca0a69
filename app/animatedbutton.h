#pragma once

#include <QIcon>
#include <QPushButton>
#include <QTimer>

// A keypad or action button for fingers: it swaps its image while pressed,
// reports a long press once per second while held (only when it has a
// long-press image) and reports a right-button click.
class AnimatedButton : public QPushButton
{
    Q_OBJECT

public:
    static constexpr int LongPressInterval = 1000;

    explicit AnimatedButton(QWidget *parent = nullptr);
    // A flat button of the screens' keypads (100 x 76 at least, no focus)
    // with the image of that name in the field tablet icons and its
    // "_active" image while pressed.
    static AnimatedButton *keypadButton(const QString &objectName, const QString &image, QWidget *parent);

    // Sets the three images together and shows the normal one. A null pressed
    // image keeps the normal one while pressed; a null long-press image turns
    // long presses off.
    void setIcons(const QIcon &normal, const QIcon &pressed, const QIcon &longPressed = QIcon());
    QIcon normalIcon() const { return m_normalIcon; }
    QIcon pressedIcon() const { return m_pressedIcon; }
    QIcon longPressedIcon() const { return m_longPressedIcon; }

signals:
    void longpressed();
    void rightclicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void onPressed();
    void onReleased();
    void onLongPressTick();
    void showIcon(const QIcon &icon);

    QIcon m_normalIcon;
    QIcon m_pressedIcon;
    QIcon m_longPressedIcon;
    QTimer m_longPressTimer;
    bool m_rightPressed = false;
};
