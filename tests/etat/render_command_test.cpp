#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "report/core/base/text.h"
#include "report/core/engine/engine.h"
#include "report/core/model/line_view.h"
#include "report/core/model/memo_view.h"
#include "report/core/model/report.h"
#include "report/core/prepared/prepared_file.h"
#include "report/core/prepared/prepared_pages.h"
#include "tools/etat/command.h"

namespace {

namespace fs = std::filesystem;

int RunCommand(const std::vector<std::string>& args) {
    for (const etat::CommandInfo& command : etat::Commands()) {
        if (command.name == "render") return command.run(args);
    }
    ADD_FAILURE() << "no command render";
    return -1;
}

std::unique_ptr<report::MemoView> Text(const std::string& text, int32_t left, int32_t top) {
    auto memo = std::make_unique<report::MemoView>();
    memo->name = "Memo";
    memo->left = left;
    memo->top = top;
    memo->width = 300;
    memo->height = 24;  // room for a 14-point line with its descenders
    memo->font.size = 14;
    memo->expandedMemo = {text};
    return memo;
}

// Three A4 pages: a title and a match on the first, a framed text on the second (laid out
// without margins), a line on the third.
std::string WriteSample() {
    report::Engine engine(nullptr);
    report::Report report(engine.Model());
    report::Page& templatePage = report.AddPage();
    report::PreparedPages store(report);
    store.AppendPage(templatePage, 0);
    store.AppendObject(0, *Text("Tirage au sort", 40, 40));
    store.AppendObject(0, *Text("\xC9quipe A - \xC9quipe B", 40, 70));  // Windows-1252
    templatePage.marginsActive = 0;
    templatePage.leftMargin = 25;
    store.AppendPage(templatePage, 1);
    auto framed = Text("Seconde page", 40, 40);
    framed->frameTyp = 15;
    framed->fillColor = 0xE0E0E0;
    store.AppendObject(1, *framed);
    store.AppendPage(templatePage, 2);
    report::LineView line;
    line.left = 40;
    line.top = 100;
    line.width = 400;
    line.height = 1;
    line.frameWidth = 3;
    store.AppendObject(2, line);
    const std::string path = ::testing::TempDir() + "/etat_render_rendu.etp";
    report::SavePreparedFile(store, path);
    return path;
}

std::string Output(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return out;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
    pclose(pipe);
    return out;
}

int DarkPixels(const QImage& image) {
    int dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) ++dark;
    return dark;
}

std::vector<std::string> FileNames(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(RenderCommand, WritesOnePngPerPageAtTheResolution) {
    const std::string etp = WriteSample();
    struct Case {
        std::vector<std::string> options;
        std::vector<std::string> files;
        int width, height;  // A4, 210 x 297 mm, at the resolution
    } cases[] = {
        {{}, {"page-001.png", "page-002.png", "page-003.png"}, 794, 1123},
        {{"--dpi", "150"}, {"page-001.png", "page-002.png", "page-003.png"}, 1240, 1754},
        {{"--pages", "1,3"}, {"page-001.png", "page-003.png"}, 794, 1123},
        {{"--pages", "2-", "--dpi", "72"}, {"page-002.png", "page-003.png"}, 595, 842},
    };
    int index = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(index);
        const fs::path folder =
            fs::path(::testing::TempDir()) / ("etat_render_png" + std::to_string(index++));
        fs::remove_all(folder);
        std::vector<std::string> args = {etp, "--png", folder.string()};
        args.insert(args.end(), c.options.begin(), c.options.end());
        ASSERT_EQ(RunCommand(args), 0);
        EXPECT_EQ(FileNames(folder), c.files);
        for (const std::string& name : c.files) {
            SCOPED_TRACE(name);
            const QImage image(QString::fromStdString((folder / name).string()));
            ASSERT_FALSE(image.isNull());
            EXPECT_EQ(image.width(), c.width);
            EXPECT_EQ(image.height(), c.height);
            EXPECT_EQ(qGray(image.pixel(0, 0)), 255);  // white paper
            EXPECT_GT(DarkPixels(image), 20);          // and something drawn on it
        }
    }
}

