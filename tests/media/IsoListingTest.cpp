#include "media/IsoListing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "MediaTestSupport.h"

using namespace orvalis;
using namespace orvalis::media;

namespace {

const std::string kSeparator(kListingSeparator);

// One table line in the archive tool's fixed columns.
std::string Line(bool folder, int64_t size, int64_t packed, const std::string& name) {
    char buffer[4096];
    std::snprintf(buffer, sizeof buffer, "2021-03-07 14:05:09 %s %12s %12s  %s", folder ? "D...." : ".....",
                  folder ? "" : std::to_string(size).c_str(), folder ? "" : std::to_string(packed).c_str(),
                  name.c_str());
    return buffer;
}

std::vector<IsoEntry> Parse(const std::string& listing, const std::string& folder) {
    std::istringstream in(listing);
    std::vector<IsoEntry> entries;
    ParseIsoListingText(in, folder, entries);
    return entries;
}

std::vector<std::string> Names(const std::vector<IsoEntry>& entries) {
    std::vector<std::string> names;
    for (const IsoEntry& e : entries) names.push_back(e.Name);
    return names;
}

class IsoListingTest : public orvalis::testing::MediaTest {
protected:
    // A DVD-like tree and an image of it made by an independent tool.
    std::string MakeImage() {
        root_.Write("tree/VIDEO_TS/VIDEO_TS.IFO", std::string(2048, 'i'));
        root_.Write("tree/VIDEO_TS/VTS_01_1.VOB", std::string(5000, 'v'));
        root_.Write("tree/AUDIO_TS/.keep", "");
        std::filesystem::remove(Path("tree/AUDIO_TS/.keep"));
        std::string image = Path("disc image.iso");
        auto r = orvalis::testing::RunCommand("genisoimage -quiet -udf -o '" + image + "' '" + Path("tree") + "' 2>&1");
        EXPECT_EQ(r.status, 0) << r.output;
        return image;
    }
};

}  // namespace

TEST(IsoListingCommandLines, ReadAsTheArchiveToolExpectsThem) {
    EXPECT_EQ(ListCommandLine("/p/extract", "/i/a b.iso"), R"("/p/extract" l "/i/a b.iso")");
    EXPECT_EQ(ExtractCommandLine("/p/extract", "/i/a.iso", "/w/out"), R"("/p/extract" x -aou "/i/a.iso" -o"/w/out")");
}

TEST(IsoListingParser, ReadsTheFixedColumnsOfOneFolder) {
    const std::string listing = "Listing archive: x.iso\n\n   Date      Time    Attr         Size   Compressed  Name\n" +
                                kSeparator + "\r\n" + Line(true, 0, 0, "AUDIO_TS") + "\r\n" +
                                Line(true, 0, 0, "VIDEO_TS") + "\r\n" + Line(false, 2048, 2048, "VIDEO_TS/VIDEO_TS.IFO") +
                                "\r\n" + Line(false, 123456789012, 5, "VIDEO_TS/VTS_01_1.VOB") + "\r\n" +
                                Line(true, 0, 0, "VIDEO_TS/1999") + "\r\n" + Line(false, 1, 1, "VIDEO_TS/1999/deep.txt") +
                                "\r\n" + kSeparator + "\r\n" + Line(false, 9, 9, "AFTER_THE_TABLE") + "\n";

    auto root = Parse(listing, "/");
    EXPECT_EQ(Names(root), (std::vector<std::string>{"AUDIO_TS", "VIDEO_TS"}));
    EXPECT_EQ(root[1].IsFolder, 1);
    EXPECT_EQ(root[1].DateTime, "2021-03-07 14:05:09");

    // The folder is matched without regard to case and its prefix is taken off the names.
    auto video = Parse(listing, "video_ts/");
    EXPECT_EQ(Names(video), (std::vector<std::string>{"VIDEO_TS.IFO", "VTS_01_1.VOB", "1999"}));
    EXPECT_EQ(video[0].IsFolder, 0);
    EXPECT_EQ(video[0].Size, 2048);
    EXPECT_EQ(video[1].Size, 123456789012);
    EXPECT_EQ(video[1].PackedSize, 5);
    // A folder has no sizes, also when its name is a number.
    EXPECT_EQ(video[2].IsFolder, 1);
    EXPECT_EQ(video[2].Size, 0);
    EXPECT_EQ(video[2].PackedSize, 0);

    EXPECT_EQ(Names(Parse(listing, "VIDEO_TS/1999/")), std::vector<std::string>{"deep.txt"});
    EXPECT_TRUE(Parse(listing, "AUDIO_TS/").empty());
}

