// The start-up splash and the about box's emblem: the same night sky as the
// menu, with the program's name in large lettering.

#include "artkit.h"
#include "pictures.h"
#include "scenery.h"

#include <QPainterPath>
#include <QRadialGradient>

namespace art {

namespace {

Lettering goldTitle(qreal size)
{
    Lettering title;
    title.families = calligraphy();
    title.maxPixelSize = size;
    title.glow = QColor(232, 196, 112, 110);
    title.glowRadius = 7;
    title.shadow = QColor(8, 4, 16, 230);
    title.shadowOffset = QPointF(2, 3);
    return title;
}

Lettering lavenderName(qreal size)
{
    Lettering name;
    name.families = {"Amiri", "DejaVu Serif"};
    name.rightToLeft = false;
    name.maxPixelSize = size;
    name.top = palette::paleLavender;
    name.bottom = palette::lavender;
    name.glow = QColor(190, 160, 255, 90);
    name.glowRadius = 4;
    name.shadow = QColor(0, 0, 0, 200);
    return name;
}

// A short gold rule with a star in its middle, either side of the name.
void drawRule(QPainter &p, QPointF from, QPointF to)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fade(from, to);
    fade.setColorAt(0, QColor(232, 196, 112, 0));
    fade.setColorAt(0.5, QColor(232, 196, 112, 220));
    fade.setColorAt(1, QColor(232, 196, 112, 0));
    p.setPen(QPen(QBrush(fade), 1.2));
    p.drawLine(from, to);
    p.restore();
    drawStarOrnament(p, (from + to) / 2, 5, palette::gold, QColor(74, 45, 99));
}

} // namespace

QImage drawSplash()
{
    // Shown stretched to 664 x 151; the lowest tenth lies under the progress bar.
    QImage img(800, 183, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    paintVerticalSky(p, img.rect(), {{0.0, palette::night}, {0.55, palette::indigo},
                                     {0.85, palette::plum}, {1.0, palette::dusk}});
    const QRectF titleBox(140, 10, 520, 96);
    scatterStars(p, QRectF(6, 6, 788, 140), 260, 3120,
                 {titleBox.adjusted(-10, 0, 10, 0), QRectF(250, 104, 300, 36)});

    const QPointF moon(724, 66);
    paintHalo(p, moon, 120, QColor(150, 120, 200, 50));
    drawCrescent(p, moon, 40, 0.42, 165);
    drawSparkle(p, moon + QPointF(-16, -6), 7, QColor(255, 246, 220));
    drawSparkle(p, QPointF(96, 40), 8, QColor(239, 230, 255));

    drawSkyline(p, QRectF(0, 128, 800, 55), 5);
    drawPalm(p, QPointF(38, 183), 70, 8, QColor(14, 8, 22));
    drawPalm(p, QPointF(770, 183), 60, -8, QColor(14, 8, 22));

    drawLettering(p, titleBox, QStringLiteral(u"قاموس تفسير الأحلام"), goldTitle(84));
    const QRectF name = drawLettering(p, QRectF(300, 106, 200, 32), QStringLiteral("Velkaram"),
                                      lavenderName(32));
    const qreal y = name.center().y();
    drawRule(p, QPointF(name.left() - 120, y), QPointF(name.left() - 14, y));
    drawRule(p, QPointF(name.right() + 14, y), QPointF(name.right() + 120, y));

    p.setPen(QPen(QColor(232, 196, 112, 170), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(4.5, 4.5, 791, 174));
    p.end();
    return img.convertToFormat(QImage::Format_RGB32);
}

QImage drawAboutPicture()
{
    // Shown at its own size on a black window: the edges fade into black.
    QImage img(572, 383, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::black);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient sky(QPointF(286, 170), 330);
    sky.setColorAt(0, QColor(58, 34, 90));
    sky.setColorAt(0.45, QColor(30, 17, 56));
    sky.setColorAt(1, Qt::black);
    p.fillRect(img.rect(), sky);
    scatterStars(p, QRectF(10, 10, 552, 363), 220, 917,
                 {QRectF(150, 40, 272, 230), QRectF(90, 268, 392, 100)}, 0.9);

    // The emblem: a gold eight-pointed star holding the crescent over a book.
    const QPointF c(286, 148);
    paintHalo(p, c, 150, QColor(232, 196, 112, 45));
    drawStarOrnament(p, c, 104, palette::gold, QColor(44, 26, 70));
    p.save();
    p.setPen(QPen(QColor(232, 196, 112, 140), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(eightPointStar(c, 94));
    QRadialGradient disc(c - QPointF(14, 18), 80);
    disc.setColorAt(0, QColor(62, 40, 104));
    disc.setColorAt(1, QColor(16, 8, 34));
    p.setPen(QPen(palette::gold, 2));
    p.setBrush(disc);
    p.drawEllipse(c, 70, 70);
    p.setPen(QPen(QColor(232, 196, 112, 120), 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 64, 64);
    p.restore();
    scatterStars(p, QRectF(c.x() - 50, c.y() - 50, 100, 60), 40, 55, {}, 0.8);
    drawCrescent(p, c + QPointF(0, -14), 34, 0.4, 60, true);
    drawSparkle(p, c + QPointF(22, -36), 8, QColor(255, 246, 220));
    drawOpenBook(p, c + QPointF(0, 38), 84, 34);

    const QRectF name = drawLettering(p, QRectF(136, 266, 300, 50), QStringLiteral("Velkaram"),
                                      lavenderName(48));
    const qreal y = name.center().y();
    drawRule(p, QPointF(name.left() - 110, y), QPointF(name.left() - 16, y));
    drawRule(p, QPointF(name.right() + 16, y), QPointF(name.right() + 110, y));
    drawLettering(p, QRectF(96, 318, 380, 52), QStringLiteral(u"قاموس تفسير الأحلام"), goldTitle(46));
    p.end();
    return img.convertToFormat(QImage::Format_RGB32);
}

} // namespace art
