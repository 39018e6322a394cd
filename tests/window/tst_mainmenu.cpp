#include "fixturedb.h"
#include "harness.h"
#include "shell/mainmenuform.h"
#include "testwave.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QMediaPlayer>
#include <QTest>

using namespace velkaram;

namespace {

MainMenuForm &showMenu(Harness &h)
{
    auto &menu = h.forms().get<MainMenuForm>(QStringLiteral("A"));
    menu.show();
    return menu;
}

void clickArea(MainMenuForm &menu, const char *name)
{
    QTest::mouseClick(menu.area(name), Qt::LeftButton);
}

QMediaPlayer::PlaybackState playback(SoundControl *sound)
{
    auto *player = sound->findChild<QMediaPlayer *>();
    return player ? player->playbackState() : QMediaPlayer::StoppedState;
}

// What the menu's windows need to open: one entry and one article.
void writeWindowsData(Harness &h)
{
    h.writeDictionary({dreamRow(1, QStringLiteral("ماء"), QStringLiteral("شرب الماء"), QStringLiteral("خير"))});
    h.writeEncyclopedia({{QStringLiteral("أنواع الرؤى"), QStringLiteral("الرؤيا ثلاثة أنواع.")}});
}

// What pressing an area did: the window it opened, the help handed to the
// desktop, the menu minimized or the program ended.
void expectOpened(Harness &h, MainMenuForm &menu, const QString &opens)
{
    const bool opensWindow = opens == "dream" || opens == "encyclopidia" || opens == "aboutme";
    QCOMPARE(menu.isVisible(), !opensWindow);
    if (opensWindow)
        QVERIFY(h.forms().form(opens).isVisible());
    QCOMPARE(h.opened, opens == "help" ? QStringList{h.folder() + QStringLiteral("/HELP.mht")} : QStringList{});
    QCOMPARE(menu.window()->isMinimized(), opens == "minimized");
    QCOMPARE(h.ended, opens == "ended" ? QList<int>{0} : QList<int>{});
    QVERIFY(h.messages.isEmpty());
    QVERIFY(h.fatals.isEmpty());
}

const QString TrackMessage =
    QStringLiteral("اســـــــتمع.... هنا كان يوجد ملف صوتي كبير حول الرؤيا و الحديث عنها لذلك استبدلته");

} // namespace

class TestMainMenu : public QObject {
    Q_OBJECT

private slots:
    void design()
    {
        Harness h;
        MainMenuForm &menu = showMenu(h);
        QCOMPARE(menu.window()->windowTitle(), QStringLiteral("Velkaram"));
        QCOMPARE(menu.window()->size(), QSize(640, 480));
        QVERIFY(menu.window()->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(menu.shpRect()->geometry(), QRect(0, 0, 640, 480));
        // The sound track starts stopped and silent.
        QCOMPARE(menu.area("Label3")->toolTip(), SoundOffTip);
        QCOMPARE(menu.mm11()->length(), 0);
    }

    // Each area: where it is, what it says, the pointer it shows, and what a
    // click on it does.
    void areas_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("where");
        QTest::addColumn<QString>("tip");
        QTest::addColumn<bool>("hand");
        QTest::addColumn<QString>("opens"); // the window a click shows, or what else it does
        QTest::newRow("credit") << "Label4" << QRect(256, 8, 249, 33) << "برمجة: Orva  Kelvra" << false << "";
        QTest::newRow("encyclopedia") << "Label2" << QRect(136, 80, 65, 33) << "موسوعة Velkaram" << true << "encyclopidia";
        QTest::newRow("dictionary") << "Label1" << QRect(240, 336, 145, 25) << "أدخل هنا وفسر حلمك بنفسك" << true << "dream";
        QTest::newRow("about") << "Image6" << QRect(280, 272, 48, 48) << "حول البرنامج" << true << "aboutme";
        QTest::newRow("help") << "Image3" << QRect(592, 0, 45, 52) << "المساعدة" << true << "help";
        QTest::newRow("minimize") << "Image5" << QRect(592, 56, 32, 32) << "تصغير" << true << "minimized";
        QTest::newRow("exit") << "Image1" << QRect(592, 104, 45, 53) << "خروج" << true << "ended";
    }
    void areas()
    {
        QFETCH(QString, name);
        QFETCH(QRect, where);
        QFETCH(QString, tip);
        QFETCH(bool, hand);
        QFETCH(QString, opens);
        Harness h;
        writeWindowsData(h);
        MainMenuForm &menu = showMenu(h);
        ClickLabel *area = menu.area(name.toLatin1().constData());
        QVERIFY(area);
        QCOMPARE(area->geometry(), where);
        QCOMPARE(area->toolTip(), tip);
        if (hand) {
            QCOMPARE(area->cursor().shape(), Qt::BitmapCursor);
            QCOMPARE(area->cursor().hotSpot(), QPoint(12, 4));
            QCOMPARE(area->cursor().pixmap().size(), QSize(32, 32));
        } else {
            QCOMPARE(area->cursor().shape(), Qt::ArrowCursor);
        }

        clickArea(menu, name.toLatin1().constData());
        expectOpened(h, menu, opens);
    }

