// What keeps a hurried judge from recording a wrong mark for the wrong
// athlete, through the real screen against the stand-in server: taps that
// land on a screen that has just changed, stored marks changed without a
// question, implausible marks, refused keys without a reason, the wind
// dialog, the up-next line, heights, search, languages, the printed sheet
// and a heat the server has not given yet.
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrinterInfo>
#include <QScrollBar>
#include <QToolButton>
#include <QTranslator>
#include <QtTest>

#include "app/clickablelabel.h"
#include "app/tapshield.h"
#include "fieldevents/fieldeventparticipantssortmodel.h"
#include "fieldevents/horizontalfieldeventparticipationviewwithfrozencolumns.h"
#include "fieldeventscreenfixture.h"
#include "support/testsupport.h"

namespace {

// The stand-in of these tests listens here, beside other tests' servers.
const QString Address = QStringLiteral("127.0.19.11");

// A tap where a finger would land: through the window, to whatever widget
// is on top at that point.
void tapAt(QWidget *window, QWidget *target, QPoint local = QPoint())
{
    const QPoint point = target->mapTo(window, local.isNull() ? target->rect().center() : local);
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, point);
}

QModelIndex cellOf(FieldEventScreenFixture &f, Participation *p, int column)
{
    FieldEventParticipantsModel *model = f.screen->gridModel();
    return f.screen->sortModel()->mapFromSource(model->index(model->rowOfParticipation(p->id), column));
}

// Calls an athlete's attempt (or the bar's height) from the grid, as a tap
// on the cell and the call button do.
void callCell(FieldEventScreenFixture &f, Participation *p, int column)
{
    f.screen->onParticipantsViewClicked(cellOf(f, p, column));
    f.click("btnCallParticipant");
}

// Answers a message box with a button and keeps its text.
ModalAnswerer::Handler answerWith(const QString &button, QString *objectName, QString *text)
{
    return [button, objectName, text](QWidget *dialog) {
        *objectName = dialog->objectName();
        if (auto *box = qobject_cast<QMessageBox *>(dialog))
            *text = box->text();
        press(dialog, button);
    };
}

QString athleteText(Participation *p)
{
    return QStringLiteral("%1 %2").arg(p->bib(), p->displayName());
}

} // namespace

class TestFieldEventEntrySafety : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::failOnUnexpectedWarnings(); }
    void cleanup();

    void doubleTapOnEnter_secondTapLandsOnNothing();
    void storedMark_changedOnlyAfterTheQuestion_data();
    void storedMark_changedOnlyAfterTheQuestion();
    void markAboveTheCeiling_asksBeforeAnythingIsStored();
    void refusedEntry_saysWhyInTheInputLine_data();
    void refusedEntry_saysWhyInTheInputLine();
    void retirement_noWind_cancelLeavesItUnmeasured();
    void upNextLine_namesNextAndThen_oneTapCalls();
    void heights_plannedHeightProposed_finishedBarGoesOn();
    void search_ignoresCaseAndAccents_clearButtonEmptiesIt();
    void languageSwitch_attemptColumnsStayInView();
    void print_withoutPrinter_sheetInTheDataFolder();
    void offlineHeat_saysSo_loadsWhenTheServerAnswers();

private:
    QTranslator *m_translator = nullptr;
};

void TestFieldEventEntrySafety::cleanup()
{
    if (m_translator) {
        QCoreApplication::removeTranslator(m_translator);
        delete m_translator;
        m_translator = nullptr;
    }
}

