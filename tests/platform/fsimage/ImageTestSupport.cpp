#include "ImageTestSupport.h"

#include <fcntl.h>
#include <unistd.h>

#include <fstream>
#include <random>
#include <sstream>

#include <gtest/gtest.h>

#include "platform/FileSystem.h"
#include "platform/fsimage/FileOutputStream.h"
#include "platform/fsimage/FileSystemImageResult.h"

namespace orvalis::fsimage::testing {

std::string Quote(const std::string& text) {
    std::string out = "'";
    for (char c : text) {
        if (c == '\'') out += "'\\''";
        else out.push_back(c);
    }
    return out + "'";
}

CommandResult Shell(const std::string& commandLine) {
    return orvalis::testing::RunCommand("(" + commandLine + ") 2>&1");
}

void WriteFile(const std::string& path, const std::string& bytes) {
    platform::CreateFolderPath(path.substr(0, path.find_last_of('/')));
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    ASSERT_TRUE(out.good()) << path;
}

void WriteSparseFile(const std::string& path, uint64_t size,
                     const std::vector<std::pair<uint64_t, std::string>>& marks) {
    platform::CreateFolderPath(path.substr(0, path.find_last_of('/')));
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0) << path;
    ASSERT_EQ(::ftruncate(fd, static_cast<off_t>(size)), 0);
    for (const auto& [offset, text] : marks) {
        ASSERT_EQ(::pwrite(fd, text.data(), text.size(), static_cast<off_t>(offset)),
                  static_cast<ssize_t>(text.size()));
    }
    ::close(fd);
}

std::string RandomBytes(size_t size, uint32_t seed) {
    std::mt19937 rng(seed);
    std::string out(size, '\0');
    for (char& c : out) c = static_cast<char>(rng());
    return out;
}

ResultCode WriteImage(FileSystemImage& image, const std::string& imagePath) {
    auto result = image.CreateResultImage();
    if (!result.ok()) return result.code();
    auto stream = (*result)->ImageStream();
    auto out = FileOutputStream::Create(imagePath);
    if (!out.ok()) return out.code();
    constexpr uint64_t kChunk = 65536;
    for (uint64_t left = stream->Size(); left > 0;) {
        uint64_t n = std::min(left, kChunk);
        if (ResultCode rc = stream->CopyTo(**out, n); rc != kOk) return rc;
        if (ResultCode rc = (*out)->Commit(); rc != kOk) return rc;
        left -= n;
    }
    return (*out)->Close();
}

ResultCode ImageOfFolder(const std::string& folder, FsiFileSystems fileSystems,
                         const std::string& imagePath, const std::string& volumeName) {
    FileSystemImage image;
    if (ResultCode rc = image.SetFileSystemsToCreate(fileSystems); rc != kOk) return rc;
    if (ResultCode rc = image.ChooseImageDefaultsForMediaType(MediaType::Disk); rc != kOk) return rc;
    if (ResultCode rc = image.SetVolumeName(volumeName); rc != kOk) return rc;
    if (ResultCode rc = image.Root().AddTree(folder, BaseFolder::Excluded); rc != kOk) return rc;
    return WriteImage(image, imagePath);
}

std::string Extract(const std::string& imagePath, const std::string& type, const std::string& into) {
    std::string typeFlag = type.empty() ? "" : " -t" + type;
    CommandResult r = Shell("7z x -y" + typeFlag + " -o" + Quote(into) + " " + Quote(imagePath));
    if (r.status != 0 || r.output.find("Everything is Ok") == std::string::npos) {
        return "7z failed (" + std::to_string(r.status) + "):\n" + r.output;
    }
    return "";
}

std::string TreeDifferences(const std::string& a, const std::string& b) {
    CommandResult r = Shell("diff -r " + Quote(a) + " " + Quote(b));
    return r.status == 0 ? "" : r.output.empty() ? "diff failed" : r.output;
}

std::vector<IsoListing> ListIso(const std::string& imagePath, bool joliet) {
    CommandResult r = orvalis::testing::RunCommand(std::string("isoinfo ") + (joliet ? "-J " : "") +
                                                   "-l -i " + Quote(imagePath) + " 2>/dev/null");
    std::vector<IsoListing> out;
    std::istringstream lines(r.output);
    std::string line, folder;
    const std::string kHeader = "Directory listing of ";
    while (std::getline(lines, line)) {
        if (line.rfind(kHeader, 0) == 0) {
            folder = line.substr(kHeader.size());
            continue;
        }
        size_t open = line.find('[');
        if (line.size() < 10 || open == std::string::npos || open < 13) continue;
        IsoListing entry;
        entry.folder = folder;
        entry.directory = line[0] == 'd';
        // "[  block flags]  name"; isoinfo leaves out the "]" when the flags are wide.
        std::istringstream after(line.substr(open + 1));
        std::string flags;
        after >> entry.block >> flags;
        std::getline(after, entry.name);
        size_t nameStart = entry.name.find_first_not_of(" ]");
        entry.name = nameStart == std::string::npos ? "" : entry.name.substr(nameStart);
        // The size is the last number before the date, which takes 12 characters.
        std::istringstream head(line.substr(0, open - 13));
        std::string word;
        while (head >> word) entry.size = std::strtoull(word.c_str(), nullptr, 10);
        while (!entry.name.empty() && entry.name.back() == ' ') entry.name.pop_back();
        if (entry.name == "." || entry.name == ".." || entry.name.empty()) continue;
        if (entry.name.size() == 1 && (entry.name[0] == '\0' || entry.name[0] == '\1')) continue;
        out.push_back(entry);
    }
    return out;
}

bool CanLoopMount(const std::string& type, std::string* why) {
    std::string filesystems = platform::ReadWholeFile("/proc/filesystems").value_or("");
    if (filesystems.find("\t" + type + "\n") == std::string::npos) {
        *why = "the kernel offers no " + type + " file system here (no module loaded or loadable)";
        return false;
    }
    if (::geteuid() != 0) {
        *why = "loop mounts need root";
        return false;
    }
    return true;
}

}  // namespace orvalis::fsimage::testing
