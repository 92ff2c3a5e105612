#pragma once

#include <optional>
#include <string>
#include <vector>

namespace orvalis::platform {

// An INI file as the program's configuration and language files use it: "[section]" lines,
// "key=value" lines, ";" comments, UTF-8 with an optional byte-order mark, LF or CR LF.
// Sections and keys are found without regard to ASCII case, as the profile functions of
// other platforms do; the first of two equal sections or keys is the one that counts.
// Editing keeps every other byte of the file as it was.
class ProfileDocument {
public:
    static ProfileDocument Parse(std::string_view bytes);
    // Nothing when the file cannot be read.
    static std::optional<ProfileDocument> Load(const std::string& path);

    // The section names in file order, as written between the brackets.
    std::vector<std::string> SectionNames() const;
    // The lines of the first section of that name, as they stand (line ends removed), in
    // file order; empty lines and comments are left out.
    std::vector<std::string> SectionLines(std::string_view section) const;
    // The value of a key, without the blanks around it and without enclosing quotes.
    std::optional<std::string> GetString(std::string_view section, std::string_view key) const;

    // Sets a key, adding the section and the key where they are missing.
    void SetString(std::string_view section, std::string_view key, std::string_view value);
    std::string Serialize() const;

private:
    struct Line {
        std::string text;
        std::string end;  // "\n", "\r\n" or "" for a last line without an end
    };
    std::optional<size_t> FindSection(std::string_view section) const;  // index of its header
    size_t SectionEnd(size_t header) const;                              // one past its last line

    bool bom_ = false;
    std::vector<Line> lines_;
};

// The profile functions over a file path, each reading the file anew.
// GetProfileString gives at most maxChars - 1 characters, like a buffer of maxChars.
std::string GetProfileString(const std::string& path, std::string_view section,
                             std::string_view key, std::string_view defaultValue,
                             size_t maxChars);
std::vector<std::string> GetProfileSection(const std::string& path, std::string_view section);
std::vector<std::string> GetProfileSectionNames(const std::string& path);
// False when the file cannot be written; it is then left as it was.
bool WriteProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value);

// Cuts a UTF-8 text after at most maxChars code points.
std::string TruncateCodePoints(std::string_view text, size_t maxChars);

}  // namespace orvalis::platform
