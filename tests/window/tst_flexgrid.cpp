#include "platform/grid/flexgrid.h"
#include "core/runtimeerror.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>

using velkaram::FlexGrid;

namespace {

// Row r, column c reads "r:c"; counts what the grid asks for.
class CountedRows : public velkaram::GridRows {
public:
    explicit CountedRows(int rows) : rows_(rows) {}
    int rowCount() const override { return rows_; }
    QString text(int row, int col) const override
    {
        ++asked;
        return QStringLiteral("%1:%2").arg(row).arg(col);
    }
    mutable int asked = 0;

private:
    int rows_;
};

} // namespace

class TestFlexGrid : public QObject {
    Q_OBJECT

private slots:
    void cellsFollowRowsAndCols()
    {
        FlexGrid grid;
        grid.setCols(3);
        grid.setRows(3);
        grid.setTextMatrix(0, 0, QStringLiteral("رقم"));
        grid.setTextMatrix(0, 2, QStringLiteral("الحلم"));
        grid.setTextMatrix(2, 1, QStringLiteral("ماء"));
        QCOMPARE(grid.TextMatrix(2, 1), QStringLiteral("ماء"));

        // Cutting back to the header row drops the data rows for good.
        grid.setRows(1);
        grid.setRows(3);
        QCOMPARE(grid.TextMatrix(2, 1), QString());
        QCOMPARE(grid.TextMatrix(0, 2), QStringLiteral("الحلم"));
        QVERIFY_THROWS_EXCEPTION(velkaram::RuntimeError, grid.TextMatrix(3, 0));
        QVERIFY_THROWS_EXCEPTION(velkaram::RuntimeError, grid.setTextMatrix(0, 3, QString()));
    }

    // A fill that never ends (a database view of billions of rows) stops
    // with an error at the cell limit, and the grid keeps what it had.
    void sizeIsBounded()
    {
        FlexGrid grid;
        grid.setCols(4);
        grid.setRows(2);
        grid.setTextMatrix(1, 3, QStringLiteral("ماء"));
        const int most = int(FlexGrid::MaxCells / 4);
        for (const auto &grow : {std::function<void()>([&] { grid.setRows(most + 1); }),
                                 std::function<void()>([&] { grid.setCols(int(FlexGrid::MaxCells / 2) + 1); })}) {
            try {
                grow();
                QFAIL("the grid grew past its cell limit");
            } catch (const velkaram::RuntimeError &e) {
                QCOMPARE(e.number(), 7);
            }
            QCOMPARE(grid.Rows(), 2);
            QCOMPARE(grid.Cols(), 4);
            QCOMPARE(grid.TextMatrix(1, 3), QStringLiteral("ماء"));
        }
        grid.setRows(most);
        QCOMPARE(grid.Rows(), most);
    }

