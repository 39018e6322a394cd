#include "fixturedb.h"
#include "harness.h"
#include "platform/grid/flexgrid.h"
#include "core/runtimeerror.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QCryptographicHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <QTest>

using namespace velkaram;

namespace {

QString shownDream(DreamForm &form)
{
    return form.ui().Item->toPlainText();
}

// Where the box's last paragraph ends once laid out: the x of the position
// after its last character, and the left and right ends of that line.
struct LineEnd {
    Qt::LayoutDirection direction;
    qreal endX, left, right;
};

LineEnd lastLineEnd(QTextEdit *box)
{
    box->document()->documentLayout()->documentSize(); // lays the document out
    const QTextBlock block = box->document()->lastBlock();
    const int end = block.length() - 1;
    const QTextLine line = block.layout()->lineForTextPosition(end);
    const QRectF ink = line.naturalTextRect();
    return {block.textDirection(), line.cursorToX(end), ink.left(), ink.right()};
}

} // namespace

class TestDreamWindow : public QObject {
    Q_OBJECT

private slots:
    void startUpFollowsTheTable_data()
    {
        QTest::addColumn<QStringList>("columns");
        QTest::newRow("four fields") << dreamColumns();
        QTest::newRow("six fields") << (dreamColumns() << QStringLiteral("المصدر") << QStringLiteral("ملاحظة"));
        QTest::newRow("three fields") << QStringList{QStringLiteral("المفتاح"), QStringLiteral("الحلم"), QStringLiteral("التفسير")};
    }
    void startUpFollowsTheTable()
    {
        QFETCH(QStringList, columns);
        Harness h;
        QVariantList row;
        for (const QString &c : columns)
            row << QStringLiteral("قيمة %1").arg(c);
        DreamForm &form = h.showDictionary(columns, {row});
        QVERIFY(h.fatals.isEmpty());
        const DreamControls &c = form.ui();
        const int n = columns.size();

        QCOMPARE(form.window()->windowTitle(), QStringLiteral("Velkaram"));
        QCOMPARE(c.Combo1->count(), n - 2);
        for (int i = 1; i <= n - 2; ++i)
            QCOMPARE(c.Combo1->itemText(i - 1), columns[i]);
        QCOMPARE(c.Combo1->currentText(), QString());
        QCOMPARE(c.MSFlexGrid1->Cols(), n - 1);
        for (int i = 0; i <= n - 2; ++i) {
            QCOMPARE(c.MSFlexGrid1->ColWidth(i), 2700);
            QCOMPARE(c.MSFlexGrid1->ColAlignment(i), 3);
            QCOMPARE(c.MSFlexGrid1->TextMatrix(0, i), columns[i]);
        }
        QCOMPARE(c.MSFlexGrid1->Rows(), 2);
        QCOMPARE(c.key->toPlainText(), QStringLiteral("قيمة المفتاح"));
        QCOMPARE(c.Item->toPlainText(), QStringLiteral("قيمة الحلم"));
        QCOMPARE(c.discrpt->toPlainText(), QStringLiteral("قيمة التفسير"));
        QCOMPARE(c.LabRecord->text(), QStringLiteral("السجل رقم ( 0 ) من ( 0 )"));
        QVERIFY(c.Cmd_Next->isEnabled());
        QVERIFY(c.Cmd_Prev->isEnabled());
        QVERIFY(!form.window()->styleSheet().isEmpty());
    }

