#include "platform/form_win32.h"

#include <commctrl.h>

#include "platform/focus_keeper_win32.h"
#include "platform/win32_handles_win32.h"

#include <utility>

namespace vallora {

namespace {

// Control and menu command ids share one range per form; WM_COMMAND carries
// them in 16 bits. Ids below 100 stay free for IDOK, IDCANCEL and the like.
constexpr UINT kFirstId = 100;
constexpr UINT kLastId = 0xFFFF;

struct KindClass {
    const char* className;
    DWORD style;
    DWORD exStyle;
};

KindClass ClassOf(ControlKind kind) {
    switch (kind) {
        case ControlKind::Button:
            return {"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
        case ControlKind::CheckBox:
            return {"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0};
        case ControlKind::OptionButton:
            return {"BUTTON", BS_AUTORADIOBUTTON | WS_TABSTOP, 0};
        case ControlKind::Frame:
            return {"BUTTON", BS_GROUPBOX, 0};
        case ControlKind::Label:
            return {"STATIC", SS_LEFT | SS_NOTIFY, 0};
        case ControlKind::TextBox:
            return {"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
        case ControlKind::ComboBox:
            return {"COMBOBOX", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, 0};
        case ControlKind::ListBox:
            return {"LISTBOX", LBS_NOTIFY | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
        case ControlKind::PictureBox:
            return {"STATIC", SS_NOTIFY, 0};
        case ControlKind::TabStrip:
            return {WC_TABCONTROLA, WS_TABSTOP | WS_CLIPSIBLINGS, 0};
        case ControlKind::ListView:
            return {WC_LISTVIEWA, WS_TABSTOP, WS_EX_CLIENTEDGE};
        case ControlKind::MenuItem:
        case ControlKind::Timer:
        case ControlKind::Other:
            return {nullptr, 0, 0};
    }
    return {nullptr, 0, 0};
}

std::string WindowText(HWND hwnd) {
    int length = GetWindowTextLengthA(hwnd);
    if (length <= 0) return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int copied = GetWindowTextA(hwnd, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

// A menu item is addressed by command id, or by position when it opens a
// submenu (submenus have no command id of their own).
bool LocateMenuItem(const FormControl& control, UINT& item, BOOL& byPosition) {
    if (!control.subMenu) {
        item = control.id;
        byPosition = FALSE;
        return true;
    }
    int count = GetMenuItemCount(control.menu);
    for (int i = 0; i < count; ++i) {
        if (GetSubMenu(control.menu, i) == control.subMenu) {
            item = static_cast<UINT>(i);
            byPosition = TRUE;
            return true;
        }
    }
    return false;
}

std::string MenuItemText(const FormControl& control) {
    UINT item = 0;
    BOOL byPosition = FALSE;
    if (!LocateMenuItem(control, item, byPosition)) return {};
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    if (!GetMenuItemInfoA(control.menu, item, byPosition, &info) || info.cch == 0) return {};
    std::string text(info.cch + 1, '\0');
    info.dwTypeData = text.data();
    info.cch = static_cast<UINT>(text.size());
    if (!GetMenuItemInfoA(control.menu, item, byPosition, &info)) return {};
    text.resize(info.cch);
    return text;
}

bool SetMenuItemText(const FormControl& control, const std::string& text) {
    UINT item = 0;
    BOOL byPosition = FALSE;
    if (!LocateMenuItem(control, item, byPosition)) return false;
    // A caption from a language file replaces the words only: the shortcut
    // shown after the tab stays unless the new caption brings its own.
    std::string full = text;
    if (full.find('\t') == std::string::npos) {
        std::string old = MenuItemText(control);
        size_t tab = old.find('\t');
        if (tab != std::string::npos) full += old.substr(tab);
    }
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    info.dwTypeData = full.data();
    return SetMenuItemInfoA(control.menu, item, byPosition, &info) != FALSE;
}

int ScreenDpi(int index) {
    WindowDC screen(nullptr);
    int dpi = screen ? GetDeviceCaps(screen.get(), index) : 0;
    return dpi > 0 ? dpi : 96;
}

}  // namespace

bool HasCaption(ControlKind kind) {
    switch (kind) {
        case ControlKind::Button:
        case ControlKind::CheckBox:
        case ControlKind::OptionButton:
        case ControlKind::Frame:
        case ControlKind::Label:
        case ControlKind::MenuItem:
            return true;
        case ControlKind::TextBox:
        case ControlKind::ComboBox:
        case ControlKind::ListBox:
        case ControlKind::PictureBox:
        case ControlKind::TabStrip:
        case ControlKind::ListView:
        case ControlKind::Timer:
        case ControlKind::Other:
            return false;
    }
    return false;
}

Form::Form(std::string name) : name_(std::move(name)), nextId_(kFirstId) {}

Form::~Form() {
    if (hwnd_) {
        // Unbind first: the derived part of this object is already gone, so
        // the messages of the destruction must not reach HandleMessage.
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
        hwnd_ = nullptr;
    }
}

void CenterDialog(FormWindowSpec& params, int clientWidth, int clientHeight, HWND over) {
    RECT outer{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&outer, params.style, FALSE, params.exStyle);
    params.width = outer.right - outer.left;
    params.height = outer.bottom - outer.top;
    RECT area{};
    if (!over || !GetWindowRect(over, &area)) SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    params.x = area.left + ((area.right - area.left) - params.width) / 2;
    params.y = area.top + ((area.bottom - area.top) - params.height) / 2;
}

void AddLogoHeader(Form& form, int clientWidth, int headerHeight, const std::string& caption) {
    form.AddControl({.name = "lblInfo",
                     .kind = ControlKind::Label,
                     .x = 52,
                     .y = 17,
                     .width = clientWidth - 60,
                     .height = 16,
                     .caption = caption});
    // The program's icon is its resource 1; test programs have none.
    HICON logo = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
    if (!logo) logo = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    HWND picLogo = form.AddControl({.name = "PicLogo",
                                    .kind = ControlKind::PictureBox,
                                    .x = 10,
                                    .y = 8,
                                    .width = 32,
                                    .height = 32,
                                    .style = SS_ICON});
    if (picLogo) SendMessageA(picLogo, STM_SETICON, reinterpret_cast<WPARAM>(logo), 0);
    HWND picInfo = form.AddControl({.name = "picInfo",
                                    .kind = ControlKind::PictureBox,
                                    .width = clientWidth,
                                    .height = headerHeight,
                                    .style = SS_WHITERECT | WS_CLIPSIBLINGS});
    if (picInfo) {
        SetWindowPos(picInfo, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void AddNoticeHeader(Form& form, int clientWidth, HICON logo) {
    const HWND band = form.AddControl({.name = "picInfo",
                                       .kind = ControlKind::PictureBox,
                                       .x = 0,
                                       .y = 0,
                                       .width = clientWidth,
                                       .height = 70,
                                       .style = SS_ETCHEDFRAME});
    EnableWindow(band, FALSE);
    const HWND picLogo = form.AddControl({.name = "PicLogo",
                                          .kind = ControlKind::PictureBox,
                                          .x = 16,
                                          .y = 19,
                                          .width = 32,
                                          .height = 32,
                                          .style = SS_ICON});
    if (picLogo && logo) SendMessageA(picLogo, STM_SETICON, reinterpret_cast<WPARAM>(logo), 0);
}

bool Form::Create(const FormWindowSpec& params) {
    // The form owns the menu bar from here on: the window destroys it, or
    // this guard does when no window comes about.
    UniqueHMENU menuBar(params.menuBar);
    if (hwnd_ || !params.className) return false;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof(existing);
    if (!GetClassInfoExA(instance, params.className, &existing)) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof(wc);
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = &Form::WindowProc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        wc.hbrBackground = params.background;
        wc.lpszClassName = params.className;
        if (!RegisterClassExA(&wc)) return false;
    }
    DWORD exStyle = params.exStyle | (params.dialogKeys ? WS_EX_CONTROLPARENT : 0);
    dialogKeys_ = params.dialogKeys;
    HWND hwnd = CreateWindowExA(exStyle, params.className, params.caption.c_str(), params.style,
                                params.x, params.y, params.width, params.height, params.owner,
                                menuBar.get(), instance, this);
    if (!hwnd) {
        hwnd_ = nullptr;
        return false;
    }
    menuBar.release();
    if (params.icon) {
        SendMessageA(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(params.icon));
        SendMessageA(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(params.icon));
    }
    return true;
}

void Form::Destroy() {
    if (hwnd_) DestroyWindow(hwnd_);
}

UINT Form::NextId() {
    return nextId_ <= kLastId ? nextId_++ : 0;
}

HWND Form::AddControl(const ControlSpec& params) {
    KindClass kc = ClassOf(params.kind);
    const char* className = params.className ? params.className : kc.className;
    HWND parent = params.parent ? params.parent : hwnd_;
    if (!className || !parent) return nullptr;
    if (params.kind == ControlKind::TabStrip || params.kind == ControlKind::ListView) {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&icc);
    }
    UINT id = NextId();
    if (id == 0) return nullptr;
    HWND hwnd = CreateWindowExA(kc.exStyle | params.exStyle, className, params.caption.c_str(),
                                WS_CHILD | WS_VISIBLE | kc.style | params.style, params.x, params.y,
                                params.width, params.height, parent,
                                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                GetModuleHandleA(nullptr), nullptr);
    if (!hwnd) return nullptr;
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
    controls_.push_back({params.name, params.kind, hwnd, id, nullptr, nullptr});
    return hwnd;
}

void Form::RegisterControl(const std::string& name, ControlKind kind, HWND hwnd, UINT id) {
    controls_.push_back({name, kind, hwnd, id, nullptr, nullptr});
}

HMENU Form::AddMenu(HMENU parent, const std::string& name, const std::string& caption) {
    if (!parent) return nullptr;
    UniqueHMENU owned(CreatePopupMenu());
    if (!owned || !AppendMenuA(parent, MF_POPUP | MF_STRING,
                               reinterpret_cast<UINT_PTR>(owned.get()), caption.c_str())) {
        return nullptr;
    }
    HMENU sub = owned.release();  // the parent menu destroys it from now on
    controls_.push_back({name, ControlKind::MenuItem, nullptr, 0, parent, sub});
    return sub;
}

UINT Form::AddMenuItem(HMENU parent, const std::string& name, const std::string& caption) {
    if (!parent) return 0;
    UINT id = NextId();
    if (id == 0 || !AppendMenuA(parent, MF_STRING, id, caption.c_str())) return 0;
    controls_.push_back({name, ControlKind::MenuItem, nullptr, id, parent, nullptr});
    return id;
}

void Form::AddMenuSeparator(HMENU parent) {
    if (parent) AppendMenuA(parent, MF_SEPARATOR, 0, nullptr);
}

const FormControl* Form::FindControl(const std::string& name) const {
    for (const FormControl& control : controls_) {
        if (control.name == name) return &control;
    }
    return nullptr;
}

const FormControl* Form::FindControlById(UINT id) const {
    if (id == 0) return nullptr;
    for (const FormControl& control : controls_) {
        if (control.id == id) return &control;
    }
    return nullptr;
}

HWND Form::ControlHwnd(const std::string& name) const {
    const FormControl* control = FindControl(name);
    return control ? control->hwnd : nullptr;
}

UINT Form::CommandId(const std::string& name) const {
    const FormControl* control = FindControl(name);
    return control ? control->id : 0;
}

bool Form::SetCaption(const std::string& name, const std::string& text) {
    // Every control of that name: the elements of a control array share it.
    bool any = false;
    bool menuChanged = false;
    for (const FormControl& control : controls_) {
        if (control.name != name || !HasCaption(control.kind)) continue;
        if (control.kind == ControlKind::MenuItem) {
            if (SetMenuItemText(control, text)) {
                any = true;
                menuChanged = menuChanged || (hwnd_ && GetMenu(hwnd_) == control.menu);
            }
        } else if (control.hwnd && SetWindowTextA(control.hwnd, text.c_str())) {
            any = true;
        }
    }
    if (menuChanged) DrawMenuBar(hwnd_);
    return any;
}

std::string Form::Caption(const std::string& name) const {
    const FormControl* control = FindControl(name);
    if (!control || !HasCaption(control->kind)) return {};
    if (control->kind == ControlKind::MenuItem) {
        std::string text = MenuItemText(*control);
        size_t tab = text.find('\t');
        return tab == std::string::npos ? text : text.substr(0, tab);
    }
    return control->hwnd ? WindowText(control->hwnd) : std::string();
}

void Form::SetFormCaption(const std::string& text) {
    if (hwnd_) SetWindowTextA(hwnd_, text.c_str());
}

std::string Form::FormCaption() const {
    return hwnd_ ? WindowText(hwnd_) : std::string();
}

bool Form::SetText(const std::string& name, const std::string& text) {
    HWND hwnd = ControlHwnd(name);
    return hwnd && SetWindowTextA(hwnd, text.c_str());
}

std::string Form::Text(const std::string& name) const {
    HWND hwnd = ControlHwnd(name);
    return hwnd ? WindowText(hwnd) : std::string();
}

bool Form::AddTab(const std::string& name, const std::string& caption) {
    const FormControl* control = FindControl(name);
    if (!control || control->kind != ControlKind::TabStrip || !control->hwnd) return false;
    std::string text = caption;
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    LRESULT count = SendMessageA(control->hwnd, TCM_GETITEMCOUNT, 0, 0);
    return SendMessageA(control->hwnd, TCM_INSERTITEMA, static_cast<WPARAM>(count),
                        reinterpret_cast<LPARAM>(&item)) >= 0;
}

bool Form::SetTabCaption(const std::string& name, int tab, const std::string& text) {
    const FormControl* control = FindControl(name);
    if (!control || control->kind != ControlKind::TabStrip || !control->hwnd || tab < 1) {
        return false;
    }
    std::string copy = text;
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = copy.data();
    return SendMessageA(control->hwnd, TCM_SETITEMA, static_cast<WPARAM>(tab - 1),
                        reinterpret_cast<LPARAM>(&item)) != 0;
}

std::string Form::TabCaption(const std::string& name, int tab) const {
    const FormControl* control = FindControl(name);
    if (!control || control->kind != ControlKind::TabStrip || !control->hwnd || tab < 1) return {};
    std::string text(260, '\0');
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size());
    if (!SendMessageA(control->hwnd, TCM_GETITEMA, static_cast<WPARAM>(tab - 1),
                      reinterpret_cast<LPARAM>(&item))) {
        return {};
    }
    // The control may hand back its own buffer instead of filling ours.
    return std::string(item.pszText ? item.pszText : "");
}

int Form::ShowModal(HWND owner) {
    if (!hwnd_ || modal_) return 0;
    modal_ = true;
    modalEnded_ = false;
    modalResult_ = 0;
    // Taken before the owner is disabled, which takes the focus away.
    const FocusKeeper focus;
    bool ownerEnabled = owner && IsWindowEnabled(owner);
    if (ownerEnabled) EnableWindow(owner, FALSE);
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    MSG msg{};
    while (!modalEnded_ && hwnd_) {
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            // The program is ending: leave the loop and let the outer loop see it.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got == -1) break;
        if (!PreTranslateFormMessage(msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    // Enable the owner before hiding, or the system activates another program.
    if (ownerEnabled) EnableWindow(owner, TRUE);
    if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
    modal_ = false;
    return modalResult_;
}

void Form::EndModal(int result) {
    modalResult_ = result;
    modalEnded_ = true;
    // Wake the modal loop if it is waiting in GetMessage.
    if (hwnd_) PostMessageA(hwnd_, WM_NULL, 0, 0);
}

LRESULT Form::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd_, msg, wParam, lParam);
}

LRESULT CALLBACK Form::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    Form* form = nullptr;
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        form = static_cast<Form*>(create->lpCreateParams);
        if (form) {
            form->hwnd_ = hwnd;
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
        }
    } else {
        form = reinterpret_cast<Form*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    }
    if (!form) return DefWindowProcA(hwnd, msg, wParam, lParam);
    LRESULT result = form->HandleMessage(msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        form->hwnd_ = nullptr;
        form->controls_.clear();  // their windows and menus went with the form
        form->nextId_ = kFirstId;
        form->modalEnded_ = true;
    }
    return result;
}

bool PreTranslateFormMessage(MSG& msg) {
    if (!msg.hwnd) return false;
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    if (!root ||
        GetWindowLongPtrA(root, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&Form::WindowProc)) {
        return false;
    }
    auto* form = reinterpret_cast<Form*>(GetWindowLongPtrA(root, GWLP_USERDATA));
    if (!form) return false;
    if (form->accelerators_ && TranslateAcceleratorA(root, form->accelerators_, &msg)) return true;
    if (!form->dialogKeys_) return false;
    return IsDialogMessageA(root, &msg) != FALSE;
}

int TwipsPerPixelX() {
    return 1440 / ScreenDpi(LOGPIXELSX);
}
int TwipsPerPixelY() {
    return 1440 / ScreenDpi(LOGPIXELSY);
}

}  // namespace vallora
