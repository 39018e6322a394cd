// The main menu's background: a night sky over a city, with the words of
// every click area drawn where the window lays that area over the picture.

#include "artkit.h"
#include "pictures.h"
#include "scenery.h"

#include <QPainterPath>

namespace art {

namespace {

// The window's click areas (left, top, width, height in pixels).
const QRectF TitleArea(256, 8, 249, 33);
const QRectF EncyclopediaArea(136, 80, 65, 33);
const QRectF SoundArea(520, 80, 65, 33);
const QRectF DictionaryArea(240, 336, 145, 25);
const QRectF AboutIcon(280, 272, 48, 48);
const QRectF AboutCaption(262, 321, 84, 13);
const QRectF HelpCaption(540, 16, 48, 20);
const QRectF MinimizeCaption(540, 63, 48, 15);
const QRectF ExitCaption(540, 121, 48, 20);

// Where the top and right border lines stop, leaving the corner to the
// help, minimize and exit pictures.
constexpr qreal TopLineEnd = 578;
constexpr qreal RightLineStart = 166;

Lettering caption(qreal size)
{
    Lettering style;
    style.families = sans();
    style.maxPixelSize = size;
    style.top = palette::paleLavender;
    style.bottom = palette::lavender;
    style.shadow = QColor(0, 0, 0, 170);
    return style;
}

void drawBorder(QPainter &p)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QColor line(232, 196, 112, 190);
    for (qreal inset : {7.5, 10.5}) {
        const qreal far = 640 - inset;
        const qreal floor = 480 - inset;
        QPainterPath frame;
        frame.moveTo(TopLineEnd, inset);
        frame.lineTo(TitleArea.right() + 8, inset);
        frame.moveTo(TitleArea.left() - 8, inset);
        frame.lineTo(inset, inset);
        frame.lineTo(inset, floor);
        frame.lineTo(far, floor);
        frame.lineTo(far, RightLineStart);
        p.setPen(QPen(line, inset < 9 ? 1.4 : 0.8));
        p.setBrush(Qt::NoBrush);
        p.drawPath(frame);
    }
    const QColor fill(74, 45, 99);
    for (QPointF at : {QPointF(9, 9), QPointF(9, 471), QPointF(631, 471), QPointF(9, 240),
                       QPointF(320, 471)})
        drawStarOrnament(p, at, 5.5, palette::gold, fill);
    drawStarOrnament(p, QPointF(TopLineEnd + 4, 9), 5, palette::gold, fill);
    drawStarOrnament(p, QPointF(631, RightLineStart - 4), 5, palette::gold, fill);
    p.restore();
}

void drawTitle(QPainter &p)
{
    // A cartouche hanging from the top border, holding the title and credit.
    const QRectF frame = TitleArea.adjusted(-6, -4, 6, 5);
    drawPlaque(p, frame, 9);
    drawStarOrnament(p, QPointF(frame.left(), frame.center().y()), 5, palette::gold,
                     QColor(74, 45, 99));
    drawStarOrnament(p, QPointF(frame.right(), frame.center().y()), 5, palette::gold,
                     QColor(74, 45, 99));

    Lettering title;
    title.families = naskh();
    title.maxPixelSize = 26;
    title.shadow = QColor(10, 4, 20, 200);
    drawLettering(p, QRectF(TitleArea.left() + 92, TitleArea.top(), 154, 22),
                  QStringLiteral(u"قاموس تفسير الأحلام"), title);

    Lettering latin = title;
    latin.families = calligraphy();
    latin.rightToLeft = false;
    latin.top = palette::paleLavender;
    latin.bottom = palette::lavender;
    drawLettering(p, QRectF(TitleArea.left() + 6, TitleArea.top() + 3, 76, 16), QStringLiteral("Velkaram"),
                  latin);

    Lettering credit = caption(11);
    drawLettering(p, QRectF(TitleArea.left() + 40, TitleArea.top() + 22, 169, 11),
                  QStringLiteral(u"برمجة: Orva Kelvra"), credit);
}

void drawSpeaker(QPainter &p, QPointF at)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath cone;
    cone.moveTo(at + QPointF(0, -2.5));
    cone.lineTo(at + QPointF(3, -2.5));
    cone.lineTo(at + QPointF(7, -6));
    cone.lineTo(at + QPointF(7, 6));
    cone.lineTo(at + QPointF(3, 2.5));
    cone.lineTo(at + QPointF(0, 2.5));
    cone.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(palette::paleGold);
    p.drawPath(cone);
    p.setPen(QPen(palette::paleGold, 1.1, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(at.x() + 5, at.y() - 4, 6, 8), -50 * 16, 100 * 16);
    p.drawArc(QRectF(at.x() + 5, at.y() - 7, 10, 14), -50 * 16, 100 * 16);
    p.restore();
}

void drawPlaques(QPainter &p)
{
    Lettering word;
    word.families = calligraphy();
    word.maxPixelSize = 24;
    word.shadow = QColor(10, 4, 20, 200);

    drawPlaque(p, EncyclopediaArea, 7);
    drawLettering(p, EncyclopediaArea.adjusted(5, 4, -5, -4), QStringLiteral(u"الموسوعة"), word);

    drawPlaque(p, SoundArea, 7);
    drawSpeaker(p, QPointF(SoundArea.left() + 7, SoundArea.center().y()));
    drawLettering(p, SoundArea.adjusted(26, 4, -5, -4), QStringLiteral(u"الصوت"), word);

    // The invitation into the dictionary glows a little more than the rest.
    paintHalo(p, DictionaryArea.center(), 95, QColor(200, 170, 255, 60));
    drawPlaque(p, DictionaryArea, 8);
    for (qreal x : {DictionaryArea.left() + 9, DictionaryArea.right() - 9})
        drawStarOrnament(p, QPointF(x, DictionaryArea.center().y()), 4, palette::gold,
                         QColor(74, 45, 99));
    Lettering invite = word;
    invite.families = naskh();
    invite.maxPixelSize = 17;
    drawLettering(p, DictionaryArea.adjusted(17, 2, -17, -2), QStringLiteral(u"ادخل وفسّر حلمك"), invite);
}

void drawCaptions(QPainter &p)
{
    Lettering small = caption(12);
    small.align = Qt::AlignRight | Qt::AlignVCenter;
    drawLettering(p, HelpCaption, QStringLiteral(u"مساعدة"), small);
    drawLettering(p, MinimizeCaption, QStringLiteral(u"تصغير"), small);
    drawLettering(p, ExitCaption, QStringLiteral(u"خروج"), small);

    Lettering about = caption(12);
    drawLettering(p, AboutCaption, QStringLiteral(u"حول البرنامج"), about);
}

void drawHero(QPainter &p)
{
    const QPointF moon(340, 118);
    paintHalo(p, moon, 150, QColor(150, 120, 200, 45));
    drawCrescent(p, moon, 40, 0.42, 15);
    drawSparkle(p, moon + QPointF(12, -8), 7, QColor(255, 246, 220));

    Lettering hero;
    hero.families = calligraphy();
    hero.maxPixelSize = 64;
    hero.glow = QColor(232, 196, 112, 90);
    hero.glowRadius = 6;
    hero.shadow = QColor(8, 4, 16, 220);
    hero.shadowOffset = QPointF(2, 2);
    drawLettering(p, QRectF(164, 168, 352, 72), QStringLiteral(u"تفسير الأحلام"), hero);

    Lettering sub;
    sub.families = naskh();
    sub.maxPixelSize = 15;
    sub.weight = QFont::Normal;
    sub.top = palette::paleLavender;
    sub.bottom = palette::lavender;
    sub.shadow = QColor(0, 0, 0, 160);
    drawLettering(p, QRectF(184, 242, 312, 20), QStringLiteral(u"دليلك إلى معاني الرؤى والمنامات"), sub);
}

} // namespace

