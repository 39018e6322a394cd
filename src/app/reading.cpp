#include "app/reading.h"

#include "app/forms.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QClipboard>
#include <QFont>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QProxyStyle>
#include <QShortcut>
#include <QStyleOptionMenuItem>
#include <QTextEdit>
#include <QTextOption>
#include <QAbstractTextDocumentLayout>
#include <QTextDocument>
#include <QWheelEvent>
#include <algorithm>
#include <array>

namespace velkaram {

namespace {

QStringList linesOf(const QString &text)
{
    QStringList lines;
    for (const QString &line : text.split(QLatin1Char('\n')))
        if (!line.trimmed().isEmpty())
            lines << line.trimmed();
    return lines;
}

// Print in a book face that carries Arabic.
QFont printFont(double pointSize, bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("Noto Naskh Arabic"), QStringLiteral("Amiri"), QStringLiteral("Noto Sans Arabic"),
                      QStringLiteral("DejaVu Sans")});
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

} // namespace

QString EntryText::toPlainText() const
{
    QStringList lines{heading.trimmed()};
    for (const QString &paragraph : paragraphs)
        lines << linesOf(paragraph);
    return lines.join(QLatin1Char('\n'));
}

QString EntryText::toHtml() const
{
    QString html = QStringLiteral("<div dir=\"rtl\" lang=\"ar\"><h2>") + heading.trimmed().toHtmlEscaped() + QStringLiteral("</h2>");
    for (const QString &paragraph : paragraphs)
        for (const QString &line : linesOf(paragraph))
            html += QStringLiteral("<p>") + line.toHtmlEscaped() + QStringLiteral("</p>");
    return html + QStringLiteral("</div>");
}

void copyEntry(const EntryText &entry)
{
    auto *data = new QMimeData;
    data->setText(entry.toPlainText());
    data->setHtml(entry.toHtml());
    QGuiApplication::clipboard()->setMimeData(data);
}

void printEntry(const EntryText &entry, QPrinter &printer)
{
    QTextDocument document;
    document.documentLayout()->setPaintDevice(&printer);
    document.setDefaultFont(printFont(13, false));
    QTextOption option = document.defaultTextOption();
    option.setTextDirection(Qt::RightToLeft);
    option.setAlignment(Qt::AlignRight | Qt::AlignAbsolute);
    document.setDefaultTextOption(option);
    document.setHtml(entry.toHtml());

    QPainter painter(&printer);
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    const QFont footFont = printFont(9, false);
    const QFontMetricsF foot(footFont, &printer);
    const qreal footHeight = foot.height() * 2.5;
    const QRectF body(0, 0, page.width(), page.height() - footHeight);
    document.setPageSize(body.size());
    const int pages = std::max(1, document.pageCount());
    for (int i = 0; i < pages; ++i) {
        if (i > 0)
            printer.newPage();
        painter.save();
        painter.translate(0, -body.height() * i);
        document.drawContents(&painter, body.translated(0, body.height() * i));
        painter.restore();
        painter.setFont(footFont);
        painter.setPen(Qt::darkGray);
        painter.drawText(QRectF(0, page.height() - footHeight, page.width(), footHeight), Qt::AlignCenter, ProgramTitle);
    }
}

void printEntryWithDialog(const EntryText &entry, QWidget *parent)
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("طباعة المدخل"));
    if (dialog.exec() == QDialog::Accepted)
        printEntry(entry, printer);
}

namespace {

// The sizes a step goes through, as in a reader's browser.
constexpr std::array<int, 11> Steps{70, 80, 90, 100, 110, 125, 150, 175, 200, 225, 250};

} // namespace

TextZoom &TextZoom::session()
{
    static TextZoom *zoom = new TextZoom; // lives as long as the program
    return *zoom;
}

void TextZoom::setPercent(int percent)
{
    percent = std::clamp(percent, Smallest, Largest);
    if (percent == percent_)
        return;
    percent_ = percent;
    emit changed(percent_);
}

void TextZoom::zoomIn()
{
    const auto next = std::upper_bound(Steps.begin(), Steps.end(), percent_);
    setPercent(next == Steps.end() ? Largest : *next);
}

void TextZoom::zoomOut()
{
    const auto at = std::lower_bound(Steps.begin(), Steps.end(), percent_);
    setPercent(at == Steps.begin() ? Smallest : *(at - 1));
}