    // An Arabic sentence ends at the left, its full stop included, in each
    // of the three boxes; a Latin one may read left to right.
    void paragraphsReadInTheirOwnDirection_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("rightToLeft");
        QTest::newRow("Arabic sentence") << QStringLiteral("خير ورزق حلال.") << true;
        QTest::newRow("Arabic over several lines")
            << QStringLiteral("من رأى أنه يشرب ماء صافيا نال حياة طيبة ورزقا حلالا وعلما نافعا وولدا صالحا وصحة في بدنه وسعة في رزقه وراحة في باله.") << true;
        QTest::newRow("Latin sentence") << QStringLiteral("Clear water.") << false;
    }
    void paragraphsReadInTheirOwnDirection()
    {
        QFETCH(QString, text);
        QFETCH(bool, rightToLeft);
        Harness h;
        DreamForm &form = h.showDictionary({dreamRow(1, text, text, text)});
        const DreamControls &c = form.ui();
        for (QTextEdit *box : {c.key, c.Item, c.discrpt}) {
            const LineEnd end = lastLineEnd(box);
            QCOMPARE(end.direction, rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
            QVERIFY2(qAbs(end.endX - (rightToLeft ? end.left : end.right)) < 1.0,
                     qPrintable(QStringLiteral("%1: the text ends at %2, its line spans %3 to %4")
                                    .arg(box->objectName()).arg(end.endX).arg(end.left).arg(end.right)));
        }
    }

    // The paging buttons pressed by the mouse, or from the keyboard with
    // Return, keypad Enter or Space on the focused button: the same moves.
    void navigation_data()
    {
        QTest::addColumn<QString>("presses");
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("dream");
        QTest::addColumn<bool>("nextEnabled");
        QTest::addColumn<bool>("prevEnabled");
        const struct {
            const char *name, *presses, *dream;
            bool next, prev;
        } rows[] = {
            {"start", "", "شرب الماء الصافي", true, true},
            {"next", "N", "الغرق في البحر", true, true},
            {"prev on the first", "P", "شرب الماء الصافي", true, false},
            {"next past the last", "NNN", "رؤية الأسد", false, true},
            {"last then next", "LN", "رؤية الأسد", false, true},
            {"first keeps next disabled", "LNF", "شرب الماء الصافي", false, true},
            {"prev brings next back", "LNP", "الغرق في البحر", true, true},
            {"next brings prev back", "PN", "الغرق في البحر", true, true},
            {"first and last leave flags", "PLF", "شرب الماء الصافي", true, false},
        };
        for (const auto &r : rows)
            for (const char *way : {"mouse", "Return", "Enter", "Space"})
                QTest::addRow("%s, %s", r.name, way)
                    << r.presses << way << QString::fromUtf8(r.dream) << r.next << r.prev;
    }
    void navigation()
    {
        QFETCH(QString, presses);
        QFETCH(QString, way);
        QFETCH(QString, dream);
        QFETCH(bool, nextEnabled);
        QFETCH(bool, prevEnabled);
        Harness h;
        DreamForm &form = h.showDictionary(threeEntries());
        const DreamControls &c = form.ui();
        for (const QChar p : presses) {
            QPushButton *button = p == u'N' ? c.Cmd_Next : p == u'P' ? c.Cmd_Prev : p == u'F' ? c.Command1 : c.Cmd_last;
            QVERIFY(button->isEnabled());
            if (way == "mouse") {
                QTest::mouseClick(button, Qt::LeftButton);
            } else {
                button->setFocus();
                const Qt::Key key = way == "Space" ? Qt::Key_Space : way == "Enter" ? Qt::Key_Enter : Qt::Key_Return;
                QTest::keyClick(button, key, way == "Enter" ? Qt::KeypadModifier : Qt::NoModifier);
            }
        }
        QCOMPARE(shownDream(form), dream);
        QCOMPARE(c.Cmd_Next->isEnabled(), nextEnabled);
        QCOMPARE(c.Cmd_Prev->isEnabled(), prevEnabled);
        QCOMPARE(c.LabRecord->text(), QStringLiteral("السجل رقم ( 0 ) من ( 0 )"));
        QVERIFY(h.fatals.isEmpty());
    }

    void nullFieldShowsEmpty()
    {
        Harness h;
        DreamForm &form = h.showDictionary({dreamRow(1, QStringLiteral("ماء"), QStringLiteral("شرب الماء"), QStringLiteral("خير")),
                           {2, QStringLiteral("بحر"), QVariant(), QStringLiteral("هم")}});
        form.Cmd_Next_Click();
        QCOMPARE(form.ui().key->toPlainText(), QStringLiteral("بحر"));
        QCOMPARE(form.ui().Item->toPlainText(), QString());
        QCOMPARE(form.ui().discrpt->toPlainText(), QStringLiteral("هم"));
        QVERIFY(h.fatals.isEmpty());
    }

    void emptyTableStartsQuietly()
    {
        Harness h;
        DreamForm &form = h.showDictionary({});
        const DreamControls &c = form.ui();
        QCOMPARE(c.key->toPlainText(), QString());
        QCOMPARE(c.MSFlexGrid1->Rows(), 1);
        for (QPushButton *b : {c.Command1, c.Cmd_Prev, c.Cmd_Next, c.Cmd_last})
            QTest::mouseClick(b, Qt::LeftButton);
        QCOMPARE(c.key->toPlainText(), QString());
        QVERIFY(h.fatals.isEmpty());
        QVERIFY(form.isVisible());
    }

    // When Next or Prev turns itself off, the keyboard stays on its pair, so
    // that the next key pages back instead of leaving the window.
    void pagingKeepsTheKeyboardOnItsPair()
    {
        Harness h;
        DreamForm &form = h.showDictionary(threeEntries());
        const DreamControls &c = form.ui();
        QWidget *window = form.window();
        c.Cmd_Next->setFocus();
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(window->focusWidget(), Qt::Key_Space);
        QVERIFY(!c.Cmd_Next->isEnabled());
        QCOMPARE(window->focusWidget(), c.Cmd_Prev);
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(window->focusWidget(), Qt::Key_Space);
        QVERIFY(!c.Cmd_Prev->isEnabled());
        QCOMPARE(window->focusWidget(), c.Cmd_Next);
        QCOMPARE(shownDream(form), QStringLiteral("شرب الماء الصافي"));
        QVERIFY(form.isVisible());
    }

    // Return on Back leaves for the menu as a click does.
    void returnOnBackShowsTheMenu()
    {
        Harness h;
        DreamForm &form = h.showDictionary(threeEntries());
        form.ui().Command3->setFocus();
        QTest::keyClick(form.ui().Command3, Qt::Key_Return);
        QVERIFY(!form.isLoaded());
        QVERIFY(h.forms().form(QStringLiteral("A")).isVisible());
    }

    // However the check box turns (Space, a screen reader's toggle), the
    // field list follows it.
    void theFieldListFollowsTheCheckBox()
    {
        Harness h;
        DreamForm &form = h.showDictionary(threeEntries());
        const DreamControls &c = form.ui();
        QAccessibleActionInterface *check = QAccessible::queryAccessibleInterface(c.Check1)->actionInterface();
        check->doAction(QAccessibleActionInterface::toggleAction());
        QVERIFY(c.Check1->isChecked());
        QVERIFY(c.Combo1->isEnabled());
        check->doAction(QAccessibleActionInterface::toggleAction());
        QVERIFY(!c.Combo1->isEnabled());
        QTest::keyClick(c.Check1, Qt::Key_Space);
        QVERIFY(c.Combo1->isEnabled());
    }

    // The window opens with the keyboard in the search box.
    void opensInTheSearchBox()
    {
        Harness h;
        DreamForm &form = h.showDictionary(threeEntries());
        QCOMPARE(form.window()->focusWidget(), form.ui().Text1);
    }

    // What a screen reader says for each control: the search box and the
    // field list by what they hold, the boxes and the grid by the headings
    // that label them, the buttons in Arabic alone.
    void screenReaderNames()
    {
        Harness h;
        DreamForm &form = h.showDictionary(threeEntries());
        const DreamControls &c = form.ui();
        const auto name = [](QWidget *w) { return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name); };
        QCOMPARE(name(c.Text1), QStringLiteral("نص البحث"));
        const std::pair<QWidget *, QLabel *> headed[] = {
            {c.key, c.SkinLabel1}, {c.Item, c.SkinLabel3}, {c.discrpt, c.SkinLabel2}, {c.Combo1, nullptr}};
        for (auto [control, heading] : headed) {
            // The field list has no heading of its own: a label nobody sees
            // names it, as a list is named on this desktop.
            if (!heading)
                heading = form.window()->findChild<QLabel *>(QStringLiteral("Combo1Label"));
            QVERIFY(heading);
            if (control != c.Combo1)
                QCOMPARE(name(control), heading->text());
            QStringList labels;
            for (const auto &[label, relation] :
                 QAccessible::queryAccessibleInterface(control)->relations(QAccessible::Label))
                labels << label->text(QAccessible::Name);
            QVERIFY2(labels.contains(heading->text()), qPrintable(heading->text()));
        }
        QCOMPARE(name(c.SkinLabel2), QStringLiteral("تفسير الرؤيا"));
        QCOMPARE(form.window()->findChild<QLabel *>(QStringLiteral("Combo1Label"))->text(), QStringLiteral("حقل البحث"));
        QCOMPARE(QAccessible::queryAccessibleInterface(c.MSFlexGrid1)->role(), QAccessible::Table);
        QCOMPARE(name(c.MSFlexGrid1), QStringLiteral("نتائج البحث"));
        const std::pair<QPushButton *, const char *> buttons[] = {
            {c.Command1, "الاول"}, {c.Cmd_Prev, "السابق"}, {c.Cmd_Next, "التالي"}, {c.Cmd_last, "الاخير"},
            {c.Command2, "حول"},   {c.Command3, "عودة"},   {c.Commmand1, "تنفيذ البحث"},
            {c.Commmand2, "عرض كافة السجلات"}};
        for (const auto &[button, spoken] : buttons)
            QCOMPARE(name(button), QString::fromUtf8(spoken));
        // The captions stay as designed.
        QCOMPARE(c.Cmd_Next->text(), QStringLiteral("Next التالي"));
    }

    // The window takes Escape before any control sees it: the key goes no
    // further, and the window stays as it was.
    void escapeIsSwallowedByTheWindow()
    {
        Harness h;
        DreamForm &form = h.showDictionary(threeEntries());
        form.Cmd_Next_Click();
        for (QWidget *target : {static_cast<QWidget *>(form.ui().Text1), form.window()}) {
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
            QApplication::sendEvent(target, &escape);
            QVERIFY2(escape.isAccepted(), qPrintable(target->objectName()));
        }
        QVERIFY(form.isVisible());
        QCOMPARE(shownDream(form), QStringLiteral("الغرق في البحر"));
    }

    void backThenReopenStartsAfresh()
    {
        Harness h;
        DreamForm &form = h.showDictionary(threeEntries());
        QTest::mouseClick(form.ui().Cmd_Next, Qt::LeftButton);
        QTest::mouseClick(form.ui().Cmd_Next, Qt::LeftButton);
        const auto search = form.SearchConnection.shared();
        sqlite3 *searchHandle = form.SearchConnection->handle();
        const auto main = form.MainConnection;

        QTest::mouseClick(form.ui().Command3, Qt::LeftButton);
        QVERIFY(!form.isLoaded());
        QVERIFY(h.forms().form(QStringLiteral("A")).isVisible());
        // The data objects outlive the controls.
        QCOMPARE(form.SearchConnection->State(), rs::adStateOpen);

        form.show();
        QCOMPARE(shownDream(form), QStringLiteral("شرب الماء الصافي"));
        QCOMPARE(form.ui().Combo1->count(), 2);
        QCOMPARE(form.ui().MSFlexGrid1->Rows(), 4);
        QCOMPARE(form.SearchConnection.shared(), search);
        // Not reopened either: the same database handle as before.
        QCOMPARE(form.SearchConnection->handle(), searchHandle);
        QVERIFY(form.MainConnection != main);
        QVERIFY(h.fatals.isEmpty());
    }

    void closeBoxShowsTheMenu()
    {
        Harness h;
        DreamForm &form = h.showDictionary(threeEntries());
        form.window()->close();
        QVERIFY(!form.isLoaded());
        QVERIFY(h.forms().form(QStringLiteral("A")).isVisible());
    }

    void aboutHidesAndKeepsState()
    {
        Harness h;
        DreamForm &form = h.showDictionary(threeEntries());
        form.Cmd_Next_Click();
        QTest::mouseClick(form.ui().Command2, Qt::LeftButton);
        QVERIFY(h.forms().form(QStringLiteral("aboutme")).isVisible());
        QVERIFY(form.isLoaded());
        QVERIFY(!form.isVisible());
        form.show();
        QCOMPARE(shownDream(form), QStringLiteral("الغرق في البحر"));
    }

    // The program builds its connection strings from its own folder, whose
    // name may read like one.
    void opensFromAnOddFolder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("a data source inside") << QStringLiteral("x;Data Source=y");
        QTest::newRow("a provider inside") << QStringLiteral("a;provider=b");
        QTest::newRow("quotes and semicolons") << QStringLiteral("\"قاموس\";'ب'");
    }
    void opensFromAnOddFolder()
    {
        QFETCH(QString, name);
        QTemporaryDir root;
        const QString folder = root.filePath(name);
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(QFile::copy(QStringLiteral(VELKARAM_SOURCE_DIR "/resources/skin/KELVRA.qss"), folder + QStringLiteral("/KELVRA")));
        writeTable(folder + QStringLiteral("/kelvra.mdb"), QStringLiteral("dream"), dreamColumns(), threeEntries());
        writeTable(folder + QStringLiteral("/kelvra.mdb"), QStringLiteral("encyclopidia"),
                   {QStringLiteral("suubtopi"), QStringLiteral("text")},
                   {{QStringLiteral("أنواع الرؤى"), QStringLiteral("الرؤيا ثلاثة أنواع.")}});
        Harness h(folder);
        DreamForm &form = h.dream();
        form.guarded([&] { form.show(); });
        QCOMPARE(h.fatals.size(), 0);
        QCOMPARE(shownDream(form), QStringLiteral("شرب الماء الصافي"));
        Form &encyclopedia = h.forms().form(QStringLiteral("encyclopidia"));
        encyclopedia.guarded([&] { encyclopedia.show(); });
        QCOMPARE(h.fatals.size(), 0);
        QVERIFY(encyclopedia.isVisible());
    }

    void badFiles_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("cause");
        QTest::newRow("missing") << "missing" << QStringLiteral("تعذر العثور");
        QTest::newRow("empty") << "empty" << QStringLiteral("فارغ");
        QTest::newRow("random bytes") << "random" << QStringLiteral("ليس قاعدة بيانات");
        QTest::newRow("truncated") << "truncated" << QStringLiteral("تالف");
        QTest::newRow("no dream table") << "other table" << QStringLiteral("الجدول ") + quotedName(QStringLiteral("dream"));
        QTest::newRow("two fields") << "two fields" << QStringLiteral("الحقل ") + quotedName(QStringLiteral("التفسير"));
    }
    void badFiles()
    {
        QFETCH(QString, kind);
        QFETCH(QString, cause);
        Harness h;
        const QString path = h.folder() + QStringLiteral("/kelvra.mdb");
        if (kind == u"empty" || kind == u"random" || kind == u"truncated") {
            QByteArray bytes;
            if (kind == u"random") {
                for (int i = 0; i < 8192; ++i)
                    bytes += char((i * 131 + 7) % 256);
            } else if (kind == u"truncated") {
                QList<QVariantList> rows;
                for (int i = 1; i <= 3000; ++i)
                    rows << dreamRow(i, QStringLiteral("مفتاح"), QStringLiteral("حلم %1").arg(i), QString(300, QChar(0x0628)));
                h.writeDictionary(rows);
                QFile full(path);
                QVERIFY(full.open(QIODevice::ReadOnly));
                bytes = full.read(full.size() / 3);
            }
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(bytes);
        } else if (kind == u"other table") {
            writeTable(path, QStringLiteral("articles"), {QStringLiteral("title")}, {{QStringLiteral("x")}});
        } else if (kind == u"two fields") {
            h.writeDictionary({QStringLiteral("المفتاح"), QStringLiteral("الحلم")}, {{QStringLiteral("ماء"), QStringLiteral("شرب")}});
        }
        QFile before(path);
        const QByteArray original = before.open(QIODevice::ReadOnly) ? before.readAll() : QByteArray();
        before.close();

        DreamForm &form = h.dream();
        form.guarded([&] { form.show(); });
        QCOMPARE(h.fatals.size(), 1);
        QVERIFY2(h.fatals[0].description.contains(QStringLiteral("kelvra.mdb")), qPrintable(h.fatals[0].description));
        QVERIFY2(h.fatals[0].description.contains(cause), qPrintable(h.fatals[0].description));
        if (kind != u"missing") {
            QFile after(path);
            QVERIFY(after.open(QIODevice::ReadOnly));
            QCOMPARE(after.readAll(), original);
        }
    }
};

QTEST_MAIN(TestDreamWindow)
#include "tst_dreamwindow.moc"
