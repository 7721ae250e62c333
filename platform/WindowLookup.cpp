#include "WindowLookup.h"

#include <mutex>

namespace {

std::mutex& lookupMutex() {
    static std::mutex* m = new std::mutex;
    return *m;
}

unsigned long recordedId = 0;
std::string* recordedTitle = new std::string;

// Titles are UTF-8 here and wide strings on the caller's side.
std::string toUtf8(const wchar_t* text) {
    std::string out;
    for (; *text; ++text) {
        unsigned long c = static_cast<unsigned long>(*text);
        if (c > 0x10FFFF) c = 0xFFFD;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

}  // namespace

void vxRecordWindow(unsigned long windowId) {
    std::lock_guard<std::mutex> lock(lookupMutex());
    recordedId = windowId;
}

void vxRecordWindowTitle(const std::string& title) {
    std::lock_guard<std::mutex> lock(lookupMutex());
    *recordedTitle = title;
}

unsigned long vxRecordedWindow() {
    std::lock_guard<std::mutex> lock(lookupMutex());
    return recordedId;
}

unsigned long FindWindowW(const wchar_t* /*className*/, const wchar_t* windowName) {
    if (!windowName) return 0;
    std::string wanted = toUtf8(windowName);
    std::lock_guard<std::mutex> lock(lookupMutex());
    if (recordedId == 0 || wanted != *recordedTitle) return 0;
    return recordedId;
}
