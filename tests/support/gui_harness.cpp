// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/gui_harness.h"

#include <QDialog>
#include <QMessageBox>
#include <QStandardPaths>

#include "qt/fonts.h"

namespace vantoro::test {

namespace {

// Often enough that a test stuck in a dialog goes on at once, seldom enough to cost nothing.
constexpr int WatchdogIntervalMs = 20;

QString describe(const QWidget *modal)
{
    QString text;
    if (const auto *box = qobject_cast<const QMessageBox *>(modal))
        text = box->text();
    return QStringLiteral("\"%1\": \"%2\" (%3)")
        .arg(modal->windowTitle(), text, QString::fromLatin1(modal->metaObject()->className()));
}

} // namespace

ModalWatchdog::ModalWatchdog()
{
    m_timer.setInterval(WatchdogIntervalMs);
    QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { check(); });
    m_timer.start();
}

void ModalWatchdog::check()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal)
        return;
    const QString what = describe(modal);
    // Closed first, so the test goes on after the failure is recorded; a dialog's reject()
    // ends its exec() whatever buttons it has.
    if (auto *dialog = qobject_cast<QDialog *>(modal))
        dialog->reject();
    else
        modal->close();
    QTest::qFail(qPrintable(QStringLiteral("Unexpected modal dialog %1, closed by the watchdog").arg(what)), __FILE__,
                 __LINE__);
}

GuiHarness::GuiHarness(int &argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Nothing of the user's configuration (fontconfig's, the desktop's) reaches the test,
    // and nothing the test writes reaches the user's.
    if (m_home.isValid())
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.filePath(QStringLiteral("config"))));
    m_app = std::make_unique<QApplication>(argc, argv);
    QApplication::setAttribute(Qt::AA_Use96Dpi, true);
    QStandardPaths::setTestModeEnabled(true);
    installFontSubstitutes();
    m_watchdog = std::make_unique<ModalWatchdog>();
}

GuiHarness::~GuiHarness() = default;

int GuiHarness::exec(QObject *test, int argc, char **argv)
{
    return QTest::qExec(test, argc, argv);
}

} // namespace vantoro::test
