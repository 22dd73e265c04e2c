#pragma once
// A folder of its own for a test that writes files: named after the running test and the
// process (tests run in parallel processes), emptied when made and removed with everything in it.
#include <filesystem>
#include <string>

namespace korvant::test {

class TempFolder {
public:
    // `tag` tells apart several folders of one test.
    explicit TempFolder(const std::string& tag = "");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace korvant::test
