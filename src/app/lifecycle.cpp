// SPDX-License-Identifier: GPL-3.0-or-later
#include <QPointF>
#include <QRectF>
#include <algorithm>
#include <cmath>

#include "app/app.h"
#include "engine/basic.h"
#include "engine/messages.h"
#include "panel/layout.h"
#include "panel/panel.h"
#include "settings/settings.h"

namespace vantoro {

namespace {

const QString SectionXY = QStringLiteral("INIT_XY");
const QString SectionMode = QStringLiteral("INIT_MODE");
const QString KeyX = QStringLiteral("X"), KeyY = QStringLiteral("Y");
const QString KeyHms = QStringLiteral("HMS"), KeyHis = QStringLiteral("HIS");

// The outer size of the main window in twips; a saved position keeps it on the screen.
constexpr int WindowWidth = 3330, WindowHeight = 6015;
// Farther from the origin than any screen reaches, in twips. Beyond it a stored coordinate
// reads as 0, which also keeps the window layer's pixel arithmetic in range.
constexpr double MaxCoordinate = 1e9;

// X11 keeps window coordinates in 16 bits: a position farther out wraps round.
constexpr double MaxPlaceablePixels = 32767;
// Enough of the window's top strip, where its title strip and the window manager's title
// bar are, must lie on a screen for the pointer to take hold of it.
constexpr int GripStrip = 480, GripWidth = 480, GripHeight = 120;

// A restored position that cannot be placed, or that puts the window out of reach on every
// screen, is brought onto the primary screen, as near to where it was as fits.
QPointF placeOnScreen(QPointF pos, const QList<QRect> &screens)
{
    const auto placeable = [](double twips) { return std::fabs(twips / TwipsPerPixel) <= MaxPlaceablePixels; };
    if (screens.isEmpty()) // nothing to place against but the window system's range
        return {placeable(pos.x()) ? pos.x() : 0, placeable(pos.y()) ? pos.y() : 0};
    if (placeable(pos.x()) && placeable(pos.y())) {
        const QRectF grip(pos, QSizeF(WindowWidth, GripStrip));
        for (const QRect &screen : screens) {
            const QRectF onScreen = grip.intersected(QRectF(screen));
            if (onScreen.width() >= GripWidth && onScreen.height() >= GripHeight)
                return pos;
        }
    }
    const QRect &s = screens.first();
    const auto clampTo = [](double v, double low, double high) { return std::max(low, std::min(v, high)); };
    return {clampTo(pos.x(), s.left(), std::max(s.left(), s.left() + s.width() - WindowWidth)),
            clampTo(pos.y(), s.top(), std::max(s.top(), s.top() + s.height() - WindowHeight))};
}

// A window coordinate from the settings. A stored -255 is repaired to " 0" at once.
double readCoordinate(Calculator &c, const QString &key)
{
    double x = Val(Ini_Read(SectionXY, key, c.st.IniFile));
    if (x == -255) {
        x = 0;
        Ini_Write(SectionXY, key, QStringLiteral(" 0"), c.st.IniFile);
    }
    if (!(std::fabs(x) <= MaxCoordinate))
        return 0;
    return double(float(x)); // a single-precision coordinate
}

// A number as the settings file holds it: the Str text without its leading blank; a
// negative number keeps its minus sign, so a window partly off the left edge comes back
// where it was.
QString settingsNumber(double x, int digits)
{
    const QString t = Str(x, digits);
    return t.startsWith(QLatin1Char(' ')) ? t.mid(1) : t;
}

} // namespace

void Form_Load(Calculator &c)
{
    c.st.Loading = 1;
    if (c.st.IniFile.isEmpty())
        c.st.IniFile = settingsFilePath();
    // Read once, here: the window stands at its saved position before it is first shown.
    const QPointF pos = placeOnScreen({readCoordinate(c, KeyX), readCoordinate(c, KeyY)}, c.sv.screensTwips());
    c.ui.left = pos.x();
    c.ui.top = pos.y();
    Init_Calc(c);
    completeStart(c);
}

void Init_Calc(Calculator &c)
{
    initTables(c);
    initMode(c, modeFromStored(Val(Ini_Read(SectionMode, KeyHms, c.st.IniFile))));
    c.st.HisShown = hisShownFromStored(Val(Ini_Read(SectionMode, KeyHis, c.st.IniFile)));
    if (c.st.HisShown == 1) {
        c.st.HisShown = 0;
        His_Click(c);
    }
}

void Form_Resize(Calculator &c)
{
    if (c.ui.minimised) {
        if (c.st.HisShown == 1)
            c.history.visible = false;
    } else if (c.st.HisShown == 0) {
        c.sv.activateWindow(WindowId::Main);
    } else {
        c.history.visible = true;
        c.sv.activateWindow(WindowId::History);
    }
}

void Form_MouseMove(Calculator &c)
{
    if (c.st.PushKey > 0)
        Release_Keys(c);
}

void Iconize_Click(Calculator &c)
{
    c.ui.minimised = true;
    Form_Resize(c);
}

void OFF_Click(Calculator &c)
{
    if (c.sv.askYesNo(Msg::QuitConfirm, c.st.TitleText)) {
        Unload_Vantoro(c);
        c.sv.endProcess();
    } else {
        c.sv.focusEnterCapt();
    }
}

void Form_Unload(Calculator &c)
{
    Unload_Vantoro(c);
}

void Unload_Vantoro(Calculator &c)
{
    QString xs = settingsNumber(float(c.ui.left), 7);
    QString ys = settingsNumber(float(c.ui.top), 7);
    const QString ms = settingsNumber(c.st.Mode, 15);
    const QString hs = settingsNumber(c.st.HisShown, 15);
    // A screen of unknown size (0 x 0) sets no limit.
    const QSize screen = c.sv.screenTwips();
    if (screen.width() > 0 && Val(xs) > screen.width() - WindowWidth)
        xs = QString::number(screen.width() - WindowWidth);
    if (screen.height() > 0 && Val(ys) > screen.height() - WindowHeight)
        ys = QString::number(screen.height() - WindowHeight);
    // Where the window system does not tell the window's position, the stored one stays as
    // it is rather than being replaced by one the program cannot know.
    if (c.sv.windowPositionKnown())
        Ini_Write({{SectionXY, KeyX, xs}, {SectionXY, KeyY, ys}, {SectionMode, KeyHms, ms}, {SectionMode, KeyHis, hs}},
                  c.st.IniFile);
    else
        Ini_Write({{SectionMode, KeyHms, ms}, {SectionMode, KeyHis, hs}}, c.st.IniFile);
    History_Unload(c);
    About_Unload(c);
}

} // namespace vantoro
