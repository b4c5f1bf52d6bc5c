// The document side of the host's printing system: what the print job asks of it. The Qt
// implementation prints on the QPrinter of the print service; tests record the calls.
#pragma once

#include <string>

namespace report {

class PrintDevice {
  public:
    virtual ~PrintDevice() = default;

    // How many times the printer itself repeats each page of the documents begun from now
    // on (1 when the job repeats the pages itself).
    virtual void SetCopyCount(int copies) = 0;
    // Opens a spooler document under `title` (Windows-1252) on the first sheet.
    virtual void BeginDocument(const std::string& title) = 0;
    // Moves to a new sheet of the open document.
    virtual void NewPage() = 0;
    // Closes the open document and hands it to the spooler.
    virtual void EndDocument() = 0;
    // Drops the open document.
    virtual void AbortDocument() = 0;
};

}  // namespace report
