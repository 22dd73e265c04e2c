#include "core/replace_file.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "support/saved_game_files.h"
#include "support/temp_folder.h"

namespace korvant {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;

std::span<const uint8_t> bytesOf(const std::string& s) {
    return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

std::string textOf(const fs::path& file) {
    const auto b = ReadBytes(file);
    return {b.begin(), b.end()};
}

// Every file in the folder but the target.
std::vector<fs::path> leftovers(const fs::path& folder, const fs::path& target) {
    std::vector<fs::path> out;
    for (const auto& e : fs::directory_iterator(folder))
        if (e.path() != target) out.push_back(e.path());
    return out;
}

TEST(ReplaceFileTest, ReplacesWholeKeepsPermissionsAndLeavesNothingBeside) {
    test::TempFolder folder;
    const fs::path file = folder / "a.gen";
    ReplaceFile(file, {bytesOf("first "), bytesOf("version")});
    EXPECT_EQ(textOf(file), "first version");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ReplaceFile(file, {bytesOf("second")});
    EXPECT_EQ(textOf(file), "second");
    EXPECT_EQ(fs::status(file).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_TRUE(leftovers(folder.path(), file).empty());
}

TEST(ReplaceFileTest, AFailingWriterLeavesTheOldFileAndNoTemporary) {
    test::TempFolder folder;
    const fs::path file = folder / "a.gen";
    ReplaceFile(file, {bytesOf("old")});
    EXPECT_THROW(ReplaceFile(file,
                             [](FileOut& out) {
                                 out.Write(bytesOf("half"));
                                 throw FileWriteError("a.gen", "disk full");
                             }),
                 FileWriteError);
    EXPECT_EQ(textOf(file), "old");
    EXPECT_TRUE(leftovers(folder.path(), file).empty());
    EXPECT_THROW(ReplaceFile(folder / "no" / "such" / "folder.gen", {bytesOf("x")}), FileWriteError);
}

// A writer killed in the middle of a save, as by a crash or kill -9.
TEST(ReplaceFileTest, AWriterKilledMidWriteLeavesTheOldFileAndItsLeftoverGoesOnTheNextWrite) {
    test::TempFolder folder;
    const fs::path file = folder / "autosave.gen";
    ReplaceFile(file, {bytesOf("the previous save")});

    int midWrite[2], never[2];
    ASSERT_EQ(::pipe(midWrite), 0);
    ASSERT_EQ(::pipe(never), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(midWrite[0]);
        ::close(never[1]);
        try {
            ReplaceFile(file, [&](FileOut& out) {
                out.Write(bytesOf("half of the new"));
                const char mark = 'w';
                (void)!::write(midWrite[1], &mark, 1);
                char c;
                (void)!::read(never[0], &c, 1);  // blocks until killed
                out.Write(bytesOf(" save"));
            });
        } catch (...) {
        }
        ::_exit(1);
    }
    ::close(midWrite[1]);
    ::close(never[0]);
    pollfd wait{midWrite[0], POLLIN, 0};
    ASSERT_EQ(::poll(&wait, 1, 20000), 1) << "the child never started writing";
    char mark = 0;
    ASSERT_EQ(::read(midWrite[0], &mark, 1), 1) << "the child failed before writing";

    const auto partial = leftovers(folder.path(), file);
    ASSERT_EQ(partial.size(), 1u);
    EXPECT_EQ(textOf(partial[0]), "half of the new");
    // A second writer while the first one lives leaves the first one's file alone.
    ReplaceFile(file, {bytesOf("another copy's save")});
    EXPECT_TRUE(fs::exists(partial[0]));

    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status));
    ::close(midWrite[0]);
    ::close(never[1]);

    EXPECT_EQ(textOf(file), "another copy's save");
    EXPECT_TRUE(fs::exists(partial[0])) << "the crash's leftover stays until the next write";
    ReplaceFile(file, {bytesOf("the next save")});
    EXPECT_EQ(textOf(file), "the next save");
    EXPECT_TRUE(leftovers(folder.path(), file).empty());
}

}  // namespace
}  // namespace korvant
