#pragma once

#include <QRect>
#include <vector>

namespace velkaram {

// Where the keyboard goes among controls scattered over a picture, by their
// places alone.

// The order an Arabic reader reads them in: top to bottom, and right to left
// among those whose middles stand at the same height. Indexes into rects.
std::vector<int> readingOrder(const std::vector<QRect> &rects);

enum class Towards { Left, Right, Up, Down };

// The nearest control that lies that way from rects[from], judged from the
// middles: a control straight ahead beats a nearer one off to the side.
// -1 when there is none.
int neighbour(const std::vector<QRect> &rects, int from, Towards towards);

} // namespace velkaram
