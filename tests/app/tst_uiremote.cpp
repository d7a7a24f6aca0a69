#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSortFilterProxyModel>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QStringListModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QThread>
#include <QVBoxLayout>
#include <QtTest>

#include <atomic>
#include <optional>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include "app/animatedbutton.h"
#include "app/uiremote.h"
#include "support/testsupport.h"
#include "support/uiremoteclient.h"

namespace {

QString uniqueServerName()
{
    static int serial = 0;
    return QStringLiteral("stadionix-tst-uiremote-%1-%2").arg(QCoreApplication::applicationPid()).arg(++serial);
}

QJsonValue jsonValue(const QByteArray &text)
{
    return QJsonDocument::fromJson("[" + text + "]").array().at(0);
}

QIcon solidIcon(const QColor &colour)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

// Runs the client on a thread of its own, the way the end-to-end test runs it in a process of its own: a dialog's
// exec() on the GUI thread then blocks the program, not the test script.
class RemoteDriver
{
public:
    explicit RemoteDriver(const QString &serverName)
    {
        m_thread.start();
        m_context.moveToThread(&m_thread);
        m_connected = run([serverName](UiRemoteClient &client) { return client.connectToServer(serverName, 5000); });
    }

    ~RemoteDriver()
    {
        run([this](UiRemoteClient &) {
            m_client.reset();
            return true;
        });
        m_thread.quit();
        m_thread.wait();
    }

    bool isConnected() const { return m_connected; }
    // A script that ended with a dialog still open; the driver closed it so the test could go on.
    bool leftModalOpen() const { return m_leftModalOpen; }

    template <typename Script> auto run(Script script) -> decltype(script(std::declval<UiRemoteClient &>()))
    {
        using Result = decltype(script(std::declval<UiRemoteClient &>()));
        std::optional<Result> result;
        std::atomic_bool done = false;
        QMetaObject::invokeMethod(
            &m_context,
            [&] {
                if (!m_client)
                    m_client = std::make_unique<UiRemoteClient>();
                result = script(*m_client);
                done = true;
            },
            Qt::QueuedConnection);
        QTimer watchdog;
        watchdog.setInterval(100);
        QObject::connect(&watchdog, &QTimer::timeout, [&] {
            if (!done)
                return;
            if (QWidget *modal = QApplication::activeModalWidget()) {
                m_leftModalOpen = true;
                if (auto *dialog = qobject_cast<QDialog *>(modal))
                    dialog->reject();
                else
                    modal->close();
            }
        });
        watchdog.start();
        if (!QTest::qWaitFor([&] { return done.load(); }, 60000))
            qFatal("a remote-control script did not finish within a minute");
        return *result;
    }

private:
    QThread m_thread;
    QObject m_context;
    std::unique_ptr<UiRemoteClient> m_client;
    bool m_connected = false;
    bool m_leftModalOpen = false;
};

// A small stand-in for the program's screens.
struct Screen
{
    QWidget window;
    QPushButton *plain = nullptr;
    AnimatedButton *key = nullptr;
    QPushButton *hidden = nullptr;
    QPushButton *disabled = nullptr;
    QLineEdit *note = nullptr;
    QLineEdit *search = nullptr;
    QListView *events = nullptr;
    QStringListModel eventNames;
    QSortFilterProxyModel eventProxy;
    QTableView *results = nullptr;
    QStandardItemModel resultModel{3, 2};
    QLabel *unposted = nullptr;
    QLabel *answer = nullptr;
    QLabel *colour = nullptr;
    QSpinBox *participants = nullptr;
    QScrollArea *scroller = nullptr;
    QPushButton *deepButton = nullptr;
    QPushButton *covered = nullptr;
    QLabel *overlay = nullptr;

    Screen()
    {
        window.setObjectName(QStringLiteral("winMain"));
        window.resize(700, 900);
        auto *layout = new QVBoxLayout(&window);
        const auto button = [&](const QString &name, const QString &text) {
            auto *b = new QPushButton(text, &window);
            b->setObjectName(name);
            layout->addWidget(b);
            return b;
        };
        plain = button(QStringLiteral("btnPlain"), QStringLiteral("Plain"));
        key = new AnimatedButton(&window);
        key->setObjectName(QStringLiteral("btnKey"));
        key->setIcons(solidIcon(Qt::blue), solidIcon(Qt::green), solidIcon(Qt::red));
        layout->addWidget(key);
        hidden = button(QStringLiteral("btnHidden"), QStringLiteral("Hidden"));
        hidden->hide();
        disabled = button(QStringLiteral("btnDisabled"), QStringLiteral("Disabled"));
        disabled->setEnabled(false);
        // A hidden namesake of btnPlain: the visible one must win.
        auto *twin = new QPushButton(&window);
        twin->setObjectName(QStringLiteral("btnPlain"));
        twin->hide();

        note = new QLineEdit(&window);
        note->setObjectName(QStringLiteral("txtNote"));
        layout->addWidget(note);
        search = new QLineEdit(&window);
        search->setObjectName(QStringLiteral("txtSearch"));
        layout->addWidget(search);

        QStringList names{QStringLiteral("Long Jump"),  QStringLiteral("Shot Put"),    QStringLiteral("High Jump"),
                          QStringLiteral("Pole Vault"), QStringLiteral("Triple Jump"), QStringLiteral("Zeta Relay")};
        for (int heat = 1; heat <= 40; ++heat)
            names.append(QStringLiteral("Heat %1").arg(heat, 2, 10, QLatin1Char('0')));
        eventNames.setStringList(names);
        eventProxy.setSourceModel(&eventNames);
        eventProxy.setFilterCaseSensitivity(Qt::CaseInsensitive);
        eventProxy.sort(0);
        events = new QListView(&window);
        events->setObjectName(QStringLiteral("lstEvents"));
        events->setModel(&eventProxy);
        events->setEditTriggers(QAbstractItemView::NoEditTriggers);
        events->setFixedHeight(90);
        layout->addWidget(events);
        QObject::connect(search, &QLineEdit::textChanged, &eventProxy, &QSortFilterProxyModel::setFilterFixedString);

        for (int row = 0; row < 3; ++row) {
            for (int column = 0; column < 2; ++column)
                resultModel.setItem(row, column, new QStandardItem(QStringLiteral("r%1c%2").arg(row).arg(column)));
        }
        results = new QTableView(&window);
        results->setObjectName(QStringLiteral("tblResults"));
        results->setModel(&resultModel);
        results->setEditTriggers(QAbstractItemView::NoEditTriggers);
        layout->addWidget(results);

        unposted = new QLabel(QStringLiteral("Unposted results: 0"), &window);
        unposted->setObjectName(QStringLiteral("lblUnconfirmedActions"));
        unposted->setProperty("code", QStringLiteral("LJ-M"));
        layout->addWidget(unposted);
        answer = new QLabel(&window);
        answer->setObjectName(QStringLiteral("lblAnswer"));
        layout->addWidget(answer);
        colour = new QLabel(&window);
        colour->setObjectName(QStringLiteral("lblColour"));
        colour->setAutoFillBackground(true);
        QPalette palette = colour->palette();
        palette.setColor(QPalette::Window, Qt::red);
        colour->setPalette(palette);
        colour->setFixedSize(40, 30);
        layout->addWidget(colour);
        participants = new QSpinBox(&window);
        participants->setObjectName(QStringLiteral("spnNumberOfParticipants"));
        participants->setRange(0, 99);
        layout->addWidget(participants);

        // A button far down a scroll area, and one hidden under a label a finger would hit instead.
        scroller = new QScrollArea(&window);
        scroller->setFixedHeight(60);
        auto *long_ = new QWidget;
        long_->setFixedSize(200, 800);
        deepButton = new QPushButton(QStringLiteral("Deep"), long_);
        deepButton->setObjectName(QStringLiteral("btnDeep"));
        deepButton->setGeometry(10, 700, 100, 40);
        scroller->setWidget(long_);
        layout->addWidget(scroller);
        auto *stack = new QWidget(&window);
        stack->setFixedSize(200, 40);
        covered = new QPushButton(QStringLiteral("Covered"), stack);
        covered->setObjectName(QStringLiteral("btnCovered"));
        covered->setGeometry(0, 0, 200, 40);
        overlay = new QLabel(QStringLiteral("overlay"), stack);
        overlay->setObjectName(QStringLiteral("lblOverlay"));
        overlay->setGeometry(0, 0, 200, 40);
        overlay->raise();
        layout->addWidget(stack);

        auto *action = new QAction(QStringLiteral("Settings"), &window);
        action->setObjectName(QStringLiteral("actSettings"));

        QObject::connect(
            button(QStringLiteral("btnQuestion"), QStringLiteral("Question")), &QPushButton::clicked, &window, [this] {
                const auto reply =
                    QMessageBox::question(&window, QStringLiteral("Discard"), QStringLiteral("Discard the attempt?"));
                answer->setText(reply == QMessageBox::Yes ? QStringLiteral("yes") : QStringLiteral("no"));
            });
        QObject::connect(
            button(QStringLiteral("btnCustomBox"), QStringLiteral("Custom")), &QPushButton::clicked, &window, [this] {
                QMessageBox box(QMessageBox::Warning, QStringLiteral("Unposted results"),
                                QStringLiteral("3 results are not posted"), QMessageBox::Cancel, &window);
                QAbstractButton *discard =
                    box.addButton(QStringLiteral("Discard &results"), QMessageBox::DestructiveRole);
                box.exec();
                answer->setText(box.clickedButton() == discard ? QStringLiteral("discarded") : QStringLiteral("kept"));
            });
        QObject::connect(button(QStringLiteral("btnDialog"), QStringLiteral("Dialog")), &QPushButton::clicked, &window,
                         [this] { openLaneDialog(); });
    }

