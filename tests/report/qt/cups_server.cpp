#include "tests/report/qt/cups_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace report::testing {

namespace fs = std::filesystem;

namespace {

void Write(const fs::path& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

std::string Read(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

// Runs a command line; true when it exits with status 0.
bool Run(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

// A TCP port of 127.0.0.1 that nothing listens on now (0 when none is found).
int FreeLoopbackPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) return 0;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
        port = ntohs(address.sin_port);
    }
    ::close(fd);
    return port;
}

}  // namespace

std::string PdfText(const std::string& path) {
    const std::string command = "pdftotext -layout '" + path + "' - 2>/dev/null";
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        size_t n = 0;
        while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
            text.append(buffer, n);
        pclose(pipe);
    }
    return text;
}

CupsServer::CupsServer() {
    if (!fs::exists(kDaemon)) {
        problem_ = std::string("CUPS absent (") + kDaemon + ")";
        return;
    }
    if (!fs::exists("/usr/lib/cups/backend/cups-pdf")) {
        problem_ = "imprimante cups-pdf absente (paquet printer-driver-cups-pdf)";
        return;
    }
    if (!Start()) Stop();
}

CupsServer::~CupsServer() {
    Stop();
}

bool CupsServer::Start() {
    folder_ = (fs::temp_directory_path() / ("tombage-cups-" + std::to_string(getpid()))).string();
    fs::remove_all(folder_);
    for (const char* sub :
         {"", "/conf", "/conf/ppd", "/spool", "/spool/tmp", "/cache", "/state", "/log", "/pdf"}) {
        fs::create_directories(folder_ + sub);
    }
    // Filters run as lp: they must reach the spool and write the PDF folder.
    for (const char* sub : {"", "/spool", "/spool/tmp", "/pdf"}) {
        ::chmod((folder_ + sub).c_str(), sub == std::string("/pdf") ? 01777 : 0755);
    }
    ::chmod((folder_ + "/spool/tmp").c_str(), 01777);
    socket_ = folder_ + "/cups.sock";
    port_ = FreeLoopbackPort();
    if (port_ == 0) {
        problem_ = "aucun port libre sur 127.0.0.1";
        return false;
    }
    Write(folder_ + "/conf/cupsd.conf",
          "Listen " + socket_ + "\nListen 127.0.0.1:" + std::to_string(port_) +
              "\n"
              "LogLevel warn\nWebInterface No\nBrowsing No\nPreserveJobFiles Yes\n"
              "PreserveJobHistory Yes\nMaxJobs 0\nDefaultAuthType None\n"
              "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
              "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n");
    Write(folder_ + "/conf/cups-files.conf",
          "ServerRoot " + folder_ + "/conf\nRequestRoot " + folder_ + "/spool\nTempDir " + folder_ +
              "/spool/tmp\nCacheDir " + folder_ + "/cache\nStateDir " + folder_ +
              "/state\nErrorLog " + folder_ + "/log/error_log\nAccessLog " + folder_ +
              "/log/access_log\nPageLog " + folder_ +
              "/log/page_log\nServerBin /usr/lib/cups\nDataDir /usr/share/cups\n"
              "FileDevice Yes\nSandboxing Relaxed\n");

    const std::string conf = folder_ + "/conf/cupsd.conf";
    const std::string files = folder_ + "/conf/cups-files.conf";
    pid_ = fork();
    if (pid_ < 0) {
        problem_ = "fork impossible";
        return false;
    }
    if (pid_ == 0) {
        // A test that crashes takes its daemon along.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        execl(kDaemon, "cupsd", "-f", "-c", conf.c_str(), "-s", files.c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!fs::exists(socket_)) {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            problem_ = "cupsd ne démarre pas : " + Read(folder_ + "/log/error_log");
            return false;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            problem_ = "cupsd n'ouvre pas sa socket";
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    // Over the loopback port: the CUPS clients (lpoptions) fetch a printer's driver through its
    // "localhost" address, which a socket path does not answer.
    const std::string server = "127.0.0.1:" + std::to_string(port_);
    setenv("CUPS_SERVER", server.c_str(), 1);
    if (!AddPrinter(kPrinterName)) {
        problem_ = "lpadmin ne peut pas ajouter l'imprimante cups-pdf";
        return false;
    }
    // Without the driver with options (package cups-filters), the second queue has none.
    if (!AddPrinter(kSecondPrinterName, fs::exists(kOptionsPpd) ? kOptionsPpd : kPlainPpd)) {
        problem_ = "lpadmin ne peut pas ajouter la seconde imprimante cups-pdf";
        return false;
    }
    Run(std::string("lpadmin -h ") + socket_ + " -d " + kPrinterName);
    return true;
}

void CupsServer::Stop() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        int status = 0;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (waitpid(pid_, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                kill(pid_, SIGKILL);
                waitpid(pid_, &status, 0);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        pid_ = -1;
    }
    if (!folder_.empty()) {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
}

std::vector<std::string> CupsServer::SpoolFiles(char kind) const {
    // Control files c00001, documents d00001-001, sorted by job number.
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_ + "/spool")) {
        const std::string name = entry.path().filename().string();
        if (name.size() > 1 && name[0] == kind && std::isdigit(static_cast<unsigned char>(name[1])))
            names.push_back(entry.path().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> CupsServer::SpooledDocuments(std::size_t count) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (SpoolFiles('d').size() < count && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    // A document is complete once its job's control file is written.
    while (SpoolFiles('c').size() < SpoolFiles('d').size() &&
           std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return SpoolFiles('d');
}

std::vector<int> CupsServer::JobCopies() const {
    std::vector<int> copies;
    // The control file is the job's IPP attributes: an integer attribute is the tag 0x21,
    // the name length and name, the value length 4 and the value, big-endian.
    const std::string marker(
        "\x21\x00\x06"
        "copies\x00\x04",
        11);
    for (const std::string& control : SpoolFiles('c')) {
        const std::string content = Read(control);
        const size_t at = content.find(marker);
        int value = 1;
        if (at != std::string::npos && at + marker.size() + 4 <= content.size()) {
            const auto* bytes =
                reinterpret_cast<const unsigned char*>(content.data() + at + marker.size());
            value = (bytes[0] << 24) | (bytes[1] << 16) | (bytes[2] << 8) | bytes[3];
        }
        copies.push_back(value);
    }
    return copies;
}

bool CupsServer::AddPrinter(const std::string& name, const std::string& ppd) const {
    return Run("lpadmin -h " + socket_ + " -p " + name + " -E -v cups-pdf:/ -P " + ppd);
}

bool CupsServer::RemovePrinter(const std::string& name) const {
    return Run("lpadmin -h " + socket_ + " -x " + name);
}

std::vector<std::string> CupsServer::JobAttribute(const std::string& name) const {
    std::vector<std::string> values;
    // A keyword (0x44), name (0x42) or URI (0x45) attribute: the tag, the name's length and
    // the name, the value's length and the value, lengths big-endian on two bytes.
    for (const std::string& control : SpoolFiles('c')) {
        const std::string content = Read(control);
        std::string value;
        for (const char tag : {'\x44', '\x42', '\x45'}) {
            std::string marker(1, tag);
            marker += static_cast<char>(name.size() >> 8);
            marker += static_cast<char>(name.size() & 0xFF);
            marker += name;
            const size_t at = content.find(marker);
            if (at == std::string::npos || at + marker.size() + 2 > content.size()) continue;
            const auto* bytes =
                reinterpret_cast<const unsigned char*>(content.data() + at + marker.size());
            const size_t length = (bytes[0] << 8) | bytes[1];
            value = content.substr(at + marker.size() + 2, length);
            break;
        }
        values.push_back(value);
    }
    return values;
}

std::vector<std::string> CupsServer::JobPrinters() const {
    std::vector<std::string> printers;
    // The queue is the last part of the job's "job-printer-uri" (…/printers/NAME).
    for (const std::string& uri : JobAttribute("job-printer-uri"))
        printers.push_back(uri.substr(uri.find_last_of('/') + 1));
    return printers;
}

void CupsServer::ClearJobs() const {
    Run(std::string("cancel -h ") + socket_ + " -a -x");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while ((!SpoolFiles('d').empty() || !SpoolFiles('c').empty()) &&
           std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

}  // namespace report::testing
