// Small prepared pages and prepared-report files of each layout, built byte by byte, for the
// tests of the store and for the fuzz seeds.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "report/core/model/memo_view.h"
#include "report/core/model/model_state.h"
#include "report/core/model/report.h"

namespace prepared_fixtures {

// An engine on the virtual printer, and a report with one A4 template page.
struct Bench {
    Bench();
    report::ModelState state;
    std::unique_ptr<report::Report> report;
    report::Page* templatePage = nullptr;
};

// A text object holding its finished text, at (left, top) with the given size.
std::unique_ptr<report::MemoView> Memo(const std::string& text, int left, int top, int width,
                                       int height);

// Page data: the version byte, then a text "Équipe A" and a line, as a build writes them.
std::string SamplePageData();

// A file of version 24 with two pages (the second without MarginsActive, landscape).
std::string Version24File();
// The same pages in the layout without a version byte: first byte the compression flag 0,
// no paper bin and no margins.
std::string NoVersionFile();
// The oldest layout: a printer name up to a NUL byte, then pages of one metafile each (one
// page of TinyMetafile when none are given).
std::string PicturePagesFile(const std::vector<std::string>& metafiles = {});
// A tiny enhanced metafile: its header record and its end record.
std::string TinyMetafile();
// An enhanced metafile of an A4 page at 96 dpi, as the oldest files hold them: a 12-point
// Arial font selected, then each text (Windows-1252) written at (96, 96 + 30 per line), and a
// line under them; `extraRecord` (a record type) is added empty before the end when not 0.
std::string PageMetafile(const std::vector<std::string>& lines, uint32_t extraRecord = 0);

}  // namespace prepared_fixtures
