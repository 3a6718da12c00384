// SPDX-License-Identifier: GPL-3.0-or-later
// The real main window, headless: mouse and keyboard through Qt's input path, the
// widgets read back, message boxes answered by a test double.
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "app/app.h"
#include "engine/calculator.h"
#include "gui_fixture.h"
#include "panel/layout.h"
#include "qt/artwork.h"
#include "qt/keywidgets.h"
#include "qt/mainwindow.h"
#include "qt/qtservices.h"

using namespace vantoro;
using namespace vantoro::test;

class TstMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void everyElementAtItsPlace();
    void displayColoursFromTheFirstFrame();
    void calculationByMouse_data();
    void calculationByMouse();
    void calculationByKeypad_data();
    void calculationByKeypad();
    void pressOnFaceOrLegendActsOnce_data();
    void pressOnFaceOrLegendActsOnce();
    void doubleClickActsTwice();
    void wideZeroKeyAcrossItsWidth();
    void unavailableKeyIgnored();
    void faceHeldUntilMouseRelease();
    void faceHeldUntilKeyRelease();
    void autoRepeatRepeatsAndKeepsTheFace();
    void tooltipsNameTheKeyboardKey_data();
    void timeButtonPictureBesideCaption_data();
    void timeButtonPictureBesideCaption();
    void tooltipsNameTheKeyboardKey();
    void keypadWithNumLockOff_data();
    void keypadWithNumLockOff();
    void releaseMatchesPressOfTheSameKey();
    void calculationOnKeypadWithNumLockOff();
    void mainRowKeysIgnored_data();
    void mainRowKeysIgnored();
    void keysReachWindowBeforeFocusedElement();
    void mouseMoveOverBackgroundReleasesFace();
    void errorShownThroughMessageService();
    void quitAnsweredNo();
    void quitAnsweredYes();
    void closeSavesWithoutAsking();
    void minimiseKeyAndRestore();
    void clockByTimerAndKey();
    void idleCountdownRestartsWithEachRefresh();

private:
    // Presses go to the window at the widget's place, so Qt's own hit test decides
    // which element takes them.
    static QPoint at(const QWidget *target, QPoint local = {})
    {
        const QPoint p = local.isNull() ? target->rect().center() : local;
        return target->mapTo(target->window(), p);
    }
    QWidget *find(Fixture &f, const QString &name)
    {
        auto *w = f.w.findChild<QWidget *>(name);
        if (!w)
            qWarning("no element %s", qPrintable(name));
        return w;
    }
    void press(Fixture &f, const QString &name, Qt::MouseButton b = Qt::LeftButton)
    {
        QTest::mousePress(f.w.windowHandle(), b, {}, at(find(f, name)));
    }
    void release(Fixture &f, QPoint windowPos, Qt::MouseButton b = Qt::LeftButton)
    {
        QTest::mouseRelease(f.w.windowHandle(), b, {}, windowPos);
    }
    void click(Fixture &f, const QString &name)
    {
        QWidget *target = find(f, name);
        QTest::mouseClick(f.w.windowHandle(), Qt::LeftButton, {}, at(target));
    }
    void keypad(Fixture &f, const QString &keys);
    static bool pressedLook(Fixture &f, const QString &face)
    {
        auto *k = f.w.findChild<KeyFace *>(face);
        return k && k->pressedLook();
    }
};

void TstMainWindow::cleanup()
{
    // A modal dialog would have blocked the test; none may ever open.
    QVERIFY(!QApplication::activeModalWidget());
}

void TstMainWindow::keypad(Fixture &f, const QString &keys)
{
    test::keypad(f.w.windowHandle(), keys);
}

