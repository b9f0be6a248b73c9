#include "security/policy_reg_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vallora {
namespace {

TEST(PolicyRegFile, ApplyListsWritesAndOtherStepsInOrder) {
    Definition definition;
    definition.ReplaceDesktop = 1;
    definition.HideDrives = "C";
    definition.IEPrograms = 1;
    EXPECT_EQ(
        PolicyRegFileText(definition, PolicyAction::Apply),
        "REGEDIT4\r\n"
        "\r\n"
        "; Comment lines name the steps that are not registry writes; importing this file "
        "does not take them.\r\n"
        "\r\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon]\r\n"
        "\"AutoRestartShell\"=dword:00000000\r\n"
        "\r\n"
        "; end explorer.exe when it owns a top-level window\r\n"
        "\r\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer]\r\n"
        "\"NoDesktop\"=dword:00000001\r\n"
        "\"NoDrives\"=dword:00000004\r\n"
        "\"NoDriveAutoRun\"=dword:00000004\r\n"
        "\r\n"
        "; copy HKEY_LOCAL_MACHINE\\Software\\Clients with all its subkeys and values to "
        "HKEY_LOCAL_MACHINE\\Software\\Brenmark\\Vallora\\Backup\\Clients when it exists\r\n"
        "\r\n"
        "[-HKEY_LOCAL_MACHINE\\Software\\Clients]\r\n");
}

TEST(PolicyRegFile, ResetListsTheSystemStepsAtTheirPlace) {
    Definition definition;
    definition.IEHomePage = "http://kiosk.example/";
    const std::string text = PolicyRegFileText(definition, PolicyAction::Reset);
    size_t at = 0;
    for (const char* expected : {
             "\"NoWorkgroupContents\"=dword:00000000",
             "\"DisableTaskMgr\"=dword:00000000",
             "; SystemParametersInfo SPI_SETSCREENSAVERRUNNING (97), 0",
             "\"NoDeletePrinter\"=dword:00000000",
             "\"AutoRestartShell\"=dword:00000001",
             "; start explorer.exe minimised when it does not run",
             "\"NoDesktop\"=dword:00000000",
             "\"Start Page\"=\"http://kiosk.example/\"",
             "\"Disable Script Debugger\"=\"no\"",
             "; when HKEY_LOCAL_MACHINE\\Software\\Brenmark\\Vallora\\Backup\\Clients exists",
             "\"1803\"=dword:00000000",
         }) {
        const size_t found = text.find(expected, at);
        ASSERT_NE(found, std::string::npos) << expected << " after offset " << at << "\n" << text;
        at = found;
    }
}

}  // namespace
}  // namespace vallora
