#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ofAppRunner.h"
#include "ofBaseApp.h"
#include "ofEvents.h"
#include "ofLog.h"

namespace {

std::vector<std::string> journal;

struct RecordingApp : ofBaseApp {
    void setup() override { journal.push_back("app.setup"); }
    void update() override { journal.push_back("app.update"); }
    void draw() override { journal.push_back("app.draw"); }
    void exit() override { journal.push_back("app.exit"); }
    void windowResized(int w, int h) override { journal.push_back("app.resized " + pair(w, h)); }
    void keyPressed(int key) override { journal.push_back("app.keyPressed " + std::to_string(key)); }
    void keyReleased(int key) override { journal.push_back("app.keyReleased " + std::to_string(key)); }
    void mouseMoved(int x, int y) override { journal.push_back("app.moved " + pair(x, y) + seen()); }
    void mouseDragged(int x, int y, int b) override {
        journal.push_back("app.dragged " + pair(x, y) + " " + std::to_string(b) + seen());
    }
    void mousePressed(int x, int y, int b) override {
        journal.push_back("app.pressed " + pair(x, y) + " " + std::to_string(b) + seen());
    }
    void mouseReleased(int x, int y, int b) override {
        journal.push_back("app.released " + pair(x, y) + " " + std::to_string(b) + seen());
    }
    void mouseReleased() override { journal.push_back("app.released()" + seen()); }
    void windowEntry(int state) override { journal.push_back("app.entry " + std::to_string(state)); }

    static std::string pair(int a, int b) { return std::to_string(a) + "," + std::to_string(b); }
    std::string seen() const { return " seen " + pair(mouseX, mouseY); }
};

struct Listener {
    explicit Listener(std::string n) : name(std::move(n)) {}
    void onVoid(ofEventArgs&) { journal.push_back(name + ".void"); }
    void onKey(ofKeyEventArgs& a) { journal.push_back(name + ".key " + std::to_string(a.key)); }
    void onMouse(ofMouseEventArgs& a) {
        journal.push_back(name + ".mouse " + RecordingApp::pair(a.x, a.y) + " " + std::to_string(a.button));
    }
    void onResize(ofResizeEventArgs& a) { journal.push_back(name + ".resize " + RecordingApp::pair(a.width, a.height)); }
    void onEntry(ofEntryEventArgs& a) { journal.push_back(name + ".entry " + std::to_string(a.state)); }
    void onceThenLeave(ofEventArgs&) {
        journal.push_back(name + ".once");
        ofRemoveListener(ofEvents().draw, this, &Listener::onceThenLeave);
    }
    std::string name;
};

class EventsTest : public testing::Test {
protected:
    void SetUp() override {
        journal.clear();
        ofSetAppPtr(nullptr);
    }
    void TearDown() override { ofSetAppPtr(nullptr); }
};

}  // namespace

TEST_F(EventsTest, ListenersRunInOrderAfterApplicationAndReAddMovesToEnd) {
    ofSetAppPtr(std::make_shared<RecordingApp>());
    Listener a("a"), b("b");
    ofAddListener(ofEvents().update, &a, &Listener::onVoid);
    ofAddListener(ofEvents().update, &b, &Listener::onVoid);
    ofAddListener(ofEvents().update, &a, &Listener::onVoid);
    EXPECT_EQ(ofEvents().update.size(), 2u);
    ofNotifyUpdate();
    EXPECT_EQ(journal, (std::vector<std::string>{"app.update", "b.void", "a.void"}));
    ofRemoveListener(ofEvents().update, &a, &Listener::onVoid);
    ofRemoveListener(ofEvents().update, &b, &Listener::onVoid);
}

TEST_F(EventsTest, DisabledEventStillRunsApplication) {
    ofSetAppPtr(std::make_shared<RecordingApp>());
    Listener a("a");
    ofAddListener(ofEvents().draw, &a, &Listener::onVoid);
    ofEvents().draw.disable();
    ofNotifyDraw();
    ofEvents().draw.enable();
    ofNotifyDraw();
    EXPECT_EQ(journal, (std::vector<std::string>{"app.draw", "app.draw", "a.void"}));
    ofRemoveListener(ofEvents().draw, &a, &Listener::onVoid);
}

