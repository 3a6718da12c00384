// SPDX-License-Identifier: GPL-3.0-or-later
// Drives the whole calculator logic with an arbitrary sequence of user actions and checks,
// after every action, the invariants of the calculator state, its element records and its
// history. A violation aborts with the action and the broken rule.
//
// Input: the first byte chooses the starting mode (0 H:M:S-Auto, 1 seconds, 2 H:M:S-Unit);
// every following byte is one action (see Action), some taking the next byte as argument.
#include <QRegularExpression>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

#include "app/app.h"
#include "engine/basic.h"
#include "engine/calculator.h"
#include "engine/messages.h"
#include "panel/keys.h"
#include "panel/panel.h"

using namespace vantoro;

namespace {

QString describe(const QString &s)
{
    return QLatin1Char('"') + s + QLatin1Char('"');
}

[[noreturn]] void fail(const char *action, const QString &rule)
{
    std::fprintf(stderr, "invariant broken after %s: %s\n", action, qUtf8Printable(rule));
    std::abort();
}

// No-op platform, but every message box must carry one of the program's texts; the clock
// is fixed so that a run is repeatable.
class FuzzServices : public Services
{
public:
    const char *action = "start-up";
    void messageBox(const QString &text) override
    {
        if (text != Msg::DivisionByZero && text != Msg::Overflow && text != Msg::PercentOverflow
            && text != Msg::NegativeRoot)
            fail(action, QStringLiteral("unknown message ") + describe(text));
    }
    QDateTime now() override { return QDateTime(QDate(2026, 12, 8), QTime(22, 30, 15)); }
};

// The keyboard codes of the key table, in its order, plus a few that no key has: the
// main-row digit 0, Shift and the main-row full stop.
const std::vector<int> &keyCodes()
{
    static const std::vector<int> codes = [] {
        std::vector<int> v;
        for (const KeyRow &k : keyTable())
            for (int code : k.keyboard)
                if (code != 0)
                    v.push_back(code);
        v.insert(v.end(), {48, 16, 190});
        return v;
    }();
    return codes;
}

// The keys with a button region under a face, in the order of the key table.
const std::vector<KeyId> &mouseKeys()
{
    static const std::vector<KeyId> keys = [] {
        std::vector<KeyId> v;
        for (const KeyRow &k : keyTable())
            if (k.hasFace())
                v.push_back(k.id);
        return v;
    }();
    return keys;
}

// Every byte of the input past the first: an index into keyCodes() (a key pressed and
// released), or, past those, one of these.
enum Action : int {
    KeyDownOnly, // held key: the platform repeats key-down
    KeyUpOnly,
    MouseClick,   // press and release on an enabled button region
    MousePress,   // press only, the release comes later
    MouseRelease, // release of the held button region
    Recall,       // select a line (or none) and double-click it
    TimerTick,
    ClipCopy,
    MouseMove,
    HistoryClose,
    AboutClose,
    MinimiseRestore,
    ActionCount
};

const char *keyName(int code)
{
    static char buf[32];
    std::snprintf(buf, sizeof buf, "key %d", code);
    return buf;
}

bool digitsOrBlanks(const QString &s)
{
    for (QChar ch : s)
        if (ch != QLatin1Char(' ') && !(ch >= QLatin1Char('0') && ch <= QLatin1Char('9')))
            return false;
    return true;
}

// A seconds-mode entry: leading blanks, then a plain number or the exponent form of a small
// one. Neither the text nor its digits are bound to 14: a recalled history value is
// right-aligned in 14 characters and a number converted while half keyed keeps its
// DigitCount, and in both cases the digits keyed afterwards are appended (the display shows
// the last 14 characters); an exponent form is replaced by the next digit or point instead.
// A point keyed first in H:M:S-Auto and then converted leaves KanmaState set with
// DigitCount 0, so zeros keyed next are not leading zeros and are appended without limit. What stays bounded is the
// significant part: one converted or recalled text plus what the digit limit still lets in.
bool isSecondsText(const QString &t)
{
    static const QRegularExpression number(QStringLiteral("^ *0*(\\d*\\.?\\d*)(E-\\d\\d)?$"));
    const auto m = number.match(t);
    return m.hasMatch() && m.capturedLength(1) <= 2 * WidthSec;
}

// An H:M:S entry: its 12-character view holds digits and blanks, with the point at position
// 10 when it has one; whatever stands before the view is blank.
bool isHmsText(const QString &t)
{
    const QString view = Right(Space(WidthHms) + t, WidthHms);
    if (!Left(t, t.size() - WidthHms).trimmed().isEmpty())
        return false;
    if (view.at(9) == QLatin1Char('.'))
        return digitsOrBlanks(view.left(9)) && digitsOrBlanks(view.mid(10));
    return digitsOrBlanks(view);
}

// The part of a history line after its two-character mark, as the recall data describe it.
QString lineTail(const QString &data)
{
    const QString entry = data.mid(2);
    QString n;
    if (data.at(0) == QLatin1Char('S')) {
        n = QStringLiteral("    ") + Right(Space(WidthSec) + entry, WidthSec);
    } else {
        const QString s = Right(Space(WidthHms) + entry, WidthHms);
        n = QLatin1Char(' ') + s.left(5) + QChar(0x00B0) + s.mid(5, 2) + QChar(0x2019) + s.right(5) + QChar(0x201D);
    }
    return (data.at(1) == QLatin1Char('-') ? QLatin1Char('-') : QLatin1Char(' ')) + n;
}

bool isMark(const QString &m)
{
    for (const QString &s : EnzanSym)
        if (Left(s + QStringLiteral("  "), 2) == m)
            return true;
    return false;
}

// The display text of entry i in the current mode.
QString displayOf(const CalcState &st, int i)
{
    if (st.Mode == ModeNo::Seconds || i == 2)
        return Right(Space(WidthSec) + st.Entry[i], WidthSec) + QLatin1Char(' ');
    const QString e = Right(Space(WidthHms) + st.Entry[i], WidthHms);
    return e.left(5) + QChar(0x00B0) + e.mid(5, 2) + QChar(0x2019) + e.right(5) + QChar(0x201D);
}

// The history as last checked.
struct HistorySeen {
    TextRing<HistoryLines> lines;
    TextRing<HistoryLines> data;
};

// The counters and indices of the calculator state within their ranges.
void checkCounters(const CalcState &st, const char *a)
{
    if (st.EntryIdx < 0 || st.EntryIdx > 2)
        fail(a, QStringLiteral("EntryIdx %1").arg(st.EntryIdx));
    if (st.SaveIdx < 0 || st.SaveIdx > 1)
        fail(a, QStringLiteral("SaveIdx %1").arg(st.SaveIdx));
    if (st.EnzanNo < 0 || st.EnzanNo > 5) // 6 and 7 only while percent or root refresh
        fail(a, QStringLiteral("EnzanNo %1").arg(st.EnzanNo));
    if (st.Mode < 0 || st.Mode > 2)
        fail(a, QStringLiteral("Mode %1").arg(st.Mode));
    if (st.Mode == ModeNo::Seconds && st.SaveMode != ModeNo::Auto && st.SaveMode != ModeNo::Unit)
        fail(a, QStringLiteral("SaveMode %1 in seconds mode").arg(st.SaveMode));
    for (int i = 0; i <= 2; ++i)
        if (st.Sign[i] != 1 && st.Sign[i] != -1)
            fail(a, QStringLiteral("Sign(%1) = %2").arg(i).arg(st.Sign[i]));
    if (st.Sign[4] != 0 || st.Entry[4] != HistorySeparatorEntry)
        fail(a, QStringLiteral("the separator entry changed"));
    if (st.DigitCount < 0 || st.KanmaState < 0 || st.KanmaState > 3 || (st.MinusFirst != 0 && st.MinusFirst != 1))
        fail(a, QStringLiteral("DigitCount %1, KanmaState %2, MinusFirst %3")
                    .arg(st.DigitCount)
                    .arg(st.KanmaState)
                    .arg(st.MinusFirst));
    if (st.EntryIdx == 2 && st.Mode != ModeNo::Unit)
        fail(a, QStringLiteral("unit number pending outside H:M:S-Unit"));
}

// The entry texts in the form of the mode.
void checkEntries(const CalcState &st, const char *a)
{
    for (int i = 0; i <= 1; ++i) {
        const QString &e = st.Entry[i];
        const bool ok = st.Mode == ModeNo::Seconds ? isSecondsText(e) : isHmsText(e);
        if (!ok)
            fail(a, QStringLiteral("Entry(%1) = %2 in mode %3").arg(i).arg(describe(e)).arg(st.Mode));
    }
    // The unit buffer holds the digits keyed, after the blanks of a clear entry; a history
    // line recalled while a unit number is pending puts an H:M:S text there, and digits
    // keyed after it are appended: a number text all the same.
    if (st.EntryIdx == 2 && !isSecondsText(st.Entry[2]))
        fail(a, QStringLiteral("unit buffer %1").arg(describe(st.Entry[2])));
}

// At most 41 lines, each in step with its recall data.
void checkHistory(const Calculator &c, const char *a, HistorySeen &seen)
{
    const CalcState &st = c.st;
    const auto &lines = c.history.His_List;
    if (st.HisCount < 0 || st.HisCount > HisMax + 1 || lines.size() != st.HisCount)
        fail(a, QStringLiteral("HisCount %1 with %2 lines").arg(st.HisCount).arg(lines.size()));
    if (c.history.ListIndex < -1 || c.history.ListIndex >= st.HisCount)
        fail(a, QStringLiteral("ListIndex %1 of %2 lines").arg(c.history.ListIndex).arg(st.HisCount));
    // The lines are checked again only when the list or the recall data changed.
    if (lines == seen.lines && st.HisData == seen.data)
        return;
    for (int i = 0; i < st.HisCount; ++i) {
        const QString &d = st.HisData[i];
        const QString &line = lines.at(i);
        if (d.size() < 2 || (d.at(0) != QLatin1Char('S') && d.at(0) != QLatin1Char('H'))
            || (d.at(1) != QLatin1Char(' ') && d.at(1) != QLatin1Char('-')))
            fail(a, QStringLiteral("HisData(%1) = %2").arg(i).arg(describe(d)));
        const QString entry = d.mid(2);
        if (entry == HistorySeparatorEntry) {
            if (line != HistorySeparatorLine || d.at(0) != QLatin1Char('S') || d.at(1) != QLatin1Char(' '))
                fail(a, QStringLiteral("separator line %1 out of step").arg(i));
        } else if (!isMark(line.left(2)) || line.mid(2) != lineTail(d)) {
            fail(a, QStringLiteral("line %1 %2 out of step with %3").arg(i).arg(describe(line), describe(d)));
        } else if (!(d.at(0) == QLatin1Char('S') ? isSecondsText(entry) : isHmsText(entry))) {
            fail(a, QStringLiteral("HisData(%1) = %2 not in the form of its unit").arg(i).arg(describe(d)));
        }
    }
    seen.lines = lines;
    seen.data = st.HisData;
}

// The display: 15 characters of the entry being keyed (or of the first operand while an
// operator waits for the second), unless the clock is shown.
void checkDisplay(const Calculator &c, const char *a)
{
    const CalcState &st = c.st;
    const MainWindowElements &ui = c.ui;
    const bool clock = ui.Timer1.interval == 250;
    if (!ui.Timer1.enabled || (ui.Timer1.interval != 250 && ui.Timer1.interval != 65535) || st.IdleTicks < 0
        || st.IdleTicks > 5)
        fail(a, QStringLiteral("timer %1/%2, IdleTicks %3")
                    .arg(ui.Timer1.enabled)
                    .arg(ui.Timer1.interval)
                    .arg(st.IdleTicks));
    if (clock) {
        if (ui.MODE.caption != QStringLiteral("NOW"))
            fail(a, QStringLiteral("clock shown with mode label %1").arg(describe(ui.MODE.caption)));
        return;
    }
    if (ui.Disp.caption.size() != WidthSec + 1)
        fail(a, QStringLiteral("display %1").arg(describe(ui.Disp.caption)));
    if (ui.Hugou.caption != HugouText[0] && ui.Hugou.caption != HugouText[1])
        fail(a, QStringLiteral("sign label %1").arg(describe(ui.Hugou.caption)));
    if (!std::count(EnzanSym.begin(), EnzanSym.end(), ui.ENZANSI.caption))
        fail(a, QStringLiteral("operator label %1").arg(describe(ui.ENZANSI.caption)));
    const auto shows = [&](int i) {
        return ui.Disp.caption == displayOf(st, i) && ui.Hugou.caption == HugouText[st.Sign[i] == -1 ? 1 : 0];
    };
    if (!shows(st.EntryIdx) && !(st.EntryIdx == 1 && shows(0)))
        fail(a, QStringLiteral("display %1 shows no entry").arg(describe(ui.Disp.caption)));
    if (ui.MODE.caption != ModeCaption[st.Mode])
        fail(a, QStringLiteral("mode label %1 in mode %2").arg(describe(ui.MODE.caption)).arg(st.Mode));
}

// Whether a key must be available now; nullopt where its availability is free. Only
// the Auto/Unit key has a freedom: off in seconds mode and once digits are keyed.
std::optional<bool> expectedAvailable(KeyId key, const CalcState &st)
{
    const bool unit = st.Mode == ModeNo::Unit, seconds = st.Mode == ModeNo::Seconds;
    const bool pending = st.EntryIdx == 2; // a unit number waits for its unit
    switch (key) {
    case KeyId::Hours:
    case KeyId::Minutes:
    case KeyId::Seconds: return unit;
    case KeyId::Point: return !unit;
    case KeyId::Percent:
    case KeyId::Root: return seconds;
    case KeyId::Add:
    case KeyId::Subtract:
    case KeyId::Multiply:
    case KeyId::Divide:
    case KeyId::Equals:
    case KeyId::Convert: return !pending;
    case KeyId::AutoUnit:
        if (seconds || st.DigitCount > 0)
            return false;
        return std::nullopt;
    default: return std::nullopt;
    }
}

// Every key of the key table: available as the keying state says (the button region, and
// for the keys that follow the mode the legend's colour), its face released or pressed, and
// PushKey naming a key of the table.
void checkKeys(const Calculator &c, const char *a)
{
    const CalcState &st = c.st;
    auto &ui = const_cast<MainWindowElements &>(c.ui); // the record accessors take it mutable
    bool pushKnown = st.PushKey == KeyCode::None;
    for (const KeyRow &k : keyTable()) {
        pushKnown = pushKnown || (k.hasFace() && k.pushCode == st.PushKey);
        if (k.hasFace()) {
            const Picture p = k.face.of(ui).picture;
            if (p != k.released && p != k.pressed())
                fail(a, QStringLiteral("face of %1 shows picture %2").arg(QLatin1String(k.spokenName)).arg(int(p)));
        }
        const auto on = expectedAvailable(k.id, st);
        if (!on)
            continue;
        if (k.region.of(ui).enabled != *on)
            fail(a, QStringLiteral("%1 should be %2")
                        .arg(QLatin1String(k.spokenName), *on ? u"available" : u"unavailable"));
        // The legends of the keys that follow the mode are greyed with their region.
        const bool modeKey = k.id == KeyId::Point || k.id == KeyId::Percent || k.id == KeyId::Root
                             || k.id == KeyId::Hours || k.id == KeyId::Minutes || k.id == KeyId::Seconds;
        if (modeKey && k.legend.of(ui).foreColor != (*on ? OnColor : OffColor))
            fail(a, QStringLiteral("legend of %1 in the wrong colour").arg(QLatin1String(k.spokenName)));
    }
    if (!pushKnown)
        fail(a, QStringLiteral("PushKey %1").arg(st.PushKey));
}

void checkInvariants(const Calculator &c, const char *a, HistorySeen &seen)
{
    checkCounters(c.st, a);
    checkEntries(c.st, a);
    checkHistory(c, a, seen);
    checkDisplay(c, a);
    checkKeys(c, a);
}

// With VANTORO_FUZZ_TRACE set, replaying an input prints every action and the state after it.
void printState(const Calculator &c, const char *a)
{
    const CalcState &st = c.st;
    std::fprintf(stderr,
                 "%-28s Mode %d EntryIdx %d EnzanNo %d DigitCount %d Kanma %d Sign %d,%d,%d | %s | %s | %s | [%s]\n", a,
                 st.Mode, st.EntryIdx, st.EnzanNo, st.DigitCount, st.KanmaState, st.Sign[0], st.Sign[1], st.Sign[2],
                 qUtf8Printable(describe(st.Entry[0])), qUtf8Printable(describe(st.Entry[1])),
                 qUtf8Printable(describe(st.Entry[2])), qUtf8Printable(c.ui.Disp.caption));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    FuzzServices sv;
    Calculator c(sv);
    startCalculator(c, data[0] % 3);
    HistorySeen seen;
    static const bool trace = qEnvironmentVariableIsSet("VANTORO_FUZZ_TRACE");
    if (trace)
        printState(c, "start-up");
    checkInvariants(c, "start-up", seen);

    const std::vector<int> &codes = keyCodes();
    const std::vector<KeyId> &mouse = mouseKeys();
    const int codeCount = int(codes.size());
    int heldMouse = -1; // index into mouse of a pressed button region
    size_t pos = 1;
    auto arg = [&]() -> int { return pos < size ? data[pos++] : 0; };
    char what[64];
    while (pos < size) {
        const int byte = data[pos++] % (codeCount + ActionCount);
        if (byte < codeCount) {
            const int code = codes[size_t(byte)];
            std::snprintf(what, sizeof what, "press of %s", keyName(code));
            sv.action = what;
            Form_keydown(c, code);
            Form_KeyUp(c, code);
        } else {
            switch (Action(byte - codeCount)) {
            case KeyDownOnly:
            case KeyUpOnly: {
                const bool down = byte - codeCount == KeyDownOnly;
                const int code = codes[size_t(arg() % codeCount)];
                std::snprintf(what, sizeof what, "%s %s", down ? "key-down" : "key-up", keyName(code));
                sv.action = what;
                if (down)
                    Form_keydown(c, code);
                else
                    Form_KeyUp(c, code);
                break;
            }
            case MouseClick:
            case MousePress: {
                const int k = arg() % int(mouse.size());
                std::snprintf(what, sizeof what, "mouse press on %s", keyRow(mouse[size_t(k)]).spokenName);
                sv.action = what;
                if (heldMouse >= 0 || !keyButton(c, mouse[size_t(k)]).enabled)
                    break; // one button at a time; a disabled region takes no press
                keyMouseDown(c, mouse[size_t(k)]);
                if (byte - codeCount == MouseClick)
                    keyMouseUp(c, mouse[size_t(k)]);
                else
                    heldMouse = k;
                break;
            }
            case MouseRelease:
                sv.action = "mouse release";
                if (heldMouse >= 0)
                    keyMouseUp(c, mouse[size_t(heldMouse)]);
                heldMouse = -1;
                break;
            case Recall:
                sv.action = "history recall";
                c.history.ListIndex = arg() % (c.st.HisCount + 1) - 1;
                His_List_DblClick(c);
                break;
            case TimerTick:
                sv.action = "timer tick";
                timer1_timer(c);
                break;
            case ClipCopy:
                sv.action = "clipboard copy";
                CLIP_COPY_Click(c);
                break;
            case MouseMove:
                sv.action = "mouse move";
                Form_MouseMove(c);
                break;
            case HistoryClose:
                sv.action = "history window closed";
                History_Unload(c);
                break;
            case AboutClose:
                sv.action = "About window closed";
                About_Unload(c);
                break;
            case MinimiseRestore:
                sv.action = "minimise and restore";
                Iconize_Click(c);
                c.ui.minimised = false;
                Form_Resize(c);
                break;
            case ActionCount: break;
            }
        }
        if (trace)
            printState(c, sv.action);
        checkInvariants(c, sv.action, seen);
    }
    return 0;
}
