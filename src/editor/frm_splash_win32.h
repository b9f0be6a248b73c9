#pragma once
// frmSplash: the small picture window with the program's version, shown
// modally at every start and by the About command. It closes itself after
// three seconds, or earlier on a click or on Enter or Esc.
#include <windows.h>

#include <string>

#include "platform/form_win32.h"
#include "platform/win32_handles_win32.h"

namespace vallora {

// The address the link label shows and opens.
inline constexpr const char* kSplashAddress = "http://www.vallora.example/";
inline constexpr UINT kSplashCloseMs = 3000;

class frmSplash : public Form {
  public:
    explicit frmSplash(std::string versionText);
    ~frmSplash() override;

    // Loads the window, shows it modally and returns when it has closed; the
    // window is made anew for each showing.
    void ShowSplash(HWND owner);
    // Puts the version text into lblInfo and lets pending messages run.
    void Initialize();

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    bool Load(HWND owner);
    void CloseSplash();
    void Paint();

    std::string versionText_;
    HWND owner_ = nullptr;
    UniqueHFONT titleFont_;
    UniqueHFONT labelFont_;
    UniqueHBRUSH background_;
};

}  // namespace vallora
