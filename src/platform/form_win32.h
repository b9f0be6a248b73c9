#pragma once
// Form: the base of every window of the programs (top-level windows and
// modal dialogs alike), created in code, with a list of named controls.
//
//   class frmSplash : public Form {
//   public:
//       frmSplash() : Form("frmSplash") {}
//       bool Load(HWND owner) {
//           FormWindowSpec params;           // filled by assignment: most fields keep defaults
//           params.className = "ValloraSplash";
//           params.caption = "Vallora";
//           if (!Create(params)) return false;
//           AddControl({.name = "cmdOK", .kind = ControlKind::Button,
//                       .x = 10, .y = 10, .width = 80, .height = 24, .caption = "OK"});
//           return true;
//       }
//   protected:
//       LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
//           switch (msg) {
//               case WM_COMMAND: return OnCommand(LOWORD(wParam), HIWORD(wParam));
//               default: return Form::HandleMessage(msg, wParam, lParam);
//           }
//       }
//   };
//
// - Create() registers the window class once and creates the window; `this`
//   is bound at WM_NCCREATE, every later message reaches HandleMessage, and
//   the binding is dropped at WM_NCDESTROY. WM_DESTROY never ends the program.
// - AddControl() creates a child window and registers it under its product
//   name ("cmdOK", "lblAdminPassword", "TabStrip"); AddMenu()/AddMenuItem()
//   build menus whose items are registered the same way ("mnuFileSave").
//   Controls() lists them in registration order (the order captions apply in).
// - SetCaption()/Caption() work by name on kinds that carry a caption
//   (buttons, check and option boxes, frames, labels, menu items);
//   SetFormCaption()/FormCaption() on the form's title; SetTabCaption() on
//   the tabs of a tab strip; SetText()/Text() on any control window.
// - ShowModal(owner) runs a local message loop until EndModal(result) or the
//   window goes away, with the owner disabled meanwhile.
// - PreTranslateFormMessage(msg) gives dialog keys (Tab, arrows, Enter) to
//   forms created with dialogKeys; call it from every message loop.
#include <windows.h>

#include <string>
#include <vector>

namespace vallora {

enum class ControlKind {
    Button,        // cmd
    CheckBox,      // chk
    OptionButton,  // opt
    Frame,         // frame
    Label,         // lbl
    TextBox,       // txt
    ComboBox,      // cbo
    ListBox,
    PictureBox,  // pic: a plain child window that its form paints
    TabStrip,
    ListView,
    MenuItem,  // mnu: registered by AddMenu / AddMenuItem
    Timer,     // registered for completeness; has no window
    Other,     // any other class, given by ControlSpec::className
};

// Whether controls of this kind carry a caption that a language file may set.
bool HasCaption(ControlKind kind);

struct FormControl {
    std::string name{};
    ControlKind kind = ControlKind::Other;
    HWND hwnd = nullptr;      // child window; null for menu items and timers
    UINT id = 0;              // control id / menu command id (0 for submenus)
    HMENU menu = nullptr;     // menu items: the menu that holds the item
    HMENU subMenu = nullptr;  // menu items that open a submenu
};

struct FormWindowSpec {
    const char* className = nullptr;  // registered on first use, with that use's background
    std::string caption{};
    DWORD style = WS_OVERLAPPEDWINDOW;
    DWORD exStyle = 0;
    int x = CW_USEDEFAULT;  // outer bounds in pixels
    int y = CW_USEDEFAULT;
    int width = CW_USEDEFAULT;
    int height = CW_USEDEFAULT;
    HWND owner = nullptr;
    HMENU menuBar = nullptr;  // from CreateMenu(); Create() takes it over, even on failure
    HICON icon = nullptr;     // class icon, not owned by the form
    HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    bool dialogKeys = false;  // Tab and arrow keys move between controls
};

// Sizes a dialog's window for the given client size under params' styles and
// centres it over `over` (an owner window), or over the work area when there
// is none.
void CenterDialog(FormWindowSpec& params, int clientWidth, int clientHeight, HWND over = nullptr);

class Form;

// Adds a dialog's header: its title label ("lblInfo", with `caption`) beside
// the program's logo ("PicLogo") on a white band ("picInfo") across the top
// of the client area.
void AddLogoHeader(Form& form, int clientWidth, int headerHeight, const std::string& caption);
// Adds a notice's header: an etched band ("picInfo", 70 pixels high) across
// the top of the client area with the logo ("PicLogo", 32 pixels) at its
// left; the notice's text label goes to its right, from x = 64.
void AddNoticeHeader(Form& form, int clientWidth, HICON logo);

// Every field has an initializer, so designated initializers may leave any
// of them out without -Wmissing-field-initializers.
struct ControlSpec {
    std::string name{};
    ControlKind kind = ControlKind::Other;
    int x = 0;  // client coordinates of the parent, pixels
    int y = 0;
    int width = 0;
    int height = 0;
    std::string caption{};  // initial caption or text
    DWORD style = 0;        // added to the kind's usual styles (WS_CHILD | WS_VISIBLE always)
    DWORD exStyle = 0;
    const char* className = nullptr;  // overrides the kind's window class
    HWND parent = nullptr;            // default: the form window
};

class Form {
  public:
    explicit Form(std::string name);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& Name() const { return name_; }
    HWND Hwnd() const { return hwnd_; }

