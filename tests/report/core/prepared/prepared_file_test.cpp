#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>

#include "report/core/base/engine_stream.h"
#include "report/core/base/errors.h"
#include "report/core/model/picture_view.h"
#include "report/core/prepared/compressor.h"
#include "report/core/prepared/page_data.h"
#include "report/core/prepared/prepared_file.h"
#include "report/core/prepared/prepared_file_error.h"
#include "report/core/prepared/prepared_pages.h"
#include "tests/report/core/prepared/prepared_fixtures.h"

namespace {

using prepared_fixtures::Bench;
using report::EngineStream;
using report::PreparedPages;

std::string Write(const PreparedPages& store) {
    EngineStream s;
    store.WriteToStream(s);
    return s.TakeBytes();
}

void Read(PreparedPages& store, const std::string& bytes) {
    EngineStream s(bytes);
    store.ReadFromStream(s);
}

void PutInt32(std::string& bytes, size_t offset, int32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<char>((static_cast<uint32_t>(value) >> (8 * i)) & 0xFF);
}

// Where the page count and the first page entry of the version-24 fixture lie.
size_t CountOffset() {
    return 2 + 2 + report::Printer::VirtualPrinterName().size() + 1;
}
size_t FirstEntry() {
    return CountOffset() + 4;
}
constexpr size_t kEntryHeader = 36;

TEST(PreparedFile, WrittenFileReadsBackByteForByte) {
    Bench bench;
    const std::string file = prepared_fixtures::Version24File();
    PreparedPages store(*bench.report);
    Read(store, file);
    EXPECT_EQ(Write(store), file);

    PreparedPages again(*bench.report);
    Read(again, Write(store));
    ASSERT_EQ(again.PageCount(), 2);
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(again.PageAt(i).pageData, store.PageAt(i).pageData);
    }
}

TEST(PreparedFile, ReadsTheFieldsOfVersion24) {
    Bench bench;
    PreparedPages store(*bench.report);
    Read(store, prepared_fixtures::Version24File());
    EXPECT_EQ(store.FileVersion(), 24);
    EXPECT_EQ(store.FileCompressionFlag(), 0);
    EXPECT_EQ(store.FilePrinterName(), report::Printer::VirtualPrinterName());
    ASSERT_EQ(store.PageCount(), 2);
    const report::PreparedPage& second = store.PageAt(1);
    EXPECT_EQ(second.paperWidth, 2970);
    EXPECT_EQ(second.orientation, 1);
    EXPECT_EQ(second.paperBin, 7);
    EXPECT_FALSE(second.marginsActive);
    EXPECT_EQ(second.margins, (report::PageMargins{10, 20, 30, 40}));
    EXPECT_GT(second.metrics.pageWidth, second.metrics.pageHeight);  // recomputed, landscape
    EXPECT_EQ(second.pageData, prepared_fixtures::SamplePageData());
}

TEST(PreparedFile, TransientFieldsAreNotCarried) {
    Bench bench;
    PreparedPages store(*bench.report);
    Read(store, prepared_fixtures::Version24File());
    report::PreparedPage& page = store.PageAt(0);
    page.screenRect = report::IntRect{1, 2, 3, 4};
    page.visible = true;
    store.LivePage(0);
    const report::PageMetrics computed = page.metrics;
    page.metrics = report::PageMetrics{};
    PreparedPages back(*bench.report);
    Read(back, Write(store));
    EXPECT_EQ(back.PageAt(0).screenRect, report::IntRect{});
    EXPECT_FALSE(back.PageAt(0).visible);
    EXPECT_FALSE(back.PageAt(0).livePage);
    EXPECT_EQ(back.PageAt(0).metrics, computed);
}

TEST(PreparedFile, FileWithoutVersionByteHasDefaultBinAndNoMargins) {
    Bench bench;
    PreparedPages store(*bench.report);
    Read(store, prepared_fixtures::NoVersionFile());
    EXPECT_EQ(store.FileVersion(), 0);
    ASSERT_EQ(store.PageCount(), 2);
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(store.PageAt(i).paperBin, -1);
        EXPECT_EQ(store.PageAt(i).margins, report::PageMargins{});
        EXPECT_EQ(store.PageAt(i).pageData, prepared_fixtures::SamplePageData());
    }
    EXPECT_TRUE(store.PageAt(0).marginsActive);
    EXPECT_FALSE(store.PageAt(1).marginsActive);
    EXPECT_EQ(store.LivePage(1).ObjectAt(0).expandedMemo, report::StringList{"\xC9quipe A"});
}

