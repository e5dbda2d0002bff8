// Where every printed word lands (page, and x and y in points from the corner of the printable area)
// for the longest description, the order form as the product page builds it, a text of exactly one
// page, one of fifty lines, a word too long for a line, and a header on every page. The words come
// twice: from the recording printer with the widths of Arial 10 on a 300-dpi printer, and from the
// printer's driver drawing into a metafile of such a printer. Both must read as printed_words.txt,
// which scripts/printed_words.sh writes anew after a reviewed change. Texts that try the limits of a
// line and the kinds of line end are printed too, by the recording printer alone with every character
// 1/8 inch wide and every line 1/4 inch high, so that a character ends exactly on a limit.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>

#include "../pages/pages_fixture.h"
#include "platform/printing/gdi_printer.h"
#include "platform/win32/gdi.h"
#include "support/fake_owner.h"

// After the Windows headers that it builds on.
#include <winspool.h>

namespace {

using Lines = std::vector<std::string>;

constexpr int kDpi = 300;
const std::string kExpectedFile = CATALOG_TESTS_DIR "/unit/printing/printed_words.txt";

// A printer for metafiles to refer to, so that they have a printer's resolution: one of Wine's PostScript
// driver, of 300 dpi, registered while this lives. The default printer stays as it was.
class ReferencePrinter {
public:
    ReferencePrinter() {
        char folder[MAX_PATH] = "";
        GetTempPathA(MAX_PATH, folder);
        description_ = std::string(folder) + "catalog-reference.ppd";
        std::ofstream(description_, std::ios::binary)
            << "*PPD-Adobe: \"4.3\"\n*DefaultResolution: 300dpi\n*DefaultPageSize: Letter\n"
               "*PageSize Letter: \"\"\n*ImageableArea Letter: \"18 36 594 756\"\n"
               "*PaperDimension Letter: \"612 792\"\n";
        DRIVER_INFO_3A driver{};
        driver.cVersion = 3;
        driver.pName = name_;
        driver.pDriverPath = driver.pConfigFile = const_cast<char*>("wineps.drv");
        driver.pDataFile = description_.data();
        AddPrinterDriverExA(nullptr, 3, reinterpret_cast<BYTE*>(&driver),
                            APD_COPY_NEW_FILES | APD_COPY_FROM_DIRECTORY);
        PRINTER_INFO_2A printer{};
        printer.pPrinterName = printer.pDriverName = name_;
        printer.pPortName = const_cast<char*>("FILE:");
        printer.pPrintProcessor = const_cast<char*>("WinPrint");
        printer.pDatatype = const_cast<char*>("RAW");
        handle_ = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&printer));
        if (!handle_) OpenPrinterA(name_, &handle_, nullptr);  // left behind by a run that crashed
        ic_ = CreateICA(nullptr, name_, nullptr, nullptr);
    }
    ~ReferencePrinter() {
        if (ic_) DeleteDC(ic_);
        if (handle_) DeletePrinter(handle_), ClosePrinter(handle_);
        DeletePrinterDriverA(nullptr, nullptr, name_);
        DeleteFileA(description_.c_str());
    }
    ReferencePrinter(const ReferencePrinter&) = delete;
    ReferencePrinter& operator=(const ReferencePrinter&) = delete;
    HDC ic() const { return ic_; }

private:
    char name_[32] = "Catalog reference printer";
    std::string description_;
    HANDLE handle_ = nullptr;
    HDC ic_ = nullptr;
};

// One printed character: its page, where it was drawn and where the next one would go in points, the
// character and its underline.
struct Mark {
    int page;
    double x, y, end;
    char c;
    bool underlined;
};

// The words, runs of characters without a blank drawn one after the other, as "page x y word" ("_word_"
// underlined; a carriage return printed as a character shows as \r).
Lines Words(const std::vector<Mark>& marks) {
    Lines words;
    std::string word;
    Mark first{}, last{};
    auto end = [&] {
        char place[40];
        std::snprintf(place, sizeof place, "%d %7.2f %7.2f ", first.page, first.x, first.y);
        if (!word.empty()) words.push_back(place + (first.underlined ? "_" + word + "_" : word));
        word.clear();
    };
    for (const Mark& mark : marks) {
        if (mark.c == ' ' || mark.page != last.page || mark.y != last.y || mark.x != last.end) end();
        if (word.empty()) first = mark;
        if (mark.c != ' ') word += mark.c == '\r' ? std::string("\\r") : std::string(1, mark.c);
        last = mark;
    }
    end();
    return words;
}

