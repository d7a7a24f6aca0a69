#include <QAction>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPainter>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QSignalSpy>
#include <QTranslator>
#include <QtTest>

#include "app/animatedbutton.h"
#include "app/burgerbutton.h"
#include "app/burgermenu.h"
#include "app/clickablelabel.h"
#include "app/iconstretchbutton.h"
#include "app/localeindepententqdoublespinbox.h"
#include "support/testsupport.h"

namespace {

QIcon solidIcon(const QColor &colour)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

// A Dutch interface for the menu, without a translation file.
class DutchMenuTranslator : public QTranslator
{
public:
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *sourceText, const char *, int) const override
    {
        if (qstrcmp(context, "BurgerMenu") != 0)
            return QString();
        static const QHash<QString, QString> dutch{
            {QStringLiteral("Schedule"), QStringLiteral("Schema")},
            {QStringLiteral("Devices"), QStringLiteral("Apparaten")},
            {QStringLiteral("Settings"), QStringLiteral("Instellingen")},
            {QStringLiteral("Standalone"), QStringLiteral("Zelfstandig")},
            {QStringLiteral("Info"), QStringLiteral("Over")},
        };
        return dutch.value(QString::fromLatin1(sourceText));
    }
};

// Records every width the menu takes on its way.
class WidthRecorder : public QObject
{
public:
    explicit WidthRecorder(QWidget *widget) { widget->installEventFilter(this); }
    QList<int> widths;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Resize)
            widths.append(static_cast<QWidget *>(watched)->width());
        return false;
    }
};

} // namespace

class TestTouchWidgets : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::failOnUnexpectedWarnings(); }
    void cleanup() { QLocale::setDefault(m_defaultLocale); }

    void animatedButton_held_emitsLongPressOncePerSecond_data();
    void animatedButton_held_emitsLongPressOncePerSecond();
    void animatedButton_rightClick_data();
    void animatedButton_rightClick();
    void animatedButton_hiddenWhileHeld_stopsLongPresses();

    void burgerMenu_toggle_data();
    void burgerMenu_toggle();
    void burgerMenu_actions_buttonsInOrderAndExclusive();
    void burgerMenu_removedOrDestroyedAction_dropsItsButton();
    void burgerMenu_languageChange_relabelsByObjectName();
    void burgerMenu_showHideByLabel_ignoresCase();
    void burgerMenu_iconSizeAndMenuWidth_resizeEverything();
    void burgerButton_checkedAction_paintsCheckedStyle();

    void clickableLabel_everyPress_emitsClicked();
    void iconStretchButton_imageFillsButton();

    void spinBox_typing_data();
    void spinBox_typing();
    void spinBox_focus_selectsWholeText();

private:
    const QLocale m_defaultLocale;
};

// ---------------------------------------------------------------------------
// AnimatedButton

void TestTouchWidgets::animatedButton_held_emitsLongPressOncePerSecond_data()
{
    QTest::addColumn<bool>("withLongPressImage");
    QTest::addColumn<int>("expected");
    QTest::newRow("long-press image: a tick a second") << true << 2;
    QTest::newRow("no long-press image: silent") << false << 0;
}

void TestTouchWidgets::animatedButton_held_emitsLongPressOncePerSecond()
{
    QFETCH(bool, withLongPressImage);
    QFETCH(int, expected);

    const QIcon normal = solidIcon(Qt::blue);
    const QIcon pressed = solidIcon(Qt::green);
    const QIcon longPressed = withLongPressImage ? solidIcon(Qt::red) : QIcon();
    AnimatedButton button;
    button.setIcons(normal, pressed, longPressed);
    button.resize(80, 80);
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    QCOMPARE(button.icon().cacheKey(), normal.cacheKey());

    QSignalSpy longPresses(&button, &AnimatedButton::longpressed);
    QSignalSpy clicks(&button, &QAbstractButton::clicked);
    QElapsedTimer held;
    held.start();
    QTest::mousePress(&button, Qt::LeftButton);
    QCOMPARE(button.icon().cacheKey(), pressed.cacheKey());
    if (expected > 0) {
        QTRY_COMPARE_WITH_TIMEOUT(longPresses.count(), expected, 10 * AnimatedButton::LongPressInterval);
        // Not sooner than a second apart.
        QVERIFY2(held.elapsed() >= expected * AnimatedButton::LongPressInterval * 95 / 100,
                 qPrintable(QString::number(held.elapsed())));
    } else {
        QVERIFY(TestSupport::waitPastTimersOf(AnimatedButton::LongPressInterval));
    }
    QCOMPARE(longPresses.count(), expected);
    QCOMPARE(button.icon().cacheKey(), withLongPressImage ? longPressed.cacheKey() : pressed.cacheKey());

    QTest::mouseRelease(&button, Qt::LeftButton);
    QCOMPARE(button.icon().cacheKey(), normal.cacheKey());
    QCOMPARE(clicks.count(), 1);
    // Released: no more ticks.
    QVERIFY(TestSupport::waitPastTimersOf(AnimatedButton::LongPressInterval));
    QCOMPARE(longPresses.count(), expected);
}

