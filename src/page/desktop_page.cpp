#include "page/desktop_page.h"

#include <initializer_list>
#include <string_view>

#include "page/html_color.h"
#include "page/page_layout.h"
#include "storage/whole_file.h"

namespace vallora {
namespace {

// Every cell's start, up to its alignment text.
std::string CellStart() {
    return "<td width=\"" + std::to_string(kCellWidthPercent) + "%\" height=\"" +
           std::to_string(kCellHeightPercent) + "%\" Align=\"";
}

void Append(std::string& out, std::initializer_list<std::string_view> parts) {
    for (std::string_view part : parts) out.append(part);
}

std::string HexDigits(int32_t color) {
    return ColorToHtml(color).substr(1);
}

// The text after the last backslash, or the whole text when it has none.
std::string LastPathPart(const std::string& url) {
    const size_t backslash = url.rfind('\\');
    return backslash == std::string::npos ? url : url.substr(backslash + 1);
}

// A bitmap name taken from a URL may hold anything; only a plain file name is
// written, so that no bitmap can land outside the icon folder.
bool IsPlainFileName(const std::string& name) {
    for (unsigned char c : name) {
        if (c < 32 ||
            std::string_view("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos) {
            return false;
        }
    }
    return !name.empty();
}

// VBScript writes a double quote inside a string literal as two; a single one
// would end the literal and break the whole script block, and with it every
// start routine of the page.
std::string VbStringContent(const std::string& text) {
    std::string quoted;
    for (char c : text) {
        quoted += c;
        if (c == '"') quoted += '"';
    }
    return quoted;
}

std::string Head(const Definition& definition) {
    const std::string border = definition.WindowLess == 1 ? "Border=\"none\"" : "Border=\"yes\"";
    const std::string placement =
        definition.FullScreen == 0
            ? "self.moveTo(" + definition.Left + "," + definition.Top + ");self.resizeTo(" +
                  definition.Width + "," + definition.Height + ")"
            : "self.moveTo(0,0);self.resizeTo(screen.availWidth,screen.availHeight)";
    const std::string application =
        "<hta:application id=Vallora \r\n"
        "ApplicationTitle = \"Vallora HTA\"\r\n"
        "ApplicationName = \"HTAVallora\"\r\n"
        "ShowInTaskbar = \"no\"\r\n"
        "Navigable = \"no\"\r\n"
        "SingleInstance = \"no\"\r\n"
        "Scroll = \"no\"\r\n"
        "MaximizeButton = \"no\"\r\n" +
        border +
        "\r\n"
        "InnerBorder = \"no\"\r\n"
        "ContextMenu = \"no\"\r\n"
        "Selection=\"no\">\r\n";
    const std::string windowScript =
        "<script language=\"JavaScript\">\r\n" + placement + "\r\n</script>\r\n";
    return "<head>\r\n<title>Vallora</title>\r\n" + application + "\r\n" + windowScript +
           "\r\n</head>";
}

void AppendStartRoutine(std::string& routines, const std::string& id, const std::string& url) {
    Append(routines, {"\r\nsub ", id,
                      "_onDblClick\r\n"
                      "on error resume next\r\n"
                      "Set oShell = CreateObject(\"WScript.Shell\")\r\n"
                      "oShell.Run \"\"\"",
                      VbStringContent(url), "\"\"\", 1, False\r\nend sub\r\n"});
}

struct PagePath {
    std::string folder;    // up to and including the last separator
    std::string baseName;  // file name without its last four characters
};

PagePath SplitPagePath(const std::string& pagePath) {
    const size_t separator = pagePath.find_last_of("\\/");
    const size_t nameStart = separator == std::string::npos ? 0 : separator + 1;
    std::string name = pagePath.substr(nameStart);
    name.resize(name.size() >= 4 ? name.size() - 4 : 0);
    return {pagePath.substr(0, nameStart), std::move(name)};
}

}  // namespace

std::string IconFolderOf(const std::string& pagePath) {
    const PagePath path = SplitPagePath(pagePath);
    return path.folder + path.baseName + "_Icons\\";
}

std::string IconBitmapName(const std::string& url) {
    return LastPathPart(url) + ".bmp";
}

ComposedPage ComposeDesktopPage(const Definition& definition, const std::string& pagePath) {
    const PagePath path = SplitPagePath(pagePath);
    const std::string iconPrefix = path.baseName + "_Icons\\";
    const std::string chroma = ColorToHtml(kChromaKeyColor);
    const std::string cellStart = CellStart();
    ComposedPage page;
    page.iconFolder = path.folder + iconPrefix;

    std::string rows;
    std::string routines;
    for (int row = 0; row < kGridRows; ++row) {
        Append(rows, {"\r\n<tr>\r\n"});
        for (int column = 0; column < kGridColumns; ++column) {
            const ApplicationAndLink& entry = definition.Entry(row, column);
            const std::string id = "StartPgm" + std::to_string(row) + std::to_string(column);
            Append(rows, {cellStart, entry.Align});
            if (entry.URL.empty()) {
                Append(rows, {"\">&nbsp;</td>"});
            } else if (entry.HyperLink != 0) {
                Append(rows, {"\">\r\n<br style=\"line-height: 100%\"><font size=\"2\" face=\"MS "
                              "Sans Serif\"><a href=\"",
                              entry.URL, "\">", entry.DisplayName, "</a></font></br>\r\n</td>"});
            } else {
                std::string source = entry.Picture;
                if (source.empty()) {
                    IconBitmapRequest request{
                        entry.URL, entry.Transparency == 1 ? kChromaKeyColor : definition.BackColor,
                        IconBitmapName(entry.URL)};
                    source = iconPrefix + request.fileName;
                    page.icons.push_back(std::move(request));
                }
                Append(rows, {"\">\r\n<br style=\"line-height: 50%\"><IMG id=", id,
                              " Border =\"0\" SRC =\"", source,
                              "\" style=\"filter: Chroma(Color=", chroma,
                              ")\" ></IMG></br>\r\n<br style=\"line-height: 50%\"><font size=\"1\" "
                              "face=\"MS Sans Serif\">",
                              entry.DisplayName, "</font></br>\r\n</td>"});
            }
            Append(rows, {"\r\n"});
            if (!entry.URL.empty()) AppendStartRoutine(routines, id, entry.URL);
        }
        Append(rows, {"\r\n</tr>"});
    }

    const std::string back = HexDigits(definition.BackColor);
    std::string& text = page.text;
    text.reserve(rows.size() + routines.size() + 1024);
    Append(text, {"<html>\r\n", Head(definition), "\r\n<SCRIPT Language=\"vbscript\">\r\n",
                  routines, "\r\n</SCRIPT>\r\n"});
    // The body: a style block, the body tag (never closed) and the table.
    Append(text, {"<STYLE>\r\nBODY { background: #", back, " url(", definition.BackgroundPicture,
                  ") no-repeat center center }\r\n</STYLE>\r\n<Body BGCOLOR = #", back, " TEXT = #",
                  HexDigits(definition.TextColor), ">\r\n\r\n"});
    Append(text, {"<table border=\"0\" width=\"100%\" height =\"100%\" >\r\n", rows,
                  "\r\n</Table>\r\n\r\n</html>"});
    return page;
}

PageGeneration GenerateDesktopPage(const Definition& definition, const std::string& pagePath,
                                   IconPort& icons) {
    PageGeneration result;
    const ComposedPage page = ComposeDesktopPage(definition, pagePath);

    // Every bitmap exists before the page that shows it.
    bool folderCreated = false;
    for (const IconBitmapRequest& request : page.icons) {
        const std::string bitmapPath = page.iconFolder + request.fileName;
        if (!IsPlainFileName(request.fileName)) {
            result.missingBitmaps.push_back(bitmapPath);
            continue;
        }
        if (!folderCreated) {
            icons.CreateIconFolder(page.iconFolder);
            folderCreated = true;
        }
        std::string folder = page.iconFolder;
        if (!icons.ExtractIconToBitmap(request.source, request.backColor, request.fileName,
                                       folder)) {
            result.missingBitmaps.push_back(bitmapPath);
        }
    }

    // The page is replaced in one step: a failed write leaves the old page whole.
    result.pageWritten = ReplaceWholeFile(pagePath, page.text, &result.pageError);
    return result;
}

}  // namespace vallora
