#include "support/process/peer_process.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>

namespace korvant::test {

PeerProcess::PeerProcess(QStringList arguments, const QString& workDir)
    : PeerProcess(KORVANT_PEER, std::move(arguments), workDir, QProcess::ForwardedErrorChannel) {}

PeerProcess::PeerProcess(const QString& program, QStringList arguments, const QString& workDir,
                         QProcess::ProcessChannelMode channels) {
    if (!workDir.isEmpty()) process_.setWorkingDirectory(workDir);
    process_.setProcessChannelMode(channels);
    QObject::connect(&process_, &QProcess::readyReadStandardOutput, [this] { Read(); });
    process_.start(program, arguments);
}

PeerProcess::~PeerProcess() {
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

void PeerProcess::Read() {
    partial_ += process_.readAllStandardOutput().toStdString();
    for (std::size_t end; (end = partial_.find('\n')) != std::string::npos;) {
        lines_.push_back(partial_.substr(0, end));
        partial_.erase(0, end + 1);
    }
}

bool PeerProcess::WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    if (done()) return true;
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    const auto check = [&] {
        if (done()) loop.quit();
    };
    const auto read =
        QObject::connect(&process_, &QProcess::readyReadStandardOutput, &loop, check, Qt::QueuedConnection);
    const auto finished = QObject::connect(&process_, &QProcess::finished, &loop, check, Qt::QueuedConnection);
    timer.start(limit);
    loop.exec();
    QObject::disconnect(read);
    QObject::disconnect(finished);
    return done();
}

std::optional<std::string> PeerProcess::WaitForLine(const std::string& prefix, std::chrono::milliseconds limit) {
    const auto find = [&]() -> const std::string* {
        for (const std::string& l : lines_)
            if (l.starts_with(prefix)) return &l;
        return nullptr;
    };
    if (!WaitUntil([&] { return find() != nullptr; }, limit)) return std::nullopt;
    return *find();
}

bool PeerProcess::WaitForLineContaining(const std::string& part, std::chrono::milliseconds limit) {
    return WaitUntil(
        [&] {
            return std::ranges::any_of(lines_, [&](const std::string& l) { return l.find(part) != std::string::npos; });
        },
        limit);
}

bool PeerProcess::WaitForLines(const std::string& prefix, std::size_t count, std::chrono::milliseconds limit) {
    return WaitUntil(
        [&] {
            return std::size_t(std::ranges::count_if(
                       lines_, [&](const std::string& l) { return l.starts_with(prefix); })) >= count;
        },
        limit);
}

std::optional<int> PeerProcess::WaitForExit(std::chrono::milliseconds limit) {
    if (!WaitUntil([&] { return process_.state() == QProcess::NotRunning; }, limit)) return std::nullopt;
    Read();
    return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
}

bool PeerProcess::Has(const std::string& line) const { return std::ranges::find(lines_, line) != lines_.end(); }

bool PeerProcess::HasPrefix(const std::string& prefix) const {
    return std::ranges::any_of(lines_, [&](const std::string& l) { return l.starts_with(prefix); });
}

std::vector<std::string> PeerProcess::ClientDigests() const {
    std::vector<std::string> digests;
    for (const std::string& l : lines_) {
        if (l == "role: server") break;
        if (l.starts_with("state ")) digests.push_back(l);
    }
    return digests;
}

std::string PeerProcess::Output() const {
    std::string all;
    for (const std::string& l : lines_) all += l + "\n";
    return all;
}

::testing::AssertionResult ClientMatchesTheServer(const std::vector<std::unique_ptr<PeerProcess>>& peers,
                                                  std::size_t i) {
    const std::vector<std::string> digests = peers[i]->ClientDigests();
    if (digests.empty()) return ::testing::AssertionFailure() << "peer " << i << " printed no state";
    std::string alone;
    for (const std::string& d : digests) {
        bool known = false;
        for (std::size_t j = 0; j < peers.size(); ++j) known |= j != i && peers[j]->Has(d);
        if (!known) alone += "\n  " + d;
    }
    if (alone.empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "peer " << i << " alone has:" << alone;
}

std::string JoinAddress(PeerProcess& creator) {
    const std::optional<std::string> port = creator.WaitForLine("port ", std::chrono::seconds(10));
    return port ? "127.0.0.1:" + port->substr(5) : std::string("127.0.0.1:0");
}

}  // namespace korvant::test