void TestFieldEventEntrySafety::doubleTapOnEnter_secondTapLandsOnNothing()
{
    FieldEventScreenFixture f({971, "H", "", 6, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}}, Address);
    QVERIFY(f.started);
    QVERIFY(QTest::qWaitForWindowExposed(f.screen.get()));
    QVERIFY(QTest::qWaitFor([&] { return f.currentDrawn() == 1; }, 5000));
    f.click("btnCallParticipant");
    f.type("6,10");
    QWidget *enter = f.widget("btnEnter");
    // Where Enter is on the keypad, the grid's rows lie on the overview.
    const QPoint point = enter->mapTo(f.screen.get(), enter->rect().center());
    QWidget *grid = f.screen->findChild<QWidget *>("tblParticipantsView");
    QVERIFY(grid->geometry().contains(grid->parentWidget()->mapFrom(f.screen.get(), point)));

    // The judge has typed for a while: the keypad takes taps.
    QVERIFY(QTest::qWaitFor([&] { return f.screen->acceptsTaps(); }, 2000));
    tapAt(f.screen.get(), enter);
    QCOMPARE(f.drawn(1)->resultTextOfAttempt(1), QStringLiteral("6.10"));
    QCOMPARE(f.screen->currentPage(), int(FieldEventWidget::OverviewPage));
    QCOMPARE(f.currentDrawn(), 2u);
    QVERIFY(!f.screen->acceptsTaps());
    tapAt(f.screen.get(), enter);
    // The second tap changed nothing: the next call is the next athlete's.
    QCOMPARE(f.currentDrawn(), 2u);
    QCOMPARE(f.screen->currentAttempt(), 1u);
    f.click("btnCallParticipant");
    QCOMPARE(f.currentDrawn(), 2u);

    // A moment later taps count again.
    f.click("btnPageBack");
    QVERIFY(QTest::qWaitFor([&] { return f.screen->acceptsTaps(); }, 2000));
    const QRect cell = f.screen->findChild<QTableView *>("tblParticipantsView")->visualRect(cellOf(f, f.drawn(5), 5));
    tapAt(f.screen.get(), f.screen->findChild<QTableView *>("tblParticipantsView")->viewport(), cell.center());
    QCOMPARE(f.currentDrawn(), 5u);
}

void TestFieldEventEntrySafety::storedMark_changedOnlyAfterTheQuestion_data()
{
    QTest::addColumn<QString>("fieldType");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("answer"); // "" no question
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("kept");

    QTest::newRow("a distance over a distance, no") << "H"
                                                    << "6,5"
                                                    << "<<<<6,8"
                                                    << "No"
                                                    << "%1 already has 6.50 in attempt 1.\nReplace it with 6.80?"
                                                    << "6.50";
    QTest::newRow("a distance over a distance, yes") << "H"
                                                     << "6,5"
                                                     << "<<<<6,8"
                                                     << "Yes"
                                                     << "%1 already has 6.50 in attempt 1.\nReplace it with 6.80?"
                                                     << "6.80";
    QTest::newRow("a distance over a retirement") << "H"
                                                  << "r"
                                                  << "5,77"
                                                  << "No"
                                                  << "%1 already has r in attempt 1.\nReplace it with 5.77?"
                                                  << "r";
    QTest::newRow("a skip over a fail") << "H"
                                        << "X"
                                        << "-"
                                        << "Yes"
                                        << "%1 already has X in attempt 1.\nReplace it with -?"
                                        << "-";
    QTest::newRow("removing a mark") << "H"
                                     << "X"
                                     << "<"
                                     << "Yes"
                                     << "%1 already has X in attempt 1.\nRemove it?"
                                     << "";
    QTest::newRow("a new mark in an empty cell") << "H"
                                                 << ""
                                                 << "6,1"
                                                 << ""
                                                 << ""
                                                 << "6.10";
    QTest::newRow("height: a clearance after a fail") << "V"
                                                      << "X"
                                                      << "O"
                                                      << ""
                                                      << ""
                                                      << "X0";
    QTest::newRow("height: a fail before a clearance") << "V"
                                                       << "O"
                                                       << "<XO"
                                                       << "Yes"
                                                       << "%1 already has 0 at 1.55 m.\nReplace it with X0?"
                                                       << "X0";
}

