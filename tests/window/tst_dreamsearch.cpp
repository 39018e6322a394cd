#include "fixturedb.h"
#include "harness.h"
#include "platform/grid/flexgrid.h"
#include "core/text/strings.h"
#include "core/dictionary/fields.h"
#include "core/recordstore/connection.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace velkaram;

namespace {

QList<QVariantList> entries()
{
    return {dreamRow(1, QStringLiteral("ماء"), QStringLiteral("شرب الماء الصافي"), QStringLiteral("حياة طيبة")),
            dreamRow(2, QStringLiteral("بحر"), QStringLiteral("الغرق في البحر"), QStringLiteral("فتنة وهم")),
            dreamRow(3, QStringLiteral("مدرسة"), QStringLiteral("العودة إلى المدرسة"), QStringLiteral("تعلم")),
            dreamRow(4, QStringLiteral("ساعة"), QStringLiteral("it's late"), QStringLiteral("تأخر")),
            dreamRow(5, QStringLiteral("أحلام"), QStringLiteral("الرُّؤْيَا الصادقة"), QStringLiteral("بشرى")),
            dreamRow(6, QStringLiteral("رقم"), QStringLiteral("خصم 50% و_ما"), QStringLiteral("2")),
            dreamRow(7, QStringLiteral("ماء"), QStringLiteral("ماء"), QStringLiteral("ماء"))};
}

// The record numbers the grid lists, in order.
QList<int> listed(const FlexGrid &grid)
{
    QList<int> numbers;
    for (int r = 1; r < grid.Rows(); ++r)
        numbers << grid.TextMatrix(r, 0).toInt();
    return numbers;
}

// Types text the way a keyboard does, Arabic included.
void type(QWidget *widget, const QString &text)
{
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

} // namespace

class TestDreamSearch : public QObject {
    Q_OBJECT

private slots:
    void fourKinds_data()
    {
        QTest::addColumn<bool>("oneField");
        QTest::addColumn<bool>("equal");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QList<int>>("found");

        const QString all = QStringLiteral("SELECT * FROM [dream] WHERE  ");
        QTest::newRow("field contains, blanks trimmed")
            << true << false << "الحلم" << "  البحر  "
            << "SELECT * FROM [dream] WHERE [الحلم] LIKE '%البحر%'" << QList<int>{2};
        QTest::newRow("field contains, inner blank kept")
            << true << false << "الحلم" << "الماء الصافي" << "SELECT * FROM [dream] WHERE [الحلم] LIKE '%الماء الصافي%'"
            << QList<int>{1};
        QTest::newRow("field contains, spelling variants")
            << true << false << "الحلم" << "رؤيا" << "SELECT * FROM [dream] WHERE [الحلم] LIKE '%رؤيا%'" << QList<int>{5};
        QTest::newRow("field contains, apostrophe")
            << true << false << "الحلم" << "it's" << "SELECT * FROM [dream] WHERE [الحلم] LIKE '%it''s%'" << QList<int>{4};
        QTest::newRow("field contains, percent is a pattern")
            << true << false << "الحلم" << "ال%ة" << "SELECT * FROM [dream] WHERE [الحلم] LIKE '%ال%ة%'" << QList<int>{3, 5};
        QTest::newRow("field contains, underscore is one letter")
            << true << false << "المفتاح" << "ب_ر" << "SELECT * FROM [dream] WHERE [المفتاح] LIKE '%ب_ر%'" << QList<int>{2};
        QTest::newRow("field equals")
            << true << true << "المفتاح" << "ماء" << "SELECT * FROM [dream] WHERE [المفتاح] ='ماء'" << QList<int>{1, 7};
        QTest::newRow("field equals, spelling variants as the containing search")
            << true << true << "المفتاح" << "احلام" << "SELECT * FROM [dream] WHERE [المفتاح] ='احلام'" << QList<int>{5};
        QTest::newRow("field equals, harakat ignored")
            << true << true << "الحلم" << "الرؤيا الصادقة" << "SELECT * FROM [dream] WHERE [الحلم] ='الرؤيا الصادقة'" << QList<int>{5};
        QTest::newRow("field equals is the whole text")
            << true << true << "المفتاح" << "احلا" << "SELECT * FROM [dream] WHERE [المفتاح] ='احلا'" << QList<int>{};
        QTest::newRow("field equals keeps Latin case")
            << true << true << "الحلم" << "IT'S LATE" << "SELECT * FROM [dream] WHERE [الحلم] ='IT''S LATE'" << QList<int>{};
        QTest::newRow("field equals, injection attempt")
            << true << true << "المفتاح" << "' OR 1=1 --" << "SELECT * FROM [dream] WHERE [المفتاح] =''' OR 1=1 --'"
            << QList<int>{};
        QTest::newRow("all fields contain, first field included")
            << false << false << "" << "2"
            << all + "[رقم] LIKE '%2%'   OR [المفتاح] LIKE '%2%'   OR [الحلم] LIKE '%2%'   OR [التفسير] LIKE '%2%'    ;"
            << QList<int>{2, 6};
        QTest::newRow("all fields contain, hamza folded")
            << false << false << "" << "احلام"
            << all + "[رقم] LIKE '%احلام%'   OR [المفتاح] LIKE '%احلام%'   OR [الحلم] LIKE '%احلام%'   OR [التفسير] LIKE '%احلام%'    ;"
            << QList<int>{5};
        QTest::newRow("all fields contain, taa marbuta")
            << false << false << "" << "مدرسه"
            << all + "[رقم] LIKE '%مدرسه%'   OR [المفتاح] LIKE '%مدرسه%'   OR [الحلم] LIKE '%مدرسه%'   OR [التفسير] LIKE '%مدرسه%'    ;"
            << QList<int>{3};
        QTest::newRow("all fields contain, injection attempt")
            << false << false << "" << "' OR 1=1 --"
            << all + "[رقم] LIKE '%'' OR 1=1 --%'   OR [المفتاح] LIKE '%'' OR 1=1 --%'   OR [الحلم] LIKE '%'' OR 1=1 --%'   OR [التفسير] LIKE '%'' OR 1=1 --%'    ;"
            << QList<int>{};
        QTest::newRow("all fields equal, first field skipped")
            << false << true << "" << "2"
            << all + "[المفتاح] = '2' OR [الحلم] = '2' OR [التفسير] = '2'  ;" << QList<int>{6};
        QTest::newRow("all fields equal, any field")
            << false << true << "" << "ماء" << all + "[المفتاح] = 'ماء' OR [الحلم] = 'ماء' OR [التفسير] = 'ماء'  ;"
            << QList<int>{1, 7};
        QTest::newRow("all fields equal, apostrophe")
            << false << true << "" << "it's late" << all + "[المفتاح] = 'it''s late' OR [الحلم] = 'it''s late' OR [التفسير] = 'it''s late'  ;"
            << QList<int>{4};
    }
    void fourKinds()
    {
        QFETCH(bool, oneField);
        QFETCH(bool, equal);
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, statement);
        QFETCH(QList<int>, found);
        Harness h;
        DreamForm &form = h.showDictionary(entries());
        DreamControls &c = form.ui();
        if (oneField) {
            QTest::mouseClick(c.Check1, Qt::LeftButton);
            c.Combo1->setCurrentIndex(c.Combo1->findText(field));
        }
        (equal ? c.Option2 : c.Option1)->setChecked(true);
        c.Text1->setText(text);
        QTest::mouseClick(c.Commmand1, Qt::LeftButton);

