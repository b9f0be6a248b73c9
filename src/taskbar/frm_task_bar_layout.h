#pragma once
// The task bar's geometry in twips (1/1440 inch): tray, task buttons, button
// faces and clock. Pixel sizes are converted with the screen's twips per
// pixel by the caller.
#include <functional>
#include <string>
#include <vector>

namespace vallora {

inline constexpr int kTaskBarHeightPixels = 30;
inline constexpr int kTaskButtonHeightPixels = 24;
inline constexpr int kTaskButtonGapTwips = 50;
inline constexpr int kTrayRightMarginTwips = 50;
inline constexpr int kTaskButtonMaxWidthTwips = 2000;
inline constexpr int kFaceIconLeftPixels = 5;
inline constexpr int kFaceIconTopPixels = 5;
inline constexpr int kFaceIconSizePixels = 16;
inline constexpr int kFaceTitleLeftPixels = 24;
inline constexpr int kTitleReserveTwips = 350;
inline constexpr int kTitleReservePixels = 21;
inline constexpr int kClockRightMarginTwips = 200;

// 3 logo widths plus the width of the long-time text of "00:00:00".
int TrayWidth(int logoWidth, int timeTextWidth);
int TrayLeft(int formWidth, int trayWidth);

// Width of each of n task buttons: the space left of the tray shared out
// after one gap per button, at most kTaskButtonMaxWidthTwips; 0 for n <= 0.
int TaskButtonWidth(int formWidth, int trayWidth, int n);

struct TaskButtonPlace {
    int left = 0;
    int width = 0;
    bool visible = true;
};

// Places n buttons of the given width from the left edge, one gap apart.
// A button flagged in `ownWindow` (the bar's own window is a task) is made
// invisible and zero wide, and the next button follows with the usual gap.
std::vector<TaskButtonPlace> TaskButtonPlaces(int width, const std::vector<bool>& ownWindow);

// The space for a button's title: the button width less 350 twips and 21 pixels.
int TitleSpace(int buttonWidth, int twipsPerPixelX);

// The longest start of `title` narrower than `space` (as `measure` reports
// widths), followed by "..." when something was cut.
std::string FitTitle(const std::string& title, int space,
                     const std::function<int(const std::string&)>& measure);

struct ClockPlace {
    int x = 0;
    int y = 0;
};

// Right-aligned 200 twips from the tray's right edge, centred vertically.
ClockPlace ClockPosition(int trayWidth, int trayHeight, int textWidth, int textHeight);

}  // namespace vallora