void TestTouchWidgets::animatedButton_rightClick_data()
{
    QTest::addColumn<bool>("withLongPressImage");
    QTest::newRow("long-press image shown while held") << true;
    QTest::newRow("no long-press image: normal image stays") << false;
}

void TestTouchWidgets::animatedButton_rightClick()
{
    QFETCH(bool, withLongPressImage);

    const QIcon normal = solidIcon(Qt::blue);
    const QIcon longPressed = withLongPressImage ? solidIcon(Qt::red) : QIcon();
    AnimatedButton button;
    button.setIcons(normal, solidIcon(Qt::green), longPressed);
    button.resize(80, 80);
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));

    QSignalSpy rightClicks(&button, &AnimatedButton::rightclicked);
    QSignalSpy clicks(&button, &QAbstractButton::clicked);
    QTest::mousePress(&button, Qt::RightButton);
    QCOMPARE(button.icon().cacheKey(), withLongPressImage ? longPressed.cacheKey() : normal.cacheKey());
    QCOMPARE(rightClicks.count(), 0);
    QTest::mouseRelease(&button, Qt::RightButton);
    QCOMPARE(rightClicks.count(), 1);
    QCOMPARE(button.icon().cacheKey(), normal.cacheKey());
    QCOMPARE(clicks.count(), 0);
}

void TestTouchWidgets::animatedButton_hiddenWhileHeld_stopsLongPresses()
{
    QWidget page;
    auto *button = new AnimatedButton(&page);
    const QIcon normal = solidIcon(Qt::blue);
    button->setIcons(normal, solidIcon(Qt::green), solidIcon(Qt::red));
    button->setGeometry(0, 0, 80, 80);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));

    QSignalSpy longPresses(button, &AnimatedButton::longpressed);
    QTest::mousePress(button, Qt::LeftButton);
    // The screen switches page under the finger; the release never comes.
    button->hide();
    QVERIFY(TestSupport::waitPastTimersOf(AnimatedButton::LongPressInterval));
    QCOMPARE(longPresses.count(), 0);
    QCOMPARE(button->icon().cacheKey(), normal.cacheKey());
}

// ---------------------------------------------------------------------------
// BurgerMenu and BurgerButton

void TestTouchWidgets::burgerMenu_toggle_data()
{
    QTest::addColumn<bool>("animated");
    QTest::addColumn<bool>("expand");
    QTest::newRow("collapse, not animated: 48 at once") << false << false;
    QTest::newRow("collapse, animated over 250 ms") << true << false;
    QTest::newRow("expand, not animated: 248 at once") << false << true;
    QTest::newRow("expand, animated over 250 ms") << true << true;
}

void TestTouchWidgets::burgerMenu_toggle()
{
    QFETCH(bool, animated);
    QFETCH(bool, expand);

    BurgerMenu menu;
    menu.addMenuAction(QStringLiteral("Schedule"));
    menu.show();
    QVERIFY(QTest::qWaitForWindowExposed(&menu));
    QCOMPARE(menu.width(), 48);
    QCOMPARE(menu.menuWidth(), 200);
    QVERIFY(menu.animated());
    if (!expand) {
        menu.setAnimated(false);
        menu.setExpanded(true);
        QCOMPARE(menu.width(), 248);
    }
    menu.setAnimated(animated);

    QSignalSpy expandedChanged(&menu, &BurgerMenu::expandedChanged);
    WidthRecorder recorder(&menu);
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(menu.burgerButton(), Qt::LeftButton);
    QCOMPARE(expandedChanged.count(), 1);
    QCOMPARE(expandedChanged.first().first().toBool(), expand);
    QCOMPARE(menu.expanded(), expand);

    const int target = expand ? 248 : 48;
    if (!animated) {
        QCOMPARE(menu.width(), target);
        QVERIFY(!menu.findChild<QPropertyAnimation *>());
        return;
    }
    auto *animation = menu.findChild<QPropertyAnimation *>();
    QVERIFY(animation);
    QCOMPARE(animation->duration(), 250);
    QCOMPARE(animation->propertyName(), QByteArray("minimumWidth"));
    QCOMPARE(animation->easingCurve().type(), expand ? QEasingCurve::OutCubic : QEasingCurve::InCubic);
    QVERIFY(menu.width() != target);

    QTRY_COMPARE(menu.width(), target);
    QVERIFY2(clock.elapsed() >= 200, qPrintable(QString::number(clock.elapsed())));
    const bool passedBetween = std::any_of(recorder.widths.cbegin(), recorder.widths.cend(),
                                           [](int width) { return width > 48 && width < 248; });
    QVERIFY2(passedBetween, "the width jumped instead of animating");
    // Deleted when it stops, and the width stays fixed afterwards.
    QTRY_VERIFY(!menu.findChild<QPropertyAnimation *>());
    QCOMPARE(menu.minimumWidth(), target);
    QCOMPARE(menu.maximumWidth(), target);
}

