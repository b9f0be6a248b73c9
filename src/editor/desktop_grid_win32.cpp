#include "editor/desktop_grid_win32.h"

#include <cstring>
#include <optional>
#include <utility>
#include <vector>

#include "editor/cell_picture_win32.h"
#include "editor/cell_scaling.h"
#include "editor/grid_clipboard.h"
#include "editor/grid_menu_pictures_win32.h"
#include "language/captioned_form.h"
#include "language/language.h"
#include "platform/form_win32.h"
#include "platform/wait_cursor_win32.h"

namespace vallora {
namespace {

constexpr const char* kGridClass = "ValloraDesktopGrid";
constexpr const char* kDragClass = "ValloraDesktopGridDrag";
constexpr COLORREF kGridLineColor = RGB(192, 192, 192);
// The dragged picture keeps this many twips right of and below the pointer.
constexpr int kDragOffsetTwips = 100;

// The context menu, in the order of its positions 0 to 4.
struct MenuItemName {
    const char* name;
    const char* caption;
};
constexpr std::array<MenuItemName, 5> kMenuItems{{
    {"mnuApplicationsAndLinksCut", "     Cut"},
    {"mnuApplicationsAndLinksCopy", "     Copy"},
    {"mnuApplicationAndLinksPaste", "     Paste"},
    {"mnuApplicationAndLinksEdit", "     Edit"},
    {"mnuApplicationandLinksDelete", "     Delete"},
}};
constexpr UINT kFirstMenuCommand = 1;

bool InGrid(int row, int column) {
    return row >= 0 && row < kGridRows && column >= 0 && column < kGridColumns;
}

COLORREF AsColorRef(int32_t color) {
    return static_cast<COLORREF>(color) & 0xFFFFFF;
}

// The context menu's items seen by the caption loader: their captions live
// in the editor window's section of the language file.
class MenuCaptions : public CaptionedForm {
  public:
    explicit MenuCaptions(HMENU menu) : menu_(menu) {}
    std::string FormName() const override { return kMainFormName; }
    std::vector<std::string> ControlNames() const override {
        std::vector<std::string> names;
        for (const MenuItemName& item : kMenuItems) names.emplace_back(item.name);
        return names;
    }
    bool SetControlCaption(const std::string& control, const std::string& text) override {
        for (size_t i = 0; i < kMenuItems.size(); ++i) {
            if (control != kMenuItems[i].name) continue;
            std::string copy = text;
            MENUITEMINFOA info{};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_STRING;
            info.dwTypeData = copy.data();
            return SetMenuItemInfoA(menu_, static_cast<UINT>(i), TRUE, &info) != FALSE;
        }
        return false;
    }
    void SetFormCaption(const std::string&) override {}
    bool SetTabCaption(const std::string&, int, const std::string&) override { return false; }

  private:
    HMENU menu_;
};

}  // namespace

struct DesktopGrid::Impl {
    struct Cell {
        std::string text;
        UniqueHBITMAP picture;
    };

    Impl(DesktopGrid& owner, Definition& def, IconPort& icons, const Language& lang,
         DesktopGridHost gridHost)
        : grid(owner),
          definition(def),
          language(lang),
          host(std::move(gridHost)),
          pictures(icons),
          backColor(def.BackColor),
          textColor(def.TextColor) {}

    static LRESULT CALLBACK GridProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
    static LRESULT CALLBACK DragProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
    static bool RegisterClasses();

    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT OnPaint();
    LRESULT OnButtonDown(UINT msg, POINT point);
    LRESULT OnMouseMove(WPARAM keys, POINT point);
    LRESULT OnLeftButtonUp(POINT point);
    LRESULT OnKeyDown(UINT key);
    LRESULT OnChar(UINT character);
    LRESULT OnGetDlgCode(const MSG* message);
    void PaintDrag(HWND window);

