#pragma once

#include <QIcon>
#include <QPointer>
#include <QSize>
#include <QWidget>

class QAction;
class QActionGroup;
class QPropertyAnimation;
class QPushButton;
class QVBoxLayout;
class BurgerButton;

// The collapsible menu at the left of the main window: a burger toggle on top
// and one large button per page or dialog below it. Collapsed it is as wide as
// the toggle; expanded it adds the menu width for the labels.
class BurgerMenu : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QIcon icon READ icon WRITE setBurgerIcon NOTIFY iconChanged)
    Q_PROPERTY(QSize iconSize READ iconSize WRITE setIconSize NOTIFY iconSizeChanged)
    Q_PROPERTY(int menuWidth READ menuWidth WRITE setMenuWidth NOTIFY menuWidthChanged)
    Q_PROPERTY(bool animated READ animated WRITE setAnimated NOTIFY animatedChanged)
    Q_PROPERTY(bool expanded READ expanded WRITE setExpanded NOTIFY expandedChanged)

public:
    static constexpr int AnimationDuration = 250;

    explicit BurgerMenu(QWidget *parent = nullptr);

    QIcon icon() const;
    QSize iconSize() const;
    int menuWidth() const { return m_menuWidth; }
    bool animated() const { return m_animated; }
    bool expanded() const;

    QList<QAction *> menuActions() const;
    BurgerButton *buttonOf(const QAction *action) const;
    QPushButton *burgerButton() const { return m_burgerButton; }

    // Shows or hides the button whose action text is label (case ignored).
    void setMenuActionVisible(const QString &label, bool visible);

public slots:
    QAction *addMenuAction(QAction *action);
    QAction *addMenuAction(const QString &label);
    QAction *addMenuAction(const QIcon &icon, const QString &label);
    void removeMenuAction(QAction *action);
    void setBurgerIcon(const QIcon &icon);
    void setIconSize(const QSize &size);
    void setMenuWidth(int width);
    void setAnimated(bool animated);
    void setExpanded(bool expanded);

signals:
    void iconChanged();
    void iconSizeChanged(QSize size);
    void menuWidthChanged(int width);
    void animatedChanged(bool animated);
    void expandedChanged(bool expanded);
    void triggered(QAction *action);

protected:
    void changeEvent(QEvent *event) override;

private:
    void onBurgerToggled(bool expanded);
    void applyWidth();
    void retranslate();
    QList<BurgerButton *> buttons() const;

    QActionGroup *m_actions;
    QPushButton *m_burgerButton;
    QVBoxLayout *m_layout;
    QPointer<QPropertyAnimation> m_animation;
    int m_menuWidth = 200;
    bool m_animated = true;
};
