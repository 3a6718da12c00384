#pragma once
// The real windows, headless: the real services but for anything modal or final, and a
// started calculator whose settings file lives in a temporary directory.
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

namespace vantoro::test {

// The real services but for anything modal or final: message boxes are recorded and
// answered as told, the end of the process only noted.
class TestServices : public QtServices
{
public:
    QStringList messages;
    QStringList questions; // "title|text"
    bool answerYes = false;
    int endCount = 0;
    QDateTime clock{QDate(2026, 12, 24), QTime(10, 20, 30)};

    void messageBox(const QString &text) override { messages << text; }
    bool askYesNo(const QString &text, const QString &title) override
    {
        questions << title + QLatin1Char('|') + text;
        return answerYes;
    }
    QDateTime now() override { return clock; }
    void endProcess() override
    {
        ++endCount;
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
