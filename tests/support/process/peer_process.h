#pragma once
// One korvant-peer process of a test: its output kept line by line, and waits on its output or
// its exit that run the event loop until they come or time runs out.
#include <gtest/gtest.h>

#include <QProcess>
#include <QStringList>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace korvant::test {

class PeerProcess {
public:
    explicit PeerProcess(QStringList arguments, const QString& workDir = {});
    // Another program whose output (by default both channels) a test waits on the same way.
    PeerProcess(const QString& program, QStringList arguments, const QString& workDir = {},
                QProcess::ProcessChannelMode channels = QProcess::MergedChannels);
    ~PeerProcess();

    // The first line starting with `prefix`, once it has come.
    std::optional<std::string> WaitForLine(const std::string& prefix, std::chrono::milliseconds limit);
    // True once a line containing `part` has come.
    bool WaitForLineContaining(const std::string& part, std::chrono::milliseconds limit);
    // True once `count` lines starting with `prefix` have come.
    bool WaitForLines(const std::string& prefix, std::size_t count, std::chrono::milliseconds limit);
    // The exit code, or nothing when the process still runs after `limit`.
    std::optional<int> WaitForExit(std::chrono::milliseconds limit);

    const std::vector<std::string>& Lines() const { return lines_; }
    bool Has(const std::string& line) const;
    bool HasPrefix(const std::string& prefix) const;
    // The digest lines this peer printed as a client: before it became the server, if ever.
    std::vector<std::string> ClientDigests() const;
    std::string Output() const;

private:
    void Read();
    bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit);

    QProcess process_;
    std::string partial_;
    std::vector<std::string> lines_;
};

// Client `i` printed the digests of the states it held, and another peer (the server) printed each
// of them too: a digest nobody else printed is a state of his that differs from the server's.
::testing::AssertionResult ClientMatchesTheServer(const std::vector<std::unique_ptr<PeerProcess>>& peers,
                                                  std::size_t i);

// Starts the creator and reads its port.
std::string JoinAddress(PeerProcess& creator);

}  // namespace korvant::test
