// A temporary folder per test, removed when the test ends.
#pragma once

#include <string>

namespace wexbo::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder, with a trailing "/".
    const std::string& Path() const { return path_; }
    // Path() + name.
    std::string operator/(const std::string& name) const { return path_ + name; }

private:
    std::string path_;
};

// Writes bytes to a file, creating its folders.
void WriteFile(const std::string& path, const std::string& content);
// The whole file, or "" when it cannot be read.
std::string ReadFile(const std::string& path);

}  // namespace wexbo::test
