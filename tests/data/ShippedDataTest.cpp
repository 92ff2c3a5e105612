// The data shipped in the program folder: language files, config.ini, report templates,
// the authoring template and the help page, checked as the build delivers them.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "TextInventory.h"
#include "platform/FileSystem.h"
#include "platform/Profile.h"

namespace orvalis::testing {
namespace {

using platform::ProfileDocument;

const std::string kBin = ORVALIS_BIN_DIR;
const std::string kLanguages = kBin + "/Languages";

// Section name -> key -> text, read the way the language catalogue reads a file: exact
// names, the line split at its first "=", the first of two equal keys kept.
using LanguageTexts = std::map<std::string, std::map<std::string, std::string>>;

std::string ReadOrFail(const std::string& path) {
    std::optional<std::string> bytes = platform::ReadWholeFile(path);
    EXPECT_TRUE(bytes.has_value()) << "cannot read " << path;
    return bytes.value_or("");
}

LanguageTexts ReadLanguage(const std::string& path) {
    ProfileDocument doc = ProfileDocument::Parse(ReadOrFail(path));
    LanguageTexts texts;
    for (const std::string& section : doc.SectionNames()) {
        auto& keys = texts[section];
        for (const std::string& line : doc.SectionLines(section)) {
            size_t eq = line.find('=');
            std::string key = eq == std::string::npos ? line : line.substr(0, eq);
            std::string text = eq == std::string::npos ? line : line.substr(eq + 1);
            keys.emplace(key, text);
        }
    }
    return texts;
}

std::vector<std::string> DeliveredLanguages() {
    std::vector<std::string> names;
    for (const platform::FolderEntry& entry : platform::ListFolder(kLanguages)) {
        const std::string& n = entry.name;
        if (!entry.isFolder && n.size() > 4 && n.compare(n.size() - 4, 4, ".ini") == 0) {
            names.push_back(n.substr(0, n.size() - 4));
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Code points of a UTF-8 text; -1 when the bytes are not valid UTF-8.
long CountCodePoints(const std::string& s) {
    long count = 0;
    for (size_t i = 0; i < s.size(); ++count) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        size_t len = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
        if (len == 0 || i + len > s.size()) return -1;
        for (size_t k = 1; k < len; ++k) {
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return -1;
        }
        i += len;
    }
    return count;
}

std::vector<std::string> SplitLines(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        lines.push_back(bytes.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

TEST(LanguageFiles, AtLeastEnglishAndOneMoreAreDelivered) {
    std::vector<std::string> languages = DeliveredLanguages();
    EXPECT_GE(languages.size(), 2u);
    EXPECT_NE(std::find(languages.begin(), languages.end(), "English"), languages.end());
}

TEST(LanguageFiles, EveryLanguageHasEveryTextInItsSection) {
    for (const std::string& language : DeliveredLanguages()) {
        LanguageTexts texts = ReadLanguage(kLanguages + "/" + language + ".ini");
        for (const TextUse& use : kTextInventory) {
            std::string where = language + " [" + std::string(use.section) + "] " +
                                std::string(use.key) + " (" + std::string(use.usedBy) + ")";
            auto section = texts.find(std::string(use.section));
            if (section == texts.end()) {
                ADD_FAILURE() << where << ": the section is missing";
                continue;
            }
            auto text = section->second.find(std::string(use.key));
            if (text == section->second.end()) {
                ADD_FAILURE() << where << ": the key is missing";
                continue;
            }
            const std::string& t = text->second;
            EXPECT_FALSE(t.empty()) << where << ": the text is empty";
            // The reader keeps blanks; one at either end would show on screen or double the
            // blank the program puts between a text and the number that follows it.
            if (!t.empty()) {
                EXPECT_FALSE(IsBlank(t.front()) || IsBlank(t.back()))
                    << where << ": blank at the edge of \"" << t << "\"";
            }
        }
    }
}

TEST(LanguageFiles, AllLanguagesHoldExactlyTheKeysTheProgramUses) {
    std::set<std::pair<std::string, std::string>> used;
    for (const TextUse& use : kTextInventory) {
        EXPECT_TRUE(used.emplace(use.section, use.key).second)
            << "listed twice: [" << use.section << "] " << use.key;
    }
    for (const std::string& language : DeliveredLanguages()) {
        LanguageTexts texts = ReadLanguage(kLanguages + "/" + language + ".ini");
        std::set<std::pair<std::string, std::string>> present;
        for (const auto& [section, keys] : texts) {
            for (const auto& entry : keys) present.emplace(section, entry.first);
        }
        for (const auto& [section, key] : present) {
            EXPECT_TRUE(used.count({section, key}))
                << language << ": [" << section << "] " << key
                << " is not a text the program looks up (misspelt, or in the wrong section?)";
        }
        EXPECT_EQ(present.size(), used.size()) << language;
    }
}

TEST(LanguageFiles, AreReadableAsTheCatalogueReadsThem) {
    for (const std::string& language : DeliveredLanguages()) {
        std::string bytes = ReadOrFail(kLanguages + "/" + language + ".ini");
        EXPECT_NE(bytes.rfind("\xEF\xBB\xBF", 0), 0u) << language << ": byte-order mark";
        EXPECT_EQ(bytes.find('\r'), std::string::npos) << language << ": CR in the file";
        EXPECT_GE(CountCodePoints(bytes), 0) << language << ": not UTF-8";

        std::set<std::string> sectionsSeen;
        std::set<std::string> keysInSection;
        bool inSection = false;
        int number = 0;
        for (const std::string& line : SplitLines(bytes)) {
            ++number;
            std::string at = language + ".ini:" + std::to_string(number);
            EXPECT_LE(CountCodePoints(line), 1023) << at << ": line too long";
            if (line.empty() || line.front() == ';') continue;
            if (line.front() == '[') {
                ASSERT_EQ(line.back(), ']') << at;
                std::string name = line.substr(1, line.size() - 2);
                std::string folded = name;
                std::transform(folded.begin(), folded.end(), folded.begin(), ::tolower);
                // Sections are found without regard to case, so two spellings would hide one.
                EXPECT_TRUE(sectionsSeen.insert(folded).second) << at << ": [" << name << "] again";
                keysInSection.clear();
                inSection = true;
                continue;
            }
            EXPECT_TRUE(inSection) << at << ": text outside a section";
            size_t eq = line.find('=');
            ASSERT_NE(eq, std::string::npos) << at << ": no \"=\" in \"" << line << "\"";
            std::string key = line.substr(0, eq);
            EXPECT_FALSE(key.empty() || IsBlank(key.front()) || IsBlank(key.back()))
                << at << ": key \"" << key << "\"";
            // The first of two equal keys wins, so a second one is a text nobody sees.
            EXPECT_TRUE(keysInSection.insert(key).second) << at << ": " << key << " again";
        }
    }
}

TEST(ConfigFile, ListsExactlyTheDeliveredLanguagesAndDefaultsToEnglish) {
    ProfileDocument config = ProfileDocument::Parse(ReadOrFail(kBin + "/config.ini"));
    EXPECT_EQ(config.GetString("DefaultLanguage", "Default").value_or(""), "English");

    std::vector<std::string> listed;
    for (const std::string& line : config.SectionLines("Languages")) {
        size_t eq = line.find('=');
        ASSERT_NE(eq, std::string::npos) << line;
        EXPECT_GT(line.size(), eq + 1) << "no display name: " << line;
        listed.push_back(line.substr(0, eq));
    }
    std::vector<std::string> sorted = listed;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end()) << "listed twice";
    EXPECT_EQ(sorted, DeliveredLanguages());
}

const char* const kTemplates[] = {"byte-backup.html", "iso-extractor.html", "iso-creator.html",
                                  "iso-burner.html"};

// The writer fills these one after the other, each searched from where the previous one was,
// so a template must hold each once and in this order.
const char* const kPlaceholders[] = {
    "{Program version}", "{Computer}", "{User}",   "{Action}",      "{BackupType}",
    "{Started}",         "{Finished}", "{State}",  "{Errors}",      "{InfoTitle}",
    "{ObjectTitle}",     "{Object}",   "{FileLocation}"};

// Shipped pages open from the disk in any browser, also offline.
void ExpectSelfContained(const std::string& name, const std::string& page) {
    for (const char* outside : {"http:", "https:", "src=", "@import", "url(", "<link"}) {
        EXPECT_EQ(page.find(outside), std::string::npos) << name << " refers outside: " << outside;
    }
    EXPECT_NE(page.find("<meta charset=\"utf-8\">"), std::string::npos) << name;
}

TEST(ReportTemplates, HoldTheThirteenPlaceholdersOnceEachInOrder) {
    for (const char* name : kTemplates) {
        std::string page = ReadOrFail(kBin + "/ReportTheme/" + name);
        ASSERT_FALSE(page.empty()) << name;
        EXPECT_TRUE(std::all_of(page.begin(), page.end(),
                                [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
            << name << " is not plain ASCII";
        EXPECT_EQ(page.find('\r'), std::string::npos) << name;
        ExpectSelfContained(name, page);

        size_t previous = 0;
        for (const char* placeholder : kPlaceholders) {
            size_t at = page.find(placeholder);
            ASSERT_NE(at, std::string::npos) << name << " lacks " << placeholder;
            EXPECT_EQ(page.find(placeholder, at + 1), std::string::npos)
                << name << " holds " << placeholder << " twice";
            EXPECT_GE(at, previous) << name << ": " << placeholder << " out of order";
            previous = at;
        }
    }
}

TEST(HelpPage, IsShippedAndSelfContained) {
    std::string page = ReadOrFail(kBin + "/Help/index.html");
    ASSERT_FALSE(page.empty());
    EXPECT_GE(CountCodePoints(page), 0) << "not UTF-8";
    ExpectSelfContained("Help/index.html", page);
}

// Runs the authoring tool of the program folder on the template, filled the way a job fills
// it, and checks that an NTSC DVD-Video comes out.
TEST(AuthoringTemplate, AuthorsAnNtscDvdVideo) {
    std::string xml = ReadOrFail(kBin + "/tmp.xml");
    size_t dest = xml.find("<dvdauthor dest=\"\"");
    ASSERT_NE(dest, std::string::npos) << "the dvdauthor element needs an empty dest attribute";
    // Videos go into the first pgc in document order, which must be the title's.
    size_t titles = xml.find("<titles>");
    size_t pgc = xml.find("<pgc>");
    ASSERT_NE(pgc, std::string::npos);
    ASSERT_NE(titles, std::string::npos);
    EXPECT_LT(titles, pgc);
    EXPECT_EQ(xml.find("<pgc", dest), pgc) << "an earlier pgc would receive the videos";

    TempDir dir;
    std::string video = dir / "clip.mpg";
    CommandResult made = RunCommand(
        "'" + kBin + "/tool' -hide_banner -loglevel error -f lavfi -i testsrc=size=720x480:rate=30000/1001"
        " -f lavfi -i sine -t 2 -target ntsc-dvd -y '" + video + "' 2>&1");
    ASSERT_EQ(made.status, 0) << made.output;

    std::string out = dir / "dvd";
    xml.replace(dest, 18, "<dvdauthor dest=\"" + out + "\"");
    pgc = xml.find("<pgc>");
    xml.insert(pgc + 5, "<vob file=\"" + video + "\"/><vob file=\"" + video + "\"/>");
    std::string control = dir.Write("author.xml", xml);

    CommandResult authored = RunCommand("'" + kBin + "/DLL/tool2' -x  '" + control + "' 2>&1");
    EXPECT_EQ(authored.output.find("ERR:"), std::string::npos) << authored.output;
    EXPECT_TRUE(platform::IsFolder(out + "/AUDIO_TS"));
    EXPECT_TRUE(platform::IsRegularFile(out + "/VIDEO_TS/VIDEO_TS.IFO"));
    EXPECT_GT(platform::FileSize(out + "/VIDEO_TS/VTS_01_1.VOB").value_or(0), 0u);

    // The title set's video attributes: bits 13-12 of the word at 0x200 are the TV system,
    // 0 for NTSC.
    std::string ifo = ReadOrFail(out + "/VIDEO_TS/VTS_01_0.IFO");
    ASSERT_GT(ifo.size(), 0x201u);
    EXPECT_EQ((static_cast<unsigned char>(ifo[0x200]) >> 4) & 0x3, 0) << "not NTSC";
}

}  // namespace
}  // namespace orvalis::testing
