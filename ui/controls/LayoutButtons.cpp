#include "ui/controls/LayoutButtons.h"

#include <algorithm>

std::int64_t RoundHalfEven(std::int64_t num, std::int64_t den) {
    std::int64_t q = num / den;
    std::int64_t r = num % den;
    if (r < 0) { // floor division
        r += den;
        --q;
    }
    const std::int64_t twice = 2 * r;
    if (twice > den || (twice == den && (q % 2 != 0)))
        ++q;
    return q;
}

TNavLayout LayoutButtons(int width, int height, TMButtonSet visible, bool docked,
                         int currentWidth) {
    constexpr std::int64_t D = MNavWeightDenominator;
    // Beyond any widget's size; keeps every result within int.
    constexpr int Largest = 1 << 24;
    width = std::min(width, Largest);
    height = std::min(height, Largest);
    std::int64_t s = 0; // S in units of 1/D
    for (int i = 0; i < MNavButtonCount; ++i)
        if (visible.Contains(static_cast<TMNavigateBtn>(i)))
            s += MNavWeights[i];
    if (s == 0)
        s = D;

    TNavLayout out;
    std::int64_t w = std::max<std::int64_t>(width, RoundHalfEven(20 * s, D));
    out.Height = std::max(height, 18);
    const std::int64_t unit = RoundHalfEven(w * D, s);
    out.WidthUnit = static_cast<int>(unit);
    const std::int64_t total = RoundHalfEven(unit * s, D);
    if (!docked)
        w = total;
    out.Width = static_cast<int>(w);

    const std::int64_t remain = w - total;
    std::int64_t counter = RoundHalfEven(s, 2 * D);
    std::int64_t x = 0;
    for (int i = 0; i < MNavButtonCount; ++i) {
        TNavButtonPlace& place = out.Buttons[i];
        if (visible.Contains(static_cast<TMNavigateBtn>(i))) {
            std::int64_t extra = 0;
            if (remain != 0) {
                counter -= remain;
                if (counter < 0) {
                    counter = RoundHalfEven(counter * D + s, D);
                    extra = 1;
                }
            }
            const std::int64_t bw = RoundHalfEven(unit * MNavWeights[i] + extra * D, D);
            place = {static_cast<int>(x), static_cast<int>(bw)};
            x += bw;
        } else {
            place = {currentWidth + 1, static_cast<int>(RoundHalfEven(unit * MNavWeights[i], D))};
        }
    }
    return out;
}
