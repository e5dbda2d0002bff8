// The decoder of the program's background pictures: it decodes exactly the kind of JPEG the art
// script makes and declines everything else, so that the system's decoder deals with it. (That its
// pixels are the system decoder's, bit for bit, is checked under Wine, where that decoder runs.)
#include "platform/win32/jpeg.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <tuple>

namespace {

std::string ReadPicture(const std::string& name) {
    std::stringstream bytes;
    bytes << std::ifstream(std::string(CATALOG_IMAGES) + "/" + name, std::ios::binary).rdbuf();
    return bytes.str();
}

}  // namespace

TEST(Jpeg, TheProgramsPicturesDecodeAndEveryOtherKindOrDamageIsDeclined) {
    for (auto [name, width, height] :
         {std::tuple{"tab0.jpg", 100, 90}, std::tuple{"tab1.jpg", 100, 90}, std::tuple{"tab2.jpg", 100, 90},
          std::tuple{"window.jpg", 75, 150}, std::tuple{"glass.jpg", 200, 200}}) {
        SCOPED_TRACE(name);
        std::string bytes = ReadPicture(name);
        auto decoded = platform::DecodeJpeg(bytes);
        ASSERT_TRUE(decoded);
        EXPECT_EQ(decoded->width * 1000 + decoded->height, width * 1000 + height);
        EXPECT_EQ(decoded->pixels.size(), static_cast<std::size_t>(width * height));

        // Cut anywhere: declined, for the image would be incomplete.
        for (std::size_t length = 0; length + 1 < bytes.size(); length += 61)
            EXPECT_FALSE(platform::DecodeJpeg(bytes.substr(0, length))) << length;

        // Another kind of JPEG: declined.
        std::size_t frame = bytes.find("\xFF\xC0");
        ASSERT_NE(frame, std::string::npos);
        auto changed = [&](std::size_t at, char value) {
            std::string other = bytes;
            other[at] = value;
            return other;
        };
        EXPECT_FALSE(platform::DecodeJpeg(changed(frame + 1, '\xC2'))) << "progressive";
        EXPECT_FALSE(platform::DecodeJpeg(changed(frame + 1, '\xC9'))) << "arithmetic coding";
        EXPECT_FALSE(platform::DecodeJpeg(changed(frame + 4, 12))) << "12-bit samples";
        EXPECT_FALSE(platform::DecodeJpeg(changed(frame + 11, 0x22))) << "subsampled colour";
        std::string adobe = "\xFF\xEE" + std::string("\x00\x0E", 2) + "Adobe" + std::string(7, '\0');
        EXPECT_FALSE(platform::DecodeJpeg(bytes.substr(0, 2) + adobe + bytes.substr(2))) << "Adobe's RGB";
    }
    EXPECT_FALSE(platform::DecodeJpeg("not a picture at all"));
}
