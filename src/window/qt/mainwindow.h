#pragma once
// The main window Vantoro: widgets built from the element table, kept in step with the
// element records after every event. Handlers only call the logic; no logic reads a widget.
#include <QTimer>
#include <QWidget>
#include <vector>

#include "engine/calculator.h"
#include "panel/layout.h"

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

    QWidget *enterCapt() const { return m_enterCapt; }
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
    struct Bound {
        const ElementDef *def;
        QWidget *widget;
    };

    QWidget *build(const ElementDef &def, QWidget *parent);
    void buildKey(const KeyDef &key);
    void apply(const Bound &b, const Element &now, const Element *before);
    void syncWindow(bool first);
    void syncTimer(bool first);
    bool handleKey(QKeyEvent *event);
    template <typename Action>
    void act(Action action);

    Calculator &c;
    MainWindowElements m_applied;
    bool m_synced = false;
    bool m_ended = false;
    bool m_started = false;
    std::vector<Bound> m_bound;
    QWidget *m_enterCapt = nullptr;
    QTimer m_timer1;
    int m_timer1Starts = 0;
};

} // namespace vantoro
