#include "fixturedb.h"
#include "harness.h"
#include "core/dictionary/fields.h"
#include "platform/grid/flexgrid.h"

#include <QLabel>
#include <QLineEdit>
#include <QTextEdit>
#include <QTest>

using namespace velkaram;

namespace {

// Clicks a data cell the way a user does (row and column as the grid counts
// them, header row and fixed column included).
void clickCell(FlexGrid &grid, int row, int col)
{
    grid.refresh();
    const QModelIndex index = grid.model()->index(row - 1, col - 1);
    grid.scrollTo(index);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.visualRect(index).center());
}

const QString Start = QStringLiteral("السجل رقم ( 0 ) من ( 0 )");

} // namespace

class TestDreamGrid : public QObject {
    Q_OBJECT

    QList<QVariantList> entries()
    {
        return {dreamRow(1, QStringLiteral("ماء"), QStringLiteral("شرب الماء الصافي"), QStringLiteral("حياة طيبة")),
                dreamRow(2, QStringLiteral("بحر"), QStringLiteral("رؤية البحر"), QStringLiteral("سلطان واسع")),
                {3, QStringLiteral("نار"), QVariant(), QStringLiteral("فتنة")},
                dreamRow(4, QStringLiteral("موج"), QStringLiteral("رؤية البحر"), QStringLiteral("تقلب الأحوال")),
                dreamRow(5, QStringLiteral("ساعة"), QStringLiteral("ساعة o'clock"), QStringLiteral("موعد قريب"))};
    }

private slots:
    void fillListsEveryRecord()
    {
        Harness h;
        DreamForm &form = h.showDictionary(entries());
        const FlexGrid &grid = *form.ui().MSFlexGrid1;
        QCOMPARE(grid.Rows(), 6);
        QCOMPARE(grid.Cols(), 3);
        QCOMPARE(grid.TextMatrix(1, 0), QStringLiteral("1"));
        QCOMPARE(grid.TextMatrix(1, 1), QStringLiteral("ماء"));
        QCOMPARE(grid.TextMatrix(1, 2), QStringLiteral("شرب الماء الصافي"));
        QCOMPARE(grid.TextMatrix(3, 2), QString());
        // The interpretation, the table's last field, is never listed.
        for (int r = 0; r < grid.Rows(); ++r) {
            for (int c = 0; c < grid.Cols(); ++c)
                QVERIFY(!grid.TextMatrix(r, c).contains(QStringLiteral("فتنة")));
        }
    }

    void refillLeavesNoLeftovers()
    {
        Harness h;
        DreamForm &form = h.showDictionary(entries());
        form.ui().Text1->setText(QStringLiteral("نار"));
        form.Commmand1_Click();
        FlexGrid &grid = *form.ui().MSFlexGrid1;
        QCOMPARE(grid.Rows(), 2);
        QCOMPARE(grid.TextMatrix(1, 0), QStringLiteral("3"));
        // Row 1 held a dream before; the Null dream of this result is empty.
        QCOMPARE(grid.TextMatrix(1, 2), QString());

        form.Commmand2_Click();
        QCOMPARE(grid.Rows(), 6);
        QCOMPARE(form.SearchRecordset->Source(), QStringLiteral("[dream]"));
        QCOMPARE(form.SearchRecordset->RecordCount(), 5L);
    }

