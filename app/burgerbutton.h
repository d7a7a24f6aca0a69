#pragma once

#include <QPointer>
#include <QPushButton>

class QAction;

// One entry of the burger menu: draws its action's icon and text, so the menu
// can be narrowed to the icons alone, and triggers the action when tapped.
class BurgerButton : public QPushButton
{
    Q_OBJECT

public:
    static constexpr int TextGap = 10;

    explicit BurgerButton(QAction *action, QWidget *parent = nullptr);

    QAction *action() const { return m_action; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void onClicked();
    void syncWithAction();

    QPointer<QAction> m_action;
};
