#include "platform/grid/flexgrid.h"
#include "core/runtimeerror.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>

using velkaram::FlexGrid;

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