    void viewShowsHeaderRowAndFixedColumn()
    {
        FlexGrid grid;
        grid.setCols(3);
        grid.setRows(3);
        for (int c = 0; c < 3; ++c)
            grid.setColWidth(c, 2700);
        grid.setColAlignment(1, 3);
        grid.setTextMatrix(0, 1, QStringLiteral("المفتاح"));
        grid.setTextMatrix(1, 0, QStringLiteral("7"));
        grid.setTextMatrix(1, 1, QStringLiteral("بحر"));
        grid.refresh();
        QAbstractItemModel *model = grid.model();
        QCOMPARE(model->rowCount(), 2);
        QCOMPARE(model->columnCount(), 2);
        QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("المفتاح"));
        QCOMPARE(model->headerData(0, Qt::Vertical).toString(), QStringLiteral("7"));
        QCOMPARE(model->data(model->index(0, 0)).toString(), QStringLiteral("بحر"));
        QCOMPARE(model->data(model->index(0, 0), Qt::TextAlignmentRole).toInt(), int(Qt::AlignHCenter | Qt::AlignTop));
        QCOMPARE(grid.columnWidth(0), 180);
        QCOMPARE(grid.verticalHeader()->width(), 180);
    }

    void viewCatchesUpAfterTheEventLoop()
    {
        FlexGrid grid;
        grid.setCols(2);
        grid.setRows(1);
        QCoreApplication::processEvents();
        for (int r = 1; r <= 500; ++r) {
            grid.setRows(r + 1);
            grid.setTextMatrix(r, 1, QString::number(r));
        }
        QTRY_COMPARE(grid.model()->rowCount(), 500);
        QCOMPARE(grid.model()->data(grid.model()->index(499, 0)).toString(), QStringLiteral("500"));
    }

    // Shown rows read as if every cell had been set: rows 1 to n from the
    // source, its columns only, cells set later on top; cutting Rows back
    // drops them for good and new rows start empty.
    void shownRowsActAsSetCells()
    {
        FlexGrid grid;
        grid.setCols(4);
        grid.setRows(5);
        grid.setTextMatrix(0, 1, QStringLiteral("المفتاح"));
        grid.setTextMatrix(3, 1, QStringLiteral("قديم"));
        grid.showRows(std::make_shared<CountedRows>(6), 3);
        QCOMPARE(grid.Rows(), 7);
        QCOMPARE(grid.TextMatrix(0, 1), QStringLiteral("المفتاح"));
        QCOMPARE(grid.TextMatrix(1, 0), QStringLiteral("0:0"));
        QCOMPARE(grid.TextMatrix(3, 1), QStringLiteral("2:1")); // nothing left of the earlier rows
        QCOMPARE(grid.TextMatrix(6, 2), QStringLiteral("5:2"));
        QCOMPARE(grid.TextMatrix(6, 3), QString()); // beyond the source's columns
        QVERIFY_THROWS_EXCEPTION(velkaram::RuntimeError, grid.TextMatrix(7, 0));

        grid.setTextMatrix(2, 2, QStringLiteral("بحر"));
        QCOMPARE(grid.TextMatrix(2, 2), QStringLiteral("بحر"));
        grid.setRows(9);
        QCOMPARE(grid.TextMatrix(8, 1), QString());
        grid.setTextMatrix(8, 1, QStringLiteral("جديد"));
        grid.setRows(4);
        grid.setRows(9);
        QCOMPARE(grid.TextMatrix(3, 1), QStringLiteral("2:1"));
        QCOMPARE(grid.TextMatrix(5, 1), QString());
        QCOMPARE(grid.TextMatrix(8, 1), QString());
        QCOMPARE(grid.TextMatrix(2, 2), QStringLiteral("بحر"));
        grid.setCols(2);
        grid.setCols(4);
        QCOMPARE(grid.TextMatrix(2, 2), QString());
        QCOMPARE(grid.TextMatrix(2, 1), QStringLiteral("1:1"));

        grid.refresh();
        QCOMPARE(grid.model()->rowCount(), 8);
        QCOMPARE(grid.model()->headerData(1, Qt::Vertical).toString(), QStringLiteral("1:0"));
        QCOMPARE(grid.model()->data(grid.model()->index(1, 0)).toString(), QStringLiteral("1:1"));

        // Back to the header row: the shown rows are gone, set cells hold.
        grid.setRows(1);
        grid.setRows(3);
        QCOMPARE(grid.TextMatrix(2, 1), QString());
        grid.setTextMatrix(2, 1, QStringLiteral("ماء"));
        QCOMPARE(grid.TextMatrix(2, 1), QStringLiteral("ماء"));
        QCOMPARE(grid.TextMatrix(0, 1), QStringLiteral("المفتاح"));
    }

    // A million shown rows cost what is on screen: the view asks for the
    // rows it draws, and at the end for the last rows, not for the rest.
    void onlyDrawnRowsAreRead()
    {
        FlexGrid grid;
        grid.resize(600, 200);
        grid.setCols(3);
        auto rows = std::make_shared<CountedRows>(1'000'000);
        grid.showRows(rows, 3);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        grid.refresh();
        grid.repaint();
        QVERIFY(rows->asked > 0);
        QVERIFY2(rows->asked < 2000, qPrintable(QString::number(rows->asked)));
        QCOMPARE(grid.model()->rowCount(), 1'000'000);
        rows->asked = 0;
        grid.scrollToBottom();
        grid.repaint();
        QVERIFY(rows->asked > 0);
        QVERIFY2(rows->asked < 2000, qPrintable(QString::number(rows->asked)));
        QCOMPARE(grid.indexAt(QPoint(10, grid.viewport()->height() - 5)).row(), 999'999);
    }

    void clickMakesTheCellCurrent()
    {
        FlexGrid grid;
        grid.resize(600, 200);
        grid.setCols(3);
        grid.setRows(3);
        grid.setTextMatrix(2, 2, QStringLiteral("رؤية البحر"));
        grid.refresh();
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        QSignalSpy clicks(&grid, &FlexGrid::Click);
        const QRect cell = grid.visualRect(grid.model()->index(1, 1));
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(clicks.size(), 1);
        QCOMPARE(grid.Row(), 2);
        QCOMPARE(grid.Col(), 2);
        QCOMPARE(grid.Text(), QStringLiteral("رؤية البحر"));
    }
};

QTEST_MAIN(TestFlexGrid)
#include "tst_flexgrid.moc"
