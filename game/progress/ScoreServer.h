#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class ofURLFileLoader;

// One row of a downloaded high-score table.
struct ScoreEntry {
    int score = 0;
    std::string name;
};

// What one request to the score server brought back. ok only for status 200
// with "success" as the trimmed first line; lines holds the rest of the body.
struct ServerReply {
    bool ok = false;
    std::vector<std::string> lines;
};

// The address and manners of the score server, and the four requests it
// answers. A plain value: every worker keeps its own copy.
class ScoreServer {
public:
    // Its answers are a few KB; anything past this is refused unread.
    static constexpr std::uint64_t maxReplySize = 64 * 1024;

    // Every byte but A-Z a-z 0-9 - _ . ~ becomes %XX.
    static std::string encode(const std::string& text);
    // Ship types as "3,6".
    static std::string shipList(const std::vector<int>& shipTypes);

    // Off while no address is set.
    bool enabled() const;

    std::string sendScoreUrl(const std::string& name, int score, int mode, bool coop,
                             const std::vector<int>& shipTypes, bool build) const;
    std::string getScoresUrl(int mode, bool coop) const;
    std::string sendGlobalStatUrl(const std::string& name, long long value, float version,
                                  const std::string& fromSteam) const;
    std::string getGlobalStatUrl(const std::string& name, float version) const;

    // One GET, checked strictly; a failure is one warning naming the endpoint
    // and the reason. Through the given loader, a worker's owner can cancel
    // it; a cancelled request fails without a warning.
    ServerReply request(const std::string& endpoint, const std::string& url, ofURLFileLoader* loader = nullptr) const;
    // Up to `attempts` requests, retryWaitMillis apart; gives up early once
    // stopped() says so (also during the wait).
    ServerReply requestWithRetries(const std::string& endpoint, const std::string& url, int attempts,
                                   const std::function<bool()>& stopped, ofURLFileLoader* loader = nullptr) const;

    // The body's lines, split at LF only (a CR before it is dropped), so a
    // CR inside a row stays in that row.
    static std::vector<std::string> splitLines(const std::string& body);

    // Up to 100 "score<TAB>name" rows; bad rows (empty names, and names
    // breaking the game's own name rule) are skipped. The first few are
    // logged, each cut to its first 80 bytes, then one line counts the rest.
    static std::vector<ScoreEntry> parseScores(const std::vector<std::string>& lines);
    static constexpr int loggedBadRows = 5;
    static constexpr std::size_t loggedRowBytes = 80;
    // One whole number on the first line.
    static bool parseTotal(const std::vector<std::string>& lines, long long& total);

    // Sleeps up to the given time, waking early once stopped() says so.
    static void waitUnlessStopped(long millis, const std::function<bool()>& stopped);

    // Base address, e.g. "http://scores.example.org" (empty: off).
    std::string address;
    long timeoutMillis = 20000;
    int attempts = 3;
    long retryWaitMillis = 2000;
};