void TstMainWindow::everyElementAtItsPlace()
{
    Fixture f(0);
    QCOMPARE(f.w.size(), QSize(216, 376));
    QCOMPARE(f.w.minimumSize(), f.w.maximumSize());
    QVERIFY(!(f.w.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QCOMPARE(f.w.windowTitle(), QStringLiteral("Vantoro"));
    QCOMPARE(labelText(f.w, "Title"), QStringLiteral("Vantoro"));

    const auto check = [&](const ElementDef &def) {
        QWidget *w = find(f, def.objectName());
        QVERIFY2(w, qPrintable(def.objectName()));
        QCOMPARE(w->objectName(), def.objectName()); // its accessible name says what it is, see tst_accessibility
        QCOMPARE(w->geometry(), toPixels(def.rect));
    };
    for (const ElementDef &def : mainElements())
        check(def);
    for (const KeyDef &key : mainKeys()) {
        check(key.region);
        check(key.face);
        check(key.legend);
        // The face and its legend lie above the button region and let presses through.
        QWidget *face = find(f, key.face.objectName());
        QCOMPARE(face->parentWidget(), &f.w);
        QCOMPARE(find(f, key.legend.objectName())->parentWidget(), face);
        QCOMPARE(f.w.childAt(face->geometry().center()), find(f, key.region.objectName()));
    }
    // The function buttons lie above the focus panel.
    QCOMPARE(f.w.childAt(find(f, QStringLiteral("OFF"))->geometry().center()), find(f, QStringLiteral("OFF")));
}

void TstMainWindow::displayColoursFromTheFirstFrame()
{
    Fixture f(0);
    const QColor cyan(0x00, 0xFF, 0xFF);
    for (const char *name : {"Disp", "MODE", "ENZANSI", "Hugou"})
        QCOMPARE(f.w.findChild<QLabel *>(QLatin1String(name))->palette().color(QPalette::WindowText), cyan);
    QWidget *back = find(f, QStringLiteral("DispBack"));
    QVERIFY(back->autoFillBackground());
    QCOMPARE(back->palette().color(QPalette::Window), QColor(Qt::black));
    QCOMPARE(labelText(f.w, "MODE"), QStringLiteral("H:M:S-Auto"));
    QCOMPARE(labelText(f.w, "Disp"), QStringLiteral("     °  ’    0”"));
}

void TstMainWindow::calculationByMouse_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("disp");
    QTest::addColumn<QString>("hugou");
    QTest::addColumn<QString>("enzansi");
    QTest::addColumn<QString>("modeText");

    QTest::newRow("H:M:S-Auto 12:34 + 56 =")
        << 0 << QStringList{"Key_1", "Key_2", "Key_3", "Key_4", "Enzan_1", "Key_5", "Key_6", "Eq"}
        << QStringLiteral("     °13’30.00”") << QStringLiteral(" ") << QStringLiteral("＝")
        << QStringLiteral("H:M:S-Auto");
    QTest::newRow("H:M:S-Auto 15 - 20 = is negative")
        << 0 << QStringList{"Key_1", "Key_5", "Enzan_2", "Key_2", "Key_0", "Eq"} << QStringLiteral("     °  ’ 5.00”")
        << QStringLiteral("-") << QStringLiteral("＝") << QStringLiteral("H:M:S-Auto");
    QTest::newRow("seconds 12.5 x 4 =") << 1
                                        << QStringList{"Key_1", "Key_2", "kanma", "Key_5", "Enzan_3", "Key_4", "Eq"}
                                        << QStringLiteral("            50 ") << QStringLiteral(" ")
                                        << QStringLiteral("＝") << QString();
    QTest::newRow("H:M:S-Unit 1h30m + 45s =")
        << 2 << QStringList{"Key_1", "H_0", "Key_3", "Key_0", "H_1", "Enzan_1", "Key_4", "Key_5", "H_2", "Eq"}
        << QStringLiteral("    1°30’45.00”") << QStringLiteral(" ") << QStringLiteral("＝")
        << QStringLiteral("H:M:S-Unit");
}

void TstMainWindow::calculationByMouse()
{
    QFETCH(int, mode);
    QFETCH(QStringList, keys);
    Fixture f(mode);
    for (const QString &k : keys)
        click(f, k);
    QTEST(labelText(f.w, "Disp"), "disp");
    QTEST(labelText(f.w, "Hugou"), "hugou");
    QTEST(labelText(f.w, "ENZANSI"), "enzansi");
    QTEST(labelText(f.w, "MODE"), "modeText");
    QCOMPARE(labelText(f.w, "Disp"), f.c.ui.Disp.caption);
    QVERIFY(f.sv.messages.isEmpty());
}

void TstMainWindow::calculationByKeypad_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("disp");
    QTest::addColumn<QString>("hugou");
    QTest::addColumn<QString>("enzansi");

    QTest::newRow("H:M:S-Auto") << 0 << "1234+56=" << QStringLiteral("     °13’30.00”") << " "
                                << "＝";
    QTest::newRow("H:M:S-Auto negative") << 0 << "15-20=" << QStringLiteral("     °  ’ 5.00”") << "-"
                                         << "＝";
    QTest::newRow("seconds") << 1 << "12.5*4=" << QStringLiteral("            50 ") << " "
                             << "＝";
    QTest::newRow("seconds negative") << 1 << "7-9=" << QStringLiteral("             2 ") << "-"
                                      << "＝";
    QTest::newRow("seconds, pending operator") << 1 << "7/" << QStringLiteral("             7 ") << " "
                                               << "÷";
    QTest::newRow("H:M:S-Unit") << 2 << "1h30m+45s=" << QStringLiteral("    1°30’45.00”") << " "
                                << "＝";
    QTest::newRow("H:M:S-Unit, pending operator") << 2 << "2h-45m" << QStringLiteral("     °45’00.00”") << " "
                                                  << "－";
}