    void openLaneDialog()
    {
        QDialog dialog(&window);
        dialog.setObjectName(QStringLiteral("dlgLane"));
        dialog.setWindowTitle(QStringLiteral("Lane"));
        auto *layout = new QVBoxLayout(&dialog);
        auto *lane = new QLineEdit(&dialog);
        lane->setObjectName(QStringLiteral("txtLane"));
        layout->addWidget(lane);
        auto *log = new QLabel(&dialog);
        log->setObjectName(QStringLiteral("lblDialogLog"));
        layout->addWidget(log);
        // Same name as a button of the main window: while the dialog is up, the dialog's is meant.
        auto *inner = new QPushButton(QStringLiteral("Plain"), &dialog);
        inner->setObjectName(QStringLiteral("btnPlain"));
        inner->setAutoDefault(false);
        QObject::connect(inner, &QPushButton::clicked, log, [log] { log->setText(log->text() + QLatin1Char('+')); });
        layout->addWidget(inner);
        auto *select = new QPushButton(QStringLiteral("Select"), &dialog);
        select->setObjectName(QStringLiteral("btnSelect"));
        select->setDefault(true);
        QObject::connect(select, &QPushButton::clicked, &dialog, &QDialog::accept);
        layout->addWidget(select);
        auto *box = new QDialogButtonBox(QDialogButtonBox::Cancel, &dialog);
        QObject::connect(box, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
        layout->addWidget(box);
        const int result = dialog.exec();
        answer->setText(result == QDialog::Accepted ? QStringLiteral("selected:") + lane->text()
                                                    : QStringLiteral("cancelled"));
    }
};

QJsonObject command(const char *name, std::initializer_list<QPair<QString, QJsonValue>> fields = {})
{
    QJsonObject object{{QStringLiteral("cmd"), QString::fromLatin1(name)}};
    for (const auto &field : fields)
        object.insert(field.first, field.second);
    return object;
}

} // namespace

class TestUiRemote : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startFromEnvironment_data();
    void startFromEnvironment();
    void serverName_alreadyTaken_data();
    void serverName_alreadyTaken();

    void click_data();
    void click();
    void click_reachesWhatAFingerWould();
    void refused_data();
    void refused();
    void protocol_lines();

    void messageBox_data();
    void messageBox();
    void dialog_data();
    void dialog();

    void clickItem_data();
    void clickItem();
    void clickItem_picksFromAComboBoxsList();
    void clickCell_data();
    void clickCell();
    void modelRows_followTheFilterTypedIntoTheSearchField();

    void typeAndKeys_data();
    void typeAndKeys();
    void getAndSet_data();
    void getAndSet();
    void grab_data();
    void grab();
    void grab_neverWritesOutsideItsFolder_data();
    void grab_neverWritesOutsideItsFolder();
    void widgets_listsNamedVisibleWidgets();
    void wait_letsTheProgramRun();
    void quit_closesAllWindows();

private:
    std::unique_ptr<Screen> m_screen;
    std::unique_ptr<QTemporaryDir> m_pictures;
    std::unique_ptr<UiRemote> m_remote;
    std::unique_ptr<RemoteDriver> m_driver;
    QString m_serverName;
};

void TestUiRemote::initTestCase()
{
    QLoggingCategory::setFilterRules(QStringLiteral("stadionix.remote.info=false\nstadionix.remote.debug=false"));
}

void TestUiRemote::init()
{
    TestSupport::failOnUnexpectedWarnings();
    m_screen = std::make_unique<Screen>();
    m_screen->window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m_screen->window));
    m_screen->window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&m_screen->window));
    m_serverName = uniqueServerName();
    m_pictures = std::make_unique<QTemporaryDir>();
    QVERIFY(m_pictures->isValid());
    m_remote = std::make_unique<UiRemote>(m_serverName, m_pictures->path());
    QVERIFY(m_remote->isListening());
    m_driver = std::make_unique<RemoteDriver>(m_serverName);
    QVERIFY(m_driver->isConnected());
}