        QCOMPARE(form.SearchRecordset->Source(), statement);
        QCOMPARE(listed(*c.MSFlexGrid1), found);
        QVERIFY(h.messages.isEmpty());
        QVERIFY(h.fatals.isEmpty());
    }

    // Opening the dictionary reads no copy of the table for the searches;
    // the reader's first keystrokes have one read by a worker, and the
    // searches then find what they found before.
    void typingPreparesTheSearch()
    {
        Harness h;
        DreamForm &form = h.showDictionary(entries());
        DreamControls &c = form.ui();
        QTest::qWait(50);
        QVERIFY(!form.SearchConnection->hasFoldedCopy(DreamTable));
        c.Text1->setFocus();
        type(c.Text1, QStringLiteral("ماء"));
        QTRY_VERIFY(form.SearchConnection->hasFoldedCopy(DreamTable));
        QTest::mouseClick(c.Commmand1, Qt::LeftButton);
        QCOMPARE(listed(*c.MSFlexGrid1), (QList<int>{1, 7}));
        QVERIFY(h.messages.isEmpty());
    }

    void conditionIsKept()
    {
        Harness h;
        DreamForm &form = h.showDictionary(entries());
        form.ui().Text1->setText(QStringLiteral("ماء"));
        form.Commmand1_Click();
        QCOMPARE(form.SearchCondition,
                 QStringLiteral("[رقم] LIKE '%ماء%'   OR [المفتاح] LIKE '%ماء%'   OR [الحلم] LIKE '%ماء%'   OR [التفسير] LIKE '%ماء%'   "));
    }

