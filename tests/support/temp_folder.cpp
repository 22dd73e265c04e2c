#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace korvant::test {

TempFolder::TempFolder(const std::string& tag) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = "korvant_" + std::to_string(::getpid());
    if (info) name += std::string("_") + info->test_suite_name() + "_" + info->name();
    if (!tag.empty()) name += "_" + tag;
    // Parameterised names hold slashes.
    for (char& c : name)
        if (c == '/') c = '_';
    path_ = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

}  // namespace korvant::test
