#include "fixturedb.h"
#include "harness.h"
#include "core/runtimeerror.h"
#include "encyclopedia/encyclopediaform.h"
#include "platform/grid/flexgrid.h"
#include "shell/mainmenuform.h"

#include <QAccessible>
#include <QCryptographicHash>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextEdit>
#include <QTest>

using namespace velkaram;

namespace {

QList<QVariantList> threeArticles()
{
    return {{QStringLiteral("أنواع الرؤى"), QStringLiteral("الرؤيا ثلاثة أنواع.")},
            {QStringLiteral("آداب الرؤيا"), QStringLiteral("يحمد الله عليها.")},
            {QStringLiteral("المعبر"), QStringLiteral("لا يعبرها إلا عالم.")}};
}

// The dictionary the encyclopedia's skin needs, plus the articles.
void writeDatabase(Harness &h, const QList<QVariantList> &articles)
{
    h.writeDictionary({dreamRow(1, QStringLiteral("ماء"), QStringLiteral("شرب الماء"), QStringLiteral("خير")),
                       dreamRow(2, QStringLiteral("بحر"), QStringLiteral("الغرق"), QStringLiteral("فتنة"))});
    h.writeEncyclopedia(articles);
}

EncyclopediaForm &encyclopedia(Harness &h)
{
    return h.forms().get<EncyclopediaForm>(QStringLiteral("encyclopidia"));
}

// Opens the encyclopedia the way the user does: from the main menu.
EncyclopediaForm &openFromMenu(Harness &h)
{
    auto &menu = h.forms().get<MainMenuForm>(QStringLiteral("A"));
    menu.show();
    menu.guarded([&] { menu.Label2_Click(); });
    return encyclopedia(h);
}

EncyclopediaForm &openOn(Harness &h, const QList<QVariantList> &articles)
{
    writeDatabase(h, articles);
    return openFromMenu(h);
}

QPushButton *buttonFor(const EncyclopediaControls &c, QChar press)
{
    switch (press.unicode()) {
    case u'N': return c.Cmd_Next;
    case u'P': return c.Cmd_Prev;
    case u'F': return c.Command1;
    default: return c.Cmd_last;
    }
}

QString sha256(const QByteArray &bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

} // namespace

class TestEncyclopedia : public QObject {
    Q_OBJECT

private slots:
    void startUp()
    {
        Harness h;
        EncyclopediaForm &form = openOn(h, threeArticles());
        QVERIFY(h.fatals.isEmpty());
        QVERIFY(form.isVisible());
        QVERIFY(!h.forms().form(QStringLiteral("A")).isVisible());
        const EncyclopediaControls &c = form.ui();

        QCOMPARE(form.window()->windowTitle().toUtf8(), QByteArray("\xd9\x85\xd9\x88\xd8\xb3\xd9\x88\xd8\xb9\xd8\xa9 Velkaram"));
        // The commentary, byte for byte: its length and fingerprint were
        // taken from the text the window must show, not from the program.
        const QString commentary = c.Text1->toPlainText();
        QCOMPARE(commentary.size(), 333);
        QCOMPARE(commentary.toUtf8().size(), 596);
        QCOMPARE(sha256(commentary.toUtf8()), QStringLiteral("03cd16021c68fd8ce7bdd622ed7fbd460309befdcf8b5c551ab166edb4061c3f"));
        QVERIFY(commentary.startsWith(QStringLiteral("مقصود الحديث : ")));
        QVERIFY(commentary.endsWith(QStringLiteral("ما توهم .")));

        QCOMPARE(c.suubtopi->text(), QStringLiteral("أنواع الرؤى"));
        QCOMPARE(c.text->toPlainText(), QStringLiteral("الرؤيا ثلاثة أنواع."));
        for (QPushButton *b : {c.Command1, c.Cmd_last, c.Cmd_Next, c.Cmd_Prev, c.Command2})
            QVERIFY2(b->isEnabled(), qPrintable(b->objectName()));
        QCOMPARE(c.Command2->text(), QStringLiteral("Exit خروج "));
        QCOMPARE(c.Image1->pixmap().size(), QSize(378, 121));
        // The dictionary's skin, applied here.
        QVERIFY(!form.window()->styleSheet().isEmpty());
        QCOMPARE(form.window()->styleSheet(), h.dream().window()->styleSheet());
    }

