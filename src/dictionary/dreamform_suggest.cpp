// The reader's search beside the designed one: an index of the open table
// built away from the window, suggestions under the search box as the reader
// types, and the nearest entries when a designed search finds nothing.
#include "dictionary/dreamform.h"

#include "app/design.h"
#include "app/forms.h"
#include "core/dictionary/statements.h"
#include "core/reader/entrysource.h"
#include "core/reader/readerindex.h"
#include "platform/grid/flexgrid.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QLineEdit>
#include <QListWidget>
#include <QThreadPool>
#include <QTimer>

namespace velkaram {

namespace {

// The reader has stopped typing for this long.
constexpr int TypingPauseMs = 250;
constexpr int ListWidth = 460;
// Room kept between the list and the column of buttons it stops short of.
constexpr int ButtonGap = 6;
constexpr int MaxLines = 11; // ten suggestions and a heading

const QString NearestHeading = QStringLiteral("لا يوجد ما يطابق بحثك تماما، وهذه أقرب المداخل إليه:");
const QString NothingNear = QStringLiteral("لا يوجد ما يطابق بحثك، ولا مدخل قريب منه.");
const QString Dash = QStringLiteral(" — ");

// Where a suggestion's row is kept on its line; a heading line has none.
constexpr int RowRole = Qt::UserRole;

} // namespace

void DreamForm::createSuggestions(QWidget *window)
{
    DreamControls &c = *c_;
    auto *list = new QListWidget(window);
    list->setObjectName(QStringLiteral("Suggestions"));
    list->setAccessibleName(QStringLiteral("اقتراحات البحث"));
    // Typing goes on in the search box: the list never takes the focus.
    list->setFocusPolicy(Qt::NoFocus);
    list->setLayoutDirection(Qt::RightToLeft);
    list->setFont(designFont(QStringLiteral("Tahoma"), 10, false));
    list->setUniformItemSizes(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->hide();
    c.Suggestions = list;
    on(list, &QListWidget::itemClicked, [this] { chooseSuggestion(c_->Suggestions->currentRow()); });

    auto *timer = new QTimer(window);
    timer->setSingleShot(true);
    timer->setInterval(TypingPauseMs);
    c.SuggestTimer = timer;
    on(timer, &QTimer::timeout, [this] { updateSuggestions(); });
    on(c.Text1, &QLineEdit::textEdited, [this] {
        c_->SuggestTimer->start();
        prepareSearch();
    });
    // Like any drop-down, the list goes when the reader leaves the box for
    // another control.
    onEvent(c.Text1, QEvent::FocusOut, [this] {
        if (c_ && !c_->Text1->hasFocus())
            hideSuggestions();
    });
    onKeyDown(c.Text1, [this](int key, Qt::KeyboardModifiers) { return suggestionKey(key); });
}

// The index is built from the file by a worker of its own, so that the
// window neither waits for it nor stops while it is built.
void DreamForm::startReaderIndex()
{
    readerIndex_.reset();
    auto ticket = std::make_shared<int>(0);
    indexTicket_ = ticket;
    const QString path = MainConnection->filePath();
    QThreadPool::globalInstance()->start([this, path, alive = std::weak_ptr<int>(ticket)] {
        std::shared_ptr<reader::ReaderIndex> index;
        try {
            rs::Connection connection;
            connection.Open(path);
            index = std::make_shared<reader::ReaderIndex>();
            reader::readEntries(connection, *index);
        } catch (const std::exception &) {
            // The designed search goes on without suggestions.
            index.reset();
        }
        QMetaObject::invokeMethod(qApp, [this, alive, index] {
            if (alive.lock())
                readerIndexReady(index);
        });
    });
}

void DreamForm::readerIndexReady(std::shared_ptr<reader::ReaderIndex> index)
{
    indexTicket_.reset();
    readerIndex_ = std::move(index);
    if (!readerIndex_ || !isLoaded())
        return;
    if (suggestWhenReady_)
        guarded([this] { updateSuggestions(); });
    if (!nearestWhenReady_.isEmpty())
        guarded([this] { offerNearest(); });
}

bool DreamForm::suggestionsShown() const
{
    return c_ && c_->Suggestions->isVisible();
}

QStringList DreamForm::suggestionLines() const
{
    QStringList lines;
    if (!suggestionsShown())
        return lines;
    for (int i = 0; i < c_->Suggestions->count(); ++i)
        lines << c_->Suggestions->item(i)->text();
    return lines;
}

void DreamForm::showSuggestions(const std::vector<reader::Suggestion> &rows, const QString &heading)
{
    DreamControls &c = ui();
    QListWidget &list = *c.Suggestions;
    list.clear();
    if (!heading.isEmpty()) {
        auto *line = new QListWidgetItem(heading, &list);
        line->setFlags(Qt::NoItemFlags);
        QFont font = list.font();
        font.setBold(true);
        line->setFont(font);
    }
    for (const reader::Suggestion &s : rows) {
        auto *line = new QListWidgetItem(s.keyword + Dash + s.dream, &list);
        line->setData(RowRole, s.row);
        line->setTextAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
    }
    if (list.count() == 0) {
        hideSuggestions();
        return;
    }
    list.setCurrentRow(-1);
    const int lines = std::min(list.count(), MaxLines);
    const int height = lines * list.sizeHintForRow(0) + 2 * list.frameWidth();
    const QPoint below = c.Text1->mapTo(window(), QPoint(0, c.Text1->height()));
    // It stops short of the About and Back buttons, which stay in reach.
    const int buttons = c.Command3->mapTo(window(), QPoint(0, 0)).x() - ButtonGap;
    const int width = buttons > below.x() ? std::max(c.Text1->width(), std::min(ListWidth, buttons - below.x()))
                                          : ListWidth;
    list.setGeometry(below.x(), below.y(), width, height);
    list.raise();
    list.show();
}

void DreamForm::hideSuggestions()
{
    if (c_) {
        c_->SuggestTimer->stop();
        c_->Suggestions->hide();
    }
    suggestWhenReady_ = false;
}

void DreamForm::updateSuggestions()
{
    const QString text = ui().Text1->text();
    if (text.trimmed().isEmpty()) {
        hideSuggestions();
        return;
    }
    if (!readerIndex_) {
        suggestWhenReady_ = true;
        return;
    }
    suggestWhenReady_ = false;
    showSuggestions(readerIndex_->suggest(text, reader::Reading::Typing), {});
}

// After a designed search that filled the grid with no row.
void DreamForm::offerNearest()
{
    const QString text = nearestWhenReady_.isEmpty() ? searchText() : nearestWhenReady_;
    if (!readerIndex_) {
        nearestWhenReady_ = text;
        return;
    }
    nearestWhenReady_.clear();
    const std::vector<reader::Suggestion> rows = readerIndex_->suggest(text, reader::Reading::Nearest);
    showSuggestions(rows, rows.empty() ? NothingNear : NearestHeading);
}

void DreamForm::chooseSuggestion(int line)
{
    QListWidgetItem *item = c_ && line >= 0 ? c_->Suggestions->item(line) : nullptr;
    if (!item || !item->data(RowRole).isValid())
        return;
    const qint64 row = item->data(RowRole).toLongLong();
    hideSuggestions();
    showLookup(statements::entryAtRow(row, readerIndex_ && readerIndex_->rowsArePositions()));
}

// Up and Down (Page Up and Page Down to the ends) move in the list and Enter
// takes the chosen line; other keys go to the search box.
bool DreamForm::suggestionKey(int key)
{
    if (!suggestionsShown())
        return false;
    QListWidget &list = *c_->Suggestions;
    const int first = list.item(0)->data(RowRole).isValid() ? 0 : 1;
    const int last = list.count() - 1;
    const int current = list.currentRow();
    const bool moving = key == Qt::Key_Down || key == Qt::Key_Up || key == Qt::Key_PageDown || key == Qt::Key_PageUp;
    if (moving && first > last)
        return true; // a heading alone: nothing to choose
    switch (key) {
    case Qt::Key_Down: list.setCurrentRow(current < first ? first : std::min(current + 1, last)); return true;
    case Qt::Key_Up: list.setCurrentRow(current <= first ? -1 : current - 1); return true;
    case Qt::Key_PageDown: list.setCurrentRow(last); return true;
    case Qt::Key_PageUp: list.setCurrentRow(first); return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (current >= first) {
            chooseSuggestion(current);
            return true;
        }
        // No line chosen: the designed search runs, and the list goes.
        hideSuggestions();
        return false;
    default: return false;
    }
}

} // namespace velkaram