void TstMainWindow::calculationByKeypad()
{
    QFETCH(int, mode);
    QFETCH(QString, keys);
    Fixture f(mode);
    keypad(f, keys);
    QTEST(labelText(f.w, "Disp"), "disp");
    QTEST(labelText(f.w, "Hugou"), "hugou");
    QTEST(labelText(f.w, "ENZANSI"), "enzansi");
    QVERIFY(f.sv.messages.isEmpty());
}

void TstMainWindow::pressOnFaceOrLegendActsOnce_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::newRow("face, left button") << QStringLiteral("Tenkey_7") << Qt::LeftButton;
    QTest::newRow("legend, right button") << QStringLiteral("Key_NumOn_7") << Qt::RightButton;
    QTest::newRow("face corner, middle button") << QStringLiteral("Tenkey_7") << Qt::MiddleButton;
}

void TstMainWindow::pressOnFaceOrLegendActsOnce()
{
    QFETCH(QString, target);
    QFETCH(Qt::MouseButton, button);
    Fixture f(1);
    QWidget *t = find(f, target);
    const QPoint local = button == Qt::MiddleButton ? QPoint(1, 1) : QPoint();
    QTest::mousePress(f.w.windowHandle(), button, {}, at(t, local));
    QCOMPARE(f.c.ui.Disp.caption, QStringLiteral("             7 "));
    QTest::mouseRelease(f.w.windowHandle(), button, {}, at(t, local));
    QCOMPARE(f.c.ui.Disp.caption, QStringLiteral("             7 ")); // nothing on the click
    QVERIFY(!pressedLook(f, QStringLiteral("Tenkey_7")));
}

void TstMainWindow::doubleClickActsTwice()
{
    Fixture f(1);
    QTest::mouseDClick(f.w.windowHandle(), Qt::LeftButton, {}, at(find(f, QStringLiteral("Tenkey_3"))));
    QCOMPARE(labelText(f.w, "Disp"), QStringLiteral("            33 "));
}

void TstMainWindow::wideZeroKeyAcrossItsWidth()
{
    Fixture f(0);
    QWidget *zero = find(f, QStringLiteral("Tenkey_0"));
    click(f, QStringLiteral("Key_1"));
    for (QPoint local : {QPoint(1, 12), QPoint(zero->width() - 2, 12)})
        QTest::mouseClick(f.w.windowHandle(), Qt::LeftButton, {}, at(zero, local));
    QCOMPARE(labelText(f.w, "Disp"), QStringLiteral("     ° 1’00.00”"));
}