    void design_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("where");
        QTest::newRow("Frame1") << "Frame1" << QRect(0, 0, 793, 569);
        QTest::newRow("suubtopi") << "suubtopi" << QRect(8, 16, 777, 49);
        QTest::newRow("text") << "text" << QRect(8, 72, 777, 353);
        QTest::newRow("Picture2") << "Picture2" << QRect(8, 440, 377, 121);
        QTest::newRow("Image1") << "Image1" << QRect(0, 0, 378, 121);
        QTest::newRow("Text1") << "Text1" << QRect(392, 440, 169, 121);
        QTest::newRow("Command1") << "Command1" << QRect(680, 440, 105, 33);
        QTest::newRow("Cmd_last") << "Cmd_last" << QRect(568, 440, 105, 33);
        QTest::newRow("Cmd_Next") << "Cmd_Next" << QRect(680, 480, 105, 33);
        QTest::newRow("Cmd_Prev") << "Cmd_Prev" << QRect(568, 480, 105, 33);
        QTest::newRow("Command2") << "Command2" << QRect(568, 520, 217, 41);
    }
    void design()
    {
        QFETCH(QString, name);
        QFETCH(QRect, where);
        Harness h;
        EncyclopediaForm &form = openOn(h, threeArticles());
        QWidget *window = form.window();
        QCOMPARE(window->size(), QSize(792, 566));
        QCOMPARE(window->palette().color(QPalette::Window), QColor(144, 140, 112));
        QWidget *control = window->findChild<QWidget *>(name);
        QVERIFY(control);
        QCOMPARE(control->geometry(), where);
    }

