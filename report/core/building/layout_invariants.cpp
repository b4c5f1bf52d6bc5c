#include "report/core/building/layout_invariants.h"

#include <algorithm>
#include <climits>
#include <functional>
#include <set>
#include <utility>

#include "report/core/base/band_type.h"
#include "report/core/building/page_recorder.h"
#include "report/core/model/band_view.h"
#include "report/core/model/page.h"
#include "report/core/model/report.h"

namespace report {
namespace {

namespace bt = band_type;

bool KeepsOwnPosition(int kind) {
    return kind == bt::kOverlay || kind == bt::kNone;
}

// Bands that may stand above the first band of the page's own content.
bool PrintsAtPageTop(int kind) {
    return KeepsOwnPosition(kind) || kind == bt::kPageHeader || kind == bt::kColumnHeader ||
           kind == bt::kMasterHeader || kind == bt::kDetailHeader || kind == bt::kSubDetailHeader ||
           kind == bt::kGroupHeader;
}

std::string Describe(size_t page, const RecordedObject& object) {
    return "page " + std::to_string(page + 1) + ": " + object.name + " (band " +
           (object.bandName.empty() ? std::string("none") : object.bandName) + ", kind " +
           std::to_string(object.bandKind) + ")";
}

bool SamePlacement(const RecordedObject& a, const RecordedObject& b) {
    return a.bandName == b.bandName && a.bandKind == b.bandKind && a.bandTop == b.bandTop;
}

void CheckPositions(const PageRecorder& pages, const LayoutCheck& check,
                    std::vector<std::string>& out) {
    const auto& recorded = pages.Pages();
    for (size_t p = 0; p < recorded.size(); ++p) {
        const auto& objects = recorded[p].objects;
        for (size_t i = 0; i < objects.size(); ++i) {
            const RecordedObject& object = objects[i];
            if (object.bandKind < 0 || KeepsOwnPosition(object.bandKind)) continue;
            const std::string& pageName =
                object.designPage.empty() ? recorded[p].designPage : object.designPage;
            const auto found = check.geometry.find(pageName);
            if (found == check.geometry.end()) continue;
            const PageGeometry& g = found->second;
            // A page with no room at all (a paper of no height) cannot be held to the rules.
            if (g.bottom - g.footerHeight <= g.top) continue;
            if (object.top < g.top)
                out.push_back(Describe(p, object) + " starts at " + std::to_string(object.top) +
                              ", above the printable top " + std::to_string(g.top));
            const bool footer = object.bandKind == bt::kPageFooter;
            const int limit = footer ? g.bottom : g.bottom - g.footerHeight;
            const int bottom =
                std::min(object.top + object.height, object.bandTop + object.bandHeight);
            if (bottom <= limit) continue;
            if (!footer && object.bandHeight > limit - g.top) {
                bool fresh = true;
                for (size_t j = 0; j < i && fresh; ++j)
                    fresh =
                        PrintsAtPageTop(objects[j].bandKind) || SamePlacement(objects[j], object);
                if (fresh) continue;
            }
            out.push_back(Describe(p, object) + " reaches " + std::to_string(bottom) +
                          (footer ? ", below the printable bottom "
                                  : ", below the bottom above the page footer ") +
                          std::to_string(limit));
        }
    }
}

void CheckPageStarts(const PageRecorder& pages, const std::vector<BuildWatch::PageStart>& starts,
                     std::vector<std::string>& out) {
    // The last pass starts where a page was announced as the only one.
    size_t first = 0;
    for (size_t i = 0; i < starts.size(); ++i) {
        const auto& s = starts[i];
        if (s.index != s.pageCount - 1)
            out.push_back("OnBeginPage(" + std::to_string(s.index) + ") while " +
                          std::to_string(s.pageCount) + " pages were prepared");
        if (s.pageCount == 1) first = i;
    }
    int expected = 0;
    for (size_t i = first; i < starts.size(); ++i, ++expected) {
        if (starts[i].index != expected) {
            out.push_back("OnBeginPage(" + std::to_string(starts[i].index) + ") where page " +
                          std::to_string(expected) + " was due");
            return;
        }
    }
    if (expected != pages.PageCount())
        out.push_back(std::to_string(expected) + " pages announced by OnBeginPage, " +
                      std::to_string(pages.PageCount()) + " prepared");
}

void CheckRecords(const PageRecorder& pages, const LayoutCheck& check,
                  std::vector<std::string>& out) {
    // Per master data band: the record of its latest write, and every record seen.
    std::map<std::string, int> current;
    std::map<std::string, std::set<int>> seen;
    std::set<std::pair<std::string, int>> reported;
    const auto& recorded = pages.Pages();
    for (size_t p = 0; p < recorded.size(); ++p) {
        for (const RecordedObject& object : recorded[p].objects) {
            if (object.bandKind != bt::kMasterData || object.record < 0) continue;
            auto [at, added] = current.try_emplace(object.bandName, object.record);
            if (!added && at->second == object.record) continue;
            at->second = object.record;
            if (!seen[object.bandName].insert(object.record).second &&
                reported.insert({object.bandName, object.record}).second)
                out.push_back(Describe(p, object) + " prints record " +
                              std::to_string(object.record) + " a second time");
        }
    }
    for (const auto& [band, count] : check.completeBands) {
        const std::set<int>& printed = seen[band];
        for (int record = 0; record < count; ++record)
            if (printed.count(record) == 0)
                out.push_back("band " + band + " never prints record " + std::to_string(record));
    }
}

}  // namespace

std::map<std::string, PageGeometry> PageGeometries(const Report& report) {
    std::map<std::string, PageGeometry> geometry;
    for (const auto& page : report.pages) {
        const IntRect area = page->PrintableArea();
        PageGeometry g{area.top, area.bottom, 0};
        int footerTop = INT_MAX;
        for (const auto& object : page->Objects()) {
            const auto* band = dynamic_cast<const BandView*>(object.get());
            if (band == nullptr || band->BandTypeCode() != bt::kPageFooter) continue;
            if (band->top < footerTop) {
                footerTop = band->top;
                g.footerHeight = band->height;
            }
        }
        geometry.emplace(page->name, g);
    }
    return geometry;
}

void BuildWatch::Attach(Report& report) {
    std::function<void(int)> before = std::move(report.onBeginPage);
    report.onBeginPage = [this, before = std::move(before)](int index) {
        starts_.push_back({index, pages_.PageCount()});
        if (before) before(index);
    };
}

std::vector<std::string> LayoutViolations(const PageRecorder& pages, const LayoutCheck& check) {
    std::vector<std::string> out;
    CheckPositions(pages, check, out);
    if (check.pageStarts != nullptr) CheckPageStarts(pages, *check.pageStarts, out);
    CheckRecords(pages, check, out);
    return out;
}

}  // namespace report
