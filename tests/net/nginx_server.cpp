#include "tests/net/nginx_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "tests/net/scripted_server.h"

namespace net::testing {
namespace {

namespace fs = std::filesystem;

bool Accepts(int port) {
    int probe = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    bool accepted = connect(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(probe);
    return accepted;
}

std::string Configuration(const std::string& folder, int port) {
    std::ostringstream conf;
    conf << "daemon off;\n"
         << "master_process off;\n"
         << "worker_processes 1;\n"
         << "pid " << folder << "/nginx.pid;\n"
         << "error_log " << folder << "/error.log warn;\n"
         << "events { worker_connections 64; }\n"
         << "http {\n"
         << "  access_log " << folder << "/access.log;\n"
         << "  client_body_temp_path " << folder << "/temp/body;\n"
         << "  proxy_temp_path " << folder << "/temp/proxy;\n"
         << "  fastcgi_temp_path " << folder << "/temp/fastcgi;\n"
         << "  uwsgi_temp_path " << folder << "/temp/uwsgi;\n"
         << "  scgi_temp_path " << folder << "/temp/scgi;\n"
         << "  types { text/html html; text/plain txt; }\n"
         << "  default_type application/octet-stream;\n"
         << "  keepalive_timeout 30s;\n"
         << "  server {\n"
         << "    listen 127.0.0.1:" << port << ";\n"
         << "    root " << folder << "/www;\n"
         << "    location = /moved { return 301 /index.html; }\n"
         << "    location = /found { return 302 http://127.0.0.1:" << port << "/index.html; }\n"
         << "  }\n"
         << "}\n";
    return conf.str();
}

}  // namespace

NginxServer::NginxServer() {
    if (access(kExecutable, X_OK) != 0) {
        throw std::runtime_error(std::string(kExecutable) +
                                 " is missing: install the nginx package");
    }
    std::string pattern = (fs::temp_directory_path() / "tombage-nginx-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    folder_ = pattern;
    fs::create_directories(folder_ + "/www");
    fs::create_directories(folder_ + "/temp");
    // A port can be taken between our choice and nginx's bind: try a few.
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (Start()) return;
    }
    std::ifstream log(folder_ + "/error.log");
    std::string errors((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
    fs::remove_all(folder_);
    throw std::runtime_error("nginx did not start: " + errors);
}

NginxServer::~NginxServer() {
    Stop();
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
}

bool NginxServer::Start() {
    port_ = UnusedLoopbackPort();
    const std::string confPath = folder_ + "/nginx.conf";
    std::ofstream(confPath) << Configuration(folder_, port_);
    const std::string outputPath = folder_ + "/output.log";
    const std::string errorLog = folder_ + "/error.log";
    // Only async-signal-safe calls between fork and exec: everything is prepared before.
    pid_ = fork();
    if (pid_ < 0) throw std::runtime_error("fork failed");
    if (pid_ == 0) {
        int output = open(outputPath.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        if (output >= 0) {
            dup2(output, STDOUT_FILENO);
            dup2(output, STDERR_FILENO);
        }
        execl(kExecutable, "nginx", "-p", folder_.c_str(), "-c", confPath.c_str(), "-e",
              errorLog.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            return false;
        }
        if (Accepts(port_)) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    Stop();
    return false;
}

void NginxServer::Stop() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (waitpid(pid_, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() >= deadline) {
            kill(pid_, SIGKILL);
            waitpid(pid_, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    pid_ = -1;
}

std::string NginxServer::Url(std::string_view path) const {
    return Site() + std::string(path);
}

std::string NginxServer::Site() const {
    return "http://127.0.0.1:" + std::to_string(port_);
}

void NginxServer::WriteFile(const std::string& relativePath, const std::string& content) const {
    const fs::path path = fs::path(folder_) / "www" / relativePath;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
}

void NginxServer::RemoveFile(const std::string& relativePath) const {
    std::error_code ignored;
    fs::remove(fs::path(folder_) / "www" / relativePath, ignored);
}

std::vector<std::string> NginxServer::RequestsLogged(std::size_t count) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    for (;;) {
        std::vector<std::string> requests;
        std::ifstream log(folder_ + "/access.log");
        for (std::string line; std::getline(log, line);) {
            std::size_t open = line.find('"');
            std::size_t closing = open == std::string::npos ? open : line.find('"', open + 1);
            if (closing != std::string::npos) {
                requests.push_back(line.substr(open + 1, closing - open - 1));
            }
        }
        if (requests.size() >= count || std::chrono::steady_clock::now() >= deadline) {
            return requests;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

}  // namespace net::testing
