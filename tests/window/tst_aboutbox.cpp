#include "fixturedb.h"
#include "harness.h"
#include "shell/aboutform.h"
#include "shell/mainmenuform.h"
#include "testwave.h"

#include <QAccessible>
#include <QEventLoop>
#include <QMediaPlayer>
#include <QPointer>
#include <QTest>

using namespace velkaram;

namespace {

AboutForm &about(Harness &h)
{
    return h.forms().get<AboutForm>(QStringLiteral("aboutme"));
}
Form &menu(Harness &h)
{
    return h.forms().form(QStringLiteral("A"));
}

// Opens the box from the menu, as the about picture does, and lets the
// queued start run.
AboutForm &openFromMenu(Harness &h)
{
    menu(h).show();
    h.forms().get<MainMenuForm>(QStringLiteral("A")).Image6_Click();
    QCoreApplication::processEvents();
    return about(h);
}

// Unloaded windows are destroyed from the event loop.
void settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QMediaPlayer::PlaybackState playback(SoundControl *sound)
{
    auto *player = sound->findChild<QMediaPlayer *>();
    return player ? player->playbackState() : QMediaPlayer::StoppedState;
}

bool isYellow(QRgb pixel)
{
    return qRed(pixel) > 128 && qGreen(pixel) > 128 && qBlue(pixel) < 100;
}

// The rows of an image that hold ink (anything not black).
QList<int> inkedRows(const QImage &image)
{
    QList<int> rows;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xffffff) != 0) {
                rows << y;
                break;
            }
    return rows;
}

// Runs the event loop until the condition holds after a notification of
// the sound; the long deadline only keeps a broken build from hanging.
bool runUntil(SoundControl *sound, const std::function<bool()> &condition)
{
    QEventLoop loop;
    QObject::connect(sound, &SoundControl::StatusUpdate, &loop, [&] {
        if (condition())
            loop.quit();
    });
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    loop.exec();
    return condition();
}

const QByteArray ExpectedCredits =
    "\xd8\xa8\xd8\xb1\xd9\x86\xd8\xa7\xd9\x85\xd8\xac Velkaram \xd9\x88\xd8\xa7\xd9\x84\xd8\xa3\xd8\xad\xd9\x84\xd8\xa7\xd9\x85\r\n"
    "\r\n"
    "\r\n"
    "\xd8\xa8\xd8\xb1\xd9\x85\xd8\xac\xd8\xa9 Orva Kelvra\r\n"
    "\r\n"
    "www.example.org/velkaram\r\n"
    "\xd9\x84\xd8\xa7 \xd8\xaa\xd9\x86\xd8\xb3\xd9\x88\xd9\x86\xd8\xa7 \xd9\x85\xd9\x86 \xd8\xaf\xd8\xb9\xd9\x88\xd8\xa9 "
    "\xd8\xb5\xd8\xa7\xd9\x84\xd8\xad\xd8\xa9\r\n"
    "\r\n"
    "QUELDAR\r\n"
    "\xd8\xa7\xd9\x84\xd8\xad\xd9\x85\xd8\xaf \xd9\x84\xd9\x84\xd9\x87 \xd8\xb1\xd8\xa8 "
    "\xd8\xa7\xd9\x84\xd8\xb9\xd8\xa7\xd9\x84\xd9\x85\xd9\x8a\xd9\x86\r\n"
    "\r\n"
    "ORVA\r\n"
    "\xd8\xa7\xd9\x84\xd8\xb3\xd9\x84\xd8\xa7\xd9\x85 \xd8\xb9\xd9\x84\xd9\x8a\xd9\x83\xd9\x85 "
    "\xd9\x88\xd8\xb1\xd8\xad\xd9\x85\xd8\xa9 \xd8\xa7\xd9\x84\xd9\x84\xd9\x87 "
    "\xd9\x88\xd8\xa8\xd8\xb1\xd9\x83\xd8\xa7\xd8\xaa\xd9\x87";

} // namespace

class TestAboutBox : public QObject {
    Q_OBJECT

private slots:
    void creditsText()
    {
        QCOMPARE(AboutForm::creditsText().toUtf8(), ExpectedCredits);
        Harness h;
        AboutForm &box = about(h);
        box.load();
        QCOMPARE(box.aaa()->text(), AboutForm::creditsText().split(QStringLiteral("\r\n")).at(5));
    }

