// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/qtservices.h"

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include "panel/layout.h"
#include "qt/mainwindow.h"

namespace vantoro {

void QtServices::messageBox(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, m_window ? m_window->windowTitle() : QString(), text, QMessageBox::Ok,
                    m_window);
    box.exec();
}

bool QtServices::askYesNo(const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Yes | QMessageBox::No, m_window);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

void QtServices::focusEnterCapt()
{
    if (m_window) {
        m_window->enterCapt()->setFocus(Qt::OtherFocusReason);
        m_window->keepKeyboard();
    }
}

void QtServices::clipboardClear()
{
    QGuiApplication::clipboard()->clear();
}

void QtServices::clipboardSetText(const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
}

QSize QtServices::screenTwips()
{
    const QScreen *screen = m_window && m_window->screen() ? m_window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    // Device-independent pixels, the unit the window is placed in.
    return screen->geometry().size() * TwipsPerPixel;
}

QList<QRect> QtServices::screensTwips()
{
    QList<QRect> rects;
    const QScreen *primary = QGuiApplication::primaryScreen();
    if (primary)
        rects << QRect(primary->geometry().topLeft() * TwipsPerPixel, primary->geometry().size() * TwipsPerPixel);
    for (const QScreen *screen : QGuiApplication::screens()) {
        if (screen != primary)
            rects << QRect(screen->geometry().topLeft() * TwipsPerPixel, screen->geometry().size() * TwipsPerPixel);
    }
    return rects;
}

bool platformReportsWindowPosition()
{
    // Qt offers no public test of the capability; its Wayland plugins all bear the name.
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void QtServices::activateWindow(WindowId id)
{
    if (m_window)
        m_window->requestActivation(id);
}

void QtServices::endProcess()
{
    if (m_window)
        m_window->endProcess();
    QCoreApplication::exit(0);
}

} // namespace vantoro
