#include "app/controls.h"

#include "core/layout/twips.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>
#include <algorithm>
#include <utility>

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

namespace {

bool isPressKey(const QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space: return true;
    default: return false;
    }
}

} // namespace

void ClickLabel::makePressable(const QString &accessibleName)
{
    pressable_ = true;
    setFocusPolicy(Qt::TabFocus);
    setAccessibleName(accessibleName);
}

void ClickLabel::keyPressEvent(QKeyEvent *event)
{
    const bool modified = event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    if (!pressable_ || !isPressKey(event) || modified) {
        QLabel::keyPressEvent(event);
        return;
    }
    event->accept();
    // A key held down presses once.
    if (!event->isAutoRepeat())
        emit Click();
}

namespace {

class ReturnPresses : public QObject {
public:
    explicit ReturnPresses(QAbstractButton *button) : QObject(button), button_(button)
    {
        button->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            return false;
        if (key->modifiers() & ~Qt::KeypadModifier)
            return false;
        if (!key->isAutoRepeat() && button_->isEnabled())
            button_->click();
        return true;
    }

private:
    QAbstractButton *button_;
};

} // namespace

void pressOnReturn(QAbstractButton *button)
{
    new ReturnPresses(button);
}

namespace {

constexpr int RingMargin = 4;

} // namespace

FocusRing::FocusRing(const QColor &colour, QWidget *parent) : QWidget(parent), colour_(colour)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    hide();
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) { focusMoved(now); });
}

void FocusRing::follow(QWidget *control)
{
    controls_.append(control);
    if (control->hasFocus())
        focusMoved(control);
}

QWidget *FocusRing::around() const
{
    return isVisibleTo(parentWidget()) ? around_.data() : nullptr;
}

void FocusRing::focusMoved(QWidget *now)
{
    const bool followed = now && std::any_of(controls_.begin(), controls_.end(),
                                             [now](const QPointer<QWidget> &c) { return c == now; });
    if (!followed) {
        around_ = nullptr;
        hide();
        return;
    }
    around_ = now;
    // Kept inside the window: a control at its edge gets its ring closer.
    setGeometry(now->geometry().adjusted(-RingMargin, -RingMargin, RingMargin, RingMargin)
                & parentWidget()->rect());
    show();
    if (under_)
        stackUnder(under_);
    else
        raise();
}

void FocusRing::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // The line runs inside the ring's rectangle, room left for its halo.
    constexpr double inset = 3.5;
    const QRectF inner = QRectF(rect()).adjusted(inset, inset, -inset, -inset);
    // A soft halo first, then the line itself: it reads on the dark sky and
    // on the light buttons alike.
    for (const auto &[width, alpha] : {std::pair{7.0, 50}, std::pair{5.0, 90}}) {
        QColor halo = colour_;
        halo.setAlpha(alpha);
        painter.setPen(QPen(halo, width));
        painter.drawRoundedRect(inner, 6, 6);
    }
    painter.setPen(QPen(colour_, 2));
    painter.drawRoundedRect(inner, 6, 6);
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

void PictureBox::showsProgress(int percent)
{
    const int value = std::clamp(percent, 0, 100);
    if (value == progress_)
        return;
    progress_ = value;
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent changed(this, value);
        QAccessible::updateAccessibility(&changed);
    }
}

void PictureBox::showsText(const QString &text)
{
    const QString old = std::exchange(text_, text);
    if (QAccessible::isActive() && old != text_) {
        QAccessibleTextUpdateEvent changed(this, 0, old, text_);
        QAccessible::updateAccessibility(&changed);
    }
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

namespace {

// One filter on the application sees the presses on every control of the
// windows it moves, whichever control is under the mouse; those windows
// carry a mark.
const char *const MovedByDragging = "velkaram.movedByDragging";

class DragMover : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const auto type = event->type();
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
            return false;
        auto *widget = qobject_cast<QWidget *>(watched);
        if (!widget || !widget->window()->property(MovedByDragging).toBool())
            return false;
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (type == QEvent::MouseButtonPress) {
            pressed_ = mouse->button() == Qt::LeftButton;
            pressedAt_ = mouse->globalPosition().toPoint();
        } else if (type == QEvent::MouseButtonRelease) {
            pressed_ = false;
        } else if (pressed_ && (mouse->buttons() & Qt::LeftButton)
                   && (mouse->globalPosition().toPoint() - pressedAt_).manhattanLength() >= QApplication::startDragDistance()) {
            pressed_ = false;
            QWindow *handle = widget->window()->windowHandle();
            return handle && handle->startSystemMove();
        }
        return false;
    }

private:
    bool pressed_ = false;
    QPoint pressedAt_;
};

} // namespace

void moveByDragging(QWidget *window)
{
    static QPointer<DragMover> mover;
    if (!mover) {
        mover = new DragMover(qApp);
        qApp->installEventFilter(mover);
    }
    window->setProperty(MovedByDragging, true);
}

} // namespace velkaram
