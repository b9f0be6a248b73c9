#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "runtime/definition_load.h"
#include "runtime/file_type.h"
#include "runtime/session_record.h"
#include "storage/definition_file.h"
#include "storage/memory_registry.h"
#include "storage/profile_file.h"
#include "storage/recording_registry.h"
#include "storage/settings.h"
#include "storage/whole_file.h"

namespace vallora {
namespace {

struct Storage {
    MemoryRegistry memory;
    RecordingRegistry registry{memory};
    ProfileFile profile;
    Settings settings{registry, profile};

    std::string Text(const std::string& hive, const std::string& key, const std::string& name) {
        SettingValue value = std::string("<missing>");
        settings.ReadSetting(hive, key, name, "S", value);
        return std::get<std::string>(value);
    }
    std::vector<std::string> WrittenNames() const {
        std::vector<std::string> names;
        for (const RecordedChange& change : registry.Changes()) {
            EXPECT_EQ(change.kind, RecordedChange::Kind::WriteValue);
            EXPECT_EQ(change.value.type, kRegSz);
            names.push_back(change.value.name);
        }
        return names;
    }
};

TEST(RegisterFileType, AssociatesVlaFilesWithTheProgramQuotedAndTheFileWhole) {
    Storage storage;
    RegisterFileType(storage.settings, "C:\\Program Files\\Vallora");
    EXPECT_EQ(storage.Text("HKCR", ".vla", ""), "Vallora.file");
    EXPECT_EQ(storage.Text("HKCR", "Vallora.file\\DefaultIcon", ""),
              "C:\\Program Files\\Vallora\\Icons\\IconBlue.ICO,0");
    EXPECT_EQ(storage.Text("HKCR", "Vallora.file\\Shell\\Open\\Command", ""),
              "\"C:\\Program Files\\Vallora\\Vallora.exe\" %1");
}

TEST(SessionRecord, WritesPathAndThreeDecimalNumbersInOrder) {
    Storage storage;
    WriteSessionRecordValues(storage.settings,
                             {"C:\\My Desks\\Kiosk.vla", 0x1A2B4, 4294967295u, 0});
    EXPECT_EQ(storage.WrittenNames(),
              (std::vector<std::string>{"CurrentFile", "Hwnd", "PID", "DesktopPID"}));
    const std::string key = "Software\\Brenmark\\Vallora\\";
    EXPECT_EQ(storage.Text("HKLM", key, "CurrentFile"), "C:\\My Desks\\Kiosk.vla");
    EXPECT_EQ(storage.Text("HKLM", key, "Hwnd"), "107188");
    EXPECT_EQ(storage.Text("HKLM", key, "PID"), "4294967295");
    EXPECT_EQ(storage.Text("HKLM", key, "DesktopPID"), "0");

    // A later start overwrites the record.
    WriteSessionRecordValues(storage.settings, {"D:\\Other.vla", 5, 6, 7});
    EXPECT_EQ(storage.Text("HKLM", key, "CurrentFile"), "D:\\Other.vla");
    EXPECT_EQ(storage.Text("HKLM", key, "DesktopPID"), "7");
}

// Refuses every write in HKLM, as for a standard account.
class MachineRefused : public MemoryRegistry {
  public:
    long WriteValue(Hive hive, const std::string& keyPath, const RegistryValue& value) override {
        if (hive == Hive::LocalMachine && refuseMachine) return kStatusAccessDenied;
        if (hive == Hive::CurrentUser && refuseUser) return kStatusAccessDenied;
        return MemoryRegistry::WriteValue(hive, keyPath, value);
    }
    bool refuseMachine = true;
    bool refuseUser = false;
};

TEST(SessionRecord, GoesToTheUserWhenTheMachineRefusesAndEndsAsZero) {
    const std::string key = "Software\\Brenmark\\Vallora\\";
    MachineRefused registry;
    ProfileFile profile;
    Settings settings(registry, profile);
    EXPECT_STREQ(WriteSessionRecordValues(settings, {"C:\\K.vla", 42, 7, 8}), "HKCU");
    EXPECT_EQ(ReadSessionRecord(settings, "HKCU").taskBarWindow, 42u);
    EXPECT_EQ(ReadSessionRecord(settings).currentFile, "");

    EndSessionRecord(settings);
    EXPECT_EQ(ReadSessionRecord(settings, "HKCU").taskBarWindow, 0u);
    EXPECT_EQ(ReadSessionRecord(settings, "HKCU").currentFile, "C:\\K.vla");
    // EndSessionRecord writes no record where there was none.
    RegistryValue none;
    EXPECT_EQ(registry.ReadValue(Hive::LocalMachine, key, "Hwnd", none), kStatusNotFound);

    registry.refuseUser = true;
    EXPECT_EQ(WriteSessionRecordValues(settings, {"C:\\K.vla", 43, 7, 8}), nullptr);
}

TEST(IsRunnableDefinition, OnlyAReadFileThatHoldsADefinition) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path();
    const std::string saved = (folder / "vallora-runnable-saved.vla").string();
    ASSERT_TRUE(SaveDefinition(Definition{}, saved, nullptr));
    const std::string other = (folder / "vallora-runnable-other.vla").string();
    ASSERT_TRUE(
        ReplaceWholeFile(other, "MZ\x90\x00 not a definition\r\n[Other]\r\nA=1\r\n", nullptr));
    const struct {
        std::string path;
        bool runnable;
    } cases[] = {
        {saved, true},
        {other, false},
        {saved + ".missing", false},
        {folder.string(), false},  // a folder
        {"", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsRunnableDefinition(c.path), c.runnable) << c.path;
    std::remove(saved.c_str());
    std::remove(other.c_str());
}

TEST(LoadDefinitionInto, KeepsBothPathsOnlyForAFileThatWasRead) {
    const std::string path =
        (std::filesystem::temp_directory_path() / "vallora-load-into-test.vla").string();
    Definition saved;
    saved.AdminPassword = "Secret";
    ASSERT_TRUE(SaveDefinition(saved, path, nullptr));

    ProgramState state;
    EXPECT_EQ(LoadDefinitionInto(state, path), FileReadStatus::Read);
    EXPECT_EQ(state.definition.AdminPassword, "Secret");
    EXPECT_EQ(state.lastOpenedPath, path);
    EXPECT_EQ(state.currentDefinitionPath, path);

    // A file that exists but cannot be read (here a folder) changes nothing:
    // a later save must not replace it with the defaults.
    std::string error;
    const std::string folder = std::filesystem::temp_directory_path().string();
    EXPECT_EQ(LoadDefinitionInto(state, folder, &error), FileReadStatus::Unreadable);
    EXPECT_NE(error.find(folder), std::string::npos) << error;
    EXPECT_GT(error.size(), folder.size() + 2) << "the system's words follow the path";
    EXPECT_EQ(state.definition.AdminPassword, "Secret");
    EXPECT_EQ(state.currentDefinitionPath, path);

    // A missing file, or none: every default and both paths empty.
    const struct { std::string path; } cases[] = {{path + ".missing"}, {""}};
    for (const auto& c : cases) {
        EXPECT_EQ(LoadDefinitionInto(state, c.path), FileReadStatus::Missing);
        EXPECT_EQ(state.definition, Definition{});
        EXPECT_EQ(state.lastOpenedPath, "");
        EXPECT_EQ(state.currentDefinitionPath, "");
    }
    std::remove(path.c_str());
}

}  // namespace
}  // namespace vallora
