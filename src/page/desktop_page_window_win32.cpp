#include "page/desktop_page_window_win32.h"

#include <shellapi.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <utility>

#include "page/bitmap_file.h"
#include "page/desktop_page.h"
#include "page/html_color.h"
#include "platform/picture_file_win32.h"

namespace vallora {
namespace {

// The page's caption fonts: "MS Sans Serif" at HTML sizes 1 and 2.
constexpr int kCaptionPoints = 8;
constexpr int kLinkPoints = 10;
// The focus ring's distance around the focused entry.
constexpr int kFocusMargin = 2;

COLORREF ToColorRef(int32_t color) {
    const ColorParts parts = SplitColor(color);
    return RGB(parts.red, parts.green, parts.blue);
}

UniqueHFONT PageFont(int points, bool underline) {
    WindowDC screen(nullptr);
    const int height = -MulDiv(points, GetDeviceCaps(screen.get(), LOGPIXELSY), 72);
    return UniqueHFONT(CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, underline ? TRUE : FALSE,
                                   FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                   DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "MS Sans Serif"));
}

// 0xAARRGGBB values as a bitmap AlphaBlend draws: premultiplied, and with
// every magenta pixel fully see-through when keyed, as the chroma filter does.
UniqueHBITMAP BlendBitmap(int width, int height, std::vector<uint32_t> pixels, bool keyMagenta) {
    for (uint32_t& pixel : pixels) {
        if (keyMagenta && (pixel & 0xFFFFFFu) == 0xFF00FFu) {
            pixel = 0;
            continue;
        }
        const uint32_t alpha = pixel >> 24;
        if (alpha == 255) continue;
        const auto scale = [alpha](uint32_t channel) { return channel * alpha / 255; };
        pixel = (alpha << 24) | (scale((pixel >> 16) & 0xFF) << 16) |
                (scale((pixel >> 8) & 0xFF) << 8) | scale(pixel & 0xFF);
    }
    return PixelsToBitmap(width, height, pixels);
}

std::shared_ptr<const PagePicture> MakePicture(int width, int height, std::vector<uint32_t> pixels,
                                               bool keyMagenta) {
    auto picture = std::make_shared<PagePicture>();
    picture->bitmap = BlendBitmap(width, height, std::move(pixels), keyMagenta);
    if (!picture->bitmap) return nullptr;
    picture->width = width;
    picture->height = height;
    return picture;
}

bool IsBitmapFile(const std::string& path) {
    if (path.size() < 4) return false;
    std::string extension = path.substr(path.size() - 4);
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension == ".bmp";
}

// A bitmap file read by the system's bitmap loader, which is much quicker to
// start than the imaging component; bitmaps carry no transparency of their own.
std::optional<PicturePixels> ReadBitmapFile(const std::string& path) {
    UniqueHBITMAP bitmap(static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                                         LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    BITMAP info{};
    if (!bitmap || !GetObjectA(bitmap.get(), sizeof(info), &info) || info.bmWidth <= 0 ||
        info.bmHeight <= 0) {
        return std::nullopt;
    }
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof(format.bmiHeader);
    format.bmiHeader.biWidth = info.bmWidth;
    format.bmiHeader.biHeight = -info.bmHeight;  // top row first
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    std::optional<std::vector<uint32_t>> memory = PictureMemory(info.bmWidth, info.bmHeight);
    if (!memory) return std::nullopt;
    PicturePixels picture{info.bmWidth, info.bmHeight, std::move(*memory)};
    WindowDC screen(nullptr);
    if (!GetDIBits(screen.get(), bitmap.get(), 0, static_cast<UINT>(info.bmHeight),
                   picture.pixels.data(), &format, DIB_RGB_COLORS)) {
        return std::nullopt;
    }
    for (uint32_t& pixel : picture.pixels) pixel |= 0xFF000000u;
    return picture;
}

// The page's picture files, each read once. The imaging component starts
// only for a picture that is no bitmap file the bitmap loader reads.
class PictureFiles {
  public:
    std::shared_ptr<const PagePicture> Get(const std::string& path, bool keyMagenta) {
        const std::string key = (keyMagenta ? "k:" : "p:") + path;
        if (auto known = loaded_.find(key); known != loaded_.end()) return known->second;
        std::optional<PicturePixels> pixels;
        if (IsBitmapFile(path)) pixels = ReadBitmapFile(path);
        if (!pixels) {
            if (!reader_) reader_ = std::make_unique<PictureReader>();
            pixels = reader_->Load(path);
        }
        std::shared_ptr<const PagePicture> picture =
            pixels
                ? MakePicture(pixels->width, pixels->height, std::move(pixels->pixels), keyMagenta)
                : nullptr;
        loaded_.emplace(key, picture);
        return picture;
    }

  private:
    std::map<std::string, std::shared_ptr<const PagePicture>> loaded_;
    std::unique_ptr<PictureReader> reader_;
};

void DrawPicture(HDC target, HDC scratch, const PagePicture* picture, int x, int y) {
    if (!picture) return;
    const int width = picture->width;
    const int height = picture->height;
    SelectedObject use(scratch, picture->bitmap.get());
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(target, x, y, width, height, scratch, 0, 0, width, height, blend);
}

RECT ToRect(const PageRect& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

PageRect Union(const PageRect& a, const PageRect& b) {
    if (a.Width() <= 0 || a.Height() <= 0) return b;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

}  // namespace

DesktopPageWindow::DesktopPageWindow(const Definition& definition, std::string pagePath,
                                     IconPort& icons)
    : definition_(definition),
      pagePath_(std::move(pagePath)),
      captionFont_(PageFont(kCaptionPoints, false)),
      linkFont_(PageFont(kLinkPoints, true)) {
    PictureFiles files;
    std::map<std::string, std::shared_ptr<const PagePicture>> drawnIcons;
    for (const GridPlace place : FocusOrder(definition_)) {
        Entry entry{place, definition_.Entry(place.row, place.column), nullptr};
        const std::string path = PicturePathFor(entry.data, pagePath_);
        if (!path.empty()) entry.picture = files.Get(path, true);
        if (!path.empty() && !entry.picture && entry.data.Picture.empty()) {
            // No bitmap beside the page: drawn as the generator would draw it.
            const int32_t back =
                entry.data.Transparency == 1 ? kChromaKeyColor : definition_.BackColor;
            std::shared_ptr<const PagePicture>& drawn =
                drawnIcons[std::to_string(back) + ":" + entry.data.URL];
            if (!drawn) {
                std::vector<uint32_t> pixels;
                for (const int32_t color : icons.IconPicture(entry.data.URL, back)) {
                    const ColorParts parts = SplitColor(color);
                    pixels.push_back(0xFF000000u | (static_cast<uint32_t>(parts.red) << 16) |
                                     (static_cast<uint32_t>(parts.green) << 8) |
                                     static_cast<uint32_t>(parts.blue));
                }
                drawn = MakePicture(kIconBitmapSize, kIconBitmapSize, std::move(pixels), true);
            }
            entry.picture = drawn;
        }
        entries_.push_back(std::move(entry));
    }
    if (!definition_.BackgroundPicture.empty()) {
        const ApplicationAndLink asPicture{"", "background", definition_.BackgroundPicture, "", 0,
                                           0};
        background_ = files.Get(PicturePathFor(asPicture, pagePath_), false);
    }
}

DesktopPageWindow::~DesktopPageWindow() {
    if (window_) {
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

bool DesktopPageWindow::Create(HINSTANCE instance) {
    WNDCLASSA windowClass{};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kDesktopPageClass;
    RegisterClassA(&windowClass);

    const PagePlacement placement = PlacementOf(definition_);
    RECT place{placement.left, placement.top, placement.left + placement.width,
               placement.top + placement.height};
    if (placement.fullScreen) SystemParametersInfoA(SPI_GETWORKAREA, 0, &place, 0);
    // No task bar button and no maximise button, as the page asks of its host.
    const DWORD style = placement.frameless ? WS_POPUP
                                            : WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU |
                                                  WS_THICKFRAME | WS_MINIMIZEBOX;
    window_ = CreateWindowExA(WS_EX_TOOLWINDOW, kDesktopPageClass, "Vallora", style, place.left,
                              place.top, place.right - place.left, place.bottom - place.top,
                              nullptr, nullptr, instance, this);
    if (!window_) return false;
    ShowWindow(window_, SW_SHOWNORMAL);
    UpdateWindow(window_);
    return true;
}

LRESULT CALLBACK DesktopPageWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<DesktopPageWindow*>(
            reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<DesktopPageWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    return self->OnMessage(message, wParam, lParam);
}

LRESULT DesktopPageWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const int x = static_cast<short>(LOWORD(lParam));
    const int y = static_cast<short>(HIWORD(lParam));
    switch (message) {
        case WM_PAINT:
            return OnPaint();
        case WM_ERASEBKGND:
            return 1;
        case WM_SIZE:
            InvalidateRect(window_, nullptr, FALSE);
            return 0;
        case WM_KEYDOWN:
            return OnKeyDown(wParam);
        case WM_LBUTTONUP:
            return OnButtonUp(x, y);
        case WM_LBUTTONDBLCLK:
            return OnDoubleClick(x, y);
        case WM_CONTEXTMENU:
            return 0;
        // Alt+F4 closes the page as its host does; no other system key does anything.
        case WM_SYSKEYDOWN:
            return wParam == VK_F4 ? DefWindowProcA(window_, message, wParam, lParam) : 0;
        case WM_SYSCHAR:
            return 0;
        case WM_DESTROY:
            return OnDestroy();
        default:
            return DefWindowProcA(window_, message, wParam, lParam);
    }
}

EntryLayout DesktopPageWindow::LayoutOf(HDC dc, const Entry& entry) const {
    RECT client{};
    GetClientRect(window_, &client);
    const PageRect cell =
        CellRect(entry.place.row, entry.place.column, client.right, client.bottom);
    const bool link = entry.data.HyperLink != 0;
    SelectedObject font(dc, link ? linkFont_.get() : captionFont_.get());
    RECT measured{0, 0, 0, 0};
    DrawTextA(dc, entry.data.DisplayName.c_str(), -1, &measured,
              DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    const int captionWidth = std::min(static_cast<int>(measured.right), cell.Width());
    const bool picture = !link && entry.picture;
    return LayoutEntry(cell, AlignOf(entry.data.Align), picture ? entry.picture->width : 0,
                       picture ? entry.picture->height : 0, captionWidth,
                       static_cast<int>(measured.bottom));
}

LRESULT DesktopPageWindow::OnPaint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    RECT client{};
    GetClientRect(window_, &client);
    // Drawn off screen first, so that nothing flickers.
    UniqueHDC buffer(CreateCompatibleDC(dc));
    UniqueHBITMAP surface(
        CreateCompatibleBitmap(dc, std::max(1L, client.right), std::max(1L, client.bottom)));
    UniqueHDC scratch(CreateCompatibleDC(dc));
    if (buffer && surface && scratch) {
        SelectedObject useSurface(buffer.get(), surface.get());
        UniqueHBRUSH back(CreateSolidBrush(ToColorRef(definition_.BackColor)));
        FillRect(buffer.get(), &client, back.get());
        // The body's picture, unscaled and centred.
        if (background_) {
            DrawPicture(buffer.get(), scratch.get(), background_.get(),
                        (client.right - background_->width) / 2,
                        (client.bottom - background_->height) / 2);
        }
        SetBkMode(buffer.get(), TRANSPARENT);
        for (size_t i = 0; i < entries_.size(); ++i) {
            const Entry& entry = entries_[i];
            const EntryLayout layout = LayoutOf(buffer.get(), entry);
            const bool link = entry.data.HyperLink != 0;
            if (!link) {
                DrawPicture(buffer.get(), scratch.get(), entry.picture.get(), layout.picture.left,
                            layout.picture.top);
            }
            SelectedObject font(buffer.get(), link ? linkFont_.get() : captionFont_.get());
            SetTextColor(buffer.get(), link ? kPageLinkColor : ToColorRef(definition_.TextColor));
            RECT caption = ToRect(layout.caption);
            DrawTextA(buffer.get(), entry.data.DisplayName.c_str(), -1, &caption,
                      DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
            if (static_cast<int>(i) == focus_) {
                RECT ring = ToRect(Union(layout.picture, layout.caption));
                InflateRect(&ring, kFocusMargin, kFocusMargin);
                SetTextColor(buffer.get(), ToColorRef(definition_.TextColor));
                DrawFocusRect(buffer.get(), &ring);
            }
        }
        BitBlt(dc, 0, 0, client.right, client.bottom, buffer.get(), 0, 0, SRCCOPY);
    }
    EndPaint(window_, &paint);
    return 0;
}

LRESULT DesktopPageWindow::OnKeyDown(WPARAM key) {
    const int count = static_cast<int>(entries_.size());
    std::vector<GridPlace> order;
    order.reserve(entries_.size());
    for (const Entry& entry : entries_) order.push_back(entry.place);
    switch (key) {
        case VK_LEFT:
            Focus(MoveFocus(order, focus_, FocusMove::Left));
            break;
        case VK_RIGHT:
            Focus(MoveFocus(order, focus_, FocusMove::Right));
            break;
        case VK_UP:
            Focus(MoveFocus(order, focus_, FocusMove::Up));
            break;
        case VK_DOWN:
            Focus(MoveFocus(order, focus_, FocusMove::Down));
            break;
        case VK_RETURN:
            if (focus_ >= 0 && focus_ < count) Start(focus_);
            break;
        default:
            break;
    }
    return 0;
}

int DesktopPageWindow::EntryAt(int x, int y) const {
    WindowDC dc(window_);
    for (size_t i = 0; i < entries_.size(); ++i) {
        const EntryLayout layout = LayoutOf(dc.get(), entries_[i]);
        if (layout.picture.Contains(x, y) || layout.caption.Contains(x, y)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// A text link opens on a single click, as links do.
LRESULT DesktopPageWindow::OnButtonUp(int x, int y) {
    const int index = EntryAt(x, y);
    if (index < 0) return 0;
    Focus(index);
    if (entries_[static_cast<size_t>(index)].data.HyperLink != 0) Start(index);
    return 0;
}

LRESULT DesktopPageWindow::OnDoubleClick(int x, int y) {
    const int index = EntryAt(x, y);
    if (index >= 0 && entries_[static_cast<size_t>(index)].data.HyperLink == 0) Start(index);
    return 0;
}

void DesktopPageWindow::Start(int index) const {
    const ApplicationAndLink& entry = entries_[static_cast<size_t>(index)].data;
    if (entry.HyperLink != 0) {
        ShellExecuteA(nullptr, "open", entry.URL.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        return;
    }
    // The start routine's command, in a normal window, without waiting, errors ignored.
    const StartCommand command = StartCommandFor(entry.URL);
    ShellExecuteA(nullptr, nullptr, command.file.c_str(),
                  command.parameters.empty() ? nullptr : command.parameters.c_str(), nullptr,
                  SW_SHOWNORMAL);
}

void DesktopPageWindow::Focus(int index) {
    if (index == focus_) return;
    focus_ = index;
    InvalidateRect(window_, nullptr, FALSE);
}

LRESULT DesktopPageWindow::OnDestroy() {
    window_ = nullptr;
    PostQuitMessage(0);
    return 0;
}

}  // namespace vallora
