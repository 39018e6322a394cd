#include "core/credits/creditsscroll.h"

namespace velkaram {

CreditsScroll::CreditsScroll(int stripWidth, int stripHeight, int textHeight)
    : stripWidth_(stripWidth), stripHeight_(stripHeight), textHeight_(textHeight), top_(stripHeight)
{
}

void CreditsScroll::step()
{
    --top_;
    if (top_ < -textHeight_)
        top_ = stripHeight_;
}

} // namespace velkaram
