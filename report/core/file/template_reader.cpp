#include "report/core/file/template_reader.h"

#include <string>

#include "report/core/base/dialogs.h"
#include "report/core/base/engine_strings.h"
#include "report/core/base/errors.h"
#include "report/core/base/text.h"
#include "report/core/file/file_texts.h"
#include "report/core/model/model_state.h"
#include "report/core/model/name_generator.h"
#include "report/core/model/report.h"
#include "report/core/model/view.h"

namespace report {
namespace {

constexpr uint8_t kPageSection = 255;
constexpr uint8_t kDictionarySection = 254;
constexpr uint8_t kExtensionSection = 253;
constexpr uint8_t kLastObjectType = 10;
constexpr char kVirtualPrinterMark[] = "\x01";

// An add-in class that no registry entry provides.
class ClassNotFoundError : public EngineError {
  public:
    ClassNotFoundError() : EngineError("class not found") {}
};

// A section byte the format does not know.
class UnknownSectionError : public EngineError {
  public:
    UnknownSectionError() : EngineError(EngineText(file_text::kUnsupportedFormat)) {}
};

void ShowError(const std::string& text) {
    Dialogs().ShowMessage(text, EngineText(text_id::kErrorCaption), mb::kOk | mb::kIconError);
}

class Reader {
  public:
    Reader(Report& report, EngineStream& s) : report_(report), s_(s) {}

    TemplateLoadOutcome Run();

  private:
    void ReadBody();
    void ReadObject(uint8_t type, size_t sectionStart);
    void SeekToEnd(int32_t end, size_t sectionStart);

    Report& report_;
    EngineStream& s_;
    int version_ = kCurrentStreamVersion;
    bool classNotFound_ = false;
    std::string missingClasses_;
};

TemplateLoadOutcome Reader::Run() {
    report_.State().WaitForPrinter();
    report_.dictionary.ClearDictionary();
    if (s_.Remaining() == 0) return TemplateLoadOutcome::Empty;
    const size_t start = s_.Position();
    uint8_t version = 0;
    ReadU8(s_, version);
    version_ = version;
    if (version_ <= 20) {
        // No version byte: the first byte already belongs to the report header.
        version_ = 21;
        s_.Seek(start);
    }
    classNotFound_ = false;
    missingClasses_.clear();
    if (version_ > kCurrentStreamVersion) {
        ShowError(EngineText(file_text::kUnsupportedFormat));
        return TemplateLoadOutcome::Unsupported;
    }
    try {
        ReadBody();
    } catch (const ClassNotFoundError&) {
        ShowError(FormatMessage(EngineText(file_text::kNotPlugged), {missingClasses_}));
        return TemplateLoadOutcome::MissingClasses;
    } catch (const EngineError&) {
        ShowError(EngineText(file_text::kUnsupportedFormat));
        report_.pages.Clear();
        report_.AddPage();
        return TemplateLoadOutcome::Unsupported;
    }
    return TemplateLoadOutcome::Loaded;
}

// Points the report at the reader's name generators for the duration of a load.
class NameScope {
  public:
    explicit NameScope(Report& report) : report_(report) {
        report_.objectNames = &objects_;
        report_.pageNames = &pages_;
    }
    ~NameScope() {
        report_.objectNames = nullptr;
        report_.pageNames = nullptr;
    }
    NameScope(const NameScope&) = delete;
    NameScope& operator=(const NameScope&) = delete;

  private:
    Report& report_;
    NameGenerator objects_;
    NameGenerator pages_;
};

void Reader::ReadBody() {
    NameScope names(report_);
    report_.pages.Clear();
    report_.dictionary.ClearDictionary();
    ReadU16(s_, report_.ignoreStoredPrinter);
    ReadU16(s_, report_.twoPass);
    std::string printer = ReadString(s_, version_);
    if (printer == kVirtualPrinterMark) printer = Printer::VirtualPrinterName();
    report_.SelectPrinterByName(printer);

    while (s_.Position() < s_.Size()) {
        const size_t sectionStart = s_.Position();
        uint8_t section = 0;
        ReadU8(s_, section);
        if (section == kPageSection) {
            Page& page = report_.AddPage();
            page.LoadPageRecord(s_, version_);
            report_.pageNames->Add(page.name);
        } else if (section == kDictionarySection) {
            report_.dictionary.LoadDictionary(s_, version_);
        } else if (section == kExtensionSection) {
            break;  // no extension handler: the rest belongs to nobody
        } else if (section > kLastObjectType) {
            throw UnknownSectionError();
        } else {
            ReadObject(section, sectionStart);
        }
    }
    if (classNotFound_) throw ClassNotFoundError();
    for (const auto& page : report_.pages) {
        for (const auto& view : page->Objects())
            view->AfterLoad();
    }
}

void Reader::SeekToEnd(int32_t end, size_t sectionStart) {
    // An end position that does not lie after the record's start would read the same bytes
    // again for ever; such a position is ignored.
    if (end != 0 && end > 0 && static_cast<size_t>(end) > sectionStart)
        s_.Seek(static_cast<size_t>(end));
}

void Reader::ReadObject(uint8_t type, size_t sectionStart) {
    int32_t end = 0;
    bool endRead = false;
    try {
        std::string className;
        bool framedMemo = false;
        if (type == object_type::kAddIn) {
            className = ReadString(s_, version_);
            const std::string upper = UpperCase(className);
            if (upper == "BDELOOKUPCONTROL" || upper == "IBXLOOKUPCONTROL")
                className = "DBLookupControl";
            if (upper == "FRAMEDMEMOVIEW") {
                framedMemo = true;
                type = object_type::kMemo;
            }
        }
        uint8_t pageIndex = 0;
        ReadU8(s_, pageIndex);
        if (pageIndex >= report_.pages.Count()) throw ListIndexError(pageIndex);
        Page& page = report_.pages[pageIndex];
        std::unique_ptr<View> created = report_.State().factory.CreateViewByType(type, className);
        if (!created) {
            if (type == object_type::kAddIn) {
                missingClasses_ += className + "\r";
                classNotFound_ = true;
                throw ClassNotFoundError();
            }
            // Types 5 to 9: nothing to create; skip a well-formed record.
            if (version_ >= 24) {
                ReadI32(s_, end);
                SeekToEnd(end, sectionStart);
            }
            return;
        }
        View& view = page.Add(std::move(created));
        if (version_ >= 24) {
            ReadI32(s_, end);
            endRead = true;
        }
        try {
            view.ReadRecord(s_, version_);
        } catch (const EngineError&) {
            view.SetPropertyValue("Name", Variant::String(view.name));
            report_.objectNames->Add(view.name);
            throw;
        }
        view.SetPropertyValue("Name", Variant::String(view.name));
        report_.objectNames->Add(view.name);
        if (framedMemo) s_.Skip(8);
        SeekToEnd(end, sectionStart);
    } catch (const EngineError&) {
        if (version_ >= 24) {
            if (!endRead) ReadI32(s_, end);
            SeekToEnd(end, sectionStart);
        }
    }
}

}  // namespace

TemplateLoadOutcome ReadTemplate(Report& report, EngineStream& s) {
    return Reader(report, s).Run();
}

}  // namespace report