    // Arabic paragraphs in the two multi-line boxes read right to left.
    void paragraphsReadRightToLeft()
    {
        Harness h;
        EncyclopediaForm &form = openOn(h, threeArticles());
        for (QTextEdit *box : {form.ui().text, form.ui().Text1}) {
            QCOMPARE(box->document()->firstBlock().textDirection(), Qt::RightToLeft);
            QCOMPARE(box->document()->defaultTextOption().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        }
        QCOMPARE(form.ui().suubtopi->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    }

    // From the keyboard: Return presses the focused button, a paging button
    // that turns itself off leaves the keyboard on its pair, and Return on
    // Exit goes back to the menu. A screen reader hears each control by an
    // Arabic name.
    void theKeyboardAndAScreenReader()
    {
        Harness h;
        EncyclopediaForm &form = openOn(h, threeArticles().mid(0, 1));
        const EncyclopediaControls &c = form.ui();
        QWidget *window = form.window();
        c.Cmd_Next->setFocus();
        QTest::keyClick(c.Cmd_Next, Qt::Key_Return);
        QVERIFY(!c.Cmd_Next->isEnabled());
        QCOMPARE(window->focusWidget(), c.Cmd_Prev);
        QTest::keyClick(c.Cmd_Prev, Qt::Key_Return);
        QVERIFY(!c.Cmd_Prev->isEnabled());
        QCOMPARE(window->focusWidget(), c.Cmd_Next);
        QCOMPARE(c.suubtopi->text(), QStringLiteral("أنواع الرؤى"));

        const auto name = [](QWidget *w) { return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name); };
        QCOMPARE(name(c.suubtopi), QStringLiteral("عنوان المقال"));
        QCOMPARE(name(c.text), QStringLiteral("المقال"));
        QVERIFY(!name(c.Text1).isEmpty());
        QVERIFY(!name(c.Image1).isEmpty());
        QCOMPARE(name(c.Command2), QStringLiteral("خروج"));
        QCOMPARE(name(c.Cmd_last), QStringLiteral("الاخير"));

        c.Command2->setFocus();
        QTest::keyClick(c.Command2, Qt::Key_Return);
        QVERIFY(!form.isLoaded());
        QVERIFY(h.forms().form(QStringLiteral("A")).isVisible());
        QVERIFY(h.fatals.isEmpty());
    }

    // Presses: F first, L last, N next, P previous.
    void navigation_data()
    {
        QTest::addColumn<int>("articles");
        QTest::addColumn<QString>("presses");
        QTest::addColumn<QString>("subtopic");
        QTest::addColumn<bool>("nextEnabled");
        QTest::addColumn<bool>("prevEnabled");
        QTest::newRow("start") << 3 << "" << "أنواع الرؤى" << true << true;
        QTest::newRow("next") << 3 << "N" << "آداب الرؤيا" << true << true;
        QTest::newRow("prev on the first") << 3 << "P" << "أنواع الرؤى" << true << false;
        QTest::newRow("next past the last") << 3 << "NNN" << "المعبر" << false << true;
        QTest::newRow("last then next") << 3 << "LN" << "المعبر" << false << true;
        QTest::newRow("first keeps next disabled") << 3 << "LNF" << "أنواع الرؤى" << false << true;
        QTest::newRow("prev brings next back") << 3 << "LNP" << "آداب الرؤيا" << true << true;
        QTest::newRow("next brings prev back") << 3 << "PN" << "آداب الرؤيا" << true << true;
        QTest::newRow("first and last leave flags") << 3 << "PLF" << "أنواع الرؤى" << true << false;
        QTest::newRow("last") << 3 << "L" << "المعبر" << true << true;
        QTest::newRow("one article: next") << 1 << "N" << "أنواع الرؤى" << false << true;
        QTest::newRow("one article: prev") << 1 << "P" << "أنواع الرؤى" << true << false;
        QTest::newRow("one article: prev then next") << 1 << "PN" << "أنواع الرؤى" << false << true;
        QTest::newRow("empty table: all four") << 0 << "FLNP" << "" << true << true;
    }
    void navigation()
    {
        QFETCH(int, articles);
        QFETCH(QString, presses);
        QFETCH(QString, subtopic);
        QFETCH(bool, nextEnabled);
        QFETCH(bool, prevEnabled);
        Harness h;
        EncyclopediaForm &form = openOn(h, threeArticles().mid(0, articles));
        const EncyclopediaControls &c = form.ui();
        for (const QChar p : presses) {
            QPushButton *button = buttonFor(c, p);
            QVERIFY2(button->isEnabled(), qPrintable(button->objectName()));
            QTest::mouseClick(button, Qt::LeftButton);
        }
        QCOMPARE(c.suubtopi->text(), subtopic);
        QString body;
        for (const QVariantList &a : threeArticles())
            if (a[0].toString() == subtopic)
                body = a[1].toString();
        QCOMPARE(c.text->toPlainText(), body);
        QCOMPARE(c.Cmd_Next->isEnabled(), nextEnabled);
        QCOMPARE(c.Cmd_Prev->isEnabled(), prevEnabled);
        QVERIFY(c.Command1->isEnabled());
        QVERIFY(c.Cmd_last->isEnabled());
        QVERIFY(form.isVisible());
        QVERIFY(h.fatals.isEmpty());
    }

    // A missing value shows as empty text, also after an article that had one.
    void nullFields_data()
    {
        QTest::addColumn<QList<QVariantList>>("articles");
        QTest::addColumn<QString>("presses");
        QTest::addColumn<QString>("subtopic");
        QTest::addColumn<QString>("body");
        const QList<QVariantList> mixed{{QStringLiteral("عنوان"), QStringLiteral("نص")},
                                        {QVariant(), QStringLiteral("نص بلا عنوان")},
                                        {QStringLiteral("عنوان بلا نص"), QVariant()}};
        QTest::newRow("null subtopic") << mixed << "N" << "" << "نص بلا عنوان";
        QTest::newRow("null body") << mixed << "NN" << "عنوان بلا نص" << "";
        QTest::newRow("both null, first article") << QList<QVariantList>{{QVariant(), QVariant()}} << "" << "" << "";
    }
    void nullFields()
    {
        QFETCH(QList<QVariantList>, articles);
        QFETCH(QString, presses);
        QFETCH(QString, subtopic);
        QFETCH(QString, body);
        Harness h;
        EncyclopediaForm &form = openOn(h, articles);
        for (const QChar p : presses)
            QTest::mouseClick(buttonFor(form.ui(), p), Qt::LeftButton);
        QCOMPARE(form.ui().suubtopi->text(), subtopic);
        QCOMPARE(form.ui().text->toPlainText(), body);
        QVERIFY(h.fatals.isEmpty());
    }

    // Exit and the close box both unload the window and bring back the menu;
    // opening it again starts over.
    void leaveAndReopen_data()
    {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("Exit") << false;
        QTest::newRow("close box") << true;
    }
    void leaveAndReopen()
    {
        QFETCH(bool, closeBox);
        Harness h;
        EncyclopediaForm &form = openOn(h, threeArticles());
        QTest::mouseClick(form.ui().Cmd_last, Qt::LeftButton);
        QTest::mouseClick(form.ui().Cmd_Next, Qt::LeftButton);
        form.ui().Text1->clear();
        const auto connection = form.EncyclopediaConnection;

        if (closeBox)
            form.window()->close();
        else
            QTest::mouseClick(form.ui().Command2, Qt::LeftButton);
        QVERIFY(!form.isLoaded());
        QVERIFY(h.forms().form(QStringLiteral("A")).isVisible());
        // The data objects outlive the controls.
        QCOMPARE(form.EncyclopediaRecordset->State(), rs::adStateOpen);

        openFromMenu(h);
        const EncyclopediaControls &c = form.ui();
        QVERIFY(form.isVisible());
        QVERIFY(!h.forms().form(QStringLiteral("A")).isVisible());
        QCOMPARE(c.suubtopi->text(), QStringLiteral("أنواع الرؤى"));
        QCOMPARE(c.Text1->toPlainText().size(), 333);
        QVERIFY(c.Cmd_Next->isEnabled());
        QVERIFY(c.Cmd_Prev->isEnabled());
        QVERIFY(form.EncyclopediaConnection != connection);
        QVERIFY(h.fatals.isEmpty());
    }

    // Borrowing the skin loads the dictionary hidden when it is not loaded;
    // it runs its start-up once, and a later visit shows it as it was.
    void dictionaryLoadedOnce_data()
    {
        QTest::addColumn<bool>("dictionaryFirst");
        QTest::newRow("encyclopedia first") << false;
        QTest::newRow("dictionary visited first") << true;
    }
    void dictionaryLoadedOnce()
    {
        QFETCH(bool, dictionaryFirst);
        Harness h;
        writeDatabase(h, threeArticles());
        DreamForm &dream = h.dream();
        std::shared_ptr<rs::Connection> before;
        if (dictionaryFirst) {
            // About hides the dictionary and keeps it loaded.
            dream.show();
            dream.Cmd_Next_Click();
            dream.Command2_Click();
            before = dream.MainConnection;
        }
        QVERIFY(!dream.isVisible());

        EncyclopediaForm &form = openFromMenu(h);
        QVERIFY(form.isVisible());
        QVERIFY(dream.isLoaded());
        QVERIFY(!dream.isVisible());
        QCOMPARE(dream.ui().MSFlexGrid1->Rows(), 3);
        QVERIFY(!dream.window()->styleSheet().isEmpty());
        if (dictionaryFirst)
            QCOMPARE(dream.MainConnection, before);
        const auto started = dream.MainConnection;
        const auto table = dream.TableConnection;

        QTest::mouseClick(form.ui().Command2, Qt::LeftButton);
        QVERIFY(dream.isLoaded());
        h.forms().get<MainMenuForm>(QStringLiteral("A")).Label1_Click();
        QVERIFY(dream.isVisible());
        QCOMPARE(dream.MainConnection, started);
        QCOMPARE(dream.TableConnection, table);
        QCOMPARE(dream.ui().Item->toPlainText(), dictionaryFirst ? QStringLiteral("الغرق") : QStringLiteral("شرب الماء"));
        QVERIFY(h.fatals.isEmpty());
    }

    // Each bad file: one report, naming the file and the cause, and no crash.
    void badFiles_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("cause");
        QTest::newRow("missing") << "missing" << QStringLiteral("تعذر العثور");
        QTest::newRow("random bytes") << "random" << QStringLiteral("ليس قاعدة بيانات");
        QTest::newRow("no encyclopidia table") << "dream only" << QStringLiteral("الجدول ") + quotedName(QStringLiteral("encyclopidia"));
        QTest::newRow("no text field") << "no text" << QStringLiteral("الحقل ") + quotedName(QStringLiteral("text"));
        QTest::newRow("no dream table") << "encyclopedia only" << QStringLiteral("الجدول ") + quotedName(QStringLiteral("dream"));
    }
    void badFiles()
    {
        QFETCH(QString, kind);
        QFETCH(QString, cause);
        Harness h;
        const QString path = h.folder() + QStringLiteral("/kelvra.mdb");
        if (kind == u"random") {
            QByteArray bytes;
            for (int i = 0; i < 8192; ++i)
                bytes += char((i * 131 + 7) % 256);
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        } else if (kind == u"dream only") {
            h.writeDictionary({dreamRow(1, QStringLiteral("ماء"), QStringLiteral("شرب"), QStringLiteral("خير"))});
        } else if (kind == u"no text") {
            h.writeDictionary({dreamRow(1, QStringLiteral("ماء"), QStringLiteral("شرب"), QStringLiteral("خير"))});
            writeTable(path, QStringLiteral("encyclopidia"), {QStringLiteral("suubtopi")}, {});
        } else if (kind == u"encyclopedia only") {
            h.writeEncyclopedia(threeArticles());
        }

        EncyclopediaForm &form = openFromMenu(h);
        QCOMPARE(h.fatals.size(), 1);
        const QString description = h.fatals[0].description;
        QVERIFY2(description.contains(QStringLiteral("kelvra.mdb"), Qt::CaseInsensitive), qPrintable(description));
        QVERIFY2(description.contains(cause), qPrintable(description));
        QVERIFY(!form.isVisible());
    }
};

QTEST_MAIN(TestEncyclopedia)
#include "tst_encyclopedia.moc"