TEST_F(EventsTest, ListenerMayRemoveItselfWhileCalled) {
    Listener a("a"), b("b");
    ofAddListener(ofEvents().draw, &a, &Listener::onceThenLeave);
    ofAddListener(ofEvents().draw, &b, &Listener::onVoid);
    ofNotifyDraw();
    ofNotifyDraw();
    EXPECT_EQ(journal, (std::vector<std::string>{"a.once", "b.void", "b.void"}));
    ofRemoveListener(ofEvents().draw, &b, &Listener::onVoid);
}

TEST_F(EventsTest, EveryNotifyFunctionCallsAppThenEvent) {
    auto app = std::make_shared<RecordingApp>();
    ofSetAppPtr(app);
    Listener l("l");
    ofCoreEvents& e = ofEvents();
    ofAddListener(e.setup, &l, &Listener::onVoid);
    ofAddListener(e.exit, &l, &Listener::onVoid);
    ofAddListener(e.keyPressed, &l, &Listener::onKey);
    ofAddListener(e.keyReleased, &l, &Listener::onKey);
    ofAddListener(e.mouseMoved, &l, &Listener::onMouse);
    ofAddListener(e.mouseDragged, &l, &Listener::onMouse);
    ofAddListener(e.mousePressed, &l, &Listener::onMouse);
    ofAddListener(e.mouseReleased, &l, &Listener::onMouse);
    ofAddListener(e.windowResized, &l, &Listener::onResize);
    ofAddListener(e.windowEntered, &l, &Listener::onEntry);

    ofNotifySetup();
    ofNotifyKeyPressed(0x100 + 101);
    ofNotifyKeyReleased('a');
    ofNotifyMouseMoved(10, 20);
    ofNotifyMousePressed(11, 21, 2);
    ofNotifyMouseDragged(12, 22, 2);
    ofNotifyMouseReleased(13, 23, 2);
    ofNotifyWindowResized(1000, 700);
    ofNotifyWindowEntry(1);
    ofNotifyExit();

    std::vector<std::string> expected = {
        "app.setup", "l.void",
        "app.keyPressed 357", "l.key 357",
        "app.keyReleased 97", "l.key 97",
        "app.moved 10,20 seen 0,0", "l.mouse 10,20 0",
        "app.pressed 11,21 2 seen 10,20", "l.mouse 11,21 2",
        "app.dragged 12,22 2 seen 11,21", "l.mouse 12,22 2",
        "app.released 13,23 2 seen 12,22", "app.released() seen 12,22", "l.mouse 13,23 2",
        "app.resized 1000,700", "l.resize 1000,700",
        "app.entry 1", "l.entry 1",
        "app.exit", "l.void",
    };
    EXPECT_EQ(journal, expected);
    EXPECT_EQ(app->mouseX, 13);
    EXPECT_EQ(app->mouseY, 23);
}

TEST_F(EventsTest, WithoutApplicationOnlyEventsAreNotified) {
    Listener l("l");
    ofAddListener(ofEvents().keyReleased, &l, &Listener::onKey);
    ofNotifyKeyReleased(5);
    EXPECT_EQ(journal, (std::vector<std::string>{"l.key 5"}));
    ofRemoveListener(ofEvents().keyReleased, &l, &Listener::onKey);
}

TEST_F(EventsTest, EscapeWithQuitOffIsAnOrdinaryKey) {
    ofSetAppPtr(std::make_shared<RecordingApp>());
    ofSetEscapeQuitsApp(false);
    ofNotifyKeyPressed(27);
    EXPECT_EQ(journal, (std::vector<std::string>{"app.keyPressed 27"}));
    ofSetEscapeQuitsApp(true);
}

namespace {
struct EscapeApp : ofBaseApp {
    void keyPressed(int key) override { std::fprintf(stderr, "app key %d\n", key); }
};
struct EscapeListener {
    void onKey(ofKeyEventArgs& a) { std::fprintf(stderr, "listener key %d\n", a.key); }
};
}  // namespace

TEST(EventsDeathTest, EscapeDeliversKeyThenExits) {
    EXPECT_EXIT(
        {
            ofSetLogLevel(OF_LOG_VERBOSE);
            ofSetAppPtr(std::make_shared<EscapeApp>());
            static EscapeListener l;
            ofAddListener(ofEvents().keyPressed, &l, &EscapeListener::onKey);
            ofNotifyKeyPressed(27);
            std::fprintf(stderr, "still running\n");
            std::_Exit(3);
        },
        testing::ExitedWithCode(0), "^app key 27\nlistener key 27\n$");
}
