#include "page/desktop_page.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include <unistd.h>

#include "page/html_color.h"

namespace vallora {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Golden(const std::string& name) {
    return ReadFile(fs::path(VALLORA_FIXTURES) / "page" / name);
}

// Icon entry, picture entry, text link and an icon on the page colour.
Definition KioskDefinition() {
    Definition definition;
    definition.BackgroundPicture = "C:\\Desks\\back.jpg";
    definition.Left = "10";
    definition.Top = "20";
    definition.Width = "1024";
    definition.Height = "700";
    definition.SetApplicationAndLink("Notepad", "C:\\Windows\\notepad.exe", "", "Center", 0, 1, 0,
                                     0);
    definition.SetApplicationAndLink("Letters", "C:\\Docs\\letter.txt",
                                     "C:\\Desks\\pics\\letter.bmp", "Left", 0, 1, 0, 1);
    definition.SetApplicationAndLink("Vallora site", "http://www.example.com/", "", "Right", 1, 1,
                                     1, 3);
    definition.SetApplicationAndLink("Paint <new>", "C:\\Windows\\system32\\mspaint.exe", "", "", 0,
                                     0, 12, 6);
    return definition;
}

// No entries, no frame, full screen, colours away from the defaults.
Definition BareDefinition() {
    Definition definition;
    definition.BackColor = 1 + 256 * 2 + 65536 * 3;
    definition.TextColor = 0;
    definition.WindowLess = 1;
    definition.FullScreen = 1;
    definition.Left = "10";  // ignored in full screen
    return definition;
}

class FakeIconPort : public IconPort {
  public:
    bool CreateIconFolder(const std::string& folder) override {
        calls.push_back("folder " + folder);
        return true;
    }
    bool ExtractIconToBitmap(const std::string& source, int32_t backColor,
                             const std::string& fileName, std::string& folder) override {
        calls.push_back("icon " + source + " " + std::to_string(backColor) + " " + folder +
                        fileName);
        if (pageToWatch) pageExistedDuringExtraction |= fs::exists(*pageToWatch);
        folder += "(changed)";  // the generator must not rely on its folder after the call
        return fileName != failingName;
    }

