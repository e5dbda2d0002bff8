// What the exe carries: the title with its version and every picture, decoded as the system would.
#include "platform/win32/resources.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include <ole2.h>
#include <olectl.h>
#include <wrl/client.h>

#include "catalog/catalog_table.h"
#include "platform/win32/gdi.h"
#include "platform/win32/picture.h"
#include "support/test_page.h"

TEST(ProgramResources, TitleVersionFolderAndEveryPicture) {
    EXPECT_EQ(platform::ApplicationTitle(), "Catalog");
    platform::AppVersion version = platform::ApplicationVersion();
    EXPECT_EQ(std::vector<int>({version.major, version.minor, version.revision}),
              std::vector<int>({2026, 12, 6}));
    EXPECT_NE(platform::ApplicationFolder().back(), '\\');

    // Name and width x 1000 + height; the JPEGs are bitmaps, the rest icons.
    std::vector<std::pair<std::string, int>> expected = {
        {"JPG_TAB0", 100090},  {"JPG_TAB1", 100090},     {"JPG_TAB2", 100090},      {"JPG_WINDOW", 75150},
        {"JPG_GLASS", 200200}, {"CURSOR_ARROW", 32032},  {"ICON_WELCOME", 32032},   {"ICON_QUIT", 32032},
        {"ICON_ORDER", 32032}, {"ICON_DOWNLOAD", 32032}, {"ICON_PRINTFORM", 32032}, {"ICON_PRINTPAGE", 32032},
        {"ICON_RETURN", 32032}};
    for (std::string_view name : catalog::kProductNameTable) {
        std::string icon = "ICON_";
        for (char c : name) icon += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        expected.emplace_back(icon, 32032);
    }
    platform::PictureLibrary library;
    for (const auto& [name, size] : expected) {
        SCOPED_TRACE(name);
        platform::Picture picture = library.Get(name);
        ASSERT_TRUE(picture && picture.Handle());
        EXPECT_EQ(picture.Type(),
                  name.rfind("JPG_", 0) ? platform::PictureType::Icon : platform::PictureType::Bitmap);
        EXPECT_EQ(picture.WidthPixels() * 1000 + picture.HeightPixels(), size);
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
    for (const auto& [name, size] : expected) {
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

namespace {

// A bitmap's pixels as 32-bit rows from the top (blue, green, red, alpha).
std::vector<std::uint32_t> Rows(HBITMAP bitmap, BITMAP& size) {
    if (!GetObjectA(bitmap, sizeof size, &size)) return {};
    std::vector<std::uint32_t> rows(static_cast<std::size_t>(size.bmWidth) * size.bmHeight);
    BITMAPINFO format = platform::TopDownFormat(size.bmWidth, size.bmHeight);
    platform::WindowDC screen(nullptr);
    GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(size.bmHeight), rows.data(), &format,
              DIB_RGB_COLORS);
    return rows;
}

// A bitmap picture as the program sees it: its size in HIMETRIC, what kind of bitmap it is, and its
// pixels.
std::string BitmapPixels(HBITMAP bitmap, long widthHimetric, long heightHimetric) {
    BITMAP size{};
    std::vector<std::uint32_t> rows = Rows(bitmap, size);
    if (rows.empty()) return "(no bitmap)";
    DIBSECTION dib{};
    return std::to_string(widthHimetric) + " x " + std::to_string(heightHimetric) +
           (GetObjectA(bitmap, sizeof dib, &dib) == sizeof dib ? " DIB section " : " DDB ") +
           std::string(reinterpret_cast<const char*>(rows.data()), rows.size() * 4);
}

// What OLE makes of picture bytes: the pixels of a bitmap picture, or nothing when OLE refuses the
// data. The program decodes its own JPEGs without OLE and must come to the same.
std::optional<std::string> OlePixels(std::string_view bytes) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::memcpy(GlobalLock(memory), bytes.data(), bytes.size());
    GlobalUnlock(memory);
    Microsoft::WRL::ComPtr<IStream> stream;
    Microsoft::WRL::ComPtr<IPicture> picture;
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream)) ||
        FAILED(
            OleLoadPicture(stream.Get(), static_cast<LONG>(bytes.size()), FALSE, IID_PPV_ARGS(&picture))) ||
        !picture)
        return std::nullopt;
    OLE_HANDLE handle = 0;
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture->get_Handle(&handle);
    picture->get_Width(&width);
    picture->get_Height(&height);
    return BitmapPixels(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)), width, height);
}

std::optional<std::string> ProgramPixels(std::string_view bytes) {
    try {
        platform::Picture picture = platform::Picture::FromBytes(bytes, "test");
        if (picture.Type() != platform::PictureType::Bitmap) return "(not a bitmap)";
        return BitmapPixels(static_cast<HBITMAP>(picture.Handle()), picture.WidthHimetric(),
                            picture.HeightHimetric());
    } catch (const platform::PictureError&) {
        return std::nullopt;
    }
}

}  // namespace

TEST(ProgramResources, BackgroundPicturesDecodeBitForBitAsOleDecodesThemEvenDamaged) {
    OleInitialize(nullptr);
    for (const char* name : {"JPG_TAB0", "JPG_TAB1", "JPG_TAB2", "JPG_WINDOW", "JPG_GLASS"}) {
        SCOPED_TRACE(name);
        std::string bytes(platform::ResourceData(name));
        std::optional<std::string> ole = OlePixels(bytes);
        ASSERT_TRUE(ole);
        EXPECT_TRUE(ProgramPixels(bytes) == ole);

        // Cut short, with a byte changed anywhere, progressive or with subsampled colour: the
        // program's picture is OLE's, or both refuse the data.
        std::vector<std::string> variants;
        for (std::size_t length : {bytes.size() - 2, bytes.size() / 2, std::size_t{700}, std::size_t{160}})
            variants.push_back(bytes.substr(0, length));
        for (std::size_t at = 2; at < bytes.size(); at += bytes.size() / 30 + 1) {
            variants.push_back(bytes);
            variants.back()[at] = static_cast<char>(variants.back()[at] ^ 0x24);
        }
        std::size_t frame = bytes.find("\xFF\xC0");
        ASSERT_NE(frame, std::string::npos);
        variants.push_back(bytes);
        variants.back()[frame + 1] = '\xC2';
        variants.push_back(bytes);
        variants.back()[frame + 11] = 0x22;
        for (std::size_t i = 0; i < variants.size(); ++i)
            EXPECT_TRUE(ProgramPixels(variants[i]) == OlePixels(variants[i])) << "variant " << i;
    }
}
