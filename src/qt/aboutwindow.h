// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The About window AboutBox: title, version and platform texts, a copyright and a
// contact line, and OK. An ordinary window beside the calculator, not a modal dialog.
#include <QWidget>

class QLabel;

namespace vantoro {

class AboutWindow : public QWidget
{
    Q_OBJECT
public:
    explicit AboutWindow(QWidget *owner);
    void setTexts(const QString &title, const QString &version, const QString &platform);

    static QString copyrightText();
    static QString contactText();

signals:
    void okClicked();
    void closeRequested();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QLabel *m_title, *m_version, *m_platform;
};

} // namespace vantoro
