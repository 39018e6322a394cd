#pragma once

// Larger pieces of scenery shared by the menu and the splash.

#include <QPainter>
#include <QRectF>

namespace art {

// Domes and minarets along the bottom of area, two layers for depth.
void drawSkyline(QPainter &p, const QRectF &area, quint32 seed);
// A date palm rooted at base, height tall, leaning by lean (pixels at the crown).
void drawPalm(QPainter &p, QPointF base, qreal height, qreal lean, QColor colour);
// An open book, pages glowing, centred on centre.
void drawOpenBook(QPainter &p, QPointF centre, qreal width, qreal height);
// A plum cartouche with a gold edge, the setting of every menu caption.
void drawPlaque(QPainter &p, const QRectF &r, qreal radius);

} // namespace art
