#include "app/burgerbutton.h"

#include <QAction>
#include <QPainter>
#include <QStyleOption>

BurgerButton::BurgerButton(QAction *action, QWidget *parent)
    : QPushButton(parent)
    , m_action(action)
{
    setObjectName(QStringLiteral("BurgerButton"));
    setFlat(true);
    setCursor(Qt::PointingHandCursor);
    setFixedHeight(iconSize().height());
    syncWithAction();
    connect(action, &QAction::changed, this, &BurgerButton::syncWithAction);
    connect(action, &QAction::toggled, this, &BurgerButton::syncWithAction);
    connect(action, &QObject::destroyed, this, [this] {
        hide();
        deleteLater();
    });
    connect(this, &QAbstractButton::clicked, this, &BurgerButton::onClicked);
}

void BurgerButton::syncWithAction()
{
    if (!m_action)
        return;
    // The button mirrors the action's checked state so that the style sheet's
    // ":checked" rule marks the page that is shown.
    setCheckable(m_action->isCheckable());
    setChecked(m_action->isChecked());
    setToolTip(m_action->toolTip());
    update();
}

void BurgerButton::onClicked()
{
    if (!m_action)
        return;
    // Triggering an unchecked checkable action checks it; the checked action
    // of an exclusive group stays checked and is triggered again, which the
    // window takes as "show this page".
    m_action->trigger();
    syncWithAction();
}

QSize BurgerButton::sizeHint() const
{
    const QString text = m_action ? m_action->iconText() : QString();
    const int width = iconSize().width() + TextGap + fontMetrics().horizontalAdvance(text);
    return QSize(width, iconSize().height());
}

void BurgerButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QStyleOption option;
    option.initFrom(this);
    if (isChecked())
        option.state |= QStyle::State_On;
    if (isDown())
        option.state |= QStyle::State_Sunken;
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
    if (!m_action)
        return;

    const QRect contents = contentsRect();
    const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
    const QIcon::State state = m_action->isChecked() ? QIcon::On : QIcon::Off;
    const QRect iconRect(contents.topLeft(), iconSize());
    m_action->icon().paint(&painter, iconRect, Qt::AlignCenter, mode, state);

    const int textLeft = iconRect.right() + 1 + TextGap;
    const QRect textRect(textLeft, contents.top(), std::max(0, contents.right() + 1 - textLeft), contents.height());
    const QString text = fontMetrics().elidedText(m_action->iconText(), Qt::ElideRight, textRect.width());
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, text);
}
