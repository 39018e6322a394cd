#include "platform/grid/flexgrid.h"

#include "core/layout/twips.h"
#include "core/runtimeerror.h"

#include <QAbstractTableModel>
#include <QKeyEvent>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <algorithm>
#include <limits>

namespace velkaram {

namespace {

constexpr int DefaultColWidth = 960; // twips

Qt::Alignment alignmentFor(int code)
{
    static constexpr Qt::Alignment horizontal[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    static constexpr Qt::Alignment vertical[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    if (code < 0 || code > 8)
        return Qt::AlignLeft | Qt::AlignVCenter;
    return horizontal[code / 3] | vertical[code % 3];
}

} // namespace

// Shows the grid's cells; the counts it reports change only when the grid
// refreshes it, so the view never asks for a row it was not told about.
class FlexGridModel : public QAbstractTableModel {
public:
    explicit FlexGridModel(FlexGrid &grid) : QAbstractTableModel(&grid), grid_(grid) {}

    void resync()
    {
        beginResetModel();
        rows_ = grid_.rows_;
        cols_ = grid_.cols_;
        endResetModel();
    }

    int rowCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : std::max(rows_ - 1, 0); }
    int columnCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : std::max(cols_ - 1, 0); }

    QVariant data(const QModelIndex &index, int role) const override
    {
        const int row = index.row() + 1;
        const int col = index.column() + 1;
        if (role == Qt::DisplayRole)
            return cell(row, col);
        if (role == Qt::TextAlignmentRole && col < grid_.cols_)
            return int(alignmentFor(grid_.alignments_[size_t(col)]));
        return {};
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (role == Qt::DisplayRole)
            return orientation == Qt::Horizontal ? cell(0, section + 1) : cell(section + 1, 0);
        if (role == Qt::TextAlignmentRole)
            return int(Qt::AlignCenter);
        return {};
    }

private:
    QString cell(int row, int col) const
    {
        if (row >= grid_.rows_ || col >= grid_.cols_)
            return {};
        return grid_.cellAt(row, col);
    }

