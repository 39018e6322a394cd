#include "app/form.h"

#include "app/controls.h"
#include "app/forms.h"
#include "core/runtimeerror.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QTimer>
#include <QWindow>

namespace velkaram {

// The top-level widget of a form: its close box unloads the form.
class FormWindow : public QWidget {
public:
    explicit FormWindow(Form &form) : form_(form) {}

protected:
    void closeEvent(QCloseEvent *event) override
    {
        event->ignore();
        form_.guarded([this] { form_.closeRequested(); });
    }

private:
    Form &form_;
};

namespace {

int characterCode(const QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: return 9;
    default: break;
    }
    const QString text = event->text();
    return text.isEmpty() ? 0 : text.at(0).unicode();
}

// Hands typed characters to a KeyPress handler; a handler that sets the code
// to 0 swallows the key. A key that a control leaves unused travels on to its
// parents as the same event object, so a filter shared by a control and its
// parents must tell that journey from a new press. Comparing addresses alone
// is not enough: after a modal box the next press often gets the old address.
class KeyPressFilter : public QObject {
public:
    KeyPressFilter(QObject *parent, QObject *scope, std::function<void(int &)> handler)
        : QObject(parent), scope_(scope), handler_(std::move(handler)) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!scope_)
            return false;
        if (event->type() == QEvent::KeyRelease)
            seen_ = nullptr;
        if (event->type() != QEvent::KeyPress)
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        const bool travelling = key == seen_ && key->timestamp() == seenTime_ && key->key() == seenKey_
                                && reached_ && isStrictAncestor(watched, reached_);
        reached_ = watched;
        if (travelling)
            return false;
        seen_ = key;
        seenTime_ = key->timestamp();
        seenKey_ = key->key();
        int code = characterCode(key);
        if (code == 0)
            return false;
        handler_(code);
        if (code != 0)
            return false;
        seen_ = nullptr; // swallowed: it goes no further
        return true;
    }

private:
    static bool isStrictAncestor(const QObject *candidate, const QObject *of)
    {
        for (const QObject *p = of->parent(); p; p = p->parent())
            if (p == candidate)
                return true;
        return false;
    }

    // The filter is deleted with the control it watches, which may be inside
    // one of its handlers; the window's unloading ends its work at once.
    QPointer<QObject> scope_;
    std::function<void(int &)> handler_;
    const QEvent *seen_ = nullptr;
    quint64 seenTime_ = 0;
    int seenKey_ = 0;
    QPointer<QObject> reached_; // where the last press was seen last
};

// Calls back for one type of event of the object it watches, while the
// window's loading it belongs to lasts.
class EventHandler : public QObject {
public:
    EventHandler(QObject *watched, QObject *scope, QEvent::Type type, std::function<void()> handler)
        : QObject(watched), scope_(scope), type_(type), handler_(std::move(handler))
    {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (scope_ && event->type() == type_)
            handler_();
        return false;
    }

private:
    QPointer<QObject> scope_;
    QEvent::Type type_;
    std::function<void()> handler_;
};

// Hands every key pressed in a control to a KeyDown handler first.
class KeyDownFilter : public QObject {
public:
    KeyDownFilter(QWidget *control, QObject *scope, std::function<bool(int, Qt::KeyboardModifiers)> handler)
        : QObject(control), scope_(scope), handler_(std::move(handler))
    {
        control->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (!scope_ || event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        return handler_(key->key(), key->modifiers());
    }

private:
    QPointer<QObject> scope_;
    std::function<bool(int, Qt::KeyboardModifiers)> handler_;
};

} // namespace

Form::Form(Forms &forms, QString name) : forms_(forms), name_(std::move(name)) {}

Form::~Form()
{
    // The handlers go first: destroying the window moves the focus and
    // sends events, and the derived form's members are already gone.
    delete scope_.data();
    delete window_.data();
}

void Form::load()
{
    if (window_ || loading_)
        return;
    loading_ = true;
    auto *window = new FormWindow(*this);
    window->setObjectName(name_);
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    window_ = window;
    scope_ = new QObject(window);
    placed_ = false;
    placedWithFrame_ = QMargins();
    wasMinimized_ = false;
    for (const QEvent::Type type : {QEvent::Move, QEvent::Resize, QEvent::Show})
        onEvent(window, type, [this] { keepFrameOnScreen(); });
    onEvent(window, QEvent::WindowStateChange, [this] { wasMinimized_ |= window_->isMinimized(); });
    createControls(window);
    installKeyPreview();
    loading_ = false;
    Form_Load();
}

void Form::show()
{
    load();
    QWidget *window = window_;
    if (!window->isVisible() && wasMinimized_) {
        // Minimizing leaves an X11 hint asking for an icon, which stays when
        // the desktop restores the window by itself: the next showing would
        // come back minimized. Passing through the minimized state rewrites it.
        window->setWindowState(window->windowState() | Qt::WindowMinimized);
        wasMinimized_ = false;
    }
    // A window minimized before it was hidden would come back as an icon.
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    if (!placed_)
        place();
    window->show();
    window->raise();
    window->activateWindow();
}