    // Creates the form's window; false when the system refused it.
    bool Create(const FormWindowSpec& params);
    // Destroys the window (if any); the form object stays usable.
    void Destroy();

    // Creates a child control and registers it; returns its window or null.
    HWND AddControl(const ControlSpec& params);
    // Registers a window created elsewhere (or a timer, with hwnd null).
    void RegisterControl(const std::string& name, ControlKind kind, HWND hwnd, UINT id = 0);
    // Appends a submenu to `parent` (a menu bar or popup) and registers it.
    HMENU AddMenu(HMENU parent, const std::string& name, const std::string& caption);
    // Appends a command item and registers it; returns its command id (0 on failure).
    UINT AddMenuItem(HMENU parent, const std::string& name, const std::string& caption);
    void AddMenuSeparator(HMENU parent);

    const std::vector<FormControl>& Controls() const { return controls_; }
    const FormControl* FindControl(const std::string& name) const;
    const FormControl* FindControlById(UINT id) const;
    HWND ControlHwnd(const std::string& name) const;
    UINT CommandId(const std::string& name) const;  // 0 when unknown

    // False when the control is unknown or has no caption.
    bool SetCaption(const std::string& name, const std::string& text);
    std::string Caption(const std::string& name) const;
    void SetFormCaption(const std::string& text);
    std::string FormCaption() const;
    bool SetText(const std::string& name, const std::string& text);
    std::string Text(const std::string& name) const;

    // Tabs of a registered tab strip, numbered from 1.
    bool AddTab(const std::string& name, const std::string& caption);
    bool SetTabCaption(const std::string& name, int tab, const std::string& text);
    std::string TabCaption(const std::string& name, int tab) const;

    // Keyboard shortcuts of the form's menu commands, translated before the
    // dialog keys in every message loop; the table stays the caller's.
    void SetAccelerators(HACCEL table) { accelerators_ = table; }

    int ShowModal(HWND owner);
    void EndModal(int result);
    bool IsModal() const { return modal_; }

  protected:
    // The form's message handler; unhandled messages go to Form::HandleMessage.
    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

  private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
    friend bool PreTranslateFormMessage(MSG& msg);
    UINT NextId();

    std::string name_;
    HWND hwnd_ = nullptr;
    bool dialogKeys_ = false;
    HACCEL accelerators_ = nullptr;
    std::vector<FormControl> controls_;
    UINT nextId_;
    bool modal_ = false;
    bool modalEnded_ = false;
    int modalResult_ = 0;
};

// Gives dialog keys to the form that holds msg.hwnd; true when it was used.
bool PreTranslateFormMessage(MSG& msg);

// Screen twips per pixel (15 at 96 dots per inch).
int TwipsPerPixelX();
int TwipsPerPixelY();

}  // namespace vallora