void TestTouchWidgets::burgerMenu_actions_buttonsInOrderAndExclusive()
{
    BurgerMenu menu;
    menu.setAnimated(false);
    QSignalSpy triggered(&menu, &BurgerMenu::triggered);
    QAction *schedule = menu.addMenuAction(solidIcon(Qt::red), QStringLiteral("Schedule"));
    QAction *devices = menu.addMenuAction(solidIcon(Qt::green), QStringLiteral("Devices"));
    QCOMPARE(schedule->objectName(), QStringLiteral("actionSchedule"));
    QCOMPARE(devices->objectName(), QStringLiteral("actionDevices"));
    QVERIFY(schedule->isCheckable());
    QCOMPARE(menu.menuActions(), (QList<QAction *>{schedule, devices}));

    menu.setExpanded(true);
    menu.resize(menu.width(), 400);
    menu.show();
    QVERIFY(QTest::qWaitForWindowExposed(&menu));

    BurgerButton *first = menu.buttonOf(schedule);
    BurgerButton *second = menu.buttonOf(devices);
    QVERIFY(first && second);
    QCOMPARE(first->objectName(), QStringLiteral("BurgerButton"));
    QCOMPARE(first->height(), 48);
    // Below the toggle, in the order they were added, above the stretch.
    QVERIFY(first->y() >= menu.burgerButton()->geometry().bottom());
    QVERIFY(second->y() > first->y());
    QVERIFY(second->geometry().bottom() < 300);

    QTest::mouseClick(second, Qt::LeftButton);
    QCOMPARE(triggered.count(), 1);
    QCOMPARE(triggered.last().first().value<QAction *>(), devices);
    QVERIFY(devices->isChecked());
    QVERIFY(second->isChecked());

    QTest::mouseClick(first, Qt::LeftButton);
    QVERIFY(schedule->isChecked());
    QVERIFY(!devices->isChecked());
    QVERIFY(!second->isChecked());

    // Tapping the page already shown keeps it checked and reports it again.
    QTest::mouseClick(first, Qt::LeftButton);
    QCOMPARE(triggered.count(), 3);
    QCOMPARE(triggered.last().first().value<QAction *>(), schedule);
    QVERIFY(schedule->isChecked());
    QVERIFY(first->isChecked());
}

void TestTouchWidgets::burgerMenu_removedOrDestroyedAction_dropsItsButton()
{
    BurgerMenu menu;
    QAction *schedule = menu.addMenuAction(QStringLiteral("Schedule"));
    auto *external = new QAction(QStringLiteral("Results"));
    menu.addMenuAction(external);
    QCOMPARE(menu.findChildren<BurgerButton *>().size(), 2);

    menu.removeMenuAction(schedule);
    QVERIFY(!menu.menuActions().contains(schedule));
    QCOMPARE(menu.findChildren<BurgerButton *>().size(), 1);
    // Put back straight away, it gets a button again.
    menu.addMenuAction(schedule);
    QVERIFY(menu.buttonOf(schedule));
    QCOMPARE(menu.findChildren<BurgerButton *>().size(), 2);
    menu.removeMenuAction(schedule);

    delete external;
    QTRY_COMPARE(menu.findChildren<BurgerButton *>().size(), 0);
    QVERIFY(menu.menuActions().isEmpty());
}

