// Random trees, from fixed seeds: names of mixed scripts and lengths, sizes around block
// edges, folders of different depths. Every kind of image gives each tree back.

#include <gtest/gtest.h>

#include <random>
#include <set>

#include "ImageTestSupport.h"
#include "TestSupport.h"
#include "platform/FileSystem.h"

namespace orvalis::fsimage::testing {
namespace {

using orvalis::testing::TempDir;

class TreeMaker {
public:
    explicit TreeMaker(uint32_t seed) : rng_(seed) {}

    void Fill(const std::string& folder, int depth) {
        platform::CreateFolderPath(folder);
        std::set<std::string> used;
        const int entries = Pick(0, depth == 0 ? 12 : 7);
        for (int i = 0; i < entries; ++i) {
            std::string name = Name();
            if (!used.insert(name).second) continue;
            if (depth < 5 && Pick(0, 3) == 0) {
                Fill(folder + "/" + name, depth + 1);
            } else {
                WriteFile(folder + "/" + name, RandomBytes(Size(), rng_()));
            }
        }
    }

private:
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }

    // Up to 60 UTF-16 units from ASCII, Latin, Greek, CJK and outside the basic plane; none
    // that Joliet would have to change, so every reader can give the exact name back.
    std::string Name() {
        static const std::vector<std::string> pieces = {
            "a", "b", "Z", "0", "7", "_", "-", " ", ".", "é", "ß", "Ω", "ж", "中", "文", "😀", "x.txt", ".dat"};
        std::string name;
        const size_t length = size_t(Pick(1, 60));
        for (;;) {
            const std::string& piece = pieces[size_t(Pick(0, int(pieces.size()) - 1))];
            if (Utf16Units(name + piece) > length) break;
            name += piece;
        }
        // A trailing dot or space is dropped or replaced by readers on the way out (Joliet
        // reads "name.;1" as "name", 7z renames " "), so names here end otherwise.
        while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
        return name.empty() ? "n" : name;
    }

    static size_t Utf16Units(const std::string& utf8) {
        size_t units = 0;
        for (unsigned char c : utf8) {
            if ((c & 0xC0) != 0x80) ++units;  // a character starts here
            if (c >= 0xF0) ++units;           // and needs two units
        }
        return units;
    }

    size_t Size() {
        static const size_t edges[] = {0, 1, 2047, 2048, 2049, 4096, 65536};
        return Pick(0, 2) == 0 ? edges[Pick(0, 6)] : size_t(Pick(0, 200000));
    }

    std::mt19937 rng_;
};

class RandomTreeTest : public ::testing::TestWithParam<uint32_t> {};

TEST_P(RandomTreeTest, EveryKindOfImageGivesTheTreeBack) {
    TempDir dir;
    TreeMaker(GetParam()).Fill(dir / "src", 0);
    struct Kind {
        FsiFileSystems fs;
        const char* reader;
    } kinds[] = {{kFsiFileSystemISO9660 | kFsiFileSystemJoliet, "iso"},
                 {kFsiFileSystemUDF, "udf"},
                 {kFsiFileSystemsAll, "udf"},
                 {kFsiFileSystemsAll, "iso"}};
    int n = 0;
    for (const Kind& k : kinds) {
        SCOPED_TRACE(std::to_string(k.fs) + " read as " + k.reader);
        const std::string image = dir / ("image" + std::to_string(n) + ".iso");
        const std::string out = dir / ("out" + std::to_string(n++));
        ASSERT_EQ(ImageOfFolder(dir / "src", k.fs, image), kOk);
        platform::CreateFolderPath(out);
        ASSERT_EQ(Extract(image, k.reader, out), "");
        EXPECT_EQ(TreeDifferences(dir / "src", out), "");
        if (k.fs & kFsiFileSystemUDF) {
            EXPECT_EQ(Shell("udfinfo " + Quote(image)).status, 0);
        }
        if (k.fs & kFsiFileSystemISO9660) {
            EXPECT_NE(Shell("isovfy " + Quote(image)).output.find("No errors found"), std::string::npos);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomTreeTest, ::testing::Values(1u, 2u, 3u, 4u, 5u));

}  // namespace
}  // namespace orvalis::fsimage::testing
