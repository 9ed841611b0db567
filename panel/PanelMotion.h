#pragma once

#include <QtGlobal>

// The panel's two animations, one step per timer tick, kept apart from the timers so that
// the steps can be followed tick by tick.

// The banner Image3: three frames shown in turn.
struct BannerAnimation {
    qint16 BannerFrame = 0; // the frame last shown, 1..3 (0 before the first tick)

    // Moves on one frame; returns the element (0..2) of Image3 whose picture the visible
    // banner takes.
    int tick() {
        BannerFrame = static_cast<qint16>(BannerFrame + 1);
        if (BannerFrame == 4)
            BannerFrame = 1;
        return BannerFrame - 1;
    }
};

// The e-mail label Label3 sliding to and fro between 310 and 487 pixels.
struct MailLinkSlide {
    static constexpr int Leftmost = 311;  // turns once the left edge is below this
    static constexpr int Rightmost = 486; // turns once the left edge is beyond this
    int MailLinkStep = 0;                 // pixels moved left per tick: 0 until the first tick

    // The label's new left edge, from `left`.
    int tick(int left) {
        if (MailLinkStep == 0)
            MailLinkStep = 1;
        left -= MailLinkStep;
        if (left < Leftmost)
            MailLinkStep = -MailLinkStep;
        if (left > Rightmost)
            MailLinkStep = -MailLinkStep;
        return left;
    }
};
