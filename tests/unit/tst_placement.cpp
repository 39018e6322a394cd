#include "core/layout/placement.h"

#include <QTest>

using velkaram::Placement;
using velkaram::placedFrame;

class TestPlacement : public QObject {
    Q_OBJECT

private slots:
    void placedFrame_data()
    {
        QTest::addColumn<QRect>("frame");
        QTest::addColumn<QRect>("available");
        QTest::addColumn<int>("placement");
        QTest::addColumn<QRect>("placed");
        const QRect screen(0, 0, 1024, 768);
        const QRect small(0, 0, 800, 600);
        const auto centred = int(Placement::Centred);
        const auto byDesktop = int(Placement::ByDesktop);
        QTest::newRow("borderless menu, centred") << QRect(0, 0, 640, 480) << screen << centred << QRect(192, 144, 640, 480);
        // The encyclopedia with a title bar of 22 and borders of 1 on a
        // small screen: centred by its whole frame, its bottom on screen.
        QTest::newRow("framed, centred on a small screen")
            << QRect(0, 0, 794, 589) << small << centred << QRect(3, 5, 794, 589);
        QTest::newRow("below a panel") << QRect(0, 0, 640, 480) << QRect(0, 32, 1024, 736) << centred
                                       << QRect(192, 160, 640, 480);
        QTest::newRow("left where the desktop put it") << QRect(40, 30, 794, 589) << screen << byDesktop
                                                       << QRect(40, 30, 794, 589);
        QTest::newRow("pushed off the bottom right")
            << QRect(100, 60, 794, 589) << small << byDesktop << QRect(6, 11, 794, 589);
        QTest::newRow("pushed off the top left") << QRect(-50, -20, 300, 200) << small << byDesktop
                                                 << QRect(0, 0, 300, 200);
        QTest::newRow("larger than the screen keeps its top left")
            << QRect(100, 100, 900, 700) << small << byDesktop << QRect(0, 0, 900, 700);
        QTest::newRow("second screen") << QRect(0, 0, 640, 480) << QRect(1024, 0, 1280, 1024) << centred
                                       << QRect(1344, 272, 640, 480);
    }
    void placedFrame()
    {
        QFETCH(QRect, frame);
        QFETCH(QRect, available);
        QFETCH(int, placement);
        QFETCH(QRect, placed);
        QCOMPARE(velkaram::placedFrame(frame, available, Placement(placement)), placed);
    }
};

QTEST_GUILESS_MAIN(TestPlacement)
#include "tst_placement.moc"
