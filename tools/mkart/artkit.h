#pragma once

// Drawing helpers shared by every picture: the night sky, its stars and
// crescent, geometric ornaments and Arabic lettering with glow and outline.

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QString>
#include <QStringList>

namespace art {

// The dictionary window's lavender and plum, carried into a night sky.
namespace palette {
inline const QColor night{13, 8, 32};
inline const QColor indigo{28, 17, 58};
inline const QColor plum{61, 36, 88};
inline const QColor dusk{94, 63, 120};
inline const QColor lavender{201, 182, 232};
inline const QColor paleLavender{239, 230, 255};
inline const QColor gold{232, 196, 112};
inline const QColor paleGold{250, 232, 176};
inline const QColor deepGold{184, 136, 58};
inline const QColor ink{20, 10, 30};
} // namespace palette

// Calligraphic titles, readable body text and small captions.
QStringList calligraphy();
QStringList naskh();
QStringList sans();

struct Lettering {
    QStringList families = naskh();
    int weight = QFont::Bold;
    qreal maxPixelSize = 20;
    qreal minPixelSize = 6;
    QColor top = palette::paleGold;     // fill gradient, top of the ink
    QColor bottom = palette::gold;      // fill gradient, bottom of the ink
    QColor outline = Qt::transparent;
    qreal outlineWidth = 0;
    QColor glow = Qt::transparent;
    int glowRadius = 0;
    QColor shadow = Qt::transparent;
    QPointF shadowOffset{1, 1};
    Qt::Alignment align = Qt::AlignCenter;
    bool rightToLeft = true;
};

// Draws text shaped by Qt at the largest size whose ink fits in box, with the
// ink (not the font's line box) aligned in it. Returns the ink's rectangle.
QRectF drawLettering(QPainter &p, const QRectF &box, const QString &text, const Lettering &style);

// Separable box blur, three passes: close to a Gaussian.
QImage blurred(const QImage &source, int radius);

void paintVerticalSky(QPainter &p, const QRectF &area, const QList<QPair<qreal, QColor>> &stops);
void paintHalo(QPainter &p, QPointF centre, qreal radius, QColor colour);

// Stars from a fixed seed, so every build draws the same sky; none falls in
// keepClear, where lettering must stay legible.
void scatterStars(QPainter &p, const QRectF &area, int count, quint32 seed,
                  const QList<QRectF> &keepClear = {}, qreal brightness = 1.0);
void drawSparkle(QPainter &p, QPointF centre, qreal radius, QColor colour);

// A crescent opening towards angleDegrees (0 = right, 90 = up).
QPainterPath crescentPath(QPointF centre, qreal radius, qreal thickness, qreal angleDegrees);
void drawCrescent(QPainter &p, QPointF centre, qreal radius, qreal thickness, qreal angleDegrees,
                  bool withHalo = true);

// The eight-pointed star of two overlapping squares.
QPainterPath eightPointStar(QPointF centre, qreal radius);
void drawStarOrnament(QPainter &p, QPointF centre, qreal radius, QColor line, QColor fill);

QLinearGradient verticalGradient(const QRectF &r, QColor top, QColor bottom);

} // namespace art
