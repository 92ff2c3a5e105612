#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "TestSupport.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "reports/ReportStore.h"

using namespace orvalis::reports;
using orvalis::testing::ScopedEnv;
using orvalis::testing::TempDir;
namespace fs = std::filesystem;

namespace {

const char* kAllInOrder =
    "{Program version}|{Computer}|{User}|{Action}|{BackupType}|{Started}|{Finished}|{State}|"
    "{Errors}|{InfoTitle}|{ObjectTitle}|{Object}|{FileLocation}";

JobReport SampleJob() {
    JobReport job;
    job.action = "Burn";
    job.backupType = "Joliet";
    job.started = {2021, 3, 0, 7, 14, 5, 9, 0};
    job.finished = {2021, 3, 0, 7, 14, 6, 0, 0};
    job.state = "Completed";
    job.errors = "None";
    job.infoTitle = "Disc";
    job.objectTitle = "Files";
    job.fileLocation = "/dev/sr0";
    return job;
}

// A program folder with the shipped templates, a data folder, and a recorded shell open.
struct WriterFixture {
    TempDir program, data, log;
    ScopedEnv opener{"ORVALIS_SHELL_OPEN", MakeOpener()};
    std::unique_ptr<ReportStore> store;

    WriterFixture() {
        fs::copy(orvalis::testing::BinDir() + "/ReportTheme", program / "ReportTheme");
        store = std::make_unique<ReportStore>(program.path() + "/", data.path());
    }
    std::string MakeOpener() {
        std::string script = log.Write("open", "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" + (log / "opened") + "'\n");
        fs::permissions(script, fs::perms(0755));
        return script;
    }
};

}  // namespace

TEST(ReportTemplate, PlaceholdersAreReplacedOnceEachInTheirOrder) {
    struct Case {
        const char* name;
        std::string text;
        std::string expected;
    };
    const Case cases[] = {
        {"all in order", kAllInOrder,
         "1.0|pc|anna|Burn|Joliet|2021-03-07 14:05:09|2021-03-07 14:06:00|Completed|None|Disc|"
         "Files|a<br/>\nb<br/>\nc<br/>\n|/dev/sr0"},
        {"user before computer", "{User} {Computer}", "{User} pc"},
        {"a placeholder twice", "{Action} {Action}", "Burn {Action}"},
        {"one missing", "{Computer} {Action}", "pc Burn"},
    };
    JobReport job = SampleJob();
    job.objects = {"a", "b", "c"};
    for (const Case& c : cases) {
        EXPECT_EQ(FillReportTemplate(c.text, job, "1.0", "pc", "anna"), c.expected) << c.name;
    }
    job.objects.clear();
    EXPECT_EQ(FillReportTemplate("[{Object}]", job, "", "", ""), "[]");
}

TEST(ReportTemplate, ValuesCannotAddMarkupOrPlaceholders) {
    JobReport job = SampleJob();
    job.objects = {"<img src=x onerror=alert(1)>.mp4", "Tom & Jerry's \"best\".avi"};
    std::string filled = FillReportTemplate(kAllInOrder, job, "1.0", "pc", "{Action}");
    EXPECT_NE(filled.find("|&#123;Action&#125;|Burn|"), std::string::npos) << filled;
    EXPECT_NE(filled.find("&lt;img src=x onerror=alert(1)&gt;.mp4<br/>"), std::string::npos);
    EXPECT_NE(filled.find("Tom &amp; Jerry&#39;s &quot;best&quot;.avi<br/>"), std::string::npos);
    EXPECT_EQ(filled.find("<img"), std::string::npos);
}