void TstMainWindow::unavailableKeyIgnored()
{
    Fixture f(0); // H:M:S-Auto: hour, minute and second keys unavailable
    keypad(f, QStringLiteral("5"));
    const QString before = f.c.ui.Disp.caption;
    const int pushKey = f.c.st.PushKey;

    QVERIFY(!find(f, QStringLiteral("H_0"))->isEnabled());
    QCOMPARE(f.w.findChild<QLabel *>(QStringLiteral("Enzan_Label_8"))->palette().color(QPalette::WindowText),
             QColor(0xC0, 0xC0, 0xC0));

    press(f, QStringLiteral("H_key_0"));
    QVERIFY(!pressedLook(f, QStringLiteral("H_key_0")));
    release(f, at(find(f, QStringLiteral("H_key_0"))));
    QTest::keyPress(f.w.windowHandle(), Qt::Key_H);
    QVERIFY(!pressedLook(f, QStringLiteral("H_key_0")));
    QCOMPARE(f.c.st.PushKey, pushKey);
    QTest::keyRelease(f.w.windowHandle(), Qt::Key_H);
    QCOMPARE(f.c.ui.Disp.caption, before);

    // The same key in H:M:S-Unit acts.
    Fixture g(2);
    keypad(g, QStringLiteral("5"));
    click(g, QStringLiteral("H_0"));
    QCOMPARE(labelText(g.w, "Disp"), QStringLiteral("    5°00’00.00”"));
}

void TstMainWindow::faceHeldUntilMouseRelease()
{
    Fixture f(1);
    QWidget *face = find(f, QStringLiteral("Enzan_key_1"));
    keypad(f, QStringLiteral("4"));
    QTest::mousePress(f.w.windowHandle(), Qt::RightButton, {}, at(face));
    QVERIFY(pressedLook(f, QStringLiteral("Enzan_key_1")));
    QCOMPARE(labelText(f.w, "ENZANSI"), QStringLiteral("＋"));
    // Dragged off the key onto the display before the release.
    const QPoint away = at(find(f, QStringLiteral("Disp")));
    QTest::mouseMove(f.w.windowHandle(), away);
    QVERIFY(pressedLook(f, QStringLiteral("Enzan_key_1")));
    QTest::mouseRelease(f.w.windowHandle(), Qt::RightButton, {}, away);
    QVERIFY(!pressedLook(f, QStringLiteral("Enzan_key_1")));
    QCOMPARE(f.c.st.PushKey, 0);

    // The wide conversion key ends released too.
    press(f, QStringLiteral("Mode_key_1"));
    QVERIFY(pressedLook(f, QStringLiteral("Mode_key_1")));
    release(f, at(find(f, QStringLiteral("Mode_key_1"))));
    QVERIFY(!pressedLook(f, QStringLiteral("Mode_key_1")));
    QCOMPARE(f.c.ui.Mode_key[1].picture, Picture::L_Key_Off);
}

void TstMainWindow::faceHeldUntilKeyRelease()
{
    Fixture f(1);
    QTest::keyPress(f.w.windowHandle(), Qt::Key_7, Qt::KeypadModifier);
    QVERIFY(pressedLook(f, QStringLiteral("Tenkey_7")));
    QTest::keyRelease(f.w.windowHandle(), Qt::Key_7, Qt::KeypadModifier);
    QVERIFY(!pressedLook(f, QStringLiteral("Tenkey_7")));

    QTest::keyPress(f.w.windowHandle(), Qt::Key_Delete);
    QVERIFY(pressedLook(f, QStringLiteral("Ce_Key")));
    QTest::keyRelease(f.w.windowHandle(), Qt::Key_Delete);
    QVERIFY(!pressedLook(f, QStringLiteral("Ce_Key")));
}

void TstMainWindow::autoRepeatRepeatsAndKeepsTheFace()
{
    Fixture f(1);
    const auto send = [&](QEvent::Type type, bool repeat) {
        QKeyEvent e(type, Qt::Key_8, Qt::KeypadModifier, QStringLiteral("8"), repeat);
        QApplication::sendEvent(f.w.enterCapt(), &e);
    };
    send(QEvent::KeyPress, false);
    for (int i = 0; i < 2; ++i) {
        // X11 brackets every repeat with a synthetic release.
        send(QEvent::KeyRelease, true);
        QVERIFY(pressedLook(f, QStringLiteral("Tenkey_8")));
        send(QEvent::KeyPress, true);
    }
    QCOMPARE(labelText(f.w, "Disp"), QStringLiteral("           888 "));
    send(QEvent::KeyRelease, false);
    QVERIFY(!pressedLook(f, QStringLiteral("Tenkey_8")));
}

