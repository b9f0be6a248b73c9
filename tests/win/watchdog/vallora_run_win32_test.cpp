// ValloraRun as a whole program: an install folder with ValloraRun.exe and
// stand-ins for the runtime (Vallora.exe) and the page host (mshta.exe), a
// session record in the registry, and a task bar stand-in that can be told
// to stop answering.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "platform/event_log_win32.h"
#include "platform/system_storage_win32.h"
#include "runtime/session_record.h"
#include "win/taskbar/test_processes_win32.h"

namespace vallora {
namespace {

using testing::ChildProcess;
using testing::kMsgHang;

constexpr const char* kDefinition = "C:\\Desks\\My Kiosk.vla";

class ValloraRunTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = testing::MakeScratchFolder("vallorarun");
        const std::string helper = testing::WindowsPath(TASK_WINDOW_HELPER_EXE);
        for (const char* name : {"Vallora.exe", "mshta.exe", "other.exe"}) {
            ASSERT_TRUE(CopyFileA(helper.c_str(), Path(name).c_str(), FALSE)) << name;
        }
        ASSERT_TRUE(CopyFileA(testing::WindowsPath(VALLORA_RUN_EXE).c_str(),
                              Path("ValloraRun.exe").c_str(), FALSE));
        DeleteFileA(Path("started.txt").c_str());
        ClearRecord();
    }
    void TearDown() override {
        ClearRecord();
        DeleteFileA(Path("started.txt").c_str());
    }

    std::string Path(const std::string& name) const { return folder_ + "\\" + name; }

    ChildProcess Start(const std::string& program, const std::string& arguments = "") const {
        return ChildProcess(Path(program), arguments);
    }
    // Starts the watchdog and waits until its form exists (its instance is taken).
    ChildProcess StartWatchdog() const {
        ChildProcess watchdog = Start("ValloraRun.exe");
        EXPECT_NE(watchdog.WaitForWindow("Form1"), nullptr);
        return watchdog;
    }

    void WriteRecord(HWND taskBar, DWORD processId, DWORD desktopProcessId) {
        SessionRecord record;
        record.currentFile = kDefinition;
        record.taskBarWindow = reinterpret_cast<std::uintptr_t>(taskBar);
        record.processId = processId;
        record.desktopProcessId = desktopProcessId;
        WriteSessionRecordValues(storage_.settings, record);
    }
    void ClearRecord() {
        for (const char* name : {"CurrentFile", "Hwnd", "PID", "DesktopPID"}) {
            storage_.registry.DeleteValue(Hive::LocalMachine, kSessionRecordKey, name);
        }
    }

