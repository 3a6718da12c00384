// SPDX-License-Identifier: GPL-3.0-or-later
// The floor of the toolkit: a bare Qt Widgets window of the calculator's size with a label
// and 25 push buttons, nothing else. The start-up benchmark measures it beside vantoro; the
// key-to-frame benchmark presses keys on it: a digit is appended to the label, Home clears it.
//   VANTORO_BARE_BUSY_MS=<ms>  each key press first keeps the processor busy this long, so the
//                              benchmark can show that it sees such a delay in full
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include "qt/measure.h"

namespace {

class BareWindow : public QWidget
{
public:
    BareWindow() : m_busyMs(qEnvironmentVariableIntValue("VANTORO_BARE_BUSY_MS")) {}
    QLabel *label = nullptr;

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if (m_busyMs > 0) {
            QElapsedTimer t;
            t.start();
            while (t.elapsed() < m_busyMs) {
            }
        }
        const QString text = event->text();
        if (event->key() == Qt::Key_Home)
            label->setText(QStringLiteral("0"));
        else if (text.size() == 1 && text.at(0).isDigit())
            label->setText(label->text().size() < 14 ? label->text() + text : text);
    }

private:
    const int m_busyMs;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);

    BareWindow window;
    window.setWindowTitle(QStringLiteral("Bare"));
    window.setFixedSize(216, 376); // the calculator's client area at 96 dots per inch

    auto *label = new QLabel(QStringLiteral("0"), &window);
    label->setGeometry(8, 8, 200, 40);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    window.label = label;

    // Five rows of five keys below the display; keys go to the window, not to them.
    for (int i = 0; i < 25; ++i) {
        auto *button = new QPushButton(QString::number(i), &window);
        button->setGeometry(8 + (i % 5) * 40, 60 + (i / 5) * 60, 38, 56);
        button->setFocusPolicy(Qt::NoFocus);
    }
    window.setFocusPolicy(Qt::StrongFocus);

    vantoro::installMeasuringAids(&window);
    window.show();
    return app.exec();
}
