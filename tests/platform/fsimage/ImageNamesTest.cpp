// Names: what each file system records for names it cannot hold as they are, and that the
// names stay unique within a folder so no file hides another.

#include <gtest/gtest.h>

#include <set>

#include "ImageTestSupport.h"
#include "TestSupport.h"
#include "platform/FileSystem.h"

namespace orvalis::fsimage::testing {
namespace {

using orvalis::testing::TempDir;

// Every file holds its own source name, so an extracted tree tells which file became which.
void WriteNamedFiles(const std::string& folder, const std::vector<std::string>& names) {
    for (const std::string& name : names) WriteFile(folder + "/" + name, name);
}

// The contents of every file below a folder.
std::multiset<std::string> ContentsBelow(const std::string& folder) {
    std::multiset<std::string> out;
    CommandResult files = Shell("find " + Quote(folder) + " -type f -print0");
    size_t start = 0;
    for (size_t end; (end = files.output.find('\0', start)) != std::string::npos; start = end + 1) {
        out.insert(platform::ReadWholeFile(files.output.substr(start, end - start)).value_or("?"));
    }
    return out;
}

std::set<std::string> IsoNames(const std::string& image, bool joliet) {
    std::set<std::string> out;
    for (const IsoListing& e : ListIso(image, joliet)) out.insert(e.name);
    return out;
}

TEST(ImageNames, ClashingNamesStayUniqueInEveryFileSystem) {
    // Names that differ only in case, or in characters that ISO 9660 and Joliet cannot hold.
    const std::vector<std::string> names = {"Readme.txt", "README.TXT", "readme.txt", "a:b.txt",
                                            "a?b.txt", "a_b.txt", "report.final.doc", "report_final.doc"};
    TempDir dir;
    WriteNamedFiles(dir / "src", names);
    ASSERT_EQ(ImageOfFolder(dir / "src", kFsiFileSystemsAll, dir / "image.iso"), kOk);

    std::set<std::string> iso = IsoNames(dir / "image.iso", false);
    EXPECT_EQ(iso.size(), names.size());
    for (const std::string& n : iso) {
        EXPECT_EQ(n.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_.;"), std::string::npos) << n;
        EXPECT_EQ(n.substr(n.size() - 2), ";1") << n;
    }
    EXPECT_TRUE(iso.count("README.TXT;1"));
    EXPECT_TRUE(iso.count("README_1.TXT;1"));
    EXPECT_TRUE(iso.count("REPORT_FINAL.DOC;1"));

    std::set<std::string> joliet = IsoNames(dir / "image.iso", true);
    EXPECT_EQ(joliet.size(), names.size());
    EXPECT_TRUE(joliet.count("a_b.txt;1"));
    EXPECT_TRUE(joliet.count("a_b~1.txt;1"));

    // Every reader gets every file, each with its own bytes.
    const std::multiset<std::string> expected(names.begin(), names.end());
    ASSERT_EQ(Extract(dir / "image.iso", "iso", dir / "joliet"), "");
    EXPECT_EQ(ContentsBelow(dir / "joliet"), expected);
    ASSERT_EQ(Extract(dir / "image.iso", "udf", dir / "udf"), "");
    EXPECT_EQ(TreeDifferences(dir / "src", dir / "udf"), "");

    ASSERT_EQ(ImageOfFolder(dir / "src", kFsiFileSystemISO9660, dir / "plain.iso"), kOk);
    ASSERT_EQ(Extract(dir / "plain.iso", "iso", dir / "plain"), "");
    EXPECT_EQ(ContentsBelow(dir / "plain"), expected);
}

TEST(ImageNames, LongNamesAreCutPerFileSystemKeepingTheirExtension) {
    const std::string stem70(70, 'n');
    const std::vector<std::string> names = {stem70 + "1.txt", stem70 + "2.txt",
                                            std::string(240, 'u') + ".bin", "short.txt"};
    TempDir dir;
    WriteNamedFiles(dir / "src", names);
    platform::CreateFolderPath(dir / ("src/" + std::string(80, 'd')));
    ASSERT_EQ(ImageOfFolder(dir / "src", kFsiFileSystemsAll, dir / "image.iso"), kOk);

    std::set<std::string> iso = IsoNames(dir / "image.iso", false);
    std::set<std::string> joliet = IsoNames(dir / "image.iso", true);
    ASSERT_EQ(iso.size(), 5u);
    ASSERT_EQ(joliet.size(), 5u);
    for (const std::string& n : iso) EXPECT_LE(n.size(), 32u) << n;  // 30 and ";1", folders 31
    for (const std::string& n : joliet) {
        EXPECT_LE(n.size(), 66u) << n;  // 64 characters and ";1"
        if (n[0] == 'n') {
            EXPECT_EQ(n.substr(n.size() - 6), ".txt;1") << n;
        }
    }
    EXPECT_TRUE(joliet.count(std::string(64, 'd')));

    // UDF holds the whole names.
    ASSERT_EQ(Extract(dir / "image.iso", "udf", dir / "udf"), "");
    EXPECT_EQ(TreeDifferences(dir / "src", dir / "udf"), "");
    // Joliet readers still get all five entries with their bytes.
    ASSERT_EQ(Extract(dir / "image.iso", "iso", dir / "joliet"), "");
    EXPECT_EQ(ContentsBelow(dir / "joliet"), std::multiset<std::string>(names.begin(), names.end()));
}

TEST(ImageNames, NamesOutsideAsciiAndOutsideTheBasicPlaneSurvive) {
    const std::vector<std::string> names = {"Ñandú.txt", "Ελληνικά.txt", "日本語のファイル名.txt",
                                            "emoji 😀 name.txt", "tab\tin name.txt"};
    TempDir dir;
    WriteNamedFiles(dir / "src", names);
    for (FsiFileSystems fs : {kFsiFileSystemISO9660 | kFsiFileSystemJoliet, kFsiFileSystemUDF}) {
        SCOPED_TRACE(fs);
        std::string image = dir / ("image" + std::to_string(fs) + ".iso");
        ASSERT_EQ(ImageOfFolder(dir / "src", fs, image), kOk);
        std::string out = dir / ("out" + std::to_string(fs));
        ASSERT_EQ(Extract(image, fs == kFsiFileSystemUDF ? "udf" : "iso", out), "");
        if (fs == kFsiFileSystemUDF) {
            EXPECT_EQ(TreeDifferences(dir / "src", out), "");
        } else {
            // Joliet cannot hold a control character; everything else comes back as it was.
            EXPECT_TRUE(platform::PathExists(out + "/tab_in name.txt"));
            for (size_t i = 0; i + 1 < names.size(); ++i) {
                EXPECT_EQ(platform::ReadWholeFile(out + "/" + names[i]).value_or(""), names[i]);
            }
        }
    }
}

TEST(ImageNames, DeepTreesKeepEveryLevel) {
    TempDir dir;
    std::string path = dir / "src";
    for (int i = 0; i < 40; ++i) path += "/d" + std::to_string(i);
    WriteFile(path + "/leaf.txt", "leaf");
    for (FsiFileSystems fs : {kFsiFileSystemISO9660 | kFsiFileSystemJoliet, kFsiFileSystemsAll}) {
        SCOPED_TRACE(fs);
        std::string image = dir / ("image" + std::to_string(fs) + ".iso");
        ASSERT_EQ(ImageOfFolder(dir / "src", fs, image), kOk);
        std::string out = dir / ("out" + std::to_string(fs));
        ASSERT_EQ(Extract(image, (fs & kFsiFileSystemUDF) ? "udf" : "iso", out), "");
        EXPECT_EQ(TreeDifferences(dir / "src", out), "");
        CommandResult find = Shell("xorriso -indev stdio:" + Quote(image) + " -find / -name leaf.txt");
        EXPECT_NE(find.output.find("/d39/leaf.txt"), std::string::npos) << find.output;
    }
}

}  // namespace
}  // namespace orvalis::fsimage::testing
