#pragma once

#include <QTimer>
#include <QWidget>

// An invisible cover over a screen that swallows taps for a moment after
// the screen changed under the finger (another page, a re-sorted list): the
// second tap of a hurried double tap lands on nothing instead of on what
// has just appeared where the first one was.
class TapShield : public QWidget
{
    Q_OBJECT

public:
    static constexpr int DefaultHoldMs = 300;

    // Covers the whole parent and follows its size.
    explicit TapShield(QWidget *parent);

    // Swallows taps for the hold time from now on.
    void hold();
    bool isHolding() const { return m_timer.isActive(); }
    void setHoldTime(int ms) { m_timer.setInterval(ms); }
    int holdTime() const { return m_timer.interval(); }

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QTimer m_timer;
};
