// The store of prepared pages of one report: the finished pages that building produces, that
// the preview draws, the print job prints and the prepared-report file (".etp") keeps. A page
// off screen costs only its page data; its live objects exist between ExpandPage and
// ReleasePage.
//
// Everything runs on the user-interface thread; drawing, hit-testing and printing must not be
// entered again for the same store while one of them runs.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "report/core/base/engine_stream.h"
#include "report/core/prepared/prepared_page.h"

namespace report {

class Compressor;
class Page;
class Report;
class TextWidthMeasure;

class PreparedPages {
  public:
    // An empty store bound to the report, which receives the page events and whose engine
    // state (printer layer, object factory) the store uses. Not owned.
    explicit PreparedPages(Report& report);
    ~PreparedPages();
    PreparedPages(const PreparedPages&) = delete;
    PreparedPages& operator=(const PreparedPages&) = delete;

    Report& OwnerReport() const { return *report_; }

    int PageCount() const { return static_cast<int>(pages_.size()); }
    // ListIndexError when the index is out of range.
    PreparedPage& PageAt(int index) const;

    void ClearPages();
    // A blank page at the end (as InsertPage), then OnBeginPage(buildPageIndex) of the report
    // and, when it differs and has one, of the master report of a composite build.
    PreparedPage& AppendPage(const Page& templatePage, int buildPageIndex,
                             Report* masterReport = nullptr);
    // A blank page before page `index`, or at the end when index >= PageCount (or negative).
    // It takes the template page's paper, bin, MarginsActive, margins and metrics.
    PreparedPage& InsertPage(int index, const Page& templatePage);
    void RemovePage(int index);

    // Appends one object (its compact record, with its ExpandedMemo as text) to a page's data;
    // the building engine places objects this way.
    void AppendObject(int index, View& view);

    // Re-creates the live page from the page data (replacing a live page there was), settles
    // auto-width text objects when a measure is installed, and returns it. PreparedFileError
    // when the page data is damaged; the page then stays without live objects.
    Page& ExpandPage(int index);
    // The live page, expanded when needed.
    Page& LivePage(int index);
    // Frees the live objects of a page (drawing a page whose Visible is clear does this).
    void ReleasePage(int index);
    void ReleaseAllPages();
    // Rewrites the page data from the live page after it was edited: each object's template
    // lines become its stored text.
    void StorePage(int index);

    // The first step of drawing a page: a page whose Visible flag is clear is released and
    // nullptr returned (nothing is drawn); otherwise its live page, expanded when needed.
    // DrawPage then maps the page with DrawScaleOf and skips, on screen, objects whose
    // GrownCanvasRect misses the clipping region (page_geometry.h).
    Page* PageToDraw(int index);

    // Finds the topmost object (the last in the page data) under a sheet point, in design
    // pixels from the sheet's top-left corner, mapped by the page's MarginsActive. A hit fires
    // OnObjectClick (click) or OnMouseOverObject (the handler may change `cursor`) of the
    // report and gives true; no hit, or no handler for it, gives false.
    bool HitTest(int index, int32_t x, int32_t y, bool click, int& cursor);

    // Replaces the content with the pages of a prepared-report file: version 24 (and up to
    // 31), files without a version byte, and picture pages of one metafile each. The printer
    // named in the file is selected and each page's metrics recomputed for it. A damaged file
    // raises PreparedFileError and leaves the store (and the printer) as they were.
    void ReadFromStream(EngineStream& s);
    // Writes a prepared-report file (version 24, page data through the compressor when it is
    // enabled). The store should hold pages: an empty store writes a file no reader takes.
    void WriteToStream(EngineStream& s) const;

    // The fields of the file last read: its version (0 for files without a version byte),
    // compression flag and printer name.
    int FileVersion() const { return fileVersion_; }
    uint8_t FileCompressionFlag() const { return fileCompressionFlag_; }
    const std::string& FilePrinterName() const { return filePrinterName_; }

    // Whether the pages are a build's own, which a change of printer may build again; a store
    // that a file was read into holds that file's pages and is printed as it is.
    bool CanRebuild() const { return canRebuild_; }
    // Whether the file last read was of the oldest layout: each page one metafile picture.
    bool HoldsPicturePages() const { return picturePages_; }
    void SetCanRebuild(bool canRebuild) { canRebuild_ = canRebuild; }

    // Not owned; the disabled compressor until one is installed (nullptr restores it).
    void SetCompressor(Compressor* compressor);
    // Not owned; without one, auto-width objects keep their stored size.
    void SetTextWidthMeasure(TextWidthMeasure* measure) { measure_ = measure; }

  private:
    struct FilePages;
    FilePages ReadObjectPages(EngineStream& s, int version, uint8_t flag) const;
    FilePages ReadPicturePages(EngineStream& s) const;
    void Adopt(FilePages& file);

    Report* report_;
    Compressor* compressor_;
    TextWidthMeasure* measure_ = nullptr;
    std::vector<std::unique_ptr<PreparedPage>> pages_;
    bool canRebuild_ = false;
    bool picturePages_ = false;
    int fileVersion_ = 0;
    uint8_t fileCompressionFlag_ = 0;
    std::string filePrinterName_;
};

}  // namespace report
