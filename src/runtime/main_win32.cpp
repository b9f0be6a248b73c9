#include "runtime/main_win32.h"

#include <commctrl.h>
#include <objbase.h>

#include "language/messages.h"
#include "runtime/definition_load.h"
#include "runtime/file_type.h"
#include "runtime/last_good_win32.h"
#include "runtime/session_end_win32.h"
#include "taskbar/frm_task_bar_win32.h"

namespace vallora {

namespace {

void ShowMissingFile(ProgramServices& services, const std::string& path) {
    MessageRequest request;
    request.text =
        FillPlaceholder(services.language.Message(std::string(kMsgWarningFileNotFound)), path);
    request.title = kProgramTitle;
    request.buttons = MessageButtons::Ok;
    request.icon = MessageIcon::Critical;
    services.ui.ShowMessage(request);
}

// A session that ended without its reset left its restrictions in force:
// the administrator decides whether they go now.
void OfferRestoreAfterUncleanEnd(ProgramServices& services) {
    SessionRecord ended;
    if (!LastSessionEndedUncleanly(services.storage.settings, ended)) return;
    MessageRequest request;
    request.text = services.language.Message(std::string(kMsgLastSessionUnclean));
    request.title = kProgramTitle;
    request.buttons = MessageButtons::YesNo;
    request.icon = MessageIcon::Question;
    if (services.ui.ShowMessage(request) == MessageResult::Yes) {
        ResetAfterUncleanEnd(ended, {services.storage.settings, services.system});
    }
}

int RunDesktop(ProgramServices& services, std::string definitionPath) {
    ProgramState& state = services.state;
    DesktopSession& session = services.session;
    frmTaskBar* bar = nullptr;
    std::unique_ptr<frmTaskBar> taskBar;
    {
        WaitCursor wait;
        if (!IsRunnableDefinition(definitionPath)) {
            ShowMissingFile(services, definitionPath);
            // The defaults would be a session without restrictions whose
            // empty password anyone can give: the last good one runs, or none.
            definitionPath = LastGoodDefinitionPath();
            if (!IsRunnableDefinition(definitionPath)) return 0;
        }
        LoadDefinitionInto(state, definitionPath);
        session.BeginSession(definitionPath);
        state.taskList = CreateTaskList(services.windows);
        taskBar = std::make_unique<frmTaskBar>(session, services.language, *state.taskList,
                                               services.windows, services.processes);
        bar = taskBar.get();
        // The bar's first refresh applies the restrictions: programs read
        // policies when they start, so the start-up files come after it.
        bar->RefreshTaskBar();
        session.RunStartupFiles();
        bar->Show();
        session.LaunchDefinitionPage(definitionPath, true);
    }
    session.WriteSessionRecord(definitionPath, bar->Hwnd());
    KeepLastGoodDefinition(definitionPath);
    return RunMessageLoop();
}

}  // namespace

int RunMessageLoop() {
    MSG msg{};
    while (true) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) break;
        if (!PreTranslateFormMessage(msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return static_cast<int>(msg.wParam);
}

int Main(const std::string& commandTail, const EditorFactory& makeEditor,
         const std::string& pageHost, const LockDownCheck& checkLockDown) {
    // The shell's open verb and the common dialogs want COM on this thread.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    auto services = std::make_unique<ProgramServices>(pageHost);
    std::unique_ptr<EditorPort> editor = makeEditor ? makeEditor(*services) : nullptr;
    services->session.SetEditor(editor.get());
    if (checkLockDown) {
        services->session.SetLockDownCheck([&services = *services, checkLockDown](WindowId owner) {
            checkLockDown(services, owner);
        });
    }

    ProcessPendingMessages();
    RegisterFileType(services->storage.settings, services->programFolder);
    if (editor) editor->ShowSplash(0);

    int exitCode = 0;
    if (commandTail.empty()) {
        OfferRestoreAfterUncleanEnd(*services);
        if (editor && editor->ShowEditor()) {
            LoadDefinitionInto(services->state, "");
            exitCode = RunMessageLoop();
        }
    } else {
        exitCode = RunDesktop(*services, commandTail);
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return exitCode;
}

}  // namespace vallora