void TestTouchWidgets::burgerMenu_languageChange_relabelsByObjectName()
{
    BurgerMenu menu;
    const QStringList labels{QStringLiteral("Schedule"), QStringLiteral("Devices"), QStringLiteral("Settings"),
                             QStringLiteral("Standalone"), QStringLiteral("Info")};
    QList<QAction *> actions;
    for (const QString &label : labels)
        actions << menu.addMenuAction(label);
    QAction *other = menu.addMenuAction(QStringLiteral("Results"));
    menu.show();

    DutchMenuTranslator dutch;
    QVERIFY(QCoreApplication::installTranslator(&dutch));
    const QStringList expected{QStringLiteral("Schema"), QStringLiteral("Apparaten"), QStringLiteral("Instellingen"),
                               QStringLiteral("Zelfstandig"), QStringLiteral("Over")};
    QTRY_COMPARE(actions.first()->text(), expected.first());
    for (int i = 0; i < actions.size(); ++i)
        QCOMPARE(actions.at(i)->text(), expected.at(i));
    QCOMPARE(other->text(), QStringLiteral("Results"));
    // The object names stay English, so the window still knows each page.
    QCOMPARE(actions.first()->objectName(), QStringLiteral("actionSchedule"));

    QCoreApplication::removeTranslator(&dutch);
    QTRY_COMPARE(actions.first()->text(), labels.first());
    for (int i = 0; i < actions.size(); ++i)
        QCOMPARE(actions.at(i)->text(), labels.at(i));
}

void TestTouchWidgets::burgerMenu_showHideByLabel_ignoresCase()
{
    BurgerMenu menu;
    QAction *schedule = menu.addMenuAction(QStringLiteral("Schedule"));
    QAction *standalone = menu.addMenuAction(QStringLiteral("Standalone"));
    menu.show();
    QVERIFY(QTest::qWaitForWindowExposed(&menu));

    menu.setMenuActionVisible(QStringLiteral("STANDALONE"), false);
    QVERIFY(!menu.buttonOf(standalone)->isVisible());
    QVERIFY(menu.buttonOf(schedule)->isVisible());
    menu.setMenuActionVisible(QStringLiteral("standalone"), true);
    QVERIFY(menu.buttonOf(standalone)->isVisible());
}

void TestTouchWidgets::burgerMenu_iconSizeAndMenuWidth_resizeEverything()
{
    BurgerMenu menu;
    menu.setAnimated(false);
    QAction *schedule = menu.addMenuAction(QStringLiteral("Schedule"));
    QSignalSpy iconSizeChanged(&menu, &BurgerMenu::iconSizeChanged);
    QSignalSpy menuWidthChanged(&menu, &BurgerMenu::menuWidthChanged);

    menu.setIconSize(QSize(64, 64));
    QCOMPARE(iconSizeChanged.count(), 1);
    QCOMPARE(menu.burgerButton()->size(), QSize(64, 64));
    QCOMPARE(menu.buttonOf(schedule)->height(), 64);
    QCOMPARE(menu.buttonOf(schedule)->iconSize(), QSize(64, 64));
    QCOMPARE(menu.width(), 64);

    menu.setExpanded(true);
    QCOMPARE(menu.width(), 64 + 200);
    menu.setMenuWidth(120);
    QCOMPARE(menu.width(), 64 + 120);
    menu.setMenuWidth(120);
    QCOMPARE(menuWidthChanged.count(), 1);

    // A button added later takes the menu's icon size.
    QAction *info = menu.addMenuAction(QStringLiteral("Info"));
    QCOMPARE(menu.buttonOf(info)->height(), 64);
}

void TestTouchWidgets::burgerButton_checkedAction_paintsCheckedStyle()
{
    QWidget window;
    window.setStyleSheet(QStringLiteral("#BurgerButton { background-color: rgb(15, 62, 106); border: none; }"
                                        "#BurgerButton:checked { background-color: rgb(0, 92, 156); }"));
    auto *menu = new BurgerMenu(&window);
    menu->setAnimated(false);
    QAction *schedule = menu->addMenuAction(QStringLiteral("Schedule"));
    QAction *devices = menu->addMenuAction(QStringLiteral("Devices"));
    menu->setExpanded(true);
    window.resize(300, 300);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    schedule->trigger();
    const auto colourAtRightEdge = [menu](QAction *action) {
        BurgerButton *button = menu->buttonOf(action);
        const QImage image = button->grab().toImage();
        return image.pixelColor(image.width() - 3, image.height() / 2);
    };
    QCOMPARE(colourAtRightEdge(schedule), QColor(0, 92, 156));
    QCOMPARE(colourAtRightEdge(devices), QColor(15, 62, 106));
    devices->trigger();
    QCOMPARE(colourAtRightEdge(schedule), QColor(15, 62, 106));
    QCOMPARE(colourAtRightEdge(devices), QColor(0, 92, 156));
}

