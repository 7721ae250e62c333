#include <gtest/gtest.h>

#include <unistd.h>

#include "XdndDropTarget.h"

using Files = std::vector<std::string>;

TEST(XdndUriList, FileUrisBecomeDecodedLocalPathsInOrder) {
    EXPECT_EQ(XdndDropTarget::parseUriList("file:///tmp/a%20b.png\r\nfile:///home/u/Z%C3%BCrich.txt\r\n"),
              (Files{"/tmp/a b.png", "/home/u/Z\xc3\xbcrich.txt"}));
    // Comments, blank lines, other schemes and a missing final line break.
    EXPECT_EQ(XdndDropTarget::parseUriList("# from the shell\r\n\r\nhttp://example.org/x\r\nfile:/etc/hosts"),
              (Files{"/etc/hosts"}));
    EXPECT_EQ(XdndDropTarget::parseUriList("file://localhost/var/log/x\nfile:///y\n"), (Files{"/var/log/x", "/y"}));
}

TEST(XdndUriList, BrokenEscapesStayAndForeignHostsAreSkipped) {
    EXPECT_EQ(XdndDropTarget::parseUriList("file:///a%2\r\nfile:///b%zz%41\r\nfile:///c%"),
              (Files{"/a%2", "/b%zzA", "/c%"}));
    EXPECT_EQ(XdndDropTarget::parseUriList("file://elsewhere.example/x\r\nfile://\r\nfile:relative\r\n"), Files{});
    // An escaped NUL cannot name a file.
    EXPECT_EQ(XdndDropTarget::parseUriList("file:///x%00y\r\nfile:///ok"), (Files{"/ok"}));

    char host[256] = {0};
    ASSERT_EQ(gethostname(host, sizeof(host) - 1), 0);
    EXPECT_EQ(XdndDropTarget::parseUriList(std::string("file://") + host + "/srv/f"), (Files{"/srv/f"}));
    EXPECT_EQ(XdndDropTarget::parseUriList(""), Files{});
}

TEST(XdndDropTarget, NotAttachedPollsNothing) {
    XdndDropTarget target;
    XdndDropTarget::Drop drop;
    EXPECT_FALSE(target.attached());
    EXPECT_EQ(target.proxyWindow(), 0ul);
    EXPECT_FALSE(target.poll(drop));
    EXPECT_TRUE(drop.files.empty());
}
