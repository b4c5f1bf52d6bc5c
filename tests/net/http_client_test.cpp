// The HTTP client against a loopback server that answers with exact bytes.
#include "net/http_client.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "net/byte_buffer.h"
#include "net/errors.h"
#include "tests/net/scripted_server.h"

namespace net {
namespace {

using namespace std::chrono_literals;
using testing::ScriptedServer;
using testing::ServerConnection;

constexpr const char* kHello = "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello";

// Answers each request of one connection with the next reply, then keeps the connection open
// until the client closes it (or closes at once when asked).
ScriptedServer::Script AnswerEach(std::vector<std::string> replies, bool closeAfter = false) {
    return [replies, closeAfter](ServerConnection& connection) {
        for (const std::string& reply : replies) {
            if (connection.ReadRequest().empty()) return;
            connection.Send(reply);
        }
        if (!closeAfter) connection.WaitForClientClose();
    };
}

ScriptedServer::Script Answer(std::string reply, bool closeAfter = false) {
    return AnswerEach({std::move(reply)}, closeAfter);
}

std::string RequestHead(const std::string& target) {
    return "GET " + target +
           " HTTP/1.1\r\nHost: 127.0.0.1\r\nAccept: text/html, */*\r\n"
           "User-Agent: Mozilla/3.0 (compatible; Tombage)\r\n\r\n";
}

TEST(HttpClient, SendsExactlyTheRequestLineHostAcceptAndUserAgent) {
    struct Case {
        const char* path;
        const char* target;
    };
    const Case cases[] = {
        {"/arbitrage/index.html", "/arbitrage/index.html"},
        {"/arbitrage/Tombage_2.22.02.html", "/arbitrage/Tombage_2.22.02.html"},
        {"", "/"},
        {"/a/b.html?x=1#top", "/a/b.html?x=1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        ScriptedServer server(Answer(kHello));
        HttpClient client;
        EXPECT_EQ(client.DownloadText(server.Url(c.path)), "hello");
        EXPECT_EQ(client.StatusCode(), 200);
        EXPECT_EQ(client.StatusText(), "200 OK");
        ASSERT_EQ(server.Requests().size(), 1u);
        EXPECT_EQ(server.Requests()[0], RequestHead(c.target));
    }
}

TEST(HttpClient, ReadsEachKindOfBodyAndKeepsOrClosesTheConnection) {
    struct Case {
        const char* name;
        std::string reply;
        bool serverCloses;
        std::string body;
        bool stillConnected;
    };
    const Case cases[] = {
        {"counted", kHello, false, "hello", true},
        {"line feeds only", "HTTP/1.1 200 OK\nContent-Length: 5\n\nhello", false, "hello", true},
        {"chunked", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n0\r\n\r\n",
         false, "hello", true},
        {"chunked with extension and trailer",
         "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nA;name=x\r\n0123456789\r\n"
         "1 \r\n!\r\n0\r\nX-Trailer: t\r\n\r\n",
         false, "0123456789!", true},
        {"until close", "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\n\r\nuntil the end", true,
         "until the end", false},
        {"length not a number", "HTTP/1.1 200 OK\r\nContent-Length: many\r\n\r\nall of it", true,
         "all of it", false},
        {"length 0", "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n", false, "", true},
        {"no content", "HTTP/1.1 204 No Content\r\n\r\n", false, "", true},
        {"connection close",
         "HTTP/1.1 200 OK\r\nConnection:  Close \r\nContent-Length: 5\r\n\r\nhello", false, "hello",
         false},
        {"HTTP/1.0 reply", "HTTP/1.0 200 OK\r\nContent-Length: 5\r\n\r\nhello", false, "hello",
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedServer server(Answer(c.reply, c.serverCloses));
        HttpClient client;
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(client.DownloadText(server.Url("/page")), c.body);
        EXPECT_EQ(client.StatusCode() / 100, 2);
        EXPECT_EQ(client.Binding().HandleAllocated(), c.stillConnected);
        EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
    }
}

TEST(HttpClient, FoldedHeadersAndChunkStatusAreReported) {
    ScriptedServer server(Answer(
        "HTTP/1.1 200 OK\r\nContent-Type: text/html;\r\n charset=utf-8\r\nX-Info: a\r\n\tb\r\n"
        "Transfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n0\r\n\r\n"));
    HttpClient client;
    std::vector<std::string> texts;
    client.onStatus = [&texts](Status status, const std::string& text) {
        if (status == Status::hsText) texts.push_back(text);
    };
    EXPECT_EQ(client.DownloadText(server.Url("/")), "hello");
    EXPECT_EQ(client.ReplyInfo().contentType, "text/html; charset=utf-8");
    EXPECT_EQ(client.ReplyInfo().extraHeaders.ValueOf("X-Info"), "a b");
    EXPECT_EQ(texts, (std::vector<std::string>{"Op\xE9ration Chunk d\xE9marr\xE9"
                                               "e"}));
}

TEST(HttpClient, KeepsTheConnectionForTheSameHostAndPort) {
    ScriptedServer server(std::vector<ScriptedServer::Script>{
        AnswerEach({kHello, "HTTP/1.1 200 OK\r\nContent-Length: 3\r\n\r\nbis"}), Answer(kHello)});
    HttpClient client;
    EXPECT_EQ(client.DownloadText(server.Url("/un")), "hello");
    const int localPort = client.Binding().LocalPort();
    EXPECT_EQ(client.DownloadText(server.Url("/deux")), "bis");
    EXPECT_EQ(client.Binding().LocalPort(), localPort);
    EXPECT_EQ(server.ConnectionsAccepted(), 1);
    // Another host name: a connection of its own.
    EXPECT_EQ(client.DownloadText("http://localhost:" + std::to_string(server.Port()) + "/"),
              "hello");
    EXPECT_EQ(server.ConnectionsAccepted(), 2);
    EXPECT_EQ(server.Requests().size(), 3u);
}

TEST(HttpClient, ErrorStatusRaisesAfterItsBodyWasRead) {
    ScriptedServer server(
        AnswerEach({"HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n\r\nnot found",
                    "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok"}));
    HttpClient client;
    ByteBuffer body;
    try {
        client.DownloadToStream(server.Url("/absent.html"), body);
        FAIL() << "404 must raise";
    } catch (const ProtocolReplyError& error) {
        EXPECT_EQ(error.Code(), 404);
        EXPECT_STREQ(error.what(), "404 Not Found");
    }
    EXPECT_EQ(client.StatusCode(), 404);
    EXPECT_EQ(body.View(), "not found");
    // The body was taken off the connection, which serves the next request.
    EXPECT_TRUE(client.Binding().HandleAllocated());
    EXPECT_EQ(client.DownloadText(server.Url("/present.html")), "ok");
    EXPECT_EQ(server.ConnectionsAccepted(), 1);
}

TEST(HttpClient, RedirectsAreNotFollowedUnlessAsked) {
    const std::string redirect =
        "HTTP/1.1 302 Found\r\nLocation: /ailleurs\r\nContent-Length: 4\r\n\r\nmove";
    struct Case {
        const char* name;
        std::string reply;
        int code;
    };
    const Case cases[] = {
        {"302", redirect, 302},
        {"301", "HTTP/1.1 301 Moved Permanently\r\nLocation: /x\r\nContent-Length: 0\r\n\r\n", 301},
        {"200 with a location", "HTTP/1.1 200 OK\r\nLocation: /x\r\nContent-Length: 2\r\n\r\nok",
         200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedServer server(Answer(c.reply));
        HttpClient client;
        try {
            client.DownloadText(server.Url("/"));
            FAIL() << "a redirect must raise";
        } catch (const ProtocolReplyError& error) {
            EXPECT_EQ(error.Code(), c.code);
        }
        EXPECT_EQ(server.Requests().size(), 1u);
    }

    // Followed when asked, with the first body dropped.
    {
        ScriptedServer server(AnswerEach({redirect, kHello}));
        HttpClient client;
        client.SetHandleRedirects(true);
        std::vector<std::string> asked;
        client.onRedirect = [&asked](std::string& destination, int&, bool& handled) {
            asked.push_back(destination);
            EXPECT_TRUE(handled);
        };
        EXPECT_EQ(client.DownloadText(server.Url("/depart")), "hello");
        EXPECT_EQ(asked, (std::vector<std::string>{"/ailleurs"}));
        ASSERT_EQ(server.Requests().size(), 2u);
        EXPECT_EQ(server.Requests()[1], RequestHead("/ailleurs"));
        EXPECT_EQ(client.RedirectsDone(), 0);
    }
    // Accepted without being followed: no error, the destination is kept.
    {
        ScriptedServer server(Answer(redirect));
        HttpClient client;
        client.onRedirect = [](std::string& destination, int&, bool& handled) {
            destination = "/choisi";
            handled = true;
        };
        EXPECT_EQ(client.DownloadText(server.Url("/")), "move");
        EXPECT_EQ(client.ReplyInfo().location, "/choisi");
        EXPECT_EQ(server.Requests().size(), 1u);
    }
    // A loop of redirects stops after the maximum.
    {
        ScriptedServer server(AnswerEach(std::vector<std::string>(4, redirect)));
        HttpClient client;
        client.SetHandleRedirects(true);
        client.SetRedirectMaximum(3);
        EXPECT_EQ(client.DownloadText(server.Url("/")), "move");
        EXPECT_EQ(client.StatusCode(), 302);
        EXPECT_EQ(server.Requests().size(), 3u);
    }
}

TEST(HttpClient, BrokenRepliesFailWithClearErrors) {
    struct Case {
        const char* name;
        std::string reply;
        bool serverCloses;
        std::string message;  // empty: only the type is checked
    };
    const Case cases[] = {
        {"status not a number", "HTTP/1.1 abc OK\r\n\r\n", false,
         "'abc' n'est pas une valeur enti\xE8re correcte"},
        {"partial line then close", "HTTP/1.1 200 OK\r\nContent-Le", true,
         "La connexion s'est termin\xE9"
         "e proprement."},
        {"nothing then close", "", true,
         "La connexion s'est termin\xE9"
         "e proprement."},
        {"counted body cut short",
         "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n" + std::string(60, 'x'), true,
         "La connexion s'est termin\xE9"
         "e proprement."},
        {"chunked body cut short", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhel",
         true, ""},
        {"negative length", "HTTP/1.1 200 OK\r\nContent-Length: -5\r\n\r\nhello", false,
         "R\xE9ponse incorrecte du serveur : longueur de contenu n\xE9gative (-5)."},
        {"chunk size not hexadecimal",
         "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\nhello\r\n0\r\n\r\n", false,
         "R\xE9ponse incorrecte du serveur : taille de bloc incorrecte (zz)."},
        {"chunk size too large",
         "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n10000000000000000\r\n", false, ""},
        {"status line too long", "HTTP/1.1 200 " + std::string(70000, 'a'), false,
         "Ligne re\xE7ue trop longue : plus de 65536 octets sans fin de ligne."},
        {"header line too long", "HTTP/1.1 200 OK\r\nX: " + std::string(70000, 'a') + "\r\n\r\n",
         false, ""},
        {"too many header lines",
         "HTTP/1.1 200 OK\r\n" +
             [] {
                 std::string lines;
                 for (int i = 0; i < 1001; ++i)
                     lines += "X-" + std::to_string(i) + ": v\r\n";
                 return lines + "\r\n";
             }(),
         false, "R\xE9ponse incorrecte du serveur : plus de 1000 lignes d'en-t\xEAte."},
        {"interim reply", "HTTP/1.1 100 Continue\r\n\r\n" + std::string(kHello), false,
         "100 Continue"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedServer server(Answer(c.reply, c.serverCloses));
        HttpClient client;
        client.SetReadTimeout(2s);
        try {
            client.DownloadText(server.Url("/"));
            ADD_FAILURE() << "the reply must be refused";
        } catch (const NetError& error) {
            if (!c.message.empty()) {
                EXPECT_EQ(std::string(error.what()), c.message);
            }
            EXPECT_EQ(dynamic_cast<const ReadTimedOut*>(&error), nullptr) << error.what();
        }
        // What is left of a broken reply is never read as the next one.
        EXPECT_FALSE(client.Binding().HandleAllocated());
    }
}

TEST(HttpClient, ConnectionRefusedRaises10061) {
    HttpClient client;
    try {
        client.DownloadText("http://127.0.0.1:" + std::to_string(testing::UnusedLoopbackPort()) +
                            "/arbitrage/index.html");
        FAIL() << "nothing listens there";
    } catch (const SocketError& error) {
        EXPECT_EQ(error.Code(), 10061);
    }
}

TEST(HttpClient, SilentOrTricklingServersRunIntoTheTimeLimits) {
    struct Case {
        const char* name;
        ScriptedServer::Script script;
    };
    const Case cases[] = {
        {"never answers",
         [](ServerConnection& connection) {
             connection.ReadRequest();
             connection.WaitForClientClose(3s);
         }},
        {"stops in the middle of the body",
         [](ServerConnection& connection) {
             connection.ReadRequest();
             connection.Send("HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nabc");
             connection.WaitForClientClose(3s);
         }},
        {"trickles a body without end",
         [](ServerConnection& connection) {
             connection.ReadRequest();
             connection.Send("HTTP/1.1 200 OK\r\n\r\n");
             const auto end = std::chrono::steady_clock::now() + 3s;
             while (std::chrono::steady_clock::now() < end) {
                 connection.Send("x");
                 if (connection.WaitForClientClose(20ms)) return;
             }
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedServer server(c.script);
        HttpClient client;
        client.SetReadTimeout(100ms);
        client.SetRequestTimeLimit(400ms);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_THROW(client.DownloadText(server.Url("/")), ReadTimedOut);
        EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
        EXPECT_FALSE(client.Binding().HandleAllocated());
        EXPECT_FALSE(client.Deadline().has_value());
    }
}

TEST(HttpClient, HeadPostAndVersion10Requests) {
    std::string postBody;
    ScriptedServer server(std::vector<ScriptedServer::Script>{
        AnswerEach({"HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\n", kHello}),
        [&postBody](ServerConnection& connection) {
            connection.ReadRequest();
            postBody = connection.ReadBytes(7);
            connection.Send(kHello);
            connection.WaitForClientClose();
        },
        Answer(kHello)});
    HttpClient client;
    // HEAD: no body is read although a length is announced; the connection serves on.
    client.Head(server.Url("/h"));
    EXPECT_EQ(client.ReplyInfo().contentLength, 5);
    EXPECT_EQ(client.DownloadText(server.Url("/g")), "hello");

    ByteBuffer response;
    client.Post("http://localhost:" + std::to_string(server.Port()) + "/p", "a=1&b=2", response);
    EXPECT_EQ(response.View(), "hello");
    EXPECT_EQ(postBody, "a=1&b=2");

    client.SetProtocolVersion(HttpVersion::pv1_0);
    EXPECT_EQ(client.DownloadText(server.Url("/v")), "hello");
    EXPECT_FALSE(client.Binding().HandleAllocated());

    const std::vector<std::string> requests = server.Requests();
    ASSERT_EQ(requests.size(), 4u);
    EXPECT_EQ(requests[0].substr(0, requests[0].find("\r\n")), "HEAD /h HTTP/1.1");
    EXPECT_EQ(requests[2],
              "POST /p HTTP/1.1\r\nHost: localhost\r\nAccept: text/html, */*\r\n"
              "User-Agent: Mozilla/3.0 (compatible; Tombage)\r\nContent-Length: 7\r\n\r\n");
    EXPECT_EQ(requests[3].substr(0, requests[3].find("\r\n")), "GET /v HTTP/1.0");
}

TEST(HttpClient, ThroughAProxyTheTargetIsTheWholeUrl) {
    ScriptedServer server(Answer(kHello));
    HttpClient client;
    client.Request().proxyServer = "127.0.0.1";
    client.Request().proxyPort = server.Port();
    client.Request().proxyUsername = "moi";
    client.Request().proxyPassword = "secret";
    EXPECT_EQ(client.DownloadText("http://cible.test:8080/a/b.html#x"), "hello");
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(server.Requests()[0],
              "GET http://cible.test:8080/a/b.html HTTP/1.1\r\nHost: cible.test\r\n"
              "Accept: text/html, */*\r\nUser-Agent: Mozilla/3.0 (compatible; Tombage)\r\n"
              "Proxy-Authorization: Basic bW9pOnNlY3JldA==\r\n\r\n");
}

}  // namespace
}  // namespace net
