#pragma once

#include <QColor>
#include <QImage>
#include <QLabel>
#include <QList>
#include <QPointer>
#include <QWidget>

class QAbstractButton;

namespace velkaram {

// A click is the left button released over the control it was pressed on.
bool isClick(const QWidget *control, const QMouseEvent *release);

// A label or picture that reports a click of the left button.
class ClickLabel : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

    // Lets the keyboard reach it too: Tab stops at it (a click still leaves
    // the focus where it was), Enter and Space press it as a click does, and
    // assistive technology sees a button by that name with a press action.
    void makePressable(const QString &accessibleName);
    bool isPressable() const { return pressable_; }

signals:
    void Click();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool pressable_ = false;
};

// Enter and Return press a push button as Space does; a push button outside
// a dialog otherwise ignores them.
void pressOnReturn(QAbstractButton *button);

// A press and drag anywhere on the window asks the window system to move it.
// For a borderless window on Wayland, where the program cannot place its
// windows itself and there is no title bar to drag.
void moveByDragging(QWidget *window);

// A glow around whichever of the given controls has the keyboard focus,
// drawn over the window's picture in its own colour; the mouse passes
// through it. The controls must be children of the ring's parent.
class FocusRing : public QWidget {
    Q_OBJECT

public:
    // The crescent's gold, which reads on the dark windows' night sky.
    static inline const QColor Gold{255, 214, 120};

    FocusRing(const QColor &colour, QWidget *parent);
    void follow(QWidget *control);
    // Drawn under that control rather than over everything, where the
    // design lays it over the followed one.
    void keepUnder(QWidget *control) { under_ = control; }
    // The control the ring is drawn around, if any.
    QWidget *around() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void focusMoved(QWidget *now);

    QColor colour_;
    QList<QPointer<QWidget>> controls_;
    QPointer<QWidget> around_;
    QPointer<QWidget> under_;
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

    // What assistive technology is told the box shows: a value from 0 to 100
    // (a progress bar), or a text. progress() is -1 until a value is shown.
    void showsProgress(int percent);
    int progress() const { return progress_; }
    void showsText(const QString &text);
    const QString &shownText() const { return text_; }

signals:
    void Click();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QColor back_, fore_;
    QImage picture_;
    int progress_ = -1;
    QString text_;
};

} // namespace velkaram
