// The layout text form: what it reads, what it reports, that writing and reading give the same tree,
// and the property bag's typed reads.
#include "platform/layout/layout.h"

#include <gtest/gtest.h>

#include "platform/layout/property_bag.h"

using namespace platform;

namespace {

const char* kPage = R"(' a page with one control group and nesting
Begin Page frmTest
    Caption = "Test ""page"""
    BackColor = &H00FFC0C0&
    Begin TabDlg.SSTab MainTab
        Begin PictureBox PicBox(0)
            Begin Catalog.TamrixButton cmdChoice(12)
                TX = "Line 1\r\nLine 2 \\ done"
                ENAB = True
                FONT = Font("Arial", 9.75, Bold Underline)
                MPTR = -1
                PICN = Picture("ICON_CALLWARDEN")
                PICH = Nothing
                SIZE = 9.5
            End
        End
    End
End
)";

}  // namespace

TEST(Layout, ReadsNestedBlocksValuesAndIndexes) {
    ParsedLayout parsed = ParseLayout(kPage);
    ASSERT_TRUE(parsed.ok()) << parsed.diagnostics.front().ToString();
    const LayoutNode& root = parsed.root;
    EXPECT_EQ(root.name, "frmTest");
    EXPECT_EQ(std::get<std::string>(root.Find("Caption")->value), "Test \"page\"");
    EXPECT_EQ(std::get<WholeNumber>(root.Find("BackColor")->value).value, 0x00FFC0C0);

    const LayoutNode& button = root.children.at(0).children.at(0).children.at(0);
    EXPECT_EQ(button.className, "Catalog.TamrixButton");
    EXPECT_EQ(button.DisplayName(), "cmdChoice(12)");
    EXPECT_EQ(std::get<std::string>(button.Find("TX")->value), "Line 1\r\nLine 2 \\ done");
    EXPECT_EQ(std::get<bool>(button.Find("ENAB")->value), true);
    EXPECT_EQ(std::get<FontValue>(button.Find("FONT")->value),
              (FontValue{"Arial", 9.75, true, false, true, false}));
    EXPECT_EQ(std::get<WholeNumber>(button.Find("MPTR")->value).value, -1);
    EXPECT_EQ(std::get<PictureRef>(button.Find("PICN")->value).resource, "ICON_CALLWARDEN");
    EXPECT_TRUE(std::holds_alternative<Nothing>(button.Find("PICH")->value));
    EXPECT_DOUBLE_EQ(std::get<double>(button.Find("SIZE")->value), 9.5);
}

TEST(Layout, WritingAndReadingBackGivesTheSameTree) {
    ParsedLayout first = ParseLayout(kPage);
    std::string written = WriteLayout(first.root);
    ParsedLayout second = ParseLayout(written);
    ASSERT_TRUE(second.ok());
    EXPECT_EQ(WriteLayout(second.root), written);
    const LayoutNode& a = first.root.children[0].children[0].children[0];
    const LayoutNode& b = second.root.children[0].children[0].children[0];
    ASSERT_EQ(a.properties.size(), b.properties.size());
    for (std::size_t i = 0; i < a.properties.size(); ++i)
        EXPECT_TRUE(a.properties[i].value == b.properties[i].value) << a.properties[i].key;

    std::string text = std::string("tab\there, bell\x07, quote \" and high \xE9\xFF") + '\0' + "after nul";
    ParsedLayout back =
        ParseLayout(WriteLayout(LayoutNode{"Page", "p", std::nullopt, {{"T", text, 0}}, {}, 0}));
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(std::get<std::string>(back.root.Find("T")->value), text);
}

TEST(Layout, EveryProblemIsReportedWithPageControlKeyAndLine) {
    const char* broken = R"(Begin Page frmBad
    Begin Catalog.TamrixButton cmdOne
        BTYPE = fourteen
        TX = "no closing quote
        BCOL = &HZZ
        FX = 99999999999999999999
        FONT = Font("Arial")
        just some words
        PICN = Picture("")
    End
    Begin Label lbl(70000)
    End
)";
    ParsedLayout parsed = ParseLayout(broken);
    ASSERT_GE(parsed.diagnostics.size(), 8u);
    EXPECT_EQ(parsed.diagnostics[0].ToString(),
              "page frmBad, control cmdOne, key BTYPE (line 3): unknown word 'fourteen'");
    // The page is still read: the control exists, with none of the broken values.
    ASSERT_EQ(parsed.root.children.size(), 1u);
    EXPECT_TRUE(parsed.root.children[0].properties.empty());
    EXPECT_NE(parsed.diagnostics.back().message.find("no matching 'End'"), std::string::npos);
}

TEST(PropertyBag, TypedReadsConvertOrFallBackWithAReport) {
    ParsedLayout parsed = ParseLayout(R"(Begin Page p
    Begin Catalog.TamrixButton cmd
        BTYPE = 3.5
        COLTYPE = "4"
        ENAB = 0
        BCOL = &H8000000F&
        FCOL = -2147483643
        MPTR = 40000
        PICPOS = "left"
        SOFT = "True"
        FONT = 12
        TX = 42
    End
End
)");
    ASSERT_TRUE(parsed.ok());
    std::vector<LayoutDiagnostic> problems;
    PropertyBag bag(parsed.root.children[0], "p", &problems);
    EXPECT_EQ(bag.ReadLong("BTYPE", 2), 4);  // a half goes to the even neighbour
    EXPECT_EQ(bag.ReadLong("COLTYPE", 1), 4);
    EXPECT_FALSE(bag.ReadTruth("ENAB", true));
    EXPECT_EQ(bag.ReadColour("BCOL", 0), 0x8000000Fu);
    EXPECT_EQ(bag.ReadColour("FCOL", 0), 0x80000005u);
    EXPECT_EQ(bag.ReadInteger("MPTR", 0), 0);  // does not fit in 16 bits
    EXPECT_EQ(bag.ReadLong("PICPOS", 0), 0);
    EXPECT_TRUE(bag.ReadTruth("SOFT", false));
    EXPECT_EQ(bag.ReadFont("FONT", FontValue{}).name, "MS Sans Serif");
    EXPECT_EQ(bag.ReadText("TX", ""), "42");
    EXPECT_EQ(bag.ReadLong("MISSING", 2), 2);
    ASSERT_EQ(problems.size(), 3u);
    EXPECT_EQ(problems[0].key + problems[1].key + problems[2].key, "MPTRPICPOSFONT");
    EXPECT_EQ(problems[0].page + "/" + problems[0].control, "p/cmd");
}
