// Sway's IPC framing and replies: whole messages come out of bytes however
// they are cut, and truncated, oversized or malformed input gives nothing.

#include <gtest/gtest.h>

#include <cstring>

#include <QLocalServer>
#include <QLocalSocket>

#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "Platform/Linux/SwayIpc.h"
#include "Platform/Linux/SwayWindowSystem.h"
#include "QtTestApp.h"
#include "XSession.h"

using namespace velorin;
using namespace velorin::linux_platform;
namespace fs = std::filesystem;

namespace {

std::string header(std::uint32_t length, std::uint32_t type) {
    std::string h = "i3-ipc";
    h.append(reinterpret_cast<const char*>(&length), 4);
    h.append(reinterpret_cast<const char*>(&type), 4);
    return h;
}

const std::string tree = R"({"id":1,"type":"root","name":"root","nodes":[{"id":3,"type":"output","nodes":[
  {"id":4,"type":"workspace","name":"1","nodes":[
    {"id":5,"type":"con","app_id":"firefox","pid":501,"name":"Mozilla","focused":true,
     "rect":{"x":0,"y":25,"width":1280,"height":775},"deco_rect":{"x":0,"y":0,"width":1280,"height":25},"nodes":[]}],
   "floating_nodes":[
    {"id":6,"type":"floating_con","app_id":null,"window_properties":{"class":"Slack","instance":"slack"},"pid":502,
     "name":"Slack","rect":{"x":100,"y":75,"width":600,"height":375},"deco_rect":{"x":100,"y":50,"width":600,"height":25}}]}]},
  {"id":2147483647,"type":"output","name":"__i3","nodes":[{"id":2147483646,"type":"workspace","name":"__i3_scratch",
   "nodes":[],"floating_nodes":[{"id":7,"type":"floating_con","app_id":"code","pid":503,"name":"x",
   "rect":{"x":0,"y":0,"width":10,"height":10}}]}]}]})";

}  // namespace

TEST(SwayIpc, messagesComeWholeHoweverTheBytesAreCut) {
    const std::string stream = sway::encode(sway::getTree, tree) + sway::encode(sway::windowEvent, "{}");
    for (std::size_t step : {std::size_t{1}, std::size_t{5}, std::size_t{14}, stream.size()}) {
        sway::Reader reader;
        std::vector<sway::Message> got;
        for (std::size_t i = 0; i < stream.size(); i += step) {
            reader.add(std::string_view(stream).substr(i, step));
            while (auto m = reader.next()) got.push_back(*m);
        }
        ASSERT_EQ(got.size(), 2u) << "in steps of " << step;
        EXPECT_EQ(got[0], (sway::Message{sway::getTree, tree}));
        EXPECT_EQ(got[1], (sway::Message{sway::windowEvent, "{}"}));
        EXPECT_FALSE(reader.broken());
    }
}

TEST(SwayIpc, streamsThatAreNotTheProtocolBreakTheReader) {
    struct Case {
        const char* what;
        std::string bytes;
        bool broken;
    };
    const Case cases[] = {
        {"another magic", "i3-ipx" + header(0, 0).substr(6), true},
        {"garbage from the first byte", "{\"change\":\"focus\"}", true},
        {"a payload larger than any reply", header(sway::Reader::largestPayload + 1, sway::getTree), true},
        {"a header cut short waits", header(10, 4).substr(0, 9), false},
        {"a payload cut short waits", header(10, 4) + "abc", false},
    };
    for (const auto& c : cases) {
        sway::Reader reader;
        reader.add(c.bytes);
        EXPECT_EQ(reader.next(), std::nullopt) << c.what;
        EXPECT_EQ(reader.broken(), c.broken) << c.what;
    }
}

TEST(SwayIpc, theTreeGivesEveryWindowItsAppFrameAndState) {
    const auto parsed = sway::parseTree(tree);
    ASSERT_TRUE(parsed);
    ASSERT_EQ(parsed->windows.size(), 3u);
    EXPECT_EQ(parsed->focused, "5");
    const auto& firefox = parsed->windows[0];
    EXPECT_EQ(firefox.appId, "firefox");
    EXPECT_EQ(firefox.pid, 501);
    // The frame takes in the title bar above the container.
    EXPECT_EQ(firefox.frame, (Rect{{0, 0}, {1280, 800}}));
    const auto& slack = parsed->windows[1];
    EXPECT_EQ(slack.appId, "Slack");  // an XWayland window by its class
    EXPECT_EQ(slack.frame, (Rect{{100, 50}, {600, 400}}));
    EXPECT_FALSE(slack.hidden);
    EXPECT_TRUE(parsed->windows[2].hidden);  // in the scratchpad
}

