// Writing layouts back as text, in the form the reader takes: values as the reader reads them again
// (texts quoted with their control characters escaped, decimals with a point, colours in hex).
#include <charconv>
#include <cstdint>
#include <system_error>

#include "platform/layout/layout.h"

namespace platform {
namespace {

void AppendEscaped(std::string& out, std::string_view text) {
    static const char kHex[] = "0123456789ABCDEF";
    out.push_back('"');
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '"': out += "\"\""; break;
        case '\\': out += "\\\\"; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        default:
            if (byte < 0x20 || byte == 0x7F) {
                out += "\\x";
                out.push_back(kHex[byte >> 4]);
                out.push_back(kHex[byte & 15]);
            } else {
                out.push_back(c);
            }
        }
    }
    out.push_back('"');
}

std::string FormatDecimal(double value) {
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, ec == std::errc() ? end : buffer);
    // Keep a point so that the value reads back as a decimal, not a whole number.
    if (text.find_first_of(".eE") == std::string::npos) text += ".0";
    return text;
}

void WriteNode(std::string& out, const LayoutNode& node, int depth) {
    std::string indent(static_cast<std::size_t>(depth) * 4, ' ');
    out += indent + "Begin " + node.className + " " + node.DisplayName() + "\n";
    for (const LayoutProperty& p : node.properties)
        out += indent + "    " + p.key + " = " + FormatLayoutValue(p.value) + "\n";
    for (const LayoutNode& child : node.children) WriteNode(out, child, depth + 1);
    out += indent + "End\n";
}

}  // namespace

std::string FormatLayoutValue(const LayoutValue& value) {
    struct Visitor {
        std::string operator()(const Nothing&) const { return "Nothing"; }
        std::string operator()(const WholeNumber& n) const {
            if (!n.hex || n.value < 0) return std::to_string(n.value);
            static const char kHex[] = "0123456789ABCDEF";
            std::string digits;
            auto v = static_cast<std::uint64_t>(n.value);
            do {
                digits.insert(digits.begin(), kHex[v & 15]);
                v >>= 4;
            } while (v != 0);
            while (digits.size() < 8) digits.insert(digits.begin(), '0');
            return "&H" + digits + "&";
        }
        std::string operator()(double d) const { return FormatDecimal(d); }
        std::string operator()(bool b) const { return b ? "True" : "False"; }
        std::string operator()(const std::string& s) const {
            std::string out;
            AppendEscaped(out, s);
            return out;
        }
        std::string operator()(const FontValue& f) const {
            std::string out = "Font(";
            AppendEscaped(out, f.name);
            out += ", " + FormatDecimal(f.size);
            std::string flags;
            auto flag = [&flags](bool on, const char* word) {
                if (!on) return;
                if (!flags.empty()) flags += ' ';
                flags += word;
            };
            flag(f.bold, "Bold");
            flag(f.italic, "Italic");
            flag(f.underline, "Underline");
            flag(f.strikethrough, "Strikethrough");
            if (!flags.empty()) out += ", " + flags;
            return out + ")";
        }
        std::string operator()(const PictureRef& p) const {
            std::string out = "Picture(";
            AppendEscaped(out, p.resource);
            return out + ")";
        }
    };
    return std::visit(Visitor{}, value);
}

std::string WriteLayout(const LayoutNode& root) {
    std::string out;
    WriteNode(out, root, 0);
    return out;
}

}  // namespace platform
