// The four kinds of search on the dictionary the program ships.
#include "harness.h"
#include "platform/grid/flexgrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace velkaram;

class TestShippedSearch : public QObject {
    Q_OBJECT

private slots:
    void fourKinds_data()
    {
        QTest::addColumn<QString>("field"); // empty: every field
        QTest::addColumn<bool>("equal");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("listedDream");
        QTest::newRow("every field contains, without hamza") << "" << false << "اسد" << "ركوب الأسد";
        QTest::newRow("every field contains, haa for taa marbuta") << "" << false << "مدرسه" << "دخول مدرسة جديدة";
        QTest::newRow("every field equals") << "" << true << "شرب الماء الكدر" << "شرب الماء الكدر";
        QTest::newRow("keyword contains") << "المفتاح" << false << "ماء" << "شرب الماء المالح";
        QTest::newRow("dream equals") << "الحلم" << true << "المشي على سطح الماء" << "المشي على سطح الماء";
    }
    void fourKinds()
    {
        QFETCH(QString, field);
        QFETCH(bool, equal);
        QFETCH(QString, text);
        QFETCH(QString, listedDream);
        Harness h;
        h.useDictionaryFile(QStringLiteral(VELKARAM_BUILD_DIR "/kelvra.mdb"));
        DreamForm &form = h.dream();
        form.show();
        DreamControls &c = form.ui();
        if (!field.isEmpty()) {
            c.Check1->click();
            c.Combo1->setCurrentIndex(c.Combo1->findText(field));
        }
        (equal ? c.Option2 : c.Option1)->setChecked(true);
        c.Text1->setText(text);
        c.Commmand1->click();

        const FlexGrid &grid = *c.MSFlexGrid1;
        QVERIFY(grid.Rows() > 1);
        QVERIFY(h.messages.isEmpty());
        QStringList dreams;
        for (int r = 1; r < grid.Rows(); ++r)
            dreams << grid.TextMatrix(r, 2);
        QVERIFY2(dreams.contains(listedDream), qPrintable(dreams.join(QLatin1String(" | "))));
        if (equal && field.isEmpty())
            QCOMPARE(dreams, QStringList{listedDream});
    }
};

QTEST_MAIN(TestShippedSearch)
#include "tst_shippedsearch.moc"
