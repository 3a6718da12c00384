// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The real windows, headless (the process set up by support/gui_harness.h): the real
// services but for anything modal or final, and a started calculator whose settings file
// lives in a temporary directory.
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

#include "app/app.h"
#include "engine/calculator.h"
#include "panel/keys.h"
#include "qt/keywidgets.h"
#include "qt/mainwindow.h"
#include "qt/qtservices.h"
#include "support/files.h"
#include "support/gui_harness.h"
#include "support/recording_services.h"

namespace vantoro::test {

// The real services but for anything modal or final: message boxes are recorded and
// answered as told, the end of the process ends the window only.
class TestServices : public RecordingServicesOn<QtServices>
{
public:
    TestServices() { clock = QDateTime(QDate(2026, 12, 24), QTime(10, 20, 30)); }
    void endProcess() override
    {
        RecordingServicesOn::endProcess();
        if (m_window)
            m_window->endProcess();
    }
};

// A started main window whose settings file lives in a temporary directory.
struct Fixture {
    explicit Fixture(int mode)
    {
        c.st.IniFile = dir.filePath(QStringLiteral("VANTORO.INI"));
        QFile ini(c.st.IniFile);
        if (ini.open(QIODevice::WriteOnly))
            ini.write(QByteArray("[INIT_MODE]\r\nHMS=") + QByteArray::number(mode) + "\r\n");
        ini.close();
        sv.attach(&w);
        w.start();
    }
    QByteArray settings() const { return readAll(c.st.IniFile); }

    QTemporaryDir dir;
    TestServices sv;
    Calculator c{sv};
    VantoroWindow w{c};
};

inline QString labelText(const QWidget &window, const char *name)
{
    auto *label = window.findChild<QLabel *>(QLatin1String(name));
    return label ? label->text() : QStringLiteral("<no label %1>").arg(QLatin1String(name));
}

// Keys as a person types them: digits and operators on the numeric keypad, letters and
// space on the main keyboard.
inline void keypad(QWindow *window, const QString &keys)
{
    for (QChar ch : keys) {
        const auto key = typedKey(ch);
        QVERIFY2(key, "no key to type");
        QTest::keyClick(window, Qt::Key(key->qtKey), key->modifiers);
    }
}

// The clock picture and the caption of the "Time" button: apart, both inside the button,
// the caption's ink whole and the picture large enough to be a clock.
inline void checkTimeButtonLayout(const PictureButton &button)
{
    const PictureCaptionLayout l = button.pictureLayout();
    const QRect ink = button.fontMetrics().tightBoundingRect(button.text());
    QVERIFY2(l.picture.width() >= 8 && l.picture.height() >= 8, "no room for the clock");
    QVERIFY(button.rect().contains(l.picture));
    QVERIFY(button.rect().contains(l.caption));
    QVERIFY2(!l.picture.intersects(l.caption), "the clock is drawn over the caption");
    QCOMPARE(l.caption.size(), ink.size());
}

} // namespace vantoro::test