void TestFieldEventEntrySafety::storedMark_changedOnlyAfterTheQuestion()
{
    QFETCH(QString, fieldType);
    QFETCH(QString, stored);
    QFETCH(QString, typed);
    QFETCH(QString, answer);
    QFETCH(QString, question);
    QFETCH(QString, kept);
    const bool vertical = fieldType == "V";
    FieldEventScreenFixture f({972, fieldType, "", 6, {1, 2, 3}}, Address);
    QVERIFY(f.started);
    std::unique_ptr<ModalAnswerer> heights;
    if (vertical)
        heights = std::make_unique<ModalAnswerer>(QList<ModalAnswerer::Handler>{startingHeights(1.55, 1.55)});
    QVERIFY(QTest::qWaitFor([&] { return f.currentDrawn() == 1; }, 8000));
    Participation *first = f.drawn(1);
    const int column = vertical ? f.screen->gridModel()->indexOfHeight(1.55) : 5;
    if (!stored.isEmpty()) {
        f.click("btnCallParticipant");
        f.type(stored);
        ModalAnswerer none({});
        f.click("btnEnter");
        QCOMPARE(none.answered(), 0);
    }

    callCell(f, first, column);
    f.type(typed);
    QString asked;
    QString text;
    ModalAnswerer answerer(answer.isEmpty() ? QList<ModalAnswerer::Handler>{}
                                            : QList<ModalAnswerer::Handler>{answerWith(answer, &asked, &text)});
    f.click("btnEnter");
    QCOMPARE(answerer.answered(), answer.isEmpty() ? 0 : 1);
    if (!answer.isEmpty()) {
        QCOMPARE(asked, QStringLiteral("msgOverwriteMark"));
        QCOMPARE(text, question.arg(athleteText(first)));
    }
    QCOMPARE(vertical ? first->attemptString(1.55) : first->resultTextOfAttempt(1), kept);
    // Said no: the entry waits on the keypad to be put right.
    QCOMPARE(f.screen->currentPage(),
             int(answer == "No" ? FieldEventWidget::InputPage : FieldEventWidget::OverviewPage));
}

void TestFieldEventEntrySafety::markAboveTheCeiling_asksBeforeAnythingIsStored()
{
    FieldEventScreenFixture f({973, "H", "", 6, {1, 2}, "Long Jump"}, Address);
    QVERIFY(f.started);
    QVERIFY(QTest::qWaitFor([&] { return f.currentDrawn() == 1; }, 5000));
    f.click("btnCallParticipant");
    f.type("99,99");
    QString asked;
    QString text;
    ModalAnswerer no({answerWith("No", &asked, &text)});
    f.click("btnEnter");
    QCOMPARE(no.answered(), 1);
    QCOMPARE(asked, QStringLiteral("msgImplausibleMark"));
    QVERIFY2(text.startsWith("Are you sure? 99.99 m for " + athleteText(f.drawn(1))), qPrintable(text));
    QVERIFY(f.drawn(1)->results().isEmpty());
    QCOMPARE(f.screen->currentPage(), int(FieldEventWidget::InputPage));
    QCOMPARE(f.widget<QLabel>("lblResult")->text(), QStringLiteral("99.99"));

    // A real jump is not questioned; one the judge confirms is stored.
    f.type("<<<<<8,9");
    ModalAnswerer none({});
    f.click("btnEnter");
    QCOMPARE(none.answered(), 0);
    QCOMPARE(f.drawn(1)->resultTextOfAttempt(1), QStringLiteral("8.90"));
    f.click("btnCallParticipant");
    f.type("9,99");
    ModalAnswerer yes({answerWith("Yes", &asked, &text)});
    f.click("btnEnter");
    QCOMPARE(yes.answered(), 1);
    QCOMPARE(f.drawn(2)->resultTextOfAttempt(1), QStringLiteral("9.99"));
    QVERIFY(QTest::qWaitFor([&] { return f.connection->pendingActionCount() == 0; }, 5000));
    QCOMPARE(f.serverResults(f.drawn(2)->participation_id).size(), 1);
}

