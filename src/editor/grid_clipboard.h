#pragma once
// The clipboard text of the grid's Copy and Cut: "row;column;False" for a
// copy and "row;column;True" for a cut. Only the place travels; Paste reads
// the entry from the table when it runs.
#include <optional>
#include <string>
#include <string_view>

namespace vallora {

struct GridClipboardPlace {
    int row = 0;
    int column = 0;
    bool cut = false;

    bool operator==(const GridClipboardPlace&) const = default;
};

std::string FormatGridClipboard(int row, int column, bool cut);

// The place in text that Copy or Cut wrote: two decimal numbers inside the
// grid (rows 0 to 12, columns 0 to 6) and "True" or "False" (any letter
// case), separated by ";". Anything else, such as text another program put
// on the clipboard, gives nothing.
std::optional<GridClipboardPlace> ParseGridClipboard(std::string_view text);

}  // namespace vallora
