// A real CUPS daemon for the print tests, with one cups-pdf printer.
//
// Its configuration, spool, state and logs live in a temporary folder; it listens on a socket
// there only, keeps the spooled documents (PreserveJobFiles) and is stopped, its folder
// removed, when the object goes. CUPS_SERVER points at it for the process's lifetime, so that
// QPrinterInfo and QPrinter of the test see its printer alone.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace report::testing {

class CupsServer {
  public:
    static constexpr const char* kDaemon = "/usr/sbin/cupsd";
    static constexpr const char* kPrinterName = "TombagePDF";

    // Starts cupsd and adds the printer; `Usable()` tells whether that worked, and
    // `Problem()` why not (for a skip message).
    CupsServer();
    ~CupsServer();
    CupsServer(const CupsServer&) = delete;
    CupsServer& operator=(const CupsServer&) = delete;

    bool Usable() const { return problem_.empty(); }
    const std::string& Problem() const { return problem_; }

    // The spooled documents of the jobs, in job order, once `count` jobs are spooled (or after
    // 20 s): the files as the client sent them.
    std::vector<std::string> SpooledDocuments(std::size_t count) const;
    // The "copies" attribute of each spooled job, in job order (1 when absent).
    std::vector<int> JobCopies() const;
    // Forgets the jobs spooled so far (their files are removed).
    void ClearJobs() const;

  private:
    bool Start();
    void Stop();
    std::vector<std::string> SpoolFiles(char kind) const;

    std::string folder_;
    std::string socket_;
    pid_t pid_ = -1;
    std::string problem_;
};

}  // namespace report::testing
