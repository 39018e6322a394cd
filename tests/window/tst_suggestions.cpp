#include "fixturedb.h"
#include "harness.h"
#include "platform/grid/flexgrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

using namespace velkaram;

namespace {

QList<QVariantList> entries()
{
    return {dreamRow(1, QStringLiteral("كلب"), QStringLiteral("كلب صيد"), QStringLiteral("رزق يأتي بعد تعب وصبر على الطلب")),
            dreamRow(2, QStringLiteral("كلب"), QStringLiteral("كلب يطارد الرائي"), QStringLiteral("عدو يتربص به فليحذر")),
            dreamRow(3, QStringLiteral("قدم"), QStringLiteral("المشي حافيا"), QStringLiteral("زوال هم عن الرائي")),
            dreamRow(4, QStringLiteral("رجل"), QStringLiteral("المشي حافيا"), QStringLiteral("تواضع وقناعة بالقليل")),
            dreamRow(5, QStringLiteral("ثعبان"), QStringLiteral("ثعبان كبير"), QStringLiteral("عدو قوي")),
            dreamRow(6, QStringLiteral("ثوب"), QStringLiteral("لبس ثوب جديد"), QStringLiteral("خير وستر"))};
}

// Types into the box as a reader does, who has put the cursor there.
void type(QWidget *widget, const QString &text)
{
    widget->setFocus();
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

// The dictionary on the entries, its index built, the pause after typing
// shortened (the 250 ms are checked once, below).
DreamForm &ready(Harness &h, const QList<QVariantList> &rows = entries())
{
    DreamForm &form = h.showDictionary(rows);
    [&] { QTRY_VERIFY(form.readerSearchReady()); }();
    form.ui().SuggestTimer->setInterval(1);
    return form;
}

QStringList typeAndWait(DreamForm &form, const QString &text)
{
    type(form.ui().Text1, text);
    [&] { QTRY_VERIFY(form.suggestionsShown()); }();
    return form.suggestionLines();
}

} // namespace

class TestSuggestions : public QObject {
    Q_OBJECT

private slots:
    void listFollowsTyping()
    {
        Harness h;
        DreamForm &form = h.showDictionary(entries());
        QCOMPARE(form.ui().SuggestTimer->interval(), 250);
        QVERIFY(form.ui().SuggestTimer->isSingleShot());
        QTRY_VERIFY(form.readerSearchReady());
        form.ui().SuggestTimer->setInterval(1);
        QCOMPARE(typeAndWait(form, QStringLiteral("كلاب تطاردني")).first(), QStringLiteral("كلب — كلب يطارد الرائي"));
        // Typing goes on in the box while the list shows.
        QCOMPARE(QApplication::focusWidget(), form.ui().Text1);
        QCOMPARE(form.ui().Suggestions->focusPolicy(), Qt::NoFocus);
        QCOMPARE(form.ui().Suggestions->accessibleName(), QStringLiteral("اقتراحات البحث"));
        const QRect box = QRect(form.ui().Text1->mapTo(form.window(), QPoint()), form.ui().Text1->size());
        QCOMPARE(form.ui().Suggestions->geometry().top(), box.bottom() + 1);
        // Emptied, the box has no list.
        form.ui().Text1->selectAll();
        QTest::keyClick(form.ui().Text1, Qt::Key_Backspace);
        QTRY_VERIFY(!form.suggestionsShown());
    }

