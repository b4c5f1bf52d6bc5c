#include "net/tcp_connection.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "net/byte_buffer.h"
#include "net/errors.h"
#include "net/platform_socket_layer.h"
#include "net/socket_error_codes.h"
#include "net/tcp_client.h"
#include "tests/net/scripted_server.h"

namespace net {
namespace {

using namespace std::chrono_literals;
using testing::ScriptedServer;
using testing::ServerConnection;

// The real stack, except that name lookups are counted and answered from a table.
class CountingLookupLayer : public PlatformSocketLayer {
  public:
    bool ResolveHost(const std::string& name, std::string& address, TimeLimit) override {
        ++lookups;
        if (name == "serveur.test") {
            address = "127.0.0.1";
            return true;
        }
        failedCode = kWsaHostNotFound;
        return false;
    }
    int LastErrorCode() const override {
        return failedCode != 0 ? failedCode : PlatformSocketLayer::LastErrorCode();
    }
    int lookups = 0;
    int failedCode = 0;
};

std::unique_ptr<TcpClient> ConnectTo(int port) {
    auto client = std::make_unique<TcpClient>();
    client->SetHost("127.0.0.1");
    client->SetPort(port);
    client->OpenConnection();
    return client;
}

// What the scripts below wait for before they answer.
void SendGreeting(TcpConnection& client) {
    client.SendLine("hello");
    client.SendLine("");
}

// Sends the bytes once the client's request line arrived, then closes.
ScriptedServer::Script SendAndClose(std::string bytes) {
    return [bytes](ServerConnection& connection) {
        connection.ReadRequest();
        connection.Send(bytes);
    };
}

// Sends the bytes, then keeps the connection open until the client closes it.
ScriptedServer::Script SendAndHold(std::string bytes) {
    return [bytes](ServerConnection& connection) {
        connection.ReadRequest();
        connection.Send(bytes);
        connection.WaitForClientClose();
    };
}

TEST(SocketLayer, IPv4TextNeedsFourDecimalPartsUpTo255) {
    struct Case {
        const char* text;
        bool ipv4;
    };
    const Case cases[] = {
        {"127.0.0.1", true},  {"0.0.0.0", true},    {"255.255.255.255", true}, {"1.2.3", false},
        {"1.2.3.4.5", false}, {"256.1.1.1", false}, {"1.2.3.", false},         {"a.b.c.d", false},
        {"1..2.3", false},    {" 1.2.3.4", false},  {"-1.2.3.4", false},       {"", false},
        {"localhost", false}, {"01.002.3.4", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(SocketLayer::IsIPv4Text(c.text), c.ipv4);
    }
}

TEST(SocketLayer, LookupHostAsksThePlatformOnlyForNames) {
    CountingLookupLayer layer;
    EXPECT_EQ(layer.LookupHost("LOCALHOST"), "127.0.0.1");
    EXPECT_EQ(layer.LookupHost("LocalHost"), "127.0.0.1");
    EXPECT_EQ(layer.LookupHost("10.1.2.3"), "10.1.2.3");
    EXPECT_EQ(layer.lookups, 0);
    EXPECT_EQ(layer.LookupHost("serveur.test"), "127.0.0.1");
    EXPECT_EQ(layer.lookups, 1);
    try {
        layer.LookupHost("inconnu.test");
        FAIL() << "an unknown host must raise";
    } catch (const SocketError& error) {
        EXPECT_EQ(error.Code(), 11001);
        EXPECT_STREQ(error.what(), "Erreur de socket # 11001\r\nH\xF4te introuvable.");
    }
    // "1.2.3" is not an IPv4 text: the platform reads it as a name (inet_aton's short form).
    PlatformSocketLayer platform;
    EXPECT_EQ(platform.LookupHost("1.2.3"), "1.2.0.3");
    // The same with a time limit (the lookup then runs on a thread of its own).
    EXPECT_EQ(platform.LookupHost("1.2.3", 5s), "1.2.0.3");
}

TEST(SocketLayer, ErrorsCarryWindowsSocketsNumbersAndTexts) {
    struct Case {
        int posix;
        int code;
        const char* text;
    };
    const Case cases[] = {
        {ECONNREFUSED, 10061,
         "Connexion refus\xE9"
         "e."},
        {ECONNRESET, 10054,
         "Connexion r\xE9initialis\xE9"
         "e par l'homologue (peer)."},
        {ETIMEDOUT, 10060, "D\xE9lai de connexion d\xE9pass\xE9."},
        {EADDRINUSE, 10048,
         "Adresse d\xE9j\xE0 utilis\xE9"
         "e."},
        {EPIPE, 10058,
         "Envoi ou r\xE9"
         "ception impossible apr\xE8s la fermeture du socket."},
        {EWOULDBLOCK, 10035, "L'op\xE9ration risquerait de bloquer. "},
        {EHOSTUNREACH, 10065, "Pas de route vers l'h\xF4te."},
        {ENOTEMPTY, 10066, "R\xE9pertoire non vide"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(SocketCodeFromErrno(c.posix), c.code);
        SocketError error(c.code);
        EXPECT_EQ(error.Code(), c.code);
        EXPECT_EQ(std::string(error.what()),
                  "Erreur de socket # " + std::to_string(c.code) + "\r\n" + c.text);
    }
    // Every number of the Windows Sockets table has its text.
    for (int code :
         {10004, 10009, 10013, 10014, 10022, 10024, 10035, 10036, 10037, 10038, 10039, 10040, 10041,
          10042, 10043, 10044, 10045, 10046, 10047, 10048, 10049, 10050, 10051, 10052, 10053, 10054,
          10055, 10056, 10057, 10058, 10059, 10060, 10061, 10062, 10063, 10064, 10065, 10066}) {
        EXPECT_FALSE(SocketErrorText(code).empty()) << code;
    }
    // A number outside the table keeps an empty text.
    EXPECT_STREQ(SocketError(10099).what(), "Erreur de socket # 10099\r\n");
}

TEST(SocketLayer, WaitingOnMoreThan64SocketsIsRefused) {
    PlatformSocketLayer layer;
    EXPECT_THROW(layer.WaitReadable(std::vector<int>(65, 0), 0ms), StackSetSizeExceeded);
}

TEST(TcpConnection, LinesEndWithLineFeedOrCarriageReturnLineFeed) {
    ScriptedServer server(SendAndClose("abc\r\nde\nf\rg\r\n\r\nx||y||z"));
    auto client = ConnectTo(server.Port());
    SendGreeting(*client);
    EXPECT_EQ(client->ReceiveLine(), "abc");
    EXPECT_EQ(client->ReceiveLine(), "de");
    EXPECT_EQ(client->ReceiveLine("\n"), "f\rg");  // a lone CR does not end a line
    EXPECT_EQ(client->ReceiveLine(), "");
    EXPECT_FALSE(client->LineTimedOut());
    EXPECT_EQ(client->ReceiveLine("||"), "x");
    EXPECT_EQ(client->ReceiveLine("||"), "y");
}

TEST(TcpConnection, PartialLineThenCloseGivesEmptyLineThenRaises) {
    ScriptedServer server(SendAndClose("complete\npartial"));
    auto client = ConnectTo(server.Port());
    SendGreeting(*client);
    EXPECT_EQ(client->ReceiveLine(), "complete");
    EXPECT_EQ(client->ReceiveLine(), "");
    EXPECT_TRUE(client->LineTimedOut());
    EXPECT_EQ(client->InputBuffer().View(), "partial");
    EXPECT_FALSE(client->IsConnected());
    EXPECT_THROW(client->ReceiveLine(), ConnClosedGracefully);
    // The partial bytes are still there for whoever wants them.
    EXPECT_EQ(client->TakeInput(7), "partial");
    EXPECT_THROW(client->TakeInput(1), NotEnoughDataInBuffer);
}

TEST(TcpConnection, LineLongerThanTheLimitRaises) {
    ScriptedServer server(SendAndHold(std::string(5000, 'a') + "\n"));
    auto client = ConnectTo(server.Port());
    SendGreeting(*client);
    EXPECT_THROW(client->ReceiveLine({}, kNoTimeLimit, 100), LineTooLong);
}

TEST(TcpConnection, LineLimitCountsTheLineNotItsTerminator) {
    ScriptedServer server(SendAndHold(std::string(10, 'a') + "\r\n" + std::string(11, 'b') + "\n"));
    auto client = ConnectTo(server.Port());
    SendGreeting(*client);
    EXPECT_EQ(client->ReceiveLine({}, kNoTimeLimit, 10), std::string(10, 'a'));
    EXPECT_THROW(client->ReceiveLine({}, kNoTimeLimit, 10), LineTooLong);
}

TEST(TcpConnection, CountedReadCutShortRaises) {
    ScriptedServer server(SendAndClose(std::string(60, 'x')));
    auto client = ConnectTo(server.Port());
    SendGreeting(*client);
    ByteBuffer body;
    EXPECT_THROW(client->ReceiveToStream(body, 100, false), ConnClosedGracefully);
    EXPECT_EQ(body.Size(), 60u);
}

TEST(TcpConnection, CountedReadLeavesWhatFollowsInTheInputBuffer) {
    ScriptedServer server(SendAndHold("0123456789next line\n"));
    auto client = ConnectTo(server.Port());
    SendGreeting(*client);
    ByteBuffer body;
    client->ReceiveToStream(body, 10, false);
    EXPECT_EQ(body.View(), "0123456789");
    EXPECT_EQ(client->ReceiveLine(), "next line");
    EXPECT_TRUE(client->IsConnected());
}

TEST(TcpConnection, ReadUntilCloseTakesEverything) {
    std::string sent;
    for (int i = 0; i < 20000; ++i)
        sent += static_cast<char>('a' + i % 26);
    ScriptedServer server(SendAndClose(sent));
    auto client = ConnectTo(server.Port());
    SendGreeting(*client);
    client->ReceiveLine("m");  // some bytes already buffered before the body is moved
    ByteBuffer body;
    client->ReceiveToStream(body, 0, true);
    EXPECT_EQ(std::string("abcdefghijklm") + std::string(body.View()), sent);
    EXPECT_FALSE(client->IsConnected());
}

TEST(TcpConnection, CountReadFromTheConnectionWhenNotGiven) {
    ScriptedServer server(SendAndHold(std::string("\0\0\0\x05hello!", 10)));
    auto client = ConnectTo(server.Port());
    SendGreeting(*client);
    ByteBuffer body;
    client->ReceiveToStream(body, -1, false);
    EXPECT_EQ(body.View(), "hello");
    EXPECT_EQ(client->ReceiveBytes(1), "!");
}

TEST(TcpConnection, ReadTimeLimitsExpireWithoutClosing) {
    ScriptedServer server([](ServerConnection& connection) {
        connection.ReadRequest();
        connection.Send("no end of line");
        connection.WaitForClientClose();
    });
    auto client = ConnectTo(server.Port());
    SendGreeting(*client);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(client->ReceiveLine({}, 50ms), "");
    EXPECT_TRUE(client->LineTimedOut());
    EXPECT_TRUE(client->IsConnected());

    client->SetReadTimeout(50ms);
    ByteBuffer body;
    EXPECT_THROW(client->ReceiveToStream(body, 100, false), ReadTimedOut);
    EXPECT_THROW(client->ReceiveBytes(100), ReadTimedOut);

    client->SetReadTimeout(kNoTimeLimit);
    client->SetDeadline(std::chrono::steady_clock::now() + 50ms);
    EXPECT_EQ(client->ReceiveLine(), "");
    EXPECT_TRUE(client->LineTimedOut());
    EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
}

TEST(TcpConnection, SendLineWritesTheTextAndCarriageReturnLineFeed) {
    std::string received;
    ScriptedServer server([&received](ServerConnection& connection) {
        received = connection.ReadRequest();
        received += connection.ReadBytes(3);
    });
    auto client = ConnectTo(server.Port());
    client->SendLine("GET / HTTP/1.1");
    client->SendText("");
    client->SendLine("");
    client->SendText("end");
    ASSERT_TRUE(server.WaitForScripts(1));
    EXPECT_EQ(received, "GET / HTTP/1.1\r\n\r\nend");
}

TEST(TcpConnection, WritingToAClosedPeerRaisesInsteadOfKillingTheProgram) {
    ScriptedServer server([](ServerConnection& connection) { connection.Close(); });
    auto client = ConnectTo(server.Port());
    ASSERT_TRUE(server.WaitForScripts(1));
    const std::string block(65536, 'x');
    bool raised = false;
    for (int i = 0; i < 200 && !raised; ++i) {
        try {
            client->SendBytes(block);
        } catch (const NetError&) {
            raised = true;
        }
    }
    EXPECT_TRUE(raised);
}

TEST(TcpConnection, PeerCloseIsNoticedByPolling) {
    ScriptedServer server(SendAndClose("bye"));
    auto client = ConnectTo(server.Port());
    SendGreeting(*client);
    ASSERT_TRUE(server.WaitForScripts(1));
    for (int i = 0; i < 500 && client->Binding().HandleAllocated(); ++i) {
        client->PollPeerClosed();
        std::this_thread::sleep_for(1ms);
    }
    EXPECT_FALSE(client->IsConnected());
    EXPECT_EQ(client->InputBuffer().View(), "bye");
    EXPECT_THROW(client->CheckPeerClosed(true, true), ConnClosedGracefully);
    client->CheckPeerClosed(true, false);  // bytes left: no error yet
}

TEST(TcpClient, ConnectionRefusedRaisesSocketError10061) {
    TcpClient client;
    client.SetHost("127.0.0.1");
    client.SetPort(testing::UnusedLoopbackPort());
    try {
        client.OpenConnection();
        FAIL() << "nothing listens there";
    } catch (const SocketError& error) {
        EXPECT_EQ(error.Code(), 10061);
        EXPECT_STREQ(error.what(),
                     "Erreur de socket # 10061\r\nConnexion refus\xE9"
                     "e.");
    }
    EXPECT_FALSE(client.Binding().HandleAllocated());
    // The client can try again once something listens.
    ScriptedServer server(SendAndClose(""));
    client.SetPort(server.Port());
    client.OpenConnection();
    EXPECT_TRUE(client.IsConnected());
}

TEST(TcpClient, LocalhostConnectsWithoutLookupAndReportsEachStep) {
    auto layer = std::make_shared<CountingLookupLayer>();
    ScriptedServer server(SendAndHold(""));
    std::vector<Status> steps;
    {
        TcpClient client(layer);
        client.onStatus = [&steps](Status status, const std::string&) { steps.push_back(status); };
        int connected = 0;
        client.onConnected = [&connected] { ++connected; };
        client.SetHost("LocalHost");
        client.SetPort(server.Port());
        client.OpenConnection();
        EXPECT_EQ(connected, 1);
        EXPECT_EQ(client.Binding().PeerIp(), "127.0.0.1");
        EXPECT_EQ(client.Binding().PeerPort(), server.Port());
        EXPECT_NE(client.Binding().LocalPort(), 0);
        EXPECT_THROW(client.OpenConnection(), AlreadyConnected);
        client.CloseConnection();
        client.CloseConnection();  // nothing left to close
    }
    EXPECT_EQ(layer->lookups, 0);
    EXPECT_EQ(steps,
              (std::vector<Status>{Status::hsResolving, Status::hsConnecting, Status::hsConnected,
                                   Status::hsDisconnecting, Status::hsDisconnected}));
}

TEST(TcpClient, ConnectTimeLimitExpiresWith10060) {
    // A listener whose queue is full drops new connection attempts, which then wait.
    int listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(listener, 0), 0);
    socklen_t size = sizeof address;
    getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size);
    std::vector<std::unique_ptr<TcpClient>> fillers;
    TcpClient client;
    client.SetHost("127.0.0.1");
    client.SetPort(ntohs(address.sin_port));
    client.SetConnectTimeout(100ms);
    int timedOut = 0;
    for (int i = 0; i < 8 && timedOut == 0; ++i) {
        auto filler = std::make_unique<TcpClient>();
        filler->SetHost("127.0.0.1");
        filler->SetPort(ntohs(address.sin_port));
        filler->SetConnectTimeout(100ms);
        try {
            filler->OpenConnection();
            fillers.push_back(std::move(filler));
        } catch (const SocketError& error) {
            EXPECT_EQ(error.Code(), 10060);
            EXPECT_FALSE(filler->Binding().HandleAllocated());
            ++timedOut;
        }
    }
    EXPECT_EQ(timedOut, 1);
    close(listener);
}

}  // namespace
}  // namespace net
