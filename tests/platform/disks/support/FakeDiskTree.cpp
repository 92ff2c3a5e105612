#include "platform/disks/support/FakeDiskTree.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cctype>
#include <fstream>

#include "platform/FileSystem.h"

namespace orvalis::testing {

namespace {

void WriteText(const std::string& path, const std::string& text) {
    size_t slash = path.find_last_of('/');
    platform::CreateFolderPath(path.substr(0, slash));
    std::ofstream(path) << text << "\n";
}

void MakeSparseFile(const std::string& path, uint64_t bytes) {
    size_t slash = path.find_last_of('/');
    platform::CreateFolderPath(path.substr(0, slash));
    std::ofstream(path, std::ios::binary | std::ios::trunc).close();
    ASSERT_EQ(::truncate(path.c_str(), static_cast<off_t>(bytes)), 0) << path;
}

}  // namespace

std::string PartitionName(const std::string& disk, int number) {
    const bool digit = std::isdigit(static_cast<unsigned char>(disk.back()));
    return disk + (digit ? "p" : "") + std::to_string(number);
}

void MustRun(const std::string& commandLine) {
    CommandResult result = RunCommand(commandLine + " 2>&1");
    ASSERT_EQ(result.status, 0) << commandLine << "\n" << result.output;
}

FakeDiskTree::FakeDiskTree() {
    platform::CreateFolderPath(dir_ / "sys/block");
    platform::CreateFolderPath(dir_ / "dev");
    platform::CreateFolderPath(dir_ / "mnt");
    WriteText(dir_ / "mountinfo", "1 0 254:0 / / rw,relatime - ext4 /dev/root rw");
}

platform::DiskRoots FakeDiskTree::Roots() const {
    return {dir_ / "sys", dir_ / "dev", dir_ / "mountinfo"};
}

std::string FakeDiskTree::Folder(const std::string& name) const {
    const std::string folder = dir_ / ("mnt/" + name);
    platform::CreateFolderPath(folder);
    return folder;
}

void FakeDiskTree::Add(const FakeDisk& disk) {
    const unsigned minor = nextMinor_;
    nextMinor_ += 16;
    const std::string sys = dir_ / ("sys/block/" + disk.name);
    WriteText(sys + "/size", std::to_string(disk.size));
    WriteText(sys + "/removable", disk.removable ? "1" : "0");
    WriteText(sys + "/ro", disk.readOnly ? "1" : "0");
    WriteText(sys + "/dev", "8:" + std::to_string(minor));
    WriteText(sys + "/queue/logical_block_size", std::to_string(disk.sectorSize));

    const std::string device = DevicePath(disk.name);
    MakeSparseFile(device, disk.size * 512);
    if (!disk.table.empty()) {
        std::string script = "label: " + disk.table + "\nunit: sectors\n\n";
        for (const FakePartition& p : disk.partitions) {
            script += "start=" + std::to_string(p.start) + ", size=" + std::to_string(p.size) +
                      ", type=" + p.type + "\n";
        }
        WriteText(dir_ / "table.sfdisk", script);
        MustRun("sfdisk -q --no-reread --no-tell-kernel '" + device + "' < '" +
                (dir_ / "table.sfdisk") + "'");
    }
    if (!disk.wholeMkfs.empty()) MustRun(disk.wholeMkfs + " '" + device + "'");
    for (const FakePartition& p : disk.partitions) {
        const std::string name = PartitionName(disk.name, p.number);
        WriteText(sys + "/" + name + "/partition", std::to_string(p.number));
        WriteText(sys + "/" + name + "/start", std::to_string(p.start));
        WriteText(sys + "/" + name + "/size", std::to_string(p.size));
        WriteText(sys + "/" + name + "/dev", "8:" + std::to_string(minor + p.number));
        if (!p.openable) continue;
        MakeSparseFile(DevicePath(name), p.size * 512);
        if (!p.mkfs.empty()) MustRun(p.mkfs + " '" + DevicePath(name) + "'");
    }
}

void FakeDiskTree::Remove(const std::string& name) {
    const std::string sys = dir_ / ("sys/block/" + name);
    for (const platform::FolderEntry& entry : platform::ListFolder(sys)) {
        if (platform::PathExists(sys + "/" + entry.name + "/partition")) {
            platform::DeleteFile(DevicePath(entry.name));
        }
    }
    platform::DeleteFile(DevicePath(name));
    MustRun("rm -rf '" + sys + "'");
}

std::string FakeDiskTree::Mount(const std::string& deviceName, const std::string& fsType) {
    std::string devno;
    for (const platform::FolderEntry& disk : platform::ListFolder(dir_ / "sys/block")) {
        const std::string folder = dir_ / ("sys/block/" + disk.name);
        if (disk.name == deviceName) devno = *platform::ReadWholeFile(folder + "/dev");
        if (platform::PathExists(folder + "/" + deviceName + "/dev")) {
            devno = *platform::ReadWholeFile(folder + "/" + deviceName + "/dev");
        }
    }
    EXPECT_FALSE(devno.empty()) << deviceName;
    if (!devno.empty() && devno.back() == '\n') devno.pop_back();
    const std::string folder = Folder(deviceName);
    std::ofstream(dir_ / "mountinfo", std::ios::app)
        << "40 1 " << devno << " / " << folder << " rw,relatime - " << fsType << " /dev/"
        << deviceName << " rw\n";
    return folder;
}

}  // namespace orvalis::testing
