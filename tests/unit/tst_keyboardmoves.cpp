#include "core/layout/keyboardmoves.h"

#include <QTest>

using velkaram::neighbour;
using velkaram::readingOrder;
using velkaram::Towards;

namespace {

// The main menu's seven areas, where the picture draws them.
enum { Help, Minimize, Sound, Encyclopedia, Exit, About, Dictionary };
const std::vector<QRect> Menu = {
    {592, 0, 45, 52},   {592, 56, 32, 32},  {520, 80, 65, 33},   {136, 80, 65, 33},
    {592, 104, 45, 53}, {280, 272, 48, 48}, {240, 336, 145, 25},
};

} // namespace

class TestKeyboardMoves : public QObject {
    Q_OBJECT

private slots:
    void readingOrder_data()
    {
        QTest::addColumn<std::vector<QRect>>("rects");
        QTest::addColumn<std::vector<int>>("order");
        QTest::newRow("the menu: rows from the top, right to left in a row")
            << Menu << std::vector<int>{Help, Minimize, Sound, Encyclopedia, Exit, About, Dictionary};
        // Same middle height, listed left first: read from the right.
        QTest::newRow("one row") << std::vector<QRect>{{0, 0, 10, 10}, {50, 0, 10, 10}, {100, 0, 10, 10}}
                                 << std::vector<int>{2, 1, 0};
        // A tall control beside a short one: the higher middle comes first,
        // whatever the tops.
        QTest::newRow("middles, not tops") << std::vector<QRect>{{0, 0, 10, 100}, {50, 10, 10, 10}}
                                           << std::vector<int>{1, 0};
        QTest::newRow("nothing") << std::vector<QRect>{} << std::vector<int>{};
    }
    void readingOrder()
    {
        QFETCH(std::vector<QRect>, rects);
        QFETCH(std::vector<int>, order);
        QCOMPARE(velkaram::readingOrder(rects), order);
    }

    void neighbour_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("towards");
        QTest::addColumn<int>("to");
        const auto L = int(Towards::Left), R = int(Towards::Right), U = int(Towards::Up), D = int(Towards::Down);
        QTest::newRow("dictionary up: about") << int(Dictionary) << U << int(About);
        QTest::newRow("about up: the encyclopedia straight above, not the sound further aside")
            << int(About) << U << int(Encyclopedia);
        QTest::newRow("encyclopedia right: sound on its row") << int(Encyclopedia) << R << int(Sound);
        QTest::newRow("sound left: encyclopedia") << int(Sound) << L << int(Encyclopedia);
        QTest::newRow("sound right: minimize") << int(Sound) << R << int(Minimize);
        QTest::newRow("help down: minimize") << int(Help) << D << int(Minimize);
        QTest::newRow("minimize down: exit") << int(Minimize) << D << int(Exit);
        QTest::newRow("exit down: about") << int(Exit) << D << int(About);
        QTest::newRow("about down: dictionary") << int(About) << D << int(Dictionary);
        QTest::newRow("nothing below the dictionary") << int(Dictionary) << D << -1;
        QTest::newRow("nothing above help") << int(Help) << U << -1;
        QTest::newRow("nothing left of the encyclopedia") << int(Encyclopedia) << L << -1;
        QTest::newRow("no such control") << 7 << U << -1;
    }
    void neighbour()
    {
        QFETCH(int, from);
        QFETCH(int, towards);
        QFETCH(int, to);
        QCOMPARE(velkaram::neighbour(Menu, from, Towards(towards)), to);
    }
};

QTEST_GUILESS_MAIN(TestKeyboardMoves)
#include "tst_keyboardmoves.moc"