namespace {

// A key event as X11 and Wayland deliver it, with the physical key's scan code and keysym.
void sendNativeKey(Fixture &f, QEvent::Type type, int key, Qt::KeyboardModifiers mods, quint32 scanCode, quint32 keysym)
{
    QKeyEvent e(type, key, mods, scanCode, keysym, 0);
    QApplication::sendEvent(f.w.enterCapt(), &e);
}

// Scan codes of the keypad's 7 and 4 and of the editing block's Home.
constexpr quint32 ScanKeypad7 = 79, ScanKeypad4 = 83, ScanHome = 110;

} // namespace

void TstMainWindow::keypadWithNumLockOff_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<uint>("scanCode");
    QTest::addColumn<uint>("keysym");
    QTest::addColumn<QString>("disp");

    const int keypad = Qt::KeypadModifier;
    // "45+6" is pending; the keypad's 7, 1 and point enter what they show, wiping nothing.
    QTest::newRow("keypad 7 as Home") << int(Qt::Key_Home) << keypad << ScanKeypad7 << 0xff95u
                                      << QStringLiteral("            67 ");
    QTest::newRow("keypad 1 as End") << int(Qt::Key_End) << keypad << 87u << 0xff9cu
                                     << QStringLiteral("            61 ");
    QTest::newRow("keypad point as Delete")
        << int(Qt::Key_Delete) << keypad << 91u << 0xff9fu << QStringLiteral("            6. ");
    QTest::newRow("keypad 5 as Clear") << int(Qt::Key_Clear) << keypad << 84u << 0xff9du
                                       << QStringLiteral("            65 ");
    QTest::newRow("keypad 0 as Insert, no keysym")
        << int(Qt::Key_Insert) << keypad << 90u << 0u << QStringLiteral("            60 ");
    // The editing block keeps its keys: Home all-clears, Delete clears the entry.
    QTest::newRow("Home") << int(Qt::Key_Home) << 0 << ScanHome << 0xff50u << QStringLiteral("             0 ");
    QTest::newRow("Delete") << int(Qt::Key_Delete) << 0 << 119u << 0xffffu << QStringLiteral("             0 ");
}

void TstMainWindow::keypadWithNumLockOff()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(uint, scanCode);
    QFETCH(uint, keysym);
    Fixture f(1);
    keypad(f, QStringLiteral("45+6"));
    const auto mods = Qt::KeyboardModifiers(modifiers);
    sendNativeKey(f, QEvent::KeyPress, key, mods, scanCode, keysym);
    sendNativeKey(f, QEvent::KeyRelease, key, mods, scanCode, keysym);
    QTEST(labelText(f.w, "Disp"), "disp");
    QVERIFY(f.sv.messages.isEmpty());
    for (KeyFace *face : f.w.findChildren<KeyFace *>())
        QVERIFY2(!face->pressedLook(), qPrintable(face->objectName()));
}

void TstMainWindow::calculationOnKeypadWithNumLockOff()
{
    // 12.5 + 3 = typed on the keypad with Num Lock off, as Qt reports those keys.
    Fixture f(1);
    QWindow *win = f.w.windowHandle();
    for (Qt::Key key :
         {Qt::Key_End, Qt::Key_Down, Qt::Key_Delete, Qt::Key_Clear, Qt::Key_Plus, Qt::Key_PageDown, Qt::Key_Enter})
        QTest::keyClick(win, key, Qt::KeypadModifier);
    QCOMPARE(labelText(f.w, "Disp"), QStringLiteral("          15.5 "));
    QCOMPARE(labelText(f.w, "ENZANSI"), QStringLiteral("＝"));
}

