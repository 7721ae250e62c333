#include "ofUtils.h"

#include "ofTestClock.h"

#include <atomic>
#include <chrono>
#include <locale>
#include <sstream>
#include <unistd.h>
#include <vector>

namespace {

uint64_t tick() {
    using namespace std::chrono;
    return static_cast<uint64_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

std::atomic<uint64_t> startMillis{tick()};
std::atomic<uint64_t> startMicros{tick() * 1000};
std::atomic<bool> dataPathEnabled{true};
const char* const dataRoot = "data/";

std::string slashed(std::string s) {
    for (char& c : s)
        if (c == '\\') c = '/';
    return s;
}

template <class T>
std::string streamText(const T& value) {
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << value;
    return out.str();
}

template <class T>
T streamValue(const std::string& text) {
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    T value = 0;
    in >> value;
    return value;
}

}  // namespace

uint64_t ofGetSystemTime() {
    return tick();
}

void ofResetElapsedTimeCounter() {
    startMillis = tick();
    startMicros = tick() * 1000;
}

uint64_t ofGetElapsedTimeMillis() {
    return tick() - startMillis.load();
}

float ofGetElapsedTimef() {
    float fixed = 0.0f;
    if (ofFixedElapsedTimef(fixed)) return fixed;
    uint64_t micros = tick() * 1000 - startMicros.load();
    return static_cast<float>(static_cast<double>(micros) / 1000000.0);
}

void ofDisableDataPath() {
    dataPathEnabled = false;
}

std::string ofToDataPath(const std::string& path, bool makeAbsolute) {
    if (!dataPathEnabled) return path;
    std::string result = path;
    const std::string root = dataRoot;

    bool prepend = true;
    if (!path.empty()) {
        std::string prefix = slashed(path.substr(0, root.size()));
        bool rooted = path[0] == '/';
        bool drive = path.size() > 1 && path[1] == ':';
        prepend = !rooted && !drive && prefix != slashed(root);
    }
    if (prepend) result = root + result;

    if (makeAbsolute && (result.empty() || result[0] != '/')) {
        std::vector<char> cwd(4096);
        while (getcwd(cwd.data(), cwd.size()) == nullptr) {
            if (cwd.size() > (1u << 20)) return result;  // unreadable: keep it relative
            cwd.resize(cwd.size() * 2);
        }
        std::string base = cwd.data();
        if (base.empty() || base.back() != '/') base += '/';
        result = base + result;
    }
    return result;
}

int ofToInt(const std::string& text) {
    return streamValue<int>(text);
}

float ofToFloat(const std::string& text) {
    return streamValue<float>(text);
}

std::string ofToString(int value) { return streamText(value); }
std::string ofToString(unsigned int value) { return streamText(value); }
std::string ofToString(bool value) { return value ? "1" : "0"; }
std::string ofToString(float value) { return streamText(value); }
std::string ofToString(int64_t value) { return streamText(value); }
std::string ofToString(uint64_t value) { return streamText(value); }
