// SPDX-License-Identifier: GPL-3.0-or-later
// Not a test of its own: a GUI test that goes wrong, run by tst_gui_harness. Each of its
// failing functions opens a modal dialog no test double catches; the watchdog must fail
// that function, close the dialog and let the run go on.
#include <QMessageBox>
#include <QtTest>

#include "qt/qtservices.h"
#include "support/gui_harness.h"

class TstUnexpectedModal : public QObject
{
    Q_OBJECT

private slots:
    void messageBoxOpened()
    {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Probe"), QStringLiteral("a stray message box"),
                        QMessageBox::Ok);
        box.exec();
    }
    // A test that forgot its test double: the program's own question, Yes the default.
    void questionOfTheRealServices()
    {
        vantoro::QtServices services;
        QVERIFY(!services.askYesNo(QStringLiteral("a stray question"), QStringLiteral("Probe")));
    }
    void runGoesOnHeadless()
    {
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("offscreen"));
    }
};

VANTORO_GUI_TEST_MAIN(TstUnexpectedModal)
#include "watchdog_probe.moc"
