// Reading in the dictionary and the encyclopedia beyond the design: the
// text's size, the whole entry copied, back and forward among the entries.
#include "fixturedb.h"
#include "harness.h"
#include "app/reading.h"
#include "encyclopedia/encyclopediaform.h"
#include "platform/grid/flexgrid.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QWheelEvent>

using namespace velkaram;

namespace {

struct Sizes {
    qreal key, dream, interpretation, grid;
    int row;
};

Sizes sizesOf(const DreamControls &c)
{
    return {c.key->font().pointSizeF(), c.Item->font().pointSizeF(), c.discrpt->font().pointSizeF(),
            c.MSFlexGrid1->font().pointSizeF(), c.MSFlexGrid1->verticalHeader()->defaultSectionSize()};
}

// A key on the window as the reader presses it: the window is active, the
// key goes to whatever has the focus.
void press(QWidget *window, int key, Qt::KeyboardModifiers modifiers)
{
    if (!window->isActiveWindow()) {
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
    }
    QWidget *to = QApplication::focusWidget() && QApplication::focusWidget()->window() == window ? QApplication::focusWidget() : window;
    QTest::keyClick(to, Qt::Key(key), modifiers);
}

QMenu *readingMenuOf(QTextEdit *box)
{
    emit box->customContextMenuRequested(QPoint(10, 10));
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *menu = qobject_cast<QMenu *>(w); menu && menu->objectName() == QLatin1String("ReadingMenu") && menu->isVisible())
            return menu;
    return nullptr;
}

QAction *actionNamed(QMenu *menu, const QString &text)
{
    for (QAction *a : menu->actions())
        if (a->text() == text)
            return a;
    return nullptr;
}

} // namespace

class TestReading : public QObject {
    Q_OBJECT

private slots:
    void init() { TextZoom::session().reset(); }

    // Ctrl+= and Ctrl+- step the three boxes and the grid together through
    // the sizes, from 70 % to 250 %, and no further; the rows grow with it.
    void zoomStepsEveryBoxAndTheGrid()
    {
        Harness h;
        DreamForm &form = h.showDictionary(threeEntries());
        const DreamControls &c = form.ui();
        QWidget *window = form.window();
        const Sizes designed = sizesOf(c);
        QCOMPARE(designed.key, 14.25);
        QCOMPARE(designed.interpretation, 12.0);

        const int upSteps[] = {110, 125, 150, 175, 200, 225, 250, 250};
        int previousRow = designed.row;
        for (const int percent : upSteps) {
            press(window, Qt::Key_Equal, Qt::ControlModifier);
            const Sizes now = sizesOf(c);
            QCOMPARE(now.key, designed.key * percent / 100);
            QCOMPARE(now.dream, designed.dream * percent / 100);
            QCOMPARE(now.interpretation, designed.interpretation * percent / 100);
            QCOMPARE(now.grid, designed.grid * percent / 100);
            QVERIFY2(now.row >= previousRow, qPrintable(QStringLiteral("row %1 after %2").arg(now.row).arg(previousRow)));
            previousRow = now.row;
        }
        QVERIFY(sizesOf(c).row > designed.row * 2);
        QCOMPARE(TextZoom::session().percent(), 250);

        const int downSteps[] = {225, 200, 175, 150, 125, 110, 100, 90, 80, 70, 70};
        for (const int percent : downSteps) {
            press(window, Qt::Key_Minus, Qt::ControlModifier);
            QCOMPARE(sizesOf(c).interpretation, designed.interpretation * percent / 100);
        }
        QVERIFY(sizesOf(c).row < designed.row);
        // The window keeps its size and its controls their places.
        QCOMPARE(window->size(), QSize(792, 563));
    }