void TstMainWindow::releaseMatchesPressOfTheSameKey()
{
    Fixture f(1);
    // Keypad 7 held while the keyboard layout changes: its release arrives as another key,
    // here the editing block's Home, and releases the face the press drew, doing nothing else.
    sendNativeKey(f, QEvent::KeyPress, Qt::Key_7, Qt::KeypadModifier, ScanKeypad7, 0xffb7);
    QVERIFY(pressedLook(f, QStringLiteral("Tenkey_7")));
    sendNativeKey(f, QEvent::KeyRelease, Qt::Key_Home, Qt::NoModifier, ScanKeypad7, 0xff50);
    QVERIFY(!pressedLook(f, QStringLiteral("Tenkey_7")));
    QCOMPARE(labelText(f.w, "Disp"), QStringLiteral("             7 "));

    // The same for Delete, released as the keypad point.
    sendNativeKey(f, QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, 119, 0xffff);
    QVERIFY(pressedLook(f, QStringLiteral("Ce_Key")));
    sendNativeKey(f, QEvent::KeyRelease, Qt::Key_Period, Qt::KeypadModifier, 119, 0xffae);
    QVERIFY(!pressedLook(f, QStringLiteral("Ce_Key")));

    // Two keys held at once release their own faces, in either order.
    sendNativeKey(f, QEvent::KeyPress, Qt::Key_Home, Qt::KeypadModifier, ScanKeypad7, 0xff95);
    sendNativeKey(f, QEvent::KeyPress, Qt::Key_Left, Qt::KeypadModifier, ScanKeypad4, 0xff96);
    QVERIFY(pressedLook(f, QStringLiteral("Tenkey_7")));
    QVERIFY(pressedLook(f, QStringLiteral("Tenkey_4")));
    sendNativeKey(f, QEvent::KeyRelease, Qt::Key_7, Qt::KeypadModifier, ScanKeypad7, 0xffb7);
    QVERIFY(!pressedLook(f, QStringLiteral("Tenkey_7")));
    QVERIFY(pressedLook(f, QStringLiteral("Tenkey_4")));
    sendNativeKey(f, QEvent::KeyRelease, Qt::Key_4, Qt::KeypadModifier, ScanKeypad4, 0xffb4);
    QVERIFY(!pressedLook(f, QStringLiteral("Tenkey_4")));
    QCOMPARE(labelText(f.w, "Disp"), QStringLiteral("            74 "));
}

void TstMainWindow::tooltipsNameTheKeyboardKey_data()
{
    QTest::addColumn<QString>("element"); // the face of a key, or a function button
    QTest::addColumn<QString>("tooltip");

    QTest::newRow("digit 7") << "Tenkey_7"
                             << "Keypad 7";
    QTest::newRow("wide 0") << "Tenkey_0"
                            << "Keypad 0";
    QTest::newRow("plus") << "Enzan_key_1"
                          << "Keypad +";
    QTest::newRow("divide") << "Enzan_key_4"
                            << "Keypad /";
    QTest::newRow("point") << "Kanma_Key"
                           << "Keypad .";
    QTest::newRow("equals") << "Eq_key"
                            << "Enter";
    QTest::newRow("clear entry") << "Ce_Key"
                                 << "Delete";
    QTest::newRow("all clear") << "Ac_Key"
                               << "Home";
    QTest::newRow("hours") << "H_key_0"
                           << "H";
    QTest::newRow("percent") << "Per_Key"
                             << "P";
    QTest::newRow("root") << "Root_key"
                          << "R";
    QTest::newRow("conversion") << "Mode_key_1"
                                << "Space";
    QTest::newRow("auto/unit") << "Mode_key_0"
                               << "U";
    QTest::newRow("clock") << "NowTime"
                           << "T";
    QTest::newRow("clipboard") << "CLIP_COPY"
                               << "C";
    QTest::newRow("history") << "His"
                             << "L";
    QTest::newRow("About") << "About"
                           << "A";
    QTest::newRow("quit") << "OFF"
                          << "F";
}

void TstMainWindow::tooltipsNameTheKeyboardKey()
{
    QFETCH(QString, element);
    Fixture f(1);
    // What the pointer rests on over the element's middle, as a tooltip event finds it.
    QWidget *target = find(f, element);
    QVERIFY(target);
    QWidget *hovered = f.w.childAt(at(target));
    QVERIFY(hovered);
    QTEST(hovered->toolTip(), "tooltip");
}

void TstMainWindow::timeButtonPictureBesideCaption_data()
{
    // The designed font, and the caption drawn smaller or larger as other fonts and font
    // settings make it.
    QTest::addColumn<qreal>("fontScale");
    QTest::newRow("designed font") << 1.0;
    QTest::newRow("smaller") << 0.8;
    QTest::newRow("larger") << 1.2;
}

