#include "platform/layout/property_bag.h"

#include "platform/layout/text_and_numbers.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace platform {
namespace {

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// Rounds to the nearest whole number, a half going to the even neighbour; nullopt when out of range.
std::optional<std::int64_t> RoundWithinRange(double d) {
    if (!std::isfinite(d) || d >= 9.2e18 || d <= -9.2e18) return std::nullopt;
    return RoundHalfEven(d);
}

}  // namespace

std::optional<std::int64_t> ToWholeNumber(const LayoutValue& value, std::string& why) {
    if (auto* n = std::get_if<WholeNumber>(&value)) return n->value;
    if (auto* d = std::get_if<double>(&value)) {
        auto rounded = RoundWithinRange(*d);
        if (!rounded) why = "the number is out of range";
        return rounded;
    }
    if (auto* b = std::get_if<bool>(&value)) return *b ? -1 : 0;
    if (auto* s = std::get_if<std::string>(&value)) {
        std::string_view text = TrimBlanks(*s);
        if (EqualsNoCase(text, "True")) return -1;
        if (EqualsNoCase(text, "False")) return 0;
        // A text that holds a number converts to it.
        if (auto inner = ParseLayoutValue(text);
            inner && (std::holds_alternative<WholeNumber>(*inner) || std::holds_alternative<double>(*inner)))
            return ToWholeNumber(*inner, why);
        why = "a number was expected, not the text \"" + std::string(text.substr(0, 40)) + "\"";
        return std::nullopt;
    }
    why = std::string("a number was expected, not ") + DescribeKind(value);
    return std::nullopt;
}

std::optional<bool> ToTruth(const LayoutValue& value, std::string& why) {
    if (auto* b = std::get_if<bool>(&value)) return *b;
    if (std::holds_alternative<WholeNumber>(value) || std::holds_alternative<double>(value) ||
        std::holds_alternative<std::string>(value)) {
        auto n = ToWholeNumber(value, why);
        if (n) return *n != 0;
        why = "True or False was expected";
        return std::nullopt;
    }
    why = std::string("True or False was expected, not ") + DescribeKind(value);
    return std::nullopt;
}

PropertyBag::PropertyBag(LayoutNode& node, std::string pageName, std::vector<LayoutDiagnostic>* diagnostics)
    : node_(node), pageName_(std::move(pageName)), diagnostics_(diagnostics) {}

const LayoutProperty* PropertyBag::Find(std::string_view key) const {
    return node_.Find(key);
}

bool PropertyBag::Contains(std::string_view key) const {
    return Find(key) != nullptr;
}

LayoutValue PropertyBag::ReadProperty(std::string_view key, LayoutValue defaultValue) const {
    const LayoutProperty* p = Find(key);
    return p ? p->value : std::move(defaultValue);
}

void PropertyBag::WriteProperty(std::string_view key, LayoutValue value) {
    for (LayoutProperty& p : node_.properties) {
        if (p.key == key) {
            p.value = std::move(value);
            return;
        }
    }
    node_.properties.push_back({std::string(key), std::move(value), 0});
}

std::int32_t PropertyBag::ReadExtent(std::string_view key, std::int32_t defaultValue, std::int32_t largest) {
    std::int32_t value = ReadLong(key, defaultValue);
    if (value > largest) {
        Report(key, "a size of " + std::to_string(value) + " is larger than can be drawn (at most " +
                        std::to_string(largest) + " twips); " + std::to_string(defaultValue) + " is used");
        value = defaultValue;
    }
    return value < 0 ? 0 : value;
}

void PropertyBag::Report(std::string_view key, std::string message) {
    if (!diagnostics_) return;
    LayoutDiagnostic d;
    d.page = pageName_;
    d.control = node_.DisplayName();
    d.key = std::string(key);
    if (const LayoutProperty* p = Find(key)) d.line = p->line;
    d.message = std::move(message);
    diagnostics_->push_back(std::move(d));
}