void TestUiRemote::cleanup()
{
    const bool leftModalOpen = m_driver && m_driver->leftModalOpen();
    m_driver.reset();
    m_remote.reset();
    m_pictures.reset();
    m_screen.reset();
    QVERIFY2(!leftModalOpen, "the script left a modal dialog open");
}

// ---------------------------------------------------------------------------
// Switching on

void TestUiRemote::startFromEnvironment_data()
{
    QTest::addColumn<QString>("variable");
    QTest::addColumn<bool>("listens");
    QTest::newRow("unset") << QString() << false;
    QTest::newRow("empty") << QString(QLatin1String("")) << false;
    QTest::newRow("blank") << QStringLiteral("   ") << false;
    QTest::newRow("bare name: temporary folder") << QStringLiteral("NAME") << true;
    QTest::newRow("socket path") << QStringLiteral("PATH") << true;
}

void TestUiRemote::startFromEnvironment()
{
    QFETCH(QString, variable);
    QFETCH(bool, listens);

    const QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString name = uniqueServerName();
    const QString expectedPath = variable == QLatin1String("PATH") ? folder.filePath(QStringLiteral("remote.sock"))
                                                                   : QDir::tempPath() + QLatin1Char('/') + name;
    if (variable == QLatin1String("NAME"))
        variable = name;
    else if (variable == QLatin1String("PATH"))
        variable = expectedPath;
    const QByteArray saved = qgetenv(UiRemote::EnvironmentVariable);
    const bool wasSet = qEnvironmentVariableIsSet(UiRemote::EnvironmentVariable);
    if (variable.isNull())
        qunsetenv(UiRemote::EnvironmentVariable);
    else
        qputenv(UiRemote::EnvironmentVariable, variable.toUtf8());
    QObject owner;
    UiRemote *remote = UiRemote::startFromEnvironment(&owner);
    if (wasSet)
        qputenv(UiRemote::EnvironmentVariable, saved);
    else
        qunsetenv(UiRemote::EnvironmentVariable);

    QCOMPARE(remote != nullptr, listens);
    QCOMPARE(QFileInfo::exists(expectedPath), listens);
    if (!listens)
        return;
    QCOMPARE(remote->parent(), &owner);
    QVERIFY(remote->isListening());
    QCOMPARE(remote->fullServerName(), expectedPath);
    RemoteDriver driver(variable);
    QVERIFY(driver.isConnected());
    const QJsonValue text = driver.run(
        [](UiRemoteClient &c) { return c.get(QStringLiteral("lblUnconfirmedActions"), QStringLiteral("text")); });
    QCOMPARE(text.toString(), QStringLiteral("Unposted results: 0"));
}

void TestUiRemote::serverName_alreadyTaken_data()
{
    QTest::addColumn<bool>("live");
    QTest::newRow("another program listens: left alone") << true;
    QTest::newRow("dead socket of a crashed run: replaced") << false;
}

void TestUiRemote::serverName_alreadyTaken()
{
    QFETCH(bool, live);

    const QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("taken.sock"));
    QLocalServer other;
    if (live) {
        QVERIFY(other.listen(path));
    } else {
        // A socket file nobody listens on, as a killed program leaves it.
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        QVERIFY(fd >= 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray encoded = QFile::encodeName(path);
        QVERIFY(size_t(encoded.size()) < sizeof(address.sun_path));
        memcpy(address.sun_path, encoded.constData(), size_t(encoded.size()));
        QCOMPARE(::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof(address)), 0);
        ::close(fd);
        QVERIFY(QFileInfo::exists(path));
    }

    if (live)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("cannot listen.*another program")));
    UiRemote remote(path);
    QCOMPARE(remote.isListening(), !live);
    if (live) {
        QVERIFY(remote.errorString().contains(QLatin1String("another program")));
        // The other program still gets its clients.
        QLocalSocket client;
        client.connectToServer(path);
        QVERIFY(client.waitForConnected(1000));
        QVERIFY(other.waitForNewConnection(1000));
    } else {
        RemoteDriver driver(path);
        QVERIFY(driver.isConnected());
    }
}

// ---------------------------------------------------------------------------
// Taps

void TestUiRemote::click_data()
{
    QTest::addColumn<QString>("object");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("hold");
    QTest::addColumn<bool>("doubleTap");
    QTest::addColumn<int>("clicks");
    QTest::addColumn<int>("longPresses");
    QTest::addColumn<int>("rightClicks");

    QTest::newRow("tap") << "btnKey"
                         << "left" << 0 << false << 1 << 0 << 0;
    QTest::newRow("right button") << "btnKey"
                                  << "right" << 0 << false << 0 << 0 << 1;
    QTest::newRow("held 1.4 s: one long press") << "btnKey"
                                                << "left" << 1400 << false << 1 << 1 << 0;
    QTest::newRow("held 2.5 s: two long presses") << "btnKey"
                                                  << "left" << 2500 << false << 1 << 2 << 0;
    QTest::newRow("double tap: two clicks") << "btnKey"
                                            << "left" << 0 << true << 2 << 0 << 0;
}

void TestUiRemote::click()
{
    QFETCH(QString, object);
    QFETCH(QString, button);
    QFETCH(int, hold);
    QFETCH(bool, doubleTap);
    QFETCH(int, clicks);
    QFETCH(int, longPresses);
    QFETCH(int, rightClicks);

    AnimatedButton *key = m_screen->key;
    QSignalSpy clicked(key, &QAbstractButton::clicked);
    QSignalSpy longPressed(key, &AnimatedButton::longpressed);
    QSignalSpy rightClicked(key, &AnimatedButton::rightclicked);
    QElapsedTimer clock;
    qint64 pressedAt = -1;
    qint64 releasedAt = -1;
    connect(key, &QAbstractButton::pressed, this, [&] {
        if (pressedAt < 0)
            pressedAt = clock.elapsed();
    });
    connect(key, &QAbstractButton::released, this, [&] { releasedAt = clock.elapsed(); });
    clock.start();

    const QJsonObject reply = m_driver->run([&](UiRemoteClient &c) {
        return c.send(command("click", {{QStringLiteral("object"), object},
                                        {QStringLiteral("button"), button},
                                        {QStringLiteral("hold"), hold},
                                        {QStringLiteral("double"), doubleTap}}),
                      UiRemoteClient::DefaultTimeout + hold);
    });
    QVERIFY2(reply.value(QStringLiteral("ok")).toBool(), qPrintable(reply.value(QStringLiteral("error")).toString()));
    // The answer comes once the finger is up again.
    QCOMPARE(clicked.count(), clicks);
    QCOMPARE(longPressed.count(), longPresses);
    QCOMPARE(rightClicked.count(), rightClicks);
    QVERIFY(!key->isDown());
    if (button == QLatin1String("left")) {
        QVERIFY(pressedAt >= 0);
        QVERIFY2(releasedAt - pressedAt >= hold, qPrintable(QStringLiteral("held %1 ms").arg(releasedAt - pressedAt)));
    }
    // Clicks reach only the named button.
    QCOMPARE(m_screen->plain->isDown(), false);
}

