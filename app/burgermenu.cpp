#include "app/burgermenu.h"

#include <QAction>
#include <QActionGroup>
#include <QEvent>
#include <QHBoxLayout>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/burgerbutton.h"

BurgerMenu::BurgerMenu(QWidget *parent)
    : QWidget(parent)
    , m_actions(new QActionGroup(this))
    , m_burgerButton(new QPushButton(this))
    , m_layout(new QVBoxLayout(this))
{
    m_actions->setExclusive(true);
    connect(m_actions, &QActionGroup::triggered, this, &BurgerMenu::triggered);

    m_burgerButton->setObjectName(QStringLiteral("MainBurgerButton"));
    m_burgerButton->setFlat(true);
    m_burgerButton->setCheckable(true);
    m_burgerButton->setIconSize(QSize(48, 48));
    m_burgerButton->setFixedSize(48, 48);
    m_burgerButton->setCursor(Qt::PointingHandCursor);
    m_burgerButton->setIcon(QIcon(QStringLiteral(":/custom/burger")));
    connect(m_burgerButton, &QPushButton::toggled, this, &BurgerMenu::onBurgerToggled);

    auto *filler = new QWidget(this);
    filler->setObjectName(QStringLiteral("BurgerMenu"));
    auto *top = new QHBoxLayout;
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(0);
    top->addWidget(m_burgerButton);
    top->addWidget(filler);

    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(5);
    m_layout->addLayout(top);
    m_layout->addStretch();

    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    applyWidth();
}

QIcon BurgerMenu::icon() const
{
    return m_burgerButton->icon();
}

QSize BurgerMenu::iconSize() const
{
    return m_burgerButton->iconSize();
}

bool BurgerMenu::expanded() const
{
    return m_burgerButton->isChecked();
}

QList<QAction *> BurgerMenu::menuActions() const
{
    return m_actions->actions();
}

QList<BurgerButton *> BurgerMenu::buttons() const
{
    return findChildren<BurgerButton *>(QString(), Qt::FindDirectChildrenOnly);
}

BurgerButton *BurgerMenu::buttonOf(const QAction *action) const
{
    for (BurgerButton *button : buttons()) {
        if (button->action() == action)
            return button;
    }
    return nullptr;
}

QAction *BurgerMenu::addMenuAction(QAction *action)
{
    if (!action || buttonOf(action))
        return action;
    m_actions->addAction(action);
    addAction(action);
    auto *button = new BurgerButton(action, this);
    button->setIconSize(iconSize());
    button->setFixedHeight(iconSize().height());
    // Just above the closing stretch.
    m_layout->insertWidget(m_layout->count() - 1, button);
    return action;
}

QAction *BurgerMenu::addMenuAction(const QString &label)
{
    return addMenuAction(QIcon(), label);
}

QAction *BurgerMenu::addMenuAction(const QIcon &icon, const QString &label)
{
    auto *action = new QAction(icon, label, this);
    action->setCheckable(true);
    action->setObjectName(QStringLiteral("action%1").arg(label));
    return addMenuAction(action);
}

void BurgerMenu::removeMenuAction(QAction *action)
{
    if (!action)
        return;
    m_actions->removeAction(action);
    removeAction(action);
    if (BurgerButton *button = buttonOf(action)) {
        // Out of the menu at once, so the same action can come back, but
        // deleted later: the removal may come from this button's own click.
        m_layout->removeWidget(button);
        button->hide();
        button->setParent(nullptr);
        button->deleteLater();
    }
}

void BurgerMenu::setMenuActionVisible(const QString &label, bool visible)
{
    for (BurgerButton *button : buttons()) {
        if (button->action() && button->action()->text().compare(label, Qt::CaseInsensitive) == 0)
            button->setVisible(visible);
    }
}

void BurgerMenu::setBurgerIcon(const QIcon &icon)
{
    m_burgerButton->setIcon(icon);
    emit iconChanged();
}

void BurgerMenu::setIconSize(const QSize &size)
{
    m_burgerButton->setIconSize(size);
    m_burgerButton->setFixedSize(size);
    for (BurgerButton *button : buttons()) {
        button->setIconSize(size);
        button->setFixedHeight(size.height());
    }
    emit iconSizeChanged(size);
    applyWidth();
}

void BurgerMenu::setMenuWidth(int width)
{
    if (width == m_menuWidth)
        return;
    m_menuWidth = width;
    emit menuWidthChanged(width);
    applyWidth();
}

void BurgerMenu::setAnimated(bool animated)
{
    if (animated == m_animated)
        return;
    m_animated = animated;
    emit animatedChanged(animated);
}

void BurgerMenu::setExpanded(bool expanded)
{
    // The toggle's signal does the rest, exactly as for a tap on it.
    m_burgerButton->setChecked(expanded);
}

void BurgerMenu::applyWidth()
{
    if (m_animation)
        m_animation->stop();
    const int toggle = m_burgerButton->width();
    setFixedWidth(expanded() ? toggle + m_menuWidth : toggle);
}

void BurgerMenu::onBurgerToggled(bool expanded)
{
    emit expandedChanged(expanded);
    if (!m_animated) {
        applyWidth();
        return;
    }
    // A second tap during an animation replaces it, so that two animations
    // never fight over the width.
    if (m_animation)
        m_animation->stop();
    const int collapsed = m_burgerButton->width();
    const int full = collapsed + m_menuWidth;
    auto *animation = new QPropertyAnimation(this, "minimumWidth", this);
    animation->setDuration(AnimationDuration);
    animation->setStartValue(collapsed);
    animation->setEndValue(full);
    animation->setEasingCurve(expanded ? QEasingCurve::OutCubic : QEasingCurve::InCubic);
    animation->setDirection(expanded ? QAbstractAnimation::Forward : QAbstractAnimation::Backward);
    // The width stays fixed at every step, so the page beside the menu follows
    // it both ways.
    connect(animation, &QVariantAnimation::valueChanged, this,
            [this](const QVariant &value) { setMaximumWidth(value.toInt()); });
    connect(animation, &QAbstractAnimation::finished, this, &BurgerMenu::applyWidth);
    m_animation = animation;
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

void BurgerMenu::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void BurgerMenu::retranslate()
{
    for (QAction *action : m_actions->actions()) {
        const QString name = action->objectName().toLower();
        if (name == QLatin1String("actionschedule"))
            action->setText(tr("Schedule"));
        else if (name == QLatin1String("actiondevices"))
            action->setText(tr("Devices"));
        else if (name == QLatin1String("actionsettings"))
            action->setText(tr("Settings"));
        else if (name == QLatin1String("actionstandalone"))
            action->setText(tr("Standalone"));
        else if (name == QLatin1String("actioninfo"))
            action->setText(tr("Info"));
    }
}
