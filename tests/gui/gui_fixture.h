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
#include "qt/mainwindow.h"
#include "qt/qtservices.h"
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
    QByteArray settings() const
    {
        QFile f(c.st.IniFile);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

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


// Keys as the numeric keypad sends them; letters and space from the main keyboard.
inline void keypad(QWindow *window, const QString &keys)
{
    for (QChar ch : keys) {
        Qt::Key key;
        Qt::KeyboardModifiers mods = Qt::KeypadModifier;
        if (ch.isDigit()) {
            key = Qt::Key(Qt::Key_0 + ch.digitValue());
        } else if (ch == u'+') {
            key = Qt::Key_Plus;
        } else if (ch == u'-') {
            key = Qt::Key_Minus;
        } else if (ch == u'*') {
            key = Qt::Key_Asterisk;
        } else if (ch == u'/') {
            key = Qt::Key_Slash;
        } else if (ch == u'.') {
            key = Qt::Key_Period;
        } else if (ch == u'=') {
            key = Qt::Key_Enter;
        } else if (ch == u' ') {
            key = Qt::Key_Space;
            mods = Qt::NoModifier;
        } else {
            key = Qt::Key(Qt::Key_A + (ch.toUpper().unicode() - u'A'));
            mods = Qt::NoModifier;
        }
        QTest::keyClick(window, key, mods);
    }
}

} // namespace vantoro::test
