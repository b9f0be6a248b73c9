#pragma once
// Definitions shared by the storage tests and benchmarks.
#include <algorithm>
#include <ostream>
#include <string>

#include "storage/definition.h"
#include "storage/definition_file.h"

namespace vallora {

// Test failures show a definition as its values that differ from the defaults.
inline void PrintTo(const Definition& definition, std::ostream* out) {
    const std::vector<DefinitionValue> defaults = DefinitionValues(Definition{});
    *out << "{";
    for (const DefinitionValue& value : DefinitionValues(definition)) {
        // Keys written only when set have no default to compare with.
        const bool isDefault = std::any_of(defaults.begin(), defaults.end(), [&](const auto& d) {
            return d.Section == value.Section && d.Key == value.Key && d.Value == value.Value;
        });
        if (isDefault) continue;
        *out << " " << value.Section << "." << value.Key << "=\"" << value.Value << "\"";
    }
    *out << " }";
}

}  // namespace vallora

namespace vallora::samples {

// The definition of tests/fixtures/definition/small.vla, a file written
// value by value through the system's profile-string call.
inline Definition SmallDefinition() {
    Definition d;
    d.BackColor = 255;
    d.TextColor = 0;
    d.BackgroundPicture = "C:\\Pictures\\Caf\xe9.jpg";
    d.Top = "10";
    d.Left = "20";
    d.Height = "700";
    d.Width = "1000";
    d.WindowLess = 1;
    d.StartUp = "C:\\windows\\notepad.exe\r\nC:\\users\\Public\\Documents\\Welcome.txt";
    d.AdminPassword = "Kiosk1";
    d.NoChangePwd = 1;
    d.NoLockComputer = 1;
    d.NoShutDown = 1;
    d.NoAdministrativeTasks = 1;
    d.NoRun = 1;
    d.HideDrives = "C;D";
    d.IOStartFolder = "C:\\users\\Public\\Documents";
    d.NoIEAdministrativeTasks = 1;
    d.IEPrograms = 1;
    d.IEDisableFileDownload = 1;
    d.SetApplicationAndLink("Notepad", "C:\\windows\\notepad.exe", "", "Center", 0, 1, 0, 0);
    d.SetApplicationAndLink("Example web site", "http://example.com/", "C:\\Pictures\\web.ico",
                            "Left", 1, 0, 3, 6);
    return d;
}

// Every field set and all 91 entries filled, with values that a careless
// reader or writer gets wrong: ANSI bytes above 127, a key name or a section
// header inside a value, "$" signs, check boxes at 2. No value starts or ends
// with a blank, so the system's profile calls keep every value as it is.
inline Definition FullDefinition() {
    Definition d;
    d.BackColor = 12345678;
    d.TextColor = 65280;
    d.BackgroundPicture = "http://example.com/back ground.jpg";
    d.Top = "5";
    d.Left = "-3";
    d.Height = "768";
    d.Width = "1024px";
    d.WindowLess = 1;
    d.FullScreen = 2;
    d.StartUp = "C:\\a.exe\r\n\"C:\\Program Files\\b.exe\" /x\r\n$5 \xe4\xf6\xfc.txt";
    d.AdminPassword = "P\xe4ss-w0rd=[Security]";
    d.NoChangePwd = 1;
    d.NoLockComputer = 2;
    d.NoLogoff = 1;
    d.NoShutDown = 1;
    d.NoAdministrativeTasks = 1;
    d.NoRun = 1;
    d.HideDrives = "A;B;C;D;E;F";
    d.ReplaceDesktop = 1;
    d.NoNetWork = 1;
    d.IOStartFolder = "C:\\users\\Public\\Documents\\\xc9t\xe9";
    d.NoIEAdministrativeTasks = 1;
    d.NoIEAdvancedTasks = 1;
    d.IEHomePage = "http://example.com/?a=1&b=[2]";
    d.IEPrograms = 1;
    d.IEDisableFileDownload = 1;
    const char* const aligns[] = {"Left", "Center", "Right"};
    for (int row = 0; row < kGridRows; ++row) {
        for (int column = 0; column < kGridColumns; ++column) {
            const std::string place = std::to_string(row) + "-" + std::to_string(column);
            d.SetApplicationAndLink("Program " + place + " URL=x [Program00] \xa9",
                                    "C:\\Program Files\\App " + place + "\\app.exe",
                                    row % 2 ? "C:\\Icons\\" + place + ".ico" : "",
                                    aligns[(row + column) % 3], static_cast<int16_t>(column % 2),
                                    static_cast<int16_t>(row % 2), row, column);
        }
    }
    return d;
}

}  // namespace vallora::samples
