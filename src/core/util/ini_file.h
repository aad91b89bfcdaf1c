// INI files with the profile-file rules: section and key names compare without regard to case,
// values are text, a missing key gives the caller's default, booleans are "TRUE"/"FALSE".
// Writing one key keeps everything else of the file (other sections, keys, comments, order).
#pragma once

#include <string>
#include <vector>

namespace wexbo {

class IniFile {
public:
    // Reads the file when it exists (UTF-8, or Windows-1252 for a file that is not valid UTF-8).
    explicit IniFile(std::string path);

    const std::string& Path() const { return path_; }
    bool Existed() const { return existed_; }

    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& fallback) const;
    // A value that is not a whole decimal integer gives the fallback.
    long long ReadInteger(const std::string& section, const std::string& key, long long fallback) const;
    // "TRUE"/"FALSE" in any letter case (and "1"/"0"); anything else gives the fallback.
    bool ReadBool(const std::string& section, const std::string& key, bool fallback) const;
    bool HasKey(const std::string& section, const std::string& key) const;
    bool HasSection(const std::string& section) const;

    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, long long value);
    void WriteBool(const std::string& section, const std::string& key, bool value);

    // Writes the file through a temporary file and a rename, UTF-8 with CR LF line ends.
    bool Save(std::string* error = nullptr) const;

    // One-shot access that reads the file anew each time.
    static std::string Read(const std::string& path, const std::string& section, const std::string& key,
                            const std::string& fallback);
    static bool Write(const std::string& path, const std::string& section, const std::string& key,
                      const std::string& value, std::string* error = nullptr);

private:
    struct Location {
        long sectionLine = -1;  // index of the "[section]" line, -1 when missing
        long keyLine = -1;      // index of the key's line, -1 when missing
        long sectionEnd = -1;   // index after the section's last non-blank line
    };
    Location Find(const std::string& section, const std::string& key) const;

    std::string path_;
    bool existed_ = false;
    std::vector<std::string> lines_;
};

}  // namespace wexbo
