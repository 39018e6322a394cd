#pragma once

#include <QRect>

namespace velkaram {

enum class Placement {
    ByDesktop, // wherever the desktop puts it
    Centred,   // in the middle of the screen
};

// Where a window's frame goes on the screen's available area: a centred
// window in its middle; any window then moved in just far enough that its
// whole frame is on it, or its top left corner when it is the larger.
QRect placedFrame(const QRect &frame, const QRect &available, Placement placement);

} // namespace velkaram
