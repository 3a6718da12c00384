#pragma once
// A calculator with recording services, driven by the key-script characters of
// vantoro-calc (each a key press followed by its release).
#include <QStringList>

#include "app/app.h"
#include "cli/keyscript.h"
#include "engine/calculator.h"
#include "panel/panel.h"

namespace vantoro::test {

class RecordingServices : public Services {
public:
    QStringList messages;
    QString clipboard;
    QDateTime clock = QDateTime(QDate(2026, 12, 8), QTime(22, 30, 15));
    int focusCount = 0;
    bool answerYes = false;

    void messageBox(const QString &text) override { messages << text; }
    bool askYesNo(const QString &text, const QString &) override
    {
        messages << text;
        return answerYes;
    }
    void focusEnterCapt() override { ++focusCount; }
    void clipboardClear() override { clipboard.clear(); }
    void clipboardSetText(const QString &text) override { clipboard = text; }
    QDateTime now() override { return clock; }
};

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
