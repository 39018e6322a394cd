#pragma once

#include "core/layout/placement.h"

#include <QEvent>
#include <QMargins>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

namespace velkaram {

class Forms;

// A window with a lifetime: its data members live for the whole run, its
// controls only while it is loaded. Loading builds the controls and runs
// Form_Load; unloading runs Form_Unload, then destroys the controls.
class Form {
public:
    Form(Forms &forms, QString name);
    virtual ~Form();
    Form(const Form &) = delete;
    Form &operator=(const Form &) = delete;

    const QString &name() const { return name_; }
    bool isLoaded() const { return window_ != nullptr; }
    bool isVisible() const { return window_ && window_->isVisible(); }

    void load();
    // Shows the window restored from a minimized state, on top and active.
    void show();
    void hide();
    void unload();
    void minimize();

    // The top-level widget; touching it loads the window hidden.
    QWidget *window();

    // Dresses another window the way this one is dressed (its skin), loading
    // this one first if need be: how one window borrows another's look.
    void lendLook(QWidget *to)
    {
        load();
        applyLook(to);
    }

    // Runs code the way every handler runs: a failure that escapes it goes
    // to the default error report.
    void guarded(const std::function<void()> &handler);

protected:
    Forms &forms() const { return forms_; }

    // Builds the controls into the empty top-level widget.
    virtual void createControls(QWidget *window) = 0;
    // Forgets the pointers to the controls, which are about to be destroyed.
    virtual void releaseControls() = 0;

    // The desktop asks to close the window (its close box, Alt+F4): most
    // windows unload; a window whose loss would strand the user decides
    // otherwise.
    virtual void closeRequested() { unload(); }

    // What lendLook() puts on another window; most windows have nothing to lend.
    virtual void applyLook(QWidget * /*to*/) const {}

    virtual void Form_Load() {}
    virtual void Form_Unload(int & /*cancel*/) {}
    // The window's key preview: every key typed in the window, before the
    // control gets it. Setting the code to 0 swallows the key.
    virtual void Form_KeyPress(int & /*keyAscii*/) {}

    // Connects a control's signal to a handler. A failure escaping the handler
    // goes to the default error report.
    // Every handler a window connects lives as long as its controls: once
    // the window unloads, no timer, sound report or queued call reaches it.
    template <typename Sender, typename Signal>
    void on(Sender *sender, Signal signal, std::function<void()> handler)
    {
        QObject::connect(sender, signal, scope_, [this, handler] { guarded(handler); });
    }
    // A KeyPress handler for one control: character codes (13 Enter, 27 Escape).
    void onKeyPress(QWidget *control, std::function<void(int &)> handler);
    // A KeyDown handler for one control: every key pressed there (Qt's key
    // code and modifiers), before the control sees it; true keeps it from
    // the control.
    void onKeyDown(QWidget *control, std::function<bool(int key, Qt::KeyboardModifiers modifiers)> handler);
    // Runs the handler whenever the watched object gets an event of that
    // type; the event goes on to the object as usual.
    void onEvent(QObject *watched, QEvent::Type type, std::function<void()> handler);
    // Runs the handler from the event loop, unless the window unloads first.
    void later(std::function<void()> handler);
    // Runs the handler once, on the event loop's turn after the window's
    // first paint, or half a second on if it is never painted; not at all
    // if the window unloads first. Work the first sight of the window does
    // not need waits here.
    void afterFirstPaint(std::function<void()> handler);

    // Where the window opens: by default wherever the desktop puts it. Either
    // way its whole frame stays on the screen's available area.
    void setPlacement(Placement placement) { placement_ = placement; }
    // No frame, a fixed size, centred: the splash, the menu and the about box.
    void makeBorderless(int width, int height);

private:
    friend class FormWindow;
    void installKeyPreview();
    void place();
    void keepFrameOnScreen();

    Forms &forms_;
    QString name_;
    QPointer<QWidget> window_;
    // Parent of the connections and a sign of life for the filters of one
    // loading; unload() deletes it at once.
    QPointer<QObject> scope_;
    bool loading_ = false;
    Placement placement_ = Placement::ByDesktop;
    bool placed_ = false;        // since the last load
    bool wasMinimized_ = false;  // since the last showing
    QMargins placedWithFrame_;   // the frame the window was last placed with
};

// Runs steps one by one; a step that fails is abandoned and the next one runs.
class SkipOnError {
public:
    template <typename Step>
    void operator()(Step &&step) noexcept
    {
        try {
            step();
        } catch (const std::exception &) {
        }
    }
};

} // namespace velkaram
