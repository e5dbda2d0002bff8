#include "button/button_math.h"

namespace button {

std::uint32_t ShiftColorValue(std::uint32_t colour, std::int32_t amount, bool proportional, bool softBevel) {
    if (softBevel) amount /= 2;  // integer division truncates toward zero: -9 gives -4
    auto c = static_cast<std::int32_t>(colour);
    std::int32_t red = c % 256;
    std::int32_t green = (c / 256) % 256;
    std::int32_t blue = (c / 65536) % 256;
    std::int32_t r = red + amount;
    std::int32_t g = green + amount;
    std::int32_t b = proportional ? blue + (blue * amount) / 192 : blue + amount;
    auto limit = [amount](std::int32_t v) {
        if (amount > 0 && v > 255) return 255;
        if (amount < 0 && v < 0) return 0;
        return v;
    };
    r = limit(r);
    g = limit(g);
    b = limit(b);
    return static_cast<std::uint32_t>(r + 256 * g + 65536 * b);
}

}  // namespace button
