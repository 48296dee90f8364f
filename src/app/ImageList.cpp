#include "app/ImageList.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>

namespace quorvel {

namespace {

// Every picture is drawn on a 16 x 16 grid; the painter scales it to the
// pixmap's size so the same drawing serves 16 and 32 pixel pictures.
using DrawFn = void (*)(QPainter&);

const QColor kInk(0x30, 0x30, 0x38);
const QColor kBlue(0x25, 0x5f, 0xc0);
const QColor kGreen(0x2e, 0x8b, 0x3a);
const QColor kRed(0xc8, 0x2a, 0x2a);
const QColor kPaper(0xfb, 0xfb, 0xf4);

QPen Stroke(const QColor& color, double width = 1.4)
{
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& color)
{
    p.setPen(Stroke(color, 2.2));
    p.drawLine(from, to);
    const QPointF d = to - from;
    const double length = std::sqrt(d.x() * d.x() + d.y() * d.y());
    const QPointF u = d / length;
    const QPointF n(-u.y(), u.x());
    QPolygonF head;
    head << to + u * 1.5 << to - u * 4.0 + n * 4.0 << to - u * 4.0 - n * 4.0;
    p.setPen(Stroke(color, 1.0));
    p.setBrush(color);
    p.drawPolygon(head);
    p.setBrush(Qt::NoBrush);
}

void DrawExit(QPainter& p)
{
    // An open door with an arrow leaving it.
    p.setPen(Stroke(kInk));
    p.setBrush(QColor(0xd9, 0xb3, 0x7a));
    p.drawRect(QRectF(2.5, 1.5, 7, 13));
    p.setBrush(Qt::NoBrush);
    Arrow(p, QPointF(6, 8), QPointF(13.5, 8), kRed);
}

void DrawHome(QPainter& p)
{
    p.setPen(Stroke(kInk));
    p.setBrush(kPaper);
    p.drawRect(QRectF(3.5, 7.5, 9, 7));
    p.setBrush(kRed);
    QPolygonF roof;
    roof << QPointF(1.5, 8) << QPointF(8, 1.5) << QPointF(14.5, 8);
    p.drawPolygon(roof);
    p.setBrush(kBlue);
    p.drawRect(QRectF(7, 10.5, 2.5, 4));
}

void DrawPencil(QPainter& p, const QColor& body)
{
    p.setPen(Stroke(kInk, 1.0));
    p.setBrush(body);
    QPolygonF pencil;
    pencil << QPointF(11.5, 1.5) << QPointF(14.5, 4.5) << QPointF(5, 14) << QPointF(2, 14.5)
           << QPointF(2, 11);
    p.drawPolygon(pencil);
    p.drawLine(QPointF(10, 3), QPointF(13, 6));
}

void DrawEdit(QPainter& p)
{
    p.setPen(Stroke(kInk, 1.0));
    p.setBrush(kPaper);
    p.drawRect(QRectF(1.5, 1.5, 9, 13));
    DrawPencil(p, QColor(0xf2, 0xb7, 0x2b));
}

void DrawHelp(QPainter& p)
{
    p.setPen(Stroke(kBlue.darker(130), 1.0));
    p.setBrush(kBlue);
    p.drawEllipse(QRectF(1, 1, 14, 14));
    p.setPen(Stroke(Qt::white, 2.0));
    QPainterPath hook;
    hook.moveTo(5.5, 6);
    hook.cubicTo(5.5, 2.5, 10.5, 2.5, 10.5, 5.8);
    hook.cubicTo(10.5, 7.8, 8, 7.8, 8, 10);
    p.setBrush(Qt::NoBrush);
    p.drawPath(hook);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(8, 12.6), 1.2, 1.2);
}

void DrawSave(QPainter& p)
{
    p.setPen(Stroke(kInk, 1.0));
    p.setBrush(kBlue);
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
    p.setBrush(kPaper);
    p.drawRect(QRectF(4, 1.5, 8, 5));
    p.setBrush(QColor(0xdd, 0xdd, 0xdd));
    p.drawRect(QRectF(4, 9.5, 8, 5));
}

void DrawCross(QPainter& p, QRectF box, double width)
{
    p.setPen(Stroke(kRed, width));
    p.drawLine(box.topLeft(), box.bottomRight());
    p.drawLine(box.topRight(), box.bottomLeft());
}

void DrawCancel(QPainter& p) { DrawCross(p, QRectF(3, 3, 10, 10), 2.6); }

void DrawTools(QPainter& p)
{
    // A page of lines with a pencil: the editing tools menu.
    p.setPen(Stroke(kInk, 1.0));
    p.setBrush(kPaper);
    p.drawRect(QRectF(1.5, 1.5, 10, 13));
    p.setPen(Stroke(kBlue, 1.0));
    for (double y = 4.5; y < 13; y += 2.5)
        p.drawLine(QPointF(3.5, y), QPointF(9.5, y));
    p.save();
    p.translate(4, 0);
    p.scale(0.75, 0.75);
    p.translate(4, 4);
    DrawPencil(p, kGreen);
    p.restore();
}

void DrawClock(QPainter& p)
{
    p.setPen(Stroke(kInk, 1.2));
    p.setBrush(kPaper);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.setPen(Stroke(kBlue, 1.6));
    p.drawLine(QPointF(8, 8), QPointF(8, 4));
    p.drawLine(QPointF(8, 8), QPointF(11, 9.5));
}

void DrawHistory(QPainter& p) { DrawClock(p); }

void DrawRevert(QPainter& p)
{
    // A counter-clockwise arrow back to the start.
    p.setPen(Stroke(kBlue, 2.0));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(3, 3, 10, 10), 100 * 16, -280 * 16);
    p.setPen(Stroke(kBlue, 1.0));
    p.setBrush(kBlue);
    QPolygonF head;
    head << QPointF(1.5, 4) << QPointF(7.5, 1) << QPointF(7, 7.5);
    p.drawPolygon(head);
}

