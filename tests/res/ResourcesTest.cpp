// The images compiled into the program and the Windows icon beside them.

#include "JpegFrame.h"
#include "Resources.h"

#include <QtCore/QBuffer>
#include <QtCore/QFile>
#include <QtCore/QtEndian>
#include <QtGui/QColor>
#include <QtGui/QImage>
#include <QtGui/QImageReader>
#include <QtTest/QtTest>

#include <algorithm>
#include <cstdlib>

namespace {

const QString aboutPicture = QStringLiteral(":/about.jpg");
const QString iconPicture = QStringLiteral(":/qmel.png");
const QString windowsIcon = QStringLiteral(QMEL_RES_DIR "/qmel.ico");

QByteArray readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool isPink(QColor c)
{
    return c.red() > 180 && c.green() < 110 && c.blue() > 60 && c.blue() < c.red();
}

bool isGrey(QColor c, int tolerance)
{
    return std::abs(c.red() - c.green()) <= tolerance && std::abs(c.green() - c.blue()) <= tolerance;
}

quint16 word(const QByteArray& bytes, int at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

quint32 dword(const QByteArray& bytes, int at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

}  // namespace

class ResourcesTest : public QObject {
    Q_OBJECT

private slots:
    // Runs before any initResources() call: linking qmel_resources is enough.
    void imagesAreRegisteredAtStartUp()
    {
        QVERIFY(QFile::exists(aboutPicture));
        QVERIFY(QFile::exists(iconPicture));
    }

    void explicitRegistrationKeepsThemReadable()
    {
        qmel::initResources();
        qmel::initResources();
        QVERIFY(!readAll(aboutPicture).isEmpty());
        QCOMPARE(QImage(iconPicture).size(), QSize(48, 48));
    }

    void aboutPictureIsProgressiveWith420Sampling()
    {
        const QByteArray jpeg = readAll(aboutPicture);
        QVERIFY(jpeg.endsWith("\xFF\xD9"));
        const std::optional<JpegFrame> frame = readJpegFrame(jpeg);
        QVERIFY(frame);
        QCOMPARE(frame->marker, 0xC2);
        QCOMPARE(frame->precision, 8);
        QCOMPARE(frame->width, 100);
        QCOMPARE(frame->height, 100);
        QCOMPARE(frame->components.size(), size_t{3});
        const int sampling[3][2] = {{2, 2}, {1, 1}, {1, 1}};
        for (int i = 0; i < 3; ++i) {
            const JpegComponent& component = frame->components[i];
            QCOMPARE(component.id, i + 1);
            QCOMPARE(component.horizontalSampling, sampling[i][0]);
            QCOMPARE(component.verticalSampling, sampling[i][1]);
        }
    }

    // The frame check above would pass a baseline picture if the marker walk
    // were wrong; Qt's own writer makes baseline ones.
    void frameReaderTellsBaselineFromProgressive()
    {
        QByteArray baseline;
        QBuffer buffer(&baseline);
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(QImage(aboutPicture).save(&buffer, "JPEG"));
        const std::optional<JpegFrame> frame = readJpegFrame(baseline);
        QVERIFY(frame);
        QCOMPARE(frame->marker, 0xC0);
        QCOMPARE(frame->width, 100);

        QVERIFY(!readJpegFrame(readAll(iconPicture)));
        QVERIFY(!readJpegFrame(readAll(aboutPicture).left(30)));
    }

    void aboutPictureDecodesToPinkLettersOnShadedWhite()
    {
        QImageReader reader(aboutPicture);
        QCOMPARE(reader.format(), QByteArray("jpeg"));
        const QImage picture = reader.read();
        QVERIFY2(!picture.isNull(), qPrintable(reader.errorString()));
        QCOMPARE(picture.size(), QSize(100, 100));
        QVERIFY(!picture.hasAlphaChannel());

        int pink = 0;
        int brightest = 0;
        for (int y = 30; y < 70; ++y) {
            for (int x = 30; x < 70; ++x) {
                const QColor c = picture.pixelColor(x, y);
                pink += isPink(c);
                if (isGrey(c, 6))
                    brightest = std::max(brightest, c.lightness());
            }
        }
        QVERIFY2(pink >= 200, qPrintable(QString::number(pink)));
        QVERIFY2(brightest >= 240, qPrintable(QString::number(brightest)));

        for (const QPoint corner : {QPoint(1, 1), QPoint(98, 1), QPoint(1, 98), QPoint(98, 98)}) {
            const QColor c = picture.pixelColor(corner);
            QVERIFY2(isGrey(c, 8) && c.lightness() < 150,
                     qPrintable(QStringLiteral("(%1,%2) is %3").arg(corner.x()).arg(corner.y()).arg(c.name())));
        }
    }

    void iconIsABandWithTransparentCorners_data()
    {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<bool>("opaque");
        QTest::newRow("upper left") << QPoint(0, 0) << false;
        QTest::newRow("near upper left") << QPoint(6, 6) << false;
        QTest::newRow("lower right") << QPoint(47, 47) << false;
        QTest::newRow("near lower right") << QPoint(41, 41) << false;
        QTest::newRow("centre") << QPoint(24, 24) << true;
        QTest::newRow("lower left") << QPoint(0, 47) << true;
        QTest::newRow("upper right") << QPoint(47, 0) << true;
    }

    void iconIsABandWithTransparentCorners()
    {
        QFETCH(QPoint, point);
        QFETCH(bool, opaque);
        const QImage icon(iconPicture);
        QCOMPARE(icon.size(), QSize(48, 48));
        QVERIFY(icon.hasAlphaChannel());
        QCOMPARE(qAlpha(icon.pixel(point)), opaque ? 255 : 0);
    }

    void iconShowsPinkLettering()
    {
        const QImage icon(iconPicture);
        int pink = 0;
        for (int y = 0; y < icon.height(); ++y)
            for (int x = 0; x < icon.width(); ++x)
                pink += qAlpha(icon.pixel(x, y)) == 255 && isPink(icon.pixelColor(x, y));
        QVERIFY2(pink >= 150, qPrintable(QString::number(pink)));
    }

    void windowsIconIsOne24BitImageWithMask()
    {
        const QByteArray ico = readAll(windowsIcon);
        QCOMPARE(ico.size(), 6 + 16 + 7336);
        // Directory: reserved, type 1 (icon), one entry.
        QCOMPARE(word(ico, 0), 0);
        QCOMPARE(word(ico, 2), 1);
        QCOMPARE(word(ico, 4), 1);
        // Entry: 48 by 48, no palette, one plane, 24 bits, size, offset.
        QCOMPARE(int(uchar(ico[6])), 48);
        QCOMPARE(int(uchar(ico[7])), 48);
        QCOMPARE(int(uchar(ico[8])), 0);
        QCOMPARE(word(ico, 10), 1);
        QCOMPARE(word(ico, 12), 24);
        QCOMPARE(dword(ico, 14), 7336u);
        QCOMPARE(dword(ico, 18), 22u);
        // Bitmap header: 40 bytes, height counts colour and mask, no compression.
        QCOMPARE(dword(ico, 22), 40u);
        QCOMPARE(dword(ico, 26), 48u);
        QCOMPARE(dword(ico, 30), 96u);
        QCOMPARE(word(ico, 34), 1);
        QCOMPARE(word(ico, 36), 24);
        QCOMPARE(dword(ico, 38), 0u);
    }

    // Read by hand: Qt's icon reader ignores the mask of 24-bit icons. Checks
    // row order, colour order and the mask's bit order and padding at once.
    void windowsIconShowsTheSamePixelsAsThePng()
    {
        const QByteArray ico = readAll(windowsIcon);
        QCOMPARE(ico.size(), 6 + 16 + 7336);
        const QImage png = QImage(iconPicture).convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(png.size(), QSize(48, 48));
        const int colourStart = 22 + 40;
        const int maskStart = colourStart + 48 * 48 * 3;
        for (int y = 0; y < 48; ++y) {
            const int row = 47 - y;  // bottom-up
            for (int x = 0; x < 48; ++x) {
                const QRgb want = png.pixel(x, y);
                const uchar* colour = reinterpret_cast<const uchar*>(ico.constData()) + colourStart + row * 144 + x * 3;
                const bool masked = uchar(ico[maskStart + row * 8 + x / 8]) >> (7 - x % 8) & 1;
                const QString where = QStringLiteral("(%1,%2)").arg(x).arg(y);
                QVERIFY2(masked == (qAlpha(want) < 128), qPrintable(where));
                if (!masked)
                    QVERIFY2(qRgb(colour[2], colour[1], colour[0]) == qRgb(qRed(want), qGreen(want), qBlue(want)),
                             qPrintable(where));
            }
        }
    }
};

QTEST_MAIN(ResourcesTest)
#include "ResourcesTest.moc"