    void SizeCells();
    RECT CellRect(int row, int column) const;
    bool CellAt(POINT point, int& row, int& column) const;
    void InvalidateCell(int row, int column);
    void MakeCurrent(int row, int column);
    void StartDrag(POINT point);
    void MoveDrag(POINT point);
    void EndDrag(POINT point);
    void CancelDrag();
    bool PutOnClipboard(const std::string& text);
    std::optional<std::string> ClipboardText();
    void BuildMenu();
    // Tells the host when the entry at (r, c) is no longer `before`.
    void ReportChange(const ApplicationAndLink& before, int r, int c);

    DesktopGrid& grid;
    Definition& definition;
    const Language& language;
    DesktopGridHost host;
    CellPictureMaker pictures;

    HWND hwnd = nullptr;
    HFONT font = nullptr;  // the parent's font, not owned
    std::array<std::array<Cell, kGridColumns>, kGridRows> cells{};
    CellSize cell{};
    int row = 0;
    int column = 0;
    int32_t backColor;
    int32_t textColor;

    bool leftDown = false;
    POINT downPoint{};
    bool dragging = false;
    int sourceRow = 0;
    int sourceColumn = 0;
    UniqueHWND dragWindow;
    HBITMAP dragPicture = nullptr;  // the source cell's picture, owned by the cell

    UniqueHMENU menu;
    std::array<UniqueHBITMAP, 5> menuPictures;

    // The clipboard's sequence number when a cut was pasted: the same cut is
    // not pasted again until the clipboard changes (or Copy or Cut runs).
    std::optional<DWORD> pastedCut;
};

bool DesktopGrid::Impl::RegisterClasses() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof(existing);
    const HCURSOR arrow = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    if (!GetClassInfoExA(instance, kGridClass, &existing)) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof(wc);
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = &Impl::GridProc;
        wc.hInstance = instance;
        wc.hCursor = arrow;
        wc.lpszClassName = kGridClass;
        if (!RegisterClassExA(&wc)) return false;
    }
    if (!GetClassInfoExA(instance, kDragClass, &existing)) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = &Impl::DragProc;
        wc.hInstance = instance;
        wc.hCursor = arrow;
        wc.lpszClassName = kDragClass;
        if (!RegisterClassExA(&wc)) return false;
    }
    return true;
}

LRESULT CALLBACK DesktopGrid::Impl::GridProc(HWND hwnd, UINT msg, WPARAM wParam,
                                             LPARAM lParam) noexcept {
    Impl* impl = nullptr;
    if (msg == WM_NCCREATE) {
        impl = static_cast<Impl*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (impl) {
            impl->hwnd = hwnd;
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(impl));
        }
    } else {
        impl = reinterpret_cast<Impl*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    }
    if (!impl) return DefWindowProcA(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        impl->hwnd = nullptr;
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    return impl->HandleMessage(msg, wParam, lParam);
}