void TestUiRemote::click_reachesWhatAFingerWould()
{
    QSignalSpy deepClicks(m_screen->deepButton, &QAbstractButton::clicked);
    QSignalSpy coveredClicks(m_screen->covered, &QAbstractButton::clicked);
    QVERIFY(m_screen->deepButton->visibleRegion().isEmpty());

    const auto replies = m_driver->run([](UiRemoteClient &c) {
        return QList<QJsonObject>{c.send(command("click", {{QStringLiteral("object"), QStringLiteral("btnDeep")}})),
                                  c.send(command("click", {{QStringLiteral("object"), QStringLiteral("btnCovered")}}))};
    });
    // Scrolled into sight first, then tapped.
    QVERIFY2(replies.at(0).value(QStringLiteral("ok")).toBool(),
             qPrintable(replies.at(0)[QStringLiteral("error")].toString()));
    QCOMPARE(deepClicks.count(), 1);
    QVERIFY(m_screen->scroller->verticalScrollBar()->value() > 0);
    // The label on top takes the tap, and the answer says so.
    QVERIFY(replies.at(1).value(QStringLiteral("ok")).toBool());
    QCOMPARE(replies.at(1).value(QStringLiteral("receiver")).toString(), QStringLiteral("\"lblOverlay\""));
    QCOMPARE(coveredClicks.count(), 0);
    // A tap on a button moves the focus to it, like a click.
    QCOMPARE(QApplication::focusWidget(), m_screen->deepButton);
}

void TestUiRemote::refused_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QString>("error");

    QTest::newRow("unknown object") << QByteArray(R"({"cmd":"click","object":"btnNothing"})")
                                    << "no widget named \"btnNothing\"";
    QTest::newRow("object missing") << QByteArray(R"({"cmd":"click"})") << "\"object\" is missing";
    QTest::newRow("scope without it") << QByteArray(R"({"cmd":"click","object":"btnPlain","parent":"dlgLane"})")
                                      << "no widget named \"btnPlain\" inside \"dlgLane\"";
    QTest::newRow("hidden") << QByteArray(R"({"cmd":"click","object":"btnHidden"})") << "is not visible";
    QTest::newRow("disabled") << QByteArray(R"({"cmd":"click","object":"btnDisabled"})") << "is disabled";
    QTest::newRow("unknown command") << QByteArray(R"({"cmd":"dance"})") << "unknown command \"dance\"";
    QTest::newRow("command missing") << QByteArray(R"({"object":"btnPlain"})") << "\"cmd\" is missing";
    QTest::newRow("unknown button") << QByteArray(R"({"cmd":"click","object":"btnPlain","button":"fourth"})")
                                    << "unknown button";
    QTest::newRow("negative hold") << QByteArray(R"({"cmd":"click","object":"btnPlain","hold":-5})")
                                   << "\"hold\" must be";
    QTest::newRow("endless wait") << QByteArray(R"({"cmd":"wait","ms":1e9})") << "\"ms\" must be";
    QTest::newRow("unknown property") << QByteArray(R"({"cmd":"get","object":"btnPlain","property":"colour"})")
                                      << "has no property \"colour\"";
    QTest::newRow("set: new property") << QByteArray(
                                              R"({"cmd":"set","object":"btnPlain","property":"colour","value":1})")
                                       << "has no property \"colour\"";
    QTest::newRow("set: read-only")
        << QByteArray(R"({"cmd":"set","object":"lblAnswer","property":"hasSelectedText","value":true})")
        << "is read-only";
    QTest::newRow("set: wrong type")
        << QByteArray(R"({"cmd":"set","object":"spnNumberOfParticipants","property":"value","value":"many"})")
        << "cannot be turned into a int";
    QTest::newRow("set: hidden") << QByteArray(R"({"cmd":"set","object":"btnHidden","property":"text","value":"x"})")
                                 << "is not visible";
    QTest::newRow("set: disabled") << QByteArray(
                                          R"({"cmd":"set","object":"btnDisabled","property":"text","value":"x"})")
                                   << "is disabled";
    QTest::newRow("set: no such enum key")
        << QByteArray(R"({"cmd":"set","object":"lblAnswer","property":"textFormat","value":"Html"})")
        << "is not a value of TextFormat";
    QTest::newRow("item: text nowhere") << QByteArray(R"({"cmd":"clickItem","object":"lstEvents","text":"Hammer"})")
                                        << "no row of \"lstEvents\" shows \"Hammer\" in column 0";
    QTest::newRow("item: not a view") << QByteArray(R"({"cmd":"clickItem","object":"btnPlain","text":"x"})")
                                      << "is not an item view";
    QTest::newRow("cell: row out of range")
        << QByteArray(R"({"cmd":"clickCell","object":"tblResults","row":3,"column":0})") << "has no row 3";
    QTest::newRow("cell: column out of range")
        << QByteArray(R"({"cmd":"clickCell","object":"tblResults","row":0,"column":2})") << "has no column 2";
    QTest::newRow("answer: no dialog") << QByteArray(R"({"cmd":"answer","button":"Yes"})") << "no modal dialog is open";
    QTest::newRow("unknown key") << QByteArray(R"({"cmd":"key","object":"txtNote","key":"Hyperspace"})")
                                 << "unknown key";
    QTest::newRow("grab: elsewhere") << QByteArray(R"({"cmd":"grab","object":"lblColour","file":"/proc/no/such.png"})")
                                     << "is outside the folder for pictures";
    QTest::newRow("grab: climbing out") << QByteArray(R"({"cmd":"grab","file":"shots/../../escape.png"})")
                                        << "is outside the folder for pictures";
    QTest::newRow("rows: no such column")
        << QByteArray(R"({"cmd":"modelRows","object":"lstEvents","column":5})") << "has no column 5";
}

