// Icon files with a frame for each display scale: reading their directory and choosing the frame.
#include "platform/win32/icon_frames.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using platform::IconFrame;

// An icon file's header and directory for frames of the given sizes (bits per pixel 4), each image
// `imageSize` bytes, laid out one after another; the images themselves are zeros.
std::string IconFile(const std::vector<std::pair<int, int>>& sizes, std::uint32_t imageSize = 40,
                     std::uint16_t type = 1) {
    std::string file;
    auto put = [&file](std::initializer_list<std::pair<std::uint32_t, int>> fields) {  // value, bytes
        for (auto [value, bytes] : fields)
            for (int i = 0; i < bytes; ++i) file += static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    const auto count = static_cast<std::uint32_t>(sizes.size());
    put({{0, 2}, {type, 2}, {count, 2}});
    std::uint32_t offset = 6 + 16 * count;
    for (auto [w, h] : sizes) {
        put({{w & 0xFFu, 1}, {h & 0xFFu, 1}, {16, 1}, {0, 1}, {1, 2}, {4, 2}, {imageSize, 4}, {offset, 4}});
        offset += imageSize;
    }
    file.resize(offset, '\0');
    return file;
}

TEST(IconFrames, ReadsEveryFrameOfTheDirectoryAndRefusesWhatIsNoIconFile) {
    std::vector<IconFrame> frames = platform::ReadIconFrames(IconFile({{32, 32}, {48, 48}, {0, 0}}));
    std::vector<IconFrame> expected = {{32, 32, 4, 54, 40}, {48, 48, 4, 94, 40}, {256, 256, 4, 134, 40}};
    EXPECT_EQ(frames, expected);
    EXPECT_EQ(platform::ReadIconFrames(IconFile({{32, 32}}, 40, 2)).size(), 1u) << "a cursor file";

    std::string file = IconFile({{32, 32}, {48, 48}});
    for (std::string damaged :
         {file.substr(0, 5), file.substr(0, 30), file.substr(0, file.size() - 1), IconFile({}),
          IconFile({{32, 32}}, 40, 3), std::string("\1") + file.substr(1)})
        EXPECT_TRUE(platform::ReadIconFrames(damaged).empty()) << damaged.size();
}

TEST(IconFrames, ChoosesTheFrameOfTheSizeElseTheNearestLargerElseTheLargest) {
    std::vector<IconFrame> frames =
        platform::ReadIconFrames(IconFile({{32, 32}, {64, 64}, {40, 40}, {48, 48}}));
    struct Case {
        int size;
        std::size_t frame;
    };
    // 96, 120, 144 and 192 pixels per inch have frames of their own; 110 and 168 draw a larger frame
    // smaller; a size above every frame draws the largest.
    for (Case c : std::vector<Case>{{32, 0}, {40, 2}, {48, 3}, {64, 1}, {37, 2}, {56, 1}, {16, 0}, {80, 1}})
        EXPECT_EQ(platform::ChooseIconFrame(frames, c.size, c.size), c.frame) << c.size;
    EXPECT_EQ(platform::ChooseIconFrame({}, 32, 32), std::nullopt);

    // Of two frames of the same size, the one with more colours.
    frames.push_back({32, 32, 8, 0, 1});
    EXPECT_EQ(platform::ChooseIconFrame(frames, 32, 32), 4u);
}

}  // namespace
