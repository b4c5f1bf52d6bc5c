// The report component: its pages (which own their objects), its data dictionary, the printer
// it was saved with, and the published properties and events through which the host program
// drives it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "report/core/base/engine_stream.h"
#include "report/core/data/component.h"
#include "report/core/data/data_dictionary.h"
#include "report/core/model/page.h"

namespace report {

class Band;
class Dataset;
class ModelState;
class NameGenerator;
class View;

enum class PreviewZoom : uint8_t { pzDefault, pzPageWidth, pzOnePage, pzTwoPages };
enum class ReportType : uint8_t { rtSimple, rtMultiple };

// PreviewButtons bits.
namespace preview_button {
inline constexpr uint8_t pbZoom = 1;
inline constexpr uint8_t pbLoad = 2;
inline constexpr uint8_t pbSave = 4;
inline constexpr uint8_t pbPrint = 8;
inline constexpr uint8_t pbFind = 16;
inline constexpr uint8_t pbHelp = 32;
inline constexpr uint8_t pbExit = 64;
inline constexpr uint8_t pbPageSetup = 128;
}  // namespace preview_button

class Report : public Component {
  public:
    Report(ModelState& state, std::string name = "report1");
    ~Report() override;

    // ---- published properties ----
    Dataset* dataset = nullptr;  // master data fallback under rtSimple; not owned
    int32_t defaultCopies = 1;
    bool defaultCollate = true;
    bool grayedButtons = false;
    PreviewZoom initialZoom = PreviewZoom::pzDefault;
    bool mdiPreview = false;
    bool modalPreview = true;
    bool modifyPrepared = true;
    Component* preview = nullptr;  // external preview control; not owned
    uint8_t previewButtons = 127;  // all but pbPageSetup
    ReportType reportType = ReportType::rtSimple;
    bool showProgress = true;
    bool storeInForm = false;
    std::string title;

    // ---- events ----
    std::function<void()> onBeginDoc;
    std::function<void()> onEndDoc;
    std::function<void()> onPrintReport;
    std::function<void(int pageNumber)> onBeginPage;
    std::function<void(int pageNumber)> onEndPage;
    std::function<void(Band& band)> onBeginBand;
    std::function<void(Band& band)> onEndBand;
    std::function<void(Band& band)> onBeginColumn;
    std::function<void(const std::string& name, Variant& value)> onGetValue;
    std::function<void(StringList& memo, View& object)> onBeforePrint;
    std::function<void(const std::string& name, const Variant& p1, const Variant& p2,
                       const Variant& p3, Variant& result)>
        onUserFunction;
    std::function<void(int n)> onProgress;
    std::function<void(int column, int& width)> onPrintColumn;
    std::function<void(Page& page)> onManualBuild;
    std::function<void(View& object)> onObjectClick;
    std::function<void(View& object, int& cursor)> onMouseOverObject;

    // ---- internal fields ----
    PageList pages;
    DataDictionary dictionary;
    std::string printerName;
    uint16_t ignoreStoredPrinter = 0;
    uint16_t twoPass = 0;
    std::string fileName;  // "Sans_nom" until loaded or saved

    // While a template is read: the names in use, so that generating names stays linear.
    // Not owned; null otherwise.
    NameGenerator* objectNames = nullptr;
    NameGenerator* pageNames = nullptr;

    ModelState& State() const { return *state_; }

    // The form that holds the report: components named by bands are looked up there.
    void SetOwnerForm(ComponentOwner* form) { ownerForm_ = form; }
    ComponentOwner* OwnerForm() const { return ownerForm_; }
    Component* FindComponentByName(std::string_view name) const;

    // Appends a new report page (default paper).
    Page& AddPage();
    // The object named `name` on any page (compared without case), or nullptr.
    View* FindObject(std::string_view name) const;

    // Unless IgnoreStoredPrinter is set, selects the printer of exactly that name when the
    // printer layer knows it; remembers the name in every case.
    void SelectPrinterByName(const std::string& name);

  private:
    ModelState* state_;
    ComponentOwner* ownerForm_ = nullptr;
};

// Copies an object into another of the same kind: Name, ObjectType and the selected mark, then
// the source's template record through a memory stream (version 24).
void AssignView(View& target, View& source);

}  // namespace report