void TestUiRemote::refused()
{
    QFETCH(QByteArray, request);
    QFETCH(QString, error);

    QSignalSpy plainClicks(m_screen->plain, &QAbstractButton::clicked);
    QSignalSpy disabledClicks(m_screen->disabled, &QAbstractButton::clicked);
    QSignalSpy hiddenClicks(m_screen->hidden, &QAbstractButton::clicked);
    const QString disabledText = m_screen->disabled->text();
    const QString hiddenText = m_screen->hidden->text();
    QJsonObject requestObject = QJsonDocument::fromJson(request).object();
    requestObject.insert(QStringLiteral("id"), QStringLiteral("r-1"));
    const QJsonObject reply = m_driver->run([&](UiRemoteClient &c) { return c.send(requestObject); });

    QCOMPARE(reply.value(QStringLiteral("ok")), QJsonValue(false));
    QVERIFY2(reply.value(QStringLiteral("error")).toString().contains(error),
             qPrintable(reply.value(QStringLiteral("error")).toString()));
    QCOMPARE(reply.value(QStringLiteral("id")).toString(), QStringLiteral("r-1"));
    QVERIFY(!reply.contains(QStringLiteral("transport")));
    QCOMPARE(plainClicks.count(), 0);
    QCOMPARE(disabledClicks.count(), 0);
    QCOMPARE(hiddenClicks.count(), 0);
    QCOMPARE(m_screen->participants->value(), 0);
    QCOMPARE(m_screen->disabled->text(), disabledText);
    QCOMPARE(m_screen->hidden->text(), hiddenText);
    QCOMPARE(QDir(QFileInfo(m_pictures->path()).absolutePath()).entryList({QStringLiteral("escape.png")}),
             QStringList());
}

void TestUiRemote::protocol_lines()
{
    const auto replies = m_driver->run([](UiRemoteClient &c) {
        QList<QJsonObject> seen;
        seen.append(c.sendRaw("{not json"));
        seen.append(c.sendRaw("[1, 2]"));
        // Two commands in one write: the second waits until the finger of the first is up.
        seen.append(c.sendRaw(R"({"id":7,"cmd":"click","object":"btnKey","hold":300})"
                              "\n"
                              R"({"id":8,"cmd":"get","object":"btnKey","property":"down"})"));
        // A blank line is no command; the next answer is the one still owed.
        seen.append(c.sendRaw("   "));
        seen.append(c.send(command("get", {{QStringLiteral("object"), QStringLiteral("lblAnswer")},
                                           {QStringLiteral("property"), QStringLiteral("text")}})));
        return seen;
    });
    QCOMPARE(replies.size(), 5);
    QCOMPARE(replies.at(0).value(QStringLiteral("ok")), QJsonValue(false));
    QVERIFY(replies.at(0).value(QStringLiteral("error")).toString().startsWith(QLatin1String("bad command")));
    QVERIFY(!replies.at(0).contains(QStringLiteral("id")));
    QVERIFY(replies.at(1).value(QStringLiteral("error")).toString().contains(QLatin1String("not a JSON object")));
    QCOMPARE(replies.at(2).value(QStringLiteral("id")), QJsonValue(7));
    QCOMPARE(replies.at(2).value(QStringLiteral("ok")), QJsonValue(true));
    QCOMPARE(replies.at(3).value(QStringLiteral("id")), QJsonValue(8));
    QCOMPARE(replies.at(3).value(QStringLiteral("value")), QJsonValue(false));
    QCOMPARE(replies.at(4).value(QStringLiteral("ok")), QJsonValue(true));
}

// ---------------------------------------------------------------------------
// Modal dialogs

void TestUiRemote::messageBox_data()
{
    QTest::addColumn<QString>("opener");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("buttons");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("result");

    const QStringList yesNo{QStringLiteral("Yes"), QStringLiteral("No")};
    const QStringList custom{QStringLiteral("Cancel"), QStringLiteral("Discard results")};
    QTest::newRow("question: Yes") << "btnQuestion"
                                   << "Discard" << yesNo << "Yes"
                                   << "yes";
    QTest::newRow("question: lower case") << "btnQuestion"
                                          << "Discard" << yesNo << "no"
                                          << "no";
    QTest::newRow("question: with mnemonic") << "btnQuestion"
                                             << "Discard" << yesNo << "&Yes"
                                             << "yes";
    QTest::newRow("question: by role") << "btnQuestion"
                                       << "Discard" << yesNo << "NoRole"
                                       << "no";
    QTest::newRow("custom: by text") << "btnCustomBox"
                                     << "Unposted results" << custom << "discard results"
                                     << "discarded";
    QTest::newRow("custom: by role") << "btnCustomBox"
                                     << "Unposted results" << custom << "DestructiveRole"
                                     << "discarded";
    QTest::newRow("custom: standard button") << "btnCustomBox"
                                             << "Unposted results" << custom << "Cancel"
                                             << "kept";
}

void TestUiRemote::messageBox()
{
    QFETCH(QString, opener);
    QFETCH(QString, title);
    QFETCH(QStringList, buttons);
    QFETCH(QString, answer);
    QFETCH(QString, result);

    QSignalSpy plainClicks(m_screen->plain, &QAbstractButton::clicked);
    struct Seen
    {
        QJsonObject click, modal, labelWhileOpen, blockedClick, wrongAnswer, answer, after;
        QString result;
    };
    const Seen seen = m_driver->run([&](UiRemoteClient &c) {
        Seen s;
        // The tap ends in exec(); its answer must still come, from inside the dialog's event loop.
        s.click = c.send(command("click", {{QStringLiteral("object"), opener}}));
        s.modal = c.modal();
        s.labelWhileOpen = c.send(command("get", {{QStringLiteral("object"), QStringLiteral("lblUnconfirmedActions")},
                                                  {QStringLiteral("property"), QStringLiteral("text")}}));
        s.blockedClick = c.send(command("click", {{QStringLiteral("object"), QStringLiteral("btnPlain")}}));
        s.wrongAnswer = c.send(command("answer", {{QStringLiteral("button"), QStringLiteral("Maybe")}}));
        s.answer = c.send(command("answer", {{QStringLiteral("button"), answer}}));
        c.waitForNoModal(5000);
        s.after = c.modal();
        s.result = c.get(QStringLiteral("lblAnswer"), QStringLiteral("text")).toString();
        return s;
    });

    QVERIFY2(seen.click.value(QStringLiteral("ok")).toBool(),
             qPrintable(seen.click[QStringLiteral("error")].toString()));
    QCOMPARE(seen.click.value(QStringLiteral("modal"))[QStringLiteral("className")].toString(),
             QStringLiteral("QMessageBox"));
    QCOMPARE(seen.modal.value(QStringLiteral("open")), QJsonValue(true));
    QCOMPARE(seen.modal.value(QStringLiteral("className")).toString(), QStringLiteral("QMessageBox"));
    QCOMPARE(seen.modal.value(QStringLiteral("windowTitle")).toString(), title);
    QVERIFY(!seen.modal.value(QStringLiteral("text")).toString().isEmpty());
    QStringList offered;
    for (const QJsonValue &button : seen.modal.value(QStringLiteral("buttons")).toArray())
        offered.append(button[QStringLiteral("text")].toString());
    offered.sort();
    buttons.sort();
    QCOMPARE(offered, buttons);

    QCOMPARE(seen.labelWhileOpen.value(QStringLiteral("value")).toString(), QStringLiteral("Unposted results: 0"));
    QCOMPARE(seen.blockedClick.value(QStringLiteral("ok")), QJsonValue(false));
    QVERIFY2(seen.blockedClick.value(QStringLiteral("error"))
                 .toString()
                 .contains(QLatin1String("blocked by the modal dialog")),
             qPrintable(seen.blockedClick.value(QStringLiteral("error")).toString()));
    QCOMPARE(plainClicks.count(), 0);
    QVERIFY(seen.wrongAnswer.value(QStringLiteral("error")).toString().contains(QLatin1String("it offers:")));

    QVERIFY2(seen.answer.value(QStringLiteral("ok")).toBool(),
             qPrintable(seen.answer[QStringLiteral("error")].toString()));
    QCOMPARE(seen.after.value(QStringLiteral("open")), QJsonValue(false));
    QCOMPARE(seen.result, result);
    QCOMPARE(m_screen->answer->text(), result);
}