void DrawExitHistory(QPainter& p)
{
    DrawClock(p);
    DrawCross(p, QRectF(9, 9, 6, 6), 2.0);
}

void DrawBack(QPainter& p) { Arrow(p, QPointF(14, 8), QPointF(2.5, 8), kGreen); }
void DrawForward(QPainter& p) { Arrow(p, QPointF(2, 8), QPointF(13.5, 8), kGreen); }
void DrawUp(QPainter& p) { Arrow(p, QPointF(8, 14), QPointF(8, 2.5), kGreen); }

void DrawSearch(QPainter& p)
{
    p.setPen(Stroke(kInk, 1.6));
    p.setBrush(QColor(0xcf, 0xe6, 0xff));
    p.drawEllipse(QRectF(1.5, 1.5, 9, 9));
    p.setPen(Stroke(kInk, 2.6));
    p.drawLine(QPointF(9.5, 9.5), QPointF(14, 14));
}

constexpr DrawFn kDrawings[imgCount] = {
    DrawExit,   DrawHome,        DrawEdit, DrawHelp,    DrawSave, DrawCancel, DrawTools,
    DrawHistory, DrawRevert, DrawExitHistory, DrawBack, DrawForward, DrawUp,
};

QPixmap Render(DrawFn draw, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 16.0, size / 16.0);
    draw(p);
    return pixmap;
}

}  // namespace

TImageList CreateToolBarImages()
{
    TImageList images;
    for (int i = 0; i < imgCount; ++i) {
        images[i].addPixmap(Render(kDrawings[i], 16));
        images[i].addPixmap(Render(kDrawings[i], 32));
    }
    return images;
}

QIcon CreateSearchImage()
{
    QIcon icon;
    icon.addPixmap(Render(DrawSearch, 16));
    icon.addPixmap(Render(DrawSearch, 32));
    return icon;
}

}  // namespace quorvel