TEST(IsoListingParser, EmptyTablesLongNamesAndLongLines) {
    EXPECT_TRUE(Parse("no table at all\n", "/").empty());
    EXPECT_TRUE(Parse(kSeparator + "\n" + kSeparator + "\n", "/").empty());

    std::string longName(300, 'n');
    auto entries = Parse(kSeparator + "\n" + Line(false, 1, 1, longName) + "\n", "/");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].Name, std::string(259, 'n'));
    // A cut never splits a character in two.
    std::string wide;
    for (int i = 0; i < 100; ++i) wide += "\xE6\x96\x87";
    entries = Parse(kSeparator + "\n" + Line(false, 1, 1, wide) + "\n", "/");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].Name, wide.substr(0, 258));

    // A line past the line limit is one entry, not two.
    std::string huge(3000, 'h');
    EXPECT_EQ(Parse(kSeparator + "\n" + Line(false, 1, 1, huge) + "\n" + kSeparator + "\n", "/").size(), 1u);
}

TEST_F(IsoListingTest, ListsAnImageOnceAndThenOnlyReadsTheListing) {
    const std::string image = MakeImage();
    ArchiveToolState state;
    std::vector<IsoEntry> root;
    ASSERT_EQ(ListIsoFolder(state, "/", image, root), 0);
    EXPECT_EQ(state.Listed, 1);
    std::sort(root.begin(), root.end(), [](auto& a, auto& b) { return a.Name < b.Name; });
    ASSERT_EQ(Names(root), (std::vector<std::string>{"AUDIO_TS", "VIDEO_TS"}));
    EXPECT_EQ(root[1].IsFolder, 1);

    // Without the tool the next folder still lists: no second run is needed.
    std::filesystem::remove(ProgramPath("extract"));
    std::vector<IsoEntry> video;
    ASSERT_EQ(ListIsoFolder(state, "video_ts/", image, video), 0);
    std::sort(video.begin(), video.end(), [](auto& a, auto& b) { return a.Name < b.Name; });
    ASSERT_EQ(Names(video), (std::vector<std::string>{"VIDEO_TS.IFO", "VTS_01_1.VOB"}));
    EXPECT_EQ(video[1].Size, 5000);
    EXPECT_EQ(video[1].IsFolder, 0);

    // A new source without the tool: nothing is listed, the old listing stays readable.
    ArchiveToolState fresh;
    EXPECT_EQ(ListIsoToFile(fresh, image), 0);
    std::vector<IsoEntry> again;
    EXPECT_EQ(ListIsoFolder(fresh, "/", image, again), 0);
    EXPECT_EQ(fresh.Listed, 0);
    EXPECT_EQ(again.size(), 2u);

    platform::DeleteFile(ListingFilePath());
    EXPECT_EQ(ListIsoFolder(fresh, "/", image, again), -1);
}

TEST_F(IsoListingTest, AnUnreadableImageListsNoEntries) {
    std::string junk = root_.Write("junk.iso", std::string(100000, 'j'));
    ArchiveToolState state;
    std::vector<IsoEntry> entries;
    EXPECT_EQ(ListIsoFolder(state, "/", junk, entries), 0);
    EXPECT_TRUE(entries.empty());
}

TEST_F(IsoListingTest, ListsAFolderOnDisk) {
    root_.Write("dvd/VIDEO_TS/VTS_01_1.VOB", std::string(777, 'v'));
    root_.Write("dvd/.hidden", "x");
    std::filesystem::create_directories(Path("dvd/AUDIO_TS"));
    std::vector<IsoEntry> entries;
    ASSERT_EQ(ListDiskFolder(Path("dvd"), entries), 1);
    std::sort(entries.begin(), entries.end(), [](auto& a, auto& b) { return a.Name < b.Name; });
    ASSERT_EQ(Names(entries), (std::vector<std::string>{"AUDIO_TS", "VIDEO_TS"}));
    EXPECT_EQ(entries[1].IsFolder, 1);

    entries.clear();
    ASSERT_EQ(ListDiskFolder(Path("dvd/VIDEO_TS/"), entries), 1);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].Size, 777);
    EXPECT_EQ(entries[0].PackedSize, 0);
    EXPECT_TRUE(entries[0].DateTime.empty());
    EXPECT_EQ(ListDiskFolder(Path("missing"), entries), 0);
}

TEST_F(IsoListingTest, ExtractsTheWholeImageRenamingClashes) {
    const std::string image = MakeImage();
    ArchiveToolState state;
    const std::string out = Path("out folder");
    ASSERT_EQ(ExtractIso(state, image, out), 1);
    EXPECT_EQ(platform::FileSize(out + "/VIDEO_TS/VTS_01_1.VOB").value_or(0), 5000u);
    EXPECT_TRUE(platform::IsFolder(out + "/AUDIO_TS"));
    // A second extraction keeps the first files and renames its own.
    ASSERT_EQ(ExtractIso(state, image, out), 1);
    EXPECT_EQ(platform::ListFolder(out + "/VIDEO_TS").size(), 4u);

    std::filesystem::remove(ProgramPath("extract"));
    EXPECT_EQ(ExtractIso(state, image, out), 0);
}
