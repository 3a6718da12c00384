// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/basic.h"
#include "entry/entry.h"
#include "panel/keys.h"

namespace vantoro {

namespace {

// Left$(t, Len - n): the text without its last n characters; empty when shorter.
QStringView dropLastView(const QString &t, int n)
{
    return t.size() <= n ? QStringView() : QStringView(t).left(t.size() - n);
}

// A new number replaces the entry; after a result it also starts positive. The entry keeps
// its storage for the digits that follow.
void startNumber(CalcState &st, int idx)
{
    st.Entry[idx].truncate(0);
    if (st.EnzanNo == Op::Result)
        st.Sign[idx] = 1;
}

void autoDigit(CalcState &st, int d, QChar ch)
{
    QString &e = st.Entry[st.EntryIdx];
    if (st.DigitCount < WidthHms - 3) {
        if (d != 0 && st.DigitCount == 0)
            startNumber(st, st.EntryIdx);
        if (st.KanmaState == 0) {
            // Right$(Space$(12) & digits, 12) & ".00", of which the display refresh that
            // follows keeps the packed 12 characters: composed at that width at once.
            ShortText digits;
            digits << dropLastView(e, 3) << ch;
            assignText(e, (digits.rightAlign(WidthHms - 3) << u".00").view());
            if (d != 0 || st.DigitCount != 0)
                ++st.DigitCount;
        }
    }
    switch (st.KanmaState) {
    case 1: {
        ShortText i;
        if (e.isEmpty())
            i << u'0';
        else
            i << dropLastView(e, 3);
        assignText(e, (i.rightAlign(WidthHms) << u'.' << ch << u' ').view());
        st.KanmaState = 2;
        if (st.DigitCount == 0)
            st.DigitCount = 1;
        break;
    }
    case 2: {
        ShortText i;
        i << dropLastView(e, 1);
        assignText(e, (i.rightAlign(WidthHms) << ch).view());
        st.KanmaState = 3;
        break;
    }
    default: break; // no point yet, or both decimals keyed
    }
}

void secondsDigit(CalcState &st, int d, QChar ch)
{
    if (st.DigitCount >= WidthSec)
        return;
    if (d != 0 && st.DigitCount == 0)
        startNumber(st, st.EntryIdx);
    // Zeros that DigitCount does not count (after a point keyed first in H:M:S-Auto and a
    // conversion) would otherwise be appended without end; once the entry ends in as many
    // zeros as the display shows, another changes neither its value nor the display.
    static const QString zeros(WidthSec, QLatin1Char('0'));
    if (d == 0 && st.DigitCount == 0 && st.Entry[st.EntryIdx].endsWith(zeros))
        return;
    st.Entry[st.EntryIdx] += ch;
    if (d != 0 || st.DigitCount != 0)
        ++st.DigitCount;
}

void unitDigit(CalcState &st, int d, QChar ch)
{
    if (st.DigitCount >= WidthSec)
        return;
    if (d != 0 && st.EntryIdx != 2) {
        // The first significant digit starts a unit number in the buffer.
        st.SaveIdx = st.EntryIdx;
        st.EntryIdx = 2;
        st.Entry[2].truncate(0);
        st.DigitCount = 0;
        st.KanmaState = 0;
        st.Sign[2] = st.Sign[st.SaveIdx];
        if (st.EnzanNo == Op::Result) {
            // A shown result is dropped; the unit amounts start from a positive zero.
            st.Entry[0].truncate(0);
            st.Sign[0] = 1;
            st.Sign[2] = 1;
            st.DigitCount = 0;
            st.KanmaState = 0;
        }
    }
    // A zero that does not belong to a unit number is ignored, like a leading zero.
    if (st.EntryIdx == 2) {
        st.Entry[2] += ch;
        if (d != 0 || st.DigitCount != 0)
            ++st.DigitCount;
    }
}

// A seconds entry in exponent form (a small value recalled from the history) is never
// extended: a digit or point appended to "1.098807E-06" would land in the exponent and
// change the value by many orders of magnitude. The key starts a new positive number
// instead, as after a result. Returns whether the entry was dropped.
bool dropExponentEntry(CalcState &st)
{
    QString &e = st.Entry[st.EntryIdx];
    if (st.Mode != ModeNo::Seconds || !e.contains(QLatin1Char('E')))
        return false;
    e.clear();
    st.DigitCount = 0;
    st.Sign[st.EntryIdx] = 1;
    return true;
}

} // namespace

void key_down(Calculator &c, int index)
{
    auto &st = c.st;
    drawPressed(c, digitKey(index));
    const bool dropped = dropExponentEntry(st);
    if (!dropped && index == 0 && st.DigitCount == 0 && st.KanmaState == 0)
        return;

    const QChar ch = QLatin1Char(char('0' + index));
    switch (st.Mode) {
    case ModeNo::Auto: autoDigit(st, index, ch); break;
    case ModeNo::Seconds: secondsDigit(st, index, ch); break;
    case ModeNo::Unit: unitDigit(st, index, ch); break;
    default: break;
    }
    if (st.EnzanNo == Op::Result)
        st.EnzanNo = Op::None;
    DispTm(c);
}

void Kanma_Down(Calculator &c)
{
    auto &st = c.st;
    pressKey(c, KeyId::Point);
    dropExponentEntry(st);
    QString &e = st.Entry[st.EntryIdx];
    if (st.DigitCount == 0)
        e.truncate(0);

    if (st.Mode == ModeNo::Seconds) {
        if (InStr(e, QStringLiteral(".")) > 0) {
            // a second point is ignored
        } else if (st.DigitCount == 0) {
            assignText(e, u".");
            st.DigitCount = 1;
            if (st.MinusFirst == 0)
                st.Sign[st.EntryIdx] = 1;
        } else if (st.DigitCount <= WidthSec - 2) {
            e += QLatin1Char('.');
            ++st.DigitCount;
        }
    } else if (st.KanmaState == 0) {
        st.KanmaState = 1;
        ShortText text;
        if (st.DigitCount == 0)
            text << u"0.  ";
        else
            text << dropLastView(e, 3) << u".  ";
        assignText(e, text.view());
    }
    if (st.EnzanNo == Op::Result)
        st.EnzanNo = Op::None;
    DispTm(c);
}

} // namespace vantoro
