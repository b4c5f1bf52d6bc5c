// A real nginx for tests, on a free port of 127.0.0.1.
//
// Everything it needs lives in a temporary folder: configuration, document root, pid file,
// logs and temporary paths. It runs in the foreground as a single process and is stopped and
// its folder removed when the object goes. A missing nginx is an error, not a skip.
#pragma once

#include <sys/types.h>
#include <string>
#include <string_view>
#include <vector>

namespace net::testing {

class NginxServer {
  public:
    static constexpr const char* kExecutable = "/usr/sbin/nginx";

    // Starts nginx and waits until it accepts connections; throws std::runtime_error when it
    // cannot. Besides the files written with WriteFile, it answers /moved with a 301 to
    // /index.html and /found with a 302 to an absolute URL.
    NginxServer();
    ~NginxServer();
    NginxServer(const NginxServer&) = delete;
    NginxServer& operator=(const NginxServer&) = delete;

    int Port() const { return port_; }
    // "http://127.0.0.1:<port>" followed by the path.
    std::string Url(std::string_view path) const;
    // "http://127.0.0.1:<port>", for a site setting.
    std::string Site() const;

    // Writes a file under the document root (folders are created).
    void WriteFile(const std::string& relativePath, const std::string& content) const;
    void RemoveFile(const std::string& relativePath) const;

    // The request lines of the access log ("GET /a HTTP/1.1"), in order, once it holds at least
    // `count` of them (nginx logs a request after answering it) or after 2 s.
    std::vector<std::string> RequestsLogged(std::size_t count = 0) const;

  private:
    bool Start();
    void Stop();

    std::string folder_;
    int port_ = 0;
    pid_t pid_ = -1;
};

}  // namespace net::testing