void TestFieldEventEntrySafety::refusedEntry_saysWhyInTheInputLine_data()
{
    QTest::addColumn<QString>("fieldType");
    QTest::addColumn<QString>("keys"); // keypad keys; "E" Enter, "k." the "." key of a keyboard
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("message");
    QTest::newRow("a fourth digit") << "H"
                                    << "7777"
                                    << "777"
                                    << "At most three digits before the decimal point";
    QTest::newRow("a third decimal") << "H"
                                     << "7,455"
                                     << "7.45"
                                     << "At most two decimals";
    QTest::newRow("a second point on the keyboard") << "H"
                                                    << "7,4k."
                                                    << "7.4"
                                                    << "The mark already has a decimal point";
    QTest::newRow("Enter on 0") << "H"
                                << "0E"
                                << "0"
                                << "0 is no mark";
    QTest::newRow("a key taken clears the reason") << "H"
                                                   << "7777<"
                                                   << "77"
                                                   << "";
    QTest::newRow("a digit other than 0 at a height") << "V"
                                                      << "Xk5"
                                                      << "X"
                                                      << "At a height only 0 (cleared), X and - are entered";
    QTest::newRow("0 after a clearance") << "V"
                                         << "Ok0"
                                         << "0"
                                         << "The tries at this height are complete";
}

void TestFieldEventEntrySafety::refusedEntry_saysWhyInTheInputLine()
{
    QFETCH(QString, fieldType);
    QFETCH(QString, keys);
    QFETCH(QString, shown);
    QFETCH(QString, message);
    FieldEventScreenFixture f({974, fieldType, "", 6, {1, 2}}, Address);
    QVERIFY(f.started);
    std::unique_ptr<ModalAnswerer> heights;
    if (fieldType == "V")
        heights = std::make_unique<ModalAnswerer>(QList<ModalAnswerer::Handler>{startingHeights(1.55, 1.55)});
    QVERIFY(QTest::qWaitFor([&] { return f.currentDrawn() == 1; }, 8000));
    f.click("btnCallParticipant");
    for (int i = 0; i < keys.size(); ++i) {
        if (keys.at(i) == 'E') {
            f.click("btnEnter");
        } else if (keys.at(i) == 'k') {
            QTest::keyClick(f.screen.get(), keys.at(++i).toLatin1());
        } else {
            f.type(keys.mid(i, 1));
        }
    }
    QCOMPARE(f.widget<QLabel>("lblResult")->text(), shown);
    QCOMPARE(f.widget<QLabel>("lblInputMessage")->text(), message);
    QVERIFY(f.drawn(1)->results().isEmpty());
}

void TestFieldEventEntrySafety::retirement_noWind_cancelLeavesItUnmeasured()
{
    FieldEventScreenFixture f({975, "H", "I", 6, {1, 2, 3}}, Address);
    QVERIFY(f.started);
    QVERIFY(QTest::qWaitFor([&] { return f.currentDrawn() == 1; }, 5000));
    // A retirement has no wind.
    f.click("btnCallParticipant");
    f.type("r");
    ModalAnswerer none({});
    f.click("btnEnter");
    QCOMPARE(none.answered(), 0);
    QCOMPARE(f.drawn(1)->resultTextOfAttempt(1), QStringLiteral("r"));

    // A distance asks; OK without a wind and a wind of 9 say why, Cancel
    // leaves the wind unmeasured.
    QCOMPARE(f.currentDrawn(), 2u);
    f.click("btnCallParticipant");
    f.type("6,12");
    QStringList reasons;
    ModalAnswerer wind({[&reasons](QWidget *dialog) {
        auto *label = dialog->findChild<QLabel *>("lblWindspeed");
        press(dialog, "btnOK");
        reasons << label->text();
        press(dialog, "btnButton9");
        press(dialog, "btnOK");
        reasons << label->text();
        QVERIFY(dialog->isVisible());
        press(dialog, "btnCancel");
    }});
    f.click("btnEnter");
    QCOMPARE(wind.answered(), 1);
    QCOMPARE(reasons,
             (QStringList{"Type the wind, or Cancel when it was not measured", "Wind must lie between -8 and 8 m/s"}));
    const Result *result = f.drawn(2)->resultOfAttempt(1);
    QVERIFY(result);
    QCOMPARE(result->value, 6.12);
    QCOMPARE(result->wind, 0.0);
    QCOMPARE(f.screen->wind(), -9.0);
    QCOMPARE(f.widget<QLabel>("lblWind")->text(), QStringLiteral("N/A"));
}