namespace {

// Ctrl with the wheel zooms every followed widget together, rather than the
// one text box under the mouse as Qt's own handling does.
class WheelZoom : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::Wheel)
            return false;
        const auto *wheel = static_cast<QWheelEvent *>(event);
        if (!(wheel->modifiers() & Qt::ControlModifier))
            return false;
        turned_ += wheel->angleDelta().y();
        for (; turned_ >= 120; turned_ -= 120)
            TextZoom::session().zoomIn();
        for (; turned_ <= -120; turned_ += 120)
            TextZoom::session().zoomOut();
        return true;
    }

private:
    int turned_ = 0;
};

// The keys, the first of each list being the one the menu shows.
const QList<QKeySequence> ZoomInKeys{QKeySequence(Qt::CTRL | Qt::Key_Equal), QKeySequence(Qt::CTRL | Qt::Key_Plus),
                                     QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Equal),
                                     QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Plus),
                                     QKeySequence(QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Plus))};
const QList<QKeySequence> ZoomOutKeys{QKeySequence(Qt::CTRL | Qt::Key_Minus),
                                      QKeySequence(QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Minus))};
const QList<QKeySequence> NormalSizeKeys{QKeySequence(Qt::CTRL | Qt::Key_0),
                                         QKeySequence(QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_0))};
const QKeySequence CopyEntryKey(Qt::CTRL | Qt::SHIFT | Qt::Key_C);

void addShortcut(QWidget *window, const QList<QKeySequence> &keys, std::function<void()> run)
{
    auto *shortcut = new QShortcut(window);
    shortcut->setKeys(keys);
    QObject::connect(shortcut, &QShortcut::activated, window, std::move(run));
}

} // namespace

void followZoom(QWidget *window, const QList<QWidget *> &widgets)
{
    auto *wheel = new WheelZoom(window);
    for (QWidget *widget : widgets) {
        const QFont designed = widget->font();
        auto *box = qobject_cast<QTextEdit *>(widget);
        const qreal margin = box ? box->document()->documentMargin() : 0;
        const auto apply = [widget, box, designed, margin](int percent) {
            // The reader stays where they were in the text.
            QScrollBar *bar = box ? box->verticalScrollBar() : nullptr;
            const double along = bar && bar->maximum() > 0 ? double(bar->value()) / bar->maximum() : 0.0;
            QFont font = designed;
            font.setPointSizeF(designed.pointSizeF() * percent / 100.0);
            widget->setFont(font);
            if (box) {
                // A larger line fills a one-line box sooner without the margin.
                box->document()->setDocumentMargin(percent > 100 ? std::min<qreal>(margin, 1) : margin);
                box->document()->documentLayout()->documentSize(); // lays it out, so the bar knows its range
                bar->setValue(int(along * bar->maximum() + 0.5));
            }
        };
        apply(TextZoom::session().percent());
        QObject::connect(&TextZoom::session(), &TextZoom::changed, widget, apply);
        widget->installEventFilter(wheel);
        if (auto *area = qobject_cast<QAbstractScrollArea *>(widget))
            area->viewport()->installEventFilter(wheel);
    }
    TextZoom &zoom = TextZoom::session();
    addShortcut(window, ZoomInKeys, [&zoom] { zoom.zoomIn(); });
    addShortcut(window, ZoomOutKeys, [&zoom] { zoom.zoomOut(); });
    addShortcut(window, NormalSizeKeys, [&zoom] { zoom.reset(); });
}

namespace {

// Menu items right-aligned in a right-to-left menu: Qt's styles draw their
// text from the shortcut's edge, so short items stood away from the right.
class RightToLeftMenuStyle : public QProxyStyle {
public:
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter, const QWidget *widget) const override
    {
        const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
        if (element != CE_MenuItem || !item || item->direction != Qt::RightToLeft
            || item->menuItemType != QStyleOptionMenuItem::Normal) {
            QProxyStyle::drawControl(element, option, painter, widget);
            return;
        }
        // The style draws the item and its shortcut, this its words.
        QStyleOptionMenuItem shortcutOnly(*item);
        const qsizetype tab = item->text.indexOf(QLatin1Char('\t'));
        shortcutOnly.text = tab >= 0 ? item->text.mid(tab) : QString();
        QProxyStyle::drawControl(element, &shortcutOnly, painter, widget);
        const int inset = 4 + std::max(item->maxIconWidth, 20);
        const bool enabled = item->state & State_Enabled;
        const bool selected = item->state & State_Selected;
        painter->save();
        painter->setFont(item->font);
        painter->setPen(item->palette.color(enabled ? QPalette::Normal : QPalette::Disabled,
                                            selected ? QPalette::HighlightedText : QPalette::Text));
        painter->drawText(item->rect.adjusted(0, 0, -inset, 0), Qt::AlignRight | Qt::AlignVCenter | Qt::TextShowMnemonic | Qt::TextSingleLine,
                          tab >= 0 ? item->text.left(tab) : item->text);
        painter->restore();
    }
};