TEST(ReportWriter, WritesListsAndOpensTheReport) {
    WriterFixture f;
    f.store->LoadTemplate("ReportTheme/iso-burner.html");
    f.store->SetAction("Brennen \u00fcber Joliet");
    f.store->ClearObjects();
    for (const char* o : {"a", "b", "c"}) f.store->AddObject(o);
    EXPECT_FALSE(f.store->UsedMarkerExists());
    f.store->WriteReport("iso-burner.html");

    ASSERT_EQ(f.store->ReportFiles().size(), 1u);
    const std::string path = f.store->ReportFiles()[0];
    EXPECT_EQ(orvalis::platform::FolderOf(path), f.store->ReportFolder());
    EXPECT_TRUE(f.store->UsedMarkerExists());
    std::string bytes = orvalis::platform::ReadWholeFile(path).value_or("");
    EXPECT_NE(bytes.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(bytes.find("Brennen \u00fcber Joliet"), std::string::npos);
    EXPECT_NE(bytes.find("a<br/>\r\nb<br/>\r\nc<br/>\r\n"), std::string::npos);
    EXPECT_EQ(bytes.find("{Action}"), std::string::npos);
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "a bare LF at " << i;
        }
    }
    for (int i = 0; i < 200 && !fs::exists(f.log / "opened"); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(orvalis::platform::ReadWholeFile(f.log / "opened").value_or(""), path + "\n");
}

TEST(ReportWriter, AReportInTheSameSecondKeepsTheFirst) {
    WriterFixture f;
    f.store->LoadTemplate("ReportTheme/byte-backup.html");
    // Two reports within one second; retried when the second turned over between them.
    for (int attempt = 0; attempt < 3; ++attempt) {
        f.store->ReportFiles().clear();
        f.store->WriteReport("byte-backup.html");
        f.store->WriteReport("byte-backup.html");
        const auto& files = f.store->ReportFiles();
        if (files[1].substr(0, files[1].size() - 5) + "_2.html" != files[0]) continue;
        EXPECT_TRUE(fs::exists(files[0]));
        EXPECT_TRUE(fs::exists(files[1]));
        // The later one still sorts first.
        f.store->RefreshReportList();
        EXPECT_EQ(f.store->ReportFiles()[0], files[0]);
        return;
    }
    ADD_FAILURE() << "the second report did not get its own name";
}

TEST(ReportWriter, UnknownTemplateGivesAnEmptyListedReport) {
    WriterFixture f;
    f.store->WriteReport("other.html");
    ASSERT_EQ(f.store->ReportFiles().size(), 1u);
    EXPECT_EQ(orvalis::platform::FileSize(f.store->ReportFiles()[0]).value_or(99), 0u);
}

TEST(ReportWriter, ADamagedThemeWritesNothingAndTellsTheUser) {
    WriterFixture f;
    int told = 0;
    f.store->SetThemeFailureHandler([&] { ++told; });
    std::ofstream(f.program / "ReportTheme/iso-creator.html", std::ios::app) << "x";
    f.store->LoadTemplate("ReportTheme/iso-burner.html");
    f.store->WriteReport("iso-burner.html");
    EXPECT_EQ(told, 1);
    EXPECT_TRUE(f.store->ReportFiles().empty());
    EXPECT_TRUE(orvalis::platform::ListFolder(f.store->ReportFolder()).empty());
}

TEST(ReportWriter, TemplatesAreReadOnceWithTextModeLineEnds) {
    WriterFixture f;
    std::string path = f.program / "ReportTheme/iso-extractor.html";
    std::string original = orvalis::platform::ReadWholeFile(path).value_or("");
    f.program.Write("ReportTheme/iso-extractor.html", "<p>\r\n{Action}</p>\r\n");
    f.store->LoadTemplate("ReportTheme/iso-extractor.html");
    EXPECT_EQ(f.store->TemplateText(1), "<p>\n{Action}</p>\n");
    f.program.Write("ReportTheme/iso-extractor.html", original);
    f.store->LoadTemplate("ReportTheme/iso-extractor.html");
    EXPECT_EQ(f.store->TemplateText(1), "<p>\n{Action}</p>\n");  // never re-read
    f.store->LoadTemplate("reporttheme/iso-burner.html");          // compared exactly
    EXPECT_TRUE(f.store->TemplateText(3).empty());
}