void TestFieldEventEntrySafety::upNextLine_namesNextAndThen_oneTapCalls()
{
    FieldEventScreenFixture f({976, "H", "", 6, {56, 57, 58, 60}}, Address);
    QVERIFY(f.started);
    QVERIFY(QTest::qWaitFor([&] { return f.currentDrawn() == 1; }, 5000));
    f.click("btnCallParticipant");
    auto *upNext = f.widget<ClickableLabel>("lblUpNext");
    QVERIFY(upNext->isVisible());
    QCOMPARE(upNext->text(),
             QStringLiteral("Next: %1 · then %2").arg(athleteText(f.drawn(2)), athleteText(f.drawn(3))));

    const auto line = [&f](unsigned next, unsigned then) {
        return QStringLiteral("Next: %1 · then %2").arg(athleteText(f.drawn(next)), athleteText(f.drawn(then)));
    };

    // A mark typed: the tap confirms it and calls the athlete named.
    f.type("6,1");
    QTest::mouseClick(upNext, Qt::LeftButton);
    QCOMPARE(f.drawn(1)->resultTextOfAttempt(1), QStringLiteral("6.10"));
    QCOMPARE(f.currentDrawn(), 2u);
    QCOMPARE(f.screen->currentPage(), int(FieldEventWidget::InputPage));
    QCOMPARE(upNext->text(), line(3, 4));

    // Nothing typed (the athlete is not ready): the tap calls the next one,
    // and the one passed over comes back next.
    QTest::mouseClick(upNext, Qt::LeftButton);
    QCOMPARE(f.currentDrawn(), 3u);
    QVERIFY(f.drawn(2)->results().isEmpty());
    QCOMPARE(upNext->text(), line(2, 4));
    f.type("5,9");
    QTest::mouseClick(upNext, Qt::LeftButton);
    QCOMPARE(f.drawn(3)->resultTextOfAttempt(1), QStringLiteral("5.90"));
    QCOMPARE(f.currentDrawn(), 2u);
    QCOMPARE(upNext->text(), line(4, 1));
}

