// SPDX-License-Identifier: GPL-3.0-or-later
#include "panel/keys.h"

#include "app/app.h"
#include "engine/engine.h"
#include "entry/entry.h"
#include "panel/panel.h"

namespace vantoro {

namespace {

#define SINGLE(m) [](MainWindowElements &u, int) -> Element & { return u.m; }
#define ARRAY(m) [](MainWindowElements &u, int i) -> Element & { return u.m[size_t(i)]; }

// The table reads best as rows, one key each, so the layout below is by hand.
// clang-format off
template <int D>
void digitAction(Calculator &c) { key_down(c, D); }
template <int I>
void operatorAction(Calculator &c) { Enzan_Down(c, I); }
template <int U>
void unitAction(Calculator &c) { H_Down(c, U); }

constexpr Picture Narrow = Picture::Key_Off, Wide = Picture::L_Key_Off, NoFace = Picture::None;

template <int D>
constexpr KeyRow digit(const char *spoken, const char *keyboardName)
{
    return {digitKey(D), KeyCode::DigitBase + D, {Vk::Numpad0 + D, 0}, char('0' + D), false, false, Narrow,
            spoken, keyboardName, Qt::Key_0 + D, true,
            {"Key", D, ARRAY(Key)}, {"Tenkey", D, ARRAY(Tenkey)}, {"Key_NumOn", D, ARRAY(Key_NumOn)},
            digitAction<D>};
}

template <int I>
constexpr KeyRow op(int vk, char script, const char *spoken, const char *keyboardName, int qtKey)
{
    return {operatorKey(I), KeyCode::Enzan, {vk, 0}, script, true, false, Narrow, spoken, keyboardName, qtKey, true,
            {"Enzan", I, ARRAY(Enzan)}, {"Enzan_key", I, ARRAY(Enzan_key)}, {"Enzan_Label", I - 1, ARRAY(Enzan_Label)},
            operatorAction<I>};
}

template <int U>
constexpr KeyRow unit(int vk, char script, const char *spoken, const char *keyboardName, int qtKey)
{
    return {unitKey(U), KeyCode::H, {vk, 0}, script, true, false, Narrow, spoken, keyboardName, qtKey, false,
            {"H", U, ARRAY(H)}, {"H_key", U, ARRAY(H_key)}, {"Enzan_Label", 8 + U, ARRAY(Enzan_Label)},
            unitAction<U>};
}

constexpr KeyRow function(KeyId id, int vk, const char *spoken, const char *keyboardName, int qtKey,
                          ElementRef button, void (*action)(Calculator &))
{
    return {id, KeyCode::None, {vk, 0}, 0, false, true, NoFace, spoken, keyboardName, qtKey, false,
            button, {}, {}, action};
}

// In the order of KeyId. Spoken names are English; the window layer translates them.
constexpr std::array<KeyRow, 30> Table{{
    digit<0>(QT_TRANSLATE_NOOP("Key", "Zero"), QT_TRANSLATE_NOOP("Key", "Keypad 0")),
    digit<1>(QT_TRANSLATE_NOOP("Key", "One"), QT_TRANSLATE_NOOP("Key", "Keypad 1")),
    digit<2>(QT_TRANSLATE_NOOP("Key", "Two"), QT_TRANSLATE_NOOP("Key", "Keypad 2")),
    digit<3>(QT_TRANSLATE_NOOP("Key", "Three"), QT_TRANSLATE_NOOP("Key", "Keypad 3")),
    digit<4>(QT_TRANSLATE_NOOP("Key", "Four"), QT_TRANSLATE_NOOP("Key", "Keypad 4")),
    digit<5>(QT_TRANSLATE_NOOP("Key", "Five"), QT_TRANSLATE_NOOP("Key", "Keypad 5")),
    digit<6>(QT_TRANSLATE_NOOP("Key", "Six"), QT_TRANSLATE_NOOP("Key", "Keypad 6")),
    digit<7>(QT_TRANSLATE_NOOP("Key", "Seven"), QT_TRANSLATE_NOOP("Key", "Keypad 7")),
    digit<8>(QT_TRANSLATE_NOOP("Key", "Eight"), QT_TRANSLATE_NOOP("Key", "Keypad 8")),
    digit<9>(QT_TRANSLATE_NOOP("Key", "Nine"), QT_TRANSLATE_NOOP("Key", "Keypad 9")),
    op<1>(Vk::Add, '+', QT_TRANSLATE_NOOP("Key", "Plus"), QT_TRANSLATE_NOOP("Key", "Keypad +"), Qt::Key_Plus),
    op<2>(Vk::Subtract, '-', QT_TRANSLATE_NOOP("Key", "Minus"), QT_TRANSLATE_NOOP("Key", "Keypad -"), Qt::Key_Minus),
    op<3>(Vk::Multiply, '*', QT_TRANSLATE_NOOP("Key", "Times"), QT_TRANSLATE_NOOP("Key", "Keypad *"),
          Qt::Key_Asterisk),
    op<4>(Vk::Divide, '/', QT_TRANSLATE_NOOP("Key", "Divided by"), QT_TRANSLATE_NOOP("Key", "Keypad /"),
          Qt::Key_Slash),
    {KeyId::Point, KeyCode::Kanma, {Vk::Decimal, 0}, '.', true, false, Narrow,
     QT_TRANSLATE_NOOP("Key", "Decimal point"), QT_TRANSLATE_NOOP("Key", "Keypad ."), Qt::Key_Period, true,
     {"kanma", -1, SINGLE(kanma)}, {"Kanma_Key", -1, SINGLE(Kanma_Key)}, {"Kanma_label", -1, SINGLE(Kanma_label)},
     Kanma_Down},
    {KeyId::Equals, KeyCode::Eq, {Vk::Enter, Vk::End}, '=', true, false, Narrow, QT_TRANSLATE_NOOP("Key", "Equals"),
     QT_TRANSLATE_NOOP("Key", "Enter"), Qt::Key_Enter, true,
     {"Eq", -1, SINGLE(Eq)}, {"Eq_key", -1, SINGLE(Eq_key)}, {"Eq_label", -1, SINGLE(Eq_label)}, Eq_Down},
    {KeyId::ClearEntry, KeyCode::Ce, {Vk::Delete, 0}, 'c', false, false, Narrow,
     QT_TRANSLATE_NOOP("Key", "Clear entry"), QT_TRANSLATE_NOOP("Key", "Delete"), Qt::Key_Delete, false,
     {"Ce", -1, SINGLE(Ce)}, {"Ce_Key", -1, SINGLE(Ce_Key)}, {"Enzan_Label", 6, ARRAY(Enzan_Label)}, Ce_Down},
    {KeyId::AllClear, KeyCode::Ac, {Vk::Home, 0}, 'a', false, false, Narrow, QT_TRANSLATE_NOOP("Key", "All clear"),
     QT_TRANSLATE_NOOP("Key", "Home"), Qt::Key_Home, false,
     {"Ac", -1, SINGLE(Ac)}, {"Ac_Key", -1, SINGLE(Ac_Key)}, {"Enzan_Label", 7, ARRAY(Enzan_Label)}, AC_DOWN},
    function(KeyId::Clock, Vk::T, QT_TRANSLATE_NOOP("Key", "Clock"), QT_TRANSLATE_NOOP("Key", "T"), Qt::Key_T,
             {"NowTime", -1, SINGLE(NowTime)}, Nowtime_click),
    unit<0>(Vk::H, 'h', QT_TRANSLATE_NOOP("Key", "Hours"), QT_TRANSLATE_NOOP("Key", "H"), Qt::Key_H),
    unit<1>(Vk::M, 'm', QT_TRANSLATE_NOOP("Key", "Minutes"), QT_TRANSLATE_NOOP("Key", "M"), Qt::Key_M),
    unit<2>(Vk::S, 's', QT_TRANSLATE_NOOP("Key", "Seconds"), QT_TRANSLATE_NOOP("Key", "S"), Qt::Key_S),
    {KeyId::Convert, KeyCode::Hms, {Vk::Space, 0}, ':', true, false, Wide,
     QT_TRANSLATE_NOOP("Key", "Convert H:M:S to seconds"), QT_TRANSLATE_NOOP("Key", "Space"), Qt::Key_Space, false,
     {"hms", -1, SINGLE(hms)}, {"Mode_key", 1, ARRAY(Mode_key)}, {"Mode_Key_Label", 1, ARRAY(Mode_Key_Label)},
     HMS_Down},
    {KeyId::Percent, KeyCode::Per, {Vk::P, 0}, '%', true, false, Narrow, QT_TRANSLATE_NOOP("Key", "Percent"),
     QT_TRANSLATE_NOOP("Key", "P"), Qt::Key_P, false,
     {"PER", -1, SINGLE(PER)}, {"Per_Key", -1, SINGLE(Per_Key)}, {"Enzan_Label", 5, ARRAY(Enzan_Label)}, Per_Down},
    {KeyId::Root, KeyCode::Root, {Vk::R, 0}, 'r', true, false, Narrow, QT_TRANSLATE_NOOP("Key", "Square root"),
     QT_TRANSLATE_NOOP("Key", "R"), Qt::Key_R, false,
     {"ROOT", -1, SINGLE(ROOT)}, {"Root_key", -1, SINGLE(Root_key)}, {"Enzan_Label", 4, ARRAY(Enzan_Label)},
     Root_Down},
    // The keyboard forgets this key once it has acted, so only its own key-up releases it.
    {KeyId::AutoUnit, KeyCode::Unit, {Vk::U, 0}, 'u', true, true, Wide, QT_TRANSLATE_NOOP("Key", "Input mode switch"),
     QT_TRANSLATE_NOOP("Key", "U"), Qt::Key_U, false,
     {"Unit_input", -1, SINGLE(Unit_input)}, {"Mode_key", 0, ARRAY(Mode_key)},
     {"Mode_Key_Label", 0, ARRAY(Mode_Key_Label)}, Unit_Down},
    function(KeyId::Copy, Vk::C, QT_TRANSLATE_NOOP("Key", "Copy to clipboard"), QT_TRANSLATE_NOOP("Key", "C"),
             Qt::Key_C, {"CLIP_COPY", -1, SINGLE(CLIP_COPY)}, CLIP_COPY_Click),
    function(KeyId::History, Vk::L, QT_TRANSLATE_NOOP("Key", "History"), QT_TRANSLATE_NOOP("Key", "L"), Qt::Key_L,
             {"His", -1, SINGLE(His)}, His_Click),
    function(KeyId::About, Vk::A, QT_TRANSLATE_NOOP("Key", "About"), QT_TRANSLATE_NOOP("Key", "A"), Qt::Key_A,
             {"About", -1, SINGLE(About)}, About_Click),
    function(KeyId::Quit, Vk::F, QT_TRANSLATE_NOOP("Key", "Quit"), QT_TRANSLATE_NOOP("Key", "F"), Qt::Key_F,
             {"OFF", -1, SINGLE(OFF)}, OFF_Click),
}};

// clang-format on

#undef SINGLE
#undef ARRAY

constexpr bool inIdOrder()
{
    for (size_t i = 0; i < Table.size(); ++i)
        if (size_t(Table[i].id) != i)
            return false;
    return true;
}
static_assert(inIdOrder(), "the key table lists the keys in the order of KeyId");

// Every key press looks its row up: the rows by keyboard code and by ASCII script character,
// the first row that has it, as a search of the table finds it. -1 for none.
constexpr int KeyboardCodes = 256;
constexpr std::array<qint8, KeyboardCodes> rowsByKeyboard()
{
    std::array<qint8, KeyboardCodes> rows{};
    rows.fill(-1);
    for (size_t i = Table.size(); i-- > 0;) {
        for (int code : Table[i].keyboard)
            if (code > 0 && code < KeyboardCodes)
                rows[size_t(code)] = qint8(i);
    }
    return rows;
}
constexpr auto RowByKeyboard = rowsByKeyboard();

constexpr char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}
constexpr std::array<qint8, 128> rowsByScript()
{
    std::array<qint8, 128> rows{};
    rows.fill(-1);
    for (int ch = 0; ch < 128; ++ch) {
        for (size_t i = 0; i < Table.size(); ++i) {
            if (Table[i].script != 0 && asciiLower(char(ch)) == Table[i].script) {
                rows[size_t(ch)] = qint8(i);
                break;
            }
        }
    }
    return rows;
}
constexpr auto RowByScript = rowsByScript();

// A script presses a key's own keyboard key; the command-line tool takes the row it has for
// the row that keyboard code finds.
constexpr bool scriptKeysFindTheirRows()
{
    for (size_t i = 0; i < Table.size(); ++i) {
        const int code = Table[i].keyboard[0];
        if (Table[i].script != 0 && (code <= 0 || code >= KeyboardCodes || RowByKeyboard[size_t(code)] != int(i)))
            return false;
    }
    return true;
}
static_assert(scriptKeysFindTheirRows(), "every script key's keyboard code finds its own row");

static_assert(Table.size() < 128);

} // namespace

