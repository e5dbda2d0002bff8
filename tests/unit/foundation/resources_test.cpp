// What the exe carries: the title with its version, and every picture.
#include "platform/win32/resources.h"

#include <gtest/gtest.h>

#include <cctype>
#include <vector>

#include "catalog/catalog_table.h"
#include "platform/win32/picture.h"

TEST(ProgramResources, TitleVersionFolderAndEveryPicture) {
    EXPECT_EQ(platform::ApplicationTitle(), "Catalog");
    platform::AppVersion version = platform::ApplicationVersion();
    EXPECT_EQ(std::vector<int>({version.major, version.minor, version.revision}),
              std::vector<int>({2026, 12, 6}));
    EXPECT_NE(platform::ApplicationFolder().back(), '\\');

    std::vector<std::tuple<std::string, platform::PictureType, int, int>> expected = {
        {"JPG_TAB0", platform::PictureType::Bitmap, 100, 90},
        {"JPG_TAB1", platform::PictureType::Bitmap, 100, 90},
        {"JPG_TAB2", platform::PictureType::Bitmap, 100, 90},
        {"JPG_WINDOW", platform::PictureType::Bitmap, 75, 150},
        {"JPG_GLASS", platform::PictureType::Bitmap, 200, 200},
        {"CURSOR_ARROW", platform::PictureType::Icon, 32, 32}};
    for (std::string_view name : catalog::kProductNameTable) {
        std::string icon = "ICON_";
        for (char c : name) icon += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        expected.emplace_back(icon, platform::PictureType::Icon, 32, 32);
    }
    for (const char* icon : {"ICON_WELCOME", "ICON_QUIT", "ICON_ORDER", "ICON_DOWNLOAD", "ICON_PRINTFORM",
                             "ICON_PRINTPAGE", "ICON_RETURN"})
        expected.emplace_back(icon, platform::PictureType::Icon, 32, 32);
    platform::PictureLibrary library;
    for (const auto& [name, type, width, height] : expected) {
        SCOPED_TRACE(name);
        platform::Picture picture = library.Get(name);
        ASSERT_TRUE(picture && picture.Handle());
        EXPECT_EQ(picture.Type(), type);
        EXPECT_EQ(picture.WidthPixels() * 1000 + picture.HeightPixels(), width * 1000 + height);
        EXPECT_TRUE(library.Get(name).SameAs(picture)) << "a named picture is loaded once and shared";
    }
    EXPECT_THROW(library.Get("NO_SUCH_PICTURE"), platform::PictureError);

    // Every icon has a frame for each display scale, each of its own size in pixels; its size in
    // HIMETRIC is its 32-pixel frame's at 96 pixels per inch, and that frame is the picture's own icon.
    auto iconSize = [](HICON icon) {
        ICONINFO info{};
        BITMAP bits{};
        if (!GetIconInfo(icon, &info)) return -1;
        GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bits, &bits);
        if (info.hbmColor) DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        return static_cast<int>(bits.bmWidth * 1000 + bits.bmHeight);
    };
    for (const auto& [name, type, width, height] : expected) {
        if (name.rfind("ICON_", 0) != 0) continue;
        SCOPED_TRACE(name);
        platform::Picture picture = library.Get(name);
        EXPECT_EQ(picture.WidthHimetric() * 10000 + picture.HeightHimetric(), 847 * 10000 + 847);
        EXPECT_EQ(picture.IconFrameFor(32, 32).icon, static_cast<HICON>(picture.Handle()));
        for (int size : {32, 40, 48, 56, 64, 80, 96}) {
            platform::Picture::IconFrameChoice frame = picture.IconFrameFor(size, size);
            EXPECT_EQ(frame.width * 1000 + frame.height, size * 1000 + size);
            EXPECT_EQ(iconSize(frame.icon), size * 1000 + size);
        }
    }

    // Damaged picture data is an error, not a crash.
    for (std::string bytes : {std::string(platform::ResourceData("JPG_GLASS").substr(0, 20)),
                              std::string(platform::ResourceData("ICON_SUMSTAR").substr(0, 30)),
                              std::string("not a picture at all"), std::string()})
        EXPECT_THROW(platform::Picture::FromBytes(bytes, "damaged"), platform::PictureError) << bytes.size();
}
