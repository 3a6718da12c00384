// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The services of the tests: what the logic asks of the platform is recorded, questions are
// answered as the test scripted them, the clock stands where the test sets it, and nothing
// modal or final happens. Built on the bare services for the logic tests and on the real Qt
// services for the GUI tests, where focus, clipboard and windows also reach the real widgets.
#include <QList>
#include <QStringList>
#include <optional>

#include "window/services.h"

namespace vantoro::test {

template <class Base>
class RecordingServicesOn : public Base
{
public:
    QStringList messages;  // message box texts, in order
    QStringList questions; // "title|text" of each Yes/No question, in order
    QList<bool> answers;   // answers to the next questions, first first; then answerYes
    bool answerYes = false;
    QString clipboard;
    int focusCount = 0;
    QList<WindowId> activated;
    int endCount = 0;
    QDateTime clock = QDateTime(QDate(2026, 12, 8), QTime(22, 30, 15));
    std::optional<QSize> screen;       // unset: the base's screen
    QList<QRect> screens;              // empty: the base's screens
    std::optional<bool> positionKnown; // unset: the base's answer

    void messageBox(const QString &text) override { messages << text; }
    bool askYesNo(const QString &text, const QString &title) override
    {
        questions << title + QLatin1Char('|') + text;
        return answers.isEmpty() ? answerYes : answers.takeFirst();
    }
    void focusEnterCapt() override
    {
        ++focusCount;
        Base::focusEnterCapt();
    }
    void clipboardClear() override
    {
        clipboard.clear();
        Base::clipboardClear();
    }
    void clipboardSetText(const QString &text) override
    {
        clipboard = text;
        Base::clipboardSetText(text);
    }
    QDateTime now() override { return clock; }
    QSize screenTwips() override { return screen ? *screen : Base::screenTwips(); }
    QList<QRect> screensTwips() override { return screens.isEmpty() ? Base::screensTwips() : screens; }
    bool windowPositionKnown() override { return positionKnown ? *positionKnown : Base::windowPositionKnown(); }
    void activateWindow(WindowId id) override
    {
        activated << id;
        Base::activateWindow(id);
    }
    // Only counted: the process goes on.
    void endProcess() override { ++endCount; }
};

using RecordingServices = RecordingServicesOn<Services>;

} // namespace vantoro::test
