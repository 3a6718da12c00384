// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/mainwindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QWindow>

#include "app/app.h"
#include "panel/panel.h"
#include "qt/aboutwindow.h"
#include "qt/accessibility.h"
#include "qt/artwork.h"
#include "qt/captionlabel.h"
#include "qt/fonts.h"
#include "qt/historywindow.h"
#include "qt/keymap.h"
#include "qt/keywidgets.h"
#include "qt/qtservices.h"

namespace vantoro {

namespace {

void setColour(QWidget *w, QPalette::ColorRole role, Colour colour)
{
    QPalette pal = w->palette();
    pal.setColor(role, toQColor(colour));
    w->setPalette(pal);
}

// A fixed frame with a close button only: the window has its own minimise key. Under
// Wayland the title bar is Qt's own drawing (its "bradient" decoration), which offers
// minimise and maximise whatever the flags say; there the window goes without one, and its
// title strip moves it instead.
Qt::WindowFlags mainWindowFlags()
{
    if (!platformReportsWindowPosition())
        return Qt::Window | Qt::FramelessWindowHint;
    return Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
           | Qt::WindowCloseButtonHint;
}

// The keyboard key that does what a key or function button does, so the keyboard map can
// be found in the window.
QString keyboardKeyText(const KeyRow &key)
{
    return key.keyboardName ? QCoreApplication::translate("Key", key.keyboardName) : QString();
}

} // namespace

VantoroWindow::VantoroWindow(Calculator &calc, QWidget *parent) : QWidget(parent, mainWindowFlags()), c(calc)
{
    // Roles first: the first accessibility event of a widget fixes its interface.
    installAccessibleRoles();
    setAccessibleRole(this, QAccessible::Window);
    setObjectName(QStringLiteral("Vantoro"));
    setAccessibleName(QStringLiteral("Vantoro"));
    setFixedSize(toPixels(TwipRect{0, 0, ClientWidthTwips, ClientHeightTwips}).size());
    setAttribute(Qt::WA_OpaquePaintEvent); // the case drawing covers the whole client area
    setMouseTracking(true);

    m_bound.reserve(mainElements().size() + 3 * mainKeys().size());
    for (const ElementDef &def : mainElements())
        build(def, this);
    for (const KeyDef &key : mainKeys())
        buildKey(key);

    connect(&m_timer1, &QTimer::timeout, this, [this] { act([this] { timer1_timer(c); }); });
    setDeferredAccessibleTexts(this, [this] { speakDisplay(); });
    qApp->installEventFilter(this);
    sync();
    for (const Bound &b : m_bound) {
        if (!b.def->font.family.isEmpty())
            b.widget->setFont(fontFor(b.def->font));
    }
}

VantoroWindow::~VantoroWindow()
{
    endDeferredAccessibleTexts(this);
    qApp->removeEventFilter(this);
}

QWidget *VantoroWindow::build(const ElementDef &def, QWidget *parent)
{
    QWidget *w = nullptr;
    switch (def.kind) {
    case ElementKind::Label:
    case ElementKind::KeyLegend: {
        auto *label = new CaptionLabel(parent);
        label->setAlignment(captionAlignment(def.align));
        setColour(label, QPalette::WindowText, def.designFore);
        if (def.kind == ElementKind::KeyLegend)
            label->setAttribute(Qt::WA_TransparentForMouseEvents);
        w = label;
        break;
    }
    case ElementKind::Button: {
        const bool nowTime = def.name == QLatin1String("NowTime");
        auto *button = nowTime ? new PictureButton(nowTimeIcon(), parent) : new QPushButton(parent);
        button->setFocusPolicy(Qt::NoFocus); // Space and Enter must never click a button
        button->setAutoDefault(false);
        if (def.opaque)
            setColour(button, QPalette::Button, def.designBack);
        void (*action)(Calculator &) = def.name == QLatin1String("Iconize") ? Iconize_Click : nullptr;
        if (const KeyRow *key = keyForElement(def.name)) {
            action = key->action;
            button->setToolTip(keyboardKeyText(*key));
            setKeyBindings(button, {keyboardKeyText(*key)});
        }
        if (action)
            connect(button, &QPushButton::clicked, this, [this, action] { act([this, action] { action(c); }); });
        w = button;
        break;
    }
    case ElementKind::Panel:
        w = new QWidget(parent);
        w->setFocusPolicy(Qt::StrongFocus);
        // The focus stays here while the user calculates, so this is what follows the display.
        setAccessibleRole(w, QAccessible::Pane);
        setAccessibleText(w, QString());
        announceDescription(w, QString());
        m_enterCapt = w;
        break;
    case ElementKind::KeyRegion: w = new KeyRegion(parent); break;
    case ElementKind::KeyFace:
        w = new KeyFace(parent);
        keepOutOfAccessibleTree(w); // the button region beneath is the key, with its legend inside
        break;
    }
    if (def.name == QLatin1String("Disp")) {
        setAccessibleRole(w, QAccessible::StaticText);
        setAccessibleText(w, QString());
        m_disp = w;
    }
    if (def.opaque && def.kind != ElementKind::Button) {
        w->setAutoFillBackground(true);
        setColour(w, QPalette::Window, def.designBack);
    }
    w->setObjectName(def.objectName());
    w->setGeometry(toPixels(def.rect));
    if (def.name == QLatin1String("Title"))
        m_title = w;
    m_bound.push_back({&def, w});
    return w;
}

void VantoroWindow::buildKey(const KeyDef &key)
{
    auto *region = static_cast<KeyRegion *>(build(key.region, this));
    region->setToolTip(keyboardKeyText(keyRow(key.id))); // the face and legend let hovering through
    QWidget *face = build(key.face, this);               // above the region, which it hides
    build(key.legend, face);
    const KeyDef *k = &key;
    for (size_t i = m_bound.size() - 3; i < m_bound.size(); ++i)
        m_bound[i].key = k;
    setKeyBindings(region, {keyboardKeyText(keyRow(k->id))});
    const auto down = [this, k] {
        act([this, k] {
            if (keyButton(c, k->id).enabled)
                keyMouseDown(c, k->id);
        });
    };
    const auto up = [this, k] { act([this, k] { keyMouseUp(c, k->id); }); };
    connect(region, &KeyRegion::mousePressed, this, down);
    connect(region, &KeyRegion::mouseReleased, this, up);
    // A click that is no mouse press, as an assistive technology's press action gives.
    connect(region, &QAbstractButton::pressed, this, down);
    connect(region, &QAbstractButton::released, this, up);
}

template <typename Action>
void VantoroWindow::act(Action action)
{
    if (m_ended)
        return;
    action();
    if (!m_ended) {
        sync();
    } else {
        // The exit closes the history and About windows.
        syncHistory();
        syncAbout();
    }
}

void VantoroWindow::sync()
{
    const bool first = !m_synced;
    for (const Bound &b : m_bound) {
        const int i = b.def->index < 0 ? 0 : b.def->index;
        apply(b, b.def->record(c.ui, i), first ? nullptr : &b.def->record(m_applied, i));
    }
    syncWindow(first);
    syncTimer(first);
    syncAccessibleNames(first);
    m_applied = c.ui;
    m_synced = true;
    syncHistory();
    syncAbout();
    activateRequested();
}

void VantoroWindow::apply(const Bound &b, const Element &now, const Element *before)
{
    const auto changed = [&](auto member) { return !before || now.*member != before->*member; };
    QWidget *w = b.widget;
    const ElementDef &def = *b.def;
    switch (def.kind) {
    case ElementKind::Label:
    case ElementKind::KeyLegend:
        if (changed(&Element::caption))
            static_cast<QLabel *>(w)->setText(now.caption);
        if (def.live == LiveColour::Fore && changed(&Element::foreColor))
            setColour(w, QPalette::WindowText, now.foreColor);
        if (def.live == LiveColour::Back && changed(&Element::backColor))
            setColour(w, QPalette::Window, now.backColor);
        break;
    case ElementKind::Button:
    case ElementKind::KeyRegion:
        if (changed(&Element::caption))
            static_cast<QPushButton *>(w)->setText(now.caption);
        break;
    case ElementKind::KeyFace:
        if (changed(&Element::picture))
            static_cast<KeyFace *>(w)->setPicture(now.picture);
        break;
    case ElementKind::Panel: break;
    }
    // Faces take no mouse input whatever their record says; their legends stay legible.
    if (def.kind != ElementKind::KeyFace && changed(&Element::enabled)) {
        w->setEnabled(now.enabled);
        if (def.kind == ElementKind::KeyRegion)
            m_availabilityChanged = true;
    }
    if (changed(&Element::visible))
        w->setVisible(now.visible);
}

void VantoroWindow::syncWindow(bool first)
{
    const MainWindowElements &ui = c.ui;
    if (first || ui.caption != m_applied.caption)
        setWindowTitle(ui.caption);
    if (first || ui.left != m_applied.left || ui.top != m_applied.top)
        move(toPixels(QPoint(int(ui.left), int(ui.top))));
    if (first || ui.minimised != m_applied.minimised) {
        if (ui.minimised && !isMinimized())
            showMinimized();
        else if (!ui.minimised && isMinimized())
            showNormal();
    }
}

void VantoroWindow::syncTimer(bool first)
{
    const TimerRecord &t = c.ui.Timer1, &was = m_applied.Timer1;
    if (!first && t.enabled == was.enabled && t.interval == was.interval && t.restarts == was.restarts)
        return;
    if (t.enabled && t.interval > 0) {
        m_timer1.start(t.interval);
        ++m_timer1Starts;
    } else {
        m_timer1.stop();
    }
}

void VantoroWindow::syncAccessibleNames(bool first)
{
    const MainWindowElements &ui = c.ui, &was = m_applied;
    const auto changed = [first](const Element &now, const Element &before) {
        return first || now.caption != before.caption;
    };
    const bool value = changed(ui.Disp, was.Disp), sign = changed(ui.Hugou, was.Hugou),
               op = changed(ui.ENZANSI, was.ENZANSI), mode = changed(ui.MODE, was.MODE);
    const bool display = value || sign || op || mode; // the display is spoken as one value
    const bool modeKeys = changed(ui.hms, was.hms) || changed(ui.Unit_input, was.Unit_input);
    // Why a key is unavailable depends on the mode and the entry under way only.
    const Unavailability unavailability{c.st.Mode, c.st.EntryIdx == 2, c.st.DigitCount > 0};
    const bool reasons = first || m_availabilityChanged || unavailability != m_unavailability;
    m_unavailability = unavailability;
    m_availabilityChanged = false;
    if (display) {
        // The display in words is worked out at once for a reader that listens, and for
        // anyone else when asked (most keys change only the digits).
        m_displayUnspoken = true;
        if (first || QAccessible::isActive())
            speakDisplay();
    }
    if (!modeKeys && !reasons && !mode && !sign && !op)
        return; // most keys: the digits change and the names stay
    for (const Bound &b : m_bound) {
        QString name;
        if (b.key) {
            if (b.def->kind != ElementKind::KeyRegion)
                continue; // faces and legends are out of the tree: the region is the key
            if (reasons) {
                const QString why = b.widget->isEnabled() ? QString() : unavailableText(b.key->id, c.st);
                if (b.widget->accessibleDescription() != why)
                    b.widget->setAccessibleDescription(why);
            }
            if (!first && !(modeKeys && b.key->wide))
                continue;
            name = keyName(b.key->id, ui);
        } else {
            const QString &n = b.def->name;
            const bool renamed = first || (n == QLatin1String("MODE") && mode) || (n == QLatin1String("Hugou") && sign)
                                 || (n == QLatin1String("ENZANSI") && op);
            if (!renamed || b.widget == m_disp)
                continue;
            name = elementName(n, ui);
            if (name.isEmpty())
                name = b.def->objectName();
        }
        if (b.widget->accessibleName() != name)
            b.widget->setAccessibleName(name); // also tells an active screen reader
    }
}

void VantoroWindow::speakDisplay()
{
    if (!m_displayUnspoken)
        return;
    m_displayUnspoken = false;
    const MainWindowElements &ui = c.ui;
    const QString spoken = spokenValue(ui);
    if (m_disp->accessibleName() != spoken)
        m_disp->setAccessibleName(spoken); // also tells an active screen reader
    setAccessibleText(m_disp, ui.Disp.caption);
    // The focus panel keeps the focus while the user calculates: a reader speaks the
    // change of its description, the display in words. Its text is the exact display.
    setAccessibleText(m_enterCapt, exactValue(ui));
    announceDescription(m_enterCapt, spoken);
}

void VantoroWindow::syncHistory()
{
    const HistoryWindowElements &h = c.history, &was = m_appliedHistory;
    if (!h.loaded) {
        if (m_history) {
            m_history->hide();
            m_history->deleteLater(); // it may be in its own close event
            m_history = nullptr;
        }
        m_appliedHistory = h;
        return;
    }
    const bool created = !m_history;
    if (created) {
        m_history = new HistoryWindow(this);
        connect(m_history, &HistoryWindow::lineSelected, this,
                [this](int row) { act([this, row] { c.history.ListIndex = row; }); });
        connect(m_history, &HistoryWindow::lineDoubleClicked, this, [this] { act([this] { His_List_DblClick(c); }); });
        connect(m_history, &HistoryWindow::closeRequested, this, [this] { act([this] { History_Unload(c); }); });
        connect(m_history, &HistoryWindow::moved, this, [this](QPoint pos) {
            // Moved by the user: the record follows, as the calculator's own does.
            if (pos != toPixels(QPoint(int(c.history.left), int(c.history.top)))) {
                c.history.left = m_appliedHistory.left = pos.x() * TwipsPerPixel;
                c.history.top = m_appliedHistory.top = pos.y() * TwipsPerPixel;
            }
        });
    }
    if (created || h.left != was.left || h.top != was.top)
        m_history->move(toPixels(QPoint(int(h.left), int(h.top))));
    const bool lines = created || h.His_List != was.His_List;
    if (lines)
        m_history->setLines(h.His_List.toList());
    if (lines || h.ListIndex != was.ListIndex)
        m_history->setSelected(h.ListIndex);
    if (created || h.visible != was.visible)
        m_history->setVisible(h.visible);
    m_appliedHistory = h;
}

void VantoroWindow::syncAbout()
{
    const AboutWindowElements &a = c.about;
    if (!a.loaded) {
        if (m_about) {
            m_about->hide();
            m_about->deleteLater();
            m_about = nullptr;
        }
        return;
    }
    if (m_about)
        return; // texts and place are set once, when it opens
    m_about = new AboutWindow(this);
    connect(m_about, &AboutWindow::okClicked, this, [this] { act([this] { OK_Click(c); }); });
    connect(m_about, &AboutWindow::closeRequested, this, [this] { act([this] { About_Unload(c); }); });
    m_about->setTexts(a.ABOUTBOX_TITLE, a.ABOUTBOX_VER, a.AboutBox_For);
    m_about->move(toPixels(QPoint(int(a.left), int(a.top))));
    m_about->show();
}

void VantoroWindow::activateRequested()
{
    const bool weak = m_weakActivate;
    m_weakActivate = false;
    if (!m_activate) {
        if (weak && m_started && isVisible() && !isMinimized() && !isActiveWindow())
            activateWindow();
        return;
    }
    const WindowId id = *m_activate;
    m_activate.reset();
    QWidget *w = this;
    if (id == WindowId::History)
        w = m_history;
    else if (id == WindowId::About)
        w = m_about;
    // During start-up the calculator is shown once the start-up logic has placed it.
    if (!w || (w == this && !m_started))
        return;
    w->show();
    w->raise();
    w->activateWindow();
}

void VantoroWindow::start()
{
    Form_Load(c);
    sync();
    show();
    m_started = true;
    // Also the focus the window will give when it becomes active.
    m_enterCapt->setFocus(Qt::OtherFocusReason);
}

bool VantoroWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_title && event->type() == QEvent::MouseButtonPress && (windowFlags() & Qt::FramelessWindowHint)
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton && windowHandle()) {
        // Without a title bar of its own the window is moved by its title strip.
        windowHandle()->startSystemMove();
        return true;
    }
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        // Every key meant for this window comes here first and goes no further, so no
        // element ever acts on a key itself.
        auto *w = qobject_cast<QWidget *>(watched);
        if (w && w->window() == this)
            return handleKey(static_cast<QKeyEvent *>(event));
    }
    return QWidget::eventFilter(watched, event);
}

