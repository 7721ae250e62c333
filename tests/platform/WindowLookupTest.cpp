#include <gtest/gtest.h>

#include <thread>

#include "WindowLookup.h"

TEST(WindowLookup, FindsTheRecordedWindowOnlyByItsCurrentTitle) {
    EXPECT_EQ(FindWindowW(nullptr, L"VANTORIX"), 0ul);  // nothing recorded yet

    vxRecordWindow(0x2a00007);
    EXPECT_EQ(vxRecordedWindow(), 0x2a00007ul);
    EXPECT_EQ(FindWindowW(nullptr, L""), 0x2a00007ul);  // a new window's title is empty
    EXPECT_EQ(FindWindowW(nullptr, L"VANTORIX"), 0ul);

    vxRecordWindowTitle("VANTORIX");
    EXPECT_EQ(FindWindowW(nullptr, L"VANTORIX"), 0x2a00007ul);
    EXPECT_EQ(FindWindowW(L"GLUT", L"VANTORIX"), 0x2a00007ul);
    EXPECT_EQ(FindWindowW(nullptr, L"vantorix"), 0ul);
    EXPECT_EQ(FindWindowW(nullptr, L"VANTORIX "), 0ul);
    EXPECT_EQ(FindWindowW(nullptr, nullptr), 0ul);

    vxRecordWindowTitle("Z\xc3\xbcrich \xe2\x82\xac");
    EXPECT_EQ(FindWindowW(nullptr, L"Z\u00fcrich \u20ac"), 0x2a00007ul);

    // Another thread sees what the main thread recorded.
    unsigned long seen = 0;
    std::thread other([&] { seen = FindWindowW(nullptr, L"Z\u00fcrich \u20ac"); });
    other.join();
    EXPECT_EQ(seen, 0x2a00007ul);
}
