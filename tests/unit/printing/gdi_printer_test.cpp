// The printer object on a real GDI device: PrintText into an enhanced metafile, whose records tell
// where each character went and with which font.
#include "platform/gdi_printer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "common/print_text.h"
#include "fake_owner.h"
#include "platform/gdi.h"
#include "support/fake_system.h"
#include "support/gdi_count.h"

namespace {

struct TextRecord {
    int x;
    int y;
    std::string text;
};

struct Recording {
    std::vector<TextRecord> texts;
    std::vector<LOGFONTW> fonts;
    int dpiX = 0;
    int dpiY = 0;
};

int CALLBACK CollectRecord(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data) {
    auto& recording = *reinterpret_cast<Recording*>(data);
    const auto* bytes = reinterpret_cast<const char*>(record);
    if (record->iType == EMR_EXTTEXTOUTW || record->iType == EMR_EXTTEXTOUTA) {
        const auto& out = *reinterpret_cast<const EMREXTTEXTOUTW*>(record);
        std::string text;
        for (DWORD n = 0; n < out.emrtext.nChars; ++n) {
            if (record->iType == EMR_EXTTEXTOUTW)
                text += static_cast<char>(reinterpret_cast<const WCHAR*>(bytes + out.emrtext.offString)[n]);
            else
                text += bytes[out.emrtext.offString + n];
        }
        recording.texts.push_back({out.emrtext.ptlReference.x, out.emrtext.ptlReference.y, text});
    } else if (record->iType == EMR_EXTCREATEFONTINDIRECTW) {
        recording.fonts.push_back(reinterpret_cast<const EMREXTCREATEFONTINDIRECTW*>(record)->elfw.elfLogFont);
    }
    return 1;
}

// Runs PrintText on a GdiPrinter that draws into a fresh metafile (referenced to the screen).
Recording PrintIntoMetafile(const std::string& text, const std::string& header = "", bool underline = false) {
    Recording recording;
    HDC dc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    EXPECT_NE(dc, nullptr);
    recording.dpiX = GetDeviceCaps(dc, LOGPIXELSX);
    recording.dpiY = GetDeviceCaps(dc, LOGPIXELSY);
    {
        testing_support::FakeSystem system;
        platform::GdiPrinter printer(dc);
        system.printer = &printer;
        FakeOwner owner;
        common::PrintText(owner, text, header, underline, false);
        EXPECT_TRUE(system.messages.empty());
    }
    HENHMETAFILE metafile = CloseEnhMetaFile(dc);
    EnumEnhMetaFile(nullptr, metafile, CollectRecord, &recording, nullptr);
    DeleteEnhMetaFile(metafile);
    return recording;
}

std::string LongText() {
    std::string text;
    for (int n = 1; n <= 60; ++n) text += "Line " + std::to_string(n) + "\r\n";
    return text;
}

// Line height and the width of a text in Arial 10 on the screen, which the metafile refers to.
struct Arial10 {
    Arial10() {
        platform::WindowDC screen(nullptr);
        int height = static_cast<int>(std::lround(10.0 * GetDeviceCaps(screen.get(), LOGPIXELSY) / 72));
        platform::Font font(
            CreateFontA(-height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_TT_PRECIS, 0, 0, 0, "Arial"));
        platform::Selection select(screen.get(), font.get());
        TEXTMETRICA metrics{};
        GetTextMetricsA(screen.get(), &metrics);
        lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
        SIZE size{};
        GetTextExtentPoint32A(screen.get(), "A", 1, &size);
        widthOfA = size.cx;
    }
    int lineHeight = 0;
    int widthOfA = 0;
};

}  // namespace

TEST(GdiPrinter, CharactersLinesHeaderAndPageNumberLandWhereTheLayoutPutsThem) {
    Recording recording = PrintIntoMetafile("AB\r\nC\r\n\r\nD");
    Arial10 arial;
    ASSERT_GT(arial.lineHeight, 0);
    const int inchX = recording.dpiX, inchY = recording.dpiY;
    // One output per character; lines advance by the font's height.
    const TextRecord expected[] = {{inchX, inchY, "A"},
                                   {inchX + arial.widthOfA, inchY, "B"},
                                   {inchX, inchY + arial.lineHeight, "C"},
                                   {inchX, inchY + 3 * arial.lineHeight, "D"}};
    ASSERT_EQ(recording.texts.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(recording.texts[i].text, expected[i].text);
        EXPECT_EQ(recording.texts[i].x, expected[i].x) << expected[i].text;
        EXPECT_EQ(recording.texts[i].y, expected[i].y) << expected[i].text;
    }
    ASSERT_FALSE(recording.fonts.empty());
    const LOGFONTW& font = recording.fonts.back();
    EXPECT_EQ(std::wstring(font.lfFaceName), L"Arial");
    EXPECT_EQ(font.lfHeight, -static_cast<LONG>(std::lround(10.0 * inchY / 72)));
    EXPECT_EQ(font.lfWeight, FW_NORMAL);
    EXPECT_FALSE(font.lfItalic || font.lfUnderline);

    // An underlined header gets an underlined font, the text a plain one; a page number stands at 6, 9.2.
    recording = PrintIntoMetafile(LongText(), "Head", true);
    EXPECT_EQ(recording.texts.front().text, "Head");
    EXPECT_EQ(recording.texts[1].y, static_cast<int>(std::lround(1.5 * inchY)));
    EXPECT_TRUE(recording.fonts.front().lfUnderline);
    EXPECT_FALSE(recording.fonts.back().lfUnderline);
    auto number = std::find_if(recording.texts.begin(), recording.texts.end(),
                               [](const TextRecord& r) { return r.text == "(page 2)"; });
    ASSERT_NE(number, recording.texts.end());
    EXPECT_EQ(number->x, 6 * inchX);
    EXPECT_EQ(number->y, static_cast<int>(std::lround(9.2 * inchY)));
}

TEST(GdiPrinter, JobsLeakNoGdiObjects) {
    for (int i = 0; i < 3; ++i) PrintIntoMetafile(LongText(), "Head", true);  // warm-up: caches settle
    int before = testing_support::GdiObjectCount();
    for (int i = 0; i < 40; ++i) PrintIntoMetafile(LongText(), "Head", true);
    EXPECT_EQ(testing_support::GdiObjectCount(), before);
}
