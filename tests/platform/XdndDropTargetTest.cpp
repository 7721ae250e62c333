#include <gtest/gtest.h>

#include <unistd.h>

#include "XdndDropTarget.h"

using Files = std::vector<std::string>;

TEST(XdndUriList, FileUrisBecomeDecodedLocalPathsInOrderAndBrokenOrForeignOnesAreSkippedOrKept) {
    char host[256] = {0};
    ASSERT_EQ(gethostname(host, sizeof(host) - 1), 0);
    const std::pair<std::string, Files> cases[] = {
        {"file:///tmp/a%20b.png\r\nfile:///home/u/Z%C3%BCrich.txt\r\n", {"/tmp/a b.png", "/home/u/Z\xc3\xbcrich.txt"}},
        // Comments, blank lines, other schemes and a missing final line break.
        {"# from the shell\r\n\r\nhttp://example.org/x\r\nfile:/etc/hosts", {"/etc/hosts"}},
        {"file://localhost/var/log/x\nfile:///y\nfile://" + std::string(host) + "/srv/f", {"/var/log/x", "/y", "/srv/f"}},
        {"file:///a%2\r\nfile:///b%zz%41\r\nfile:///c%", {"/a%2", "/b%zzA", "/c%"}},
        {"file://elsewhere.example/x\r\nfile://\r\nfile:relative\r\n", {}},
        {"file:///x%00y\r\nfile:///ok", {"/ok"}},  // an escaped NUL cannot name a file
    };
    for (const auto& c : cases) EXPECT_EQ(XdndDropTarget::parseUriList(c.first), c.second) << c.first;
    XdndDropTarget target;  // not attached: polls nothing
    XdndDropTarget::Drop drop;
    EXPECT_FALSE(target.attached() || target.proxyWindow() != 0ul || target.poll(drop));
}