TEST(PreparedFile, PicturePagesShowOneMetafileOverTheSheet) {
    Bench bench;
    PreparedPages store(*bench.report);
    Read(store, prepared_fixtures::PicturePagesFile());
    EXPECT_EQ(store.FilePrinterName(), report::Printer::VirtualPrinterName());
    ASSERT_EQ(store.PageCount(), 1);
    const report::PreparedPage& page = store.PageAt(0);
    EXPECT_EQ(page.paperBin, -1);
    EXPECT_EQ(page.pageData[0], '\x18');
    report::Page& live = store.LivePage(0);
    ASSERT_EQ(live.ObjectCount(), 1u);
    const auto& picture = dynamic_cast<const report::PictureView&>(live.ObjectAt(0));
    EXPECT_EQ(picture.left, 0);
    EXPECT_EQ(picture.top, 0);
    EXPECT_EQ(picture.width, page.metrics.pageWidth);
    EXPECT_EQ(picture.height, page.metrics.pageHeight);
    EXPECT_EQ(picture.picture.kind, report::GraphicKind::Metafile);
    EXPECT_EQ(picture.picture.data, prepared_fixtures::TinyMetafile());
}

// A store holding one known page, to see that a refused file leaves it alone.
struct Guarded {
    Bench bench;
    PreparedPages store{*bench.report};
    Guarded() {
        bench.templatePage->width = 1234;
        store.InsertPage(0, *bench.templatePage);
        store.PageAt(0).pageData = prepared_fixtures::SamplePageData();
    }
    void ExpectUntouched() const {
        ASSERT_EQ(store.PageCount(), 1);
        EXPECT_EQ(store.PageAt(0).paperWidth, 1234);
        EXPECT_EQ(store.PageAt(0).pageData, prepared_fixtures::SamplePageData());
        EXPECT_EQ(bench.report->printerName, "");
    }
};

TEST(PreparedFile, EveryTruncationIsRefusedAndLeavesTheStore) {
    const std::function<std::string()> files[] = {
        [] { return prepared_fixtures::Version24File(); },
        [] { return prepared_fixtures::NoVersionFile(); },
        [] { return prepared_fixtures::PicturePagesFile(); },
    };
    for (const auto& make : files) {
        const std::string file = make();
        for (size_t length = 0; length < file.size(); ++length) {
            SCOPED_TRACE(length);
            Guarded guarded;
            EXPECT_THROW(Read(guarded.store, file.substr(0, length)), report::PreparedFileError);
            guarded.ExpectUntouched();
        }
    }
}

