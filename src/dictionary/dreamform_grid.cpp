// The results grid: filling it, showing every entry, and the click that
// shows the entry of the clicked dream.
#include "dictionary/dreamform.h"

#include "app/forms.h"
#include "core/dictionary/statements.h"
#include "platform/grid/flexgrid.h"
#include "core/runtimeerror.h"

#include <QLabel>
#include <QTextEdit>
#include <limits>

namespace velkaram {

namespace {

QString recordCounter(long position, long count)
{
    return QStringLiteral("السجل رقم") + QStringLiteral(" ( ") + QString::number(position) + QStringLiteral(" ) ")
        + QStringLiteral("من") + QStringLiteral(" ( ") + QString::number(count) + QStringLiteral(" ) ");
}

} // namespace

namespace {

// A result's rows as the grid shows them, read when drawn: a field's text,
// empty for Null, and empty too for a row the file can no longer give.
class ResultGridRows final : public GridRows {
public:
    ResultGridRows(std::shared_ptr<const rs::ResultRows> rows, int count) : rows_(std::move(rows)), count_(count) {}

    int rowCount() const override { return count_; }

    QString text(int row, int col) const override
    {
        try {
            return rs::textOf(rows_->value(row, col));
        } catch (const std::exception &) {
            return {};
        }
    }

private:
    std::shared_ptr<const rs::ResultRows> rows_;
    int count_;
};

} // namespace

// The grid shows the result without copying it: its rows are read as they
// come into view.
void DreamForm::FillGrid()
{
    FlexGrid &grid = *ui().MSFlexGrid1;
    rs::Recordset &rs = *SearchRecordset;
    grid.setRows(1);
    if (rs.AtEnd())
        return;
    rs.MoveFirst();
    const int lastColumn = rs.Fields().Count() - 2;
    if (lastColumn >= grid.Cols())
        grid.TextMatrix(0, lastColumn); // a field with no column of its own: out of the grid's range
    const long count = rs.RecordCount();
    if (count >= std::numeric_limits<int>::max())
        throw RuntimeError(err::OutOfMemory, QStringLiteral("لا يتسع الجدول لأكثر من %1 صف.").arg(std::numeric_limits<int>::max() - 1));
    grid.showRows(std::make_shared<ResultGridRows>(rs.rows(), int(count)), lastColumn + 1);
    // Left at its end, as after walking it.
    rs.MoveLast();
    rs.MoveNext();
}

// SearchRecordset on the whole table, as the grid and the searches start.
void DreamForm::openWholeTable()
{
    if (SearchRecordset->State() == rs::adStateOpen)
        SearchRecordset->Close();
    SearchRecordset->Open(QStringLiteral("[dream]"), SearchConnection.shared(), rs::adOpenStatic, rs::adLockReadOnly);
}

void DreamForm::Commmand2_Click()
{
    openWholeTable();
    FillGrid();
}

void DreamForm::MSFlexGrid1_Click()
{
    DreamControls &c = ui();
    SkipOnError resume;
    QString name;
    resume([&] { name = c.MSFlexGrid1->Text().trimmed(); });
    if (name.isEmpty()) {
        resume([&] {
            forms().message({QStringLiteral("من فضلك أدخل القيمة المراد البحث عنها لكى تتم عملية البحث"),
                             QStringLiteral("أدخل قيمة حقل البحث"), MessageIcon::Critical, true});
        });
        return;
    }
    showLookup(statements::dreamLookup(name));
}

// The keyboard comes into the results on the first dream, which Enter then
// opens; a cell chosen before is kept.
void DreamForm::enterGrid()
{
    FlexGrid &grid = *ui().MSFlexGrid1;
    if (grid.currentIndex().isValid() || grid.Rows() < 2)
        return;
    for (int col = 1; col < grid.Cols(); ++col) {
        if (grid.TextMatrix(0, col) == DreamField) {
            grid.setKeyboardCell(1, col);
            return;
        }
    }
}

// Shows the entry a lookup statement finds in the three boxes, and where it
// stands among what the lookup found.
void DreamForm::showLookup(const QString &statement)
{
    DreamControls &c = ui();
    SkipOnError resume;
    resume([&] { LookupRecordset->Open(statement, MainConnection, rs::adOpenStatic, rs::adLockOptimistic); });
    resume([&] {
        c.LabRecord->setText(recordCounter(LookupRecordset->AbsolutePosition(), LookupRecordset->RecordCount()));
    });
    resume([&] { c.Item->setPlainText(rs::textOf(LookupRecordset->Fields(DreamField).Value())); });
    resume([&] { c.key->setPlainText(rs::textOf(LookupRecordset->Fields(KeyField).Value())); });
    resume([&] { c.discrpt->setPlainText(rs::textOf(LookupRecordset->Fields(InterpretationField).Value())); });
    resume([&] { LookupRecordset->Close(); });
    LookupRecordset.reset();
    rememberShown();
}

} // namespace velkaram
