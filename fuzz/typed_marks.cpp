// Marks as a judge types them: keypad keys and keyboard characters go into
// the attempt input, Enter stores what it stands for in a heat of three
// athletes as the field event screen does, and the heat is then ranked and
// shown.
//
// The input is one key per character, as the keypad tests write them: a
// first "V" makes a vertical event (anything else horizontal); digits, ","
// comma, "X" fail, "-" skip, "O" pass, "<" back, "r" retired, "E" Enter,
// "N" next athlete, "A" next attempt, "B" next bar, "J" next jump-off
// attempt, "\"...\"" a measured distance, "[...]" a stored text; any other
// character is typed on the keyboard.
#include "fieldevents/attemptinput.h"
#include "fieldevents/fieldeventprogress.h"
#include "fieldevents/fieldeventranking.h"
#include "fieldevents/heightcolumn.h"
#include "fuzzheat.h"
#include "fuzzsupport.h"
#include "records/participation.h"
#include "records/resultmarks.h"

namespace {

class Screen
{
public:
    explicit Screen(QChar fieldType)
        : m_fieldType(fieldType)
        , m_input(fieldType)
    {
        for (unsigned order = 1; order <= 3; ++order) {
            auto *p = new Participation;
            p->participation_id = 1000 + order;
            p->initial_order = p->working_order = order;
            p->field_type = fieldType;
            m_heat.append(p);
        }
        select();
    }
    ~Screen() { qDeleteAll(m_heat); }

    bool isVertical() const { return m_fieldType == QLatin1Char('V'); }
    AttemptInput &input() { return m_input; }
    const QList<Participation *> &heat() const { return m_heat; }

    void nextAthlete()
    {
        m_row = (m_row + 1) % int(m_heat.size());
        select();
    }
    void nextAttempt()
    {
        m_attempt = m_attempt % 6 + 1;
        select();
    }
    void nextBar()
    {
        m_bar = {m_bar.height + 0.05, 0};
        select();
    }
    void nextJumpOff()
    {
        m_bar.jumpOff += 1;
        select();
    }

    // Enter, as the screen confirms without its dialogs and devices.
    void confirm()
    {
        Participation *p = m_heat.at(m_row);
        if (!isVertical()) {
            if (!m_input.isConfirmable())
                return;
            if (m_input.isChanged())
                dispose(p->setFieldResult(m_attempt, m_input.value(), 0, 0));
        } else {
            if (m_input.isChanged())
                dispose(p->applyAttemptString(m_bar.height, m_input.text(), m_bar.jumpOff));
            if (p->hasJumpOffResults()) {
                p->in_jumpoff = true;
                FieldEventProgress::applyJumpOffOutcome(m_heat, p, m_bar.jumpOff);
            } else if (p->consecutiveFailures() > 2) {
                p->out_of_competition = true;
            }
        }
        FieldEventRanking::rankHeat(m_heat, m_fieldType);
        select();
    }

private:
    // Selecting a cell loads what it holds, as the screen does.
    void select()
    {
        const Participation *p = m_heat.at(m_row);
        if (!isVertical())
            m_input.load(p->resultTextOfAttempt(m_attempt));
        else
            m_input.load(m_bar.isJumpOff() ? p->jumpOffMark(m_bar.jumpOff) : p->attemptString(m_bar.height),
                         int(p->consecutiveFailures()));
    }

    // Removed results come back to the caller, who deletes them.
    static void dispose(const QList<ResultChange> &changes)
    {
        for (const ResultChange &change : changes) {
            if (change.result->deleted)
                delete change.result;
        }
    }

    QChar m_fieldType;
    AttemptInput m_input;
    QList<Participation *> m_heat;
    int m_row = 0;
    unsigned m_attempt = 1;
    HeightColumn m_bar{1.5, 0};
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::prepare();
    FuzzInput input(data, size);
    const QChar fieldType = input.byte() == 'V' ? QLatin1Char('V') : QLatin1Char('H');
    Screen screen(fieldType);
    AttemptInput &keys = screen.input();
    while (!input.atEnd()) {
        const char key = char(input.byte());
        switch (key) {
        case ',':
            keys.pressComma();
            break;
        case 'X':
            keys.pressFail();
            break;
        case '-':
            keys.pressSkip();
            break;
        case 'O':
            keys.pressPass();
            break;
        case '<':
            keys.pressBack();
            break;
        case 'r':
            keys.pressRetired();
            break;
        case 'E':
            screen.confirm();
            break;
        case 'N':
            screen.nextAthlete();
            break;
        case 'A':
            screen.nextAttempt();
            break;
        case 'B':
            screen.nextBar();
            break;
        case 'J':
            screen.nextJumpOff();
            break;
        case '"':
            keys.replaceText(QString::fromUtf8(input.bytesUntil('"', 64)));
            break;
        case '[':
            keys.load(QString::fromUtf8(input.bytesUntil(']', 64)));
            break;
        default:
            if (key >= '0' && key <= '9')
                keys.pressDigit(key - '0');
            else
                keys.typeText(QString(QLatin1Char(key)));
            break;
        }
        keys.value();
        keys.isConfirmable();
        keys.isDistance();
    }
    FuzzHeat::use(screen.heat(), fieldType);

    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    ResultMarks::parseTyped(text);
    ResultMarks::jumpOffNumber(text);
    return 0;
}
