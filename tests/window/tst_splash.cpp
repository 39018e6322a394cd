#include "harness.h"
#include "shell/splashform.h"

#include <QAccessible>
#include <QTest>

using namespace velkaram;

namespace {

const QColor White(255, 255, 255);
const QColor Bar(128, 128, 255);

// Columns of the drawn bar that hold a pixel of the given colour, between
// the first and the last row.
QList<int> columnsWith(const QImage &image, const QColor &colour, int from, int to)
{
    QList<int> columns;
    for (int x = from; x < to; ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (image.pixelColor(x, y) == colour) {
                columns << x;
                break;
            }
        }
    }
    return columns;
}

} // namespace

class TestSplash : public QObject {
    Q_OBJECT

private slots:
    void loadPreparesTheMenuAndTheSound()
    {
        Harness h;
        auto &aa = h.forms().get<SplashForm>(QStringLiteral("aa"));
        aa.show();
        Form &menu = h.forms().form(QStringLiteral("A"));
        // The splash reaches the screen first: the menu and the sound are
        // prepared once it has painted.
        QVERIFY(!menu.isLoaded());
        QCOMPARE(aa.mm()->fileName(), QString());
        QTRY_VERIFY(menu.isLoaded());
        QVERIFY(!menu.isVisible());
        QVERIFY(!menu.window()->findChild<QWidget *>(QStringLiteral("Label1"))->toolTip().isEmpty());
        QCOMPARE(aa.ProgressCount, 0);
        QCOMPARE(aa.Timer1()->interval(), 150);
        QVERIFY(aa.Timer1()->isActive());
        QCOMPARE(aa.window()->windowTitle(), QStringLiteral("Delvo Soft"));
        QCOMPARE(aa.window()->size(), QSize(679, 176));
        QVERIFY(aa.window()->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(aa.shpRect()->geometry(), QRect(0, 0, 679, 176));
        // No s0.wav in this folder: the splash runs silently all the same.
        QCOMPARE(aa.mm()->fileName(), h.folder() + QStringLiteral("/s0.wav"));
        QCOMPARE(aa.mm()->length(), 0);
        QVERIFY(h.fatals.isEmpty());
    }

    void soundPathHasOneSeparator_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("path");
        QTest::newRow("folder") << "/opt/velkaram" << "/opt/velkaram/s0.wav";
        QTest::newRow("folder with a trailing separator") << "/opt/velkaram/" << "/opt/velkaram/s0.wav";
        QTest::newRow("root") << "/" << "/s0.wav";
        QTest::newRow("blanks, Arabic and =") << "/home/قارئ/a = b" << "/home/قارئ/a = b/s0.wav";
    }
    void soundPathHasOneSeparator()
    {
        QFETCH(QString, folder);
        QFETCH(QString, path);
        Harness h(folder);
        auto &aa = h.forms().get<SplashForm>(QStringLiteral("aa"));
        aa.load();
        // Never shown, never painted: prepared all the same, a little later.
        QTRY_COMPARE(aa.mm()->fileName(), path);
    }

    // Tick 20 draws 100 %; only tick 21 shows the menu and hides the splash.
    void timeline()
    {
        Harness h;
        auto &aa = h.forms().get<SplashForm>(QStringLiteral("aa"));
        aa.show();
        aa.Timer1()->stop();
        Form &menu = h.forms().form(QStringLiteral("A"));
        // A screen reader reads the bar as a progress bar by its name and
        // value, from 0 before the first tick.
        QAccessibleInterface *bar = QAccessible::queryAccessibleInterface(aa.Picture2());
        QCOMPARE(bar->role(), QAccessible::ProgressBar);
        QCOMPARE(bar->text(QAccessible::Name), QStringLiteral("تقدم التحميل"));
        QAccessibleValueInterface *value = bar->valueInterface();
        QVERIFY(value);
        QCOMPARE(value->minimumValue().toInt(), 0);
        QCOMPARE(value->maximumValue().toInt(), 100);
        QCOMPARE(value->currentValue().toInt(), 0);
        for (int tick = 1; tick <= 20; ++tick) {
            aa.Timer1_Timer();
            QCOMPARE(aa.ProgressCount, 5 * tick);
            QCOMPARE(value->currentValue().toInt(), 5 * tick);
            QVERIFY(aa.isVisible());
            QVERIFY(!menu.isVisible());
        }
        const QImage full = aa.Picture2()->picture();
        QCOMPARE(full.pixelColor(full.width() - 1, 0), Bar);
        aa.Timer1()->start();
        aa.Timer1_Timer();
        QCOMPARE(aa.ProgressCount, 100);
        QVERIFY(!aa.Timer1()->isActive());
        QVERIFY(menu.isVisible());
        QVERIFY(!aa.isVisible());
        QVERIFY(aa.isLoaded());
        QCOMPARE(aa.Picture2()->picture(), full);
    }

    // The timer drives the ticks, one every 150 ms (the whole three seconds
    // on a real screen are timed end to end); here it runs faster.
    void theTimerHandsOverToTheMenu()
    {
        Harness h;
        auto &aa = h.forms().get<SplashForm>(QStringLiteral("aa"));
        aa.show();
        QVERIFY(aa.Timer1()->isActive());
        QCOMPARE(aa.Timer1()->interval(), 150);
        aa.Timer1()->setInterval(1);
        QTRY_VERIFY_WITH_TIMEOUT(h.forms().form(QStringLiteral("A")).isVisible(), 10000);
        QVERIFY(!aa.isVisible());
        QCOMPARE(aa.ProgressCount, 100);
    }

    // The part of the percentage that the bar covers reads white, the rest
    // in the bar's colour on white.
    void drawProgress_data()
    {
        QTest::addColumn<int>("value");
        QTest::newRow("0") << 0;
        QTest::newRow("50") << 50;
        QTest::newRow("100") << 100;
    }
    void drawProgress()
    {
        QFETCH(int, value);
        QWidget parent;
        PictureBox box(White, Bar, &parent);
        box.resize(665, 25);
        SplashForm::DrawProgress(box, value);
        const QImage image = box.picture();
        const int edge = qRound((value + 0.5) * 6.65); // first column past the bar
        // Every pixel is either white or the bar's colour.
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                QVERIFY(image.pixelColor(x, y) == White || image.pixelColor(x, y) == Bar);
        // The bar: solid in its colour along the top row up to its edge.
        for (int x = 0; x < image.width(); ++x)
            QCOMPARE(image.pixelColor(x, 0), x < edge ? Bar : White);
        const QList<int> whiteOnBar = columnsWith(image, White, 0, std::min(edge, image.width()));
        const QList<int> barOnWhite = columnsWith(image, Bar, std::min(edge, image.width()), image.width());
        // The text sits in the middle.
        const QList<int> text = value == 0 ? barOnWhite : value == 100 ? whiteOnBar : whiteOnBar + barOnWhite;
        QVERIFY(!text.isEmpty());
        QVERIFY(qAbs((text.first() + text.last()) / 2 - 332) < 12);
        if (value == 50) {
            QVERIFY2(!whiteOnBar.isEmpty() && !barOnWhite.isEmpty(), "50% straddles the bar's edge");
            QVERIFY(whiteOnBar.last() < edge && barOnWhite.first() >= edge);
        }
    }
};

QTEST_MAIN(TestSplash)
#include "tst_splash.moc"
