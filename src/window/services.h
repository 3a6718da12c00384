// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the calculator logic asks of the platform. The Qt layer implements it for the
// real program; the command-line tool and the tests use their own implementations.
#include <QDateTime>
#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

namespace vantoro {

enum class WindowId { Main, History, About };

class Services
{
public:
    virtual ~Services() = default;

    // A modal message box with an OK button; the action goes on after it returns.
    virtual void messageBox(const QString &text) { Q_UNUSED(text); }
    // A modal message box with Yes and No (Yes the default); true for Yes.
    virtual bool askYesNo(const QString &text, const QString &title)
    {
        Q_UNUSED(text);
        Q_UNUSED(title);
        return false;
    }
    // Keyboard focus to the focus panel EnterCapt.
    virtual void focusEnterCapt() {}
    virtual void clipboardClear() {}
    virtual void clipboardSetText(const QString &text) { Q_UNUSED(text); }
    virtual QDateTime now() { return QDateTime::currentDateTime(); }
    // Screen size in twips.
    virtual QSize screenTwips() { return {0, 0}; }
    // Every screen's rectangle on the desktop, in twips; the primary screen first. None when
    // the screens are unknown.
    virtual QList<QRect> screensTwips()
    {
        const QSize size = screenTwips();
        return size.isEmpty() ? QList<QRect>() : QList<QRect>{QRect(QPoint(0, 0), size)};
    }
    // Whether the window system tells a program where its window stands. Wayland does not:
    // there the position the window layer reports is not the window's.
    virtual bool windowPositionKnown() { return true; }
    // Make a window visible and the active window.
    virtual void activateWindow(WindowId id) { Q_UNUSED(id); }
    // End the process at once, after the exit routine has run.
    virtual void endProcess() {}
};

} // namespace vantoro