void TstMainWindow::timeButtonPictureBesideCaption()
{
    QFETCH(qreal, fontScale);
    Fixture f(0);
    auto *button = f.w.findChild<PictureButton *>(QStringLiteral("NowTime"));
    QVERIFY(button);
    QCOMPARE(button->text(), QStringLiteral("Time"));
    QFont font = button->font();
    font.setPointSizeF(font.pointSizeF() * fontScale);
    button->setFont(font);
    checkTimeButtonLayout(*button);
}

void TstMainWindow::mainRowKeysIgnored_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("7") << int(Qt::Key_7);
    QTest::newRow("0") << int(Qt::Key_0);
    QTest::newRow("+") << int(Qt::Key_Plus);
    QTest::newRow("-") << int(Qt::Key_Minus);
    QTest::newRow("*") << int(Qt::Key_Asterisk);
    QTest::newRow("/") << int(Qt::Key_Slash);
    QTest::newRow(".") << int(Qt::Key_Period);
}

void TstMainWindow::mainRowKeysIgnored()
{
    QFETCH(int, key);
    Fixture f(1);
    keypad(f, QStringLiteral("5"));
    press(f, QStringLiteral("Key_2")); // held: PushKey 12
    QCOMPARE(f.c.st.PushKey, 12);
    const QString before = labelText(f.w, "Disp");
    QTest::keyClick(f.w.windowHandle(), Qt::Key(key));
    QCOMPARE(labelText(f.w, "Disp"), before);
    QCOMPARE(labelText(f.w, "ENZANSI"), QStringLiteral("　"));
    QCOMPARE(f.c.st.PushKey, 0); // like every unmapped key
    // The face the mouse holds stays pressed after its release: PushKey no longer names it.
    release(f, at(find(f, QStringLiteral("Key_2"))));
    QVERIFY(pressedLook(f, QStringLiteral("Tenkey_2")));
}

void TstMainWindow::keysReachWindowBeforeFocusedElement()
{
    Fixture f(0);
    QVERIFY(QTest::qWaitForWindowActive(&f.w));
    QCOMPARE(QApplication::focusWidget(), f.w.enterCapt());

    // A function button clicked keeps the focus on the panel.
    click(f, QStringLiteral("CLIP_COPY"));
    QCOMPARE(QApplication::focusWidget(), f.w.enterCapt());

    // Space and Enter sent straight at the quit button are the calculator's keys, not a click.
    QWidget *off = find(f, QStringLiteral("OFF"));
    QTest::keyClick(off, Qt::Key_Space);
    QCOMPARE(labelText(f.w, "MODE"), QString()); // conversion to seconds
    QTest::keyClick(off, Qt::Key_Return);
    QTest::keyClick(off, Qt::Key_Enter, Qt::KeypadModifier);
    QVERIFY(f.sv.questions.isEmpty());
    QCOMPARE(labelText(f.w, "ENZANSI"), QStringLiteral("＝"));
}

void TstMainWindow::mouseMoveOverBackgroundReleasesFace()
{
    Fixture f(1);
    QTest::keyPress(f.w.windowHandle(), Qt::Key_P); // percent: face pressed, PushKey 23
    QVERIFY(pressedLook(f, QStringLiteral("Per_Key")));
    QTest::mouseMove(f.w.windowHandle(), at(find(f, QStringLiteral("Tenkey_5"))));
    QVERIFY(pressedLook(f, QStringLiteral("Per_Key"))); // over a key: not the background
    QTest::mouseMove(f.w.windowHandle(), QPoint(3, 200));
    QVERIFY(!pressedLook(f, QStringLiteral("Per_Key")));
    QCOMPARE(f.c.st.PushKey, 0);
}

void TstMainWindow::errorShownThroughMessageService()
{
    Fixture f(1);
    keypad(f, QStringLiteral("5/0="));
    QCOMPARE(f.sv.messages, QStringList{QStringLiteral("ゼロによる割り算が実行されました")});
    QCOMPARE(labelText(f.w, "Disp"), QStringLiteral("             0 "));
}

