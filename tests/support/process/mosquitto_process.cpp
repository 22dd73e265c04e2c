#include "support/process/mosquitto_process.h"

#include <QFile>
#include <QStandardPaths>
#include <QTcpServer>

namespace korvant::test {

namespace {

QString MosquittoProgram() {
    QString found = QStandardPaths::findExecutable("mosquitto");
    if (found.isEmpty()) found = QStandardPaths::findExecutable("mosquitto", {"/usr/sbin", "/usr/local/sbin"});
    return found;
}

}  // namespace

std::uint16_t FreeLoopbackPort() {
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0)) return 0;
    return probe.serverPort();
}

MosquittoProcess::MosquittoProcess(const std::string& extraConfig) {
    // Another program may take the free port between the probe and the broker: try again then.
    for (int attempt = 0; attempt < 3 && !Start(extraConfig); ++attempt) {
    }
}

MosquittoProcess::~MosquittoProcess() = default;

bool MosquittoProcess::Start(const std::string& extraConfig) {
    const QString program = MosquittoProgram();
    if (program.isEmpty()) {
        error_ = "mosquitto is not installed (scripts/install-deps.sh installs it)";
        return true;  // no use trying again
    }
    // Run as root, the broker reads its files after giving up root for its own user.
    QFile::setPermissions(dir_.path(), QFile::permissions(dir_.path()) | QFile::ReadOther | QFile::ExeOther);
    std::uint16_t port = FreeLoopbackPort();
    std::string config = "listener " + std::to_string(port) + " 127.0.0.1\n" +
                         "allow_anonymous true\npersistence false\nlog_dest stderr\nlog_timestamp false\n" +
                         "log_type error\nlog_type warning\nlog_type notice\nlog_type information\n" + extraConfig;
    std::string path = WriteFile("mosquitto.conf", config);
    process_ = std::make_unique<PeerProcess>(program, QStringList{"-c", QString::fromStdString(path)});
    // Its log goes to standard error, which is not buffered. "mosquitto version V starting", then "... running" once it
    // listens.
    if (process_->WaitForLines("mosquitto version", 2, std::chrono::seconds(10))) {
        port_ = port;
        return true;
    }
    error_ = "mosquitto did not start: " + process_->Output();
    process_.reset();
    return false;
}

std::string MosquittoProcess::Address() const { return "127.0.0.1:" + std::to_string(port_); }

std::string MosquittoProcess::WriteFile(const std::string& name, const std::string& content) {
    QString path = dir_.filePath(QString::fromStdString(name));
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(content.data(), qint64(content.size()));
    f.setPermissions(f.permissions() | QFile::ReadOther);
    return path.toStdString();
}

void MosquittoProcess::Kill() {
    process_.reset();  // the process is killed with its handle
    port_ = 0;
}

}  // namespace korvant::test
