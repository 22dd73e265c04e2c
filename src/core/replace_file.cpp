#include "core/replace_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>
#include <string>
#include <system_error>

namespace korvant {
namespace {

constexpr std::string_view TempSuffix = ".tmp";
constexpr std::size_t TagLength = 6;

[[noreturn]] void failed(const std::filesystem::path& target, int error) {
    throw FileWriteError(target, std::strerror(error != 0 ? error : EIO));
}

std::filesystem::path folderOf(const std::filesystem::path& target) {
    const std::filesystem::path folder = target.parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

std::string uniqueTag() {
    static constexpr char Letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937 draw{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof Letters - 2);
    std::string tag(TagLength, ' ');
    for (char& c : tag) c = Letters[pick(draw)];
    return tag;
}

bool isTemporaryOf(const std::string& name, const std::string& target) {
    return name.size() == target.size() + 1 + TagLength + TempSuffix.size() && name.starts_with(target) &&
           name[target.size()] == '.' && name.ends_with(TempSuffix);
}

// A writer holds the lock on its temporary file until it ends; the kernel drops it when the
// writer dies, so a file nobody holds is a crash's leftover.
void removeStale(const std::filesystem::path& folder, const std::string& targetName) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        if (!isTemporaryOf(name, targetName) || !entry.is_regular_file(ec)) continue;
        const int fd = ::open(entry.path().c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0) continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) ::unlink(entry.path().c_str());
        ::close(fd);
    }
}

// Creates and locks a new temporary file beside the target; returns its descriptor.
int createTemporary(const std::filesystem::path& target, std::filesystem::path& temporary) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = target;
        temporary += "." + uniqueTag() + std::string(TempSuffix);
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::flock(fd, LOCK_EX);
            return fd;
        }
        if (errno != EEXIST) failed(target, errno);
    }
    failed(target, EEXIST);
}

void syncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    // The new file is already in place; a folder that cannot be flushed costs only the
    // guarantee that the rename outlives a power cut, so it is not reported as a failure.
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

void FileOut::Write(std::span<const uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            failed(target_, errno);
        }
        bytes = bytes.subspan(std::size_t(n));
    }
}

void ReplaceFile(const std::filesystem::path& target, const std::function<void(FileOut&)>& write) {
    const std::filesystem::path folder = folderOf(target);
    removeStale(folder, target.filename().string());
    std::filesystem::path temporary;
    const int fd = createTemporary(target, temporary);
    try {
        // A replaced file keeps its permissions; a new one gets the usual ones.
        struct stat old {};
        if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) ::fchmod(fd, old.st_mode & 07777);
        FileOut out(fd, target);
        write(out);
        if (::fsync(fd) != 0) failed(target, errno);
        // Renamed while still locked, so that no other writer takes it for a crash's leftover.
        if (::rename(temporary.c_str(), target.c_str()) != 0) failed(target, errno);
    } catch (...) {
        ::unlink(temporary.c_str());
        ::close(fd);
        throw;
    }
    ::close(fd);
    syncFolder(folder);
}

void ReplaceFile(const std::filesystem::path& target, std::initializer_list<std::span<const uint8_t>> parts) {
    ReplaceFile(target, [&](FileOut& out) {
        for (const auto& part : parts) out.Write(part);
    });
}

}  // namespace korvant
