#include "watchdog/session_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "security/policy_reg_file.h"
#include "storage/memory_registry.h"
#include "storage/settings.h"

namespace vallora {
namespace {

// Answers probes from a script and logs what the check does.
class FakeWatchdogSystem final : public WatchdogSystem {
  public:
    std::vector<bool> answers;  // one per probe, in order
    int stopAtWait = -1;        // the wait (counted from 0) that reports an end request
    std::vector<std::string> log;
    std::string pageProgram = "mshta.exe";  // what the recorded page process runs

    bool ProbeWindow(std::uintptr_t window, std::uint32_t timeoutMs) override {
        const bool answer = probes_ < answers.size() && answers[probes_];
        ++probes_;
        log.push_back("probe " + std::to_string(window) + " " + std::to_string(timeoutMs) +
                      (answer ? " ok" : " failed"));
        return answer;
    }
    bool Wait(std::uint32_t milliseconds) override {
        log.push_back("wait " + std::to_string(milliseconds));
        return waits_++ != stopAtWait;
    }
    bool EndProcessRunning(std::uint32_t processId, std::string_view programFile) override {
        log.push_back("end " + std::to_string(processId) + " " + std::string(programFile));
        return programFile == "Vallora.exe" || programFile == pageProgram;
    }
    bool StartRuntime(const std::string& definitionPath) override {
        log.push_back("start " + definitionPath);
        return true;
    }
    bool IsSessionWindow(std::uintptr_t window) override {
        return std::find(liveWindows.begin(), liveWindows.end(), window) != liveWindows.end();
    }

    std::vector<std::uintptr_t> liveWindows;

