// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window Vantoro: widgets built from the element table, kept in step with the
// element records after every event. Handlers only call the logic; no logic reads a widget.
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <map>
#include <optional>
#include <vector>

#include "engine/calculator.h"
#include "panel/layout.h"
#include "qt/aboutwindow.h"
#include "qt/historywindow.h"

namespace vantoro {

class VantoroWindow : public QWidget
{
    Q_OBJECT
public:
    explicit VantoroWindow(Calculator &calc, QWidget *parent = nullptr);
    ~VantoroWindow() override;

    // Start-up: the logic's Form_Load, the records applied, then the window shown.
    void start();
    // Brings the widgets in step with the records, touching only what changed.
    void sync();
    // After the exit routine: no further event reaches the logic.
    void endProcess() { m_ended = true; }
    bool ended() const { return m_ended; }
    bool started() const { return m_started; }

    // A window the logic wants shown and made the active one; done once the widgets are
    // in step with the records, so a window the same action creates can be activated.
    void requestActivation(WindowId id) { m_activate = id; }
    // The focus panel was given the keyboard focus: as a click on one of its elements
    // would, that makes the calculator the active window, unless another was asked for.
    void keepKeyboard()
    {
        if (!m_activate)
            m_weakActivate = true;
    }

    QWidget *enterCapt() const { return m_enterCapt; }
    HistoryWindow *historyWindow() const { return m_history; }
    AboutWindow *aboutWindow() const { return m_about; }
    const QTimer &timer1() const { return m_timer1; }
    int timer1Starts() const { return m_timer1Starts; } // countdowns begun, for the tests

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;

private:
    // What the spoken reason for an unavailable key depends on.
    struct Unavailability {
        int mode;
        bool awaitingUnit, keying;
        bool operator==(const Unavailability &) const = default;
    };

    struct Bound {
        const ElementDef *def;
        QWidget *widget;
        const KeyDef *key = nullptr; // the key the element belongs to
    };

    QWidget *build(const ElementDef &def, QWidget *parent);
    void buildKey(const KeyDef &key);
    void apply(const Bound &b, const Element &now, const Element *before);
    void syncWindow(bool first);
    void syncTimer(bool first);
    void syncAccessibleNames(bool first);
    // The display's name in words, its exact text and the focus panel's: worked out when
    // the display changed since.
    void speakDisplay();
    void syncHistory();
    void syncAbout();
    void activateRequested();
    bool handleKey(QKeyEvent *event);
    template <typename Action>
    void act(Action action);

    Calculator &c;
    MainWindowElements m_applied;
    bool m_synced = false;
    bool m_ended = false;
    bool m_started = false;
    std::vector<Bound> m_bound;
    Unavailability m_unavailability{};
    bool m_availabilityChanged = false; // a key region was enabled or disabled since the last sync
    QWidget *m_enterCapt = nullptr;
    QWidget *m_title = nullptr;
    QWidget *m_disp = nullptr;
    bool m_displayUnspoken = false;
    QTimer m_timer1;
    int m_timer1Starts = 0;

    QPointer<HistoryWindow> m_history;
    HistoryWindowElements m_appliedHistory;
    QPointer<AboutWindow> m_about;
    std::optional<WindowId> m_activate;
    bool m_weakActivate = false;
    std::map<quint32, int> m_heldKeys; // native scan code of a held key -> the code its press had
};

} // namespace vantoro
