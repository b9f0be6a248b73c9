// Test fixture standing in for the system's HTA host, which Wine lacks: shown
// one page as `mshta.exe "page.hta"`, it opens one top-level window titled
// from the page's <title>, placed as the page's script says, painted in the
// page's colours with the captions of its grid, and stays until it is ended.
// A double click on a caption starts that entry as the page's script would.
// Every start is appended to pagehost.log beside the program so that tests
// can see which page was asked for. Never shipped.
#include <windows.h>

#include <shellapi.h>

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Cell {
    std::string caption;
    std::string url;
    HBITMAP picture = nullptr;  // the icon bitmap the page shows; lives as long as the host
};

std::string pageFolder;

struct Page {
    std::string title;
    bool toolWindow = false;  // ShowInTaskbar = "no"
    bool borderless = false;  // Border="none"
    bool fullScreen = false;
    int left = 0, top = 0, width = 800, height = 600;
    COLORREF back = RGB(234, 182, 72);
    COLORREF text = RGB(255, 255, 255);
    std::vector<std::vector<Cell>> rows;
};

Page page;

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The text between `open` and `close` after `from`, searched without regard to case.
std::string Between(const std::string& text, const std::string& lowered, const std::string& open,
                    const std::string& close, size_t& from) {
    size_t start = lowered.find(Lower(open), from);
    if (start == std::string::npos) return {};
    start += open.size();
    size_t end = lowered.find(Lower(close), start);
    if (end == std::string::npos) return {};
    from = end + close.size();
    return text.substr(start, end - start);
}