LRESULT CALLBACK DesktopGrid::Impl::DragProc(HWND hwnd, UINT msg, WPARAM wParam,
                                             LPARAM lParam) noexcept {
    if (msg == WM_NCCREATE) {
        SetWindowLongPtrA(
            hwnd, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    }
    auto* impl = reinterpret_cast<Impl*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (impl && msg == WM_PAINT) {
        impl->PaintDrag(hwnd);
        return 0;
    }
    if (msg == WM_NCHITTEST) return HTTRANSPARENT;
    if (msg == WM_NCDESTROY) SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT DesktopGrid::Impl::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    switch (msg) {
        case WM_PAINT:
            return OnPaint();
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT covers every pixel
        case WM_SETFONT:
            font = reinterpret_cast<HFONT>(wParam);
            if (LOWORD(lParam)) InvalidateRect(hwnd, nullptr, FALSE);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font);
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK:
            return OnButtonDown(msg, point);
        case WM_MOUSEMOVE:
            return OnMouseMove(wParam, point);
        case WM_LBUTTONUP:
            return OnLeftButtonUp(point);
        case WM_RBUTTONUP:
            grid.renderPopupMenu();
            return 0;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != hwnd) CancelDrag();
            return 0;
        case WM_KEYDOWN:
            return OnKeyDown(static_cast<UINT>(wParam));
        case WM_CHAR:
            return OnChar(static_cast<UINT>(wParam));
        case WM_GETDLGCODE:
            return OnGetDlgCode(reinterpret_cast<const MSG*>(lParam));
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            InvalidateCell(row, column);
            return 0;
        default:
            return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

void DesktopGrid::Impl::SizeCells() {
    RECT client{};
    if (hwnd && GetClientRect(hwnd, &client)) {
        cell = GridCellSize(client.right - client.left, client.bottom - client.top);
    }
}

RECT DesktopGrid::Impl::CellRect(int r, int c) const {
    return RECT{c * cell.width, r * cell.height, (c + 1) * cell.width, (r + 1) * cell.height};
}

bool DesktopGrid::Impl::CellAt(POINT point, int& r, int& c) const {
    if (cell.width <= 0 || cell.height <= 0 || point.x < 0 || point.y < 0) return false;
    const int atColumn = point.x / cell.width;
    const int atRow = point.y / cell.height;
    if (!InGrid(atRow, atColumn)) return false;
    r = atRow;
    c = atColumn;
    return true;
}

void DesktopGrid::Impl::InvalidateCell(int r, int c) {
    if (!hwnd) return;
    const RECT rect = CellRect(r, c);
    InvalidateRect(hwnd, &rect, FALSE);
}

void DesktopGrid::Impl::MakeCurrent(int r, int c) {
    if (!InGrid(r, c) || (r == row && c == column)) return;
    InvalidateCell(row, column);
    row = r;
    column = c;
    InvalidateCell(row, column);
}

LRESULT DesktopGrid::Impl::OnPaint() {
    PAINTSTRUCT ps{};
    const HDC screen = BeginPaint(hwnd, &ps);
    if (!screen) return 0;
    RECT client{};
    GetClientRect(hwnd, &client);
    const int width = client.right;
    const int height = client.bottom;
    // Drawn off screen first, so a redraw of all cells does not flicker.
    const UniqueHDC canvas(CreateCompatibleDC(screen));
    const UniqueHBITMAP surface(
        CreateCompatibleBitmap(screen, width > 0 ? width : 1, height > 0 ? height : 1));
    const UniqueHDC pictureDc(CreateCompatibleDC(screen));
    if (canvas && surface && pictureDc) {
        const SelectedObject selectedSurface(canvas.get(), surface.get());
        const UniqueHBRUSH background(CreateSolidBrush(AsColorRef(backColor)));
        FillRect(canvas.get(), &client, background.get());
        const SelectedObject selectedFont(
            canvas.get(), font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
        SetBkMode(canvas.get(), TRANSPARENT);
        SetTextColor(canvas.get(), AsColorRef(textColor));
        for (int r = 0; r < kGridRows; ++r) {
            for (int c = 0; c < kGridColumns; ++c) {
                const Cell& shown = cells[r][c];
                RECT rect = CellRect(r, c);
                if (shown.picture) {
                    const SelectedObject selectedPicture(pictureDc.get(), shown.picture.get());
                    BitBlt(canvas.get(), rect.left, rect.top, cell.width, cell.height,
                           pictureDc.get(), 0, 0, SRCCOPY);
                }
                if (!shown.text.empty()) {
                    InflateRect(&rect, -2, -1);
                    DrawTextA(
                        canvas.get(), shown.text.c_str(), static_cast<int>(shown.text.size()),
                        &rect,
                        DT_CENTER | DT_BOTTOM | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
                }
            }
        }
        const UniqueHPEN linePen(CreatePen(PS_SOLID, 1, kGridLineColor));
        {
            const SelectedObject selectedPen(canvas.get(), linePen.get());
            for (int c = 1; c <= kGridColumns; ++c) {
                MoveToEx(canvas.get(), c * cell.width - 1, 0, nullptr);
                LineTo(canvas.get(), c * cell.width - 1, kGridRows * cell.height);
            }
            for (int r = 1; r <= kGridRows; ++r) {
                MoveToEx(canvas.get(), 0, r * cell.height - 1, nullptr);
                LineTo(canvas.get(), kGridColumns * cell.width, r * cell.height - 1);
            }
        }
        RECT current = CellRect(row, column);
        InflateRect(&current, -1, -1);
        OffsetRect(&current, -1, -1);
        SetTextColor(canvas.get(), RGB(0, 0, 0));
        SetBkColor(canvas.get(), RGB(255, 255, 255));
        DrawFocusRect(canvas.get(), &current);
        if (GetFocus() == hwnd) {
            InflateRect(&current, -1, -1);
            DrawFocusRect(canvas.get(), &current);
        }
        BitBlt(screen, 0, 0, width, height, canvas.get(), 0, 0, SRCCOPY);
    }
    EndPaint(hwnd, &ps);
    return 0;
}

LRESULT DesktopGrid::Impl::OnButtonDown(UINT msg, POINT point) {
    if (GetFocus() != hwnd) SetFocus(hwnd);
    int r = 0;
    int c = 0;
    if (CellAt(point, r, c)) MakeCurrent(r, c);
    if (msg == WM_LBUTTONDOWN) {
        leftDown = true;
        downPoint = point;
        SetCapture(hwnd);
    } else if (msg == WM_LBUTTONDBLCLK) {
        if (host.editCurrentCell) host.editCurrentCell(true);
    }
    return 0;
}

LRESULT DesktopGrid::Impl::OnMouseMove(WPARAM keys, POINT point) {
    if (!(keys & MK_LBUTTON) || !leftDown) return 0;
    if (!dragging) {
        // The system also sends a move without movement; that starts nothing.
        if (point.x == downPoint.x && point.y == downPoint.y) return 0;
        StartDrag(point);
    }
    MoveDrag(point);
    return 0;
}

LRESULT DesktopGrid::Impl::OnLeftButtonUp(POINT point) {
    leftDown = false;
    if (dragging) EndDrag(point);
    if (GetCapture() == hwnd) ReleaseCapture();
    return 0;
}

void DesktopGrid::Impl::StartDrag(POINT) {
    dragging = true;
    sourceRow = row;
    sourceColumn = column;
    dragPicture = cells[row][column].picture.get();
    if (!dragWindow) {
        dragWindow.reset(CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TOPMOST,
                                         kDragClass, "", WS_POPUP | WS_BORDER, 0, 0, cell.width,
                                         cell.height, GetAncestor(hwnd, GA_ROOT), nullptr,
                                         GetModuleHandleA(nullptr), this));
    }
    if (dragWindow) {
        SetWindowPos(dragWindow.get(), HWND_TOPMOST, 0, 0, cell.width, cell.height,
                     SWP_NOMOVE | SWP_NOACTIVATE);
        InvalidateRect(dragWindow.get(), nullptr, FALSE);
    }
}

void DesktopGrid::Impl::MoveDrag(POINT point) {
    POINT screen = point;
    ClientToScreen(hwnd, &screen);
    if (dragWindow) {
        SetWindowPos(dragWindow.get(), HWND_TOPMOST, screen.x + kDragOffsetTwips / TwipsPerPixelX(),
                     screen.y + kDragOffsetTwips / TwipsPerPixelY(), 0, 0,
                     SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
    int r = 0;
    int c = 0;
    if (CellAt(point, r, c)) MakeCurrent(r, c);
}

void DesktopGrid::Impl::EndDrag(POINT point) {
    CancelDrag();
    int r = 0;
    int c = 0;
    // Only an empty place takes the entry: a drag never swaps or overwrites.
    if (!CellAt(point, r, c) || !definition.Entry(r, c).IsEmpty()) return;
    const ApplicationAndLink source = definition.Entry(sourceRow, sourceColumn);
    grid.SetApplicationAndLink(source.DisplayName, source.URL, source.Picture, source.Align,
                               source.HyperLink, source.Transparency, r, c);
    grid.ApplicationsAndLinksDelete(sourceRow, sourceColumn);
    MakeCurrent(r, c);
}

void DesktopGrid::Impl::CancelDrag() {
    dragging = false;
    dragPicture = nullptr;
    if (dragWindow) ShowWindow(dragWindow.get(), SW_HIDE);
}

void DesktopGrid::Impl::PaintDrag(HWND window) {
    PAINTSTRUCT ps{};
    const HDC dc = BeginPaint(window, &ps);
    if (!dc) return;
    RECT client{};
    GetClientRect(window, &client);
    const UniqueHBRUSH background(CreateSolidBrush(AsColorRef(backColor)));
    FillRect(dc, &client, background.get());
    if (dragPicture) {
        const UniqueHDC pictureDc(CreateCompatibleDC(dc));
        if (pictureDc) {
            const SelectedObject selected(pictureDc.get(), dragPicture);
            BitBlt(dc, 0, 0, client.right, client.bottom, pictureDc.get(), 0, 0, SRCCOPY);
        }
    }
    EndPaint(window, &ps);
}

LRESULT DesktopGrid::Impl::OnKeyDown(UINT key) {
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool alt = GetKeyState(VK_MENU) < 0;
    if (ctrl && !shift && !alt) {
        switch (key) {
            case 'X':
                grid.Cut();
                return 0;
            case 'C':
                grid.Copy();
                return 0;
            case 'V':
                grid.Paste();
                return 0;
            default:
                return 0;
        }
    }
    if (ctrl || shift || alt) return 0;
    switch (key) {
        case VK_DELETE:
            grid.DeleteCurrent();
            return 0;
        case VK_LEFT:
            MakeCurrent(row, column - 1);
            return 0;
        case VK_RIGHT:
            MakeCurrent(row, column + 1);
            return 0;
        case VK_UP:
            MakeCurrent(row - 1, column);
            return 0;
        case VK_DOWN:
            MakeCurrent(row + 1, column);
            return 0;
        default:
            return 0;
    }
}

LRESULT DesktopGrid::Impl::OnChar(UINT character) {
    if (character == '\r' && host.editCurrentCell) host.editCurrentCell(false);
    return 0;
}

LRESULT DesktopGrid::Impl::OnGetDlgCode(const MSG* message) {
    LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
    // Enter edits the cell instead of pressing a dialog's default button.
    if (message && message->message == WM_KEYDOWN && message->wParam == VK_RETURN) {
        code |= DLGC_WANTMESSAGE;
    }
    return code;
}

bool DesktopGrid::Impl::PutOnClipboard(const std::string& text) {
    UniqueHGLOBAL memory(GlobalAlloc(GMEM_MOVEABLE, text.size() + 1));
    if (!memory) return false;
    void* bytes = GlobalLock(memory.get());
    if (!bytes) return false;
    std::memcpy(bytes, text.c_str(), text.size() + 1);
    GlobalUnlock(memory.get());
    if (!OpenClipboard(hwnd)) return false;
    bool placed = false;
    if (EmptyClipboard() && SetClipboardData(CF_TEXT, memory.get())) {
        memory.release();  // the clipboard owns it now
        placed = true;
    }
    CloseClipboard();
    return placed;
}

std::optional<std::string> DesktopGrid::Impl::ClipboardText() {
    if (!IsClipboardFormatAvailable(CF_TEXT) || !OpenClipboard(hwnd)) return std::nullopt;
    std::optional<std::string> text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        const SIZE_T size = GlobalSize(data);
        if (const auto* bytes = static_cast<const char*>(GlobalLock(data))) {
            // The text ends at its NUL or at the end of the memory, whichever is first.
            size_t length = 0;
            while (length < size && bytes[length] != '\0') ++length;
            text.emplace(bytes, length);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void DesktopGrid::Impl::BuildMenu() {
    if (menu) return;
    menu.reset(CreatePopupMenu());
    if (!menu) return;
    menuPictures = DrawGridMenuPictures();
    for (size_t i = 0; i < kMenuItems.size(); ++i) {
        AppendMenuA(menu.get(), MF_STRING, kFirstMenuCommand + i, kMenuItems[i].caption);
        if (!menuPictures[i]) continue;
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_BITMAP;
        info.hbmpItem = menuPictures[i].get();
        SetMenuItemInfoA(menu.get(), static_cast<UINT>(i), TRUE, &info);
    }
}

void DesktopGrid::Impl::ReportChange(const ApplicationAndLink& before, int r, int c) {
    if (host.entriesChanged && definition.Entry(r, c) != before) host.entriesChanged();
}

DesktopGrid::DesktopGrid(Definition& definition, IconPort& icons, const Language& language,
                         DesktopGridHost host)
    : impl_(std::make_unique<Impl>(*this, definition, icons, language, std::move(host))) {}

DesktopGrid::~DesktopGrid() {
    impl_->dragWindow.reset();
    if (impl_->hwnd) {
        SetWindowLongPtrA(impl_->hwnd, GWLP_USERDATA, 0);
        DestroyWindow(impl_->hwnd);
    }
}

bool DesktopGrid::Create(HWND parent, int controlId, const RECT& bounds) {
    if (impl_->hwnd || !Impl::RegisterClasses()) return false;
    HWND hwnd = CreateWindowExA(0, kGridClass, "",
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, bounds.left,
                                bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                                parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                                GetModuleHandleA(nullptr), impl_.get());
    if (!hwnd) return false;
    impl_->font = reinterpret_cast<HFONT>(SendMessageA(parent, WM_GETFONT, 0, 0));
    impl_->SizeCells();
    return true;
}

HWND DesktopGrid::Hwnd() const {
    return impl_->hwnd;
}

void DesktopGrid::InitializeGrid() {
    impl_->SizeCells();
    for (auto& line : impl_->cells) {
        for (Impl::Cell& cell : line) {
            cell.text.clear();
            cell.picture.reset();
        }
    }
    if (impl_->hwnd) InvalidateRect(impl_->hwnd, nullptr, FALSE);
}

void DesktopGrid::SetApplicationAndLink(std::string name, std::string url, std::string picture,
                                        std::string align, int16_t hyperlink, int16_t transparency,
                                        int row, int column) {
    if (!InGrid(row, column)) return;
    Impl& d = *impl_;
    Impl::Cell& cell = d.cells[row][column];
    cell.text = name;
    const std::string shownUrl = url;
    const std::string shownPicture = picture;
    const ApplicationAndLink before = d.definition.Entry(row, column);
    d.definition.SetApplicationAndLink(std::move(name), std::move(url), std::move(picture),
                                       std::move(align), hyperlink, transparency, row, column);
    d.MakeCurrent(row, column);
    d.InvalidateCell(row, column);
    if (shownUrl.empty()) {
        // An empty place shows no picture, whatever the cell showed before.
        cell.picture.reset();
    } else {
        cell.picture =
            d.pictures.Make(shownUrl, shownPicture, d.cell.width, d.cell.height, d.backColor);
    }
    d.ReportChange(before, row, column);
}

void DesktopGrid::ApplicationsAndLinksDelete(int row, int column) {
    if (!InGrid(row, column)) return;
    Impl& d = *impl_;
    d.MakeCurrent(row, column);
    d.cells[row][column].text.clear();
    d.cells[row][column].picture.reset();
    const ApplicationAndLink before = d.definition.Entry(row, column);
    d.definition.SetApplicationAndLink("", "", "", "", 0, 0, row, column);
    d.InvalidateCell(row, column);
    d.ReportChange(before, row, column);
}

void DesktopGrid::RefreshDesktop(int32_t backColor, int32_t textColor) {
    const WaitCursor wait;
    Impl& d = *impl_;
    d.backColor = backColor;
    d.textColor = textColor;
    // No drawing while the cells are rebuilt; one repaint at the end.
    if (d.hwnd) SendMessageA(d.hwnd, WM_SETREDRAW, FALSE, 0);
    for (int row = 0; row < kGridRows; ++row) {
        for (int column = 0; column < kGridColumns; ++column) {
            const ApplicationAndLink entry = d.definition.Entry(row, column);
            SetApplicationAndLink(entry.DisplayName, entry.URL, entry.Picture, entry.Align,
                                  entry.HyperLink, entry.Transparency, row, column);
        }
    }
    if (d.hwnd) {
        SendMessageA(d.hwnd, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(d.hwnd, nullptr, FALSE);
    }
}

int DesktopGrid::CurrentRow() const {
    return impl_->row;
}

int DesktopGrid::CurrentColumn() const {
    return impl_->column;
}

void DesktopGrid::SetCurrentCell(int row, int column) {
    impl_->MakeCurrent(row, column);
}

void DesktopGrid::Copy() {
    impl_->pastedCut.reset();
    impl_->PutOnClipboard(FormatGridClipboard(impl_->row, impl_->column, false));
}

void DesktopGrid::Cut() {
    // Nothing leaves the place yet: Paste empties it.
    impl_->pastedCut.reset();
    impl_->PutOnClipboard(FormatGridClipboard(impl_->row, impl_->column, true));
}

void DesktopGrid::Paste() {
    const std::optional<std::string> text = impl_->ClipboardText();
    if (!text) return;
    const std::optional<GridClipboardPlace> source = ParseGridClipboard(*text);
    if (!source) return;
    // The entry of a cut has moved already; pasting its place again would
    // only empty the target.
    if (source->cut && impl_->pastedCut == GetClipboardSequenceNumber()) return;
    const ApplicationAndLink entry = impl_->definition.Entry(source->row, source->column);
    // An empty place holds nothing to paste: the target keeps its entry.
    if (entry.IsEmpty()) return;
    const int targetRow = impl_->row;
    const int targetColumn = impl_->column;
    SetApplicationAndLink(entry.DisplayName, entry.URL, entry.Picture, entry.Align, entry.HyperLink,
                          entry.Transparency, targetRow, targetColumn);
    // A cut pasted onto its own place stays there.
    if (source->cut && (source->row != targetRow || source->column != targetColumn)) {
        ApplicationsAndLinksDelete(source->row, source->column);
        SetCurrentCell(targetRow, targetColumn);
        impl_->pastedCut = GetClipboardSequenceNumber();
    }
}

void DesktopGrid::DeleteCurrent() {
    ApplicationsAndLinksDelete(impl_->row, impl_->column);
}

void DesktopGrid::renderPopupMenu() {
    Impl& d = *impl_;
    d.BuildMenu();
    if (!d.menu || !d.hwnd) return;
    MenuCaptions captions(d.menu.get());
    d.language.ApplyCaptions(captions);
    POINT at{};
    GetCursorPos(&at);
    // The owner must be the foreground window, or the menu stays open when
    // the user clicks elsewhere.
    HWND owner = GetAncestor(d.hwnd, GA_ROOT);
    SetForegroundWindow(owner);
    const UINT chosen = static_cast<UINT>(TrackPopupMenuEx(
        d.menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, d.hwnd, nullptr));
    PostMessageA(owner, WM_NULL, 0, 0);
    // The menu is gone before its command runs, so the edit dialog opens on a
    // quiet window.
    if (chosen >= kFirstMenuCommand) RunMenuCommand(static_cast<int>(chosen - kFirstMenuCommand));
}

void DesktopGrid::RunMenuCommand(int position) {
    switch (position) {
        case 0:
            Cut();
            break;
        case 1:
            Copy();
            break;
        case 2:
            Paste();
            break;
        case 3:
            if (impl_->host.editCurrentCell) impl_->host.editCurrentCell(false);
            break;
        case 4:
            DeleteCurrent();
            break;
        default:
            break;
    }
}

HBITMAP DesktopGrid::CellPicture(int row, int column) const {
    return InGrid(row, column) ? impl_->cells[row][column].picture.get() : nullptr;
}

std::string DesktopGrid::CellText(int row, int column) const {
    return InGrid(row, column) ? impl_->cells[row][column].text : std::string();
}

ApplicationAndLink DesktopGrid::EntryAt(int row, int column) const {
    return InGrid(row, column) ? impl_->definition.Entry(row, column) : ApplicationAndLink{};
}

HMENU DesktopGrid::ContextMenu() const {
    impl_->BuildMenu();
    return impl_->menu.get();
}

}  // namespace vallora
