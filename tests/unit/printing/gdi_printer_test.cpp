// The printer object on a real GDI device: PrintText into an enhanced metafile, whose records tell
// where each character went and with which font.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "common/print_text.h"
#include "fake_owner.h"
#include "platform/gdi.h"
#include "platform/gdi_printer.h"
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

TEST(GdiPrinter, TheFirstCharacterIsOneInchInAndLinesAdvanceByTheFontHeight) {
    Recording recording = PrintIntoMetafile("AB\r\nC\r\n\r\nD");
    ASSERT_GT(recording.dpiX, 0);
    Arial10 arial;
    ASSERT_GT(arial.lineHeight, 0);

    ASSERT_EQ(recording.texts.size(), 4u);  // one output per character
    EXPECT_EQ(recording.texts[0].text, "A");
    EXPECT_EQ(recording.texts[0].x, recording.dpiX);
    EXPECT_EQ(recording.texts[0].y, recording.dpiY);
    EXPECT_EQ(recording.texts[1].text, "B");
    EXPECT_EQ(recording.texts[1].x, recording.dpiX + arial.widthOfA);
    EXPECT_EQ(recording.texts[1].y, recording.dpiY);
    EXPECT_EQ(recording.texts[2].text, "C");
    EXPECT_EQ(recording.texts[2].x, recording.dpiX);
    EXPECT_EQ(recording.texts[2].y, recording.dpiY + arial.lineHeight);
    EXPECT_EQ(recording.texts[3].text, "D");
    EXPECT_EQ(recording.texts[3].y, recording.dpiY + 3 * arial.lineHeight);

    ASSERT_FALSE(recording.fonts.empty());
    const LOGFONTW& font = recording.fonts.back();
    EXPECT_EQ(std::wstring(font.lfFaceName), L"Arial");
    EXPECT_EQ(font.lfHeight, -static_cast<LONG>(std::lround(10.0 * recording.dpiY / 72)));
    EXPECT_EQ(font.lfWeight, FW_NORMAL);
    EXPECT_FALSE(font.lfItalic);
    EXPECT_FALSE(font.lfUnderline);
}

TEST(GdiPrinter, PageNumbersStandAtSixAndNinePointTwoInches) {
    std::string text;
    for (int n = 1; n <= 60; ++n) text += "Line " + std::to_string(n) + "\r\n";
    Recording recording = PrintIntoMetafile(text);
    std::string number;
    int x = 0, y = 0;
    for (const TextRecord& record : recording.texts)
        if (record.text.size() > 1) {
            number = record.text;
            x = record.x;
            y = record.y;
        }
    EXPECT_EQ(number, "(page 2)");
    EXPECT_EQ(x, 6 * recording.dpiX);
    EXPECT_EQ(y, static_cast<int>(std::lround(9.2 * recording.dpiY)));
}

TEST(GdiPrinter, AnUnderlinedHeaderGetsAnUnderlinedFontAndTheTextAPlainOne) {
    Recording recording = PrintIntoMetafile("x", "Head", true);
    ASSERT_EQ(recording.texts.size(), 2u);
    EXPECT_EQ(recording.texts[0].text, "Head");
    EXPECT_EQ(recording.texts[0].y, recording.dpiY);
    EXPECT_EQ(recording.texts[1].y, static_cast<int>(std::lround(1.5 * recording.dpiY)));
    ASSERT_GE(recording.fonts.size(), 2u);
    EXPECT_TRUE(recording.fonts.front().lfUnderline);
    EXPECT_FALSE(recording.fonts.back().lfUnderline);
}

TEST(GdiPrinter, JobsLeakNoGdiObjects) {
    std::string text;
    for (int n = 1; n <= 60; ++n) text += "Line " + std::to_string(n) + "\r\n";
    for (int i = 0; i < 3; ++i) PrintIntoMetafile(text, "Head", true);  // warm-up: caches settle
    int before = testing_support::GdiObjectCount();
    for (int i = 0; i < 40; ++i) PrintIntoMetafile(text, "Head", true);
    EXPECT_EQ(testing_support::GdiObjectCount(), before);
}
