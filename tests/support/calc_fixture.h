// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A calculator with recording services, driven by the key-script characters of
// vantoro-calc (each a key press followed by its release).
#include "app/app.h"
#include "cli/keyscript.h"
#include "engine/calculator.h"
#include "panel/panel.h"
#include "support/recording_services.h"

namespace vantoro::test {

struct CalcFixture {
    explicit CalcFixture(int mode = 0) : c(sv) { startCalculator(c, mode); }

    void keys(const QString &script)
    {
        for (QChar ch : script) {
            if (ch.isSpace())
                continue;
            const auto code = scriptKeyCode(ch);
            Q_ASSERT(code);
            Form_keydown(c, *code);
            Form_KeyUp(c, *code);
        }
    }
    // Sign, display, operator mark and mode text, as vantoro-calc prints them.
    QString display() const
    {
        return c.ui.Hugou.caption + QLatin1Char('|') + c.ui.Disp.caption + QLatin1Char('|') + c.ui.ENZANSI.caption
               + QLatin1Char('|') + c.ui.MODE.caption;
    }
    QString disp() const { return c.ui.Disp.caption; }
    QStringList lines() const { return c.history.His_List.toList(); }

    RecordingServices sv;
    Calculator c;
};

} // namespace vantoro::test
