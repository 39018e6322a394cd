#pragma once

#include <QColor>
#include <QImage>
#include <QLabel>
#include <QWidget>

namespace velkaram {

// A click is the left button released over the control it was pressed on.
bool isClick(const QWidget *control, const QMouseEvent *release);

// A label or picture that reports a click of the left button.
class ClickLabel : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

signals:
    void Click();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

// A rectangle outline drawn over the window; clicks pass through it.
class ShapeRect : public QWidget {
public:
    ShapeRect(const QColor &colour, int lineWidth, QWidget *parent);
    // Left 1, top 1, the window's inner size less one, in twips: the outline
    // then runs along the window's edges.
    void frameWindow();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor colour_;
    int lineWidth_;
};

// A drawing box that keeps what was drawn into it as a picture and shows
// that picture whenever it is painted; it reports a click as a label does.
class PictureBox : public QWidget {
    Q_OBJECT

public:
    PictureBox(const QColor &back, const QColor &fore, QWidget *parent);

    const QColor &BackColor() const { return back_; }
    const QColor &ForeColor() const { return fore_; }
    // The kept picture, as large as the box; draw into it, then update().
    QImage &picture();

signals:
    void Click();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QColor back_, fore_;
    QImage picture_;
};

} // namespace velkaram
