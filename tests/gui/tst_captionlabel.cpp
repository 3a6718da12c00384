// SPDX-License-Identifier: GPL-3.0-or-later
// The window's labels keep their text laid out between paints; what they draw must stay what
// a QLabel draws, pixel for pixel, in every font, size and alignment the window uses.
#include <QLabel>
#include <QtTest>

#include "panel/layout.h"
#include "qt/captionlabel.h"
#include "qt/fonts.h"
#include "support/gui_harness.h"

using namespace vantoro;

namespace {

// Parts of a label repainted on their own, as where a neighbour overlaps it.
enum class Part { Whole, TopRow, BottomRow, MiddleBand };

QRegion partOf(QSize size, Part part)
{
    switch (part) {
    case Part::TopRow: return QRect(0, 0, size.width(), 1);
    case Part::BottomRow: return QRect(0, size.height() - 1, size.width(), 1);
    case Part::MiddleBand: return QRect(0, size.height() / 2 - 1, size.width(), 3);
    case Part::Whole: break;
    }
    return QRect(QPoint(), size);
}

// The label on a background of its own, drawn as the window would draw it: the whole, then
// only the part, over the whole drawn before with another text.
QImage drawn(QLabel *label, const ElementDef &def, const QString &text, Qt::Alignment alignment, bool enabled,
             Part part = Part::Whole)
{
    QWidget back;
    back.setAutoFillBackground(true);
    QPalette pal = back.palette();
    pal.setColor(QPalette::Window, QColor(0x40, 0x40, 0x40));
    back.setPalette(pal);
    const QRect r = toPixels(def.rect);
    back.resize(r.size());
    label->setParent(&back);
    label->setGeometry(QRect(QPoint(), r.size()));
    label->setAlignment(alignment);
    if (!def.font.family.isEmpty())
        label->setFont(fontFor(def.font));
    QPalette lp = label->palette();
    lp.setColor(QPalette::WindowText, QColor(0x00, 0xFF, 0xFF));
    label->setPalette(lp);
    label->setEnabled(enabled);
    label->setText(QStringLiteral("stale")); // laid out once, then replaced
    back.grab();
    label->setText(text);
    QImage image(r.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::magenta);
    back.render(&image, QPoint(), partOf(r.size(), part));
    return image;
}

} // namespace

class TstCaptionLabel : public QObject
{
    Q_OBJECT

private slots:
    void drawsAsQLabelDoes_data()
    {
        QTest::addColumn<int>("element");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("alignment");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("part");
        // Display, sign, operator and mode texts; key legends; text wider than its label;
        // trailing blanks, which the display uses to step its digits left.
        const QStringList texts{QStringLiteral("0"),
                                QStringLiteral("  12°34’56.00”"),
                                QStringLiteral("         123.45 "),
                                QStringLiteral("1.098807E-06 "),
                                QStringLiteral("H:M:S-Auto"),
                                QStringLiteral("＝"),
                                QStringLiteral("－"),
                                QStringLiteral(" "),
                                QStringLiteral("AC"),
                                QStringLiteral("1234567890123456789012345678901234567890")};
        const QList<Qt::Alignment> alignments{Qt::AlignLeft | Qt::AlignTop, Qt::AlignHCenter | Qt::AlignTop,
                                              Qt::AlignRight | Qt::AlignTop, Qt::AlignRight | Qt::AlignVCenter};
        const auto &elements = mainElements();
        for (int e = 0; e < int(elements.size()); ++e) {
            const ElementDef &def = elements[size_t(e)];
            if (def.kind != ElementKind::Label)
                continue;
            for (const QString &text : texts) {
                for (Qt::Alignment a : alignments) {
                    QTest::addRow("%s %s %d", qPrintable(def.name), qPrintable(text), int(a))
                        << e << text << int(a) << true << int(Part::Whole);
                }
                for (Part part : {Part::TopRow, Part::BottomRow, Part::MiddleBand}) {
                    QTest::addRow("%s %s part %d", qPrintable(def.name), qPrintable(text), int(part))
                        << e << text << int(captionAlignment(def.align)) << true << int(part);
                }
            }
            QTest::addRow("%s disabled", qPrintable(def.name))
                << e << texts[1] << int(captionAlignment(def.align)) << false << int(Part::Whole);
        }
        // Each legend as its key shows it.
        const auto &keys = mainKeys();
        for (int k = 0; k < int(keys.size()); ++k)
            QTest::addRow("legend %d", k) << -1 - k << texts[8] << int(captionAlignment(keys[size_t(k)].legend.align))
                                          << true << int(Part::Whole);
    }

    void drawsAsQLabelDoes()
    {
        QFETCH(int, element);
        QFETCH(QString, text);
        QFETCH(int, alignment);
        QFETCH(bool, enabled);
        QFETCH(int, part);
        const ElementDef &def = element >= 0 ? mainElements()[size_t(element)]
                                             : mainKeys()[size_t(-1 - element)].legend;
        const Qt::Alignment a = Qt::Alignment(alignment);
        auto *plain = new QLabel;
        plain->setTextFormat(Qt::PlainText);
        const QImage expected = drawn(plain, def, text, a, enabled, Part(part));
        const QImage actual = drawn(new CaptionLabel(nullptr), def, text, a, enabled, Part(part));
        QCOMPARE(actual, expected);
    }

    // A new font is laid out anew.
    void fontChangeRedraws()
    {
        QWidget back;
        auto *label = new CaptionLabel(&back);
        label->resize(200, 30);
        label->setText(QStringLiteral("12°34’"));
        const QImage before = label->grab().toImage();
        QFont f = label->font();
        f.setPixelSize(f.pixelSize() > 0 ? f.pixelSize() * 2 : 30);
        label->setFont(f);
        auto *plain = new QLabel(&back);
        plain->setTextFormat(Qt::PlainText);
        plain->resize(200, 30);
        plain->setFont(f);
        plain->setText(label->text());
        QVERIFY(label->grab().toImage() != before);
        QCOMPARE(label->grab().toImage(), plain->grab().toImage());
    }
};

VANTORO_GUI_TEST_MAIN(TstCaptionLabel)
#include "tst_captionlabel.moc"
