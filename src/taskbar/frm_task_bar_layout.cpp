#include "taskbar/frm_task_bar_layout.h"

#include <cmath>

namespace vallora {

int TrayWidth(int logoWidth, int timeTextWidth) {
    return 3 * logoWidth + timeTextWidth;
}

int TrayLeft(int formWidth, int trayWidth) {
    return formWidth - trayWidth - kTrayRightMarginTwips;
}

int TaskButtonWidth(int formWidth, int trayWidth, int n) {
    if (n <= 0) return 0;
    const double shared = static_cast<double>(formWidth - trayWidth - kTaskButtonGapTwips * n) / n;
    const int width = static_cast<int>(std::nearbyint(shared));
    return width > kTaskButtonMaxWidthTwips ? kTaskButtonMaxWidthTwips : width;
}

std::vector<TaskButtonPlace> TaskButtonPlaces(int width, const std::vector<bool>& ownWindow) {
    std::vector<TaskButtonPlace> places(ownWindow.size());
    for (size_t i = 0; i < places.size(); ++i) {
        TaskButtonPlace& place = places[i];
        if (i == 0) {
            place.left = kTaskButtonGapTwips;
        } else {
            place.left = places[i - 1].left + places[i - 1].width + kTaskButtonGapTwips;
        }
        place.width = width;
        if (ownWindow[i]) {
            place.visible = false;
            place.width = 0;
            if (i > 0) place.left = places[i - 1].left + places[i - 1].width;
        }
    }
    return places;
}

int TitleSpace(int buttonWidth, int twipsPerPixelX) {
    return buttonWidth - kTitleReserveTwips - kTitleReservePixels * twipsPerPixelX;
}

std::string FitTitle(const std::string& title, int space,
                     const std::function<int(const std::string&)>& measure) {
    std::string candidate = title;
    while (!candidate.empty() && space <= measure(candidate)) candidate.pop_back();
    if (candidate.size() < title.size()) candidate += "...";
    return candidate;
}

ClockPlace ClockPosition(int trayWidth, int trayHeight, int textWidth, int textHeight) {
    ClockPlace place;
    place.y = static_cast<int>(std::nearbyint(trayHeight / 2.0 - textHeight / 2.0));
    place.x = trayWidth - textWidth - kClockRightMarginTwips;
    return place;
}

}  // namespace vallora