TEST(PreparedFile, DamagedFilesGetAClearMessage) {
    const std::string good = prepared_fixtures::Version24File();
    const size_t second = static_cast<size_t>(static_cast<unsigned char>(good[FirstEntry()])) |
                          static_cast<size_t>(static_cast<unsigned char>(good[FirstEntry() + 1]))
                              << 8;
    struct Case {
        const char* what;
        std::function<void(std::string&)> damage;
        const char* message;
    } cases[] = {
        {"no page", [](std::string& f) { PutInt32(f, CountOffset(), 0); }, "nombre de pages"},
        {"negative count", [](std::string& f) { PutInt32(f, CountOffset(), -1); },
         "nombre de pages incorrect (-1)"},
        {"huge count", [](std::string& f) { PutInt32(f, CountOffset(), 0x7FFFFFFF); },
         "nombre de pages"},
        {"one page too many", [](std::string& f) { PutInt32(f, CountOffset(), 3); },
         "incomplet : la page 3"},
        {"end offset inside the entry header",
         [](std::string& f) { PutInt32(f, FirstEntry(), static_cast<int32_t>(FirstEntry() + 3)); },
         "page 1"},
        {"end offset going back", [](std::string& f) { PutInt32(f, FirstEntry(), 2); }, "page 1"},
        {"end offset past the file",
         [](std::string& f) { PutInt32(f, FirstEntry(), static_cast<int32_t>(f.size() + 1)); },
         "incomplet : la page 1"},
        {"unknown object type", [](std::string& f) { f[FirstEntry() + kEntryHeader + 1] = 7; },
         "page 1"},
        {"record cut short by the next page",
         [&](std::string& f) { PutInt32(f, FirstEntry(), static_cast<int32_t>(second - 5)); },
         "endommag"},
        {"compressed", [](std::string& f) { f[1] = 1; }, "compress"},
        {"no printer name", [](std::string& f) { f.resize(4); }, "pas un \xE9tat pr\xE9par\xE9"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string file = good;
        c.damage(file);
        Guarded guarded;
        try {
            Read(guarded.store, file);
            ADD_FAILURE() << "read without error";
        } catch (const report::PreparedFileError& error) {
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
        }
        guarded.ExpectUntouched();
    }
}

TEST(PreparedFile, UnknownAddInClassIsNamed) {
    Bench bench;
    PreparedPages store(*bench.report);
    store.AppendPage(*bench.templatePage, 0);
    EngineStream data(report::EmptyPageData());
    data.Seek(1);
    report::WriteU8(data, 10);
    report::WriteString(data, "ChartView");
    store.PageAt(0).pageData = data.TakeBytes();
    const std::string file = Write(store);
    Guarded guarded;
    try {
        Read(guarded.store, file);
        ADD_FAILURE() << "read without error";
    } catch (const report::PreparedFileError& error) {
        EXPECT_NE(std::string(error.what()).find("ChartView"), std::string::npos);
    }
    guarded.ExpectUntouched();
    EXPECT_THROW(store.ExpandPage(0), report::PreparedFileError);
    EXPECT_FALSE(store.PageAt(0).livePage);
}

// Stores page data backwards: enough to see the data go through it both ways.
class Reverser : public report::Compressor {
  public:
    bool Enabled() const override { return true; }
    void Compress(EngineStream& in, EngineStream& out) override {
        out.Write(std::string(in.Bytes().rbegin(), in.Bytes().rend()));
    }
    void Decompress(EngineStream& in, EngineStream& out) override { Compress(in, out); }
};

TEST(PreparedFile, AnInstalledCompressorIsUsedBothWays) {
    Bench bench;
    Reverser reverser;
    PreparedPages store(*bench.report);
    store.SetCompressor(&reverser);
    store.AppendPage(*bench.templatePage, 0);
    store.PageAt(0).pageData = prepared_fixtures::SamplePageData();
    const std::string file = Write(store);
    EXPECT_EQ(file[1], 1);
    const std::string data = store.PageAt(0).pageData;
    EXPECT_NE(file.find(std::string(data.rbegin(), data.rend())), std::string::npos);

    PreparedPages back(*bench.report);
    back.SetCompressor(&reverser);
    Read(back, file);
    EXPECT_EQ(back.PageAt(0).pageData, data);
    back.SetCompressor(nullptr);  // the disabled one again
    EXPECT_THROW(Read(back, file), report::PreparedFileError);
}

TEST(PreparedFile, FilesOnDisk) {
    Bench bench;
    PreparedPages store(*bench.report);
    Read(store, prepared_fixtures::Version24File());
    const std::string path = ::testing::TempDir() + "/pages.etp";
    report::SavePreparedFile(store, path);
    PreparedPages back(*bench.report);
    report::OpenPreparedFile(back, path);
    EXPECT_EQ(Write(back), Write(store));

    Guarded guarded;
    EXPECT_THROW(report::OpenPreparedFile(guarded.store, path + ".absent"), report::FileOpenError);
    guarded.ExpectUntouched();
    EXPECT_THROW(report::SavePreparedFile(store, "/nonexistent-folder/pages.etp"),
                 report::FileCreateError);
}

std::string ReadSeed(const std::string& name) {
    const char* root = std::getenv("TOMBAGE_SOURCE_DIR");
    std::ifstream file(std::string(root != nullptr ? root : ".") + "/fuzz/seeds/prepared/" + name,
                       std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

// The fuzz seeds are these fixtures; TOMBAGE_WRITE_SEEDS=1 writes them anew.
TEST(PreparedFile, FuzzSeedsAreTheFixtures) {
    Bench bench;
    const std::pair<std::string, std::string> seeds[] = {
        {"v24.etp", prepared_fixtures::Version24File()},
        {"no_version.etp", prepared_fixtures::NoVersionFile()},
        {"pictures.etp", prepared_fixtures::PicturePagesFile()},
    };
    const char* write = std::getenv("TOMBAGE_WRITE_SEEDS");
    for (const auto& [name, bytes] : seeds) {
        SCOPED_TRACE(name);
        if (write != nullptr && std::string(write) == "1") {
            const char* root = std::getenv("TOMBAGE_SOURCE_DIR");
            ASSERT_NE(root, nullptr);
            std::ofstream(std::string(root) + "/fuzz/seeds/prepared/" + name, std::ios::binary)
                << bytes;
        }
        EXPECT_EQ(ReadSeed(name), bytes);
    }
}

}  // namespace