void TestFieldEventEntrySafety::heights_plannedHeightProposed_finishedBarGoesOn()
{
    FieldEventScreenFixture f({977, "V", "", 3, {11, 12}}, Address);
    QVERIFY(f.started);
    // The second athlete starts at 1.61: that height is planned.
    ModalAnswerer heights({startingHeights(1.55, 1.61)});
    QVERIFY(QTest::qWaitFor([&] { return heights.answered() == 1 && f.currentDrawn() == 1; }, 8000));
    QCOMPARE(f.screen->gridModel()->heightColumns(), (HeightColumns{{1.55, 0}, {1.61, 0}}));

    // 1.55 done: the new height proposed is the planned 1.61; the judge
    // cancels it.
    f.click("btnCallParticipant");
    f.type("O");
    double proposed = 0;
    ModalAnswerer cancel({[&proposed](QWidget *dialog) {
        proposed = dialog->findChild<QDoubleSpinBox *>("spnHeight")->value();
        press(dialog, "btnCancel");
    }});
    f.click("btnEnter");
    QCOMPARE(cancel.answered(), 1);
    QCOMPARE(proposed, 1.61);
    // Calling goes on at 1.61, not at the finished 1.55.
    QCOMPARE(f.screen->currentBar(), (HeightColumn{1.61, 0}));
    ModalAnswerer none({});
    f.click("btnCallParticipant");
    QCOMPARE(none.answered(), 0);
    QCOMPARE(f.currentDrawn(), 1u);
    QCOMPARE(f.screen->gridModel()->currentColumn(), f.screen->gridModel()->indexOfHeight(1.61));

    // 1.61 done by both and nothing planned above: the proposal is cancelled,
    // and the call asks for the next height first.
    f.type("O");
    f.click("btnEnter");
    QCOMPARE(f.currentDrawn(), 2u);
    f.click("btnCallParticipant");
    f.type("O");
    ModalAnswerer cancelAgain({[](QWidget *dialog) { press(dialog, "btnCancel"); }});
    f.click("btnEnter");
    QCOMPARE(cancelAgain.answered(), 1);
    QCOMPARE(f.screen->currentBar(), (HeightColumn{1.61, 0}));
    ModalAnswerer raise({[&proposed](QWidget *dialog) {
        proposed = dialog->findChild<QDoubleSpinBox *>("spnHeight")->value();
        press(dialog, "btnOK");
    }});
    f.click("btnCallParticipant");
    QCOMPARE(raise.answered(), 1);
    QCOMPARE(proposed, 1.66);
    QCOMPARE(f.screen->currentBar(), (HeightColumn{1.66, 0}));
    QCOMPARE(f.screen->currentPage(), int(FieldEventWidget::InputPage));
    QCOMPARE(f.screen->gridModel()->currentColumn(), f.screen->gridModel()->indexOfHeight(1.66));
}

void TestFieldEventEntrySafety::search_ignoresCaseAndAccents_clearButtonEmptiesIt()
{
    // 56 Göril and 60 Noémie Szczęśniak, 57 Sigrún Dąbrowel, 58 Begoña Straßmeier.
    FieldEventScreenFixture f({978, "H", "", 6, {56, 57, 58, 60}}, Address);
    QVERIFY(f.started);
    QVERIFY(QTest::qWaitFor([&] { return f.currentDrawn() == 1; }, 5000));
    auto *search = f.widget<QLineEdit>("txtSearch");
    QVERIFY(search->isClearButtonEnabled());
    const auto shown = [&f] {
        QStringList names;
        for (int row = 0; row < f.screen->sortModel()->rowCount(); ++row)
            names << f.screen->sortModel()->index(row, FieldEventParticipantsModel::BibColumn).data().toString();
        return names;
    };
    const QList<std::pair<QString, QStringList>> searches{
        {"szczesniak", {"156", "160"}}, {"SIGRUN", {"157"}}, {"strassmeier", {"158"}}, {"dabrowel", {"157"}}};
    for (const auto &[typed, bibs] : searches) {
        search->clear();
        QTest::keyClicks(search, typed);
        QCOMPARE(shown(), bibs);
    }
    // The clear button empties the field at once.
    auto *clear = search->findChild<QToolButton *>();
    QVERIFY(clear);
    QTest::mouseClick(clear, Qt::LeftButton);
    QVERIFY(search->text().isEmpty());
    QCOMPARE(shown().size(), 4);
}

