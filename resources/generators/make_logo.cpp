// Draws the Quorvel logo, a 64 x 64 picture, and writes it as JPEG.
// Usage: quorvel_make_logo <output.jpg>
// Run at build time; the result is embedded in the executable and stored in
// the template database's attachment row.
#include <QBrush>
#include <QCoreApplication>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include <cstdio>

namespace {

constexpr int kSize = 64;

QImage DrawLogo()
{
    QImage image(kSize, kSize, QImage::Format_RGB32);
    image.fill(Qt::white);

    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // Rounded tile with a blue-to-teal gradient.
    QLinearGradient tile(0, 0, kSize, kSize);
    tile.setColorAt(0.0, QColor(0x1f, 0x4e, 0xa8));
    tile.setColorAt(1.0, QColor(0x17, 0x9c, 0x9a));
    p.setPen(Qt::NoPen);
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);

    // Two stacked pages behind the letter: the wiki's pages.
    p.setBrush(QColor(255, 255, 255, 70));
    p.drawRoundedRect(QRectF(30, 9, 22, 28), 3, 3);
    p.setBrush(QColor(255, 255, 255, 110));
    p.drawRoundedRect(QRectF(35, 14, 22, 28), 3, 3);

    // A "Q": a thick ring with a tail, drawn as strokes so no font is needed.
    QPen ring(Qt::white, 7.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(ring);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(27, 31), 14.5, 14.5);
    p.drawLine(QPointF(34, 39), QPointF(46, 51));

    // A small yellow spark: a link between pages.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xd2, 0x3f));
    p.drawEllipse(QPointF(50, 13), 4.5, 4.5);
    p.end();
    return image;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output.jpg>\n", argv[0]);
        return 2;
    }
    QImageWriter writer(QString::fromLocal8Bit(argv[1]), "jpeg");
    writer.setQuality(90);
    if (!writer.write(DrawLogo())) {
        std::fprintf(stderr, "cannot write %s: %s\n", argv[1],
                     writer.errorString().toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
