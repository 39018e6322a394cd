#include "app/forms.h"
#include "core/runtimeerror.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace velkaram;

namespace {

// A window with one button and one text box, counting its events.
class ProbeForm : public Form {
public:
    explicit ProbeForm(Forms &forms) : Form(forms, QStringLiteral("probe")) {}

    QPushButton *button() { window(); return button_; }
    QLineEdit *edit() { window(); return edit_; }
    void runLater(std::function<void()> handler) { later(std::move(handler)); }

    int loads = 0;
    int unloads = 0;
    int cancelUnload = 0;
    int survivor = 0;
    QList<int> formKeys;
    QList<int> editKeys;
    QStringList heard; // handlers run through the runtime, by what ran them
    std::function<void()> onClick;
    int *focusOuts = nullptr;

protected:
    void createControls(QWidget *window) override
    {
        button_ = new QPushButton(QStringLiteral("زر"), window);
        edit_ = new QLineEdit(window);
        edit_->move(0, 40);
        on(button_, &QPushButton::clicked, [this] { onClick(); });
        onKeyPress(edit_, [this](int &code) { editKeys << code; });
        on(button_, &QPushButton::pressed, [this] { heard << QStringLiteral("signal"); });
        onEvent(edit_, QEvent::FocusIn, [this] { heard << QStringLiteral("event"); });
        onEvent(edit_, QEvent::FocusOut, [this] {
            if (focusOuts)
                ++*focusOuts;
        });
    }
    void releaseControls() override
    {
        button_ = nullptr;
        edit_ = nullptr;
    }
    void Form_Load() override { ++loads; }
    void Form_Unload(int &cancel) override
    {
        ++unloads;
        cancel = cancelUnload;
    }
    void Form_KeyPress(int &code) override
    {
        formKeys << code;
        if (code == 27)
            code = 0;
    }

private:
    QPushButton *button_ = nullptr;
    QLineEdit *edit_ = nullptr;
};

} // namespace

class TestFormRuntime : public QObject {
    Q_OBJECT

    struct Setup {
        Forms forms{QStringLiteral("/opt/velkaram")};
        QList<std::pair<int, QString>> fatals;
        ProbeForm *probe = nullptr;
        Setup()
        {
            forms.setFatalHandler([this](int n, const QString &d) { fatals.append({n, d}); });
            forms.registerForm(QStringLiteral("probe"), [](Forms &f) { return std::make_unique<ProbeForm>(f); });
            probe = &forms.get<ProbeForm>(QStringLiteral("probe"));
        }
    };

private slots:
    void createdOnFirstUseOnce()
    {
        Setup s;
        QCOMPARE(&s.forms.form(QStringLiteral("probe")), static_cast<Form *>(s.probe));
        QVERIFY(!s.probe->isLoaded());
    }

    void lifecycle()
    {
        Setup s;
        s.probe->show();
        QVERIFY(s.probe->isLoaded());
        QVERIFY(s.probe->isVisible());
        QCOMPARE(s.probe->loads, 1);
        s.probe->hide();
        QVERIFY(s.probe->isLoaded());
        s.probe->show();
        QCOMPARE(s.probe->loads, 1);

        s.probe->survivor = 42;
        s.probe->edit()->setText(QStringLiteral("نص"));
        s.probe->unload();
        QVERIFY(!s.probe->isLoaded());
        QCOMPARE(s.probe->unloads, 1);
        QCOMPARE(s.probe->survivor, 42);

        // Touching a control loads the window hidden, with fresh controls.
        QCOMPARE(s.probe->edit()->text(), QString());
        QVERIFY(s.probe->isLoaded());
        QVERIFY(!s.probe->isVisible());
        QCOMPARE(s.probe->loads, 2);
    }

    void closeBoxUnloadsUnlessCancelled()
    {
        Setup s;
        s.probe->show();
        s.probe->cancelUnload = 1;
        s.probe->window()->close();
        QVERIFY(s.probe->isLoaded());
        s.probe->cancelUnload = 0;
        QPointer<QWidget> old = s.probe->window();
        old->close();
        QVERIFY(!s.probe->isLoaded());
        QCOMPARE(s.probe->unloads, 2);
        QTRY_VERIFY(old.isNull());
    }

    void escapingFailureGoesToTheErrorReport()
    {
        Setup s;
        s.probe->show();
        int after = 0;
        s.probe->onClick = [&] {
            throw RuntimeError(3024, QStringLiteral("تعذر العثور على الملف"));
            ++after;
        };
        s.probe->button()->click();
        QCOMPARE(s.fatals.size(), 1);
        QCOMPARE(s.fatals[0].first, 3024);
        QCOMPARE(s.fatals[0].second, QStringLiteral("تعذر العثور على الملف"));
        QCOMPARE(after, 0);
    }

