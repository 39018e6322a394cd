#include "core/layout/placement.h"

namespace velkaram {

QRect placedFrame(const QRect &frame, const QRect &available, Placement placement)
{
    QRect placed = frame;
    if (placement == Placement::Centred)
        placed.moveCenter(available.center());
    if (placed.right() > available.right())
        placed.moveRight(available.right());
    if (placed.bottom() > available.bottom())
        placed.moveBottom(available.bottom());
    if (placed.left() < available.left())
        placed.moveLeft(available.left());
    if (placed.top() < available.top())
        placed.moveTop(available.top());
    return placed;
}

} // namespace velkaram