QStyle *menuStyle()
{
    static QPointer<QStyle> style;
    if (!style) {
        style = new RightToLeftMenuStyle;
        style->setParent(qApp);
    }
    return style;
}

} // namespace

void addReadingMenu(QWidget *window, const QList<QTextEdit *> &boxes, std::function<EntryText()> entry)
{
    const auto copyWhole = [entry] { copyEntry(entry()); };
    addShortcut(window, {CopyEntryKey}, copyWhole);
    for (QTextEdit *box : boxes) {
        box->setContextMenuPolicy(Qt::CustomContextMenu);
        QObject::connect(box, &QWidget::customContextMenuRequested, box, [box, entry, copyWhole](const QPoint &at) {
            // Not a child of the box: the window's skin would style it, and
            // its style sheet draws menu items left-aligned right to left.
            auto *menu = new QMenu;
            menu->setObjectName(QStringLiteral("ReadingMenu"));
            menu->setAttribute(Qt::WA_DeleteOnClose);
            menu->setLayoutDirection(Qt::RightToLeft);
            menu->setStyle(menuStyle());
            QAction *copy = menu->addAction(QStringLiteral("نسخ"), box, &QTextEdit::copy);
            copy->setShortcut(QKeySequence::Copy);
            copy->setEnabled(box->textCursor().hasSelection());
            menu->addAction(QStringLiteral("نسخ المدخل كاملا"), box, copyWhole)->setShortcut(CopyEntryKey);
            menu->addAction(QStringLiteral("طباعة المدخل…"), box, [box, entry] { printEntryWithDialog(entry(), box->window()); });
            menu->addSeparator();
            TextZoom &zoom = TextZoom::session();
            menu->addAction(QStringLiteral("تكبير النص"), box, [&zoom] { zoom.zoomIn(); })->setShortcut(ZoomInKeys.first());
            menu->addAction(QStringLiteral("تصغير النص"), box, [&zoom] { zoom.zoomOut(); })->setShortcut(ZoomOutKeys.first());
            menu->addAction(QStringLiteral("الحجم العادي"), box, [&zoom] { zoom.reset(); })->setShortcut(NormalSizeKeys.first());
            menu->popup(box->viewport()->mapToGlobal(at));
        });
        // The keyboard's way to the menu, beside the menu key Qt knows.
        auto *key = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), box, nullptr, nullptr, Qt::WidgetShortcut);
        QObject::connect(key, &QShortcut::activated, box, [box] { emit box->customContextMenuRequested(box->cursorRect().center()); });
    }
}

namespace {

class BackAndForward : public QObject {
public:
    BackAndForward(QWidget *window, std::function<void(bool)> go) : QObject(window), window_(window), go_(std::move(go))
    {
        qApp->installEventFilter(this);
    }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::MouseButtonPress)
            return false;
        const auto button = static_cast<QMouseEvent *>(event)->button();
        if (button != Qt::BackButton && button != Qt::ForwardButton)
            return false;
        auto *widget = qobject_cast<QWidget *>(watched);
        if (!widget || widget->window() != window_)
            return false;
        go_(button == Qt::ForwardButton);
        return true;
    }

private:
    QPointer<QWidget> window_;
    std::function<void(bool)> go_;
};

} // namespace

void onBackAndForward(QWidget *window, std::function<void(bool forward)> go)
{
    new BackAndForward(window, go);
    addShortcut(window, {QKeySequence(Qt::ALT | Qt::Key_Left)}, [go] { go(false); });
    addShortcut(window, {QKeySequence(Qt::ALT | Qt::Key_Right)}, [go] { go(true); });
}

} // namespace velkaram
