#include "app/form.h"

#include "app/forms.h"
#include "core/runtimeerror.h"

#include <QCloseEvent>
#include <QKeyEvent>

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
    KeyPressFilter(QObject *parent, std::function<void(int &)> handler)
        : QObject(parent), handler_(std::move(handler)) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
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

    std::function<void(int &)> handler_;
    const QEvent *seen_ = nullptr;
    quint64 seenTime_ = 0;
    int seenKey_ = 0;
    QPointer<QObject> reached_; // where the last press was seen last
};

} // namespace

Form::Form(Forms &forms, QString name) : forms_(forms), name_(std::move(name)) {}

Form::~Form()
{
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
    createControls(window);
    installKeyPreview();
    loading_ = false;
    Form_Load();
}

void Form::show()
{
    load();
    window_->show();
    window_->raise();
    window_->activateWindow();
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
        forms_.reportFatal(51, QStringLiteral("خطأ داخلي: %1").arg(QString::fromLocal8Bit(e.what())));
    }
}

void Form::onKeyPress(QWidget *control, std::function<void(int &)> handler)
{
    control->installEventFilter(new KeyPressFilter(control, [this, handler](int &code) {
        guarded([&] { handler(code); });
    }));
}

// Filters installed last run first, so the window sees each key before the
// control's own handler does.
void Form::installKeyPreview()
{
    auto *filter = new KeyPressFilter(window_, [this](int &code) { guarded([&] { Form_KeyPress(code); }); });
    window_->installEventFilter(filter);
    for (QWidget *child : window_->findChildren<QWidget *>())
        child->installEventFilter(filter);
}

} // namespace velkaram