std::span<const KeyRow> keyTable()
{
    return Table;
}

const KeyRow &keyRow(KeyId id)
{
    return Table[size_t(id)];
}

const KeyRow *keyForKeyboard(int keyCode)
{
    if (keyCode == 0)
        return nullptr;
    if (keyCode > 0 && keyCode < KeyboardCodes) {
        const int row = RowByKeyboard[size_t(keyCode)];
        return row < 0 ? nullptr : &Table[size_t(row)];
    }
    for (const KeyRow &k : Table)
        if (k.keyboard[0] == keyCode || k.keyboard[1] == keyCode)
            return &k;
    return nullptr;
}

const KeyRow *keyForScript(QChar ch)
{
    if (ch.unicode() < 128) {
        const int row = RowByScript[ch.unicode()];
        return row < 0 ? nullptr : &Table[size_t(row)];
    }
    // Beyond ASCII a character may still lower-case to one of the script's letters.
    const QChar lower = ch.toLower();
    for (const KeyRow &k : Table)
        if (k.script != 0 && lower == QLatin1Char(k.script))
            return &k;
    return nullptr;
}

const KeyRow *keyForElement(const QString &regionName)
{
    for (const KeyRow &k : Table)
        if (k.region.index < 0 && regionName == QLatin1String(k.region.name))
            return &k;
    return nullptr;
}

std::optional<TypedKey> typedKey(QChar ch)
{
    if (ch == QLatin1Char(' '))
        return TypedKey{Qt::Key_Space, Qt::NoModifier};
    const char16_t u = ch.toUpper().unicode();
    if (u >= u'A' && u <= u'Z')
        return TypedKey{Qt::Key_A + (u - u'A'), Qt::NoModifier};
    const KeyRow *key = keyForScript(ch);
    if (!key || !key->qtKeypad)
        return std::nullopt;
    return TypedKey{key->qtKey, Qt::KeypadModifier};
}

void drawPressed(Calculator &c, KeyId id)
{
    const KeyRow &k = keyRow(id);
    k.face.of(c.ui).picture = k.pressed();
}

void pressKey(Calculator &c, KeyId id)
{
    drawPressed(c, id);
    c.st.PushKey = keyRow(id).pushCode;
}

} // namespace vantoro