    static std::string Text(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::string Started() const { return Text(Path("started.txt")); }
    bool WaitForStart(DWORD timeoutMs) const {
        return testing::WaitUntil([&] { return !Started().empty(); }, timeoutMs);
    }
    std::string ExpectedStart() const {
        std::string line = "\"";
        line.append(Path("Vallora.exe")).append("\" ").append(kDefinition).append("\r\n");
        return line;
    }

    std::string folder_;
    SystemStorage storage_;
};

TEST_F(ValloraRunTest, SecondInstanceEndsAtOnce) {
    ChildProcess first = StartWatchdog();
    ChildProcess second = Start("ValloraRun.exe");
    EXPECT_TRUE(second.WaitEnded(5000));
    EXPECT_TRUE(first.Running());
}

TEST_F(ValloraRunTest, RestartsAfterTheFourthFailedProbe) {
    ChildProcess runtime = Start("Vallora.exe", "window Task bar");
    HWND taskBar = runtime.WaitForWindow("Task bar");
    ChildProcess page = Start("mshta.exe", "window Page");
    ASSERT_NE(page.WaitForWindow("Page"), nullptr);
    ASSERT_NE(taskBar, nullptr);
    WriteRecord(taskBar, runtime.Id(), page.Id());

    const size_t logged = Text(EventLogPath()).size();
    ChildProcess watchdog = StartWatchdog();
    Sleep(1500);  // a few checks of an answering bar
    EXPECT_TRUE(Started().empty());

    PostMessageA(taskBar, kMsgHang, 0, 0);
    const ULONGLONG hungAt = GetTickCount64();
    ASSERT_TRUE(WaitForStart(30000));
    // Three waits of 3 s lie between the first failed probe and the fourth.
    EXPECT_GE(GetTickCount64() - hungAt, 9000u);
    EXPECT_EQ(Started(), ExpectedStart());
    EXPECT_TRUE(runtime.WaitEnded(5000));
    EXPECT_TRUE(page.WaitEnded(5000));
    EXPECT_TRUE(watchdog.WaitEnded(5000));
    // The restart is in the session log, once.
    const std::string log = Text(EventLogPath());
    // A log begun afresh past its limit holds only new lines.
    const std::string added = log.size() >= logged ? log.substr(logged) : log;
    EXPECT_NE(added.find(" Watchdog restart: the task bar stopped answering; the desktop is "
                         "started again from " +
                         std::string(kDefinition) + "\r\n"),
              std::string::npos)
        << added;
    EXPECT_EQ(added.find("Watchdog restart"), added.rfind("Watchdog restart")) << added;
}

TEST_F(ValloraRunTest, NoRestartWhenTheFourthProbeAnswers) {
    ChildProcess runtime = Start("Vallora.exe", "window Task bar");
    HWND taskBar = runtime.WaitForWindow("Task bar");
    ASSERT_NE(taskBar, nullptr);
    WriteRecord(taskBar, runtime.Id(), 0);
    ChildProcess watchdog = StartWatchdog();

    // Stopped for 5 s: the first probes fail, the third and fourth answer.
    PostMessageA(taskBar, kMsgHang, 5000, 0);
    // Longer than one whole check of four probes and three waits.
    Sleep(16000);
    EXPECT_TRUE(Started().empty());
    EXPECT_TRUE(runtime.Running());
    EXPECT_TRUE(watchdog.Running());
}

TEST_F(ValloraRunTest, ClosingItDuringACheckEndsItWithoutARestart) {
    ChildProcess runtime = Start("Vallora.exe", "window Task bar");
    HWND taskBar = runtime.WaitForWindow("Task bar");
    ASSERT_NE(taskBar, nullptr);
    WriteRecord(taskBar, runtime.Id(), 0);
    ChildProcess watchdog = StartWatchdog();
    HWND form = watchdog.WaitForWindow("Form1");

    PostMessageA(taskBar, kMsgHang, 0, 0);
    Sleep(2500);  // the first probe has failed; the check waits
    PostMessageA(form, WM_CLOSE, 0, 0);
    EXPECT_TRUE(watchdog.WaitEnded(5000));
    EXPECT_TRUE(Started().empty());
    EXPECT_TRUE(runtime.Running());
}

TEST_F(ValloraRunTest, WaitsForARecordAndNeverEndsAReusedProcessId) {
    ChildProcess watchdog = StartWatchdog();
    Sleep(2500);  // checks without a record
    EXPECT_TRUE(Started().empty());
    EXPECT_TRUE(watchdog.Running());

    // The task bar is the runtime's and stops answering, but the recorded
    // process ids now belong to programs that are not the session's.
    ChildProcess runtime = Start("Vallora.exe", "window Task bar");
    HWND taskBar = runtime.WaitForWindow("Task bar");
    ASSERT_NE(taskBar, nullptr);
    ChildProcess stranger = Start("other.exe", "window Stranger");
    ASSERT_NE(stranger.WaitForWindow("Stranger"), nullptr);
    ChildProcess otherPage = Start("other.exe", "window Not a page");
    ASSERT_NE(otherPage.WaitForWindow("Not a page"), nullptr);
    PostMessageA(taskBar, kMsgHang, 0, 0);
    WriteRecord(taskBar, stranger.Id(), otherPage.Id());

    ASSERT_TRUE(WaitForStart(30000));
    EXPECT_EQ(Started(), ExpectedStart());
    EXPECT_TRUE(watchdog.WaitEnded(5000));
    EXPECT_TRUE(stranger.Running());
    EXPECT_TRUE(otherPage.Running());
}

}  // namespace
}  // namespace vallora