Lines RecordedWords(const testing_support::RecordingPrinter& printer) {
    std::vector<Mark> marks;
    for (const auto& piece : printer.pieces) {
        double x = piece.x;
        for (char c : piece.text) {
            double end = x + printer.Width({&c, 1});
            if (c != '\n') marks.push_back({piece.page, x * 72, piece.y * 72, end * 72, c, piece.underline});
            x = end;
        }
    }
    return Words(marks);
}

// The driver on a metafile, which has no pages: each new page leaves a comment for the reader.
constexpr char kNewPage[] = "new page";
class PagedMetafilePrinter : public platform::GdiPrinter {
public:
    explicit PagedMetafilePrinter(HDC metafile) : GdiPrinter(metafile), dc_(metafile) {}
    void NewPage() override {
        GdiPrinter::NewPage();
        GdiComment(dc_, sizeof kNewPage, reinterpret_cast<const BYTE*>(kNewPage));
    }

private:
    HDC dc_;
};

struct Collected {
    int page = 1;
    std::map<DWORD, bool> underlinedFonts;  // by handle number
    bool underlined = false;
    std::vector<Mark> marks;
};

int CALLBACK Collect(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data) {
    auto& collected = *reinterpret_cast<Collected*>(data);
    const auto* bytes = reinterpret_cast<const char*>(record);
    if (record->iType == EMR_GDICOMMENT &&
        std::string_view(bytes + offsetof(EMRGDICOMMENT, Data)) == kNewPage)
        ++collected.page;
    if (record->iType == EMR_EXTCREATEFONTINDIRECTW) {
        const auto& font = *reinterpret_cast<const EMREXTCREATEFONTINDIRECTW*>(record);
        collected.underlinedFonts[font.ihFont] = font.elfw.elfLogFont.lfUnderline;
    }
    if (record->iType == EMR_SELECTOBJECT) {
        auto font =
            collected.underlinedFonts.find(reinterpret_cast<const EMRSELECTOBJECT*>(record)->ihObject);
        if (font != collected.underlinedFonts.end()) collected.underlined = font->second;
    }
    if (record->iType != EMR_EXTTEXTOUTW) return 1;
    const EMRTEXT& text = reinterpret_cast<const EMREXTTEXTOUTW*>(record)->emrtext;
    const auto* characters = reinterpret_cast<const WCHAR*>(bytes + text.offString);
    const auto* advances = reinterpret_cast<const INT*>(bytes + text.offDx);
    for (int x = text.ptlReference.x, i = 0; i < int(text.nChars); x += advances[i++]) {
        double y = text.ptlReference.y * 72.0 / kDpi;
        collected.marks.push_back({collected.page, x * 72.0 / kDpi, y, (x + advances[i]) * 72.0 / kDpi,
                                   char(characters[i]), collected.underlined});
    }
    return 1;
}

std::string NumberedLines(int count) {
    std::string text;
    for (int n = 1; n <= count; ++n) text += "Line " + std::to_string(n) + "\r\n";
    return text;
}

// Where two lists of words part, or nothing when they agree.
std::string FirstDifference(const Lines& actual, const Lines& expected) {
    auto [a, e] = std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
    auto at = [](auto line, const Lines& lines) {
        return line == lines.end() ? "the end" : "'" + *line + "'";
    };
    if (a == actual.end() && e == expected.end()) return "";
    return "line " + std::to_string(a - actual.begin() + 1) + " is " + at(a, actual) + ", not " +
           at(e, expected);
}

}  // namespace

