// SPDX-License-Identifier: GPL-3.0-or-later
// The main window on a screen of device pixel ratio 2: twice the device pixels, the same
// layout, and drawings painted at the device's resolution rather than enlarged.
#include <QPainter>
#include <QtTest>

#include "gui_fixture.h"
#include "qt/artwork.h"
#include "qt/keywidgets.h"

using namespace vantoro;
using namespace vantoro::test;

namespace {

QImage argb(const QImage &i)
{
    return i.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// A key face painted as at 96 dots per inch, then enlarged to `size`.
QImage enlargedFace(QSize logical, QSize size)
{
    QImage one(logical, QImage::Format_ARGB32_Premultiplied);
    one.fill(Qt::transparent);
    QPainter p(&one);
    paintKeyFace(p, QRectF(QPointF(), QSizeF(logical)), false);
    p.end();
    return one.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

QImage faceAt(QSize logical, qreal ratio)
{
    QImage img(logical * ratio, QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(ratio);
    img.fill(Qt::transparent);
    QPainter p(&img);
    paintKeyFace(p, QRectF(QPointF(), QSizeF(logical)), false);
    return img;
}

int differingPixels(const QImage &a, const QImage &b)
{
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

} // namespace

class TstHighDpi : public QObject
{
    Q_OBJECT

public:
    // Before the application exists, as a desktop session would set it.
    static void initMain()
    {
        qputenv("QT_SCALE_FACTOR", "2");
        qputenv("QT_ENABLE_HIGHDPI_SCALING", "1");
    }

private slots:
    void windowInDevicePixels();
    void faceAtDeviceResolution_data();
    void faceAtDeviceResolution();
    void iconsAtDeviceResolution();
    void timeButtonPictureBesideCaption();
};

void TstHighDpi::windowInDevicePixels()
{
    Fixture f(0);
    QCOMPARE(f.w.windowHandle()->devicePixelRatio(), 2.0);
    const QPixmap shot = f.w.grab();
    QCOMPARE(shot.devicePixelRatio(), 2.0);
    QCOMPARE(shot.size(), QSize(432, 752));
    // The same layout, in device-independent pixels.
    QCOMPARE(f.w.size(), QSize(216, 376));
    for (const KeyDef &key : mainKeys())
        QCOMPARE(f.w.findChild<QWidget *>(key.face.objectName())->geometry(), toPixels(key.face.rect));
}

void TstHighDpi::faceAtDeviceResolution_data()
{
    QTest::addColumn<QString>("face");
    QTest::newRow("narrow key") << "Tenkey_7";
    QTest::newRow("wide key") << "Mode_key_1";
}

void TstHighDpi::faceAtDeviceResolution()
{
    QFETCH(QString, face);
    Fixture f(0);
    auto *k = f.w.findChild<KeyFace *>(face);
    QVERIFY(k);
    for (QWidget *legend : k->findChildren<QWidget *>())
        legend->hide(); // the face's own drawing only; text differs with the fonts installed
    const QImage grabbed = argb(k->grab().toImage());
    QCOMPARE(grabbed.size(), k->size() * 2);
    // What the face shows is its drawing made at twice the pixels...
    QCOMPARE(grabbed, argb(faceAt(k->size(), 2)));
    // ... which is not the 96-dpi drawing enlarged: their edges differ.
    const QImage enlarged = argb(enlargedFace(k->size(), grabbed.size()));
    QVERIFY2(differingPixels(grabbed, enlarged) > grabbed.width(), "the face looks enlarged from 96 dpi");
}

void TstHighDpi::iconsAtDeviceResolution()
{
    for (const QIcon &icon : {windowIcon(), historyIcon(), nowTimeIcon()}) {
        const QPixmap sharp = icon.pixmap(QSize(32, 32), 2.0);
        QCOMPARE(sharp.size(), QSize(64, 64));
        const QImage enlarged = icon.pixmap(QSize(32, 32), 1.0).toImage().scaled(64, 64);
        QVERIFY(differingPixels(argb(sharp.toImage()), argb(enlarged)) > 64);
    }
}

void TstHighDpi::timeButtonPictureBesideCaption()
{
    Fixture f(0);
    auto *button = f.w.findChild<PictureButton *>(QStringLiteral("NowTime"));
    QVERIFY(button);
    checkTimeButtonLayout(*button);
}

VANTORO_GUI_TEST_MAIN(TstHighDpi)
#include "tst_highdpi.moc"
