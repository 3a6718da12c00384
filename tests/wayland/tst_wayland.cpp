// SPDX-License-Identifier: GPL-3.0-or-later
// The main window under a Wayland compositor, where a client cannot know where its window
// stands. Run by run_wayland.sh, which starts a headless weston for it.
#include <QtTest>

#include "gui/gui_fixture.h"

using namespace vantoro;
using namespace vantoro::test;

class TstWayland : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void storedPositionKeptAtExit();
    void windowOffersNoMinimiseOrMaximise();
};

void TstWayland::initTestCase()
{
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        QSKIP("needs a Wayland compositor (tests/wayland/run_wayland.sh starts one)");
}

void TstWayland::storedPositionKeptAtExit()
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("vantoro.INI"));
    {
        QFile f(ini);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[INIT_XY]\nX=1530\nY=2595\n[INIT_MODE]\nHMS=1\n");
    }
    TestServices sv;
    Calculator c{sv};
    c.st.IniFile = ini;
    VantoroWindow w{c};
    sv.attach(&w);
    w.start();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::qWait(100); // the compositor's configure and any move events it causes
    QCOMPARE(c.ui.left, 1530.0);
    QCOMPARE(c.ui.top, 2595.0);
    w.close();
    QFile f(ini);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("[INIT_XY]\nX=1530\nY=2595\n[INIT_MODE]\nHMS=1\nHIS=0\n"));
}

void TstWayland::windowOffersNoMinimiseOrMaximise()
{
    // Qt's own title bar under Wayland draws minimise and maximise whatever the window flags
    // ask; so the main window has none, and its title strip moves it.
    QTemporaryDir dir;
    TestServices sv;
    Calculator c{sv};
    c.st.IniFile = dir.filePath(QStringLiteral("vantoro.INI"));
    VantoroWindow w{c};
    sv.attach(&w);
    w.start();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(w.windowHandle()->flags() & Qt::FramelessWindowHint);
    QCOMPARE(w.windowHandle()->frameMargins(), QMargins());
    w.close();
}

VANTORO_GUI_TEST_MAIN(TstWayland)
#include "tst_wayland.moc"
