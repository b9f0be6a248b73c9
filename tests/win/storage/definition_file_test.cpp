// The definition file against the system's own profile calls, and file
// replacement on the system's file system.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "storage/definition_file.h"
#include "unit/storage/sample_definitions.h"

namespace vallora {
namespace {

std::string Bytes(const std::string& path) {
    std::string bytes;
    EXPECT_EQ(ReadWholeFile(path, &bytes, nullptr), FileReadStatus::Read) << path;
    return bytes;
}

class DefinitionFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char temp[MAX_PATH] = {};
        ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
        folder_ = std::string(temp) + "vallora-definition-" + std::to_string(GetCurrentProcessId());
        Clear();
        ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr));
    }
    void TearDown() override { Clear(); }

    std::string Path(const std::string& name) const { return folder_ + "\\" + name; }

    std::vector<std::string> FolderNames() const {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found;
        const HANDLE find = FindFirstFileA(Path("*").c_str(), &found);
        if (find == INVALID_HANDLE_VALUE) return names;
        do {
            const std::string name = found.cFileName;
            if (name != "." && name != "..") names.push_back(name);
        } while (FindNextFileA(find, &found));
        FindClose(find);
        std::sort(names.begin(), names.end());
        return names;
    }

    void Clear() const {
        for (const std::string& name : FolderNames()) {
            SetFileAttributesA(Path(name).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(Path(name).c_str());
            RemoveDirectoryA(Path(name).c_str());
        }
        RemoveDirectoryA(folder_.c_str());
    }

    std::string folder_;
};

TEST_F(DefinitionFileTest, TextIsWhatWritingValueByValueGives) {
    for (const Definition& definition : {samples::SmallDefinition(), samples::FullDefinition()}) {
        const std::string system = Path("system.vla");
        DeleteFileA(system.c_str());
        for (const DefinitionValue& value : DefinitionValues(definition)) {
            ASSERT_TRUE(WritePrivateProfileStringA(value.Section.c_str(), value.Key.c_str(),
                                                   value.Value.c_str(), system.c_str()));
        }
        const std::string ours = Path("ours.vla");
        std::string error;
        ASSERT_TRUE(SaveDefinition(definition, ours, &error)) << error;
        EXPECT_EQ(Bytes(ours), Bytes(system));

        // The system's reader finds every value in our file.
        for (const DefinitionValue& value : DefinitionValues(definition)) {
            char read[1024] = {};
            GetPrivateProfileStringA(value.Section.c_str(), value.Key.c_str(), "<missing>", read,
                                     sizeof read, ours.c_str());
            EXPECT_EQ(read, value.Value) << value.Section << "." << value.Key;
        }
    }
}

TEST_F(DefinitionFileTest, SaveReplacesAnExistingFile) {
    const std::string path = Path("Kiosk.vla");
    const std::string old(40000, 'x');
    std::string error;
    ASSERT_TRUE(ReplaceWholeFile(path, old, &error)) << error;
    ASSERT_EQ(Bytes(path), old);

    ASSERT_TRUE(SaveDefinition(samples::SmallDefinition(), path, &error)) << error;
    EXPECT_EQ(Bytes(path), DefinitionText(samples::SmallDefinition()));
    EXPECT_EQ(LoadDefinition(path).Record, samples::SmallDefinition());
    EXPECT_EQ(FolderNames(), std::vector<std::string>{"Kiosk.vla"});
}

TEST_F(DefinitionFileTest, FailedSaveLeavesTheOldFileAndSaysWhy) {
    const std::string path = Path("Locked.vla");
    std::string error;
    ASSERT_TRUE(ReplaceWholeFile(path, "old", &error)) << error;
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));

    EXPECT_FALSE(SaveDefinition(samples::SmallDefinition(), path, &error));
    EXPECT_NE(error.find("Locked.vla"), std::string::npos) << error;
    EXPECT_EQ(Bytes(path), "old");
    EXPECT_EQ(FolderNames(), std::vector<std::string>{"Locked.vla"});

    // A folder in the file's place: the move fails after the temporary file
    // was written, and that file must not stay behind.
    ASSERT_TRUE(CreateDirectoryA(Path("Taken.vla").c_str(), nullptr));
    error.clear();
    EXPECT_FALSE(SaveDefinition(samples::SmallDefinition(), Path("Taken.vla"), &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(FolderNames(), (std::vector<std::string>{"Locked.vla", "Taken.vla"}));

    error.clear();
    EXPECT_FALSE(SaveDefinition(samples::SmallDefinition(), Path("none\\x.vla"), &error));
    EXPECT_FALSE(error.empty());
}

TEST_F(DefinitionFileTest, LoadTellsMissingFromUnreadable) {
    EXPECT_EQ(LoadDefinition(Path("none.vla")).Status, FileReadStatus::Missing);
    EXPECT_EQ(LoadDefinition(Path("none\\x.vla")).Status, FileReadStatus::Missing);
    const LoadedDefinition folder = LoadDefinition(folder_);
    EXPECT_EQ(folder.Status, FileReadStatus::Unreadable);
    EXPECT_TRUE(folder.Found());
}

}  // namespace
}  // namespace vallora
