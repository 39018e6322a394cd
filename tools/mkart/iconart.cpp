// The menu's click pictures and the hand pointer. Each click picture starts
// from the piece of the menu background it covers, so it shows seamlessly
// whether the window draws it opaque or blended.

#include "artkit.h"
#include "pictures.h"

#include <QPainterPath>
#include <QRadialGradient>

namespace art {

namespace {

QImage backdrop(const QImage &menu, const QRect &area)
{
    return menu.copy(area).convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

const QColor ringFill(74, 45, 99);
const QColor plumInk(59, 33, 80);

} // namespace

QImage drawHelp(const QImage &menu)
{
    QImage img = backdrop(menu, QRect(592, 0, 45, 52));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    paintHalo(p, QPointF(22.5, 26), 26, QColor(220, 200, 255, 55));

    // A scroll: a sheet between two rolls.
    const QRectF sheet(10, 9, 25, 34);
    p.setPen(QPen(QColor(150, 120, 180), 0.9));
    p.setBrush(verticalGradient(sheet, QColor(252, 246, 255), QColor(222, 208, 242)));
    p.drawRect(sheet);
    for (qreal y : {5.5, 40.5}) {
        const QRectF roll(6.5, y, 32, 7);
        QLinearGradient shade(roll.topLeft(), roll.bottomLeft());
        shade.setColorAt(0, palette::paleGold);
        shade.setColorAt(0.5, palette::gold);
        shade.setColorAt(1, palette::deepGold);
        p.setPen(QPen(QColor(120, 80, 40), 0.8));
        p.setBrush(shade);
        p.drawRoundedRect(roll, 3.5, 3.5);
        p.setBrush(plumInk);
        p.drawEllipse(QPointF(roll.left() + 1, roll.center().y()), 1.8, 3);
        p.drawEllipse(QPointF(roll.right() - 1, roll.center().y()), 1.8, 3);
    }

    Lettering mark;
    mark.families = calligraphy();
    mark.maxPixelSize = 40;
    mark.top = QColor(94, 63, 120);
    mark.bottom = plumInk;
    drawLettering(p, QRectF(13, 14, 19, 25), QStringLiteral(u"؟"), mark);
    return img;
}

QImage drawMinimize(const QImage &menu)
{
    QImage img = backdrop(menu, QRect(592, 56, 32, 32));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(16, 16);
    QRadialGradient gem(c - QPointF(4, 5), 16);
    gem.setColorAt(0, QColor(150, 115, 180));
    gem.setColorAt(1, QColor(52, 28, 74));
    p.setPen(QPen(palette::gold, 1.6));
    p.setBrush(gem);
    p.drawEllipse(c, 13.5, 13.5);
    p.setPen(QPen(QColor(232, 196, 112, 110), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 10.5, 10.5);

    // A chevron settling onto a bar: the window goes down to the task bar.
    p.setPen(QPen(palette::paleLavender, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath chevron;
    chevron.moveTo(11, 10.5);
    chevron.lineTo(16, 15.5);
    chevron.lineTo(21, 10.5);
    p.drawPath(chevron);
    p.setPen(QPen(palette::paleGold, 2.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10.5, 21), QPointF(21.5, 21));
    return img;
}

QImage drawExit(const QImage &menu)
{
    QImage img = backdrop(menu, QRect(592, 104, 45, 53));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    // A pointed arch doorway, open, with lamplight falling out of it.
    auto arch = [](qreal left, qreal right, qreal top, qreal spring, qreal bottom) {
        const qreal cx = (left + right) / 2;
        QPainterPath path;
        path.moveTo(left, bottom);
        path.lineTo(left, spring);
        path.quadTo(left, top + (spring - top) * 0.35, cx, top);
        path.quadTo(right, top + (spring - top) * 0.35, right, spring);
        path.lineTo(right, bottom);
        path.closeSubpath();
        return path;
    };
    QPainterPath floorLight;
    floorLight.moveTo(12, 47);
    floorLight.lineTo(33, 47);
    floorLight.lineTo(41, 51);
    floorLight.lineTo(4, 51);
    floorLight.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 220, 150, 90));
    p.drawPath(floorLight);

    const QPainterPath frame = arch(7, 38, 3, 20, 48);
    p.setBrush(verticalGradient(frame.boundingRect(), palette::paleGold, palette::deepGold));
    p.setPen(QPen(QColor(110, 70, 30), 0.8));
    p.drawPath(frame);
    const QPainterPath opening = arch(11, 34, 8, 22, 47);
    QRadialGradient lamp(QPointF(22.5, 30), 22);
    lamp.setColorAt(0, QColor(255, 246, 214));
    lamp.setColorAt(1, QColor(240, 190, 100));
    p.setPen(Qt::NoPen);
    p.setBrush(lamp);
    p.drawPath(opening);

    // The door leaf, swung inwards towards the left jamb.
    QPainterPath leaf;
    leaf.moveTo(11, 47);
    leaf.lineTo(11, 21);
    leaf.quadTo(12, 12, 19, 11);
    leaf.lineTo(19, 43);
    leaf.closeSubpath();
    p.setPen(QPen(QColor(30, 16, 44), 0.8));
    p.setBrush(verticalGradient(leaf.boundingRect(), QColor(110, 78, 140), QColor(58, 32, 80)));
    p.drawPath(leaf);
    p.setBrush(palette::gold);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(17, 30), 1.2, 1.2);

    // An arrow leading out through the doorway.
    p.setPen(QPen(plumInk, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(23, 32), QPointF(31, 32));
    QPainterPath head;
    head.moveTo(28, 28.5);
    head.lineTo(31.5, 32);
    head.lineTo(28, 35.5);
    p.setBrush(Qt::NoBrush);
    p.drawPath(head);
    return img;
}

QImage drawAbout(const QImage &menu)
{
    QImage img = backdrop(menu, QRect(280, 272, 48, 48));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(24, 24);
    paintHalo(p, c, 25, QColor(232, 196, 112, 60));
    drawStarOrnament(p, c, 22, palette::gold, QColor(94, 63, 120));
    QRadialGradient disc(c - QPointF(4, 4), 18);
    disc.setColorAt(0, QColor(58, 38, 96));
    disc.setColorAt(1, QColor(20, 10, 40));
    p.setPen(QPen(palette::gold, 1.2));
    p.setBrush(disc);
    p.drawEllipse(c, 15, 15);

    drawCrescent(p, c + QPointF(-3, 0), 11, 0.38, 0, false);
    // The "i" of information sits inside the crescent's opening.
    p.setPen(Qt::NoPen);
    p.setBrush(palette::paleLavender);
    p.drawEllipse(QPointF(27.5, 17.5), 2, 2);
    p.drawRoundedRect(QRectF(26, 21, 3, 11), 1, 1);
    p.drawRect(QRectF(24.5, 31, 6, 1.5));
    return img;
}

QImage drawHand()
{
    // Black outline, white fill, transparent elsewhere; the index fingertip
    // is at (12, 4), the pointer's hot spot.
    static const char *const rows[32] = {
        "", "", "",
        "           ####",
        "          #....#",
        "          #....#",
        "          #....#",
        "          #....#",
        "          #....###",
        "          #....#..###",
        "          #....#..#..###",
        "          #....#..#..#..#",
        "    ###   #....#..#..#..#",
        "   #...#  #....#..#..#..#",
        "   #....# #.............#",
        "    #...................#",
        "     #..................#",
        "      #.................#",
        "       #................#",
        "        #...............#",
        "         #.............#",
        "         #.............#",
        "          #...........#",
        "          #...........#",
        "          #############",
        "", "", "", "", "", "", ""};
    QImage img(32, 32, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    for (int y = 0; y < 32; ++y) {
        const char *row = rows[y];
        for (int x = 0; row[x] != '\0' && x < 32; ++x) {
            if (row[x] == '#')
                img.setPixel(x, y, qRgba(0, 0, 0, 255));
            else if (row[x] == '.')
                img.setPixel(x, y, qRgba(255, 255, 255, 255));
        }
    }
    return img;
}

} // namespace art
