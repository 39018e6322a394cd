#include "core/credits/creditsscroll.h"

#include <QTest>

using velkaram::CreditsScroll;

// The credits' rectangle in the strip: where it starts, how it rises, when
// it starts again.
class TestCreditsScroll : public QObject {
    Q_OBJECT

private slots:
    void afterSteps_data()
    {
        QTest::addColumn<int>("stripWidth");
        QTest::addColumn<int>("stripHeight");
        QTest::addColumn<int>("textHeight");
        QTest::addColumn<int>("steps");
        QTest::addColumn<int>("top");
        // The about box's strip (745 x 73) with a text 1000 pixels high: a
        // cycle is 73 + 1000 + 1 steps.
        QTest::newRow("start: just below the strip") << 745 << 73 << 1000 << 0 << 73;
        QTest::newRow("one step: one pixel up") << 745 << 73 << 1000 << 1 << 72;
        QTest::newRow("top at the strip's upper edge") << 745 << 73 << 1000 << 73 << 0;
        QTest::newRow("last position of a cycle: -H") << 745 << 73 << 1000 << 1073 << -1000;
        QTest::newRow("past -H: back below the strip") << 745 << 73 << 1000 << 1074 << 73;
        QTest::newRow("second cycle, one step") << 745 << 73 << 1000 << 1075 << 72;
        QTest::newRow("three whole cycles") << 745 << 73 << 1000 << 3 * 1074 << 73;
        QTest::newRow("text lower than the strip") << 20 << 10 << 4 << 14 << -4;
        QTest::newRow("text lower than the strip, restart") << 20 << 10 << 4 << 15 << 10;
    }
    void afterSteps()
    {
        QFETCH(int, stripWidth);
        QFETCH(int, stripHeight);
        QFETCH(int, textHeight);
        QFETCH(int, steps);
        QFETCH(int, top);
        CreditsScroll scroll(stripWidth, stripHeight, textHeight);
        for (int i = 0; i < steps; ++i)
            scroll.step();
        QCOMPARE(scroll.top(), top);
        QCOMPARE(scroll.bottom(), top + textHeight);
        QCOMPARE(scroll.left(), 0);
        QCOMPARE(scroll.right(), stripWidth);
        QCOMPARE(scroll.rect(), QRect(0, top, stripWidth, textHeight));
    }

    // One cycle visits every top from the strip's height down to -H once,
    // one pixel apart, and then starts over.
    void oneCycleVisitsEachTopOnce()
    {
        const int stripHeight = 7;
        const int textHeight = 5;
        CreditsScroll scroll(30, stripHeight, textHeight);
        QList<int> tops;
        for (int i = 0; i < 2 * (stripHeight + textHeight + 1); ++i) {
            tops << scroll.top();
            scroll.step();
        }
        QList<int> cycle;
        for (int t = stripHeight; t >= -textHeight; --t)
            cycle << t;
        QCOMPARE(tops, cycle + cycle);
    }
};

QTEST_GUILESS_MAIN(TestCreditsScroll)
#include "tst_creditsscroll.moc"