TEST(SwayIpc, malformedRepliesAndEventsGiveNothing) {
    const std::string cases[] = {
        "",
        "not json",
        tree.substr(0, tree.size() / 2),
        R"([{"type":"root"}])",
        R"({"type":"con","id":5})",
        R"({"type":"root","nodes":"five"})",
        R"({"type":"root","nodes":[{"type":"con","id":"5","app_id":"x"}]})",
        R"({"type":"root","nodes":[{"type":"con","id":5,"app_id":"x","rect":{"x":"0"}}]})",
    };
    for (const auto& c : cases) {
        const auto parsed = sway::parseTree(c);
        EXPECT_TRUE(!parsed || parsed->windows.empty() || !parsed->windows[0].frame) << c;
        EXPECT_EQ(sway::parseWindowEvent(c), std::nullopt) << c;
        EXPECT_FALSE(sway::commandsSucceeded(c)) << c;
    }
    // Nesting far deeper than any tree is cut off, not followed.
    std::string deep = R"({"type":"root","nodes":[)";
    for (int i = 0; i < 5000; ++i) deep += R"({"type":"con","nodes":[)";
    for (int i = 0; i < 5000; ++i) deep += "]}";
    deep += "]}";
    const auto parsed = sway::parseTree(deep);
    EXPECT_TRUE(!parsed || parsed->windows.empty());
    EXPECT_EQ(sway::parseWindowEvent(R"({"change":"focus","container":{"id":"5"}})"), std::nullopt);
    EXPECT_FALSE(sway::commandsSucceeded(R"([{"success":true},{"success":false,"error":"No matching node"}])"));
    EXPECT_TRUE(sway::commandsSucceeded(R"([{"success":true}])"));
}

