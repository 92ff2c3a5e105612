#include "localization/LanguageCatalogue.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "TestSupport.h"
#include "platform/Profile.h"

using orvalis::localization::LanguageCatalogue;
using orvalis::testing::TempDir;

namespace {

// A program folder with a config.ini and the given language files.
struct ProgramFolder {
    TempDir dir;
    std::string path() const { return dir.path() + "/"; }
    void Config(const std::string& text) const { dir.Write("config.ini", text); }
    void Language(const std::string& id, const std::string& text) const {
        dir.Write("Languages/" + id + ".ini", text);
    }
};

const char* kConfig = "[DefaultLanguage]\nDefault=English\n[Languages]\nEnglish=English\nDeutsch=Deutsch (Deutschland)\n";

}  // namespace

TEST(LanguageCatalogue, SplitsAtTheFirstEqualsSignAndComparesExactly) {
    ProgramFolder folder;
    folder.Config(kConfig);
    folder.Language("English",
                    "[Messages]\nMSG0002=a=b=c\nKey=upper\nkey=lower\nMSG0002=second\n"
                    "bare line\nSpaced = kept as is \n[messages]\nMSG0002=other\n");
    LanguageCatalogue catalogue(folder.path());

    EXPECT_EQ(catalogue.LookUpText("Messages", "MSG0002"), "a=b=c");  // the first text stays
    EXPECT_EQ(catalogue.LookUpText("Messages", "Key"), "upper");
    EXPECT_EQ(catalogue.LookUpText("Messages", "key"), "lower");
    EXPECT_EQ(catalogue.LookUpText("Messages", "bare line"), "bare line");
    EXPECT_EQ(catalogue.LookUpText("Messages", "Spaced "), " kept as is ");
    EXPECT_EQ(catalogue.LookUpText("Messages", "KEY"), "");
    EXPECT_EQ(catalogue.LookUpText("MainWnd", "LblLogo"), "");
    // A lookup never creates a section; asking for the section does.
    EXPECT_EQ(catalogue.SectionNames(), (std::vector<std::string>{"Messages", "messages"}));
    EXPECT_TRUE(catalogue.GetLanguageSection("MainWnd").empty());
    EXPECT_EQ(catalogue.SectionNames().size(), 3u);
}

TEST(LanguageCatalogue, ReadsTheLanguagesInFileOrder) {
    ProgramFolder folder;
    folder.Config(kConfig);
    LanguageCatalogue catalogue(folder.path());
    ASSERT_EQ(catalogue.GetAvailableLanguages().size(), 2u);
    EXPECT_EQ(catalogue.GetAvailableLanguages()[1].identifier, "Deutsch");
    EXPECT_EQ(catalogue.GetAvailableLanguages()[1].displayName, "Deutsch (Deutschland)");
    EXPECT_EQ(catalogue.GetCurrentLanguage(), "English");
}

TEST(LanguageCatalogue, WithoutConfigurationStartsInEnglishAndAChangeCreatesIt) {
    ProgramFolder folder;
    folder.Language("English", "[Messages]\nMSG0002=Hello\n");
    folder.Language("Deutsch", "[Messages]\nMSG0002=Hallo\n");
    LanguageCatalogue catalogue(folder.path());
    EXPECT_EQ(catalogue.GetCurrentLanguage(), "English");
    EXPECT_TRUE(catalogue.GetAvailableLanguages().empty());
    EXPECT_EQ(catalogue.LookUpText("Messages", "MSG0002"), "Hello");

    auto& messages = catalogue.GetLanguageSection("Messages");
    catalogue.SetCurrentLanguage("Deutsch");
    EXPECT_EQ(catalogue.GetCurrentLanguage(), "Deutsch");
    // The section a window holds is the same object, with the new texts.
    EXPECT_EQ(&messages, &catalogue.GetLanguageSection("Messages"));
    EXPECT_EQ(messages.at("MSG0002"), "Hallo");

    // The choice persists: the next start reads it.
    LanguageCatalogue nextStart(folder.path());
    EXPECT_EQ(nextStart.GetCurrentLanguage(), "Deutsch");
    EXPECT_EQ(nextStart.LookUpText("Messages", "MSG0002"), "Hallo");
}

TEST(LanguageCatalogue, AnUnwritableConfigurationKeepsTheLanguage) {
    ProgramFolder folder;
    folder.Language("English", "[Messages]\nMSG0002=Hello\n");
    // A folder where config.ini should be: it can be neither read nor written.
    std::filesystem::create_directory(folder.dir / "config.ini");
    LanguageCatalogue catalogue(folder.path());
    catalogue.SetCurrentLanguage("Deutsch");
    EXPECT_EQ(catalogue.GetCurrentLanguage(), "English");
    EXPECT_EQ(catalogue.LookUpText("Messages", "MSG0002"), "Hello");
}

TEST(LanguageCatalogue, AnIdentifierWithoutAFileEmptiesEverySection) {
    ProgramFolder folder;
    folder.Config(kConfig);
    folder.Language("English", "[Messages]\nMSG0002=Hello\n");
    LanguageCatalogue catalogue(folder.path());
    auto& messages = catalogue.GetLanguageSection("Messages");
    catalogue.SetCurrentLanguage("Klingon");
    EXPECT_EQ(catalogue.GetCurrentLanguage(), "Klingon");
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(catalogue.LookUpText("Messages", "MSG0002"), "");
}

TEST(LanguageCatalogue, MalformedFilesNeverCrash) {
    struct Case {
        const char* name;
        std::string bytes;
        const char* key;
        std::string expected;
    };
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 131) & 0xFF);
    const Case cases[] = {
        {"binary", binary, "MSG0002", ""},
        {"no sections", "MSG0002=Hello\nother=1\n", "MSG0002", ""},
        {"bom and crlf", "\xEF\xBB\xBF[Messages]\r\nMSG0002=Hello\r\n", "MSG0002", "Hello"},
        {"a 100 KB line is cut at 1023 characters",
         "[Messages]\nMSG0002=" + std::string(100 * 1024, 'x') + "\n", "MSG0002",
         std::string(1023 - 8, 'x')},
        {"unterminated header", "[Messages\nMSG0002=Hello\n", "MSG0002", ""},
        {"nul bytes", std::string("[Messages]\nMSG0002=He\0llo\n", 26), "MSG0002",
         std::string("He\0llo", 6)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProgramFolder folder;
        folder.Config(kConfig);
        folder.Language("English", c.bytes);
        LanguageCatalogue catalogue(folder.path());
        EXPECT_EQ(catalogue.LookUpText("Messages", c.key), c.expected);
    }
}

TEST(LanguageCatalogue, TheCurrentIdentifierIsAtMost63Characters) {
    ProgramFolder folder;
    folder.Config("[DefaultLanguage]\nDefault=" + std::string(80, 'L') + "\n");
    LanguageCatalogue catalogue(folder.path());
    EXPECT_EQ(catalogue.GetCurrentLanguage(), std::string(63, 'L'));
}
