#include "app/windows/emblem.h"

#include <QPainter>
#include <QPainterPath>

namespace app {
namespace {

// The classic 16-colour palette.
const QList<QRgb>& ClassicPalette() {
    static const QList<QRgb> palette = {
        qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
        qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
        qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
    return palette;
}

}  // namespace

QImage DrawEmblem() {
    QImage image(kEmblemSize, kEmblemSize, QImage::Format_RGB32);
    QPainter painter(&image);
    PaintEmblem(painter);
    painter.end();
    return image.convertToFormat(QImage::Format_Indexed8, ClassicPalette(), Qt::ThresholdDither);
}

void PaintEmblem(QPainter& painter) {
    // The pitch: green with its white halfway line and centre circle.
    painter.fillRect(QRect(0, 0, kEmblemSize, kEmblemSize), QColor(0, 128, 0));
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(2, 2, kEmblemSize - 5, kEmblemSize - 5);
    painter.drawLine(2, kEmblemSize / 2, kEmblemSize - 3, kEmblemSize / 2);
    // The draw ball, with its shade and highlight.
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(QColor(255, 255, 0));
    painter.drawEllipse(QPoint(30, 30), 21, 21);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(128, 128, 0));
    QPainterPath shade;
    shade.addEllipse(QPoint(30, 30), 20, 20);
    QPainterPath lit;
    lit.addEllipse(QPoint(26, 26), 19, 19);
    painter.drawPath(shade.subtracted(lit));
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPoint(21, 19), 3, 3);
    // The "T" of Tombage, in navy.
    painter.setBrush(QColor(0, 0, 128));
    painter.drawRect(20, 20, 21, 5);
    painter.drawRect(28, 20, 5, 21);
    // Two smaller balls waiting their turn: red and blue.
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(QColor(255, 0, 0));
    painter.drawEllipse(QPoint(50, 50), 6, 6);
    painter.setBrush(QColor(0, 0, 255));
    painter.drawEllipse(QPoint(9, 50), 6, 6);
}

}  // namespace app
