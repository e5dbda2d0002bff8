#include "platform/layout/text_and_numbers.h"

#include <cmath>

namespace platform {

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

std::int64_t RoundHalfEven(double value) {
    double whole = std::floor(value);
    double fraction = value - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0)) whole += 1.0;
    return static_cast<std::int64_t>(whole);
}

std::string ShownText(std::string_view caption) {
    std::string shown;
    shown.reserve(caption.size());
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (i + 1 >= caption.size()) break;  // a marker with nothing to mark shows nothing
            ++i;
        }
        shown += caption[i];
    }
    return shown;
}

std::string SpokenText(std::string_view text) {
    std::string spoken;
    spoken.reserve(text.size());
    bool gap = false;
    for (char c : text) {
        if (c == ' ' || c == '\r' || c == '\n' || c == '\t') {
            gap = !spoken.empty();
            continue;
        }
        if (gap) spoken += ' ';
        gap = false;
        spoken += c;
    }
    return spoken;
}

}  // namespace platform