void TstMainWindow::quitAnsweredNo()
{
    Fixture f(0);
    QVERIFY(QTest::qWaitForWindowActive(&f.w));
    keypad(f, QStringLiteral("12+3"));
    const QString disp = labelText(f.w, "Disp");
    f.sv.answerYes = false;
    click(f, QStringLiteral("OFF"));
    QCOMPARE(f.sv.questions, QStringList{QStringLiteral("Vantoro|終了します．よろしいですか?")});
    QCOMPARE(f.sv.endCount, 0);
    QCOMPARE(labelText(f.w, "Disp"), disp);
    QCOMPARE(QApplication::focusWidget(), f.w.enterCapt());
    QVERIFY(!f.settings().contains("INIT_XY"));
    keypad(f, QStringLiteral("=")); // still calculating
    QCOMPARE(labelText(f.w, "Disp"), QStringLiteral("     °  ’15.00”"));
}

void TstMainWindow::quitAnsweredYes()
{
    Fixture f(1);
    f.sv.answerYes = true;
    QTest::keyClick(f.w.windowHandle(), Qt::Key_F);
    QCOMPARE(f.sv.questions.size(), 1);
    QCOMPARE(f.sv.endCount, 1);
    const QByteArray ini = f.settings();
    for (const char *line : {"X=", "Y=", "HMS=1", "HIS=0"})
        QVERIFY2(ini.contains(line), ini.constData());
    // Nothing reaches the calculator any more, the close that follows saves nothing again.
    const QString disp = labelText(f.w, "Disp");
    click(f, QStringLiteral("Key_9"));
    QCOMPARE(labelText(f.w, "Disp"), disp);
    QFile::remove(f.c.st.IniFile);
    f.w.close();
    QVERIFY(!QFile::exists(f.c.st.IniFile));
}

void TstMainWindow::closeSavesWithoutAsking()
{
    Fixture f(2);
    f.w.close();
    QVERIFY(f.sv.questions.isEmpty());
    QCOMPARE(f.sv.endCount, 0);
    QVERIFY(f.settings().contains("HMS=2"));
}

void TstMainWindow::minimiseKeyAndRestore()
{
    Fixture f(0);
    click(f, QStringLiteral("His"));
    QVERIFY(f.c.history.visible);
    click(f, QStringLiteral("Iconize"));
    QVERIFY(f.w.isMinimized());
    QVERIFY(f.c.ui.minimised);
    QVERIFY(!f.c.history.visible);
    f.w.showNormal(); // restored by the system
    QTRY_VERIFY(!f.c.ui.minimised);
    QVERIFY(f.c.history.visible);
}

void TstMainWindow::clockByTimerAndKey()
{
    Fixture f(0);
    const QTimer &timer = f.w.timer1();
    QVERIFY(timer.isActive());
    QCOMPARE(timer.interval(), 65535);

    // Six idle ticks bring up the clock; the ticks arrive as the timer's own signal.
    for (int i = 0; i < 6; ++i)
        QMetaObject::invokeMethod(const_cast<QTimer *>(&timer), "timeout");
    QCOMPARE(labelText(f.w, "Disp"), QStringLiteral("12-24-2026 10:20:30 "));
    QCOMPARE(labelText(f.w, "MODE"), QStringLiteral("NOW"));
    QCOMPARE(timer.interval(), 250);
    QVERIFY(timer.isActive());

    // "T" leaves the clock for the calculator's display and the idle interval.
    QTest::keyClick(f.w.windowHandle(), Qt::Key_T);
    QCOMPARE(labelText(f.w, "Disp"), QStringLiteral("     °  ’    0”"));
    QCOMPARE(timer.interval(), 65535);
    QVERIFY(timer.isActive());
}

void TstMainWindow::idleCountdownRestartsWithEachRefresh()
{
    Fixture f(1);
    int starts = f.w.timer1Starts();
    keypad(f, QStringLiteral("4")); // the display refresh switches the timer off and on
    QCOMPARE(f.w.timer1Starts(), starts + 1);
    QCOMPARE(f.w.timer1().interval(), 65535);
    starts = f.w.timer1Starts();
    QTest::keyClick(f.w.windowHandle(), Qt::Key_Shift); // no action, no refresh
    QTest::mouseMove(f.w.windowHandle(), QPoint(3, 200));
    QCOMPARE(f.w.timer1Starts(), starts);
}

VANTORO_GUI_TEST_MAIN(TstMainWindow)
#include "tst_mainwindow.moc"
