// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Toolkit-neutral records of the window elements. The calculator logic reads and
// writes these; the Qt layer (qt) brings the real widgets in step with them.
#include <QString>
#include <QStringList>
#include <array>

#include "window/text.h"

namespace vantoro {

// Colours are 24-bit values in &HBBGGRR order, as the key and display tables give them.
using Colour = quint32;

// The picture a key face shows. None is the state of a face before start-up.
enum class Picture : quint8 { None, Key_Off, Key_On, L_Key_Off, L_Key_On };

struct Element {
    QString caption;
    Colour foreColor = 0xFFFFFF;
    Colour backColor = 0xC0C0C0;
    bool enabled = true;
    bool visible = true;
    Picture picture = Picture::None;
};

struct TimerRecord {
    bool enabled = false;
    int interval = 0; // milliseconds, 1..65535 once set
    // Counts the times the timer was switched off and on again, which starts its countdown
    // afresh; a real timer restarts when this changes.
    quint32 restarts = 0;
};

struct MainWindowElements {
    MainWindowElements();

    QString caption;          // window caption
    double left = 0, top = 0; // twips
    bool minimised = false;

    // Title strip, display and function row
    Element Title, Iconize, DispBack, MODE, ENZANSI, Hugou, Disp, EnterCapt;
    Element OFF, CLIP_COPY, His, NowTime, About;

    // Calculator keys: button region, face and legend of each key
    std::array<Element, 10> Key, Tenkey, Key_NumOn; // by digit
    std::array<Element, 5> Enzan, Enzan_key;        // 1..4 for + - x /; 0 unused
    std::array<Element, 11> Enzan_Label;            // 0..3 + - x /, 4 root, 5 %, 6 CE, 7 AC, 8 H, 9 M, 10 S
    std::array<Element, 3> H, H_key;                // hours, minutes, seconds
    Element Ac, Ce, PER, ROOT, kanma, Eq, Unit_input, hms;
    Element Ac_Key, Ce_Key, Per_Key, Root_key, Kanma_Key, Eq_key;
    std::array<Element, 2> Mode_key, Mode_Key_Label; // 0 Auto/Unit, 1 conversion
    Element Kanma_label, Eq_label;

    TimerRecord Timer1;
};

// The history keeps its newest 41 lines; each line has its recall data beside it.
constexpr int HistoryLines = 41;

// Texts in the order added, at most Capacity of them. Dropping the oldest and adding at the
// end move no other text: the history adds a line this way on every step once full.
template <int Capacity>
class TextRing
{
public:
    qsizetype size() const { return m_size; }
    bool isEmpty() const { return m_size == 0; }
    const QString &at(qsizetype i) const { return m_slots[slot(i)]; }
    const QString &operator[](qsizetype i) const { return m_slots[slot(i)]; }
    QString &operator[](qsizetype i) { return m_slots[slot(i)]; }
    const QString &first() const { return at(0); }
    const QString &last() const { return at(m_size - 1); }

    // Adds a text at the end; a full ring drops its oldest first. The text is written into
    // the storage of the one it replaces where it can.
    void append(QStringView text)
    {
        if (m_size == Capacity)
            removeFirst();
        assignText(m_slots[slot(m_size)], text);
        ++m_size;
    }
    void removeFirst()
    {
        m_first = (m_first + 1) % Capacity;
        --m_size;
    }
    void clear() { m_first = m_size = 0; }

    QStringList toList() const
    {
        QStringList list;
        list.reserve(m_size);
        for (const QString &t : *this)
            list.append(t);
        return list;
    }

    bool operator==(const TextRing &other) const
    {
        if (m_size != other.m_size)
            return false;
        for (qsizetype i = 0; i < m_size; ++i) {
            const QString &a = at(i), &b = other.at(i);
            if (a.constData() != b.constData() && a != b) // a shared text is equal at once
                return false;
        }
        return true;
    }
    bool operator!=(const TextRing &other) const { return !(*this == other); }

    class const_iterator
    {
    public:
        const_iterator(const TextRing *ring, qsizetype i) : m_ring(ring), m_i(i) {}
        const QString &operator*() const { return m_ring->at(m_i); }
        const_iterator &operator++()
        {
            ++m_i;
            return *this;
        }
        bool operator!=(const const_iterator &other) const { return m_i != other.m_i; }

    private:
        const TextRing *m_ring;
        qsizetype m_i;
    };
    const_iterator begin() const { return const_iterator(this, 0); }
    const_iterator end() const { return const_iterator(this, m_size); }

private:
    qsizetype slot(qsizetype i) const { return (m_first + i) % Capacity; }

    std::array<QString, Capacity> m_slots;
    qsizetype m_first = 0;
    qsizetype m_size = 0;
};

struct HistoryWindowElements {
    bool loaded = false; // the window exists (possibly hidden)
    bool visible = false;
    double left = 0, top = 0;
    TextRing<HistoryLines> His_List; // the list box lines
    int ListIndex = -1;              // selected line, -1 for none
};

struct AboutWindowElements {
    bool loaded = false; // the window exists and is shown
    double left = 0, top = 0;
    QString ABOUTBOX_TITLE, ABOUTBOX_VER, AboutBox_For;
};

} // namespace vantoro
