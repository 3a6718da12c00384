// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The process of every GUI test: the real windows, headless and apart from the user's own
// configuration, and never stuck in a modal dialog. A GUI test ends with
//   VANTORO_GUI_TEST_MAIN(TstSomething)
// in place of QTEST_MAIN; a static TstSomething::initMain() still runs first, before the
// application exists (for environment variables Qt reads at start-up).
#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

namespace vantoro::test {

// Fails the running test when a modal dialog opens, closes the dialog and lets the test go on.
// Without it a test that opens a message box by mistake waits for a click no one makes.
// Checks every few milliseconds, also inside the dialog's own event loop.
class ModalWatchdog
{
public:
    ModalWatchdog();

private:
    void check();

    QTimer m_timer;
};

class GuiHarness
{
public:
    // Before the application: the offscreen platform when QT_QPA_PLATFORM is empty, and the
    // XDG configuration directory in a temporary folder. Then the application, the standard
    // paths in test mode, the program's font substitutes and the watchdog.
    GuiHarness(int &argc, char **argv);
    ~GuiHarness();

    int exec(QObject *test, int argc, char **argv);

private:
    QTemporaryDir m_home;
    std::unique_ptr<QApplication> m_app;
    std::unique_ptr<ModalWatchdog> m_watchdog;
};

template <class Test>
void callInitMain()
{
    if constexpr (requires { Test::initMain(); })
        Test::initMain();
}

} // namespace vantoro::test

#define VANTORO_GUI_TEST_MAIN(TestObject)                                                                              \
    int main(int argc, char *argv[])                                                                                   \
    {                                                                                                                  \
        vantoro::test::callInitMain<TestObject>();                                                                     \
        vantoro::test::GuiHarness harness(argc, argv);                                                                 \
        TestObject test;                                                                                               \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        return harness.exec(&test, argc, argv);                                                                        \
    }