void TestUiRemote::dialog_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("result");
    QTest::newRow("its own button") << "object:btnSelect"
                                    << "selected:5+";
    QTest::newRow("Return presses the default button") << "key:txtLane:Return"
                                                       << "selected:5+";
    QTest::newRow("button box Cancel") << "button:Cancel"
                                       << "cancelled";
    QTest::newRow("Escape at the focus") << "key::Escape"
                                         << "cancelled";
}

void TestUiRemote::dialog()
{
    QFETCH(QString, how);
    QFETCH(QString, result);

    QSignalSpy mainPlainClicks(m_screen->plain, &QAbstractButton::clicked);
    const QStringList parts = how.split(QLatin1Char(':'));
    const auto replies = m_driver->run([&](UiRemoteClient &c) {
        QList<QJsonObject> seen;
        seen.append(c.send(command("click", {{QStringLiteral("object"), QStringLiteral("btnDialog")}})));
        seen.append(c.send(command("type", {{QStringLiteral("object"), QStringLiteral("txtLane")},
                                            {QStringLiteral("text"), QStringLiteral("5")}})));
        // The dialog's btnPlain, not the main window's: the open dialog is what the official looks at.
        seen.append(c.send(command("click", {{QStringLiteral("object"), QStringLiteral("btnPlain")}})));
        seen.append(c.send(command("get", {{QStringLiteral("object"), QStringLiteral("lblDialogLog")},
                                           {QStringLiteral("property"), QStringLiteral("text")}})));
        // Typing into the dialog's field changes the field in the dialog.
        seen.append(c.send(command("type", {{QStringLiteral("object"), QStringLiteral("txtLane")},
                                            {QStringLiteral("text"), QStringLiteral("+")}})));
        if (parts.at(0) == QLatin1String("object")) {
            seen.append(c.send(command("answer", {{QStringLiteral("object"), parts.at(1)}})));
        } else if (parts.at(0) == QLatin1String("button")) {
            seen.append(c.send(command("answer", {{QStringLiteral("button"), parts.at(1)}})));
        } else {
            QJsonObject key = command("key", {{QStringLiteral("key"), parts.at(2)}});
            if (!parts.at(1).isEmpty())
                key.insert(QStringLiteral("object"), parts.at(1));
            seen.append(c.send(key));
        }
        c.waitForNoModal(5000);
        seen.append(c.send(command("get", {{QStringLiteral("object"), QStringLiteral("lblAnswer")},
                                           {QStringLiteral("property"), QStringLiteral("text")}})));
        return seen;
    });

    for (const QJsonObject &reply : replies)
        QVERIFY2(reply.value(QStringLiteral("ok")).toBool(),
                 qPrintable(reply.value(QStringLiteral("error")).toString()));
    QCOMPARE(replies.at(0).value(QStringLiteral("modal"))[QStringLiteral("objectName")].toString(),
             QStringLiteral("dlgLane"));
    QCOMPARE(replies.at(3).value(QStringLiteral("value")).toString(), QStringLiteral("+"));
    QCOMPARE(mainPlainClicks.count(), 0);
    QCOMPARE(replies.last().value(QStringLiteral("value")).toString(), result);
}

// ---------------------------------------------------------------------------
// Item views

void TestUiRemote::clickItem_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QString>("current");
    QTest::addColumn<int>("clicks");
    QTest::addColumn<int>("doubleClicks");

    QTest::newRow("double tap by part of the text, any case")
        << QByteArray(R"({"cmd":"clickItem","object":"lstEvents","text":"long j","double":true})") << "Long Jump" << 1
        << 1;
    QTest::newRow("far down: scrolled to first")
        << QByteArray(R"({"cmd":"clickItem","object":"lstEvents","text":"Zeta"})") << "Zeta Relay" << 1 << 0;
    QTest::newRow("row as the sorted view shows it")
        << QByteArray(R"({"cmd":"clickItem","object":"lstEvents","row":41})") << "Long Jump" << 1 << 0;
}

void TestUiRemote::clickItem()
{
    QFETCH(QByteArray, request);
    QFETCH(QString, current);
    QFETCH(int, clicks);
    QFETCH(int, doubleClicks);

    QListView *view = m_screen->events;
    QSignalSpy clicked(view, &QAbstractItemView::clicked);
    QSignalSpy doubleClicked(view, &QAbstractItemView::doubleClicked);
    const QJsonObject reply =
        m_driver->run([&](UiRemoteClient &c) { return c.send(QJsonDocument::fromJson(request).object()); });

    QVERIFY2(reply.value(QStringLiteral("ok")).toBool(), qPrintable(reply.value(QStringLiteral("error")).toString()));
    QCOMPARE(reply.value(QStringLiteral("text")).toString(), current);
    QCOMPARE(reply.value(QStringLiteral("row")).toInt(), view->currentIndex().row());
    QCOMPARE(view->currentIndex().data().toString(), current);
    QCOMPARE(clicked.count(), clicks);
    QCOMPARE(doubleClicked.count(), doubleClicks);
    if (doubleClicks > 0)
        QCOMPARE(doubleClicked.first().first().value<QModelIndex>().data().toString(), current);
    QVERIFY(view->viewport()->rect().intersects(view->visualRect(view->currentIndex())));
}

// A combo box's rows are those of its list: a tap opens it, a second tap
// (held past a double click's time, which the list waits out) picks a row,
// as the official's own choice.
void TestUiRemote::clickItem_picksFromAComboBoxsList()
{
    auto *combo = new QComboBox(&m_screen->window);
    combo->setObjectName(QStringLiteral("cmbPorts"));
    combo->addItems({QStringLiteral("None"), QStringLiteral("/dev/ttyS0"), QStringLiteral("6/1/123")});
    combo->move(0, 0);
    combo->show();
    QSignalSpy activated(combo, &QComboBox::activated);
    const auto [rows, error] = m_driver->run([](UiRemoteClient &c) {
        const QStringList listed = c.modelRows(QStringLiteral("cmbPorts"));
        QString problem;
        if (!c.click(QStringLiteral("cmbPorts")))
            problem = c.lastError();
        const QJsonObject reply = c.send({{"cmd", "clickItem"},
                                          {"object", "cmbPorts"},
                                          {"text", "6/1/"},
                                          {"hold", 2 * qApp->doubleClickInterval()}});
        if (!reply.value(QStringLiteral("ok")).toBool())
            problem += reply.value(QStringLiteral("error")).toString();
        return std::pair{listed, problem};
    });
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(rows, (QStringList{"None", "/dev/ttyS0", "6/1/123"}));
    QCOMPARE(activated.count(), 1);
    QCOMPARE(activated.first().first().toInt(), 2);
    QCOMPARE(combo->currentText(), QStringLiteral("6/1/123"));
    QTRY_VERIFY(!combo->view()->isVisible());
    delete combo;
}

