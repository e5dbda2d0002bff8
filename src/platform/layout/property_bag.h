// The stored settings of one control: named values kept in its block of a page layout.
//
// Controls read their settings with a default for a missing key and write every setting back by key.
// Typed reads convert the way the program's numbers convert (decimals round half to even, True is -1);
// a value that cannot be converted is reported, naming page, control and key, and the default is used,
// so one bad value never costs the page or the control.
//
// No Windows header here: this code also builds on the host for fast tests and fuzzing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/layout/layout.h"

namespace platform {

class PropertyBag {
public:
    // Reads and writes the properties of `node`; problems go to `diagnostics` (may be null).
    PropertyBag(LayoutNode& node, std::string pageName, std::vector<LayoutDiagnostic>* diagnostics);

    bool Contains(std::string_view key) const;

    // The stored value, or `defaultValue` when the key is missing.
    LayoutValue ReadProperty(std::string_view key, LayoutValue defaultValue) const;
    // Replaces the value of an existing key in place, or appends the key.
    void WriteProperty(std::string_view key, LayoutValue value);

    std::int32_t ReadLong(std::string_view key, std::int32_t defaultValue);
    // A width or height in twips: a whole number from 0 to `largest`. Anything larger is reported and the
    // default used; a negative value is 0.
    std::int32_t ReadExtent(std::string_view key, std::int32_t defaultValue, std::int32_t largest);
    std::int16_t ReadInteger(std::string_view key, std::int16_t defaultValue);
    bool ReadTruth(std::string_view key, bool defaultValue);
    std::uint32_t ReadColour(std::string_view key, std::uint32_t defaultValue);
    std::string ReadText(std::string_view key, std::string defaultValue);
    FontValue ReadFont(std::string_view key, FontValue defaultValue);
    // The resource name of a stored picture; nullopt for Nothing or a missing key.
    std::optional<std::string> ReadPictureName(std::string_view key);

    void WriteLong(std::string_view key, std::int32_t value);
    void WriteInteger(std::string_view key, std::int16_t value);
    void WriteTruth(std::string_view key, bool value);
    void WriteColour(std::string_view key, std::uint32_t value);
    void WriteText(std::string_view key, std::string value);
    void WriteFont(std::string_view key, FontValue value);
    void WritePictureName(std::string_view key, std::optional<std::string> resource);

    // Records a problem with one key of this control.
    void Report(std::string_view key, std::string message);

    const LayoutNode& node() const { return node_; }

private:
    const LayoutProperty* Find(std::string_view key) const;

    LayoutNode& node_;
    std::string pageName_;
    std::vector<LayoutDiagnostic>* diagnostics_;
};

// Conversions used by the typed reads, exposed for tests. Each returns nullopt and sets `why` when
// the value cannot be converted.
std::optional<std::int64_t> ToWholeNumber(const LayoutValue& value, std::string& why);
std::optional<bool> ToTruth(const LayoutValue& value, std::string& why);

}  // namespace platform
