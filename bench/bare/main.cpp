// The floor of the toolkit: a bare Qt Widgets window of the calculator's size with a label
// and 25 push buttons, nothing else. The start-up benchmark measures it beside vantoro.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include "qt/measure.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);

    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare"));
    window.setFixedSize(216, 376); // the calculator's client area at 96 dots per inch

    auto *label = new QLabel(QStringLiteral("0"), &window);
    label->setGeometry(8, 8, 200, 40);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    // Five rows of five keys below the display.
    for (int i = 0; i < 25; ++i) {
        auto *button = new QPushButton(QString::number(i), &window);
        button->setGeometry(8 + (i % 5) * 40, 60 + (i / 5) * 60, 38, 56);
    }

    vantoro::installMeasuringAids(&window);
    window.show();
    return app.exec();
}
