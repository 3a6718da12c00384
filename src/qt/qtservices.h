// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The platform services of the real program: Qt message boxes, focus, clipboard,
// screen and window activation.
#include "window/services.h"

namespace vantoro {

class VantoroWindow;

// False under Wayland, where a client neither learns nor chooses where its windows stand.
bool platformReportsWindowPosition();

class QtServices : public Services
{
public:
    void attach(VantoroWindow *window) { m_window = window; }

    void messageBox(const QString &text) override;
    bool askYesNo(const QString &text, const QString &title) override;
    void focusEnterCapt() override;
    void clipboardClear() override;
    void clipboardSetText(const QString &text) override;
    QSize screenTwips() override;
    QList<QRect> screensTwips() override;
    bool windowPositionKnown() override { return platformReportsWindowPosition(); }
    void activateWindow(WindowId id) override;
    void endProcess() override;

protected:
    VantoroWindow *m_window = nullptr;
};

} // namespace vantoro
