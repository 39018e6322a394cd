#include "app/controls.h"

#include "core/layout/twips.h"

#include <QMouseEvent>
#include <QPainter>

namespace velkaram {

bool isClick(const QWidget *control, const QMouseEvent *release)
{
    return release->button() == Qt::LeftButton && control->rect().contains(release->position().toPoint());
}

void ClickLabel::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (isClick(this, event))
        emit Click();
}

ShapeRect::ShapeRect(const QColor &colour, int lineWidth, QWidget *parent)
    : QWidget(parent), colour_(colour), lineWidth_(lineWidth)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void ShapeRect::frameWindow()
{
    const QWidget *window = parentWidget();
    setGeometry(pixels(1), pixels(1), pixels(window->width() * TwipsPerPixel - 1),
                pixels(window->height() * TwipsPerPixel - 1));
    raise();
}

void ShapeRect::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const int half = lineWidth_ / 2;
    painter.setPen(QPen(colour_, lineWidth_, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawRect(rect().adjusted(half, half, -(lineWidth_ - half), -(lineWidth_ - half)));
}

PictureBox::PictureBox(const QColor &back, const QColor &fore, QWidget *parent)
    : QWidget(parent), back_(back), fore_(fore)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage &PictureBox::picture()
{
    if (picture_.size() != size()) {
        picture_ = QImage(size(), QImage::Format_RGB32);
        picture_.fill(back_);
    }
    return picture_;
}

void PictureBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, picture());
}

void PictureBox::mouseReleaseEvent(QMouseEvent *event)
{
    QWidget::mouseReleaseEvent(event);
    if (isClick(this, event))
        emit Click();
}

} // namespace velkaram