    void skipOnErrorRunsTheNextStep()
    {
        QStringList ran;
        SkipOnError resume;
        resume([&] { ran << QStringLiteral("1"); });
        resume([&] {
            throw RuntimeError(3704, QStringLiteral("مغلق"));
            ran << QStringLiteral("never");
        });
        resume([&] { ran << QStringLiteral("3"); });
        QCOMPARE(ran, (QStringList{QStringLiteral("1"), QStringLiteral("3")}));
    }

    void keyPreviewSeesKeysBeforeTheControl()
    {
        Setup s;
        s.probe->show();
        QTest::keyClick(s.probe->edit(), Qt::Key_A);
        QTest::keyClick(s.probe->edit(), Qt::Key_Return);
        QTest::keyClick(s.probe->edit(), Qt::Key_Escape);
        QTest::keyClick(s.probe->edit(), Qt::Key_Left); // no character: no KeyPress
        QCOMPARE(s.probe->formKeys, (QList<int>{'a', 13, 27}));
        // Escape was swallowed by the window before the control saw it.
        QCOMPARE(s.probe->editKeys, (QList<int>{'a', 13}));
        QCOMPARE(s.probe->edit()->text(), QStringLiteral("a"));
    }

    // A modal box swallows the key release, and the next press may be
    // allocated where the last one was: both presses must reach the handlers.
    void aPressAtAReusedAddressIsANewPress()
    {
        Setup s;
        s.probe->show();
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QApplication::sendEvent(s.probe->edit(), &enter);
        QCOMPARE(s.probe->formKeys, (QList<int>{13}));
        QCOMPARE(s.probe->editKeys, (QList<int>{13}));
        // The same object delivered again, with no release in between.
        QApplication::sendEvent(s.probe->edit(), &enter);
        QCOMPARE(s.probe->formKeys, (QList<int>{13, 13}));
        QCOMPARE(s.probe->editKeys, (QList<int>{13, 13}));
    }

    // Controls die from the event loop after an unload; until then their
    // signals and events may still fire, and none of it may reach a
    // handler of the unloaded window.
    void noHandlerRunsAfterUnload()
    {
        Setup s;
        s.probe->show();
        QPointer<QPushButton> button = s.probe->button();
        QPointer<QLineEdit> edit = s.probe->edit();
        emit button->pressed();
        QFocusEvent focus(QEvent::FocusIn);
        QCoreApplication::sendEvent(edit, &focus);
        s.probe->runLater([&] { s.probe->heard << QStringLiteral("later"); });
        QCoreApplication::processEvents();
        QCOMPARE(s.probe->heard, (QStringList{"signal", "event", "later"}));

        s.probe->heard.clear();
        s.probe->editKeys.clear();
        s.probe->formKeys.clear();
        s.probe->runLater([&] { s.probe->heard << QStringLiteral("later"); });
        s.probe->unload();
        QVERIFY(button && edit); // not yet destroyed
        emit button->pressed();
        QCoreApplication::sendEvent(edit, &focus);
        QTest::keyClick(edit, Qt::Key_A);
        QCoreApplication::processEvents();
        QCOMPARE(s.probe->heard, QStringList());
        QCOMPARE(s.probe->editKeys, QList<int>());
        QCOMPARE(s.probe->formKeys, QList<int>());
        QCOMPARE(s.probe->loads, 1); // nothing touched the window again
    }

    // A window destroyed while one of its controls has the focus loses the
    // focus as it goes; by then the form's own members are gone, so no
    // handler may run.
    void noHandlerRunsWhileAFormIsDestroyed()
    {
        int focusOuts = 0;
        {
            Setup s;
            s.probe->show();
            s.probe->window()->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(s.probe->window()));
            s.probe->edit()->setFocus();
            QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(s.probe->edit()));
            s.probe->focusOuts = &focusOuts;
        }
        QCOMPARE(focusOuts, 0);
    }

    // However it was left, a window comes back restored and in front.
    void showRestoresAMinimizedWindow()
    {
        Setup s;
        s.probe->show();
        s.probe->minimize();
        QVERIFY(s.probe->window()->isMinimized());
        s.probe->hide();
        s.probe->show();
        QVERIFY(!s.probe->window()->isMinimized());
        QVERIFY(s.probe->isVisible());
        s.probe->minimize();
        s.probe->show();
        QVERIFY(!s.probe->window()->isMinimized());
        QTRY_VERIFY(s.probe->window()->isActiveWindow());
    }

    void programPath()
    {
        Forms root(QStringLiteral("/"));
        QCOMPARE(root.programPath(QStringLiteral("\\kelvra.mdb")), QStringLiteral("/kelvra.mdb"));
        Setup s;
        QCOMPARE(s.forms.programPath(QStringLiteral("\\KELVRA")), QStringLiteral("/opt/velkaram/KELVRA"));
    }
};

QTEST_MAIN(TestFormRuntime)
#include "tst_formruntime.moc"