COLORREF HtmlColor(const std::string& hex, COLORREF fallback) {
    if (hex.size() < 6) return fallback;
    unsigned long value = std::strtoul(hex.substr(0, 6).c_str(), nullptr, 16);
    return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

int Number(const std::string& text, int fallback) {
    try {
        return std::stoi(text);
    } catch (...) {
        return fallback;
    }
}

void ParsePage(const std::string& text) {
    const std::string lowered = Lower(text);
    size_t at = 0;
    page.title = Between(text, lowered, "<title>", "</title>", at);
    page.toolWindow = lowered.find("showintaskbar = \"no\"") != std::string::npos;
    page.borderless = lowered.find("border=\"none\"") != std::string::npos;
    at = 0;
    std::string move = Between(text, lowered, "self.moveTo(", ")", at);
    std::string size = Between(text, lowered, "self.resizeTo(", ")", at);
    if (size.find("availWidth") != std::string::npos) {
        page.fullScreen = true;
    } else {
        size_t comma = move.find(',');
        page.left = Number(move.substr(0, comma), 0);
        page.top = comma == std::string::npos ? 0 : Number(move.substr(comma + 1), 0);
        comma = size.find(',');
        page.width = Number(size.substr(0, comma), 800);
        page.height = comma == std::string::npos ? 600 : Number(size.substr(comma + 1), 600);
    }
    size_t body = lowered.find("<body bgcolor = #");
    if (body != std::string::npos) {
        page.back = HtmlColor(text.substr(body + 17), page.back);
        size_t color = lowered.find("text = #", body);
        if (color != std::string::npos) page.text = HtmlColor(text.substr(color + 8), page.text);
    }
    // Routines name each entry's URL: sub StartPgmRC_onDblClick ... oShell.Run """URL""".
    std::vector<std::pair<std::string, std::string>> urls;
    at = 0;
    while (true) {
        std::string id = Between(text, lowered, "sub StartPgm", "_onDblClick", at);
        if (id.empty()) break;
        urls.emplace_back(id, Between(text, lowered, "oShell.Run \"\"\"", "\"\"\"", at));
    }
    at = 0;
    while (true) {
        size_t row = lowered.find("<tr>", at);
        if (row == std::string::npos) break;
        size_t rowEnd = lowered.find("</tr>", row);
        if (rowEnd == std::string::npos) break;
        std::vector<Cell> cells;
        size_t cell = row;
        while ((cell = lowered.find("<td", cell + 1)) != std::string::npos && cell < rowEnd) {
            size_t cellEnd = lowered.find("</td>", cell);
            std::string one = text.substr(cell, cellEnd - cell);
            std::string oneLower = Lower(one);
            size_t from = 0;
            Cell parsed;
            if (oneLower.find("<a href=") != std::string::npos) {
                parsed.url = Between(one, oneLower, "<a href=\"", "\"", from);
                parsed.caption = Between(one, oneLower, "\">", "</a>", from);
            } else if (oneLower.find("<img id=startpgm") != std::string::npos) {
                std::string id = Between(one, oneLower, "<img id=StartPgm", " ", from);
                std::string source = Between(one, oneLower, "SRC =\"", "\"", from);
                if (source.find(':') == std::string::npos) source = pageFolder + source;
                parsed.picture = static_cast<HBITMAP>(
                    LoadImageA(nullptr, source.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
                from = 0;
                parsed.caption = Between(one, oneLower, "face=\"MS Sans Serif\">", "</font>", from);
                for (const auto& [rc, url] : urls) {
                    if (rc == id) parsed.url = url;
                }
            }
            cells.push_back(parsed);
        }
        page.rows.push_back(cells);
        at = rowEnd;
    }
}

const Cell* CellAt(HWND hwnd, int x, int y, RECT* place) {
    RECT client;
    GetClientRect(hwnd, &client);
    if (page.rows.empty()) return nullptr;
    const int rowHeight = (client.bottom - client.top) / static_cast<int>(page.rows.size());
    const int r = rowHeight > 0 ? y / rowHeight : 0;
    if (r < 0 || r >= static_cast<int>(page.rows.size()) || page.rows[r].empty()) return nullptr;
    const int columns = static_cast<int>(page.rows[r].size());
    const int columnWidth = (client.right - client.left) / columns;
    const int c = columnWidth > 0 ? x / columnWidth : 0;
    if (c < 0 || c >= columns) return nullptr;
    if (place)
        *place = {c * columnWidth, r * rowHeight, (c + 1) * columnWidth, (r + 1) * rowHeight};
    return &page.rows[r][c];
}

void Paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    HBRUSH back = CreateSolidBrush(page.back);
    FillRect(dc, &client, back);
    DeleteObject(back);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, page.text);
    HICON icon = LoadIcon(nullptr, IDI_APPLICATION);
    for (size_t r = 0; r < page.rows.size(); ++r) {
        for (size_t c = 0; c < page.rows[r].size(); ++c) {
            const Cell& cell = page.rows[r][c];
            if (cell.caption.empty()) continue;
            const int rowHeight = client.bottom / static_cast<int>(page.rows.size());
            const int columnWidth = client.right / static_cast<int>(page.rows[r].size());
            RECT place{static_cast<int>(c) * columnWidth, static_cast<int>(r) * rowHeight,
                       static_cast<int>(c + 1) * columnWidth, static_cast<int>(r + 1) * rowHeight};
            const int left = (place.left + place.right) / 2 - 16;
            if (cell.picture) {
                // The page's chroma filter: magenta is see-through.
                HDC pictureDc = CreateCompatibleDC(dc);
                HGDIOBJ old = SelectObject(pictureDc, cell.picture);
                TransparentBlt(dc, left, place.top, 32, 32, pictureDc, 0, 0, 32, 32,
                               RGB(255, 0, 255));
                SelectObject(pictureDc, old);
                DeleteDC(pictureDc);
            } else {
                DrawIcon(dc, left, place.top, icon);
            }
            place.top += 34;
            DrawTextA(dc, cell.caption.c_str(), -1, &place, DT_CENTER | DT_TOP | DT_SINGLELINE);
        }
    }
    EndPaint(hwnd, &ps);
}

LRESULT CALLBACK PageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_PAINT:
            Paint(hwnd);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_LBUTTONDBLCLK: {
            const Cell* cell = CellAt(hwnd, static_cast<short>(LOWORD(lParam)),
                                      static_cast<short>(HIWORD(lParam)), nullptr);
            if (cell && !cell->url.empty()) {
                ShellExecuteA(hwnd, "open", cell->url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
            }
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

std::string ProgramFolder() {
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    size_t slash = folder.rfind('\\');
    return slash == std::string::npos ? std::string() : folder.substr(0, slash);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandTail, int) {
    std::string path = commandTail ? commandTail : "";
    {
        std::ofstream log(ProgramFolder() + "\\pagehost.log", std::ios::app | std::ios::binary);
        log << path << "\r\n";
    }
    if (path.size() >= 2 && path.front() == '"' && path.back() == '"') {
        path = path.substr(1, path.size() - 2);
    }
    pageFolder = path.substr(0, path.rfind('\\') + 1);
    std::ifstream file(path, std::ios::binary);
    if (file) {
        std::stringstream text;
        text << file.rdbuf();
        ParsePage(text.str());
    } else {
        page.title = "Cannot find " + path;
    }

    WNDCLASSA windowClass{};
    windowClass.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = PageProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    windowClass.lpszClassName = "ValloraPageHostStandIn";
    RegisterClassA(&windowClass);

    DWORD style = page.borderless
                      ? WS_POPUP
                      : WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX;
    RECT place{page.left, page.top, page.left + page.width, page.top + page.height};
    if (page.fullScreen) SystemParametersInfoA(SPI_GETWORKAREA, 0, &place, 0);
    HWND hwnd =
        CreateWindowExA(page.toolWindow ? WS_EX_TOOLWINDOW : 0, windowClass.lpszClassName,
                        page.title.c_str(), style, place.left, place.top, place.right - place.left,
                        place.bottom - place.top, nullptr, nullptr, instance, nullptr);
    if (!hwnd) return 1;
    ShowWindow(hwnd, SW_SHOWNORMAL);
    UpdateWindow(hwnd);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
