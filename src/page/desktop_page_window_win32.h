#pragma once
// The desktop page drawn by Vallora itself: one top-level window placed,
// coloured and laid out as the generated page, with the definition's entries
// as pictures and captions (or text links) that start their programs on a
// double click or Enter. Arrow keys move a focus ring through the entries;
// nothing else reacts, and it is no drop target. Runs no timer of its own.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "page/icon_port.h"
#include "page/page_layout.h"
#include "platform/win32_handles_win32.h"
#include "storage/definition.h"

namespace vallora {

// The class of the page window, by which the session and tests find it.
inline constexpr const char* kDesktopPageClass = "ValloraDesktopPage";
// Link colour of the page: it sets only the text colour, so links keep the
// page host's default blue.
inline constexpr COLORREF kPageLinkColor = RGB(0, 0, 255);

// A picture of the page: 32-bit premultiplied, magenta see-through where the
// chroma filter applies. Entries showing the same file share one.
struct PagePicture {
    UniqueHBITMAP bitmap;
    int width = 0;
    int height = 0;
};

class DesktopPageWindow {
  public:
    // `icons` makes in memory the bitmaps the generator would have written
    // when they are absent; it is used only while the window is made.
    DesktopPageWindow(const Definition& definition, std::string pagePath, IconPort& icons);
    ~DesktopPageWindow();
    DesktopPageWindow(const DesktopPageWindow&) = delete;
    DesktopPageWindow& operator=(const DesktopPageWindow&) = delete;

    // Makes and shows the window; false when the system made none.
    bool Create(HINSTANCE instance);
    HWND window() const { return window_; }

  private:
    struct Entry {
        GridPlace place;
        ApplicationAndLink data;
        std::shared_ptr<const PagePicture> picture;  // none for a link or a missing file
    };

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam,
                                       LPARAM lParam) noexcept;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnPaint();
    LRESULT OnKeyDown(WPARAM key);
    LRESULT OnButtonUp(int x, int y);
    LRESULT OnDoubleClick(int x, int y);
    LRESULT OnDestroy();

    // Picture and caption of an entry in the current client area.
    EntryLayout LayoutOf(HDC dc, const Entry& entry) const;
    // The entry whose picture or caption holds the point; -1 when none.
    int EntryAt(int x, int y) const;
    void Start(int index) const;
    void Focus(int index);

    Definition definition_;
    std::string pagePath_;
    std::vector<Entry> entries_;  // the focus order: grid order
    std::shared_ptr<const PagePicture> background_;
    UniqueHFONT captionFont_;
    UniqueHFONT linkFont_;
    int focus_ = -1;
    HWND window_ = nullptr;
};

}  // namespace vallora
