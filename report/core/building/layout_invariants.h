// Layout rules that every build keeps, checked on the pages a PageRecorder kept. Tests and the
// build fuzz target run them after each build; each broken rule gives one readable line.
//
// The rules (positions in design pixels, on the prepared page):
//  1. Bottom: an object ends at or above the lowest line its band may reach: the printable
//     bottom of its design page less the page footer's height, or the printable bottom itself
//     for the page footer's own objects. Its end is the lower of its own bottom and its band's
//     drawn bottom (an object drawn taller than its band by design is not the build's doing).
//     Exempt: a band taller than the whole usable height, printed on a fresh page (nothing
//     before it on that page but overlay, page, column and repeated headers), which cannot
//     fit anywhere.
//  2. Top: no object starts above the printable top of its design page.
//     Objects of the Overlay band and of the None band keep their designed positions and are
//     exempt from 1 and 2. A sub-report page's objects are held to the geometry of the page
//     they print on. A page without room between its printable top and the page footer
//     (paper of no height) is held to neither.
//  3. Pages: each prepared page is announced by OnBeginPage with its own index, right after it
//     was added, once and in order: the last pass announces 0, 1, ... up to the page count - 1.
//  4. Records: the objects that a master data band writes for one record of its data source
//     form one unbroken run among that band's writes (a record printed twice starts a second
//     run). Bands named in `completeBands` must also print every record from 0 to the count
//     given (use it where no record may be left out: visible band, no empty detail dropped).
#pragma once

#include <map>
#include <string>
#include <vector>

namespace report {

class PageRecorder;
class Report;

struct PageGeometry {
    int top = 0;     // printable top
    int bottom = 0;  // printable bottom, page footer included
    int footerHeight = 0;
};

// The geometry of every page of the report, by page name. The page footer counted is the one
// the build uses: the first PageFooter band in top-to-bottom order.
std::map<std::string, PageGeometry> PageGeometries(const Report& report);

// Watches the report's page events during a build (rule 3). Attach before BuildReport; an
// OnBeginPage handler already set is still called. The watch must outlive the builds.
class BuildWatch {
  public:
    struct PageStart {
        int index;      // what OnBeginPage received
        int pageCount;  // prepared pages at that moment
    };
    explicit BuildWatch(const PageRecorder& pages) : pages_(pages) {}
    void Attach(Report& report);
    const std::vector<PageStart>& PageStarts() const { return starts_; }

  private:
    const PageRecorder& pages_;
    std::vector<PageStart> starts_;
};

struct LayoutCheck {
    std::map<std::string, PageGeometry> geometry;                    // by design page name
    const std::vector<BuildWatch::PageStart>* pageStarts = nullptr;  // rule 3 when given
    std::map<std::string, int> completeBands;  // master data band name -> record count
};

// Every broken rule, one line each ("page 2: ..."); empty when the layout is sound.
std::vector<std::string> LayoutViolations(const PageRecorder& pages, const LayoutCheck& check);

}  // namespace report
