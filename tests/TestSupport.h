#pragma once

#include <string>

namespace orvalis::testing {

// A fresh folder under the system's temporary folder, removed with everything in it when
// the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    // path() + "/" + name
    std::string operator/(const std::string& name) const;
    // Writes a file below the folder (making its folders) and returns its full path.
    std::string Write(const std::string& name, const std::string& bytes) const;

private:
    std::string path_;
};

// Sets an environment variable for the life of the object, then restores it.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string name_;
    bool had_ = false;
    std::string old_;
};

// Runs a shell command line (tests only) and gives its exit status and standard output.
struct CommandResult {
    int status = -1;
    std::string output;
};
CommandResult RunCommand(const std::string& commandLine);

// The program folder the build fills (build/bin).
std::string BinDir();

}  // namespace orvalis::testing
