#include "scenery.h"

#include "artkit.h"

#include <QPainterPath>
#include <QRandomGenerator>
#include <QtMath>

namespace art {

namespace {

void addOnionDome(QPainterPath &path, qreal cx, qreal baseY, qreal width, qreal height)
{
    const qreal half = width / 2;
    path.moveTo(cx - half, baseY);
    path.cubicTo(cx - half * 1.25, baseY - height * 0.45, cx - half * 0.2, baseY - height * 0.7,
                 cx, baseY - height);
    path.cubicTo(cx + half * 0.2, baseY - height * 0.7, cx + half * 1.25, baseY - height * 0.45,
                 cx + half, baseY);
    path.closeSubpath();
    // Finial: a thin spire above the dome.
    path.addRect(QRectF(cx - 0.6, baseY - height - width * 0.25, 1.2, width * 0.25));
}

void addMinaret(QPainterPath &path, qreal x, qreal baseY, qreal width, qreal height)
{
    const qreal cx = x + width / 2;
    path.addRect(QRectF(x, baseY - height, width, height));
    path.addRect(QRectF(x - width * 0.35, baseY - height * 0.72, width * 1.7, width * 0.45));
    path.addRect(QRectF(x - width * 0.2, baseY - height - width * 0.3, width * 1.4, width * 0.35));
    addOnionDome(path, cx, baseY - height - width * 0.3, width * 1.1, width * 1.3);
}

struct Layer {
    qreal maxHeight;
    QColor colour;
    bool lit;
};

void drawLayer(QPainter &p, const QRectF &area, const Layer &layer, QRandomGenerator &random)
{
    QPainterPath city;
    QList<QRectF> windows;
    const qreal bottom = area.bottom();
    city.addRect(QRectF(area.left(), bottom - layer.maxHeight * 0.18, area.width(),
                        layer.maxHeight * 0.18 + 1));
    qreal x = area.left() - 10;
    while (x < area.right()) {
        const int kind = random.bounded(10);
        const qreal w = 14 + random.generateDouble() * 28;
        const qreal h = layer.maxHeight * (0.25 + random.generateDouble() * 0.3);
        if (kind < 2) {
            const qreal mw = 5 + random.generateDouble() * 3;
            addMinaret(city, x + 3, bottom, mw, layer.maxHeight * (0.7 + random.generateDouble() * 0.3));
            x += mw + 6;
            continue;
        }
        city.addRect(QRectF(x, bottom - h, w, h));
        if (kind < 6)
            addOnionDome(city, x + w / 2, bottom - h, w * 0.8, w * 0.6);
        if (layer.lit && random.generateDouble() < 0.6)
            windows << QRectF(x + w * (0.25 + 0.4 * random.generateDouble()),
                              bottom - h * (0.35 + 0.4 * random.generateDouble()), 2.5, 3.5);
        x += w - 2 + random.generateDouble() * 6;
    }
    p.setPen(Qt::NoPen);
    p.setBrush(layer.colour);
    p.drawPath(city);
    for (const QRectF &w : windows) {
        paintHalo(p, w.center(), 5, QColor(255, 200, 120, 60));
        p.setBrush(QColor(255, 214, 140, 200));
        QPainterPath arch;
        arch.moveTo(w.bottomLeft());
        arch.lineTo(w.left(), w.top() + w.width() / 2);
        arch.quadTo(w.center().x(), w.top() - 0.8, w.right(), w.top() + w.width() / 2);
        arch.lineTo(w.bottomRight());
        arch.closeSubpath();
        p.drawPath(arch);
    }
}

} // namespace

void drawSkyline(QPainter &p, const QRectF &area, quint32 seed)
{
    QRandomGenerator random(seed);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    drawLayer(p, area, {area.height(), QColor(52, 32, 78), false}, random);
    drawLayer(p, area, {area.height() * 0.72, QColor(22, 12, 34), true}, random);
    p.restore();
}

void drawPalm(QPainter &p, QPointF base, qreal height, qreal lean, QColor colour)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF crown = base + QPointF(lean, -height);
    QPainterPath trunk;
    trunk.moveTo(base);
    trunk.quadTo(base + QPointF(lean * 0.1, -height * 0.55), crown);
    p.setPen(QPen(colour, height * 0.055, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(trunk);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    const qreal leaf = height * 0.42;
    for (qreal angle : {-20.0, 10.0, 40.0, 75.0, 105.0, 140.0, 170.0, 200.0}) {
        const qreal a = qDegreesToRadians(angle);
        const QPointF dir(qCos(a), -qSin(a));
        const QPointF tip = crown + dir * leaf + QPointF(0, leaf * 0.45);
        const QPointF normal(-dir.y(), dir.x());
        const QPointF mid = crown + dir * leaf * 0.6 - QPointF(0, leaf * 0.05);
        QPainterPath frond;
        frond.moveTo(crown);
        frond.quadTo(mid + normal * leaf * 0.12, tip);
        frond.quadTo(mid - normal * leaf * 0.05, crown);
        p.drawPath(frond);
    }
    p.drawEllipse(crown, height * 0.04, height * 0.04);
    p.restore();
}

void drawOpenBook(QPainter &p, QPointF c, qreal width, qreal height)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    paintHalo(p, c - QPointF(0, height * 0.2), width * 0.75, QColor(220, 200, 255, 70));

    const qreal half = width / 2;
    auto page = [&](int side, qreal grow) {
        const qreal s = side;
        QPainterPath path;
        path.moveTo(c.x(), c.y() - height * 0.32 + grow);
        path.quadTo(c.x() + s * half * 0.5, c.y() - height * 0.62 - grow,
                    c.x() + s * (half + grow), c.y() - height * 0.46 - grow);
        path.lineTo(c.x() + s * (half + grow), c.y() + height * 0.34 + grow);
        path.quadTo(c.x() + s * half * 0.5, c.y() + height * 0.2 + grow, c.x(),
                    c.y() + height * 0.48 + grow);
        path.closeSubpath();
        return path;
    };
    // Cover, then the page stack, then the open pages.
    p.setPen(QPen(palette::gold, 1.2));
    p.setBrush(QColor(74, 45, 99));
    p.drawPath(page(-1, 5).united(page(1, 5)));
    p.setPen(QPen(QColor(170, 150, 200), 0.8));
    p.setBrush(QColor(214, 200, 236));
    p.drawPath(page(-1, 2).united(page(1, 2)));
    const QRectF bounds = page(-1, 0).boundingRect().united(page(1, 0).boundingRect());
    const QLinearGradient paper = verticalGradient(bounds, QColor(252, 248, 255), QColor(226, 214, 246));
    p.setPen(QPen(QColor(160, 138, 190), 0.8));
    p.setBrush(paper);
    p.drawPath(page(-1, 0));
    p.drawPath(page(1, 0));

    // Lines of writing that follow the curve of each page.
    p.setPen(QPen(QColor(120, 92, 150, 150), 1.0, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (int side : {-1, 1}) {
        for (int line = 0; line < 5; ++line) {
            const qreal t = 0.12 + line * 0.15;
            const qreal y = c.y() - height * 0.38 + t * height * 0.75;
            const qreal inner = c.x() + side * half * 0.12;
            const qreal outer = c.x() + side * half * (line == 4 ? 0.55 : 0.86);
            QPainterPath writing;
            writing.moveTo(inner, y + height * 0.06);
            writing.quadTo((inner + outer) / 2, y - height * 0.1, outer, y - height * 0.02);
            p.drawPath(writing);
        }
    }
    p.setPen(QPen(QColor(150, 120, 180), 1.0));
    p.drawLine(QPointF(c.x(), c.y() - height * 0.32), QPointF(c.x(), c.y() + height * 0.48));
    p.restore();
}

void drawPlaque(QPainter &p, const QRectF &r, qreal radius)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath shadow;
    shadow.addRoundedRect(r.adjusted(-2, -2, 2, 2), radius + 2, radius + 2);
    p.fillPath(shadow, QColor(8, 4, 16, 90));
    const QRectF body = r.adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(palette::gold, 1.2));
    p.setBrush(verticalGradient(body, QColor(125, 90, 152), QColor(66, 38, 92)));
    p.drawRoundedRect(body, radius, radius);
    p.setPen(QPen(QColor(232, 196, 112, 110), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(body.adjusted(2.5, 2.5, -2.5, -2.5), qMax<qreal>(1, radius - 2),
                      qMax<qreal>(1, radius - 2));
    p.restore();
}

} // namespace art