  private:
    std::size_t probes_ = 0;
    int waits_ = 0;
};

SessionRecord Record() {
    SessionRecord record;
    record.currentFile = "C:\\Desks\\My Kiosk.vla";
    record.taskBarWindow = 77;
    record.processId = 10;
    record.desktopProcessId = 20;
    return record;
}

const std::vector<std::string> kRestart = {"wait 0", "end 10 Vallora.exe", "end 20 mshta.exe",
                                           "start C:\\Desks\\My Kiosk.vla"};

TEST(SessionCheckTest, OnlyTheFourthProbeDecides) {
    struct Case {
        std::vector<bool> answers;
        CheckOutcome outcome;
    };
    const Case cases[] = {
        {{true, true, true, true}, CheckOutcome::Answering},
        {{false, false, false, true}, CheckOutcome::Answering},
        {{true, false, true, true}, CheckOutcome::Answering},
        {{true, true, true, false}, CheckOutcome::Restarted},
        {{false, false, false, false}, CheckOutcome::Restarted},
    };
    for (const Case& c : cases) {
        FakeWatchdogSystem system;
        system.answers = c.answers;
        EXPECT_EQ(CheckSession(Record(), system), c.outcome);

        std::vector<std::string> expected;
        for (std::size_t i = 0; i < c.answers.size(); ++i) {
            expected.push_back(std::string("probe 77 1000 ") + (c.answers[i] ? "ok" : "failed"));
            if (!c.answers[i] && i < 3) expected.push_back("wait 3000");
        }
        if (c.outcome == CheckOutcome::Restarted) {
            expected.insert(expected.end(), kRestart.begin(), kRestart.end());
        }
        EXPECT_EQ(system.log, expected) << "case " << (&c - cases);
    }
}

TEST(SessionCheckTest, ThePageProcessIsEndedWhicheverPageProgramItRuns) {
    const struct {
        const char* runs;
        std::vector<std::string> ends;
    } cases[] = {
        {"mshta.exe", {"end 10 Vallora.exe", "end 20 mshta.exe"}},
        {"ValloraPage.exe", {"end 10 Vallora.exe", "end 20 mshta.exe", "end 20 ValloraPage.exe"}},
        {"notepad.exe", {"end 10 Vallora.exe", "end 20 mshta.exe", "end 20 ValloraPage.exe"}},
    };
    for (const auto& c : cases) {
        FakeWatchdogSystem system;
        system.pageProgram = c.runs;
        system.answers = {false, false, false, false};
        EXPECT_EQ(CheckSession(Record(), system), CheckOutcome::Restarted);
        std::vector<std::string> ends;
        for (const std::string& step : system.log) {
            if (step.starts_with("end")) ends.push_back(step);
        }
        EXPECT_EQ(ends, c.ends) << c.runs;
        EXPECT_EQ(system.log.back(), "start C:\\Desks\\My Kiosk.vla") << c.runs;
    }
}

TEST(SessionCheckTest, WithoutAUsableRecordNothingIsDone) {
    SessionRecord noWindow = Record();
    noWindow.taskBarWindow = 0;
    SessionRecord noFile = Record();
    noFile.currentFile.clear();
    for (const SessionRecord& record : {SessionRecord(), noWindow, noFile}) {
        FakeWatchdogSystem system;
        EXPECT_EQ(CheckSession(record, system), CheckOutcome::NoSession);
        EXPECT_TRUE(system.log.empty());
    }
}

TEST(SessionCheckTest, ProcessIdZeroIsNeverEnded) {
    SessionRecord record = Record();
    record.processId = 0;
    record.desktopProcessId = 0;
    FakeWatchdogSystem system;
    EXPECT_EQ(CheckSession(record, system), CheckOutcome::Restarted);
    for (const std::string& step : system.log)
        EXPECT_EQ(step.find("end"), std::string::npos) << step;
    EXPECT_EQ(system.log.back(), "start C:\\Desks\\My Kiosk.vla");
}

TEST(SessionCheckTest, AnEndRequestDuringTheCheckStopsIt) {
    // Waits 0..2 follow the failed probes; wait 3 is the look before acting.
    for (int stopAt : {0, 1, 2, 3}) {
        FakeWatchdogSystem system;
        system.stopAtWait = stopAt;
        EXPECT_EQ(CheckSession(Record(), system), CheckOutcome::Interrupted) << stopAt;
        for (const std::string& step : system.log) {
            EXPECT_TRUE(step.rfind("probe", 0) == 0 || step.rfind("wait", 0) == 0) << step;
        }
    }
}

TEST(SessionCheckTest, CommandLineQuotesTheProgramButNotTheDefinition) {
    EXPECT_EQ(RuntimeCommandLine("C:\\Program Files\\Vallora", "C:\\Desks\\My Kiosk.vla"),
              "\"C:\\Program Files\\Vallora\\Vallora.exe\" C:\\Desks\\My Kiosk.vla");
    EXPECT_EQ(RuntimeCommandLine("C:\\V", ""), "\"C:\\V\\Vallora.exe\" ");
}

TEST(SessionRecordReadTest, NumbersAreDecimalTextOrZero) {
    // Process ids are 32-bit; the window keeps the width of a handle.
    struct Case {
        const char* text;  // nullptr: value missing
        std::uint32_t processId;
        std::uintptr_t window;
    };
    const Case cases[] = {
        {"4242", 4242, 4242},
        {"0", 0, 0},
        {nullptr, 0, 0},
        {"", 0, 0},
        {"12abc", 0, 0},
        {"-5", 0, 0},
        {" 7", 0, 0},
        {"0x10", 0, 0},
        {"4294967295", 4294967295u, 4294967295u},
        {"4294967296", 0, sizeof(std::uintptr_t) > 4 ? std::uintptr_t(4294967296ull) : 0},
        {"99999999999999999999999", 0, 0},
    };
    for (const Case& c : cases) {
        MemoryRegistry registry;
        DryRunProfile profile;
        Settings settings(registry, profile);
        auto write = [&](const char* name, const char* text) {
            settings.WriteSetting(kSessionRecordHive, kSessionRecordKey, name, "S",
                                  std::string(text));
        };
        write("CurrentFile", "C:\\Desks\\Kiosk.vla");
        if (c.text) {
            write("Hwnd", c.text);
            write("PID", c.text);
            write("DesktopPID", c.text);
        }
        const SessionRecord record = ReadSessionRecord(settings);
        EXPECT_EQ(record.taskBarWindow, c.window) << (c.text ? c.text : "missing");
        EXPECT_EQ(record.processId, c.processId) << (c.text ? c.text : "missing");
        EXPECT_EQ(record.desktopProcessId, c.processId) << (c.text ? c.text : "missing");
        EXPECT_EQ(record.currentFile, "C:\\Desks\\Kiosk.vla");
    }
}

void WriteRecord(Settings& settings, const char* hive, const char* window, const char* file) {
    settings.WriteSetting(hive, kSessionRecordKey, "CurrentFile", "S", std::string(file));
    settings.WriteSetting(hive, kSessionRecordKey, "Hwnd", "S", std::string(window));
}

TEST(SessionWatchTest, WatchesOnlyLiveOrOnceSeenSessions) {
    struct Case {
        const char* name;
        const char* machineWindow;               // nullptr: no HKLM record
        const char* userWindow;                  // nullptr: no HKCU record
        std::vector<std::uintptr_t> liveFirst;   // live windows on the first tick
        std::vector<std::uintptr_t> liveSecond;  // and on the second
        CheckOutcome first;
        CheckOutcome second;
        const char* started;  // the definition started on a restart
    };
    const Case cases[] = {
        {"ended session",
         "0",
         nullptr,
         {},
         {},
         CheckOutcome::NoSession,
         CheckOutcome::NoSession,
         nullptr},
        {"stale record never live",
         "77",
         nullptr,
         {},
         {},
         CheckOutcome::NoSession,
         CheckOutcome::NoSession,
         nullptr},
        {"live session that crashes",
         "77",
         nullptr,
         {77},
         {},
         CheckOutcome::Answering,
         CheckOutcome::Restarted,
         "C:\\Machine.vla"},
        {"user record when the machine one is stale",
         "77",
         "88",
         {88},
         {88},
         CheckOutcome::Answering,
         CheckOutcome::Answering,
         nullptr},
        {"user record that crashes",
         "0",
         "88",
         {88},
         {},
         CheckOutcome::Answering,
         CheckOutcome::Restarted,
         "C:\\User.vla"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryRegistry registry;
        DryRunProfile profile;
        Settings settings(registry, profile);
        if (c.machineWindow) WriteRecord(settings, "HKLM", c.machineWindow, "C:\\Machine.vla");
        if (c.userWindow) WriteRecord(settings, "HKCU", c.userWindow, "C:\\User.vla");
        // The session answers while its window is live.
        SessionWatch watch;
        FakeWatchdogSystem first;
        first.liveWindows = c.liveFirst;
        first.answers.assign(kProbeCount, !c.liveFirst.empty());
        EXPECT_EQ(watch.Check(settings, first), c.first);
        FakeWatchdogSystem second;
        second.liveWindows = c.liveSecond;
        second.answers.assign(kProbeCount, !c.liveSecond.empty());
        EXPECT_EQ(watch.Check(settings, second), c.second);
        // The restart names its definition for the audit trail.
        EXPECT_EQ(watch.RestartedFile(), c.started ? c.started : "");
        if (c.started) {
            ASSERT_FALSE(second.log.empty());
            EXPECT_EQ(second.log.back(), std::string("start ") + c.started);
        }
    }
}

}  // namespace
}  // namespace vallora
