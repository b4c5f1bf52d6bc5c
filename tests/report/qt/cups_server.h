// A real CUPS daemon for the print tests, with two cups-pdf printers: the default one, without
// options, and a second whose driver offers double-sided printing and paper trays.
//
// Its configuration, spool, state and logs live in a temporary folder; it listens on a socket
// there and on a free port of 127.0.0.1 only, keeps the spooled documents (PreserveJobFiles) and is
// stopped, its folder removed, when the object goes. CUPS_SERVER points at it for the process's
// lifetime, so that QPrinterInfo and QPrinter of the test see its printer alone.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace report::testing {

// The text of a PDF (a spooled document), pages separated by form feeds, through pdftotext.
std::string PdfText(const std::string& path);

class CupsServer {
  public:
    static constexpr const char* kDaemon = "/usr/sbin/cupsd";
    static constexpr const char* kPrinterName = "TombagePDF";
    static constexpr const char* kSecondPrinterName = "TombagePDF2";

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
    // The value of a keyword, name or URI attribute (such as "sides" or "InputSlot") of each
    // spooled job, in job order ("" when absent).
    std::vector<std::string> JobAttribute(const std::string& name) const;
    // The queue each spooled job went to, in job order.
    std::vector<std::string> JobPrinters() const;
    // Forgets the jobs spooled so far (their files are removed).
    void ClearJobs() const;

    // Adds or removes a cups-pdf queue while the daemon runs; true when lpadmin succeeded.
    bool AddPrinter(const std::string& name, const std::string& ppd = kPlainPpd) const;
    bool RemovePrinter(const std::string& name) const;

    static constexpr const char* kPlainPpd = "/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd";
    // A PDF printer's driver with double-sided printing and seven paper trays.
    static constexpr const char* kOptionsPpd =
        "/usr/share/ppd/cupsfilters/Ricoh-PDF_Printer-PDF.ppd";

  private:
    bool Start();
    void Stop();
    std::vector<std::string> SpoolFiles(char kind) const;

    std::string folder_;
    std::string socket_;
    int port_ = 0;  // on 127.0.0.1, where CUPS_SERVER points
    pid_t pid_ = -1;
    std::string problem_;
};

}  // namespace report::testing
