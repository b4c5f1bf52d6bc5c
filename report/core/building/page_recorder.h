// PageRecorder: prepared pages kept in memory as plain records (each written object's name,
// position and finished text), for tests and `etat build --text`.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "report/core/building/prepared_sink.h"

namespace report {

struct RecordedObject {
    std::string name;
    uint8_t objectType = 0;
    int left = 0, top = 0, width = 0, height = 0;  // design pixels on the prepared page
    std::vector<std::string> text;                 // a text object's finished lines
    uint16_t fontStyle = 0;                        // text objects
    int32_t fillColor = 0;
    std::string tag;  // as written (expanded)
    // The run-time band that placed the object: its kind (-1: none), name, and where it stood
    // on the page with the height it was drawn with.
    int bandKind = -1;
    std::string bandName;
    int bandTop = 0, bandHeight = 0;
    // The design page whose band placed the object; empty for a sub-report's page, whose
    // objects live on the host's page.
    std::string designPage;
    // For a data band bound to a data source: the record it printed (from 0); else -1.
    int record = -1;
};

struct RecordedPage {
    int32_t paperSize = 0;
    int32_t paperWidth = 0;  // tenths of a millimetre
    int32_t paperHeight = 0;
    std::string designPage;  // the design page that added it
    std::vector<RecordedObject> objects;
};

class PageRecorder final : public PreparedSink {
  public:
    void Clear() override { pages_.clear(); }
    void AddPage(const Page& designPage) override;
    void WriteObject(int pageIndex, View& object) override;
    int PageCount() const override { return static_cast<int>(pages_.size()); }

    const std::vector<RecordedPage>& Pages() const { return pages_; }
    // The texts of the objects of one page in writing order, lines joined by '|'.
    std::vector<std::string> Texts(int pageIndex) const;

    // One line "page N" per page, then one line per object:
    // "  NAME LEFT,TOP WIDTHxHEIGHT: TEXT" with the text's lines joined by '|'
    // (Windows-1252, LF line ends).
    std::string Listing() const;

  private:
    std::vector<RecordedPage> pages_;
};

}  // namespace report