    // The list covers what lies under the box, as a drop-down does, but not
    // the window's buttons; leaving the box for another control closes it.
    void buttonsStayInReach()
    {
        Harness h;
        DreamForm &form = ready(h);
        form.window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.window()));
        typeAndWait(form, QStringLiteral("كلب"));
        const QRect list = form.ui().Suggestions->geometry();
        for (QPushButton *button : {form.ui().Command2, form.ui().Command3, form.ui().Cmd_Next, form.ui().Cmd_Prev,
                                    form.ui().Command1, form.ui().Cmd_last, form.ui().Commmand1, form.ui().Commmand2}) {
            const QRect at(button->mapTo(form.window(), QPoint()), button->size());
            QVERIFY2(!list.intersects(at), qPrintable(button->objectName()));
        }
        QVERIFY(list.width() >= form.ui().Text1->width());
        form.ui().Check1->setFocus();
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(form.ui().Check1));
        QTRY_VERIFY(!form.suggestionsShown());
    }

    void oneLetterListsItsKeywords()
    {
        Harness h;
        DreamForm &form = ready(h);
        QCOMPARE(typeAndWait(form, QStringLiteral("ث")), (QStringList{"ثعبان — ثعبان كبير", "ثوب — لبس ثوب جديد"}));
    }

    // Down, Up, Page Down and Page Up move in the list; Enter shows the
    // chosen entry as a grid click does.
    void keysChooseAnEntry()
    {
        Harness h;
        DreamForm &form = ready(h);
        QCOMPARE(typeAndWait(form, QStringLiteral("كلب")).size(), 2);
        QLineEdit *box = form.ui().Text1;
        QListWidget *list = form.ui().Suggestions;
        QCOMPARE(list->currentRow(), -1);
        QTest::keyClick(box, Qt::Key_Down);
        QCOMPARE(list->currentRow(), 0);
        QTest::keyClick(box, Qt::Key_PageDown);
        QCOMPARE(list->currentRow(), 1);
        QTest::keyClick(box, Qt::Key_Down);
        QCOMPARE(list->currentRow(), 1);
        QTest::keyClick(box, Qt::Key_PageUp);
        QCOMPARE(list->currentRow(), 0);
        QTest::keyClick(box, Qt::Key_Down);
        QTest::keyClick(box, Qt::Key_Return);
        QVERIFY(!form.suggestionsShown());
        QCOMPARE(form.ui().Item->toPlainText(), QStringLiteral("كلب يطارد الرائي"));
        QCOMPARE(form.ui().key->toPlainText(), QStringLiteral("كلب"));
        QCOMPARE(form.ui().discrpt->toPlainText(), QStringLiteral("عدو يتربص به فليحذر"));
        QCOMPARE(form.ui().LabRecord->text(), QStringLiteral("السجل رقم ( 1 ) من ( 1 ) "));
        // The grid keeps what it showed: no search ran.
        QCOMPARE(form.ui().MSFlexGrid1->Rows(), 7);
        QVERIFY(h.messages.isEmpty());
    }

    void clickChoosesAnEntry()
    {
        Harness h;
        DreamForm &form = ready(h);
        typeAndWait(form, QStringLiteral("ثعبان"));
        QListWidget *list = form.ui().Suggestions;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
        QCOMPARE(form.ui().Item->toPlainText(), QStringLiteral("ثعبان كبير"));
        QVERIFY(!form.suggestionsShown());
    }

    // Two entries with the same dream title: each is reachable by its row.
    void sameTitleBothReachable()
    {
        Harness h;
        DreamForm &form = ready(h);
        const QStringList lines = typeAndWait(form, QStringLiteral("المشي حافيا"));
        QCOMPARE(lines, (QStringList{"قدم — المشي حافيا", "رجل — المشي حافيا"}));
        form.chooseSuggestion(1);
        QCOMPARE(form.ui().key->toPlainText(), QStringLiteral("رجل"));
        QCOMPARE(form.ui().discrpt->toPlainText(), QStringLiteral("تواضع وقناعة بالقليل"));
        typeAndWait(form, QStringLiteral(" "));
        form.chooseSuggestion(0);
        QCOMPARE(form.ui().key->toPlainText(), QStringLiteral("قدم"));
    }

    // Escape closes the list and is swallowed as before; Enter with no line
    // chosen runs the designed search.
    void escapeAndEnter()
    {
        Harness h;
        DreamForm &form = ready(h);
        typeAndWait(form, QStringLiteral("ثوب"));
        QTest::keyClick(form.ui().Text1, Qt::Key_Escape);
        QVERIFY(!form.suggestionsShown());
        QCOMPARE(form.ui().Text1->text(), QStringLiteral("ثوب"));
        QVERIFY(form.isVisible());
        typeAndWait(form, QStringLiteral(" "));
        QTest::keyClick(form.ui().Text1, Qt::Key_Return);
        QVERIFY(!form.suggestionsShown());
        QCOMPARE(form.ui().MSFlexGrid1->Rows(), 2);
        QCOMPARE(form.ui().MSFlexGrid1->TextMatrix(1, 1), QStringLiteral("ثوب"));
    }

    // A designed search that finds nothing opens the nearest entries, under
    // a line that says so.
    void nearestAfterAnEmptySearch_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("a misspelt word")
            << "ثعبن" << QStringList{"لا يوجد ما يطابق بحثك تماما، وهذه أقرب المداخل إليه:", "ثعبان — ثعبان كبير"};
        QTest::newRow("words apart")
            << "كلاب صيد كثيرة" << QStringList{"لا يوجد ما يطابق بحثك تماما، وهذه أقرب المداخل إليه:", "كلب — كلب صيد", "كلب — كلب يطارد الرائي"};
        QTest::newRow("nothing near") << "طائرة" << QStringList{"لا يوجد ما يطابق بحثك، ولا مدخل قريب منه."};
    }
    void nearestAfterAnEmptySearch()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        Harness h;
        DreamForm &form = ready(h);
        form.ui().Text1->setText(text);
        form.Commmand1_Click();
        QCOMPARE(form.ui().MSFlexGrid1->Rows(), 1);
        QVERIFY(form.suggestionsShown());
        QCOMPARE(form.suggestionLines(), lines);
        // The heading is no line to choose.
        QTest::keyClick(form.ui().Text1, Qt::Key_Down);
        QTest::keyClick(form.ui().Text1, Qt::Key_Return);
        if (lines.size() > 1)
            QCOMPARE(form.ui().key->toPlainText(), lines[1].section(QStringLiteral(" — "), 0, 0));
        // A search that finds something puts the list away.
        form.ui().Text1->setText(QStringLiteral("ثوب"));
        form.Commmand1_Click();
        QVERIFY(!form.suggestionsShown());
    }

    // Typed before the index is there, the list comes once it is.
    void typingBeforeTheIndex()
    {
        Harness h;
        QList<QVariantList> many;
        for (int i = 1; i <= 3000; ++i)
            many << dreamRow(i, QStringLiteral("مفتاح"), QStringLiteral("حلم رقم %1").arg(i), QStringLiteral("تفسير طويل بعض الشيء"));
        many << dreamRow(3001, QStringLiteral("ثوب"), QStringLiteral("لبس ثوب جديد"), QStringLiteral("خير"));
        DreamForm &form = h.showDictionary(many);
        form.ui().SuggestTimer->setInterval(1);
        type(form.ui().Text1, QStringLiteral("ثوب"));
        QTRY_VERIFY(form.suggestionsShown());
        QCOMPARE(form.suggestionLines(), QStringList{"ثوب — لبس ثوب جديد"});
    }

    // Leaving while the index is built leaves nothing behind to go wrong.
    void leavingWhileBuilding()
    {
        Harness h;
        DreamForm &form = h.showDictionary(entries());
        form.Command3_Click();
        QVERIFY(!form.isLoaded());
        QTest::qWait(50);
        QCoreApplication::processEvents();
        QVERIFY(!form.readerSearchReady());
        QCOMPARE(h.fatals.size(), 0);
    }
};

QTEST_MAIN(TestSuggestions)
#include "tst_suggestions.moc"