    // The seven areas from the keyboard and from a screen reader: each is a
    // focusable button by a name in one language, and pressing it by Enter,
    // Space or the reader's press action does what a click does.
    void pressedWithoutTheMouse_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("spoken");
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("opens");
        const struct {
            const char *name, *spoken, *opens;
        } areas[] = {
            {"Label2", "الموسوعة", "encyclopidia"}, {"Label1", "فسر حلمك", "dream"},
            {"Image6", "حول البرنامج", "aboutme"},   {"Image3", "المساعدة", "help"},
            {"Image5", "تصغير", "minimized"},       {"Image1", "خروج", "ended"},
        };
        for (const auto &a : areas)
            for (const char *way : {"Return", "Enter", "Space", "press action"})
                QTest::addRow("%s, %s", a.name, way) << a.name << QString::fromUtf8(a.spoken) << way << a.opens;
    }
    void pressedWithoutTheMouse()
    {
        QFETCH(QString, name);
        QFETCH(QString, spoken);
        QFETCH(QString, way);
        QFETCH(QString, opens);
        Harness h;
        writeWindowsData(h);
        MainMenuForm &menu = showMenu(h);
        ClickLabel *area = menu.area(name.toLatin1().constData());
        QVERIFY(area->focusPolicy() & Qt::TabFocus);
        QAccessibleInterface *access = QAccessible::queryAccessibleInterface(area);
        QVERIFY(access);
        QCOMPARE(access->role(), QAccessible::Button);
        QCOMPARE(access->text(QAccessible::Name), spoken);
        QVERIFY(access->state().focusable);
        QAccessibleActionInterface *actions = access->actionInterface();
        QVERIFY(actions);
        QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));

        if (way == "press action") {
            actions->doAction(QAccessibleActionInterface::pressAction());
            // Pressed once the reader has had its answer.
            QVERIFY(h.opened.isEmpty() && h.ended.isEmpty() && menu.isVisible());
            QCoreApplication::processEvents();
        } else {
            const Qt::Key key = way == "Space" ? Qt::Key_Space : way == "Enter" ? Qt::Key_Enter : Qt::Key_Return;
            QTest::keyClick(area, key, way == "Enter" ? Qt::KeypadModifier : Qt::NoModifier);
        }
        expectOpened(h, menu, opens);
    }

    // A key held down presses once; a key with Ctrl or Alt is not a press.
    void onlyAPlainKeyPresses()
    {
        Harness h;
        MainMenuForm &menu = showMenu(h);
        ClickLabel *help = menu.area("Image3");
        QTest::keyPress(help, Qt::Key_Return);
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(help, &repeat);
        QTest::keyClick(help, Qt::Key_Return, Qt::ControlModifier);
        QTest::keyClick(help, Qt::Key_Space, Qt::AltModifier);
        QCOMPARE(h.opened.size(), 1);
    }

    // The sound area's name says what a press would do, as its tip does.
    void soundAreaNameFollowsTheTrack()
    {
        Harness h;
        MainMenuForm &menu = showMenu(h);
        ClickLabel *label3 = menu.area("Label3");
        QAccessibleInterface *access = QAccessible::queryAccessibleInterface(label3);
        QCOMPARE(access->text(QAccessible::Name), QStringLiteral("تشغيل الصوت"));
        QTest::keyClick(label3, Qt::Key_Space);
        QCOMPARE(label3->toolTip(), SoundOnTip);
        QCOMPARE(access->text(QAccessible::Name), QStringLiteral("إيقاف الصوت"));
        QTest::keyClick(label3, Qt::Key_Return);
        QCOMPARE(access->text(QAccessible::Name), QStringLiteral("تشغيل الصوت"));
        QCOMPARE(h.messages.size(), 1);
    }

    // The credit line is not a button: the keyboard passes it by.
    void theCreditLineTakesNoFocus()
    {
        Harness h;
        MainMenuForm &menu = showMenu(h);
        QCOMPARE(menu.area("Label4")->focusPolicy(), Qt::NoFocus);
        QVERIFY(QAccessible::queryAccessibleInterface(menu.area("Label4"))->role() != QAccessible::Button);
    }

    // Tab goes round in reading order from the dictionary, where the menu
    // starts; Shift+Tab goes back; the arrows go to the neighbour that way;
    // the ring is drawn around whichever area has the focus.
    void keyboardMovesAndTheRing()
    {
        Harness h;
        MainMenuForm &menu = showMenu(h);
        QVERIFY(QTest::qWaitForWindowActive(menu.window()));
        QWidget *window = menu.window();
        QCOMPARE(window->focusWidget(), menu.area("Label1"));
        QTRY_COMPARE(menu.focusRing()->around(), menu.area("Label1"));
        QVERIFY(menu.focusRing()->geometry().contains(menu.area("Label1")->geometry()));

        const auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
            QTest::keyClick(window->focusWidget(), key, modifiers);
            return window->focusWidget()->objectName();
        };
        QStringList tabbed;
        for (int i = 0; i < 7; ++i)
            tabbed << press(Qt::Key_Tab);
        QCOMPARE(tabbed, (QStringList{"Image3", "Image5", "Label3", "Label2", "Image1", "Image6", "Label1"}));
        QCOMPARE(press(Qt::Key_Backtab, Qt::ShiftModifier), QStringLiteral("Image6"));
        QCOMPARE(menu.focusRing()->around(), menu.area("Image6"));
        QCOMPARE(press(Qt::Key_Up), QStringLiteral("Label2"));
        QCOMPARE(press(Qt::Key_Right), QStringLiteral("Label3"));
        QCOMPARE(press(Qt::Key_Up), QStringLiteral("Image5"));
        QCOMPARE(press(Qt::Key_Up), QStringLiteral("Image3"));
        QCOMPARE(press(Qt::Key_Up), QStringLiteral("Image3")); // nothing above
        QCOMPARE(press(Qt::Key_Down), QStringLiteral("Image5"));
        QCOMPARE(menu.focusRing()->around(), menu.area("Image5"));
        QVERIFY(h.opened.isEmpty() && h.messages.isEmpty());
    }

    // The help path is the program folder followed by "\HELP.mht", whatever
    // the folder's name holds.
    void helpPath_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("path");
        QTest::newRow("plain") << "/opt/velkaram" << "/opt/velkaram/HELP.mht";
        QTest::newRow("root") << "/" << "/HELP.mht";
        QTest::newRow("blanks, Arabic and =") << "/home/قارئ/a = b" << "/home/قارئ/a = b/HELP.mht";
    }
    void helpPath()
    {
        QFETCH(QString, folder);
        QFETCH(QString, path);
        Harness h(folder);
        MainMenuForm &menu = showMenu(h);
        menu.Image3_Click();
        QCOMPARE(h.opened, QStringList{path});
    }

    // Stopped → click: open, play and the message → click: stop and close.
    // A track that ended by itself stays "playing" until a click resets it.
    void soundToggle()
    {
        Harness h;
        QVERIFY(writeTestWave(h.folder() + QStringLiteral("/kelvra.wav"), 300));
        MainMenuForm &menu = showMenu(h);
        SoundControl &mm11 = *menu.mm11();
        ClickLabel *label3 = menu.area("Label3");

        // The track plays while its message is still open.
        QMediaPlayer::PlaybackState duringMessage = QMediaPlayer::StoppedState;
        h.forms().setMessageBoxes([&](const MessageRequest &request) {
            h.messages << request;
            duringMessage = playback(menu.mm11());
        });
        clickArea(menu, "Label3");
        QCOMPARE(duringMessage, QMediaPlayer::PlayingState);
        QCOMPARE(label3->toolTip(), SoundOnTip);
        QCOMPARE(label3->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QCOMPARE(mm11.fileName(), h.folder() + QStringLiteral("/kelvra.wav"));
        QCOMPARE(mm11.length(), 300);
        QCOMPARE(h.messages.size(), 1);
        QCOMPARE(h.messages[0].prompt, TrackMessage);
        QCOMPARE(h.messages[0].icon, MessageIcon::None);
        QVERIFY(!h.messages[0].rightToLeft);

        clickArea(menu, "Label3");
        QCOMPARE(label3->toolTip(), SoundOffTip);
        QCOMPARE(label3->palette().color(QPalette::WindowText), QColor(0, 0, 0));
        QCOMPARE(mm11.length(), 0); // closed
        QCOMPARE(h.messages.size(), 1);

        // Play to the end: the menu is not told, and still says "playing".
        clickArea(menu, "Label3");
        QTRY_VERIFY_WITH_TIMEOUT(mm11.length() > 0 && mm11.position() == mm11.length(), 5000);
        QCOMPARE(label3->toolTip(), SoundOnTip);
        clickArea(menu, "Label3");
        QCOMPARE(label3->toolTip(), SoundOffTip);
        QCOMPARE(mm11.length(), 0);
        QCOMPARE(h.messages.size(), 2);
        // The next click plays it again from its start.
        clickArea(menu, "Label3");
        QCOMPARE(label3->toolTip(), SoundOnTip);
        QVERIFY(mm11.position() < mm11.length());
        QCOMPARE(h.messages.size(), 3);
    }

    // A missing track: nothing is heard, yet the toggle and the message go on.
    void missingTrackStillToggles()
    {
        Harness h;
        MainMenuForm &menu = showMenu(h);
        clickArea(menu, "Label3");
        QCOMPARE(menu.area("Label3")->toolTip(), SoundOnTip);
        QCOMPARE(h.messages.size(), 1);
        clickArea(menu, "Label3");
        QCOMPARE(menu.area("Label3")->toolTip(), SoundOffTip);
        QVERIFY(h.fatals.isEmpty());
    }

    void exitClosesTheTrack()
    {
        Harness h;
        QVERIFY(writeTestWave(h.folder() + QStringLiteral("/kelvra.wav"), 2000));
        MainMenuForm &menu = showMenu(h);
        clickArea(menu, "Label3");
        QVERIFY(menu.mm11()->length() > 0);
        menu.Image1_Click();
        QCOMPARE(menu.mm11()->length(), 0);
        QCOMPARE(h.ended, QList<int>{0});
    }

    // Closing the hub from the desktop ends the program rather than leave
    // it running with no window to use.
    void closeBoxEndsTheProgram()
    {
        Harness h;
        MainMenuForm &menu = showMenu(h);
        menu.window()->close();
        QCOMPARE(h.ended, QList<int>{0});
    }

    // Hiding the menu for another window leaves the track playing.
    void openingAWindowLeavesTheTrackPlaying_data()
    {
        QTest::addColumn<QString>("area");
        QTest::newRow("dictionary") << "Label1";
        QTest::newRow("encyclopedia") << "Label2";
        QTest::newRow("about box") << "Image6";
    }
    void openingAWindowLeavesTheTrackPlaying()
    {
        QFETCH(QString, area);
        Harness h;
        writeWindowsData(h);
        QVERIFY(writeTestWave(h.folder() + QStringLiteral("/kelvra.wav"), 3000));
        MainMenuForm &menu = showMenu(h);
        clickArea(menu, "Label3");
        clickArea(menu, area.toLatin1().constData());
        QVERIFY(!menu.isVisible());
        QCOMPARE(playback(menu.mm11()), QMediaPlayer::PlayingState);
        const qint64 at = menu.mm11()->position();
        QTRY_VERIFY(menu.mm11()->position() > at);
        QCOMPARE(menu.area("Label3")->toolTip(), SoundOnTip);
    }

    // However the menu was left, minimized included, it comes back
    // restored, shown and active when the other window is left.
    void theMenuComesBackRestored_data()
    {
        QTest::addColumn<QString>("area");
        QTest::addColumn<QString>("leave");
        QTest::newRow("dictionary, Back") << "Label1" << "Command3";
        QTest::newRow("encyclopedia, Exit") << "Label2" << "Command2";
        QTest::newRow("about box, strip") << "Image6" << "picScroll";
    }
    void theMenuComesBackRestored()
    {
        QFETCH(QString, area);
        QFETCH(QString, leave);
        Harness h;
        writeWindowsData(h);
        MainMenuForm &menu = showMenu(h);
        clickArea(menu, "Image5");
        QVERIFY(menu.window()->isMinimized());
        // The desktop brings the menu back (the task bar, Alt+Tab).
        menu.window()->showNormal();
        clickArea(menu, area.toLatin1().constData());
        QCoreApplication::processEvents();
        QVERIFY(!menu.isVisible());
        // Some desktops leave the state behind; the menu must not care.
        menu.window()->setWindowState(Qt::WindowMinimized);
        const QString opened = area == "Label1" ? "dream" : area == "Label2" ? "encyclopidia" : "aboutme";
        QWidget *other = h.forms().form(opened).window();
        menu.area("Image3")->setFocus();
        QCOMPARE(menu.window()->focusWidget(), menu.area("Image3"));
        QTest::mouseClick(other->findChild<QWidget *>(leave), Qt::LeftButton);
        QVERIFY(menu.isVisible());
        QVERIFY(!menu.window()->isMinimized());
        QTRY_VERIFY(menu.window()->isActiveWindow());
        // The keyboard is back on the dictionary, whichever area was used.
        QCOMPARE(menu.window()->focusWidget(), menu.area("Label1"));
        QTRY_COMPARE(menu.focusRing()->around(), menu.area("Label1"));
        QVERIFY(h.fatals.isEmpty());
    }
};

QTEST_MAIN(TestMainMenu)
#include "tst_mainmenu.moc"
