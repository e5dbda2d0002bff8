#include "platform/layout/layout.h"

#include "platform/layout/text_and_numbers.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace platform {
namespace {

constexpr std::size_t kMaxDepth = 32;  // pages hold tab strips that hold picture boxes that hold buttons

bool IsSpace(char c) {
    return c == ' ' || c == '\t';
}
bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
    while (!s.empty() && (IsSpace(s.back()) || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// Takes an identifier (letters, digits, '_', and '.' when allowed) off the front of s.
std::string_view TakeIdentifier(std::string_view& s, bool allowDots) {
    std::size_t n = 0;
    if (s.empty() || !IsLetter(s[0])) return {};
    while (n < s.size() && (IsLetter(s[n]) || IsDigit(s[n]) || (allowDots && s[n] == '.'))) ++n;
    std::string_view id = s.substr(0, n);
    s.remove_prefix(n);
    return id;
}

// A small cursor over one value's text; every Parse* returns false with `error` set on failure.
class ValueReader {
public:
    explicit ValueReader(std::string_view text) : s_(text) {}

    bool Parse(LayoutValue& out) {
        SkipSpaces();
        if (s_.empty()) return Fail("a value is missing after '='");
        bool ok = ParseAny(out);
        if (!ok) return false;
        SkipSpaces();
        if (!s_.empty()) return Fail("unexpected text after the value: '" + Shorten(s_) + "'");
        return true;
    }

    const std::string& error() const { return error_; }

private:
    bool ParseAny(LayoutValue& out) {
        char c = s_.front();
        if (c == '"') {
            std::string text;
            if (!ParseString(text)) return false;
            out = std::move(text);
            return true;
        }
        if (c == '&') {
            WholeNumber n;
            if (!ParseHex(n)) return false;
            out = n;
            return true;
        }
        if (c == '-' || c == '+' || IsDigit(c) || c == '.') return ParseNumber(out);
        std::string_view word = TakeIdentifier(s_, false);
        if (word.empty()) return Fail("not a value: '" + Shorten(s_) + "'");
        if (EqualsNoCase(word, "Nothing")) {
            out = Nothing{};
            return true;
        }
        if (EqualsNoCase(word, "True")) {
            out = true;
            return true;
        }
        if (EqualsNoCase(word, "False")) {
            out = false;
            return true;
        }
        if (EqualsNoCase(word, "Font")) {
            FontValue font;
            if (!ParseFont(font)) return false;
            out = std::move(font);
            return true;
        }
        if (EqualsNoCase(word, "Picture")) {
            PictureRef picture;
            if (!Expect('(') || !ParseString(picture.resource) || !Expect(')')) return false;
            if (picture.resource.empty()) return Fail("a picture needs a resource name");
            out = std::move(picture);
            return true;
        }
        return Fail("unknown word '" + std::string(word) + "'");
    }

    bool ParseString(std::string& out) {
        out.clear();
        if (s_.empty() || s_.front() != '"') return Fail("a text in double quotes was expected");
        s_.remove_prefix(1);
        while (true) {
            if (s_.empty()) return Fail("the text has no closing quote");
            char c = s_.front();
            s_.remove_prefix(1);
            if (c == '"') {
                if (!s_.empty() && s_.front() == '"') {
                    out.push_back('"');
                    s_.remove_prefix(1);
                    continue;
                }
                return true;
            }
            if (c != '\\') {
                out.push_back(c);
                continue;
            }
            if (s_.empty()) return Fail("the text ends inside an escape");
            char e = s_.front();
            s_.remove_prefix(1);
            switch (e) {
            case 'r': out.push_back('\r'); break;
            case 'n': out.push_back('\n'); break;
            case 't': out.push_back('\t'); break;
            case '\\': out.push_back('\\'); break;
            case 'x': {
                int value = 0;
                for (int i = 0; i < 2; ++i) {
                    int digit = s_.empty() ? -1 : HexDigit(s_.front());
                    if (digit < 0) return Fail("\\x needs two hexadecimal digits");
                    value = value * 16 + digit;
                    s_.remove_prefix(1);
                }
                out.push_back(static_cast<char>(value));
                break;
            }
            default: return Fail(std::string("unknown escape \\") + e);
            }
        }
    }

    static int HexDigit(char c) {
        if (IsDigit(c)) return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    }

    bool ParseHex(WholeNumber& out) {
        s_.remove_prefix(1);  // '&'
        if (s_.empty() || (s_.front() != 'H' && s_.front() != 'h'))
            return Fail("'&' must start &H... hexadecimal");
        s_.remove_prefix(1);
        std::uint64_t value = 0;
        std::size_t digits = 0;
        while (!s_.empty() && HexDigit(s_.front()) >= 0) {
            if (value > (std::numeric_limits<std::uint64_t>::max() >> 4))
                return Fail("the number is too large");
            value = value * 16 + static_cast<unsigned>(HexDigit(s_.front()));
            s_.remove_prefix(1);
            ++digits;
        }
        if (digits == 0) return Fail("&H needs hexadecimal digits");
        if (value > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
            return Fail("the number is too large");
        if (!s_.empty() && s_.front() == '&') s_.remove_prefix(1);
        out.value = static_cast<std::int64_t>(value);
        out.hex = true;
        return true;
    }

    bool ParseNumber(LayoutValue& out) {
        std::size_t n = 0;
        if (n < s_.size() && (s_[n] == '-' || s_[n] == '+')) ++n;
        std::size_t digitsStart = n;
        while (n < s_.size() && IsDigit(s_[n])) ++n;
        bool decimal = false;
        if (n < s_.size() && s_[n] == '.') {
            decimal = true;
            ++n;
            while (n < s_.size() && IsDigit(s_[n])) ++n;
        }
        if (n == digitsStart || (decimal && n == digitsStart + 1))
            return Fail("not a number: '" + Shorten(s_) + "'");
        // An exponent ("1e+16", "2.5E-05"): very large and very small decimals are written that way.
        if (n < s_.size() && (s_[n] == 'e' || s_[n] == 'E')) {
            std::size_t exponent = n + 1;
            if (exponent < s_.size() && (s_[exponent] == '-' || s_[exponent] == '+')) ++exponent;
            std::size_t exponentDigits = exponent;
            while (exponentDigits < s_.size() && IsDigit(s_[exponentDigits])) ++exponentDigits;
            if (exponentDigits == exponent) return Fail("not a number: '" + Shorten(s_) + "'");
            decimal = true;
            n = exponentDigits;
        }
        std::string_view number = s_.substr(0, n);
        s_.remove_prefix(n);
        std::string_view parseFrom = number.front() == '+' ? number.substr(1) : number;
        if (decimal) {
            double value = 0;
            auto [end, ec] = std::from_chars(parseFrom.data(), parseFrom.data() + parseFrom.size(), value);
            if (ec != std::errc() || end != parseFrom.data() + parseFrom.size() || !std::isfinite(value))
                return Fail("not a number: '" + std::string(number) + "'");
            out = value;
            return true;
        }
        std::int64_t value = 0;
        auto [end, ec] = std::from_chars(parseFrom.data(), parseFrom.data() + parseFrom.size(), value);
        if (ec == std::errc::result_out_of_range)
            return Fail("the number is too large: " + std::string(number));
        if (ec != std::errc() || end != parseFrom.data() + parseFrom.size())
            return Fail("not a number: '" + std::string(number) + "'");
        out = WholeNumber{value, false};
        return true;
    }

    bool ParseFont(FontValue& font) {
        if (!Expect('(') || !ParseString(font.name)) return false;
        if (font.name.empty()) return Fail("a font needs a name");
        if (!Expect(',')) return false;
        SkipSpaces();
        LayoutValue size;
        if (s_.empty() || !ParseNumber(size)) return s_.empty() ? Fail("a font needs a size") : false;
        if (auto* whole = std::get_if<WholeNumber>(&size)) font.size = static_cast<double>(whole->value);
        else font.size = std::get<double>(size);
        if (!(font.size > 0 && font.size <= 2048))
            return Fail("a font size must be above 0 and at most 2048 points");
        SkipSpaces();
        if (!s_.empty() && s_.front() == ',') s_.remove_prefix(1);
        while (true) {
            SkipSpaces();
            if (s_.empty()) return Fail("the font has no closing ')'");
            if (s_.front() == ')') {
                s_.remove_prefix(1);
                return true;
            }
            std::string_view flag = TakeIdentifier(s_, false);
            if (EqualsNoCase(flag, "Bold")) font.bold = true;
            else if (EqualsNoCase(flag, "Italic")) font.italic = true;
            else if (EqualsNoCase(flag, "Underline")) font.underline = true;
            else if (EqualsNoCase(flag, "Strikethrough")) font.strikethrough = true;
            else return Fail("unknown font style '" + (flag.empty() ? Shorten(s_) : std::string(flag)) + "'");
            SkipSpaces();
            if (!s_.empty() && s_.front() == ',') s_.remove_prefix(1);
        }
    }

    bool Expect(char c) {
        SkipSpaces();
        if (s_.empty() || s_.front() != c) return Fail(std::string("'") + c + "' was expected");
        s_.remove_prefix(1);
        SkipSpaces();
        return true;
    }

    void SkipSpaces() {
        while (!s_.empty() && IsSpace(s_.front())) s_.remove_prefix(1);
    }

    static std::string Shorten(std::string_view s) {
        constexpr std::size_t kMax = 40;
        return s.size() <= kMax ? std::string(s) : std::string(s.substr(0, kMax)) + "...";
    }

    bool Fail(std::string message) {
        error_ = std::move(message);
        return false;
    }

    std::string_view s_;
    std::string error_;
};

class Parser {
public:
    ParsedLayout Run(std::string_view text) {
        int lineNumber = 0;
        while (!text.empty()) {
            std::size_t end = text.find('\n');
            std::string_view line = text.substr(0, end);
            text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
            ++lineNumber;
            HandleLine(Trim(line), lineNumber);
        }
        while (!stack_.empty()) {
            Report(lineNumber, {}, "'Begin " + stack_.back()->className + "' has no matching 'End'");
            stack_.pop_back();
        }
        if (!haveRoot_) Report(lineNumber, {}, "the layout holds no 'Begin' block");
        return std::move(result_);
    }

private:
    void HandleLine(std::string_view line, int number) {
        if (line.empty() || line.front() == '\'' || line.front() == '#') return;
        std::string_view rest = line;
        std::string_view word = TakeIdentifier(rest, false);
        // "Begin = True" is a setting whose key happens to be Begin, not the start of a block.
        std::string_view afterWord = Trim(rest);
        bool isSetting = !afterWord.empty() && afterWord.front() == '=';
        if (EqualsNoCase(word, "Begin") && (rest.empty() || IsSpace(rest.front())) && !isSetting)
            return HandleBegin(Trim(rest), number);
        if (EqualsNoCase(word, "End") && Trim(rest).empty()) return HandleEnd(number);
        HandleProperty(line, number);
    }

    void HandleBegin(std::string_view rest, int number) {
        LayoutNode node;
        node.line = number;
        if (!ReadBeginLine(rest, node, number) || stack_.size() >= kMaxDepth || skipDepth_ > 0 ||
            (stack_.empty() && haveRoot_)) {
            // The block cannot be used: its lines up to the matching End are passed over.
            if (skipDepth_ == 0 && stack_.size() >= kMaxDepth)
                Report(number, {}, "controls are nested too deeply");
            else if (skipDepth_ == 0 && stack_.empty() && haveRoot_)
                Report(number, {}, "a layout holds one page; the second 'Begin' block is ignored");
            ++skipDepth_;
            return;
        }
        if (stack_.empty()) {
            haveRoot_ = true;
            result_.root = std::move(node);
            stack_.push_back(&result_.root);
            return;
        }
        LayoutNode& parent = *stack_.back();
        parent.children.push_back(std::move(node));
        stack_.push_back(&parent.children.back());
    }

    // Reads "Class Name" or "Class Name(index)"; reports and returns false when it is not that.
    bool ReadBeginLine(std::string_view rest, LayoutNode& node, int number) {
        if (skipDepth_ > 0) return false;
        node.className = std::string(TakeIdentifier(rest, true));
        if (node.className.empty()) return Report(number, {}, "'Begin' needs a class name"), false;
        rest = Trim(rest);
        node.name = std::string(TakeIdentifier(rest, false));
        if (node.name.empty())
            return Report(number, {}, "'Begin " + node.className + "' needs a control name"), false;
        if (!rest.empty() && rest.front() == '(') {
            rest.remove_prefix(1);
            std::size_t close = rest.find(')');
            std::string_view digits = rest.substr(0, close);
            int index = -1;
            auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), index);
            if (close == std::string_view::npos || ec != std::errc() ||
                end != digits.data() + digits.size() || index < 0 || index > 32767)
                return Report(number, {},
                              "the index of " + node.name + " must be a whole number from 0 to 32767"),
                       false;
            node.index = index;
            rest.remove_prefix(close + 1);
        }
        if (!Trim(rest).empty())
            return Report(number, {}, "unexpected text after 'Begin " + node.className + "'"), false;
        return true;
    }

    void HandleEnd(int number) {
        if (skipDepth_ > 0) {
            --skipDepth_;
            return;
        }
        if (stack_.empty()) return Report(number, {}, "'End' without a 'Begin'");
        stack_.pop_back();
    }

    void HandleProperty(std::string_view line, int number) {
        if (skipDepth_ > 0) return;
        std::string_view rest = line;
        std::string_view key = TakeIdentifier(rest, false);
        rest = Trim(rest);
        if (key.empty() || rest.empty() || rest.front() != '=')
            return Report(number, {}, "not a 'Key = value' line: '" + std::string(line.substr(0, 40)) + "'");
        if (stack_.empty())
            return Report(number, std::string(key), "the value stands outside any 'Begin' block");
        rest.remove_prefix(1);
        ValueReader reader(rest);
        LayoutValue value;
        if (!reader.Parse(value)) return Report(number, std::string(key), reader.error());

        LayoutNode& node = *stack_.back();
        for (LayoutProperty& existing : node.properties) {
            if (existing.key == key) {
                Report(number, std::string(key), "the key appears twice; the later value is used");
                existing.value = std::move(value);
                existing.line = number;
                return;
            }
        }
        node.properties.push_back({std::string(key), std::move(value), number});
    }

    void Report(int line, std::string key, std::string message) {
        LayoutDiagnostic d;
        d.page = haveRoot_ ? result_.root.name : std::string();
        if (stack_.size() > 1) d.control = stack_.back()->DisplayName();
        d.key = std::move(key);
        d.line = line;
        d.message = std::move(message);
        result_.diagnostics.push_back(std::move(d));
    }

    ParsedLayout result_;
    std::vector<LayoutNode*> stack_;
    bool haveRoot_ = false;
    int skipDepth_ = 0;
};

}  // namespace

const char* DescribeKind(const LayoutValue& value) {
    struct Visitor {
        const char* operator()(const Nothing&) const { return "Nothing"; }
        const char* operator()(const WholeNumber&) const { return "a whole number"; }
        const char* operator()(double) const { return "a decimal number"; }
        const char* operator()(bool) const { return "True or False"; }
        const char* operator()(const std::string&) const { return "a text"; }
        const char* operator()(const FontValue&) const { return "a font"; }
        const char* operator()(const PictureRef&) const { return "a picture"; }
    };
    return std::visit(Visitor{}, value);
}

std::string LayoutNode::DisplayName() const {
    return index ? name + "(" + std::to_string(*index) + ")" : name;
}

const LayoutProperty* LayoutNode::Find(std::string_view key) const {
    for (const LayoutProperty& p : properties)
        if (p.key == key) return &p;
    return nullptr;
}

std::string LayoutDiagnostic::ToString() const {
    std::string text;
    auto add = [&text](const std::string& part) {
        if (!text.empty()) text += ", ";
        text += part;
    };
    if (!page.empty()) add("page " + page);
    if (!control.empty()) add("control " + control);
    if (!key.empty()) add("key " + key);
    if (line > 0)
        text += text.empty() ? "line " + std::to_string(line) : " (line " + std::to_string(line) + ")";
    return text.empty() ? message : text + ": " + message;
}

ParsedLayout ParseLayout(std::string_view text) {
    return Parser().Run(text);
}

std::optional<LayoutValue> ParseLayoutValue(std::string_view text, std::string* error) {
    ValueReader reader(text);
    LayoutValue value;
    if (reader.Parse(value)) return value;
    if (error) *error = reader.error();
    return std::nullopt;
}

}  // namespace platform
