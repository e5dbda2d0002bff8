// Feeds arbitrary bytes to the layout reader. Whatever it reads must write back in a form that reads
// again without a single problem and writes the same text, and every value must survive the typed
// reads that controls make.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/layout/layout.h"
#include "platform/layout/property_bag.h"

namespace {

void ReadEveryValue(platform::LayoutNode& node, const std::string& page) {
    std::vector<platform::LayoutDiagnostic> problems;
    platform::PropertyBag bag(node, page, &problems);
    for (const platform::LayoutProperty& p : std::vector<platform::LayoutProperty>(node.properties)) {
        bag.ReadLong(p.key, 0);
        bag.ReadInteger(p.key, 0);
        bag.ReadTruth(p.key, false);
        bag.ReadColour(p.key, 0);
        bag.ReadText(p.key, "");
        bag.ReadFont(p.key, {});
        bag.ReadPictureName(p.key);
    }
    for (platform::LayoutNode& child : node.children) ReadEveryValue(child, page);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    platform::ParsedLayout first = platform::ParseLayout(text);
    for (const platform::LayoutDiagnostic& d : first.diagnostics) (void)d.ToString();

    std::string written = platform::WriteLayout(first.root);
    platform::ParsedLayout second = platform::ParseLayout(written);
    // An empty tree (no Begin block at all) writes as a block without a name; that one is reported.
    if (!first.root.className.empty() && !second.diagnostics.empty()) std::abort();
    if (!first.root.className.empty() && platform::WriteLayout(second.root) != written) std::abort();

    ReadEveryValue(first.root, first.root.name);
    return 0;
}
