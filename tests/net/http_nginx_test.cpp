// The HTTP client against a real nginx on a loopback port.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "net/byte_buffer.h"
#include "net/errors.h"
#include "net/http_client.h"
#include "tests/net/nginx_server.h"

namespace net {
namespace {

using testing::NginxServer;

class HttpNginx : public ::testing::Test {
  protected:
    // One nginx for the whole suite: starting it is the slow part.
    static void SetUpTestSuite() {
        try {
            nginx_ = std::make_unique<NginxServer>();
        } catch (const std::exception& error) {
            startError_ = error.what();
            return;
        }
        nginx_->WriteFile("index.html", "<html>Tombage</html>\n");
        std::string large;
        large.reserve(3 << 20);
        for (int i = 0; large.size() < (3u << 20); ++i) {
            large += "ligne " + std::to_string(i) + " \xE9t\xE9\r\n";
        }
        nginx_->WriteFile("arbitrage/gros.txt", large);
        largeFile_ = std::move(large);
    }
    static void TearDownTestSuite() {
        nginx_.reset();
        largeFile_.clear();
    }

    // A missing or broken nginx fails every test: this suite must not pass without a server.
    void SetUp() override { ASSERT_TRUE(nginx_) << startError_; }

    static std::unique_ptr<NginxServer> nginx_;
    static std::string largeFile_;
    static std::string startError_;
};

std::unique_ptr<NginxServer> HttpNginx::nginx_;
std::string HttpNginx::largeFile_;
std::string HttpNginx::startError_;

TEST_F(HttpNginx, FileWithContentLength) {
    HttpClient client;
    EXPECT_EQ(client.DownloadText(nginx_->Url("/index.html")), "<html>Tombage</html>\n");
    EXPECT_EQ(client.StatusCode(), 200);
    EXPECT_EQ(client.StatusText(), "200 OK");
    EXPECT_EQ(client.ReplyInfo().contentLength, 21);
    EXPECT_EQ(client.ReplyInfo().contentType, "text/html");
    EXPECT_EQ(client.ReplyInfo().server.substr(0, 5), "nginx");
    EXPECT_GT(client.ReplyInfo().date, 40000.0);  // a date of this century
    EXPECT_TRUE(client.Binding().HandleAllocated());
}

TEST_F(HttpNginx, MissingPageRaises404AfterItsBody) {
    HttpClient client;
    ByteBuffer body;
    try {
        client.DownloadToStream(nginx_->Url("/arbitrage/Tombage_0.00.00.html"), body);
        FAIL() << "a missing page must raise";
    } catch (const ProtocolReplyError& error) {
        EXPECT_EQ(error.Code(), 404);
        EXPECT_STREQ(error.what(), "404 Not Found");
    }
    EXPECT_NE(body.View().find("404 Not Found"), std::string_view::npos);
    // The connection stays usable.
    EXPECT_EQ(client.DownloadText(nginx_->Url("/index.html")), "<html>Tombage</html>\n");
}

TEST_F(HttpNginx, RedirectsRaiseWithoutBeingFollowed) {
    // Followed, they would lead to the index page and succeed.
    const std::pair<const char*, int> cases[] = {{"/moved", 301}, {"/found", 302}};
    for (const auto& [path, code] : cases) {
        SCOPED_TRACE(path);
        HttpClient client;
        try {
            client.DownloadText(nginx_->Url(path));
            ADD_FAILURE() << "a redirect must raise";
        } catch (const ProtocolReplyError& error) {
            EXPECT_EQ(error.Code(), code);
        }
        EXPECT_NE(client.ReplyInfo().location.find("/index.html"), std::string::npos);
    }
}

TEST_F(HttpNginx, KeepAliveCarriesTwoRequests) {
    HttpClient client;
    client.DownloadText(nginx_->Url("/index.html"));
    const int localPort = client.Binding().LocalPort();
    EXPECT_EQ(client.DownloadText(nginx_->Url("/index.html")), "<html>Tombage</html>\n");
    EXPECT_TRUE(client.Binding().HandleAllocated());
    EXPECT_EQ(client.Binding().LocalPort(), localPort);
}

TEST_F(HttpNginx, LargeFileArrivesWhole) {
    HttpClient client;
    const std::string body = client.DownloadText(nginx_->Url("/arbitrage/gros.txt"));
    EXPECT_EQ(client.ReplyInfo().contentLength, static_cast<std::int64_t>(largeFile_.size()));
    EXPECT_TRUE(body == largeFile_);
    // And again on the same connection, after the big one.
    EXPECT_EQ(client.DownloadText(nginx_->Url("/index.html")), "<html>Tombage</html>\n");
}

}  // namespace
}  // namespace net
