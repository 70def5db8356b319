// vlmhost live through its HTTP interface, from a client of the same library: input reaches the
// screen and the record, ?after= waits and wakes, the state names the windows, the host's and the
// network's calls, refusals, and the way out.
#include <sys/socket.h>
#include <netinet/in.h>
#include <arpa/inet.h>

#include <future>
#include <thread>

#include <gtest/gtest.h>

#include "commands/commands.h"
#include "live_handset.h"

namespace {

using nlohmann::json;

class LiveHttpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    device_ = std::filesystem::temp_directory_path() /
              ("vlmhost-live-" + std::to_string(getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(device_);
    live_ = std::make_unique<LiveHandset>(device_);
  }
  void TearDown() override {
    live_.reset();
    std::filesystem::remove_all(device_);
  }

  std::uint64_t Frame(const std::string& path = "/screen.png") {
    auto response = live_->Client().Get(path);
    EXPECT_TRUE(response && response->status == 200);
    EXPECT_EQ(response->get_header_value("Content-Type"), "image/png");
    return std::stoull(response->get_header_value("X-Frame"));
  }

  std::filesystem::path device_;
  std::unique_ptr<LiveHandset> live_;
};

TEST_F(LiveHttpTest, ATapOnTheScreenReachesTheSheetAndIsRecordedInTheScenarioWords) {
  EXPECT_EQ(live_->Address(), "http://127.0.0.1:" + std::to_string(live_->Port()) + "/");
  live_->OpenOptions();
  json state = live_->State();
  EXPECT_NE(state["modal"].get<std::string>().find("Video Call Options"), std::string::npos);
  EXPECT_EQ(state["soft keys"], json::array({"OK", "Cancel"}));
  // The preferences page: its picture file is disabled until a picture is chosen to show.
  json picture = LiveHandset::Window(state, 7200);
  ASSERT_FALSE(picture.is_null());
  EXPECT_EQ(picture["class"], "edit");
  EXPECT_EQ(picture["enabled"], false);
  EXPECT_EQ(picture["title"], "Video Call Options");
  for (const auto& window : state["windows"]) {
    const auto& r = window["rect"];
    EXPECT_TRUE(r[0] <= r[2] && r[1] <= r[3] && r[0] >= 0 && r[2] <= 240) << window.dump();
  }
  std::uint64_t before = Frame();

  live_->TapTab(1, 3);
  EXPECT_GT(Frame("/screen.png?after=" + std::to_string(before)), before);
  ASSERT_TRUE(live_->WaitFor([](const json& s) { return !LiveHandset::Window(s, 7205).is_null(); }));
  json settings = LiveHandset::Window(live_->State(), 7205);
  EXPECT_EQ(settings["text"], "Settings...");
  EXPECT_EQ(settings["class"], "button");

  int x = (settings["rect"][0].get<int>() + settings["rect"][2].get<int>()) / 2;
  int y = (settings["rect"][1].get<int>() + settings["rect"][3].get<int>()) / 2;
  auto tap = live_->Post("/input", {{"tap", {x, y}}});
  ASSERT_TRUE(tap && tap->status == 200);
  EXPECT_EQ(json::parse(tap->body)["recorded"], "tap 7205");
  // The forwarding settings open once the network has answered the query.
  ASSERT_TRUE(live_->WaitFor([](const json& s) { return !LiveHandset::Window(s, 1053).is_null(); }));
  // The number to forward to takes typing once its reason is ticked; typed in two goes, it is one
  // `type` step, which replaces the text as the person's typing did.
  // As a person does, each tap waits for what the one before it did: the box ticked enables the
  // number, the number tapped takes the focus.
  json box = LiveHandset::Window(live_->State(), 1023);
  live_->Post("/input", {{"tap", {box["rect"][0].get<int>() + 4, box["rect"][1].get<int>() + 4}}});
  ASSERT_TRUE(live_->WaitFor([](const json& s) { return LiveHandset::Window(s, 1053)["enabled"] == true; }));
  json number = LiveHandset::Window(live_->State(), 1053);
  live_->Post("/input", {{"tap", {number["rect"][0].get<int>() + 4, number["rect"][1].get<int>() + 4}}});
  ASSERT_TRUE(live_->WaitFor([](const json& s) { return s["focus"] == 1053; }));
  live_->Post("/input", {{"type", "555"}});
  EXPECT_EQ(json::parse(live_->Post("/input", {{"type", "0100"}})->body)["recorded"], "type 1053 \"5550100\"");
  EXPECT_TRUE(live_->WaitFor([](const json& s) { return LiveHandset::Window(s, 1053)["text"] == "5550100"; }));
  auto scenario = live_->Client().Get("/scenario");
  ASSERT_TRUE(scenario && scenario->status == 200);
  EXPECT_NE(scenario->body.find("tab \"Forwarding\"\ntap 7205\nexpect dialog 7306 within 10000\ntap 1023\ntap 1053\n"
                                "type 1053 \"5550100\"\n"),
            std::string::npos)
      << scenario->body;
}

TEST_F(LiveHttpTest, AScreenRequestWithAfterWaitsForANewerFrameAndWakesWhenOneComes) {
  live_->OpenOptions();
  std::uint64_t now = Frame();
  auto waiting = std::async(std::launch::async, [&] {
    httplib::Client client("127.0.0.1", live_->Port());
    client.set_read_timeout(std::chrono::seconds(15));
    auto response = client.Get("/screen.png?after=" + std::to_string(now));
    return response ? std::stoull(response->get_header_value("X-Frame")) : 0;
  });
  EXPECT_EQ(waiting.wait_for(std::chrono::milliseconds(500)), std::future_status::timeout);
  live_->TapTab(2, 3);
  ASSERT_EQ(waiting.wait_for(std::chrono::seconds(5)), std::future_status::ready);
  EXPECT_GT(waiting.get(), now);
}

TEST_F(LiveHttpTest, KeysSoftKeysAndTheShellAreRecordedAsAReplayWouldTakeThem) {
  live_->OpenOptions();
  live_->TapTab(1, 3);
  ASSERT_TRUE(live_->WaitFor([](const json& s) { return !LiveHandset::Window(s, 7205).is_null(); }));
  const struct {
    json input;
    json recorded;
  } steps[] = {
      {{{"key", "DOWN"}}, "key DOWN"},
      {{{"softkey", 2}}, "softkey 2"},
  };
  for (const auto& [input, recorded] : steps) {
    auto response = live_->Post("/input", input);
    ASSERT_TRUE(response && response->status == 200) << input.dump();
    EXPECT_EQ(json::parse(response->body)["recorded"], recorded) << input.dump();
  }
  // The right soft key cancelled the sheet.
  ASSERT_TRUE(live_->WaitFor([](const json& s) { return s["modal"] == "none"; }));
  EXPECT_EQ(live_->State()["options"]["returned"], 1);

  auto rotate = live_->Post("/input", {{"rotate", "320x240"}});
  ASSERT_TRUE(rotate && rotate->status == 200);
  json screen = live_->State()["screen"];
  EXPECT_EQ(screen["width"], 320);
  EXPECT_EQ(screen["height"], 240);
  EXPECT_EQ(json::parse(live_->Post("/input", {{"sip", true}})->body)["recorded"], "sip show");
  EXPECT_EQ(live_->State()["input panel"], true);
}

TEST_F(LiveHttpTest, TheHostsCallsReachTheLibraryOnTheHostThread) {
  ASSERT_EQ(live_->Post("/host", {{"call", "TurnOnLED"}})->status, 200);
  EXPECT_TRUE(live_->WaitFor([](const json& s) { return s["led"]["lit"] == true; }));
  ASSERT_EQ(live_->Post("/host", {{"call", "TurnOffLED"}})->status, 200);
  EXPECT_TRUE(live_->WaitFor([](const json& s) { return s["led"]["lit"] == false; }));

  auto battery = live_->Post("/host", {{"call", "GetBattery"}, {"percent", 12}});
  ASSERT_EQ(battery->status, 200);
  EXPECT_EQ(json::parse(battery->body)["percent"], 12);

  ASSERT_EQ(live_->Post("/host", {{"call", "AvoidSystemIdle"}, {"on", true}, {"interval", 20}})->status, 200);
  EXPECT_TRUE(live_->WaitFor([](const json& s) { return s["battery"]["idle timer resets"] >= 2; }));
  // Below 15 percent the library tells the worker window.
  EXPECT_TRUE(live_->WaitFor([](const json& s) { return !s["worker"]["heard"].empty(); }));

  ASSERT_EQ(live_->Post("/host", {{"call", "screen"}, {"size", "480x800"}})->status, 200);
  EXPECT_EQ(live_->State()["screen"]["dpi"], 192);
}

TEST_F(LiveHttpTest, ANetworkChangeIsStoredAndSavedOnTheWayOutEvenWithTheOptionsScreenUp) {
  live_->OpenOptions();
  auto changed = live_->Post("/network", {{"reason", "busy"}, {"active", true}, {"number", "5550100"}});
  ASSERT_TRUE(changed && changed->status == 200);
  EXPECT_EQ(json::parse(changed->body)["reasons"]["busy"]["number"], "5550100");
  ASSERT_EQ(live_->Post("/network", {{"latency", 50}, {"failure", "query"}})->status, 200);

  EXPECT_EQ(live_->Stop(), 0);
  const char* argv[] = {"vlmhost", "--device", device_.c_str(), "--json", "network", "show"};
  std::ostringstream out, err;
  ASSERT_EQ(vlmhost::Run(6, argv, out, err), 0) << err.str();
  json network = json::parse(out.str());
  EXPECT_EQ(network["reasons"]["busy"]["active"], true);
  EXPECT_EQ(network["failure"], "query");
  EXPECT_EQ(network["latency ms"], 50);
}

TEST_F(LiveHttpTest, BadRequestsAndForeignPagesAreRefusedWithTheReasonNamed) {
  live_->OpenOptions();
  const std::string served = "127.0.0.1:" + std::to_string(live_->Port());
  const struct {
    std::string method, path, body;
    httplib::Headers headers;
    int status;
    std::string saying;
  } refused[] = {
      {"GET", "/state", "", {{"Host", "evil.example:80"}}, 403, "is not the address served"},
      {"POST", "/input", R"({"tap":[1,1]})", {{"Origin", "http://evil.example"}}, 403, "origin"},
      {"POST", "/input", "{not json", {}, 400, "not JSON"},
      {"POST", "/input", R"({"tap":[1,1],"key":"UP"})", {}, 400, "one action"},
      {"POST", "/input", R"({"tap":[240,10]})", {}, 400, "off the 240x320 screen"},
      {"POST", "/input", R"({"tap":"middle"})", {}, 400, "[x, y]"},
      // Numbers too large for their field are refused, not cut down to one that fits.
      {"POST", "/input", R"({"tap":[4294967306,10]})", {}, 400, "off the 240x320 screen"},
      {"POST", "/input", R"({"softkey":4294967297})", {}, 400, "1 (left) or 2"},
      {"POST", "/network", R"({"failure":"query","error":4294967326})", {}, 400, "32-bit whole number"},
      {"POST", "/input", R"({"softkey":3})", {}, 400, "1 (left) or 2"},
      {"POST", "/input", R"({"key":"F13"})", {}, 400, "\"key\" is one of"},
      {"POST", "/input", R"({"rotate":"100x100"})", {}, 409, "cannot show 100x100"},
      {"POST", "/input", R"({"fly":true})", {}, 400, "unknown input \"fly\""},
      {"POST", "/host", R"({"call":"CreateVTOpt"})", {}, 409, "already open"},
      {"POST", "/host", R"({"call":"RegSetValueExW"})", {}, 400, "unknown host call"},
      {"POST", "/host", R"({"call":"GetBattery","percent":101})", {}, 400, "battery level"},
      {"POST", "/network", R"({"reason":"sometimes","active":true})", {}, 400, "\"reason\" is"},
      {"POST", "/network", R"({"reason":"noreply","active":true})", {}, 409, "needs a number"},
      {"POST", "/network", R"({"latency":-1})", {}, 400, "0 to 600000"},
      {"POST", "/input", std::string(70 * 1024, ' '), {}, 413, "at most 65536 bytes"},
      {"GET", "/screen.png?after=soon", "", {}, 400, "whole number"},
      {"GET", "/registry.reg", "", {}, 404, "there is no GET /registry.reg"},
  };
  for (const auto& request : refused) {
    SCOPED_TRACE(request.method + " " + request.path + " " + request.body.substr(0, 60));
    auto response = request.method == "GET"
                        ? live_->Client().Get(request.path, request.headers)
                        : live_->Client().Post(request.path, request.headers, request.body, "application/json");
    ASSERT_TRUE(response);
    EXPECT_EQ(response->status, request.status);
    json body = json::parse(response->body, nullptr, false);
    ASSERT_TRUE(body.contains("error")) << response->body;
    EXPECT_NE(body["error"].get<std::string>().find(request.saying), std::string::npos) << body["error"];
  }
  // The page itself comes from the address served, and its requests carry that origin.
  auto page = live_->Client().Get("/", {{"Origin", "http://" + served}});
  ASSERT_TRUE(page && page->status == 200);
  EXPECT_NE(page->body.find("<script src=\"/page.js\">"), std::string::npos);
  EXPECT_EQ(live_->Client().Get("/", {{"Host", "localhost:" + std::to_string(live_->Port())}})->status, 200);
}

TEST_F(LiveHttpTest, ConnectionsDroppedMidRequestLeaveTheServerServing) {
  for (const char* request : {"GET /screen.png?after=999999 HTTP/1.1\r\nHost: ", "POST /input HTTP/1.1\r\nHost: "}) {
    int sock = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(live_->Port()));
    inet_pton(AF_INET, "127.0.0.1", &address.sin_addr);
    ASSERT_EQ(connect(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    std::string text = std::string(request) + "127.0.0.1:" + std::to_string(live_->Port()) +
                       "\r\nContent-Length: 100\r\n\r\n{\"ta";
    ASSERT_GT(send(sock, text.data(), text.size(), 0), 0);
    close(sock);
  }
  EXPECT_EQ(live_->State()["modal"], "none");
  EXPECT_EQ(live_->Stop(), 0);
}

}  // namespace
