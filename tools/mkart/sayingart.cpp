// The encyclopedia's saying, as a framed piece of calligraphy in the warm
// olive and parchment of that window.

#include "artkit.h"
#include "pictures.h"

#include <QPainterPath>

namespace art {

QImage drawSaying()
{
    QImage img(378, 121, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor olive(144, 140, 112);
    const QColor frameDark(74, 66, 40);
    const QColor brass(196, 160, 82);
    p.fillRect(img.rect(), olive);

    const QRectF outer(3.5, 3.5, 371, 114);
    p.setPen(QPen(frameDark, 2));
    p.setBrush(verticalGradient(outer, QColor(110, 100, 66), QColor(84, 76, 48)));
    p.drawRoundedRect(outer, 6, 6);
    const QRectF panel = outer.adjusted(7, 7, -7, -7);
    p.setPen(QPen(brass, 1.2));
    p.setBrush(verticalGradient(panel, QColor(250, 244, 224), QColor(232, 218, 182)));
    p.drawRoundedRect(panel, 3, 3);
    p.setPen(QPen(QColor(196, 160, 82, 150), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(panel.adjusted(3, 3, -3, -3), 2, 2);
    for (QPointF at : {outer.topLeft(), outer.topRight(), outer.bottomLeft(), outer.bottomRight()})
        drawStarOrnament(p, at + (outer.center() - at) * 0.03, 6, brass, frameDark);

    Lettering line;
    line.families = calligraphy();
    line.maxPixelSize = 30;
    line.top = QColor(74, 44, 20);
    line.bottom = QColor(46, 26, 12);
    line.shadow = QColor(196, 160, 82, 120);
    line.shadowOffset = QPointF(0.8, 0.8);
    drawLettering(p, QRectF(22, 16, 334, 44), QStringLiteral(u"الرؤيا الصالحة جزء من ستة وأربعين"), line);
    const QRectF tail = drawLettering(p, QRectF(22, 60, 334, 44), QStringLiteral(u"جزءا من النبوة"), line);
    for (qreal x : {tail.left() - 22, tail.right() + 22})
        drawStarOrnament(p, QPointF(x, tail.center().y()), 5, brass, QColor(250, 244, 224));
    p.end();
    return img.convertToFormat(QImage::Format_RGB32);
}

} // namespace art