void TestUiRemote::clickCell_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("doubleTap");
    QTest::newRow("second column") << 2 << 1 << false;
    QTest::newRow("double tap") << 1 << 0 << true;
}

void TestUiRemote::clickCell()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(bool, doubleTap);

    QSignalSpy doubleClicked(m_screen->results, &QAbstractItemView::doubleClicked);
    const bool ok = m_driver->run(
        [&](UiRemoteClient &c) { return c.clickCell(QStringLiteral("tblResults"), row, column, doubleTap); });
    QVERIFY(ok);
    QCOMPARE(m_screen->results->currentIndex().row(), row);
    QCOMPARE(m_screen->results->currentIndex().column(), column);
    QCOMPARE(doubleClicked.count(), doubleTap ? 1 : 0);
}

void TestUiRemote::modelRows_followTheFilterTypedIntoTheSearchField()
{
    const auto [before, after, clicked, error] = m_driver->run([](UiRemoteClient &c) {
        const QStringList first = c.modelRows(QStringLiteral("lstEvents"));
        c.type(QStringLiteral("txtSearch"), QStringLiteral("JUMP"));
        const QStringList filtered = c.modelRows(QStringLiteral("lstEvents"));
        const bool ok = c.doubleClickItem(QStringLiteral("lstEvents"), QStringLiteral("triple"));
        return std::make_tuple(first, filtered, ok, c.lastError());
    });
    QCOMPARE(before.size(), 46);
    QCOMPARE(before.first(), QStringLiteral("Heat 01"));
    QCOMPARE(before.last(), QStringLiteral("Zeta Relay"));
    QCOMPARE(after,
             (QStringList{QStringLiteral("High Jump"), QStringLiteral("Long Jump"), QStringLiteral("Triple Jump")}));
    QVERIFY2(clicked, qPrintable(error));
    QCOMPARE(m_screen->events->currentIndex().data().toString(), QStringLiteral("Triple Jump"));
}

// ---------------------------------------------------------------------------
// Keys, properties, screenshots

void TestUiRemote::typeAndKeys_data()
{
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("returns");

    QTest::newRow("letters, digits, accents, spaces") << QStringList{"type:Hello Wörld 5;+"} << "Hello Wörld 5;+" << 0;
    QTest::newRow("Backspace") << QStringList{"type:abc", "key:Backspace"} << "ab" << 0;
    QTest::newRow("Left, then typing") << QStringList{"type:ac", "key:Left", "type:b"} << "abc" << 0;
    QTest::newRow("Home, Delete") << QStringList{"type:xab", "key:Home", "key:Delete"} << "ab" << 0;
    QTest::newRow("Ctrl+A replaces") << QStringList{"type:old", "key:Ctrl+A", "type:new"} << "new" << 0;
    QTest::newRow("Return") << QStringList{"type:7", "key:Return"} << "7" << 1;
    QTest::newRow("a single character as a key") << QStringList{"key:q", "key:Q"} << "qQ" << 0;
}

void TestUiRemote::typeAndKeys()
{
    QFETCH(QStringList, actions);
    QFETCH(QString, text);
    QFETCH(int, returns);

    QSignalSpy returnPressed(m_screen->note, &QLineEdit::returnPressed);
    const QString error = m_driver->run([&](UiRemoteClient &c) {
        for (const QString &action : actions) {
            const QString kind = action.section(QLatin1Char(':'), 0, 0);
            const QString value = action.section(QLatin1Char(':'), 1);
            const bool ok = kind == QLatin1String("type") ? c.type(QStringLiteral("txtNote"), value)
                                                          : c.key(QStringLiteral("txtNote"), value);
            if (!ok)
                return c.lastError();
        }
        return QString();
    });
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(m_screen->note->text(), text);
    QCOMPARE(returnPressed.count(), returns);
}

void TestUiRemote::getAndSet_data()
{
    QTest::addColumn<QString>("object");
    QTest::addColumn<QString>("property");
    QTest::addColumn<QByteArray>("setTo");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("label text") << "lblUnconfirmedActions"
                                << "text" << QByteArray() << QByteArray(R"("Unposted results: 0")");
    QTest::newRow("dynamic property") << "lblUnconfirmedActions"
                                      << "code" << QByteArray() << QByteArray(R"("LJ-M")");
    QTest::newRow("dynamic property, set") << "lblUnconfirmedActions"
                                           << "code" << QByteArray(R"("HJ-W")") << QByteArray(R"("HJ-W")");
    QTest::newRow("spin box value, set") << "spnNumberOfParticipants"
                                         << "value" << QByteArray("8") << QByteArray("8");
    QTest::newRow("hidden: visible") << "btnHidden"
                                     << "visible" << QByteArray() << QByteArray("false");
    QTest::newRow("shown: visible") << "btnPlain"
                                    << "visible" << QByteArray() << QByteArray("true");
    QTest::newRow("disabled: enabled") << "btnDisabled"
                                       << "enabled" << QByteArray() << QByteArray("false");
    QTest::newRow("enum by key") << "lblAnswer"
                                 << "textFormat" << QByteArray() << QByteArray(R"("AutoText")");
    QTest::newRow("enum, set by key") << "lblAnswer"
                                      << "textFormat" << QByteArray(R"("PlainText")") << QByteArray(R"("PlainText")");
    QTest::newRow("size as an object") << "lblColour"
                                       << "size" << QByteArray() << QByteArray(R"({"width":40,"height":30})");
    QTest::newRow("class name") << "spnNumberOfParticipants"
                                << "className" << QByteArray() << QByteArray(R"("QSpinBox")");
    QTest::newRow("an action, not a widget") << "actSettings"
                                             << "text" << QByteArray() << QByteArray(R"("Settings")");
}

void TestUiRemote::getAndSet()
{
    QFETCH(QString, object);
    QFETCH(QString, property);
    QFETCH(QByteArray, setTo);
    QFETCH(QByteArray, expected);

    QSignalSpy valueChanged(m_screen->participants, &QSpinBox::valueChanged);
    const auto [setOk, value, error] = m_driver->run([&](UiRemoteClient &c) {
        bool ok = true;
        if (!setTo.isEmpty())
            ok = c.set(object, property, jsonValue(setTo));
        const QJsonValue read = c.get(object, property);
        return std::make_tuple(ok, read, c.lastError());
    });
    QVERIFY2(setOk, qPrintable(error));
    QCOMPARE(value, jsonValue(expected));
    if (object == QLatin1String("spnNumberOfParticipants") && !setTo.isEmpty()) {
        // Set like a user would change it: the program hears about it.
        QCOMPARE(m_screen->participants->value(), 8);
        QCOMPARE(valueChanged.count(), 1);
    }
}

