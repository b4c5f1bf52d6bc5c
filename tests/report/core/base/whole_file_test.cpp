#include "report/core/base/whole_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "report/core/base/errors.h"
#include "report/core/base/message_path.h"

namespace report {
namespace {

using ::testing::ThrowsMessage;

class WholeFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = ::testing::TempDir() + "whole_file_XXXXXX";
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder_ = pattern + "/";
    }
    void TearDown() override {
        for (const std::string& path : created_)
            ::remove(path.c_str());
        ::rmdir(folder_.c_str());
    }

    std::string Path(const std::string& name) {
        created_.push_back(folder_ + name);
        return folder_ + name;
    }
    std::string Write(const std::string& name, const std::string& bytes) {
        const std::string path = Path(name);
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    std::string folder_;
    std::vector<std::string> created_;
};

TEST_F(WholeFileTest, ReadsEveryByteOfARegularFile) {
    std::string large(200 * 1024, 'x');  // more than one read
    large[100000] = '\0';
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"empty", ""},
        {"text", "Nantes;Brest;001;\r\n"},
        {"binary", std::string("\0\xFF\r\n\x80", 5)},
        {"large", large},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = Write(c.name, c.bytes);
        std::string content = "former";
        ASSERT_TRUE(TryReadWholeFile(path, content));
        EXPECT_EQ(content, c.bytes);
        EXPECT_EQ(ReadWholeFile(path), c.bytes);
    }
}

// A folder, a missing file and a FIFO without a writer are refused at once: the FIFO would
// otherwise block the reader for good.
TEST_F(WholeFileTest, RefusesWhatIsNotARegularFile) {
    const std::string fifo = Path("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string paths[] = {folder_, Path("absent"), fifo};
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        std::string content = "former";
        EXPECT_FALSE(TryReadWholeFile(path, content));
        EXPECT_EQ(content, "former");
        EXPECT_THAT([&] { ReadWholeFile(path); },
                    ThrowsMessage<FileOpenError>("Impossible d'ouvrir le fichier " + path));
    }
}

TEST_F(WholeFileTest, MessageShowsAUtf8PathInWindows1252) {
    const std::string path = Path("\xC3\xA9quipes.csv");  // "équipes.csv" in UTF-8
    EXPECT_THAT([&] { ReadWholeFile(path); },
                ThrowsMessage<FileOpenError>("Impossible d'ouvrir le fichier " + folder_ +
                                             "\xE9quipes.csv"));
}

TEST(PathForMessage, ConvertsUtf8AndKeepsOtherBytes) {
    EXPECT_EQ(PathForMessage("/tmp/a.etf"), "/tmp/a.etf");
    EXPECT_EQ(PathForMessage("/tmp/\xC3\xA9t\xC3\xA9.etf"), "/tmp/\xE9t\xE9.etf");
    EXPECT_EQ(PathForMessage("/tmp/\xE9t\xE9.etf"), "/tmp/\xE9t\xE9.etf");  // not UTF-8
}

}  // namespace
}  // namespace report