bool VantoroWindow::handleKey(QKeyEvent *event)
{
    // A release is the release of whatever its press was: Num Lock or the layout may change
    // while the key is held, and the release then arrives as another key. Physical keys are
    // told apart by their scan code; events without one (synthetic ones) map on their own.
    const quint32 scanCode = event->nativeScanCode();
    int code = windowsKeyCode(*event);
    if (event->type() == QEvent::KeyPress) {
        if (scanCode != 0)
            m_heldKeys[scanCode] = code;
        act([this, code] { Form_keydown(c, code); }); // held keys repeat
    } else if (!event->isAutoRepeat()) {
        // X11 sends a release before every repeat; only the real one releases the face.
        if (const auto held = m_heldKeys.find(scanCode); scanCode != 0 && held != m_heldKeys.end()) {
            code = held->second;
            m_heldKeys.erase(held);
        }
        act([this, code] { Form_KeyUp(c, code); });
    }
    return true;
}

bool VantoroWindow::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate && !m_ended)
        m_enterCapt->setFocus(Qt::ActiveWindowFocusReason);
    return QWidget::event(event);
}

void VantoroWindow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paintCase(p, QRectF(rect()));
    for (const LineDef &line : mainLines()) {
        const QPoint a = toPixels(line.from), b = toPixels(line.to);
        const int w = line.widthPixels;
        const QRect r = a.y() == b.y() ? QRect(std::min(a.x(), b.x()), a.y(), std::abs(b.x() - a.x()) + w, w)
                                       : QRect(a.x(), std::min(a.y(), b.y()), w, std::abs(b.y() - a.y()) + w);
        p.fillRect(r, toQColor(line.colour));
    }
}

void VantoroWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (!childAt(event->position().toPoint()))
        act([this] { Form_MouseMove(c); });
    QWidget::mouseMoveEvent(event);
}

void VantoroWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::WindowStateChange) {
        const bool minimised = isMinimized();
        if (minimised != c.ui.minimised) {
            act([this, minimised] {
                c.ui.minimised = minimised;
                Form_Resize(c);
            });
        }
    }
    QWidget::changeEvent(event);
}

void VantoroWindow::closeEvent(QCloseEvent *event)
{
    act([this] { Form_Unload(c); });
    event->accept();
}

void VantoroWindow::moveEvent(QMoveEvent *event)
{
    // The user moved the window: the records follow, in twips. A position that only
    // differs from the record by the rounding to pixels leaves the record as it is.
    // Under Wayland the reported position is not the window's: the records keep theirs.
    if (m_synced && platformReportsWindowPosition() && pos() != toPixels(QPoint(int(c.ui.left), int(c.ui.top)))) {
        c.ui.left = m_applied.left = pos().x() * TwipsPerPixel;
        c.ui.top = m_applied.top = pos().y() * TwipsPerPixel;
    }
    QWidget::moveEvent(event);
}

} // namespace vantoro
