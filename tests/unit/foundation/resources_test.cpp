// What the exe carries: the texts in their formats, the version, and every picture.
#include "platform/resources.h"

#include <gtest/gtest.h>

#include <cctype>
#include <vector>

#include "app/catalog_table.h"
#include "common/maker.h"
#include "platform/picture.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (true) {
        std::size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) return lines;
        start = end + 2;
    }
}

// Printable ASCII, with CR only before LF and LF only after CR, and no break at the end.
void ExpectPlainText(const std::string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '\r') {
            ASSERT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "lone CR at " << i;
        } else if (c == '\n') {
            ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "lone LF at " << i;
        } else {
            ASSERT_TRUE(c >= 0x20 && c <= 0x7E) << "character " << int(c) << " at " << i;
        }
    }
    ASSERT_FALSE(text.size() >= 2 && text.substr(text.size() - 2) == "\r\n");
}

}  // namespace

TEST(StringResources, DescriptionsFollowTheirFormat) {
    const std::vector<int> premium = {4, 5, 6, 10, 12, 14};
    for (int id = 1; id <= 18; ++id) {
        SCOPED_TRACE("description " + std::to_string(id));
        std::string text = platform::LoadResString(id);
        ExpectPlainText(text);
        EXPECT_GE(text.size(), 628u);
        EXPECT_LE(text.size(), 2155u);
        std::vector<std::string> lines = Lines(text);
        EXPECT_GE(lines.size(), 9u);
        EXPECT_LE(lines.size(), 27u);
        std::string name(app::kProductNameTable[static_cast<std::size_t>(id - 1)]);
        bool isPremium = std::find(premium.begin(), premium.end(), id) != premium.end();
        EXPECT_EQ(lines[0], isPremium ? name + " - Premium Version!" : name);
        EXPECT_FALSE(lines[1].empty());
        EXPECT_LE(lines[1].size(), 47u);
        EXPECT_EQ(lines[2], app::CatalogTable()[static_cast<std::size_t>(id - 1)].priceText);
        EXPECT_TRUE(lines[3].empty());
        // Body: paragraphs on one line each, separated by exactly one empty line.
        for (std::size_t i = 4; i < lines.size(); ++i) {
            bool paragraph = (i - 4) % 2 == 0;
            EXPECT_EQ(lines[i].empty(), !paragraph) << "line " << i + 1;
            EXPECT_LE(lines[i].size(), 506u);
        }
        EXPECT_FALSE(lines.back().empty());
    }
}

TEST(StringResources, OrderFormAndWelcomeText) {
    std::string form = platform::LoadResString(100);
    ExpectPlainText(form);
    EXPECT_EQ(form.size(), 496u);
    std::vector<std::string> lines = Lines(form);
    ASSERT_EQ(lines.size(), 30u);
    EXPECT_EQ(lines[0] + "|" + lines[1] + "|" + lines[2] + "|" + lines[3],
              "Mail this form to|" + std::string(common::MakerName) + "|" + std::string(common::MakerPostBox) + "|" +
                  std::string(common::MakerCity));
    EXPECT_EQ(lines[6], std::string(12, ' ') + "User Name: " + std::string(43, '_'));
    EXPECT_EQ(lines[16], std::string(20, ' ') + "attn:");
    EXPECT_EQ(lines[22], std::string(17, ' ') + "Email: " + std::string(16, '_') + "@" + std::string(19, '_'));
    EXPECT_EQ(lines[29], "Comments/Notes:");

    std::string welcome = platform::LoadResString(200);
    ExpectPlainText(welcome);
    EXPECT_EQ(welcome.size(), 892u);
    std::vector<std::string> welcomeLines = Lines(welcome);
    ASSERT_EQ(welcomeLines.size(), 7u);
    EXPECT_NE(welcomeLines[0].find("Tamrix Software"), std::string::npos);
    EXPECT_TRUE(welcomeLines[1].empty() && welcomeLines[3].empty() && welcomeLines[5].empty());

    EXPECT_EQ(platform::LoadResString(19), "");
}

TEST(ProgramResources, TitleVersionFolderAndEveryPicture) {
    EXPECT_EQ(platform::ApplicationTitle(), "Catalog");
    platform::AppVersion version = platform::ApplicationVersion();
    EXPECT_EQ(std::vector<int>({version.major, version.minor, version.revision}), std::vector<int>({2026, 12, 6}));
    EXPECT_NE(platform::ApplicationFolder().back(), '\\');

    std::vector<std::tuple<std::string, platform::PictureType, int, int>> expected = {
        {"JPG_TAB0", platform::PictureType::Bitmap, 100, 90},   {"JPG_TAB1", platform::PictureType::Bitmap, 100, 90},
        {"JPG_TAB2", platform::PictureType::Bitmap, 100, 90},   {"JPG_WINDOW", platform::PictureType::Bitmap, 75, 150},
        {"JPG_GLASS", platform::PictureType::Bitmap, 200, 200}, {"CURSOR_ARROW", platform::PictureType::Icon, 32, 32}};
    for (std::string_view name : app::kProductNameTable) {
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

    // Damaged picture data is an error, not a crash.
    for (std::string bytes : {std::string(platform::ResourceData("JPG_GLASS").substr(0, 20)),
                              std::string(platform::ResourceData("ICON_SUMSTAR").substr(0, 30)),
                              std::string("not a picture at all"), std::string()})
        EXPECT_THROW(platform::Picture::FromBytes(bytes, "damaged"), platform::PictureError) << bytes.size();
}
