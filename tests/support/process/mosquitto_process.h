#pragma once
// A mosquitto broker of a test's own on loopback at a free port, stopped with the test. It is
// ready once it says it runs; no test waits on the clock.
#include <QTemporaryDir>
#include <cstdint>
#include <memory>
#include <string>

#include "support/process/peer_process.h"

namespace korvant::test {

// A port on loopback where nobody listens now.
std::uint16_t FreeLoopbackPort();

class MosquittoProcess {
public:
    // `extraConfig`: lines added to the listener's configuration (an ACL, a size limit).
    explicit MosquittoProcess(const std::string& extraConfig = {});
    ~MosquittoProcess();

    // Listening, or why not in Error().
    bool Running() const { return port_ != 0; }
    const std::string& Error() const { return error_; }
    std::uint16_t Port() const { return port_; }
    // "127.0.0.1:PORT"
    std::string Address() const;
    // Writes `content` into the broker's folder and returns its path (an ACL or password file).
    std::string WriteFile(const std::string& name, const std::string& content);
    // Ends the broker at once, as a crashed one.
    void Kill();

private:
    bool Start(const std::string& extraConfig);

    QTemporaryDir dir_;
    std::unique_ptr<PeerProcess> process_;
    std::uint16_t port_ = 0;
    std::string error_;
};

}  // namespace korvant::test