    // A click on a cell, or Enter, Space or F2 on the cell the keyboard is
    // on: the entry of the dream it names shows, with where it stands.
    void clickShowsTheEntry_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("interpretation");
        const struct {
            const char *name;
            int row, col;
            const char *label, *key, *interpretation;
        } rows[] = {
            {"single match", 1, 2, "السجل رقم ( 1 ) من ( 1 ) ", "ماء", "حياة طيبة"},
            {"two dreams of one name", 4, 2, "السجل رقم ( 1 ) من ( 2 ) ", "بحر", "سلطان واسع"},
            {"apostrophe in the name", 5, 2, "السجل رقم ( 1 ) من ( 1 ) ", "ساعة", "موعد قريب"},
            {"keyword cell names no dream", 2, 1, "السجل رقم ( 0 ) من ( 0 ) ", "ماء", "حياة طيبة"},
        };
        for (const auto &r : rows)
            for (const char *way : {"click", "Return", "Enter", "Space", "F2"})
                QTest::addRow("%s, %s", r.name, way) << r.row << r.col << way << QString::fromUtf8(r.label)
                                                     << QString::fromUtf8(r.key) << QString::fromUtf8(r.interpretation);
    }
    void clickShowsTheEntry()
    {
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(QString, way);
        QFETCH(QString, label);
        QFETCH(QString, key);
        QFETCH(QString, interpretation);
        Harness h;
        DreamForm &form = h.showDictionary(entries());
        FlexGrid &grid = *form.ui().MSFlexGrid1;
        if (way == "click") {
            clickCell(grid, row, col);
        } else {
            grid.setFocus();
            grid.setKeyboardCell(row, col);
            const Qt::Key key = way == "Space" ? Qt::Key_Space : way == "F2" ? Qt::Key_F2
                              : way == "Enter" ? Qt::Key_Enter : Qt::Key_Return;
            QTest::keyClick(&grid, key, way == "Enter" ? Qt::KeypadModifier : Qt::NoModifier);
            QCOMPARE(grid.Row(), row);
            QCOMPARE(grid.Col(), col);
        }
        QCOMPARE(form.ui().LabRecord->text(), label);
        QCOMPARE(form.ui().key->toPlainText(), key);
        QCOMPARE(form.ui().discrpt->toPlainText(), interpretation);
        QVERIFY(!form.LookupRecordset.exists());
        QVERIFY(h.messages.isEmpty());
        QVERIFY(h.fatals.isEmpty());
    }

    // The lookup reads through the window's main connection, not the one the
    // search uses: point the main one at another file and the click shows it.
    // From the search box Tab goes into the grid on the first dream, the
    // arrows move between the cells, Tab and Ctrl+Tab go on to the next
    // control, Shift+Tab back; moving alone shows nothing.
    void theKeyboardInTheGrid()
    {
        Harness h;
        DreamForm &form = h.showDictionary(entries());
        const DreamControls &c = form.ui();
        FlexGrid &grid = *c.MSFlexGrid1;
        QWidget *window = form.window();
        QVERIFY(QTest::qWaitForWindowActive(window));
        const auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
            QTest::keyClick(window->focusWidget(), key, modifiers);
            return window->focusWidget();
        };
        QCOMPARE(window->focusWidget(), c.Text1);
        QCOMPARE(press(Qt::Key_Tab), &grid);
        QCOMPARE(grid.currentIndex().row() + 1, 1);
        QCOMPARE(grid.TextMatrix(0, grid.currentIndex().column() + 1), DreamField);
        press(Qt::Key_Down);
        QCOMPARE(grid.currentIndex().row() + 1, 2);
        QCOMPARE(c.LabRecord->text(), Start);
        QCOMPARE(press(Qt::Key_Tab), c.Item);
        QCOMPARE(press(Qt::Key_Backtab, Qt::ShiftModifier), &grid);
        // The cell the keyboard was on is kept.
        QCOMPARE(grid.currentIndex().row() + 1, 2);
        QCOMPARE(press(Qt::Key_Tab, Qt::ControlModifier), c.Item);
        QCOMPARE(press(Qt::Key_Backtab, Qt::ShiftModifier), &grid);
        QCOMPARE(press(Qt::Key_Backtab, Qt::ShiftModifier | Qt::ControlModifier), c.Text1);
        QCOMPARE(press(Qt::Key_Tab), &grid);
        press(Qt::Key_Return);
        QCOMPARE(c.Item->toPlainText(), QStringLiteral("رؤية البحر"));
        QCOMPARE(c.LabRecord->text(), QStringLiteral("السجل رقم ( 1 ) من ( 2 ) "));
        QVERIFY(h.messages.isEmpty());
    }

    void clickReadsThroughTheMainConnection()
    {
        Harness h;
        DreamForm &form = h.showDictionary(entries());
        QTemporaryDir other;
        const QString otherFile = other.filePath(QStringLiteral("kelvra.mdb"));
        writeTable(otherFile, QStringLiteral("dream"), dreamColumns(),
                   {dreamRow(7, QStringLiteral("مياه"), QStringLiteral("شرب الماء الصافي"), QStringLiteral("من الملف الآخر"))});
        form.MainConnection = std::make_shared<rs::Connection>();
        form.MainConnection->Open(otherFile);
        clickCell(*form.ui().MSFlexGrid1, 1, 2);
        QCOMPARE(form.ui().discrpt->toPlainText(), QStringLiteral("من الملف الآخر"));
        QCOMPARE(form.ui().key->toPlainText(), QStringLiteral("مياه"));
    }

    void clickOnAnEmptyCellAsksForAValue()
    {
        Harness h;
        DreamForm &form = h.showDictionary(entries());
        clickCell(*form.ui().MSFlexGrid1, 3, 2);
        QCOMPARE(h.messages.size(), 1);
        QCOMPARE(h.messages[0].prompt, QStringLiteral("من فضلك أدخل القيمة المراد البحث عنها لكى تتم عملية البحث"));
        QCOMPARE(h.messages[0].title, QStringLiteral("أدخل قيمة حقل البحث"));
        QCOMPARE(h.messages[0].icon, MessageIcon::Critical);
        QVERIFY(h.messages[0].rightToLeft);
        QCOMPARE(form.ui().LabRecord->text(), Start);
        QCOMPARE(form.ui().Item->toPlainText(), QStringLiteral("شرب الماء الصافي"));
    }

    void clickDoesNotMoveThePaging()
    {
        Harness h;
        DreamForm &form = h.showDictionary(entries());
        clickCell(*form.ui().MSFlexGrid1, 4, 2);
        QCOMPARE(form.ui().key->toPlainText(), QStringLiteral("بحر"));
        form.Cmd_Next_Click();
        QCOMPARE(form.ui().key->toPlainText(), QStringLiteral("بحر"));
        form.Cmd_Next_Click();
        QCOMPARE(form.ui().key->toPlainText(), QStringLiteral("نار"));
        QCOMPARE(form.ui().LabRecord->text(), QStringLiteral("السجل رقم ( 1 ) من ( 2 ) "));
    }

    void nullFieldOfTheFoundEntryShowsEmpty()
    {
        Harness h;
        DreamForm &form = h.showDictionary({dreamRow(1, QStringLiteral("ماء"), QStringLiteral("شرب الماء"), QStringLiteral("خير")),
                           {2, QVariant(), QStringLiteral("رؤية السحاب"), QStringLiteral("رحمة")}});
        clickCell(*form.ui().MSFlexGrid1, 2, 2);
        QCOMPARE(form.ui().key->toPlainText(), QString());
        QCOMPARE(form.ui().Item->toPlainText(), QStringLiteral("رؤية السحاب"));
        QCOMPARE(form.ui().discrpt->toPlainText(), QStringLiteral("رحمة"));
    }
};

QTEST_MAIN(TestDreamGrid)
#include "tst_dreamgrid.moc"
