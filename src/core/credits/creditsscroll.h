#pragma once

#include <QRect>

namespace velkaram {

// Where the credits stand in their strip, in pixels. The text occupies a
// rectangle as wide as the strip and as high as the text measured without
// wrapping (H). It starts just below the strip and rises one pixel a step;
// once it has wholly left the upper edge (top below -H) it starts again
// below the strip. A cycle thus shows tops from the strip's height down to
// -H, one pixel apart.
class CreditsScroll {
public:
    CreditsScroll() = default;
    CreditsScroll(int stripWidth, int stripHeight, int textHeight);

    int left() const { return 0; }
    int top() const { return top_; }
    int right() const { return stripWidth_; }
    int bottom() const { return top_ + textHeight_; }
    QRect rect() const { return QRect(left(), top(), right() - left(), bottom() - top()); }

    // The rectangle moves one pixel up, or back below the strip.
    void step();

private:
    int stripWidth_ = 0;
    int stripHeight_ = 0;
    int textHeight_ = 0;
    int top_ = 0;
};

} // namespace velkaram