    // Ctrl+0 brings back the design's very pixels; Ctrl+Plus (with Shift on
    // most keyboards) and the keypad's keys step too.
    void normalSizeGivesBackTheSamePixels()
    {
        Harness h;
        DreamForm &form = h.showDictionary(threeEntries());
        QWidget *window = form.window();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        const QImage before = window->grab().toImage();
        press(window, Qt::Key_Plus, Qt::ControlModifier | Qt::ShiftModifier);
        press(window, Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
        QCOMPARE(TextZoom::session().percent(), 125);
        QVERIFY(window->grab().toImage() != before);
        press(window, Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(TextZoom::session().percent(), 100);
        const QImage after = window->grab().toImage();
        QRect differs;
        for (int y = 0; y < after.height(); ++y)
            for (int x = 0; x < after.width(); ++x)
                if (after.pixel(x, y) != before.pixel(x, y))
                    differs |= QRect(x, y, 1, 1);
        QVERIFY2(differs.isNull(), qPrintable(QStringLiteral("pixels differ in %1,%2 %3x%4").arg(differs.x()).arg(differs.y()).arg(differs.width()).arg(differs.height())));
    }

    // Ctrl with the wheel over any box zooms them all, not that box alone;
    // the wheel without Ctrl leaves the size.
    void controlWheelZoomsTogether()
    {
        Harness h;
        DreamForm &form = h.showDictionary(threeEntries());
        const DreamControls &c = form.ui();
        const Sizes designed = sizesOf(c);
        QWidget *viewport = c.discrpt->viewport();
        const QPointF at(20, 10);
        QWheelEvent up(at, viewport->mapToGlobal(at), {}, {0, 120}, Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport, &up);
        QCOMPARE(TextZoom::session().percent(), 110);
        QCOMPARE(sizesOf(c).key, designed.key * 1.1);
        QCOMPARE(sizesOf(c).grid, designed.grid * 1.1);
        QWheelEvent plain(at, viewport->mapToGlobal(at), {}, {0, 120}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport, &plain);
        QCOMPARE(TextZoom::session().percent(), 110);
    }

    // The size holds for the session: the window opened again keeps it.
    void zoomLastsTheSession()
    {
        Harness h;
        DreamForm &form = h.showDictionary(threeEntries());
        press(form.window(), Qt::Key_Equal, Qt::ControlModifier);
        const qreal enlarged = form.ui().discrpt->font().pointSizeF();
        form.Command3_Click(); // Back to the menu unloads the window
        QCOMPARE(form.ui().discrpt->font().pointSizeF(), enlarged);
    }

    // Ctrl+Shift+C and the menu's "copy the whole entry" put the keyword,
    // the dream and the interpretation on the clipboard, one per line, and
    // as right-to-left HTML.
    void copyTheWholeEntry()
    {
        Harness h;
        DreamForm &form = h.showDictionary(threeEntries());
        const DreamControls &c = form.ui();
        QApplication::clipboard()->clear();
        press(form.window(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        const QString expected = QStringLiteral("ماء\nشرب الماء الصافي\nحياة طيبة ورزق حلال");
        QCOMPARE(QApplication::clipboard()->text(), expected);
        const QString html = QApplication::clipboard()->mimeData()->html();
        QVERIFY2(html.contains(QStringLiteral("dir=\"rtl\"")), qPrintable(html));
        const qsizetype key = html.indexOf(QStringLiteral("<h2>ماء</h2>"));
        const qsizetype dream = html.indexOf(QStringLiteral("<p>شرب الماء الصافي</p>"));
        const qsizetype meaning = html.indexOf(QStringLiteral("<p>حياة طيبة ورزق حلال</p>"));
        QVERIFY2(key >= 0 && key < dream && dream < meaning, qPrintable(html));

        form.Cmd_Next_Click();
        QApplication::clipboard()->clear();
        QMenu *menu = readingMenuOf(c.Item);
        QVERIFY(menu);
        QCOMPARE(menu->layoutDirection(), Qt::RightToLeft);
        QStringList texts;
        for (QAction *a : menu->actions())
            if (!a->isSeparator())
                texts << a->text();
        QCOMPARE(texts, (QStringList{QStringLiteral("نسخ"), QStringLiteral("نسخ المدخل كاملا"), QStringLiteral("طباعة المدخل…"),
                                     QStringLiteral("تكبير النص"), QStringLiteral("تصغير النص"), QStringLiteral("الحجم العادي")}));
        QVERIFY(!actionNamed(menu, QStringLiteral("نسخ"))->isEnabled()); // nothing selected
        actionNamed(menu, QStringLiteral("نسخ المدخل كاملا"))->trigger();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("بحر\nالغرق في البحر\nالوقوع في فتنة"));
        menu->close();

        // Copy takes the selection only; the menu's zoom is the keys' zoom.
        c.discrpt->selectAll();
        menu = readingMenuOf(c.discrpt);
        QVERIFY(actionNamed(menu, QStringLiteral("نسخ"))->isEnabled());
        actionNamed(menu, QStringLiteral("نسخ"))->trigger();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("الوقوع في فتنة"));
        actionNamed(menu, QStringLiteral("تكبير النص"))->trigger();
        QCOMPARE(TextZoom::session().percent(), 110);
        menu->close();

        // From the keyboard: Shift+F10 in a box opens the same menu.
        c.discrpt->setFocus();
        press(form.window(), Qt::Key_F10, Qt::ShiftModifier);
        QWidget *popup = QApplication::activePopupWidget();
        QVERIFY(popup && popup->objectName() == QLatin1String("ReadingMenu"));
        popup->close();
    }

    // Alt+Left and Alt+Right (and the mouse's own buttons) go back and
    // forward among the entries shown; a new entry after going back drops
    // those ahead, as in a browser.
    void backAndForward()
    {
        Harness h;
        DreamForm &form = h.showDictionary(threeEntries());
        const DreamControls &c = form.ui();
        QWidget *window = form.window();
        const auto shown = [&] { return c.key->toPlainText(); };
        QCOMPARE(shown(), QStringLiteral("ماء"));
        form.Cmd_Next_Click();
        form.Cmd_Next_Click();
        QCOMPARE(shown(), QStringLiteral("أسد"));

        press(window, Qt::Key_Left, Qt::AltModifier);
        QCOMPARE(shown(), QStringLiteral("بحر"));
        QCOMPARE(c.Item->toPlainText(), QStringLiteral("الغرق في البحر"));
        QCOMPARE(c.discrpt->toPlainText(), QStringLiteral("الوقوع في فتنة"));
        QTest::mouseClick(c.discrpt->viewport(), Qt::BackButton);
        QCOMPARE(shown(), QStringLiteral("ماء"));
        press(window, Qt::Key_Left, Qt::AltModifier); // nothing further back
        QCOMPARE(shown(), QStringLiteral("ماء"));
        QTest::mouseClick(c.MSFlexGrid1->viewport(), Qt::ForwardButton);
        QCOMPARE(shown(), QStringLiteral("بحر"));
        press(window, Qt::Key_Right, Qt::AltModifier);
        QCOMPARE(shown(), QStringLiteral("أسد"));
        press(window, Qt::Key_Right, Qt::AltModifier); // nothing ahead
        QCOMPARE(shown(), QStringLiteral("أسد"));

        press(window, Qt::Key_Left, Qt::AltModifier);
        press(window, Qt::Key_Left, Qt::AltModifier);
        QCOMPARE(shown(), QStringLiteral("ماء"));
        form.Cmd_last_Click(); // new after going back
        QCOMPARE(shown(), QStringLiteral("أسد"));
        press(window, Qt::Key_Right, Qt::AltModifier);
        QCOMPARE(shown(), QStringLiteral("أسد"));
        press(window, Qt::Key_Left, Qt::AltModifier);
        QCOMPARE(shown(), QStringLiteral("ماء"));
    }

    // An entry shown by a click in the results comes back with the record
    // counter it had.
    void backRestoresTheCounter()
    {
        Harness h;
        DreamForm &form = h.showDictionary(threeEntries());
        const DreamControls &c = form.ui();
        c.MSFlexGrid1->refresh();
        const QModelIndex second = c.MSFlexGrid1->model()->index(1, 1);
        c.MSFlexGrid1->scrollTo(second);
        QTest::mouseClick(c.MSFlexGrid1->viewport(), Qt::LeftButton, {}, c.MSFlexGrid1->visualRect(second).center());
        QCOMPARE(c.key->toPlainText(), QStringLiteral("بحر"));
        const QString counter = c.LabRecord->text();
        QVERIFY(counter.contains(QStringLiteral("( 1 )")));
        form.Cmd_last_Click();
        QCOMPARE(c.key->toPlainText(), QStringLiteral("أسد"));
        press(form.window(), Qt::Key_Left, Qt::AltModifier);
        QCOMPARE(c.key->toPlainText(), QStringLiteral("بحر"));
        QCOMPARE(c.LabRecord->text(), counter);
    }

    // Printing through a PDF printer: the keyword as a heading, the dream,
    // the interpretation, in reading order, and the program's name at the
    // foot, as pdftotext reads them back.
    void printTheEntry()
    {
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdftotext.isEmpty())
            QSKIP("pdftotext is not installed (tools/bootstrap installs poppler-utils)");
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("entry.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        QString interpretation;
        for (int i = 0; i < 150; ++i) // long enough for a second page
            interpretation += QStringLiteral("رزق واسع وخير كثير يأتي الرائي بعد صبر طويل. ");
        printEntry({QStringLiteral("ماء"), {QStringLiteral("شرب الماء الصافي"), interpretation.trimmed()}}, printer);
        QProcess reader;
        reader.start(pdftotext, {pdf, QStringLiteral("-")});
        QVERIFY(reader.waitForFinished(30000));
        // pdftotext gives the letters in their shaped forms, between
        // embedding marks: read back as plain letters.
        QString text = QString::fromUtf8(reader.readAllStandardOutput()).normalized(QString::NormalizationForm_KC);
        text.remove(QRegularExpression(QStringLiteral("[\\x{200E}\\x{200F}\\x{202A}-\\x{202E}]")));
        const qsizetype heading = text.indexOf(QStringLiteral("ماء"));
        const qsizetype dream = text.indexOf(QStringLiteral("شرب الماء الصافي"));
        const qsizetype meaning = text.indexOf(QStringLiteral("رزق واسع وخير كثير"));
        QVERIFY2(heading >= 0 && heading < dream && dream < meaning, qPrintable(text.left(300)));
        QCOMPARE(text.count(QStringLiteral("Velkaram")), 2); // a foot on each of the two pages
        QCOMPARE(text.count(QLatin1Char('\f')), 2);
    }

    // The encyclopedia's article grows with the same keys, and its menu
    // copies the article under its title.
    void encyclopediaReadsTheSameWay()
    {
        Harness h;
        h.writeDictionary(threeEntries());
        h.writeEncyclopedia({{QStringLiteral("الرؤيا الصالحة"), QStringLiteral("الرؤيا الصالحة من الله.\nوالحلم من الشيطان.")}});
        auto &encyclopedia = h.forms().get<EncyclopediaForm>(QStringLiteral("encyclopidia"));
        encyclopedia.show();
        const EncyclopediaControls &c = encyclopedia.ui();
        const qreal designed = c.text->font().pointSizeF();
        press(encyclopedia.window(), Qt::Key_Equal, Qt::ControlModifier);
        QCOMPARE(c.text->font().pointSizeF(), designed * 1.1);
        QApplication::clipboard()->clear();
        press(encyclopedia.window(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("الرؤيا الصالحة\nالرؤيا الصالحة من الله.\nوالحلم من الشيطان."));
    }
};

QTEST_MAIN(TestReading)
#include "tst_reading.moc"
