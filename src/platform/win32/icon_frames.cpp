#include "platform/win32/icon_frames.h"

namespace platform {
namespace {

std::uint32_t Read(std::string_view bytes, std::size_t at, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

constexpr std::size_t kHeaderSize = 6;
constexpr std::size_t kEntrySize = 16;

}  // namespace

std::vector<IconFrame> ReadIconFrames(std::string_view file) {
    if (file.size() < kHeaderSize) return {};
    std::uint32_t reserved = Read(file, 0, 2);
    std::uint32_t type = Read(file, 2, 2);
    std::uint32_t count = Read(file, 4, 2);
    if (reserved != 0 || (type != 1 && type != 2) || count == 0) return {};
    if (file.size() < kHeaderSize + kEntrySize * count) return {};
    std::vector<IconFrame> frames;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::size_t entry = kHeaderSize + kEntrySize * i;
        IconFrame frame;
        // A width or height of 0 in the directory means 256.
        frame.width = static_cast<int>(Read(file, entry, 1));
        frame.height = static_cast<int>(Read(file, entry + 1, 1));
        if (frame.width == 0) frame.width = 256;
        if (frame.height == 0) frame.height = 256;
        frame.bitCount = static_cast<int>(Read(file, entry + 6, 2));
        frame.size = Read(file, entry + 8, 4);
        frame.offset = Read(file, entry + 12, 4);
        if (frame.size == 0 || frame.offset > file.size() || frame.size > file.size() - frame.offset)
            return {};
        frames.push_back(frame);
    }
    return frames;
}

std::optional<std::size_t> ChooseIconFrame(const std::vector<IconFrame>& frames, int width, int height) {
    std::optional<std::size_t> exact, larger, largest;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const IconFrame& f = frames[i];
        if (f.width == width && f.height == height) {
            if (!exact || f.bitCount > frames[*exact].bitCount) exact = i;
        } else if (f.width >= width && f.height >= height) {
            if (!larger || f.width < frames[*larger].width) larger = i;
        }
        if (!largest || f.width * f.height > frames[*largest].width * frames[*largest].height) largest = i;
    }
    if (exact) return exact;
    if (larger) return larger;
    return largest;
}

}  // namespace platform