    void design_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QRect>("where");
        QTest::newRow("label") << "aaa" << QRect(8, 8, 745, 49);
        QTest::newRow("picture") << "Image1" << QRect(88, 56, 572, 383);
        QTest::newRow("strip") << "picScroll" << QRect(8, 432, 745, 73);
        QTest::newRow("frame, once shown") << "shpRect" << QRect(0, 0, 761, 508);
    }
    void design()
    {
        QFETCH(QString, control);
        QFETCH(QRect, where);
        Harness h;
        AboutForm &box = about(h);
        box.show();
        QCoreApplication::processEvents();
        QWidget *window = box.window();
        QCOMPARE(window->size(), QSize(761, 508));
        QVERIFY(window->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(window->palette().color(QPalette::Window), QColor(0, 0, 0));
        QCOMPARE(window->windowTitle(), QStringLiteral("حول البرنامج"));
        QCOMPARE(window->findChild<QWidget *>(control)->geometry(), where);
        QCOMPARE(box.aaa()->toolTip(), QStringLiteral("Orva Kelvra"));
        QCOMPARE(box.aaa()->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QCOMPARE(box.Image1()->pixmap().size(), QSize(572, 383));
        QCOMPARE(box.picScroll()->font().pointSizeF(), 33.0);
        QVERIFY(box.picScroll()->font().bold());
        QCOMPARE(box.picScroll()->palette().color(QPalette::WindowText), QColor(255, 255, 0));
    }

    // The box starts only from the event loop, once whoever opened it has
    // hidden; then the first frame is drawn at once, the text just below
    // the strip, and the text rises one pixel a step.
    void startsAfterTheOpenerHid()
    {
        Harness h;
        AboutForm &box = about(h);
        box.show();
        QVERIFY(!box.isScrolling());
        QCOMPARE(box.framesDrawn(), 0);
        QCOMPARE(box.mm()->fileName(), QString());
        QCoreApplication::processEvents();
        QVERIFY(box.isScrolling());
        QCOMPARE(box.framesDrawn(), 1);
        QCOMPARE(box.mm()->fileName(), h.forms().programPath(QStringLiteral("kelvra.wav")));
        const int stripHeight = box.picScroll()->height();
        QCOMPARE(box.scroll().top(), stripHeight - 1);
        QCOMPARE(inkedRows(box.picScroll()->picture()), QList<int>());

        const int drawnAt = stripHeight - 40;
        for (int i = 0; i < stripHeight - drawnAt; ++i)
            box.scrollStep();
        QCOMPARE(box.scroll().top(), drawnAt - 1);
        const QList<int> rows = inkedRows(box.picScroll()->picture());
        QVERIFY(!rows.isEmpty());
        QVERIFY2(rows.first() >= drawnAt, qPrintable(QString::number(rows.first())));
        // No message, no error: without kelvra.wav the box is silent.
        QCOMPARE(h.messages.size(), 0);
        QCOMPARE(h.fatals.size(), 0);
        QCOMPARE(box.mm()->length(), 0);
    }

    // The rectangle is as high as the text measured without wrapping: a line
    // wider than the strip wraps at a word boundary, and what that pushes
    // below the rectangle is cut away.
    void wrappedLineKeepsTheMeasuredHeight()
    {
        Harness h;
        AboutForm &box = about(h);
        box.load();
        const QFont font = box.picScroll()->font();
        const QString text = QStringLiteral("ORVA\r\nالسلام عليكم ورحمة الله وبركاته السلام عليكم ورحمة الله وبركاته");
        QImage device(1, 1, QImage::Format_RGB32);
        const int height = AboutForm::measureCredits(font, text, &device);
        const int lineHeight = AboutForm::measureCredits(font, QStringLiteral("ORVA"), &device);
        QVERIFY(lineHeight > 0);
        QCOMPARE(height, 2 * lineHeight);

        const int width = 400;
        const QImage clipped = AboutForm::layOutCredits(text, font, Qt::yellow, Qt::black, width, height);
        const QImage roomy = AboutForm::layOutCredits(text, font, Qt::yellow, Qt::black, width, 4 * height);
        QCOMPARE(clipped.size(), QSize(width, height));
        // Laid out with room, the long line takes more than one line...
        QVERIFY(inkedRows(roomy).last() >= height);
        // ...its first part shows in the second line of the rectangle...
        QVERIFY(inkedRows(clipped).last() >= lineHeight);
        // ...and the rectangle cuts the rest away without laying out anew.
        QCOMPARE(clipped, roomy.copy(0, 0, width, height));
        int yellow = 0;
        for (int y = 0; y < clipped.height(); ++y)
            for (int x = 0; x < clipped.width(); ++x)
                yellow += isYellow(clipped.pixel(x, y));
        QVERIFY(yellow > 100);
    }

    // A click on the picture or the strip, or Escape or Enter: the menu
    // comes back, whoever opened the box, no frame is drawn after it, and
    // the sound stops.
    void closing_data()
    {
        QTest::addColumn<QString>("opener");
        QTest::addColumn<QString>("control");
        QTest::newRow("menu, picture") << "A" << "Image1";
        QTest::newRow("menu, strip") << "A" << "picScroll";
        QTest::newRow("dictionary, picture") << "dream" << "Image1";
        QTest::newRow("dictionary, strip") << "dream" << "picScroll";
        QTest::newRow("menu, Escape") << "A" << "Escape";
        QTest::newRow("menu, Return") << "A" << "Return";
        QTest::newRow("dictionary, Enter") << "dream" << "Enter";
    }
    void closing()
    {
        QFETCH(QString, opener);
        QFETCH(QString, control);
        Harness h;
        QVERIFY(writeTestWave(h.folder() + QStringLiteral("/kelvra.wav"), 3000));
        if (opener == QStringLiteral("dream")) {
            h.showDictionary({dreamRow(1, QStringLiteral("ماء"), QStringLiteral("رؤية الماء"), QStringLiteral("خير"))});
            h.dream().Command2_Click();
            QCoreApplication::processEvents();
        } else {
            openFromMenu(h);
        }
        AboutForm &box = about(h);
        QVERIFY(box.isVisible());
        QVERIFY(!h.forms().form(opener).isVisible());
        QVERIFY(box.isScrolling());
        QCOMPARE(box.mm()->length(), 3000);
        QCOMPARE(playback(box.mm()), QMediaPlayer::PlayingState);
        box.scrollStep();
        const int frames = box.framesDrawn();
        QPointer<SoundControl> sound = box.mm();
        QPointer<QMediaPlayer> player = sound->findChild<QMediaPlayer *>();

        if (QWidget *clicked = box.window()->findChild<QWidget *>(control)) {
            QTest::mouseClick(clicked, Qt::LeftButton);
        } else {
            const Qt::Key key = control == "Escape" ? Qt::Key_Escape : control == "Enter" ? Qt::Key_Enter : Qt::Key_Return;
            QWidget *focus = box.window()->focusWidget();
            QTest::keyClick(focus ? focus : box.window(), key);
        }
        QVERIFY(!box.isLoaded());
        QVERIFY(box.StopScroll);
        QVERIFY(!box.isScrolling());
        QVERIFY(player);
        QVERIFY(player->playbackState() != QMediaPlayer::PlayingState);
        QCOMPARE(sound->position(), 0);
        // The Sound control lives on until the event loop destroys it, and
        // its report may come first: the unloaded box must not hear it.
        QVERIFY(sound);
        emit sound->StatusUpdate();
        box.scrollStep();
        settle();
        QCOMPARE(box.framesDrawn(), frames);
        QVERIFY(!sound);
        QVERIFY(menu(h).isVisible());
        if (opener == QStringLiteral("dream"))
            QVERIFY(!h.dream().isVisible());
        QCOMPARE(h.fatals.size(), 0);
    }

    // A screen reader finds the credits as a text, all their lines, on the
    // strip the keyboard is on when the box opens, which its ring shows;
    // the picture has a name.
    void theCreditsAreReadable()
    {
        Harness h;
        AboutForm &box = openFromMenu(h);
        QCOMPARE(box.window()->focusWidget(), box.picScroll());
        QVERIFY(QTest::qWaitForWindowActive(box.window()));
        QWidget *ring = box.window()->findChild<FocusRing *>();
        QVERIFY(ring);
        QTRY_VERIFY(ring->isVisible());
        QVERIFY(ring->geometry().contains(box.picScroll()->geometry()));

        QAccessibleInterface *strip = QAccessible::queryAccessibleInterface(box.picScroll());
        QCOMPARE(strip->role(), QAccessible::StaticText);
        QVERIFY(!strip->text(QAccessible::Name).isEmpty());
        QAccessibleTextInterface *text = strip->textInterface();
        QVERIFY(text);
        const QString all = text->text(0, text->characterCount());
        for (const QString &line : AboutForm::creditsText().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts))
            QVERIFY2(all.contains(line), qPrintable(line));
        QVERIFY(!all.contains(QLatin1Char('\r')));
        QCOMPARE(text->text(0, 3), all.left(3));

        QAccessibleInterface *picture = QAccessible::queryAccessibleInterface(box.Image1());
        QCOMPARE(picture->role(), QAccessible::Graphic);
        QVERIFY(!picture->text(QAccessible::Name).isEmpty());
    }

    // A press on the picture or the strip released elsewhere is no click:
    // the box stays open and goes on scrolling.
    void pressReleasedOutsideIsNoClick_data()
    {
        QTest::addColumn<QString>("control");
        QTest::newRow("picture") << "Image1";
        QTest::newRow("strip") << "picScroll";
    }
    void pressReleasedOutsideIsNoClick()
    {
        QFETCH(QString, control);
        Harness h;
        AboutForm &box = openFromMenu(h);
        auto *target = box.window()->findChild<QWidget *>(control);
        QTest::mousePress(target, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(target, Qt::LeftButton, {}, QPoint(target->width() + 5, -5));
        QVERIFY(box.isLoaded());
        QVERIFY(box.isVisible());
        QVERIFY(box.isScrolling());
        QVERIFY(!menu(h).isVisible());
        QTest::mousePress(target, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(target, Qt::LeftButton, {}, QPoint(6, 6));
        QVERIFY(!box.isLoaded());
        QVERIFY(menu(h).isVisible());
    }

    // Each opening is a new box: not stopped, the text again below the
    // strip, the sound again from its start.
    void reopeningGivesAFreshBox()
    {
        Harness h;
        QVERIFY(writeTestWave(h.folder() + QStringLiteral("/kelvra.wav"), 3000));
        AboutForm &box = openFromMenu(h);
        for (int i = 0; i < 30; ++i)
            box.scrollStep();
        QVERIFY(runUntil(box.mm(), [&] { return box.mm()->position() > 0; }));
        box.Image1_Click();
        settle();
        QVERIFY(box.StopScroll);

        openFromMenu(h);
        QVERIFY(box.isLoaded());
        QVERIFY(!box.StopScroll);
        QVERIFY(box.isScrolling());
        QCOMPARE(box.framesDrawn(), 1);
        QCOMPARE(box.scroll().top(), box.picScroll()->height() - 1);
        QCOMPARE(box.mm()->position(), 0);
        QCOMPARE(playback(box.mm()), QMediaPlayer::PlayingState);
        QVERIFY(!menu(h).isVisible());
    }

    // At the end of the sound the box rewinds and plays it again, and the
    // credits go on rising.
    void soundLoopsAtItsEnd()
    {
        Harness h;
        QVERIFY(writeTestWave(h.folder() + QStringLiteral("/kelvra.wav"), 300));
        AboutForm &box = openFromMenu(h);
        SoundControl *sound = box.mm();
        QCOMPARE(sound->length(), 300);
        // The box's handler runs first: a loop shows as a position that went
        // back, then the sound advancing again.
        qint64 last = 0;
        bool rewound = false;
        const bool looped = runUntil(sound, [&] {
            const qint64 now = sound->position();
            if (now < last)
                rewound = true;
            last = now;
            return rewound && now > 0 && now < sound->length();
        });
        QVERIFY(looped);
        QCOMPARE(playback(sound), QMediaPlayer::PlayingState);
        QVERIFY(box.isScrolling());
        QVERIFY(box.framesDrawn() > 1);
        QCOMPARE(h.fatals.size(), 0);
    }

    // The label's message: the programmer's name, no icon, left to right;
    // the credits stand still while it is open and rise again after it.
    void labelMessagePausesTheScroll()
    {
        Harness h;
        AboutForm &box = openFromMenu(h);
        QVERIFY(box.isScrolling());
        bool scrollingDuringMessage = true;
        h.forms().setMessageBoxes([&](const MessageRequest &request) {
            h.messages << request;
            scrollingDuringMessage = box.isScrolling();
        });
        QTest::mouseClick(box.aaa(), Qt::LeftButton);
        QCOMPARE(h.messages.size(), 1);
        QCOMPARE(h.messages[0].prompt, QStringLiteral("برمجة Orva Kelvra"));
        QCOMPARE(h.messages[0].title, QStringLiteral("Velkaram"));
        QCOMPARE(h.messages[0].icon, MessageIcon::None);
        QCOMPARE(h.messages[0].rightToLeft, false);
        QVERIFY(!scrollingDuringMessage);
        QVERIFY(box.isScrolling());
        QVERIFY(box.isVisible());
    }
};

QTEST_MAIN(TestAboutBox)
#include "tst_aboutbox.moc"
