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
    definition.IEHomePage = "";  // the current browsers' part is checked below
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
        "; end explorer.exe when it owns a top-level window and AutoRestartShell reads 0\r\n"
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
             "\"NoDesktop\"=dword:00000000",
             "; start explorer.exe minimised when it does not run",
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

// Finds each piece after the one before.
void ExpectInOrder(const std::string& text, std::initializer_list<const char*> pieces) {
    size_t at = 0;
    for (const char* expected : pieces) {
        const size_t found = text.find(expected, at);
        ASSERT_NE(found, std::string::npos) << expected << " after offset " << at << "\n" << text;
        at = found;
    }
}

TEST(PolicyRegFile, CurrentBrowsersGetTheirValuesAndResetDeletesThem) {
    Definition definition;
    definition.IEDisableFileDownload = 1;
    definition.IEHomePage = "";
    const std::string apply = PolicyRegFileText(definition, PolicyAction::Apply);
    ExpectInOrder(
        apply,
        {"\"1803\"=dword:00000003",
         "; the state that the values below had before is kept in "
         "HKEY_LOCAL_MACHINE\\Software\\Brenmark\\Vallora\\Backup\\Edge unless it is kept there "
         "already\r\n",
         "[HKEY_LOCAL_MACHINE\\Software\\Brenmark\\Vallora\\Backup\\Edge\\Added]\r\n"
         "\"DownloadRestrictions\"=\"\"\r\n",
         "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Policies\\Microsoft\\Edge]\r\n"
         "\"DownloadRestrictions\"=dword:00000003\r\n",
         "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Policies\\Google\\Chrome]\r\n"
         "\"DownloadRestrictions\"=dword:00000003\r\n"});

    // The reset follows the apply: the values are deleted, not set to 0.
    const std::string reset = PolicyRegFileText(definition, PolicyAction::Reset);
    ExpectInOrder(
        reset, {"\"1803\"=dword:00000000",
                "; what HKEY_LOCAL_MACHINE\\Software\\Brenmark\\Vallora\\Backup\\Edge holds "
                "tells which values below HKEY_LOCAL_MACHINE\\SOFTWARE\\Policies\\Microsoft\\Edge "
                "are deleted and which are written back\r\n",
                "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Policies\\Microsoft\\Edge]\r\n"
                "\"DownloadRestrictions\"=-\r\n",
                "[-HKEY_LOCAL_MACHINE\\Software\\Brenmark\\Vallora\\Backup\\Edge]\r\n",
                "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Policies\\Google\\Chrome]\r\n"
                "\"DownloadRestrictions\"=-\r\n",
                "[-HKEY_LOCAL_MACHINE\\Software\\Brenmark\\Vallora\\Backup]\r\n"});
    EXPECT_EQ(reset.find("dword:00000003"), std::string::npos);
}

TEST(PolicyRegFile, DefinitionsWithoutBrowserSettingsLeaveTheCurrentBrowsersAlone) {
    for (const PolicyAction action : {PolicyAction::Apply, PolicyAction::Reset}) {
        Definition definition;
        definition.IEHomePage = "";
        const std::string text = PolicyRegFileText(definition, action);
        EXPECT_EQ(text.find("Edge"), std::string::npos) << text;
        EXPECT_EQ(text.find("Chrome"), std::string::npos) << text;
    }
}

}  // namespace
}  // namespace vallora