TEST(RenderCommand, TheFirstPageShowsItsTextsNearTheirPlace) {
    const std::string etp = WriteSample();
    const fs::path folder = fs::path(::testing::TempDir()) / "etat_render_png-place";
    fs::remove_all(folder);
    ASSERT_EQ(RunCommand({etp, "--png", folder.string(), "--pages", "1"}), 0);
    const QImage image(QString::fromStdString((folder / "page-001.png").string()));
    ASSERT_FALSE(image.isNull());
    // the title's box: design pixels (40, 40, 340, 60) at 96 / 91.6 output pixels each
    const auto darkIn = [&](int left, int top, int right, int bottom) {
        int dark = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                if (qGray(image.pixel(x, y)) < 128) ++dark;
        return dark;
    };
    EXPECT_GT(darkIn(42, 42, 356, 63), 50);
    EXPECT_EQ(darkIn(0, 0, 40, 40), 0);       // nothing above nor left of it
    EXPECT_EQ(darkIn(400, 0, 794, 1123), 0);  // nor right of the texts
    EXPECT_EQ(darkIn(0, 120, 794, 1123), 0);  // nor below them
}

TEST(RenderCommand, WritesAPdfWithSelectableEmbeddedText) {
    const std::string etp = WriteSample();
    const std::string pdf = ::testing::TempDir() + "/etat_render_rendu.pdf";
    fs::remove(pdf);
    ASSERT_EQ(RunCommand({etp, "--pdf", pdf}), 0);
    const std::string text = Output("pdftotext -layout '" + pdf + "' - 2>&1");
    for (const char* expected : {"Tirage au sort", "Équipe A - Équipe B", "Seconde page"}) {
        SCOPED_TRACE(expected);
        EXPECT_NE(text.find(expected), std::string::npos) << text;
    }
    const std::string info = Output("pdfinfo '" + pdf + "' 2>&1");
    EXPECT_NE(info.find("Pages:           3"), std::string::npos) << info;
    EXPECT_NE(info.find("595 x 842 pts (A4)"), std::string::npos) << info;
    // every font listed is embedded: its column "emb", fifth from the end, says "yes"
    const std::string fonts = Output("pdffonts '" + pdf + "' 2>&1");
    EXPECT_NE(fonts.find("Liberation"), std::string::npos) << fonts;
    std::istringstream lines(fonts);
    std::string line;
    int listed = 0;
    for (int row = 0; std::getline(lines, line); ++row) {
        if (row < 2) continue;  // the heading and its rule
        std::istringstream words(line);
        std::vector<std::string> columns;
        for (std::string word; words >> word;)
            columns.push_back(word);
        if (columns.size() < 6) continue;
        ++listed;
        EXPECT_EQ(columns[columns.size() - 5], "yes") << line;
    }
    EXPECT_GT(listed, 0) << fonts;
}

TEST(RenderCommand, ErrorsAreFrenchWithStatusOne) {
    const std::string etp = WriteSample();
    const std::string folder = ::testing::TempDir() + "/etat_render_png-errors";
    struct Case {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{etp}, "usage : etat render"},
        {{etp, "--png", folder, "--pdf", "x.pdf"}, "usage : etat render"},
        {{etp, "--pdf", "x.pdf", "--dpi", "150"}, "usage : etat render"},
        {{etp, "--png", folder, "--dpi", "0"}, "résolution incorrecte : 0"},
        {{etp, "--png", folder, "--dpi", "abc"}, "résolution incorrecte : abc"},
        {{::testing::TempDir() + "/etat_render_absent.etp", "--png", folder},
         "Impossible d'ouvrir le fichier"},
        {{etp, "--png", folder, "--pages", "7"}, "7"},
        {{etp, "--png", folder, "--pages", "x"},
         "'x' n'est pas une valeur enti\xC3\xA8re correcte"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        ::testing::internal::CaptureStderr();
        int status = -1;
        std::string message;
        try {
            status = RunCommand(c.args);
        } catch (const std::exception& error) {  // main() prints these
            status = 1;
            message = report::Cp1252ToUtf8(error.what());
        }
        message = ::testing::internal::GetCapturedStderr() + message;
        EXPECT_EQ(status, 1);
        EXPECT_NE(message.find(c.message), std::string::npos) << message;
    }
}

}  // namespace