std::int32_t PropertyBag::ReadLong(std::string_view key, std::int32_t defaultValue) {
    const LayoutProperty* p = Find(key);
    if (!p) return defaultValue;
    std::string why;
    auto n = ToWholeNumber(p->value, why);
    if (n && *n >= std::numeric_limits<std::int32_t>::min() && *n <= std::numeric_limits<std::int32_t>::max())
        return static_cast<std::int32_t>(*n);
    Report(key, n ? "the number " + std::to_string(*n) + " does not fit in 32 bits" : why);
    return defaultValue;
}

std::int16_t PropertyBag::ReadInteger(std::string_view key, std::int16_t defaultValue) {
    const LayoutProperty* p = Find(key);
    if (!p) return defaultValue;
    std::string why;
    auto n = ToWholeNumber(p->value, why);
    if (n && *n >= std::numeric_limits<std::int16_t>::min() && *n <= std::numeric_limits<std::int16_t>::max())
        return static_cast<std::int16_t>(*n);
    Report(key, n ? "the number " + std::to_string(*n) + " does not fit in 16 bits" : why);
    return defaultValue;
}

bool PropertyBag::ReadTruth(std::string_view key, bool defaultValue) {
    const LayoutProperty* p = Find(key);
    if (!p) return defaultValue;
    std::string why;
    auto b = ToTruth(p->value, why);
    if (b) return *b;
    Report(key, why);
    return defaultValue;
}

std::uint32_t PropertyBag::ReadColour(std::string_view key, std::uint32_t defaultValue) {
    const LayoutProperty* p = Find(key);
    if (!p) return defaultValue;
    std::string why;
    auto n = ToWholeNumber(p->value, why);
    // A colour is any 32-bit pattern: written as &H8000000F& or as the signed number it stands for.
    if (n && *n >= std::numeric_limits<std::int32_t>::min() &&
        *n <= std::numeric_limits<std::uint32_t>::max())
        return static_cast<std::uint32_t>(*n);
    Report(key, n ? "the colour value " + std::to_string(*n) + " does not fit in 32 bits" : why);
    return defaultValue;
}

std::string PropertyBag::ReadText(std::string_view key, std::string defaultValue) {
    const LayoutProperty* p = Find(key);
    if (!p) return defaultValue;
    if (auto* s = std::get_if<std::string>(&p->value)) return *s;
    if (auto* n = std::get_if<WholeNumber>(&p->value)) return std::to_string(n->value);
    if (auto* b = std::get_if<bool>(&p->value)) return *b ? "True" : "False";
    Report(key, std::string("a text was expected, not ") + DescribeKind(p->value));
    return defaultValue;
}

FontValue PropertyBag::ReadFont(std::string_view key, FontValue defaultValue) {
    const LayoutProperty* p = Find(key);
    if (!p) return defaultValue;
    if (auto* f = std::get_if<FontValue>(&p->value)) return *f;
    Report(key, std::string("a font was expected, not ") + DescribeKind(p->value));
    return defaultValue;
}

std::optional<std::string> PropertyBag::ReadPictureName(std::string_view key) {
    const LayoutProperty* p = Find(key);
    if (!p || std::holds_alternative<Nothing>(p->value)) return std::nullopt;
    if (auto* pic = std::get_if<PictureRef>(&p->value)) return pic->resource;
    Report(key, std::string("a picture was expected, not ") + DescribeKind(p->value));
    return std::nullopt;
}

void PropertyBag::WriteLong(std::string_view key, std::int32_t value) {
    WriteProperty(key, WholeNumber{value, false});
}
void PropertyBag::WriteInteger(std::string_view key, std::int16_t value) {
    WriteProperty(key, WholeNumber{value, false});
}
void PropertyBag::WriteTruth(std::string_view key, bool value) {
    WriteProperty(key, value);
}
void PropertyBag::WriteColour(std::string_view key, std::uint32_t value) {
    WriteProperty(key, WholeNumber{static_cast<std::int64_t>(value), true});
}
void PropertyBag::WriteText(std::string_view key, std::string value) {
    WriteProperty(key, std::move(value));
}
void PropertyBag::WriteFont(std::string_view key, FontValue value) {
    WriteProperty(key, std::move(value));
}
void PropertyBag::WritePictureName(std::string_view key, std::optional<std::string> resource) {
    if (resource) WriteProperty(key, PictureRef{std::move(*resource)});
    else WriteProperty(key, Nothing{});
}

}  // namespace platform