QImage drawMenu()
{
    QImage img(640, 480, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    paintVerticalSky(p, img.rect(), {{0.0, palette::night}, {0.4, palette::indigo},
                                     {0.78, palette::plum}, {1.0, palette::dusk}});
    // A faint band of the Milky Way across the sky.
    p.save();
    p.translate(320, 200);
    p.rotate(-18);
    QRadialGradient band(QPointF(0, 0), 1);
    band.setColorAt(0, QColor(190, 170, 240, 40));
    band.setColorAt(1, Qt::transparent);
    p.scale(420, 60);
    p.setPen(Qt::NoPen);
    p.setBrush(band);
    p.drawEllipse(QPointF(0, 0), 1, 1);
    p.restore();

    const QList<QRectF> keepClear = {
        TitleArea.adjusted(-12, -8, 12, 10), EncyclopediaArea.adjusted(-4, -4, 4, 4),
        SoundArea.adjusted(-4, -4, 4, 4), DictionaryArea.adjusted(-6, -4, 6, 4),
        QRectF(164, 165, 352, 100), AboutCaption.adjusted(-4, -2, 4, 2),
        QRectF(536, 0, 104, 160)};
    scatterStars(p, QRectF(12, 12, 616, 380), 420, 1406, keepClear);

    drawHero(p);
    drawSkyline(p, QRectF(11, 404, 618, 66), 77);
    drawPalm(p, QPointF(44, 472), 92, 10, QColor(14, 8, 22));
    drawPalm(p, QPointF(72, 472), 64, -12, QColor(14, 8, 22));
    drawPalm(p, QPointF(590, 472), 86, -10, QColor(14, 8, 22));
    drawOpenBook(p, QPointF(312, 418), 150, 60);
    drawBorder(p);
    drawTitle(p);
    drawPlaques(p);
    drawCaptions(p);
    p.end();
    return img.convertToFormat(QImage::Format_RGB32);
}

} // namespace art
