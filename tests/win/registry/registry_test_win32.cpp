// The registry cases against the system registry, below a scratch key of
// HKEY_CURRENT_USER that each test removes again.
#include <windows.h>

#include <atomic>

#include "platform/profile_win32.h"
#include "platform/registry_win32.h"
#include "platform/system_storage_win32.h"
#include "registry_cases.h"

namespace vallora {

namespace {

constexpr char kTestRoot[] = "Software\\ValloraTest";

std::string ScratchKeyName() {
    static std::atomic<int> counter{0};
    return std::string(kTestRoot) + "\\" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(counter++);
}

void RemoveScratchKey(HKEY root, const std::string& key) {
    RegDeleteTreeA(root, key.c_str());
    RegDeleteKeyA(root, key.c_str());
    // The shared parent goes once no run uses it any more.
    RegDeleteKeyA(root, kTestRoot);
}

class SystemBed : public RegistryBed {
  public:
    ~SystemBed() override { RemoveScratchKey(HKEY_CURRENT_USER, base_); }
    RegistryPort& registry() override { return registry_; }
    ProfilePort& profile() override { return profile_; }
    std::string base() const override { return base_; }

  private:
    RegistryWin32 registry_;
    ProfileWin32 profile_;
    std::string base_ = ScratchKeyName();
};

}  // namespace

std::unique_ptr<RegistryBed> MakeRegistryBed() {
    return std::make_unique<SystemBed>();
}

namespace {

TEST(SystemRegistryTest, LocalMachineThroughLowerCaseHiveName) {
    SystemStorage storage;
    const std::string key = ScratchKeyName();
    EXPECT_EQ(storage.settings.WriteSetting("hklm", key, "Count", "D", int32_t{65536}), kStatusOk);
    DWORD value = 0;
    DWORD size = sizeof(value);
    EXPECT_EQ(RegGetValueA(HKEY_LOCAL_MACHINE, key.c_str(), "Count", RRF_RT_REG_DWORD, nullptr,
                           &value, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(value, 65536u);
    RemoveScratchKey(HKEY_LOCAL_MACHINE, key);
}

TEST(SystemRegistryTest, TextIsStoredForOtherProgramsToRead) {
    SystemStorage storage;
    const std::string key = ScratchKeyName();
    ASSERT_EQ(storage.settings.WriteSetting("HKCU", key, "CurrentFile", "S",
                                            std::string("C:\\Desks\\Kiosk.vla")),
              kStatusOk);
    char text[64] = {};
    DWORD size = sizeof(text);
    EXPECT_EQ(RegGetValueA(HKEY_CURRENT_USER, key.c_str(), "CurrentFile", RRF_RT_REG_SZ, nullptr,
                           text, &size),
              ERROR_SUCCESS);
    EXPECT_STREQ(text, "C:\\Desks\\Kiosk.vla");
    RemoveScratchKey(HKEY_CURRENT_USER, key);
}

}  // namespace
}  // namespace vallora
