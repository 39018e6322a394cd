#pragma once

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
    void show();
    void hide();
    void unload();
    void minimize();

    // The top-level widget; touching it loads the window hidden.
    QWidget *window();

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

    virtual void Form_Load() {}
    virtual void Form_Unload(int & /*cancel*/) {}
    // The window's key preview: every key typed in the window, before the
    // control gets it. Setting the code to 0 swallows the key.
    virtual void Form_KeyPress(int & /*keyAscii*/) {}

    // Connects a control's signal to a handler. A failure escaping the handler
    // goes to the default error report.
    template <typename Sender, typename Signal>
    void on(Sender *sender, Signal signal, std::function<void()> handler)
    {
        QObject::connect(sender, signal, window_, [this, handler] { guarded(handler); });
    }
    // A KeyPress handler for one control: character codes (13 Enter, 27 Escape).
    void onKeyPress(QWidget *control, std::function<void(int &)> handler);

private:
    friend class FormWindow;
    void installKeyPreview();

    Forms &forms_;
    QString name_;
    QPointer<QWidget> window_;
    bool loading_ = false;
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