void Form::hide()
{
    if (window_)
        window_->hide();
}

void Form::minimize()
{
    if (window_)
        window_->showMinimized();
}

void Form::unload()
{
    if (!window_)
        return;
    int cancel = 0;
    Form_Unload(cancel);
    if (cancel != 0 || !window_)
        return;
    QWidget *old = window_;
    window_ = nullptr;
    delete scope_.data();
    releaseControls();
    old->hide();
    // The widget may be inside one of its own event handlers right now.
    old->deleteLater();
}

QWidget *Form::window()
{
    load();
    return window_;
}

void Form::guarded(const std::function<void()> &handler)
{
    try {
        handler();
    } catch (const RuntimeError &e) {
        forms_.reportFatal(e.number(), e.description());
    } catch (const std::exception &e) {
        forms_.reportFatal(err::InternalError, QStringLiteral("خطأ داخلي: %1").arg(QString::fromLocal8Bit(e.what())));
    }
}

void Form::onKeyPress(QWidget *control, std::function<void(int &)> handler)
{
    control->installEventFilter(new KeyPressFilter(control, scope_, [this, handler](int &code) {
        guarded([&] { handler(code); });
    }));
}

void Form::onKeyDown(QWidget *control, std::function<bool(int, Qt::KeyboardModifiers)> handler)
{
    new KeyDownFilter(control, scope_, [this, handler](int key, Qt::KeyboardModifiers modifiers) {
        bool swallowed = false;
        guarded([&] { swallowed = handler(key, modifiers); });
        return swallowed;
    });
}

void Form::onEvent(QObject *watched, QEvent::Type type, std::function<void()> handler)
{
    new EventHandler(watched, scope_, type, [this, handler] { guarded(handler); });
}

void Form::later(std::function<void()> handler)
{
    QMetaObject::invokeMethod(scope_, [this, handler] { guarded(handler); }, Qt::QueuedConnection);
}

namespace {

class FirstPaint : public QObject {
public:
    FirstPaint(QWidget *window, QObject *scope, std::function<void()> run) : QObject(scope), run_(std::move(run))
    {
        window->installEventFilter(this);
        QTimer::singleShot(500, this, [this] { fire(); });
    }
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            QTimer::singleShot(0, this, [this] { fire(); });
        return false;
    }

private:
    void fire()
    {
        if (auto run = std::exchange(run_, nullptr))
            run();
        deleteLater();
    }
    std::function<void()> run_;
};

} // namespace

void Form::afterFirstPaint(std::function<void()> handler)
{
    new FirstPaint(window_, scope_, [this, handler] { guarded(handler); });
}

// Filters installed last run first, so the window sees each key before the
// control's own handler does.
void Form::installKeyPreview()
{
    auto *filter = new KeyPressFilter(window_, scope_, [this](int &code) { guarded([&] { Form_KeyPress(code); }); });
    window_->installEventFilter(filter);
    for (QWidget *child : window_->findChildren<QWidget *>())
        child->installEventFilter(filter);
}

void Form::makeBorderless(int width, int height)
{
    window_->setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    window_->setFixedSize(width, height);
    placement_ = Placement::Centred;
    // A Wayland compositor places the window itself; the reader moves it.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        moveByDragging(window_);
}

namespace {

QRect availableArea(const QWidget *window)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

QMargins frameMargins(const QWidget *window)
{
    const QWindow *handle = window->windowHandle();
    return handle ? handle->frameMargins() : QMargins();
}

} // namespace

// The first showing of a loading: a centred window goes to the middle of the
// screen, by the frame it is known to have so far. Where the desktop decides,
// it decides.
void Form::place()
{
    placed_ = true;
    const QRect available = availableArea(window_);
    if (placement_ != Placement::Centred || available.isEmpty())
        return;
    placedWithFrame_ = frameMargins(window_);
    const QRect frame(QPoint(), window_->size().grownBy(placedWithFrame_));
    window_->move(placedFrame(frame, available, placement_).topLeft());
}

// The desktop's frame (title bar, borders) is known only once the window is
// on screen; when it first shows, the window is placed again by its whole
// frame, so that none of it lies off the screen.
void Form::keepFrameOnScreen()
{
    const QMargins margins = frameMargins(window_);
    if (!placed_ || !window_->isVisible() || margins.isNull() || margins == placedWithFrame_)
        return;
    placedWithFrame_ = margins;
    const QRect available = availableArea(window_);
    if (available.isEmpty())
        return;
    const QRect frame = window_->geometry().marginsAdded(margins);
    const QRect placed = placedFrame(frame, available, placement_);
    if (placed != frame)
        window_->setGeometry(placed.marginsRemoved(margins));
}

} // namespace velkaram
