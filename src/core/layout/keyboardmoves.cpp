#include "core/layout/keyboardmoves.h"

#include <algorithm>
#include <numeric>

namespace velkaram {

namespace {

// Twice the middle, so that halves stay whole numbers.
QPoint middle2(const QRect &r)
{
    return {2 * r.x() + r.width(), 2 * r.y() + r.height()};
}

} // namespace

std::vector<int> readingOrder(const std::vector<QRect> &rects)
{
    std::vector<int> order(rects.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const QPoint ma = middle2(rects[size_t(a)]), mb = middle2(rects[size_t(b)]);
        if (ma.y() != mb.y())
            return ma.y() < mb.y();
        return ma.x() > mb.x();
    });
    return order;
}

int neighbour(const std::vector<QRect> &rects, int from, Towards towards)
{
    if (from < 0 || size_t(from) >= rects.size())
        return -1;
    const QPoint origin = middle2(rects[size_t(from)]);
    int best = -1;
    long bestCost = 0;
    for (size_t i = 0; i < rects.size(); ++i) {
        if (int(i) == from)
            continue;
        const QPoint d = middle2(rects[i]) - origin;
        long ahead = 0, aside = 0;
        switch (towards) {
        case Towards::Left: ahead = -d.x(), aside = d.y(); break;
        case Towards::Right: ahead = d.x(), aside = d.y(); break;
        case Towards::Up: ahead = -d.y(), aside = d.x(); break;
        case Towards::Down: ahead = d.y(), aside = d.x(); break;
        }
        if (ahead <= 0)
            continue;
        const long cost = ahead + 2 * std::abs(aside);
        if (best < 0 || cost < bestCost) {
            best = int(i);
            bestCost = cost;
        }
    }
    return best;
}

} // namespace velkaram
