#include <gtest/gtest.h>

#include "ProgressTestSupport.h"
#include "ScoreSubmitOverlay.h"

using namespace progress_test;

namespace {

void prepare(ScoreSubmitOverlay& o, const ScoreServer& server, const std::string& name) {
    o.setup();
    o.setServer(server);
    o.playerName = name;
}

bool settle(ScoreSubmitOverlay& o) {
    return waitFor([&o] { return o.update(1.0f / 30), !o.sending; });
}

}  // namespace

TEST(ScoreSubmitOverlayTest, GuardsKeepBadSubmissionsFromBeingSent) {
    ScriptedServer server([](const std::string&) { return ok("success\n"); });
    ScoreSubmitOverlay o;
    prepare(o, server.server(), "ANN");
    o.open(100, 1, {0}, false);
    for (int i = 0; i < 8; ++i) {
        o.update(0.03f);
        o.submit(false);
        EXPECT_EQ(o.sending, i == 7) << "not within the first eight updates";
    }
    ASSERT_TRUE(settle(o));
    EXPECT_TRUE(o.sent && o.done && !o.busy);
    o.submit(true);  // sent already
    for (int c = 0; c < 3; ++c) {  // an empty name, mission mode, no server
        o.reset();
        if (c == 2) o.setServer(ScoreServer());
        o.playerName = c == 0 ? "" : "ANN";
        o.open(100, c == 1 ? 3 : 1, {0}, false);
        o.submit(true);
        EXPECT_TRUE(!o.sending && o.available == (c == 0)) << c;
    }
    EXPECT_EQ(server.requestCount(), 1u);
}

TEST(ScoreSubmitOverlayTest, AFailureIsShownAndAllowsAnotherTry) {
    ScriptedServer server([](const std::string&) { return ok("unsuccessful\n"); });
    ScoreSubmitOverlay o;
    prepare(o, server.server(), "BOB");
    o.open(10, 4, {2}, true);
    o.submit(true);
    quietly([&] { ASSERT_TRUE(settle(o)); });
    EXPECT_EQ(server.requestCount(), 3u);
    EXPECT_TRUE(o.message == "Could not send score" && !o.sent && !o.done && !o.busy);
    EXPECT_NE(server.requests()[0].find("&coop=0&ships=2&build=1 "), std::string::npos);
}

TEST(ScoreSubmitOverlayTest, ResetWhileARequestHangsReturnsAtOnceAndTheLateAnswerIsIgnored) {
    ScoreSubmitOverlay o;
    ScriptedServer server([](const std::string&) { return ok("success\n"); });
    server.holding = true;
    prepare(o, server.server(1000000), "CAT");
    o.open(10, 1, {0}, false);
    o.submit(true);
    ASSERT_TRUE(waitFor([&] { return server.requestCount() == 1; }));
    o.keyPressed('x');
    o.keyPressed(27);  // escape closes while at work; no typing meanwhile
    EXPECT_TRUE(o.playerName == "CAT" && o.done && o.sending);
    o.reset();
    EXPECT_TRUE(!o.sending && !o.busy && !o.shown);
    server.holding = false;
    for (int i = 0; i < 50; ++i) o.update(0.03f);
    EXPECT_TRUE(!o.sent && !o.done);
}

TEST(ScoreSubmitOverlayTest, DestructionWhileARequestHangsEndsWithoutRetrying) {
    ScriptedServer server([](const std::string&) { return ok("success\n"); });
    server.holding = true;
    quietly([&] {
        ScoreSubmitOverlay o;
        prepare(o, server.server(200, 5000), "DOG");
        o.open(10, 1, {0}, false);
        o.submit(true);
        ASSERT_TRUE(waitFor([&] { return server.requestCount() == 1; }));
    });
    EXPECT_EQ(server.requestCount(), 1u);
    server.holding = false;
}

TEST(ScoreSubmitOverlayTest, KeysAndPadsEditTheNameAndAnAutomaticSubmissionNeedsOnlyPolling) {
    ScoreSubmitOverlay o;
    o.setup();
    o.keyPressed('x');  // closed: no keys
    o.open(5, 1, {0}, false);
    for (char c : std::string("Ab 1~\x7f\x08Zzzzzzzzzzzzz")) o.keyPressed(static_cast<unsigned char>(c));
    o.keyPressed(0x101);
    o.keyPressed(200);
    EXPECT_EQ(o.playerName, "Ab Zzzzzzzzz");
    o.playerName.clear();
    o.cursor = 0;
    o.handleInput(0, 1, true, false, false, false);    // B
    o.handleInput(0, -2, true, false, false, false);   // space (wraps back past A)
    o.handleInput(-1, -1, true, false, false, false);  // 9, before the space
    o.handleInput(1, 0, false, false, true, false);    // erase the blank
    EXPECT_EQ(o.playerName, "B9");
    o.handleInput(0, 0, false, false, false, true);
    EXPECT_TRUE(o.done);

    ScriptedServer server([](const std::string&) { return ok("success\n"); });
    prepare(o, server.server(), "EVE");
    o.toggleAutoSubmit();
    o.reset();
    o.open(250, 1, {0}, false);
    o.submit(true);
    ASSERT_TRUE(waitFor([&] { return o.poll(), !o.busy; }));
    EXPECT_TRUE(o.autoSubmit && o.sent && o.updatesSinceOpen == 0);
}
