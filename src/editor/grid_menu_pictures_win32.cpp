#include "editor/grid_menu_pictures_win32.h"

#include <functional>

namespace vallora {
namespace {

constexpr COLORREF kOutline = RGB(64, 64, 64);
constexpr COLORREF kPaper = RGB(255, 255, 255);

void Line(HDC dc, int x0, int y0, int x1, int y1) {
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
}

void Box(HDC dc, int left, int top, int right, int bottom, COLORREF fill) {
    const UniqueHBRUSH brush(CreateSolidBrush(fill));
    const UniqueHPEN pen(CreatePen(PS_SOLID, 1, kOutline));
    const SelectedObject b(dc, brush.get());
    const SelectedObject p(dc, pen.get());
    Rectangle(dc, left, top, right, bottom);
}

void Scissors(HDC dc) {
    const UniqueHPEN blade(CreatePen(PS_SOLID, 1, RGB(96, 96, 96)));
    {
        const SelectedObject p(dc, blade.get());
        Line(dc, 4, 1, 10, 10);
        Line(dc, 11, 1, 5, 10);
    }
    const UniqueHPEN handle(CreatePen(PS_SOLID, 2, RGB(0, 0, 160)));
    const SelectedObject p(dc, handle.get());
    const SelectedObject b(dc, GetStockObject(NULL_BRUSH));
    Ellipse(dc, 1, 9, 7, 15);
    Ellipse(dc, 9, 9, 15, 15);
}

void Pages(HDC dc) {
    Box(dc, 1, 1, 10, 12, kPaper);
    Box(dc, 6, 4, 15, 15, kPaper);
    const UniqueHPEN text(CreatePen(PS_SOLID, 1, RGB(0, 0, 160)));
    const SelectedObject p(dc, text.get());
    for (int y = 7; y <= 12; y += 2) Line(dc, 8, y, 13, y);
}

void Clipboard(HDC dc) {
    Box(dc, 1, 2, 13, 15, RGB(160, 112, 48));
    Box(dc, 4, 1, 10, 4, RGB(192, 192, 192));
    Box(dc, 7, 6, 15, 15, kPaper);
    const UniqueHPEN text(CreatePen(PS_SOLID, 1, RGB(0, 0, 160)));
    const SelectedObject p(dc, text.get());
    for (int y = 9; y <= 13; y += 2) Line(dc, 9, y, 13, y);
}

void Pencil(HDC dc) {
    const UniqueHPEN body(CreatePen(PS_SOLID, 3, RGB(224, 176, 0)));
    {
        const SelectedObject p(dc, body.get());
        Line(dc, 13, 2, 5, 10);
    }
    const UniqueHPEN tip(CreatePen(PS_SOLID, 2, RGB(32, 32, 32)));
    const SelectedObject p(dc, tip.get());
    Line(dc, 4, 11, 2, 13);
}

void Cross(HDC dc) {
    const UniqueHPEN red(CreatePen(PS_SOLID, 3, RGB(208, 0, 0)));
    const SelectedObject p(dc, red.get());
    Line(dc, 3, 3, 12, 12);
    Line(dc, 12, 3, 3, 12);
}

UniqueHBITMAP DrawPicture(HDC screen, const std::function<void(HDC)>& draw) {
    const UniqueHDC dc(CreateCompatibleDC(screen));
    UniqueHBITMAP bitmap(
        CreateCompatibleBitmap(screen, kGridMenuPictureSize, kGridMenuPictureSize));
    if (!dc || !bitmap) return {};
    {
        const SelectedObject selected(dc.get(), bitmap.get());
        if (!selected) return {};
        const RECT all{0, 0, kGridMenuPictureSize, kGridMenuPictureSize};
        FillRect(dc.get(), &all, GetSysColorBrush(COLOR_MENU));
        draw(dc.get());
    }
    return bitmap;
}

}  // namespace

std::array<UniqueHBITMAP, 5> DrawGridMenuPictures() {
    const WindowDC screen(nullptr);
    return {DrawPicture(screen.get(), Scissors), DrawPicture(screen.get(), Pages),
            DrawPicture(screen.get(), Clipboard), DrawPicture(screen.get(), Pencil),
            DrawPicture(screen.get(), Cross)};
}

}  // namespace vallora
