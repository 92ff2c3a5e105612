#include "reports/ReportStore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "TestSupport.h"
#include "reports/FormatSize.h"

using namespace orvalis::reports;
using orvalis::testing::TempDir;
namespace fs = std::filesystem;

namespace {

// A program folder holding a copy of the shipped templates.
struct ThemeFolder {
    TempDir dir;
    ThemeFolder() {
        fs::copy(orvalis::testing::BinDir() + "/ReportTheme", dir / "ReportTheme");
    }
    std::string path() const { return dir.path() + "/"; }
    std::string Template(std::string_view name) const {
        return dir / ("ReportTheme/" + std::string(name));
    }
};

}  // namespace

TEST(ReportTheme, ShippedTemplatesPass) {
    ThemeFolder folder;
    TempDir data;
    ReportStore store(folder.path(), data.path());
    EXPECT_EQ(store.CheckReportTheme(), 0);
}

TEST(ReportTheme, AnyDamagedTemplateFails) {
    enum class Damage { OneByteChanged, Missing, Empty, AByteAppended };
    for (std::string_view name : kReportTemplates) {
        for (Damage damage : {Damage::OneByteChanged, Damage::Missing, Damage::Empty,
                              Damage::AByteAppended}) {
            SCOPED_TRACE(std::string(name) + " damage " + std::to_string(int(damage)));
            ThemeFolder folder;
            TempDir data;
            std::string path = folder.Template(name);
            switch (damage) {
                case Damage::OneByteChanged: {
                    std::fstream f(path, std::ios::in | std::ios::out | std::ios::binary);
                    f.seekg(10);
                    char c = 0;
                    f.get(c);
                    f.seekp(10);
                    f.put(static_cast<char>(c ^ 1));
                    break;
                }
                case Damage::Missing: fs::remove(path); break;
                case Damage::Empty: fs::resize_file(path, 0); break;
                case Damage::AByteAppended: std::ofstream(path, std::ios::app) << ' '; break;
            }
            ReportStore store(folder.path(), data.path());
            EXPECT_EQ(store.CheckReportTheme(), 87);
        }
    }
}

TEST(ReportTheme, DigestIsUpperCaseHexOfSha512) {
    TempDir dir;
    std::string path = dir.Write("abc", "abc");
    const char* sha512OfAbc =
        "DDAF35A193617ABACC417349AE20413112E6FA4E89A97EA20A9EEEE64B55D39A"
        "2192992A274FC1A836BA3C23A3FEEBBD454D4423643CE80E2A9AC94FA54CA49F";
    EXPECT_EQ(VerifyFileDigest(path, sha512OfAbc), 0);
    std::string lower = sha512OfAbc;
    for (char& c : lower) c = static_cast<char>(std::tolower(c));
    EXPECT_EQ(VerifyFileDigest(path, lower), 87);
    EXPECT_EQ(VerifyFileDigest(dir / "none", sha512OfAbc), 87);
}

TEST(ReportStore, CreatesItsFoldersAndListsHtmlReportsNewestFirst) {
    ThemeFolder folder;
    TempDir data;
    {
        ReportStore store(folder.path(), data.path());
        EXPECT_EQ(store.ReportFolder(), data.path() + "/Orvalis/Report/");
        EXPECT_TRUE(fs::is_directory(store.ReportFolder()));
        EXPECT_TRUE(store.ReportFiles().empty());
        EXPECT_FALSE(store.ComputerName().empty());
    }
    std::string reports = data.path() + "/Orvalis/Report/";
    for (const char* name : {"2020-12-31 23_59_59.html", "2021-03-07 14_05_09.html",
                             "2021-01-01 00_00_00.HTML", "2021-01-02 00_00_00.htm",
                             ".2022-01-01 00_00_00.html", "notes.html.txt"}) {
        std::ofstream(reports + name) << "x";
    }
    fs::create_directory(reports + "2019-folder.html");  // folders are not skipped

    ReportStore store(folder.path(), data.path());
    EXPECT_EQ(store.ReportFiles(),
              (std::vector<std::string>{reports + "2021-03-07 14_05_09.html",
                                        reports + "2020-12-31 23_59_59.html",
                                        reports + "2019-folder.html"}));

    // The folder cannot be deleted as a file: reported, and the list is emptied anyway.
    EXPECT_FALSE(store.DeleteAllReports());
    EXPECT_TRUE(store.ReportFiles().empty());
    EXPECT_FALSE(fs::exists(reports + "2021-03-07 14_05_09.html"));
    EXPECT_TRUE(fs::exists(reports + "2021-01-01 00_00_00.HTML"));
    EXPECT_TRUE(store.DeleteAllReports());  // an empty list
}

TEST(ReportStore, AFolderThatCannotBeMadeLeavesTheStoreEmpty) {
    ThemeFolder folder;
    TempDir data;
    // A file where the "Orvalis" folder would be.
    data.Write("Orvalis", "not a folder");
    ReportStore store(folder.path(), data.path());
    EXPECT_TRUE(store.ComputerName().empty());
    EXPECT_TRUE(store.UserName().empty());
    EXPECT_TRUE(store.ReportFiles().empty());
    EXPECT_EQ(store.ReportFolder(), data.path() + "/Orvalis/Report/");
}

TEST(FormatSize, Table) {
    const std::pair<int64_t, const char*> cases[] = {
        {0, "0 Bytes"},
        {500, "500 Bytes"},
        {1023, "1023 Bytes"},
        {1024, "1.00 KB"},
        {1536, "1.50 KB"},
        {1048575, "1024.00 KB"},
        {1048576, "1.00 MB"},
        {int64_t{4700000000}, "4.38 GB"},
        {int64_t{1} << 40, "1.00 TB"},
        {int64_t{5} << 50, "5120.00 TB"},
        {-1, "-1 Bytes"},
        {-4294967296LL + 7, "7 Bytes"},  // a negative count shows its low 32 bits
    };
    for (const auto& [bytes, text] : cases) EXPECT_EQ(FormatSize(bytes), text) << bytes;
}
