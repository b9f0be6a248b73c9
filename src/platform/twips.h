#pragma once
// Form geometry is given in twips (1/1440 inch); windows are placed in pixels.
// The screen's twips per pixel is 15 at 96 dots per inch (TwipsPerPixelX/Y in
// form_win32.h read it from the system).

namespace vallora {

inline constexpr int kTwipsPerInch = 1440;

// Rounds to the nearest pixel; a non-positive twipsPerPixel leaves twips as given.
constexpr int TwipsToPixels(int twips, int twipsPerPixel) {
    if (twipsPerPixel <= 0) return twips;
    int half = twipsPerPixel / 2;
    return twips >= 0 ? (twips + half) / twipsPerPixel : -((-twips + half) / twipsPerPixel);
}

constexpr int PixelsToTwips(int pixels, int twipsPerPixel) {
    return twipsPerPixel <= 0 ? pixels : pixels * twipsPerPixel;
}

}  // namespace vallora