    FlexGrid &grid_;
    int rows_ = 0;
    int cols_ = 0;
};

FlexGrid::FlexGrid(QWidget *parent)
    : QTableView(parent), model_(new FlexGridModel(*this)), corner_(new QLabel(this))
{
    cells_.resize(size_t(rows_ * cols_));
    widths_.assign(size_t(cols_), DefaultColWidth);
    alignments_.assign(size_t(cols_), 9);
    setModel(model_);
    setCornerButtonEnabled(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setHighlightSections(false);
    corner_->setObjectName(QStringLiteral("gridCorner"));
    corner_->setAlignment(Qt::AlignCenter);
    corner_->setAutoFillBackground(true);
    // Tab leaves the grid for the next control, as in any other control;
    // the arrows move between the cells.
    setTabKeyNavigation(false);
    connect(this, &QTableView::clicked, this, &FlexGrid::clickAt);
    refresh();
}

void FlexGrid::clickAt(const QModelIndex &index)
{
    row_ = index.row() + 1;
    col_ = index.column() + 1;
    emit Click();
}

void FlexGrid::setKeyboardCell(int row, int col)
{
    checkCell(row, col);
    if (row < 1 || col < 1)
        return;
    refresh();
    setCurrentIndex(model_->index(row - 1, col - 1));
}

void FlexGrid::keyPressEvent(QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_F2:
        if (modifiers == Qt::NoModifier && currentIndex().isValid()) {
            event->accept();
            if (!event->isAutoRepeat())
                clickAt(currentIndex());
            return;
        }
        break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        // Ctrl+Tab leaves too, as it does a multi-line text box.
        if (modifiers & Qt::ControlModifier) {
            event->accept();
            const bool back = event->key() == Qt::Key_Backtab || (modifiers & Qt::ShiftModifier);
            focusNextPrevChild(!back);
            return;
        }
        break;
    default: break;
    }
    QTableView::keyPressEvent(event);
}

FlexGrid::~FlexGrid() = default;

void FlexGrid::checkCell(int row, int col) const
{
    if (row < 0 || row >= rows_ || col < 0 || col >= cols_)
        throw RuntimeError(err::GridCellOutOfRange,
                           QStringLiteral("موضع الخلية (%1، %2) خارج حدود الجدول.").arg(row).arg(col));
}

void FlexGrid::checkSize(qint64 rows, qint64 cols)
{
    if (rows * cols > MaxCells)
        throw RuntimeError(err::OutOfMemory,
                           QStringLiteral("لا يتسع الجدول لأكثر من %1 خلية.").arg(MaxCells));
}

namespace {

qint64 editKey(int row, int col)
{
    return (qint64(row) << 32) | quint32(col);
}

} // namespace

void FlexGrid::setRows(int rows)
{
    if (rows < 1)
        throw RuntimeError(err::InvalidRowCount, QStringLiteral("عدد الصفوف غير صالح."));
    if (shown_) {
        // Shown rows cut off are gone, as set cells would be.
        shownRows_ = std::min(shownRows_, rows - 1);
        edits_.removeIf([rows](const auto &e) { return int(e.key() >> 32) >= rows; });
    } else {
        checkSize(rows, cols_);
        // Rows that come back after a shrink start empty: resize makes them new.
        cells_.resize(size_t(rows) * size_t(cols_));
    }
    rows_ = rows;
    if (shown_ && rows == 1)
        unbind();
    row_ = std::min(row_, rows_ - 1);
    changed();
}

void FlexGrid::setCols(int cols)
{
    if (cols < 1)
        throw RuntimeError(err::InvalidColumnCount, QStringLiteral("عدد الأعمدة غير صالح."));
    const int heldRows = shown_ ? 1 : rows_;
    checkSize(heldRows, cols);
    std::vector<QString> cells(size_t(heldRows) * size_t(cols));
    for (int r = 0; r < heldRows; ++r) {
        for (int c = 0; c < std::min(cols, cols_); ++c)
            cells[size_t(r) * size_t(cols) + size_t(c)] = std::move(cells_[size_t(r) * size_t(cols_) + size_t(c)]);
    }
    cells_ = std::move(cells);
    if (shown_) {
        shownCols_ = std::min(shownCols_, cols);
        edits_.removeIf([cols](const auto &e) { return int(quint32(e.key())) >= cols; });
    }
    widths_.resize(size_t(cols), DefaultColWidth);
    alignments_.resize(size_t(cols), 9);
    cols_ = cols;
    col_ = std::min(col_, cols_ - 1);
    changed();
}

void FlexGrid::showRows(std::shared_ptr<const GridRows> rows, int cols)
{
    const int count = rows ? rows->rowCount() : 0;
    if (count < 0 || count == std::numeric_limits<int>::max())
        throw RuntimeError(err::InvalidRowCount, QStringLiteral("عدد الصفوف غير صالح."));
    cells_.resize(size_t(cols_)); // the header row stays
    edits_.clear();
    shown_ = std::move(rows);
    shownRows_ = count;
    shownCols_ = std::clamp(cols, 0, cols_);
    rows_ = count + 1;
    row_ = std::min(row_, rows_ - 1);
    if (count == 0)
        unbind();
    changed();
}

void FlexGrid::unbind()
{
    shown_.reset();
    shownRows_ = shownCols_ = 0;
    // What was set below the header becomes held cells again.
    cells_.resize(size_t(rows_) * size_t(cols_));
    for (auto e = edits_.cbegin(); e != edits_.cend(); ++e) {
        const int row = int(e.key() >> 32);
        const int col = int(quint32(e.key()));
        if (row < rows_ && col < cols_)
            cells_[size_t(row) * size_t(cols_) + size_t(col)] = e.value();
    }
    edits_.clear();
}

QString FlexGrid::cellAt(int row, int col) const
{
    if (!shown_ || row == 0)
        return cells_[size_t(row) * size_t(cols_) + size_t(col)];
    const auto e = edits_.constFind(editKey(row, col));
    if (e != edits_.cend())
        return e.value();
    return row <= shownRows_ && col < shownCols_ ? shown_->text(row - 1, col) : QString();
}

int FlexGrid::ColWidth(int col) const
{
    checkCell(0, col);
    return widths_[size_t(col)];
}

void FlexGrid::setColWidth(int col, int twips)
{
    checkCell(0, col);
    widths_[size_t(col)] = twips;
    changed();
}

int FlexGrid::ColAlignment(int col) const
{
    checkCell(0, col);
    return alignments_[size_t(col)];
}

void FlexGrid::setColAlignment(int col, int code)
{
    checkCell(0, col);
    alignments_[size_t(col)] = code;
    changed();
}

QString FlexGrid::TextMatrix(int row, int col) const
{
    checkCell(row, col);
    return cellAt(row, col);
}

void FlexGrid::setTextMatrix(int row, int col, const QString &text)
{
    checkCell(row, col);
    if (shown_ && row > 0)
        edits_.insert(editKey(row, col), text);
    else
        cells_[size_t(row) * size_t(cols_) + size_t(col)] = text;
    changed();
}

void FlexGrid::changed()
{
    if (refreshPending_)
        return;
    refreshPending_ = true;
    QMetaObject::invokeMethod(this, &FlexGrid::refresh, Qt::QueuedConnection);
}

void FlexGrid::refresh()
{
    refreshPending_ = false;
    model_->resync();
    for (int c = 1; c < cols_; ++c)
        setColumnWidth(c - 1, pixels(widths_[size_t(c)]));
    verticalHeader()->setFixedWidth(pixels(widths_[0]));
    verticalHeader()->setDefaultAlignment(alignmentFor(alignments_[0]));
    corner_->setText(cells_.empty() ? QString() : cells_[0]);
    fitRowHeight();
    updateGeometries();
}

// Rows as tall as the grid's font needs, also after a skin restyles it.
void FlexGrid::fitRowHeight()
{
    // The line's own height already holds the marks above and below.
    const int height = fontMetrics().height() + 2;
    verticalHeader()->setMinimumSectionSize(height);
    verticalHeader()->setDefaultSectionSize(height);
}

void FlexGrid::changeEvent(QEvent *event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::StyleChange || event->type() == QEvent::FontChange)
        fitRowHeight();
}

void FlexGrid::updateGeometries()
{
    QTableView::updateGeometries();
    const int w = verticalHeader()->isVisible() ? verticalHeader()->width() : 0;
    const int h = horizontalHeader()->isVisible() ? horizontalHeader()->height() : 0;
    const int f = frameWidth();
    corner_->setGeometry(isRightToLeft() ? width() - f - w : f, f, w, h);
    corner_->raise();
}

} // namespace velkaram
