// Where a build puts its prepared pages. The prepared-page store implements it; tests and
// `etat build --text` use the in-memory PageRecorder.
#pragma once

namespace report {

class Page;
class View;

class PreparedSink {
  public:
    virtual ~PreparedSink() = default;

    // Removes every prepared page.
    virtual void Clear() = 0;
    // Appends a prepared page carrying the design page's paper (size, width, height,
    // orientation, bin), margins flag, four margins and printer page information.
    virtual void AddPage(const Page& designPage) = 0;
    // Writes the object's prepared record into the prepared page `pageIndex` (0-based, below
    // PageCount()). The object stands at its output position, in design pixels from the page's
    // top left corner; a text object's ExpandedMemo holds its finished text.
    virtual void WriteObject(int pageIndex, View& object) = 0;
    virtual int PageCount() const = 0;
};

}  // namespace report
