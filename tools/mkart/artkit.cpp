#include "artkit.h"

#include <QFontMetricsF>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QTextOption>
#include <QtMath>

#include <algorithm>
#include <vector>

namespace art {

QStringList calligraphy() { return {"Amiri", "Noto Naskh Arabic", "KacstNaskh"}; }
QStringList naskh() { return {"Noto Naskh Arabic", "Amiri", "KacstNaskh"}; }
QStringList sans() { return {"Noto Sans Arabic", "Noto Naskh Arabic", "DejaVu Sans"}; }

namespace {

constexpr int InkMargin = 24;

QRect inkBounds(const QImage &img)
{
    int left = img.width(), top = img.height(), right = -1, bottom = -1;
    for (int y = 0; y < img.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            if (qAlpha(line[x]) > 8) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// White ink on transparent, laid out by QPainter so Arabic is shaped and
// ordered by the text engine.
QImage renderInk(const QString &text, const QFont &font, bool rightToLeft)
{
    const QFontMetricsF fm(font);
    const qreal w = fm.horizontalAdvance(text) + font.pixelSize() * 2 + InkMargin * 2;
    const qreal h = fm.height() + font.pixelSize() + InkMargin * 2;
    QImage img(QSize(qCeil(w), qCeil(h)), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    p.setLayoutDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    p.setFont(font);
    p.setPen(Qt::white);
    QTextOption option(Qt::AlignCenter);
    option.setTextDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    option.setWrapMode(QTextOption::NoWrap);
    p.drawText(QRectF(0, 0, w, h), text, option);
    return img;
}

QImage tinted(const QImage &mask, const QBrush &brush)
{
    QImage out = mask;
    QPainter p(&out);
    p.setCompositionMode(QPainter::CompositionMode_SourceIn);
    p.fillRect(out.rect(), brush);
    return out;
}

void boxBlurPass(std::vector<int> &channel, int width, int height, int radius, bool horizontal)
{
    const int lines = horizontal ? height : width;
    const int length = horizontal ? width : height;
    std::vector<int> copy(length);
    for (int l = 0; l < lines; ++l) {
        auto at = [&](int i) -> int & {
            return horizontal ? channel[l * width + i] : channel[i * width + l];
        };
        for (int i = 0; i < length; ++i)
            copy[i] = at(i);
        int sum = 0;
        for (int i = -radius; i <= radius; ++i)
            sum += copy[std::clamp(i, 0, length - 1)];
        for (int i = 0; i < length; ++i) {
            at(i) = sum / (2 * radius + 1);
            sum += copy[std::min(i + radius + 1, length - 1)] - copy[std::max(i - radius, 0)];
        }
    }
}

} // namespace

QImage blurred(const QImage &source, int radius)
{
    QImage img = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (radius < 1)
        return img;
    const int w = img.width(), h = img.height();
    for (int shift : {0, 8, 16, 24}) {
        std::vector<int> channel(size_t(w) * h);
        for (int y = 0; y < h; ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
            for (int x = 0; x < w; ++x)
                channel[size_t(y) * w + x] = (line[x] >> shift) & 0xff;
        }
        for (int pass = 0; pass < 3; ++pass) {
            boxBlurPass(channel, w, h, radius, true);
            boxBlurPass(channel, w, h, radius, false);
        }
        for (int y = 0; y < h; ++y) {
            auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
            for (int x = 0; x < w; ++x)
                line[x] = (line[x] & ~(0xffu << shift)) | (QRgb(channel[size_t(y) * w + x]) << shift);
        }
    }
    return img;
}

QLinearGradient verticalGradient(const QRectF &r, QColor top, QColor bottom)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    return g;
}

QRectF drawLettering(QPainter &p, const QRectF &box, const QString &text, const Lettering &style)
{
    QFont font;
    font.setFamilies(style.families);
    font.setWeight(QFont::Weight(style.weight));
    font.setHintingPreference(QFont::PreferNoHinting);
    const qreal room = style.outlineWidth * 2;
    QImage mask;
    QRect ink;
    for (int px = int(style.maxPixelSize); px >= int(style.minPixelSize); --px) {
        font.setPixelSize(px);
        mask = renderInk(text, font, style.rightToLeft);
        ink = inkBounds(mask);
        if (ink.width() + room <= box.width() && ink.height() + room <= box.height())
            break;
    }
    if (ink.isNull())
        return {};

    qreal x = box.left() + (box.width() - ink.width()) / 2;
    if (style.align & Qt::AlignLeft)
        x = box.left() + style.outlineWidth;
    else if (style.align & Qt::AlignRight)
        x = box.right() - ink.width() - style.outlineWidth;
    qreal y = box.top() + (box.height() - ink.height()) / 2;
    if (style.align & Qt::AlignTop)
        y = box.top() + style.outlineWidth;
    else if (style.align & Qt::AlignBottom)
        y = box.bottom() - ink.height() - style.outlineWidth;
    const QPointF origin = QPointF(qRound(x), qRound(y)) - ink.topLeft();

    if (style.glow.alpha() > 0 && style.glowRadius > 0) {
        const QImage glow = blurred(tinted(mask, style.glow), style.glowRadius);
        p.drawImage(origin, glow);
        p.drawImage(origin, glow);
    }
    if (style.shadow.alpha() > 0)
        p.drawImage(origin + style.shadowOffset, tinted(mask, style.shadow));
    if (style.outline.alpha() > 0 && style.outlineWidth > 0) {
        const QImage edge = tinted(mask, style.outline);
        for (int a = 0; a < 360; a += 30) {
            const QPointF d(qCos(qDegreesToRadians(qreal(a))), qSin(qDegreesToRadians(qreal(a))));
            p.drawImage(origin + d * style.outlineWidth, edge);
            p.drawImage(origin + d * style.outlineWidth * 0.5, edge);
        }
    }
    const QRectF inkRect = QRectF(ink).translated(origin);
    const QLinearGradient fill = verticalGradient(QRectF(ink), style.top, style.bottom);
    p.drawImage(origin, tinted(mask, fill));
    return inkRect;
}

void paintVerticalSky(QPainter &p, const QRectF &area, const QList<QPair<qreal, QColor>> &stops)
{
    QLinearGradient g(area.topLeft(), area.bottomLeft());
    for (const auto &[at, colour] : stops)
        g.setColorAt(at, colour);
    p.fillRect(area, g);
}

void paintHalo(QPainter &p, QPointF centre, qreal radius, QColor colour)
{
    QRadialGradient g(centre, radius);
    g.setColorAt(0, colour);
    QColor mid = colour;
    mid.setAlphaF(colour.alphaF() * 0.35);
    g.setColorAt(0.45, mid);
    g.setColorAt(1, Qt::transparent);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(centre, radius, radius);
}

void drawSparkle(QPainter &p, QPointF centre, qreal radius, QColor colour)
{
    paintHalo(p, centre, radius * 1.2, QColor(colour.red(), colour.green(), colour.blue(), 70));
    QPainterPath ray;
    const qreal w = radius * 0.16;
    ray.moveTo(centre + QPointF(0, -radius));
    ray.quadTo(centre + QPointF(w, -w), centre + QPointF(radius, 0));
    ray.quadTo(centre + QPointF(w, w), centre + QPointF(0, radius));
    ray.quadTo(centre + QPointF(-w, w), centre + QPointF(-radius, 0));
    ray.quadTo(centre + QPointF(-w, -w), centre + QPointF(0, -radius));
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(ray);
}

void scatterStars(QPainter &p, const QRectF &area, int count, quint32 seed,
                  const QList<QRectF> &keepClear, qreal brightness)
{
    QRandomGenerator random(seed);
    const QColor tints[] = {QColor(255, 255, 255), palette::paleLavender, palette::paleGold,
                            QColor(210, 220, 255)};
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < count; ++i) {
        const qreal u = random.generateDouble();
        const QPointF at(area.left() + random.generateDouble() * area.width(),
                         area.top() + std::pow(u, 1.5) * area.height());
        const qreal size = random.generateDouble();
        const QColor tint = tints[random.bounded(4)];
        const bool sparkle = random.generateDouble() < 0.08;
        if (std::any_of(keepClear.begin(), keepClear.end(),
                        [&](const QRectF &r) { return r.contains(at); }))
            continue;
        QColor c = tint;
        c.setAlphaF(std::clamp((0.35 + 0.65 * size) * brightness * (1.0 - 0.5 * u), 0.0, 1.0));
        if (sparkle && size > 0.4) {
            drawSparkle(p, at, 3 + size * 4, c);
        } else {
            const qreal r = 0.35 + size * size * 1.1;
            p.setPen(Qt::NoPen);
            p.setBrush(c);
            p.drawEllipse(at, r, r);
        }
    }
    p.restore();
}

QPainterPath crescentPath(QPointF centre, qreal radius, qreal thickness, qreal angleDegrees)
{
    const qreal inner = radius * 0.88;
    const qreal offset = radius * (thickness - 0.12);
    const qreal a = qDegreesToRadians(angleDegrees);
    const QPointF bite = centre + QPointF(qCos(a), -qSin(a)) * (radius + offset - inner);
    QPainterPath outer;
    outer.addEllipse(centre, radius, radius);
    QPainterPath cut;
    cut.addEllipse(bite, inner, inner);
    return outer.subtracted(cut);
}

void drawCrescent(QPainter &p, QPointF centre, qreal radius, qreal thickness, qreal angleDegrees,
                  bool withHalo)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    if (withHalo)
        paintHalo(p, centre, radius * 2.4, QColor(250, 232, 190, 60));
    const QPainterPath moon = crescentPath(centre, radius, thickness, angleDegrees);
    QRadialGradient light(centre - QPointF(radius * 0.3, radius * 0.3), radius * 1.3);
    light.setColorAt(0, QColor(255, 250, 230));
    light.setColorAt(0.6, palette::paleGold);
    light.setColorAt(1, palette::gold);
    p.setPen(QPen(QColor(255, 240, 200, 140), qMax<qreal>(0.8, radius / 40)));
    p.setBrush(light);
    p.drawPath(moon);
    p.restore();
}

QPainterPath eightPointStar(QPointF centre, qreal radius)
{
    QPainterPath star;
    for (int square = 0; square < 2; ++square) {
        QPolygonF corners;
        for (int k = 0; k < 4; ++k) {
            const qreal a = qDegreesToRadians(square * 45.0 + k * 90.0);
            corners << centre + QPointF(qCos(a), qSin(a)) * radius;
        }
        corners << corners.first();
        QPainterPath sq;
        sq.addPolygon(corners);
        star = square == 0 ? sq : star.united(sq);
    }
    return star;
}

void drawStarOrnament(QPainter &p, QPointF centre, qreal radius, QColor line, QColor fill)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(line, qMax<qreal>(0.8, radius / 8)));
    p.setBrush(fill);
    p.drawPath(eightPointStar(centre, radius));
    p.setBrush(line);
    p.setPen(Qt::NoPen);
    p.drawEllipse(centre, radius * 0.22, radius * 0.22);
    p.restore();
}

} // namespace art
