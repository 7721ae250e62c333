#include "ScoreServer.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "PlayerData.h"
#include "ofLog.h"
#include "ofURLFileLoader.h"
#include "ofUtils.h"

namespace {

const char* const basePath = "/extras/vantorix_db/";
const std::size_t maxScoreRows = 100;

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return std::string();
    const std::size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

// A row as it can be shown in a log line: bytes outside printable ASCII as
// \xNN, so a server cannot put control codes on the console.
std::string printable(const std::string& text) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : text) {
        if (c >= 0x20 && c <= 0x7E) out += static_cast<char>(c);
        else out += std::string("\\x") + hex[c >> 4] + hex[c & 0x0F];
    }
    return out;
}

bool wholeNumber(const std::string& text, long long& value) {
    const std::string t = trimmed(text);
    if (t.empty() || t.find('\0') != std::string::npos) return false;
    char* end = nullptr;
    errno = 0;
    const long long v = std::strtoll(t.c_str(), &end, 10);
    if (errno != 0 || end == nullptr || *end != '\0') return false;
    value = v;
    return true;
}

}  // namespace

std::string ScoreServer::encode(const std::string& text) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : text) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
                           c == '_' || c == '.' || c == '~';
        if (plain) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 0x0F];
        }
    }
    return out;
}

std::string ScoreServer::shipList(const std::vector<int>& shipTypes) {
    std::string out;
    for (std::size_t i = 0; i < shipTypes.size(); ++i) out += (i ? "," : "") + std::to_string(shipTypes[i]);
    return out;
}

bool ScoreServer::enabled() const {
    return !address.empty();
}

std::string ScoreServer::sendScoreUrl(const std::string& name, int score, int mode, bool coop,
                                      const std::vector<int>& shipTypes, bool build) const {
    return address + basePath + "sendscore.php?name=" + encode(name) + "&score=" + std::to_string(score) +
           "&mode=" + std::to_string(mode) + "&coop=" + (coop ? "1" : "0") + "&ships=" + encode(shipList(shipTypes)) +
           "&build=" + (build ? "1" : "0");
}

std::string ScoreServer::getScoresUrl(int mode, bool coop) const {
    return address + basePath + "getscores.php?mode=" + std::to_string(mode) + "&coop=" + (coop ? "1" : "0");
}

std::string ScoreServer::sendGlobalStatUrl(const std::string& name, long long value, float version,
                                           const std::string& fromSteam) const {
    return address + basePath + "sendglobalstat.php?name=" + encode(name) + "&value=" + std::to_string(value) +
           "&version=" + encode(ofToString(version)) + "&steam=" + encode(fromSteam);
}

std::string ScoreServer::getGlobalStatUrl(const std::string& name, float version) const {
    return address + basePath + "getglobalstat.php?name=" + encode(name) + "&version=" + encode(ofToString(version));
}

ServerReply ScoreServer::request(const std::string& endpoint, const std::string& url, ofURLFileLoader* given) const {
    ofURLFileLoader own;
    ofURLFileLoader& loader = given != nullptr ? *given : own;
    ServerReply reply;
    loader.setTimeoutMillis(timeoutMillis);
    ofHttpRequest get(url, url);
    get.maxBodySize = maxReplySize;
    ofHttpResponse response = loader.handleRequest(get);
    std::string reason;
    if (response.status != 200) {
        reason = response.status < 0 ? response.error : "status " + std::to_string(response.status);
    } else {
        // Line by line over every byte: a zero byte spoils only its own row.
        const std::vector<std::string> lines =
            splitLines(std::string(response.data.getBinaryBuffer(), response.data.size()));
        if (lines.empty() || trimmed(lines.front()) != "success") {
            reason = "no success in the reply";
        } else {
            reply.ok = true;
            reply.lines.assign(lines.begin() + 1, lines.end());
        }
    }
    // A cancel comes from the worker's owner as it stops: nothing went wrong.
    if (!reply.ok && !(response.status < 0 && loader.isCancelled()))
        ofLogWarning("ScoreServer") << endpoint << " failed: " << reason;
    return reply;
}

ServerReply ScoreServer::requestWithRetries(const std::string& endpoint, const std::string& url, int tries,
                                            const std::function<bool()>& stopped, ofURLFileLoader* loader) const {
    ServerReply reply;
    for (int attempt = 0; attempt < tries && !stopped(); ++attempt) {
        if (attempt > 0) {
            waitUnlessStopped(retryWaitMillis, stopped);
            if (stopped()) break;
        }
        reply = request(endpoint, url, loader);
        if (reply.ok) break;
    }
    return reply;
}

std::vector<std::string> ScoreServer::splitLines(const std::string& body) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < body.size()) {
        std::size_t end = body.find('\n', start);
        if (end == std::string::npos) end = body.size();
        std::string line = body.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

std::vector<ScoreEntry> ScoreServer::parseScores(const std::vector<std::string>& lines) {
    std::vector<ScoreEntry> entries;
    int badRows = 0;
    for (const std::string& line : lines) {
        if (entries.size() >= maxScoreRows) break;
        if (trimmed(line).empty()) continue;
        const std::size_t tab = line.find('\t');
        long long score = 0;
        if (tab == std::string::npos || !wholeNumber(line.substr(0, tab), score) || score < 0 || score > 2147483647 ||
            tab + 1 == line.size() || !PlayerData::validName(line.substr(tab + 1))) {
            // A hostile reply may hold thousands of long rows: the log shows
            // a few, cut short.
            if (++badRows <= loggedBadRows) {
                const bool cut = line.size() > loggedRowBytes;
                ofLogWarning("ScoreServer") << "getscores.php: skipped a bad row \""
                                            << printable(line.substr(0, loggedRowBytes)) << "\""
                                            << (cut ? "... (" + std::to_string(line.size()) + " bytes)" : "");
            }
            continue;
        }
        ScoreEntry entry;
        entry.score = static_cast<int>(score);
        entry.name = line.substr(tab + 1);
        entries.push_back(entry);
    }
    if (badRows > loggedBadRows)
        ofLogWarning("ScoreServer") << "getscores.php: skipped " << badRows - loggedBadRows << " more bad rows";
    return entries;
}

bool ScoreServer::parseTotal(const std::vector<std::string>& lines, long long& total) {
    if (lines.empty() || !wholeNumber(lines.front(), total)) {
        ofLogWarning("ScoreServer") << "getglobalstat.php failed: no whole number in the reply";
        return false;
    }
    return true;
}

void ScoreServer::waitUnlessStopped(long millis, const std::function<bool()>& stopped) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(millis);
    while (!stopped() && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
}
