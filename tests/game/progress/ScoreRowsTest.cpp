#include <gtest/gtest.h>

#include <algorithm>

#include "ProgressTestSupport.h"
#include "ScoreServer.h"

using namespace progress_test;

namespace {

std::string shown(const std::vector<ScoreEntry>& rows) {
    std::string out;
    for (const ScoreEntry& row : rows) out += std::to_string(row.score) + ":" + row.name + ";";
    return out;
}

}  // namespace

// Rows end at LF only, so a CR inside a row keeps the row whole (and bad)
// instead of passing its first half as a row.
TEST(ScoreRowsTest, ADownloadedTableSplitsAtLineFeedsOnlyAndRefusesEmptyNames) {
    const struct {
        const char* what;
        std::string body, rows, log;
    } cases[] = {
        {"CRLF ends", "success\r\n900\tZED\r\n800\tAMY\r\n", "900:ZED;800:AMY;", ""},
        {"a bare CR inside a row", "success\n900\tZED\r700\tEVIL\n800\tAMY\n", "800:AMY;",
         "skipped a bad row \"900\\x09ZED\\x0D700\\x09EVIL\"\n"},
        {"a row cut after the tab", "success\n900\t\n800\tAMY", "800:AMY;", "skipped a bad row \"900\\x09\"\n"},
        {"a CR as the name", "success\n900\t\r\n", "", "skipped a bad row \"900\\x09\"\n"},
    };
    ScriptedServer server([&cases](const std::string& line) {
        for (const auto& c : cases)
            if (line.find(ScoreServer::encode(c.what)) != std::string::npos) return ok(c.body);
        return ok("");
    });
    for (const auto& c : cases) {
        std::vector<ScoreEntry> rows;
        const std::string log = quietly([&] {
            const ServerReply reply = server.server().request("getscores.php", server.base + "/" + ScoreServer::encode(c.what));
            EXPECT_TRUE(reply.ok) << c.what;
            rows = ScoreServer::parseScores(reply.lines);
        });
        EXPECT_EQ(shown(rows), c.rows) << c.what;
        std::string expected;
        if (!c.log.empty()) expected = "[ScoreServer:warning] getscores.php: " + c.log;
        EXPECT_EQ(log, expected) << c.what;
    }
    EXPECT_EQ(ScoreServer::splitLines(std::string("a\r\n\nb\rc\n\0\r", 10)),
              (Lines{"a", "", "b\rc", std::string("\0", 1)}));
}

// A hostile reply of long bad rows is logged as a few rows cut to their first
// 80 bytes and one line counting the rest.
TEST(ScoreRowsTest, BadRowsAreLoggedBrieflyWhateverTheirNumberAndLength) {
    const std::string longRow = "1\t" + std::string(65000, 'N');
    const std::string exactRow = "2\t" + std::string(78, 'M');  // 80 bytes: shown whole
    const struct {
        int bad;
        std::string row;
        std::string firstLine;
        int lines;
    } cases[] = {
        {1, exactRow, "skipped a bad row \"2\\x09" + std::string(78, 'M') + "\"", 1},
        {5, longRow, "skipped a bad row \"1\\x09" + std::string(78, 'N') + "\"... (65002 bytes)", 5},
        {3000, longRow, "skipped a bad row \"1\\x09" + std::string(78, 'N') + "\"... (65002 bytes)", 6},
    };
    for (const auto& c : cases) {
        Lines lines = {"950\tTOP"};
        lines.insert(lines.end(), static_cast<std::size_t>(c.bad), c.row);
        lines.push_back("10\tLAST");
        std::vector<ScoreEntry> rows;
        const std::string log = quietly([&] { rows = ScoreServer::parseScores(lines); });
        EXPECT_EQ(shown(rows), "950:TOP;10:LAST;") << c.bad;
        EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), c.lines) << c.bad;
        EXPECT_EQ(log.substr(0, log.find('\n')), "[ScoreServer:warning] getscores.php: " + c.firstLine) << c.bad;
        if (c.bad > ScoreServer::loggedBadRows) {
            EXPECT_EQ(log.substr(log.rfind('\n', log.size() - 2) + 1),
                      "[ScoreServer:warning] getscores.php: skipped " + std::to_string(c.bad - 5) + " more bad rows\n");
        }
        EXPECT_LT(log.size(), 1000u) << c.bad;
    }
}