    void prompts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("oneField");
        QTest::addColumn<int>("prompt");
        QTest::addColumn<QString>("focus");
        QTest::newRow("empty text") << "" << false << 100 << "Text1";
        QTest::newRow("blanks only") << "   " << false << 100 << "Text1";
        QTest::newRow("blanks only, one field") << "  " << true << 100 << "Text1";
        QTest::newRow("no field chosen") << "ماء" << true << 101 << "Combo1";
    }
    void prompts()
    {
        QFETCH(QString, text);
        QFETCH(bool, oneField);
        QFETCH(int, prompt);
        QFETCH(QString, focus);
        Harness h;
        DreamForm &form = h.showDictionary(entries());
        QVERIFY(QTest::qWaitForWindowActive(form.window()));
        DreamControls &c = form.ui();
        c.Commmand2->setFocus();
        if (oneField)
            c.Check1->click();
        c.Text1->setText(text);
        const QString source = form.SearchRecordset->Source();
        c.Commmand1->click();

        QCOMPARE(h.messages.size(), 1);
        QCOMPARE(h.messages[0].prompt, LoadResString(prompt));
        QCOMPARE(h.messages[0].title, QStringLiteral("من فضلك ادخل نص البحث  "));
        QCOMPARE(h.messages[0].icon, MessageIcon::Information);
        QVERIFY(h.messages[0].rightToLeft);
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        QCOMPARE(form.SearchRecordset->Source(), source);
        QCOMPARE(c.MSFlexGrid1->Rows(), 8);
    }

    void enterRunsTheSearchOtherKeysDoNot()
    {
        Harness h;
        DreamForm &form = h.showDictionary(entries());
        DreamControls &c = form.ui();
        type(c.Text1, QStringLiteral("البحر"));
        QCOMPARE(c.Text1->text(), QStringLiteral("البحر"));
        QCOMPARE(c.MSFlexGrid1->Rows(), 8);
        QTest::keyClick(c.Text1, Qt::Key_Return);
        QCOMPARE(listed(*c.MSFlexGrid1), QList<int>{2});

        c.Text1->clear();
        QTest::keyClick(c.Text1, Qt::Key_Enter);
        QCOMPARE(h.messages.size(), 1); // Enter runs the search, prompts included
        QCOMPARE(h.messages[0].prompt, LoadResString(100));
    }

    void check1TogglesCombo1()
    {
        Harness h;
        DreamForm &form = h.showDictionary(entries());
        DreamControls &c = form.ui();
        QVERIFY(!c.Check1->isChecked());
        QVERIFY(!c.Combo1->isEnabled());
        QTest::mouseClick(c.Check1, Qt::LeftButton);
        QVERIFY(c.Combo1->isEnabled());
        QTest::mouseClick(c.Check1, Qt::LeftButton);
        QVERIFY(!c.Combo1->isEnabled());
        QVERIFY(!c.Combo1->isEditable());
    }

    void chosenFieldIgnoredWhileCheck1IsClear()
    {
        Harness h;
        DreamForm &form = h.showDictionary(entries());
        DreamControls &c = form.ui();
        c.Combo1->setCurrentIndex(c.Combo1->findText(QStringLiteral("المفتاح")));
        c.Text1->setText(QStringLiteral("الصافي"));
        form.Commmand1_Click();
        QVERIFY(form.SearchRecordset->Source().contains(QStringLiteral("[التفسير] LIKE")));
        QCOMPARE(listed(*c.MSFlexGrid1), QList<int>{1});
    }

    void refusedStatementIsReportedAndTheGridKept_data()
    {
        QTest::addColumn<bool>("oneField");
        QTest::addColumn<bool>("equal");
        QTest::newRow("field contains") << true << false;
        QTest::newRow("field equals") << true << true;
        QTest::newRow("all fields contain") << false << false;
        QTest::newRow("all fields equal") << false << true;
    }
    void refusedStatementIsReportedAndTheGridKept()
    {
        QFETCH(bool, oneField);
        QFETCH(bool, equal);
        Harness h;
        // A field name the statement cannot bracket.
        DreamForm &form = h.showDictionary({QStringLiteral("رقم"), QStringLiteral("المفتاح"), QStringLiteral("x]y"),
                           QStringLiteral("الحلم"), QStringLiteral("التفسير")},
                          {{1, QStringLiteral("ماء"), QStringLiteral("a"), QStringLiteral("شرب الماء"), QStringLiteral("خير")}});
        DreamControls &c = form.ui();
        if (oneField) {
            c.Check1->click();
            c.Combo1->setCurrentIndex(c.Combo1->findText(QStringLiteral("x]y")));
        }
        (equal ? c.Option2 : c.Option1)->setChecked(true);
        c.Text1->setText(QStringLiteral("ماء"));
        form.Commmand1_Click();
        QCOMPARE(h.messages.size(), 1);
        QCOMPARE(h.messages[0].icon, MessageIcon::Critical);
        QVERIFY(h.messages[0].prompt.startsWith(QStringLiteral("تعذر تنفيذ البحث")));
        QVERIFY(h.fatals.isEmpty());
        QCOMPARE(listed(*c.MSFlexGrid1), QList<int>{1});
        // The program goes on: the next search works.
        c.Check1->setChecked(true);
        c.Combo1->setCurrentIndex(c.Combo1->findText(QStringLiteral("الحلم")));
        c.Option1->setChecked(true);
        form.Commmand1_Click();
        QCOMPARE(listed(*c.MSFlexGrid1), QList<int>{1});
        QCOMPARE(h.messages.size(), 1);
    }
};

QTEST_MAIN(TestDreamSearch)
#include "tst_dreamsearch.moc"
