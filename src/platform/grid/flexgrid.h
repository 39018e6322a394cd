#pragma once

#include <QHash>
#include <QTableView>
#include <memory>
#include <vector>

class QLabel;

namespace velkaram {

class FlexGridModel;

// Rows a grid shows without holding them: it asks for a cell's text when
// the cell is drawn or read. Rows and columns count from 0.
class GridRows {
public:
    virtual ~GridRows() = default;
    virtual int rowCount() const = 0;
    virtual QString text(int row, int col) const = 0;
};

// A grid addressed the way the dictionary window fills it: Rows and Cols
// counted with the fixed header row and fixed first column, TextMatrix by
// (row, column), Text of the current cell, and Click. Row 0 shows as the
// column headers and column 0 as the row headers, so both stay in view.
// The view is brought up to date once control returns to the event loop,
// which keeps a fill of a hundred thousand rows cheap.
class FlexGrid : public QTableView {
    Q_OBJECT

public:
    explicit FlexGrid(QWidget *parent = nullptr);
    ~FlexGrid() override;

    // Rows × columns beyond this raise an error instead of taking all the
    // memory there is: far more than any search of the dictionary finds.
    static constexpr qint64 MaxCells = 4'000'000;

    int Rows() const { return rows_; }
    void setRows(int rows);
    int Cols() const { return cols_; }
    void setCols(int cols);

    int ColWidth(int col) const; // twips
    void setColWidth(int col, int twips);
    int ColAlignment(int col) const;
    void setColAlignment(int col, int code);

    QString TextMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString &text);

    // Shows rows after the header row (rows 1 to count) in the grid's
    // columns 0 to cols - 1, as if each cell had been set to its text; the
    // grid then has count + 1 rows. Cells set afterwards, and rows added
    // later, are held as before; cutting Rows back drops shown rows for good.
    void showRows(std::shared_ptr<const GridRows> rows, int cols);

    // The current cell, which a click on a data cell moves, as does Enter,
    // Space or F2 on the cell the keyboard is on; those keys report a click.
    int Row() const { return row_; }
    int Col() const { return col_; }
    QString Text() const { return TextMatrix(row_, col_); }
    // Puts the keyboard on a data cell (row and column from 1) without
    // reporting a click; Row and Col stay as they were.
    void setKeyboardCell(int row, int col);

    // Brings the view up to date now instead of at the next event loop turn.
    void refresh();

signals:
    void Click();

protected:
    void updateGeometries() override;
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    friend class FlexGridModel;
    void changed();
    void clickAt(const QModelIndex &index);
    void fitRowHeight();
    void checkCell(int row, int col) const;
    static void checkSize(qint64 rows, qint64 cols);

    FlexGridModel *model_;
    QLabel *corner_;
    int rows_ = 2;
    int cols_ = 2;
    int row_ = 1;
    int col_ = 1;
    QString cellAt(int row, int col) const;
    void unbind();

    std::vector<QString> cells_; // every cell, or the header row while rows are shown
    std::shared_ptr<const GridRows> shown_;
    int shownRows_ = 0;
    int shownCols_ = 0;
    QHash<qint64, QString> edits_; // cells set below the header while rows are shown
    std::vector<int> widths_;
    std::vector<int> alignments_;
    bool refreshPending_ = false;
};

} // namespace velkaram