void TestFieldEventEntrySafety::languageSwitch_attemptColumnsStayInView()
{
    // The screen opens in Dutch, whose headers are wider ("Startvolgorde").
    m_translator = new QTranslator;
    QVERIFY(m_translator->load(TestSupport::buildDir() + QStringLiteral("/translations/stadionix_nl.qm")));
    QCoreApplication::installTranslator(m_translator);
    FieldEventScreenFixture f({979, "H", "", 6, {1, 2, 3}}, Address);
    QVERIFY(f.started);
    QVERIFY(QTest::qWaitFor([&] { return f.currentDrawn() == 1; }, 5000));
    auto *grid = f.screen->findChild<HorizontalFieldEventParticipationViewWithFrozenColumns *>("tblParticipantsView");
    QHeaderView *header = grid->horizontalHeader();
    FieldEventParticipantsModel *model = f.screen->gridModel();
    const auto fixedWidth = [grid] {
        int width = 0;
        for (int column = 0; column < FieldEventParticipantsModel::FirstAttemptColumn; ++column)
            width += grid->columnWidth(column);
        return width;
    };
    const int dutch = fixedWidth();

    // Switched to English: the fixed columns take the English widths, the
    // frozen part covers exactly them, and the attempts start where it ends.
    QCoreApplication::removeTranslator(m_translator);
    QCoreApplication::processEvents();
    QCOMPARE(f.widget<QLineEdit>("txtSearch")->placeholderText(), QStringLiteral("Search participant..."));
    const QFontMetrics metrics(header->font());
    for (int column = 0; column < FieldEventParticipantsModel::FirstAttemptColumn; ++column) {
        const QString title = model->headerData(column, Qt::Horizontal).toString();
        QCOMPARE(grid->columnWidth(column), model->minimumColumnWidth(column, metrics));
        QVERIFY2(grid->columnWidth(column) >= metrics.horizontalAdvance(title), qPrintable(title));
    }
    QVERIFY(fixedWidth() < dutch);
    QCOMPARE(grid->frozenView()->width(), fixedWidth());
    QCOMPARE(header->sectionViewportPosition(FieldEventParticipantsModel::FirstAttemptColumn), fixedWidth());
}

void TestFieldEventEntrySafety::print_withoutPrinter_sheetInTheDataFolder()
{
    if (!QPrinterInfo::availablePrinters().isEmpty())
        QSKIP("This system has a printer: the print dialog would open.");
    FieldEventScreenFixture f({980, "H", "I", 6, {1, 2, 3}, "Long Jump"}, Address);
    QVERIFY(f.started);
    QVERIFY(QTest::qWaitFor([&] { return f.currentDrawn() == 1; }, 5000));
    QString asked;
    QString text;
    ModalAnswerer saved({answerWith("OK", &asked, &text)});
    f.click("btnPrint");
    QCOMPARE(saved.answered(), 1);
    const QString folder = f.connection->dataFolder();
    const QStringList sheets = QDir(folder).entryList({"*.pdf"}, QDir::Files);
    QCOMPARE(sheets.size(), 1);
    QVERIFY2(sheets.first().startsWith("Long Jump - Final - 1 "), qPrintable(sheets.first()));
    QCOMPARE(text, QStringLiteral("No printer is available; the result sheet was saved as\n%1")
                       .arg(QDir::toNativeSeparators(QDir(folder).filePath(sheets.first()))));
    QFile pdf(QDir(folder).filePath(sheets.first()));
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.read(5) == "%PDF-");
}

void TestFieldEventEntrySafety::offlineHeat_saysSo_loadsWhenTheServerAnswers()
{
    FieldEventScreenFixture f({981, "H", "", 6, {1, 2, 3}}, Address);
    QVERIFY(f.started);
    // The server goes away before it could answer: the heat is not here.
    QVERIFY(f.server().setDown(true));
    auto *message = f.widget<QLabel>("lblHeatMessage");
    QVERIFY(QTest::qWaitFor([&] { return message->isVisible(); }, 5000));
    QCOMPARE(message->text(),
             QStringLiteral("This heat is not on this tablet yet; it loads as soon as the server answers"));
    QVERIFY(f.screen->gridModel()->participations().isEmpty());

    // Back: the heat comes by itself and the message goes.
    QVERIFY(f.server().setDown(false));
    QVERIFY(QTest::qWaitFor([&] { return f.currentDrawn() == 1; }, 5000));
    QVERIFY(!message->isVisible());
    QCOMPARE(f.screen->gridModel()->participations().size(), 3);
}

STADIONIX_TEST_MAIN(TestFieldEventEntrySafety)
#include "tst_fieldevententrysafety.moc"
