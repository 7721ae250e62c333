#include <gtest/gtest.h>

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "ProgressTestSupport.h"
#include "ofURLFileLoader.h"

using namespace progress_test;

namespace {

std::string counters(int count) {
    static const char* const names[] = {"global_arcade_deaths", "global_deathmatch_deaths", "global_foes_killed",
                                        "global_rocks_smashed"};
    std::string out;
    for (int i = 0; i < count; ++i)
        out += std::string(i ? ", " : "") + "\"" + names[i % 4] + "@" + std::to_string(i / 4) + "\": 1";
    return "{" + out + "}";
}

}  // namespace

// A data file the stand-in could not have written is refused at start with
// one clear line, and left byte for byte as it was.
TEST(ScoreServerScriptChecksTest, ADataFileItCouldNotHaveWrittenIsRefusedAndLeftAsItIs) {
    const std::string row = "score table '1_0', row 1: not a name, score and ships as the game sends them";
    const struct {
        std::string content, reason;
    } cases[] = {
        {R"({"globals": {}, "scores": {"1_0": [{"name": "OLD", "score": 5}]}})", row},
        {R"({"globals": {}, "scores": {"1_0": [[5, "OLD"]]}})", row},
        {R"({"globals": {}, "scores": {"1_0": [{"name": "", "score": 5, "ships": "0"}]}})", row},
        {R"({"globals": {}, "scores": {"1_0": [{"name": "A", "score": 2147483648, "ships": "0"}]}})", row},
        {R"({"globals": {}, "scores": {"1_0": [{"name": "A", "score": true, "ships": "0"}]}})", row},
        {R"({"globals": {}, "scores": {"3_0": []}})", "unknown score table '3_0'"},
        {"{\"globals\": " + counters(65) + ", \"scores\": {}}", "65 counters, more than 64"},
        {R"({"globals": {"global_x@1": 1}, "scores": {}})", "unknown counter 'global_x@1'"},
        {R"({"globals": {"global_foes_killed@1": -1}, "scores": {}})", "counter 'global_foes_killed@1': -1 is not a total"},
        {R"({"globals": {}, "scores": []})", "\"globals\" and \"scores\" must be objects"},
        {R"({"globals": {}, "scores": {}, "extra": 1})", "not an object of just \"globals\" and \"scores\""},
        {"{\"globals\": {}", "cannot be read as JSON (Expecting ',' delimiter: line 1 column 15 (char 14))"},
    };
    for (const auto& c : cases) {
        ScratchFolder dir;
        const std::string data = dir.file("scores.json");
        std::ofstream(data) << c.content;
        const StandIn server(data);
        EXPECT_EQ(server.exitCode, 2) << c.content;
        EXPECT_EQ(server.errors, "score_server.py: refusing " + data + ": " + c.reason + "; it is left as it is\n");
        EXPECT_EQ(readAll(data), c.content);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path), {}), 1) << c.content;
    }
}

// A file it wrote itself is served as it is; a save goes through a temporary
// file of its own name (a stray "scores.json.tmp" is left alone), keeps the
// same bytes, gets the mode a new file gets, and leaves nothing behind.
TEST(ScoreServerScriptChecksTest, ItsOwnFileIsServedAndSavesUseATemporaryFileOfTheirOwn) {
    ScratchFolder dir;
    const std::string data = dir.file("scores.json");
    std::ofstream(data) << "{\"globals\": " << counters(64)
                        << R"(, "scores": {"2_1": [{"name": "AMY", "score": 70, "ships": "3,6"}]}})";
    std::filesystem::create_directory(dir.file("scores.json.tmp"));
    StandIn server(data);
    ASSERT_FALSE(server.address.empty()) << server.errors;
    const std::string db = server.address + "/extras/vantorix_db/";
    EXPECT_EQ(ofLoadURL(db + "getscores.php?mode=2&coop=1").data.getText(), "success\n70\tAMY\n");
    EXPECT_EQ(ofLoadURL(db + "getglobalstat.php?name=global_foes_killed&version=15").data.getText(), "success\n1\n");
    std::ofstream(data) << R"({"globals": {}, "scores": {}})";  // its memory, not the file, is what it saves
    EXPECT_EQ(ofLoadURL(db + "sendscore.php?name=ZED&score=5&mode=1&coop=0&ships=0&build=0").status, 200);
    const std::string saved = readAll(data);
    EXPECT_EQ(saved.substr(saved.find("\n \"scores\"")),
              "\n \"scores\": {\n  \"1_0\": [\n   {\n    \"name\": \"ZED\",\n    \"score\": 5,\n    \"ships\": \"0\"\n"
              "   }\n  ],\n  \"2_1\": [\n   {\n    \"name\": \"AMY\",\n    \"score\": 70,\n    \"ships\": \"3,6\"\n   }\n"
              "  ]\n }\n}");
    struct stat st {};
    EXPECT_TRUE(::stat(data.c_str(), &st) == 0 && (st.st_mode & 0777) == 0640) << std::oct << st.st_mode;
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (Lines{"scores.json", "scores.json.tmp"}));
}

// The time-out holds for the whole request: a client dripping a byte every
// 50 ms never completes its request line and is cut off after the second.
TEST(ScoreServerScriptChecksTest, AClientDrippingItsRequestIsCutOffAtTheRequestsTimeOut) {
    ScratchFolder dir;
    StandIn server(dir.file("scores.json"));
    ASSERT_FALSE(server.address.empty()) << server.errors;
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    const std::string port = server.address.substr(server.address.rfind(':') + 1);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(static_cast<uint16_t>(std::stoi(port)));
    ASSERT_EQ(connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)), 0);
    const auto start = std::chrono::steady_clock::now();
    const auto elapsed = [&] { return std::chrono::steady_clock::now() - start; };
    bool closed = false;
    // A minute of dripping would never end the request line.
    while (!closed && elapsed() < std::chrono::seconds(15)) {
        pollfd p{fd, POLLIN, 0};
        char c = 0;
        if (poll(&p, 1, 50) > 0) closed = recv(fd, &c, 1, 0) <= 0;
        else closed = send(fd, "G", 1, MSG_NOSIGNAL) != 1;
    }
    close(fd);
    EXPECT_TRUE(closed);
    EXPECT_GE(elapsed(), std::chrono::milliseconds(900));
}