// A frame whose numbers overflow once the title bar is added is no frame: an infinite
// one would reach the window commands' arithmetic.
TEST(SwayIpc, aFrameThatOverflowsIsLeftOut) {
    std::ifstream in(std::string(VELORIN_SOURCE_DIR) + "/Tests/data/fuzz/sway-tree-frame-overflows.json");
    ASSERT_TRUE(in);
    const std::string reply((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto parsed = sway::parseTree(reply);
    ASSERT_TRUE(parsed);
    ASSERT_EQ(parsed->windows.size(), 1u);
    EXPECT_EQ(parsed->windows[0].appId, "org.example.Huge");
    EXPECT_EQ(parsed->windows[0].frame, std::nullopt);
}

// A stand-in for Sway's socket on this thread: it answers the adapter's
// subscription and tree requests, then sends what a case gives it.
TEST(SwayIpc, badMessagesOnTheSocketChangeNothingOrEndTheConnection) {
    velorin::testing::qtApp();
    const std::string path = (fs::temp_directory_path() / ("velorin-fake-sway-" + std::to_string(getpid()))).string();
    QLocalServer::removeServer(QString::fromStdString(path));
    QLocalServer server;
    ASSERT_TRUE(server.listen(QString::fromStdString(path)));
    QLocalSocket* peer = nullptr;
    QObject::connect(&server, &QLocalServer::newConnection, [&] {
        peer = server.nextPendingConnection();
        QObject::connect(peer, &QLocalSocket::readyRead, peer, [&, p = peer] {
            sway::Reader reader;
            const QByteArray b = p->readAll();
            reader.add(std::string_view(b.constData(), static_cast<std::size_t>(b.size())));
            while (auto m = reader.next()) {
                const std::string reply = m->type == sway::subscribe ? R"({"success":true})" : tree;
                p->write(QByteArray::fromStdString(sway::encode(m->type, reply)));
            }
        });
    });
    auto until = [](const std::function<bool()>& done) {
        return velorin::testing::waitFor(done, [] { velorin::testing::spinEventLoop(); }, 5000);
    };
    SwayWindowSystem windows(path);
    ASSERT_TRUE(until([&] { return windows.activeKey() == "5"; }));

    struct Case {
        const char* what;
        std::string bytes;
        bool ends;  // the connection can't be trusted after it
    };
    const Case cases[] = {
        {"a tree reply that is not JSON", sway::encode(sway::getTree, "{\"type\":\"root\",\"nodes\":["), false},
        {"a window event that is not JSON", sway::encode(sway::windowEvent, "{\"change\":"), false},
        {"a focus event without a container", sway::encode(sway::windowEvent, R"({"change":"focus"})"), false},
        {"a focus event for an unknown window",
         sway::encode(sway::windowEvent, R"({"change":"focus","container":{"id":99}})"), false},
        {"a message of an unknown type", sway::encode(0x80000099, "{}"), false},
        {"an oversized length", header(sway::Reader::largestPayload + 1, sway::windowEvent), true},
        {"bytes of another protocol", "HTTP/1.1 200 OK\r\n\r\n", true},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(until([&] { return peer && windows.activeKey() == "5"; })) << c.what;
        QLocalSocket* before = peer;
        peer->write(QByteArray::fromStdString(c.bytes));
        for (int i = 0; i < 10; ++i) velorin::testing::spinEventLoop(10);
        if (c.ends) {
            EXPECT_TRUE(until([&] { return !windows.isConnected(); })) << c.what;
            EXPECT_EQ(windows.activeWindow(), std::nullopt) << c.what;
            // It comes back on a new connection.
            EXPECT_TRUE(until([&] { return peer != before && windows.activeKey() == "5"; })) << c.what;
        } else {
            EXPECT_EQ(windows.activeKey(), "5") << c.what;
            EXPECT_EQ(windows.windows().size(), 3u) << c.what;
        }
    }
}

namespace {

// A stand-in for Sway on this thread, so it answers only while the event loop
// runs: the subscription, the tree as it is now, and each command as a case
// says (or not at all).
class LoopSway {
public:
    explicit LoopSway(const std::string& path) {
        QLocalServer::removeServer(QString::fromStdString(path));
        listening_ = server_.listen(QString::fromStdString(path));
        QObject::connect(&server_, &QLocalServer::newConnection, &server_, [this] {
            QLocalSocket* peer = server_.nextPendingConnection();
            auto reader = std::make_shared<sway::Reader>();
            QObject::connect(peer, &QLocalSocket::readyRead, peer, [this, peer, reader] {
                const QByteArray b = peer->readAll();
                reader->add(std::string_view(b.constData(), static_cast<std::size_t>(b.size())));
                while (auto m = reader->next()) answer(*peer, *m);
            });
        });
    }
    bool listening() const { return listening_; }
    std::string tree = ::tree;
    std::optional<std::string> commandReply;  // none: the command is never answered
    std::string treeAfterCommand;             // what the tree becomes once a command succeeded, when given
    std::vector<std::string> commands;

private:
    void answer(QLocalSocket& peer, const sway::Message& m) {
        std::string reply = tree;
        if (m.type == sway::subscribe) reply = R"({"success":true})";
        if (m.type == sway::runCommand) {
            commands.push_back(m.payload);
            if (!commandReply) return;
            reply = *commandReply;
            if (sway::commandsSucceeded(reply) && !treeAfterCommand.empty()) tree = treeAfterCommand;
        }
        peer.write(QByteArray::fromStdString(sway::encode(m.type, reply)));
    }
    QLocalServer server_;
    bool listening_ = false;
};

}  // namespace

// The adapter never waits for Sway on the event loop: a Sway that answers
// only while the loop runs gets the frame read and the placement, and a
// refusal or no answer at all is told to the placement once, afterwards.
TEST(SwayIpc, aPlacementIsAnsweredOnTheEventLoop) {
    velorin::testing::qtApp();
    const std::string path = (fs::temp_directory_path() / ("velorin-loop-sway-" + std::to_string(getpid()))).string();
    auto spin = [](int ms) {
        for (int i = 0; i < ms; i += 50) velorin::testing::spinEventLoop(50);
    };
    std::string moved = tree;
    const std::string at = R"("rect":{"x":0,"y":25,"width":1280,"height":775})";
    moved.replace(moved.find(at), at.size(), R"("rect":{"x":100,"y":75,"width":1280,"height":775})");
    const std::string command =
        "[con_id=5] floating enable, resize set width 1280 px height 800 px, move absolute position 100 px 50 px";
    struct Case {
        const char* name;
        std::optional<std::string> reply;
        int failures;
    };
    const Case cases[] = {
        {"Sway carries it out", R"([{"success":true}])", 0},
        {"Sway refuses it", R"([{"success":false,"error":"no"}])", 1},
        {"Sway never answers", std::nullopt, 1},
        {"a reply that is not JSON", R"([{"succ)", 1},
    };
    for (const auto& c : cases) {
        LoopSway sway(path);
        ASSERT_TRUE(sway.listening());
        sway.commandReply = c.reply;
        sway.treeAfterCommand = moved;
        SwayWindowSystem windows(path);
        ASSERT_TRUE(velorin::testing::waitFor([&] { return windows.activeKey() == "5"; },
                                              [] { velorin::testing::spinEventLoop(); }, 5000))
            << c.name;
        const auto front = windows.activeWindow();
        ASSERT_TRUE(front) << c.name;
        int failed = 0;
        // Only the corner: the size is read from Sway first.
        ASSERT_TRUE(windows.moveFrame(front->id, Point{100, 50}, [&] { ++failed; })) << c.name;
        // The placement settles at the first look, or is told by then; the
        // rest of the looks tell nothing more.
        spin(4300);
        EXPECT_EQ(sway.commands.empty() ? "" : sway.commands.front(), command) << c.name;
        EXPECT_EQ(failed, c.failures) << c.name;
        if (c.failures == 0) {
            EXPECT_EQ(sway.commands.size(), 1u) << c.name << ": asked again after it held";
        }
    }
}