TEST(PrintedWords, EveryWordLandsWhereTheReviewedListSays) {
    // The reference printer is one of Wine's, and the list holds where Wine's Arial puts the words.
    if (!GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version")) GTEST_SKIP() << "not under Wine";
    ReferencePrinter reference;
    ASSERT_NE(reference.ic(), nullptr) << "no printer for the metafiles to refer to";
    ASSERT_EQ(GetDeviceCaps(reference.ic(), LOGPIXELSY), kDpi);
    // Arial 10 on that printer: the width of each character and the height of a line.
    platform::Font arial(CreateFontA(-MulDiv(10, kDpi, 72), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET,
                                     OUT_TT_PRECIS, 0, 0, 0, "Arial"));
    std::vector<double> widths(256);
    TEXTMETRICA metrics{};
    {
        platform::Selection selection(reference.ic(), arial.get());
        INT pixels[256] = {};
        GetCharWidth32A(reference.ic(), 0, 255, pixels);
        for (int c = 0; c < 256; ++c) widths[c] = double(pixels[c]) / kDpi;
        GetTextMetricsA(reference.ic(), &metrics);
    }

    ProductPage product("Moonvolley");
    const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    auto print = [](const std::string& text, const std::string& header = "", bool underline = true,
                    bool everyPage = true) {
        testing_support::FakeOwner owner;
        common::PrintText(owner, text, header, underline, everyPage);
    };
    const std::string fixed = "1/8 inch a character: ";
    const std::pair<std::string, std::function<void()>> jobs[] = {
        {"the longest description", [&] { print(platform::LoadResString(5)); }},
        {"the order form for Moonvolley", [&] { product.page->cmdPrintOrderForm_Click(); }},
        {"49 lines: exactly one page", [&] { print(NumberedLines(49)); }},
        {"50 lines: two pages", [&] { print(NumberedLines(50)); }},
        {"a word of 104 letters", [&] { print(alphabet + alphabet + alphabet + alphabet); }},
        {"100 lines under a header on every page", [&] { print(NumberedLines(100), "Price list"); }},
        // A line is cut after the character that passes 8 inches, not one that ends there; a blank ends
        // it only once 6.5 inches are passed.
        {fixed + "the limits of a line",
         [&] {
             print(std::string(100, 'W') + "\r\n" + std::string(56, 'W') + " x\r\n" + std::string(43, 'a') +
                   " " + std::string(10, 'b') + " c\r\n" + std::string(44, 'a') + " " + std::string(10, 'b') +
                   " c");
         }},
        {fixed + "only CR LF ends a line", [&] { print("\n\rB\r\nA\rB\r\nA\nB\r\nA\r\n\r\nB\r\n"); }},
        {fixed + "40 lines under an underlined header on the first page",
         [&] { print(NumberedLines(40), "Report", true, false); }},
        {fixed + "40 lines under a header on every page", [&] { print(NumberedLines(40), "Report", false); }},
        {fixed + "nothing at all under a header", [&] { print("", "Header"); }},
    };
    Lines recorded, drawn;
    for (const auto& [title, job] : jobs) {
        recorded.push_back("# " + title);
        drawn.push_back(recorded.back());
        const bool fixedWidths = title.rfind(fixed, 0) == 0;
        testing_support::RecordingPrinter recording;
        recording.charWidth = 0.125;
        if (!fixedWidths) recording.charWidths = widths;
        recording.lineHeight =
            fixedWidths ? 0.25 : double(metrics.tmHeight + metrics.tmExternalLeading) / kDpi;
        product.system.printer = &recording;
        job();
        Lines words = RecordedWords(recording);
        recorded.insert(recorded.end(), words.begin(), words.end());
        if (fixedWidths) {  // no driver prints with such widths
            drawn.insert(drawn.end(), words.begin(), words.end());
            continue;
        }

        HDC dc = CreateEnhMetaFileA(reference.ic(), nullptr, nullptr, nullptr);
        {
            PagedMetafilePrinter driver(dc);
            product.system.printer = &driver;
            job();
        }
        HENHMETAFILE metafile = CloseEnhMetaFile(dc);
        Collected collected;
        EnumEnhMetaFile(nullptr, metafile, Collect, &collected, nullptr);
        DeleteEnhMetaFile(metafile);
        words = Words(collected.marks);
        drawn.insert(drawn.end(), words.begin(), words.end());
    }
    product.system.printer = &product.printer;
    EXPECT_TRUE(product.system.messages.empty());

    if (std::getenv("CATALOG_WRITE_PRINTED_WORDS")) {
        ASSERT_EQ(FirstDifference(drawn, recorded), "") << "the driver and the recording printer disagree";
        std::ofstream out(kExpectedFile, std::ios::binary);
        for (const std::string& line : recorded) out << line << "\n";
        ASSERT_TRUE(out.good()) << kExpectedFile;
    }
    Lines expected;
    std::ifstream in(kExpectedFile, std::ios::binary);
    for (std::string line; std::getline(in, line);) expected.push_back(line);
    ASSERT_FALSE(expected.empty()) << "cannot read " << kExpectedFile;
    EXPECT_EQ(FirstDifference(recorded, expected), "") << "recording printer";
    EXPECT_EQ(FirstDifference(drawn, expected), "") << "printer driver on a metafile";
}
