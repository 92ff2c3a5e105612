#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "platform/fsimage/FileSystemImage.h"

namespace orvalis::fsimage::testing {

using orvalis::testing::CommandResult;

// Single-quotes a path for a shell command line.
std::string Quote(const std::string& text);
// Runs a command with its error output mixed into its output.
CommandResult Shell(const std::string& commandLine);

// Writes a file, making its folders.
void WriteFile(const std::string& path, const std::string& bytes);
// A file of `size` bytes that takes no room, with `marks` written at the given offsets.
void WriteSparseFile(const std::string& path, uint64_t size,
                     const std::vector<std::pair<uint64_t, std::string>>& marks);
std::string RandomBytes(size_t size, uint32_t seed);

// Copies the result image to a file the way a caller saves it: CopyTo in 64 KiB pieces.
// Returns 0 or the first failure.
ResultCode WriteImage(FileSystemImage& image, const std::string& imagePath);
// An image of what a folder holds, with the given file systems, written to imagePath.
ResultCode ImageOfFolder(const std::string& folder, FsiFileSystems fileSystems,
                         const std::string& imagePath, const std::string& volumeName = "TESTVOL");

// Extracts with 7z ("iso" or "udf" forces the reader; "" lets 7z choose). Empty on success,
// else what 7z said.
std::string Extract(const std::string& imagePath, const std::string& type, const std::string& into);
// Empty when both trees hold the same names and bytes, else what diff says.
std::string TreeDifferences(const std::string& a, const std::string& b);

// One line of `isoinfo -l` output: the name, its first block and its size.
struct IsoListing {
    std::string folder;  // "/" or "/SUB/"
    std::string name;    // as recorded, with ";1"
    uint64_t block = 0;
    uint64_t size = 0;
    bool directory = false;
};
// isoinfo -l (Joliet with joliet set) parsed, without "." and "..".
std::vector<IsoListing> ListIso(const std::string& imagePath, bool joliet);

// Whether this machine can loop-mount an image of the given type ("iso9660" or "udf").
bool CanLoopMount(const std::string& type, std::string* why);

}  // namespace orvalis::fsimage::testing
