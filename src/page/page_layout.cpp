#include "page/page_layout.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdlib>

#include "page/desktop_page.h"

namespace vallora {
namespace {

// The text as a whole number, blanks at either end allowed.
std::optional<int> WholeNumber(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return std::nullopt;
    const size_t last = text.find_last_not_of(' ');
    const char* begin = text.data() + first;
    const char* end = text.data() + last + 1;
    if (*begin == '+') ++begin;
    int value = 0;
    const auto [stop, error] = std::from_chars(begin, end, value);
    if (error != std::errc() || stop != end) return std::nullopt;
    return value;
}

bool EqualsIgnoringCase(const std::string& text, const char* word) {
    const std::string_view wanted(word);
    return text.size() == wanted.size() &&
           std::equal(text.begin(), text.end(), wanted.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

// Start of the n-th of `count` equal shares of `length`.
int ShareStart(int n, int count, int length) {
    return static_cast<int>(static_cast<long long>(length) * n / count);
}

}  // namespace

PagePlacement PlacementOf(const Definition& definition) {
    PagePlacement placement;
    placement.frameless = definition.WindowLess == 1;
    placement.fullScreen = definition.FullScreen != 0;
    if (placement.fullScreen) return placement;
    // An empty text leaves a gap in the statement, which then does nothing;
    // otherwise the script moves first, then resizes, and a failed move
    // stops both.
    for (const std::string* text :
         {&definition.Left, &definition.Top, &definition.Width, &definition.Height}) {
        if (text->find_first_not_of(' ') == std::string::npos) return placement;
    }
    const std::optional<int> left = WholeNumber(definition.Left);
    const std::optional<int> top = WholeNumber(definition.Top);
    if (!left || !top) return placement;
    placement.left = *left;
    placement.top = *top;
    const std::optional<int> width = WholeNumber(definition.Width);
    const std::optional<int> height = WholeNumber(definition.Height);
    if (width && height) {
        placement.width = std::max(*width, 0);
        placement.height = std::max(*height, 0);
    }
    return placement;
}

PageRect CellRect(int row, int column, int clientWidth, int clientHeight) {
    return {ShareStart(column, kGridColumns, clientWidth), ShareStart(row, kGridRows, clientHeight),
            ShareStart(column + 1, kGridColumns, clientWidth),
            ShareStart(row + 1, kGridRows, clientHeight)};
}

CellAlign AlignOf(const std::string& align) {
    if (EqualsIgnoringCase(align, "Center")) return CellAlign::Center;
    if (EqualsIgnoringCase(align, "Right")) return CellAlign::Right;
    return CellAlign::Left;
}

EntryLayout LayoutEntry(const PageRect& cell, CellAlign align, int pictureWidth, int pictureHeight,
                        int captionWidth, int captionHeight) {
    const int gap = pictureHeight > 0 ? kCaptionGap : 0;
    const int blockHeight = pictureHeight + gap + captionHeight;
    const int top = cell.top + (cell.Height() - blockHeight) / 2;
    const auto leftFor = [&](int width) {
        switch (align) {
            case CellAlign::Center:
                return cell.left + (cell.Width() - width) / 2;
            case CellAlign::Right:
                return cell.right - width;
            case CellAlign::Left:
                break;
        }
        return cell.left;
    };
    EntryLayout layout;
    const int pictureLeft = leftFor(pictureWidth);
    layout.picture = {pictureLeft, top, pictureLeft + pictureWidth, top + pictureHeight};
    const int captionTop = top + pictureHeight + gap;
    const int captionLeft = leftFor(captionWidth);
    layout.caption = {captionLeft, captionTop, captionLeft + captionWidth,
                      captionTop + captionHeight};
    return layout;
}

std::vector<GridPlace> FocusOrder(const Definition& definition) {
    std::vector<GridPlace> order;
    for (int row = 0; row < kGridRows; ++row) {
        for (int column = 0; column < kGridColumns; ++column) {
            if (!definition.Entry(row, column).URL.empty()) order.push_back({row, column});
        }
    }
    return order;
}

int MoveFocus(const std::vector<GridPlace>& order, int current, FocusMove move) {
    const int count = static_cast<int>(order.size());
    if (count == 0) return -1;
    if (current < 0 || current >= count) return 0;
    switch (move) {
        case FocusMove::Left:
            return std::max(current - 1, 0);
        case FocusMove::Right:
            return std::min(current + 1, count - 1);
        case FocusMove::Up:
        case FocusMove::Down:
            break;
    }
    const GridPlace from = order[static_cast<size_t>(current)];
    const int step = move == FocusMove::Down ? 1 : -1;
    for (int row = from.row + step; row >= 0 && row < kGridRows; row += step) {
        int best = -1;
        for (int i = 0; i < count; ++i) {
            if (order[static_cast<size_t>(i)].row != row) continue;
            const int distance = std::abs(order[static_cast<size_t>(i)].column - from.column);
            if (best < 0 ||
                distance < std::abs(order[static_cast<size_t>(best)].column - from.column)) {
                best = i;
            }
        }
        if (best >= 0) return best;
    }
    return current;
}

StartCommand StartCommandFor(const std::string& url) {
    const std::string command = "\"" + url + "\"";
    const size_t close = command.find('"', 1);
    StartCommand start{command.substr(1, close - 1), command.substr(close + 1)};
    const size_t first = start.parameters.find_first_not_of(' ');
    start.parameters.erase(0, first == std::string::npos ? start.parameters.size() : first);
    return start;
}

std::string PicturePathFor(const ApplicationAndLink& entry, const std::string& pagePath) {
    if (entry.URL.empty() || entry.HyperLink != 0) return {};
    if (entry.Picture.empty()) return IconFolderOf(pagePath) + IconBitmapName(entry.URL);
    const std::string& picture = entry.Picture;
    const bool absolute = (picture.size() >= 2 && picture[1] == ':') || picture.front() == '\\' ||
                          picture.front() == '/';
    if (absolute) return picture;
    const size_t separator = pagePath.find_last_of("\\/");
    return (separator == std::string::npos ? std::string() : pagePath.substr(0, separator + 1)) +
           picture;
}

}  // namespace vallora
