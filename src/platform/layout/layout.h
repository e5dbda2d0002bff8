// Page layouts: the text form in which a page keeps its controls and each control's stored settings.
//
// A layout reads like a form file:
//
//     Begin Page frmAdvertise
//         Width = 7635
//         Begin Catalog.TamrixButton cmdReturn
//             Left = 5565
//             BTYPE = 14
//             TX = "&Return"
//             FONT = Font("Arial", 9, Bold)
//             BCOL = &H008080FF&
//             PICN = Picture("ICON_RETURN")
//             PICH = Nothing
//         End
//     End
//
// Values: whole numbers (decimal, or &H...& hexadecimal), decimals (9.75), True/False, Nothing,
// texts in double quotes ("" is a quote; \r, \n and \\ are CR, LF and a backslash), fonts and pictures
// (pictures name a program resource). Lines starting with ' or # are comments.
//
// Parsing never throws and never gives up: a faulty line is reported and skipped, a missing End is
// reported and supplied, so a page always loads with everything that could be read.
//
// No Windows header here: this code also builds on the host for fast tests and fuzzing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace platform {

struct FontValue {
    std::string name = "MS Sans Serif";
    double size = 8.25;  // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;

    bool operator==(const FontValue&) const = default;
};

struct PictureRef {
    std::string resource;  // name of a program resource
    bool operator==(const PictureRef&) const = default;
};

struct Nothing {
    bool operator==(const Nothing&) const = default;
};

struct WholeNumber {
    std::int64_t value = 0;
    bool hex = false;  // written as &H...& (colours)
    bool operator==(const WholeNumber& other) const { return value == other.value; }
};

using LayoutValue = std::variant<Nothing, WholeNumber, double, bool, std::string, FontValue, PictureRef>;

// Human-readable kind of a value, for messages ("a text", "a font"...).
const char* DescribeKind(const LayoutValue& value);

struct LayoutProperty {
    std::string key;
    LayoutValue value;
    int line = 0;
};

struct LayoutNode {
    std::string className;     // "Page", "Catalog.TamrixButton", "Label"...
    std::string name;          // "cmdChoice"
    std::optional<int> index;  // 12 for cmdChoice(12)
    std::vector<LayoutProperty> properties;
    std::vector<LayoutNode> children;
    int line = 0;

    // "cmdChoice(12)" or "cmdWelcome".
    std::string DisplayName() const;
    const LayoutProperty* Find(std::string_view key) const;
};

// One problem found while reading a layout or a control's stored settings.
struct LayoutDiagnostic {
    std::string page;     // page name, when known
    std::string control;  // control display name, when the problem is inside a control
    std::string key;      // property key, when the problem is one value
    int line = 0;
    std::string message;

    // "page frmMainPage, control cmdChoice(12), key BTYPE (line 40): a whole number was expected"
    std::string ToString() const;
};

struct ParsedLayout {
    LayoutNode root;
    std::vector<LayoutDiagnostic> diagnostics;
    bool ok() const { return diagnostics.empty(); }
};

// Reads a layout. `text` may be anything: the result is the best tree that could be read, plus what
// was wrong with it.
ParsedLayout ParseLayout(std::string_view text);

// Writes a tree in the canonical layout form; ParseLayout(WriteLayout(n)) gives n back.
std::string WriteLayout(const LayoutNode& root);

// Reads one value in layout form ("12", "&H0000FF00&", "\"text\"", "Font(...)"...); nullopt with
// the reason in `error` when it is not one.
std::optional<LayoutValue> ParseLayoutValue(std::string_view text, std::string* error = nullptr);

// Writes one value in layout form.
std::string FormatLayoutValue(const LayoutValue& value);

}  // namespace platform
