#include "platform/Profile.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "TestSupport.h"

using namespace orvalis::platform;

TEST(Profile, ReadsKeysWithoutRegardToCaseAndTrims) {
    auto doc = ProfileDocument::Parse("[Languages]\r\n English = \"English\" \r\n[languages]\r\nX=1\r\n");
    EXPECT_EQ(doc.GetString("LANGUAGES", "english").value_or("?"), "English");
    EXPECT_FALSE(doc.GetString("Languages", "X"));  // the second, equal section does not count
    EXPECT_EQ(doc.SectionLines("languages"), std::vector<std::string>{" English = \"English\" "});
    EXPECT_EQ(doc.SectionNames(), (std::vector<std::string>{"Languages", "languages"}));
}

TEST(Profile, EditingKeepsTheRestOfTheFile) {
    const std::string original = "\xEF\xBB\xBF; mine\r\n[A]\r\nk=1\r\n\r\n[B]\r\nz=9";
    auto doc = ProfileDocument::Parse(original);
    EXPECT_EQ(doc.Serialize(), original);
    doc.SetString("a", "K", "2");
    doc.SetString("B", "new", "x");
    doc.SetString("C", "c", "3");
    EXPECT_EQ(doc.Serialize(),
              "\xEF\xBB\xBF; mine\r\n[A]\r\nk=2\r\n\r\n[B]\r\nz=9\r\nnew=x\r\n[C]\r\nc=3\r\n");
}

TEST(Profile, WriteCreatesTheFileAndFailsWhereItCannotWrite) {
    orvalis::testing::TempDir dir;
    std::string path = dir / "config.ini";
    ASSERT_TRUE(WriteProfileString(path, "DefaultLanguage", "Default", "Deutsch"));
    EXPECT_EQ(GetProfileString(path, "DefaultLanguage", "Default", "English", 64), "Deutsch");
    // A folder in the file's place cannot be written over.
    std::string folder = dir / "taken.ini";
    std::filesystem::create_directory(folder);
    EXPECT_FALSE(WriteProfileString(folder, "S", "k", "v"));
    EXPECT_FALSE(WriteProfileString(dir / "missing/config.ini", "S", "k", "v"));
}

TEST(Profile, StringReadIsCutLikeABuffer) {
    orvalis::testing::TempDir dir;
    std::string path = dir.Write("c.ini", "[S]\nk=" + std::string(100, 'x') + "\u00e4\n");
    EXPECT_EQ(GetProfileString(path, "S", "k", "", 64), std::string(63, 'x'));
    EXPECT_EQ(GetProfileString(path, "S", "missing", "English", 64), "English");
    EXPECT_EQ(GetProfileString(dir / "none.ini", "S", "k", "dflt", 64), "dflt");
    EXPECT_EQ(TruncateCodePoints("a\u00e4\u00f6b", 3), "a\u00e4\u00f6");
}
