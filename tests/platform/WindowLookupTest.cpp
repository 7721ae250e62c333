#include <gtest/gtest.h>

#include <thread>

#include "WindowLookup.h"

namespace {

// The record is the whole process's; it starts empty, with nothing recorded.
class WindowLookup : public testing::Test {
protected:
    void TearDown() override {
        vxRecordWindow(0);
        vxRecordWindowTitle("");
    }
};

}  // namespace

TEST_F(WindowLookup, FindsTheRecordedWindowOnlyByItsCurrentTitle) {
    EXPECT_EQ(FindWindowW(nullptr, L"VANTORIX"), 0ul);  // nothing recorded yet
    vxRecordWindow(0x2a00007);
    EXPECT_EQ(FindWindowW(nullptr, L""), 0x2a00007ul);  // a new window's title is empty
    EXPECT_EQ(FindWindowW(nullptr, L"VANTORIX"), 0ul);
    vxRecordWindowTitle("VANTORIX");
    EXPECT_EQ(FindWindowW(L"GLUT", L"VANTORIX"), 0x2a00007ul);
    for (const wchar_t* other : {L"vantorix", L"VANTORIX ", static_cast<const wchar_t*>(nullptr)})
        EXPECT_EQ(FindWindowW(nullptr, other), 0ul);
    vxRecordWindowTitle("Z\xc3\xbcrich \xe2\x82\xac");
    std::thread([] { EXPECT_EQ(FindWindowW(nullptr, L"Z\u00fcrich \u20ac"), 0x2a00007ul); }).join();  // seen from another thread
}
