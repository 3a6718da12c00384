#pragma once
// Toolkit-neutral records of the window elements. The calculator logic reads and
// writes these; the Qt layer (qt) brings the real widgets in step with them.
#include <QString>
#include <QStringList>
#include <array>

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

    QString caption;           // window caption
    double left = 0, top = 0;  // twips
    bool minimised = false;

    // Title strip, display and function row
    Element Title, Iconize, DispBack, MODE, ENZANSI, Hugou, Disp, EnterCapt;
    Element OFF, CLIP_COPY, His, NowTime, About;

    // Calculator keys: button region, face and legend of each key
    std::array<Element, 10> Key, Tenkey, Key_NumOn;   // by digit
    std::array<Element, 5> Enzan, Enzan_key;          // 1..4 for + - x /; 0 unused
    std::array<Element, 11> Enzan_Label;              // 0..3 + - x /, 4 root, 5 %, 6 CE, 7 AC, 8 H, 9 M, 10 S
    std::array<Element, 3> H, H_key;                  // hours, minutes, seconds
    Element Ac, Ce, PER, ROOT, kanma, Eq, Unit_input, hms;
    Element Ac_Key, Ce_Key, Per_Key, Root_key, Kanma_Key, Eq_key;
    std::array<Element, 2> Mode_key, Mode_Key_Label;  // 0 Auto/Unit, 1 conversion
    Element Kanma_label, Eq_label;

    TimerRecord Timer1;
};

struct HistoryWindowElements {
    bool loaded = false;   // the window exists (possibly hidden)
    bool visible = false;
    double left = 0, top = 0;
    QStringList His_List;  // the list box lines
    int ListIndex = -1;    // selected line, -1 for none
};

struct AboutWindowElements {
    bool loaded = false;   // the window exists and is shown
    double left = 0, top = 0;
    QString ABOUTBOX_TITLE, ABOUTBOX_VER, AboutBox_For;
};

} // namespace vantoro
