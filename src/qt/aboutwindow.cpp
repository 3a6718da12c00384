// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/aboutwindow.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "panel/layout.h"
#include "qt/accessibility.h"
#include "qt/artwork.h"
#include "qt/fonts.h"

namespace vantoro {

namespace {

constexpr TwipRect AboutClient{0, 0, 3990, 2640};

// The calculator's icon, painted at the screen's resolution.
class IconPicture : public QWidget
{
public:
    explicit IconPicture(QWidget *parent) : QWidget(parent) {}

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        windowIcon().paint(&p, rect());
    }
};

QLabel *label(QWidget *parent, const char *name, const TwipRect &r, const FontDef &font, Qt::Alignment align,
              const QString &text = {})
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setTextFormat(Qt::PlainText);
    l->setGeometry(toPixels(r));
    l->setFont(fontFor(font));
    l->setAlignment(align | Qt::AlignVCenter);
    return l;
}

} // namespace

QString AboutWindow::copyrightText()
{
    return QStringLiteral("© 2026 Vantoro developers");
}

QString AboutWindow::contactText()
{
    return QStringLiteral("Feedback: vantoro@vantoro.example");
}

AboutWindow::AboutWindow(QWidget *owner)
    // A fixed dialog frame; not modal, so the calculator stays usable beside it.
    : QWidget(owner, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                         | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("AboutBox"));
    setAccessibleRole(this, QAccessible::Dialog); // before the name, whose event fixes the interface
    setAccessibleName(tr("About Vantoro"));
    setWindowTitle(QStringLiteral("About"));
    setWindowIcon(windowIcon());
    setFixedSize(toPixels(AboutClient).size());
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, toQColor(0xC0C0C0));
    pal.setColor(QPalette::Button, toQColor(0xC0C0C0));
    pal.setColor(QPalette::WindowText, Qt::black);
    pal.setColor(QPalette::ButtonText, Qt::black);
    setPalette(pal);

    auto *frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("ABOUTBOX_FRAME"));
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken); // the etched border of a frame without caption
    frame->setGeometry(toPixels(TwipRect{90, 60, 3735, 2490}));
    // A group around the texts, not a window frame of its own.
    setAccessibleRole(frame, QAccessible::Grouping);

    const FontDef arialTitle{QStringLiteral("Arial"), 11.25, true, true};
    const FontDef arialItalic{QStringLiteral("Arial"), 9, false, true};
    // The title is given room for its text in the substitute font; nothing lies to its right.
    m_title = label(frame, "ABOUTBOX_TITLE", {120, 240, 2000, 285}, arialTitle, Qt::AlignLeft);
    m_version = label(frame, "ABOUTBOX_VER", {840, 600, 2670, 225}, arialItalic, Qt::AlignRight);
    m_platform = label(frame, "AboutBox_For", {720, 825, 2775, 255}, arialItalic, Qt::AlignRight);

    auto *rule = new QFrame(frame);
    rule->setObjectName(QStringLiteral("Frame1"));
    rule->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    rule->setGeometry(toPixels(TwipRect{120, 1080, 3495, 135}));
    setAccessibleRole(rule, QAccessible::Separator);

    auto *copyright = label(frame, "CopyRight", {30, 1320, 3675, 225}, {QStringLiteral("ＭＳ Ｐゴシック"), 11.25},
                            Qt::AlignHCenter, copyrightText());
    auto *mail = label(frame, "mail", {120, 1680, 3495, 255}, {QStringLiteral("Arial"), 8.25}, Qt::AlignHCenter,
                       contactText());
    copyright->setAccessibleName(copyrightText());
    mail->setAccessibleName(contactText());
    mail->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *manual = new QPushButton(QStringLiteral("Manual"), frame);
    manual->setObjectName(QStringLiteral("MANUAL"));
    manual->setGeometry(toPixels(TwipRect{120, 1995, 1095, 375}));
    manual->setFocusPolicy(Qt::NoFocus);
    manual->hide(); // never shown, and so out of the accessibility tree

    auto *ok = new QPushButton(QStringLiteral("OK"), frame);
    ok->setObjectName(QStringLiteral("OK"));
    ok->setAccessibleName(QStringLiteral("OK"));
    ok->setAccessibleDescription(tr("Close the About window"));
    ok->setGeometry(toPixels(TwipRect{2520, 1995, 1095, 375}));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &AboutWindow::okClicked);

    auto *picture = new IconPicture(this); // above the frame
    picture->setObjectName(QStringLiteral("Picture1"));
    setAccessibleRole(picture, QAccessible::Graphic);
    picture->setAccessibleName(tr("Vantoro icon"));
    picture->setGeometry(toPixels(TwipRect{240, 645, 480, 480}));
}

void AboutWindow::setTexts(const QString &title, const QString &version, const QString &platform)
{
    m_title->setText(title);
    m_title->parentWidget()->setAccessibleName(title); // the group is named after the program
    m_version->setText(version);
    m_platform->setText(platform);
}

void AboutWindow::closeEvent(QCloseEvent *event)
{
    // The owner closes the window once the logic has taken note.
    event->ignore();
    emit closeRequested();
}

} // namespace vantoro
