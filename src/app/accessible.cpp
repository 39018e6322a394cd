#include "app/accessible.h"

#include "app/controls.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <algorithm>

namespace velkaram {

namespace {

// A click label as a screen reader meets it: a button with a press action
// once the keyboard can press it, otherwise the text or picture it shows.
class ClickLabelAccessible : public QAccessibleWidget {
public:
    explicit ClickLabelAccessible(ClickLabel *label) : QAccessibleWidget(label) {}

    ClickLabel *label() const { return static_cast<ClickLabel *>(object()); }

    QAccessible::Role role() const override
    {
        if (label()->isPressable())
            return QAccessible::Button;
        return label()->pixmap().isNull() ? QAccessible::StaticText : QAccessible::Graphic;
    }

    QString text(QAccessible::Text t) const override
    {
        QString s = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && s.isEmpty() && !label()->isPressable())
            s = label()->text();
        return s;
    }

    QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        if (label()->isPressable())
            names.prepend(pressAction());
        return names;
    }

    void doAction(const QString &action) override
    {
        if (action != pressAction() || !label()->isPressable()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        // Pressed once the reader's request has been answered: what the press
        // opens may be a modal box.
        QPointer<ClickLabel> pressed = label();
        QMetaObject::invokeMethod(
            pressed, [pressed] { if (pressed) emit pressed->Click(); }, Qt::QueuedConnection);
    }

    QStringList keyBindingsForAction(const QString &) const override { return {}; }
};

// A drawing box: a progress bar while it shows a value, a passage of text
// while it shows one, a plain picture otherwise.
class PictureBoxAccessible : public QAccessibleWidget,
                             public QAccessibleValueInterface,
                             public QAccessibleTextInterface {
public:
    explicit PictureBoxAccessible(PictureBox *box) : QAccessibleWidget(box) {}

    PictureBox *box() const { return static_cast<PictureBox *>(object()); }
    bool hasValue() const { return box()->progress() >= 0; }
    bool hasText() const { return !box()->shownText().isEmpty(); }

    QAccessible::Role role() const override
    {
        if (hasValue())
            return QAccessible::ProgressBar;
        return hasText() ? QAccessible::StaticText : QAccessible::Graphic;
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value && hasValue())
            return QString::number(box()->progress()) + QLatin1Char('%');
        return QAccessibleWidget::text(t);
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface && hasValue())
            return static_cast<QAccessibleValueInterface *>(this);
        if (type == QAccessible::TextInterface && hasText())
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    // The value: a whole percentage, read only.
    QVariant currentValue() const override { return box()->progress(); }
    void setCurrentValue(const QVariant &) override {}
    QVariant maximumValue() const override { return 100; }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }

    // The text: read only, nothing selected, the caret at its start.
    void selection(int, int *startOffset, int *endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override
    {
        const QString &all = box()->shownText();
        const int start = std::clamp(startOffset, 0, int(all.size()));
        const int end = endOffset < 0 ? int(all.size()) : std::clamp(endOffset, start, int(all.size()));
        return all.mid(start, end - start);
    }
    int characterCount() const override { return int(box()->shownText().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int *startOffset, int *endOffset) const override
    {
        *startOffset = *endOffset = offset;
        return {};
    }
};

QAccessibleInterface *accessibleControl(const QString &className, QObject *object)
{
    if (className == QLatin1String(ClickLabel::staticMetaObject.className()))
        return new ClickLabelAccessible(static_cast<ClickLabel *>(object));
    if (className == QLatin1String(PictureBox::staticMetaObject.className()))
        return new PictureBoxAccessible(static_cast<PictureBox *>(object));
    return nullptr;
}

} // namespace

void installAccessibleControls()
{
    static const bool installed = [] {
        QAccessible::installFactory(accessibleControl);
        return true;
    }();
    (void)installed;
}

} // namespace velkaram