    std::vector<std::string> calls;
    std::string failingName;
    std::optional<fs::path> pageToWatch;
    bool pageExistedDuringExtraction = false;
};

class TempFolder {
  public:
    TempFolder()
        : path_(fs::temp_directory_path() /
                ("vallora_page_" + std::to_string(::getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~TempFolder() { fs::remove_all(path_); }
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

TEST(DesktopPage, ComposesGoldenPages) {
    const ComposedPage kiosk = ComposeDesktopPage(KioskDefinition(), "C:\\Desks\\Kiosk.hta");
    EXPECT_EQ(kiosk.text, Golden("kiosk.hta"));
    EXPECT_EQ(kiosk.iconFolder, "C:\\Desks\\Kiosk_Icons\\");
    EXPECT_THAT(
        kiosk.icons,
        ElementsAre(
            IconBitmapRequest{"C:\\Windows\\notepad.exe", kChromaKeyColor, "notepad.exe.bmp"},
            IconBitmapRequest{"C:\\Windows\\system32\\mspaint.exe", 15382088, "mspaint.exe.bmp"}));

    const ComposedPage bare = ComposeDesktopPage(BareDefinition(), "C:\\Desks\\Bare.hta");
    EXPECT_EQ(bare.text, Golden("bare.hta"));
    EXPECT_THAT(bare.icons, IsEmpty());
}

TEST(DesktopPage, WindowFrameAndPlacement) {
    struct Case {
        int windowLess;
        int fullScreen;
        std::string left, top, width, height;
        std::string border;
        std::string placement;
    };
    const std::string full = "self.moveTo(0,0);self.resizeTo(screen.availWidth,screen.availHeight)";
    const Case cases[] = {
        {0, 0, "0", "0", "800", "600", "Border=\"yes\"", "self.moveTo(0,0);self.resizeTo(800,600)"},
        {1, 0, "5", "7", "640", "480", "Border=\"none\"",
         "self.moveTo(5,7);self.resizeTo(640,480)"},
        {0, 1, "5", "7", "640", "480", "Border=\"yes\"", full},
        {2, 2, "5", "7", "640", "480", "Border=\"yes\"", full},
        // Position texts are inserted exactly as typed.
        {0, 0, " 5", "x", "", "-1", "Border=\"yes\"", "self.moveTo( 5,x);self.resizeTo(,-1)"},
    };
    for (const Case& c : cases) {
        Definition definition;
        definition.WindowLess = c.windowLess;
        definition.FullScreen = c.fullScreen;
        definition.Left = c.left;
        definition.Top = c.top;
        definition.Width = c.width;
        definition.Height = c.height;
        const std::string text = ComposeDesktopPage(definition, "C:\\D\\P.hta").text;
        EXPECT_THAT(text, HasSubstr("\r\n" + c.border + "\r\nInnerBorder")) << c.placement;
        EXPECT_THAT(text, HasSubstr("\r\n" + c.placement + "\r\n</script>")) << c.placement;
    }
}

TEST(DesktopPage, CellsRoutinesAndBitmaps) {
    const std::string td = "<td width=\"14%\" height=\"8%\" Align=\"";
    const std::string img = "\">\r\n<br style=\"line-height: 50%\"><IMG id=StartPgm";
    const std::string caption =
        "\" style=\"filter: Chroma(Color=#FF00FF)\" ></IMG></br>\r\n"
        "<br style=\"line-height: 50%\"><font size=\"1\" face=\"MS Sans Serif\">";
    const std::string link =
        "\">\r\n<br style=\"line-height: 100%\"><font size=\"2\" face=\"MS Sans Serif\"><a href=\"";
    struct Case {
        const char* what;
        ApplicationAndLink entry;
        int row, column;
        std::string cell;
        std::string runLine;  // empty: no start routine
        std::vector<IconBitmapRequest> icons;
    };
    const int32_t desk = 0x123456;
    const Case cases[] = {
        {"empty place keeps nothing of its other fields",
         {"Name", "", "pic.bmp", "Left", 1, 1},
         4,
         2,
         td + "Left\">&nbsp;</td>",
         "",
         {}},
        {"link with a picture still gets a routine and no bitmap",
         {"Site", "http://a/b", "pic.bmp", "", 1, 0},
         2,
         5,
         td + link + "http://a/b\">Site</a></font></br>\r\n</td>",
         "oShell.Run \"\"\"http://a/b\"\"\", 1, False",
         {}},
        {"any hyperlink value but 0 makes a link",
         {"S", "x.exe", "", "", 2, 1},
         0,
         0,
         td + link + "x.exe\">S</a></font></br>\r\n</td>",
         "oShell.Run \"\"\"x.exe\"\"\", 1, False",
         {}},
        {"picture is used as it is",
         {"P", "C:\\p.exe", "http://h/i.gif", "Right", 0, 1},
         3,
         3,
         td + "Right" + img + "33 Border =\"0\" SRC =\"http://h/i.gif" + caption +
             "P</font></br>\r\n</td>",
         "oShell.Run \"\"\"C:\\p.exe\"\"\", 1, False",
         {}},
        {"transparent icon on magenta, relative source",
         {"N", "C:\\W\\n.exe", "", "Center", 0, 1},
         10,
         6,
         td + "Center" + img + "106 Border =\"0\" SRC =\"Kiosk_Icons\\n.exe.bmp" + caption +
             "N</font></br>\r\n</td>",
         "oShell.Run \"\"\"C:\\W\\n.exe\"\"\", 1, False",
         {{"C:\\W\\n.exe", kChromaKeyColor, "n.exe.bmp"}}},
        {"transparency other than 1 paints on the page colour",
         {"N", "n.exe", "", "", 0, 2},
         1,
         0,
         td + img + "10 Border =\"0\" SRC =\"Kiosk_Icons\\n.exe.bmp" + caption +
             "N</font></br>\r\n</td>",
         "oShell.Run \"\"\"n.exe\"\"\", 1, False",
         {{"n.exe", desk, "n.exe.bmp"}}},
        {"web address names its bitmap after the whole URL",
         {"W", "http://h/x", "", "", 0, 0},
         0,
         1,
         td + img + "01 Border =\"0\" SRC =\"Kiosk_Icons\\http://h/x.bmp" + caption +
             "W</font></br>\r\n</td>",
         "oShell.Run \"\"\"http://h/x\"\"\", 1, False",
         {{"http://h/x", desk, "http://h/x.bmp"}}},
        {"texts are written without escaping; a quote is doubled only inside VBScript",
         {"a<b>&\"", "C:\\a \"b\".txt", "", "<x>", 1, 1},
         12,
         0,
         td + "<x>" + link + "C:\\a \"b\".txt\">a<b>&\"</a></font></br>\r\n</td>",
         "oShell.Run \"\"\"C:\\a \"\"b\"\".txt\"\"\", 1, False",
         {}},
    };
    for (const Case& c : cases) {
        Definition definition;
        definition.BackColor = desk;
        definition.Entry(c.row, c.column) = c.entry;
        const ComposedPage page = ComposeDesktopPage(definition, "C:\\Desks\\Kiosk.hta");
        EXPECT_THAT(page.text, HasSubstr("\r\n" + c.cell + "\r\n")) << c.what;
        const std::string id = "StartPgm" + std::to_string(c.row) + std::to_string(c.column);
        if (c.runLine.empty()) {
            EXPECT_THAT(page.text, Not(HasSubstr("sub "))) << c.what;
        } else {
            EXPECT_THAT(page.text, HasSubstr("<SCRIPT Language=\"vbscript\">\r\n\r\nsub " + id +
                                             "_onDblClick\r\non error resume next\r\nSet oShell = "
                                             "CreateObject(\"WScript.Shell\")\r\n" +
                                             c.runLine + "\r\nend sub\r\n\r\n</SCRIPT>"))
                << c.what;
        }
        EXPECT_EQ(page.icons, c.icons) << c.what;
    }
}

TEST(DesktopPage, IconFolderBesideThePage) {
    const struct {
        std::string pagePath, iconFolder, source;
    } cases[] = {
        {"C:\\Desks\\Kiosk.hta", "C:\\Desks\\Kiosk_Icons\\", "Kiosk_Icons\\n.exe.bmp"},
        {"Kiosk.hta", "Kiosk_Icons\\", "Kiosk_Icons\\n.exe.bmp"},
        {"/srv/desks/Kiosk.hta", "/srv/desks/Kiosk_Icons\\", "Kiosk_Icons\\n.exe.bmp"},
        {"C:\\D\\x.y\\Page.HTML", "C:\\D\\x.y\\Page._Icons\\", "Page._Icons\\n.exe.bmp"},
    };
    Definition definition;
    definition.SetApplicationAndLink("N", "C:\\n.exe", "", "", 0, 1, 0, 0);
    for (const auto& c : cases) {
        const ComposedPage page = ComposeDesktopPage(definition, c.pagePath);
        EXPECT_EQ(page.iconFolder, c.iconFolder) << c.pagePath;
        EXPECT_THAT(page.text, HasSubstr("SRC =\"" + c.source + "\"")) << c.pagePath;
    }
}

TEST(DesktopPage, WritesBitmapsFirstThenReplacesThePage) {
    TempFolder temp;
    const fs::path pagePath = temp.path() / "Kiosk.hta";
    FakeIconPort icons;
    icons.pageToWatch = pagePath;
    icons.failingName = "mspaint.exe.bmp";

    const PageGeneration result = GenerateDesktopPage(KioskDefinition(), pagePath.string(), icons);

    const std::string folder = (temp.path() / "Kiosk_Icons\\").string();
    EXPECT_THAT(icons.calls,
                ElementsAre("folder " + folder,
                            "icon C:\\Windows\\notepad.exe 16711935 " + folder + "notepad.exe.bmp",
                            "icon C:\\Windows\\system32\\mspaint.exe 15382088 " + folder +
                                "mspaint.exe.bmp"));
    EXPECT_FALSE(icons.pageExistedDuringExtraction);
    EXPECT_TRUE(result.pageWritten);
    EXPECT_THAT(result.missingBitmaps, ElementsAre(folder + "mspaint.exe.bmp"));
    EXPECT_EQ(ReadFile(pagePath), Golden("kiosk.hta"));
}

TEST(DesktopPage, ReplacesALongerExistingPage) {
    TempFolder temp;
    const fs::path pagePath = temp.path() / "Bare.hta";
    {
        std::ofstream old(pagePath, std::ios::binary);
        old << std::string(20000, 'x');
    }
    FakeIconPort icons;
    const PageGeneration result = GenerateDesktopPage(BareDefinition(), pagePath.string(), icons);
    EXPECT_TRUE(result.pageWritten);
    EXPECT_THAT(icons.calls, IsEmpty()) << "no icon needed: no icon folder";
    EXPECT_EQ(ReadFile(pagePath), Golden("bare.hta"));
}

TEST(DesktopPage, BitmapNamesThatAreNoPlainFileNameAreNotWritten) {
    TempFolder temp;
    Definition definition;
    definition.SetApplicationAndLink("Up", "a/../../../x.exe", "", "", 0, 1, 0, 0);
    definition.SetApplicationAndLink("Web", "http://h/x", "", "", 0, 1, 0, 1);
    FakeIconPort icons;
    const PageGeneration result =
        GenerateDesktopPage(definition, (temp.path() / "K.hta").string(), icons);

    EXPECT_THAT(icons.calls, IsEmpty());
    const std::string folder = (temp.path() / "K_Icons\\").string();
    EXPECT_THAT(result.missingBitmaps,
                ElementsAre(folder + "a/../../../x.exe.bmp", folder + "http://h/x.bmp"));
    EXPECT_THAT(ReadFile(temp.path() / "K.hta"),
                HasSubstr("SRC =\"K_Icons\\a/../../../x.exe.bmp\""));
}

TEST(DesktopPage, ReportsAPageThatCouldNotBeWritten) {
    TempFolder temp;
    FakeIconPort icons;
    const PageGeneration result =
        GenerateDesktopPage(BareDefinition(), (temp.path() / "missing" / "P.hta").string(), icons);
    EXPECT_FALSE(result.pageWritten);
    EXPECT_FALSE(result.pageError.empty());
}

TEST(HtmlColor, SplitsAndWritesColours) {
    const struct {
        int32_t color;
        ColorParts parts;
        std::string html;
    } cases[] = {
        {0, {0, 0, 0}, "#000000"},
        {1 + 256 * 2 + 65536 * 3, {1, 2, 3}, "#010203"},
        {15382088, {72, 182, 234}, "#48B6EA"},
        {16777215, {255, 255, 255}, "#FFFFFF"},
        {kChromaKeyColor, {255, 0, 255}, "#FF00FF"},
        {0x7F0A0B0C, {0x0C, 0x0B, 0x0A}, "#0C0B0A"},  // bits above blue are ignored
        {-1, {255, 0, 0}, "#FF0000"},                 // integer division truncates towards zero
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitColor(c.color), c.parts) << c.color;
        EXPECT_EQ(ColorToHtml(c.color), c.html) << c.color;
    }
}

}  // namespace
}  // namespace vallora