void TestUiRemote::grab_data()
{
    QTest::addColumn<QString>("object");
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("absolute");
    QTest::newRow("a widget, named within the folder") << "lblColour"
                                                       << "colour.png" << false;
    QTest::newRow("the active window, into a new folder by its whole path")
        << QString() << "docs/shots/window.png" << true;
}

void TestUiRemote::grab()
{
    QFETCH(QString, object);
    QFETCH(QString, file);
    QFETCH(bool, absolute);

    const QString path = m_pictures->filePath(file);
    const QJsonObject reply = m_driver->run([&](UiRemoteClient &c) {
        QJsonObject request = command("grab", {{QStringLiteral("file"), absolute ? path : file}});
        if (!object.isEmpty())
            request.insert(QStringLiteral("object"), object);
        return c.send(request);
    });
    QVERIFY2(reply.value(QStringLiteral("ok")).toBool(), qPrintable(reply.value(QStringLiteral("error")).toString()));
    QCOMPARE(reply.value(QStringLiteral("file")).toString(), QFileInfo(path).absoluteFilePath());
    const QImage image(path, "PNG");
    QVERIFY(!image.isNull());
    QWidget *grabbed = object.isEmpty() ? &m_screen->window : m_screen->colour;
    QCOMPARE(image.size(), grabbed->size() * grabbed->devicePixelRatio());
    QCOMPARE(reply.value(QStringLiteral("width")).toInt(), image.width());
    if (!object.isEmpty())
        QCOMPARE(image.pixelColor(image.rect().center()), QColor(Qt::red));
}

void TestUiRemote::grab_neverWritesOutsideItsFolder_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("error");
    QTest::newRow("no folder named at the start") << "none"
                                                  << "window.png"
                                                  << "no folder for pictures was named at the start";
    QTest::newRow("a link inside leading out") << "linked folder"
                                               << "out/window.png"
                                               << "is outside the folder for pictures";
    QTest::newRow("a link in place of the picture") << "linked file"
                                                    << "window.png"
                                                    << "is outside the folder for pictures";
}

void TestUiRemote::grab_neverWritesOutsideItsFolder()
{
    QFETCH(QString, layout);
    QFETCH(QString, file);
    QFETCH(QString, error);

    const QTemporaryDir elsewhere;
    QVERIFY(elsewhere.isValid());
    QFile victim(elsewhere.filePath(QStringLiteral("window.png")));
    QVERIFY(victim.open(QIODevice::WriteOnly));
    victim.write("not a picture");
    victim.close();
    if (layout == QLatin1String("linked folder"))
        QVERIFY(QFile::link(elsewhere.path(), m_pictures->filePath(QStringLiteral("out"))));
    else if (layout == QLatin1String("linked file"))
        QVERIFY(QFile::link(victim.fileName(), m_pictures->filePath(QStringLiteral("window.png"))));

    std::unique_ptr<UiRemote> remote;
    std::unique_ptr<RemoteDriver> driver;
    if (layout == QLatin1String("none")) {
        const QString name = uniqueServerName();
        remote = std::make_unique<UiRemote>(name);
        driver = std::make_unique<RemoteDriver>(name);
        QVERIFY(driver->isConnected());
    }
    RemoteDriver *through = driver ? driver.get() : m_driver.get();
    const QJsonObject reply = through->run([&](UiRemoteClient &c) {
        return c.send(command("grab", {{QStringLiteral("file"), file}}));
    });
    QCOMPARE(reply.value(QStringLiteral("ok")), QJsonValue(false));
    QVERIFY2(reply.value(QStringLiteral("error")).toString().contains(error),
             qPrintable(reply.value(QStringLiteral("error")).toString()));
    QVERIFY(victim.open(QIODevice::ReadOnly));
    QCOMPARE(victim.readAll(), QByteArray("not a picture"));
    QCOMPARE(QDir(elsewhere.path()).entryList(QDir::Files), QStringList{QStringLiteral("window.png")});
}

void TestUiRemote::widgets_listsNamedVisibleWidgets()
{
    const auto [visibleOnly, all] = m_driver->run([](UiRemoteClient &c) {
        return std::make_pair(c.send(command("widgets", {{QStringLiteral("class"), QStringLiteral("QPushButton")}})),
                              c.send(command("widgets", {{QStringLiteral("class"), QStringLiteral("QPushButton")},
                                                         {QStringLiteral("all"), true}})));
    });
    const auto names = [](const QJsonObject &reply) {
        QStringList list;
        for (const QJsonValue &entry : reply.value(QStringLiteral("widgets")).toArray())
            list.append(entry[QStringLiteral("object")].toString());
        return list;
    };
    QVERIFY(names(visibleOnly).contains(QStringLiteral("btnKey")));
    QVERIFY(names(visibleOnly).contains(QStringLiteral("btnDisabled")));
    QVERIFY(!names(visibleOnly).contains(QStringLiteral("btnHidden")));
    QVERIFY(!names(visibleOnly).contains(QStringLiteral("lblAnswer")));
    QVERIFY(names(all).contains(QStringLiteral("btnHidden")));
}

void TestUiRemote::wait_letsTheProgramRun()
{
    int ticks = 0;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, this, [&] { ++ticks; });
    ticker.start(20);
    const qint64 elapsed = m_driver->run([](UiRemoteClient &c) {
        QElapsedTimer clock;
        clock.start();
        c.send(command("wait", {{QStringLiteral("ms"), 300}}));
        return clock.elapsed();
    });
    QVERIFY(elapsed >= 300);
    QVERIFY2(ticks >= 5, qPrintable(QString::number(ticks)));
}

void TestUiRemote::quit_closesAllWindows()
{
    const bool quitOnLastWindow = QGuiApplication::quitOnLastWindowClosed();
    QGuiApplication::setQuitOnLastWindowClosed(false);
    QWidget second;
    second.setObjectName(QStringLiteral("winSecond"));
    second.show();
    QVERIFY(QTest::qWaitForWindowExposed(&second));

    const bool ok = m_driver->run([](UiRemoteClient &c) { return c.quit(); });
    QVERIFY(ok);
    QTRY_VERIFY(!m_screen->window.isVisible());
    QTRY_VERIFY(!second.isVisible());
    QGuiApplication::setQuitOnLastWindowClosed(quitOnLastWindow);
}

STADIONIX_TEST_MAIN(TestUiRemote)

#include "tst_uiremote.moc"