// ---------------------------------------------------------------------------
// ClickableLabel, IconStretchButton

void TestTouchWidgets::clickableLabel_everyPress_emitsClicked()
{
    ClickableLabel label(QStringLiteral("Unposted results: 3"));
    label.show();
    QVERIFY(QTest::qWaitForWindowExposed(&label));
    QSignalSpy clicked(&label, &ClickableLabel::clicked);
    QTest::mousePress(&label, Qt::LeftButton);
    QCOMPARE(clicked.count(), 1);
    QTest::mouseRelease(&label, Qt::LeftButton);
    QTest::mousePress(&label, Qt::RightButton);
    QCOMPARE(clicked.count(), 2);
}

void TestTouchWidgets::iconStretchButton_imageFillsButton()
{
    QPixmap image(40, 20);
    image.fill(QColor(200, 30, 30));
    IconStretchButton button;
    button.setFlat(true);
    button.setImage(image);
    QCOMPARE(button.sizeHint(), QSize(40, 20));

    button.resize(200, 100);
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    const QImage shot = button.grab().toImage();
    for (const QPoint &point : {QPoint(2, 2), QPoint(197, 97), QPoint(100, 50), QPoint(190, 10)})
        QCOMPARE(shot.pixelColor(point), QColor(200, 30, 30));

    QPixmap other(10, 10);
    other.fill(QColor(30, 200, 30));
    button.setImage(other);
    QCOMPARE(button.sizeHint(), QSize(10, 10));
    QCOMPARE(button.grab().toImage().pixelColor(150, 80), QColor(30, 200, 30));
}

// ---------------------------------------------------------------------------
// LocaleIndepententQDoubleSpinBox

void TestTouchWidgets::spinBox_typing_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("expected");
    const QLocale dutch(QLocale::Dutch, QLocale::Netherlands);
    const QLocale german(QLocale::German, QLocale::Germany);
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("decimal comma locale, 1 comma 5") << dutch << QStringLiteral("1,5") << 1.5;
    QTest::newRow("decimal comma locale, 1 point 5") << dutch << QStringLiteral("1.5") << 1.5;
    QTest::newRow("German locale, 2 comma 05") << german << QStringLiteral("2,05") << 2.05;
    QTest::newRow("decimal point locale, 1 comma 5") << english << QStringLiteral("1,5") << 1.5;
    QTest::newRow("decimal point locale, 7 point 25") << english << QStringLiteral("7.25") << 7.25;
}

void TestTouchWidgets::spinBox_typing()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, typed);
    QFETCH(double, expected);

    QLocale::setDefault(locale);
    LocaleIndepententQDoubleSpinBox box;
    QCOMPARE(box.locale().decimalPoint(), QStringLiteral("."));
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    box.findChild<QLineEdit *>()->selectAll();
    QTest::keyClicks(&box, typed);
    QCOMPARE(box.value(), expected);
    QTest::keyClick(&box, Qt::Key_Enter);
    QCOMPARE(box.value(), expected);
    QCOMPARE(box.text(), QString::number(expected, 'f', 2));
}

void TestTouchWidgets::spinBox_focus_selectsWholeText()
{
    QWidget window;
    auto *other = new QLineEdit(&window);
    auto *box = new LocaleIndepententQDoubleSpinBox(&window);
    other->setGeometry(0, 0, 100, 30);
    box->setGeometry(0, 40, 100, 30);
    box->setValue(12.34);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    other->setFocus();
    QVERIFY(!box->hasFocus());

    // A tap in the middle of the text.
    QTest::mouseClick(box->findChild<QLineEdit *>(), Qt::LeftButton, {}, QPoint(10, 15));
    QTRY_VERIFY(box->hasFocus());
    QTRY_COMPARE(box->findChild<QLineEdit *>()->selectedText(), QStringLiteral("12.34"));
    // So the judge types over the old value.
    QTest::keyClicks(box, QStringLiteral("3,5"));
    QCOMPARE(box->value(), 3.5);
}

STADIONIX_TEST_MAIN(TestTouchWidgets)
#include "tst_touchwidgets.moc"
