#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "ofAppRunner.h"
#include "ofBaseApp.h"
#include "ofEvents.h"
#include "ofLog.h"

namespace {

std::vector<std::string> journal;

std::string pair(int a, int b) { return std::to_string(a) + "," + std::to_string(b); }

struct RecordingApp : ofBaseApp {
    void note(const std::string& line) { journal.push_back("app." + line); }
    void mouse(const std::string& what, int x, int y, const std::string& b) {
        note(what + " " + pair(x, y) + b + " seen " + pair(mouseX, mouseY));
    }
    void setup() override { note("setup"); }
    void update() override { note("update"); }
    void draw() override { note("draw"); }
    void exit() override { note("exit"); }
    void windowResized(int w, int h) override { note("resized " + pair(w, h)); }
    void keyPressed(int key) override { note("keyPressed " + std::to_string(key)); }
    void keyReleased(int key) override { note("keyReleased " + std::to_string(key)); }
    void mouseMoved(int x, int y) override { mouse("moved", x, y, ""); }
    void mouseDragged(int x, int y, int b) override { mouse("dragged", x, y, " " + std::to_string(b)); }
    void mousePressed(int x, int y, int b) override { mouse("pressed", x, y, " " + std::to_string(b)); }
    void mouseReleased(int x, int y, int b) override { mouse("released", x, y, " " + std::to_string(b)); }
    void mouseReleased() override { note("released() seen " + pair(mouseX, mouseY)); }
    void windowEntry(int state) override { note("entry " + std::to_string(state)); }
};

struct Listener {
    explicit Listener(std::string n) : name(std::move(n)) {}
    void onVoid(ofEventArgs&) { journal.push_back(name + ".void"); }
    void onKey(ofKeyEventArgs& a) { journal.push_back(name + ".key " + std::to_string(a.key)); }
    void onMouse(ofMouseEventArgs& a) {
        journal.push_back(name + ".mouse " + pair(a.x, a.y) + " " + std::to_string(a.button));
    }
    void onResize(ofResizeEventArgs& a) { journal.push_back(name + ".resize " + pair(a.width, a.height)); }
    void onEntry(ofEntryEventArgs& a) { journal.push_back(name + ".entry " + std::to_string(a.state)); }
    void onceThenLeave(ofEventArgs&) {
        journal.push_back(name + ".once");
        ofRemoveListener(ofEvents().draw, this, &Listener::onceThenLeave);
    }
    std::string name;
};

using Lines = std::vector<std::string>;

}  // namespace

// Every test runs in its own process, so listeners left behind harm no other test.
TEST(EventsTest, ListenersRunInOrderAfterApplicationAndReAddMovesToEnd) {
    ofSetAppPtr(std::make_shared<RecordingApp>());
    Listener a("a"), b("b");
    ofAddListener(ofEvents().update, &a, &Listener::onVoid);
    ofAddListener(ofEvents().update, &b, &Listener::onVoid);
    ofAddListener(ofEvents().update, &a, &Listener::onVoid);
    ofNotifyUpdate();
    EXPECT_EQ(journal, (Lines{"app.update", "b.void", "a.void"}));

    // A disabled event still runs the application.
    journal.clear();
    ofAddListener(ofEvents().draw, &a, &Listener::onVoid);
    ofEvents().draw.disable();
    ofNotifyDraw();
    ofEvents().draw.enable();
    ofNotifyDraw();
    EXPECT_EQ(journal, (Lines{"app.draw", "app.draw", "a.void"}));
}

TEST(EventsTest, ListenerMayRemoveItselfWhileCalled) {
    Listener a("a"), b("b");
    ofAddListener(ofEvents().draw, &a, &Listener::onceThenLeave);
    ofAddListener(ofEvents().draw, &b, &Listener::onVoid);
    ofNotifyDraw();
    ofNotifyDraw();
    EXPECT_EQ(journal, (Lines{"a.once", "b.void", "b.void"}));
}

TEST(EventsTest, EveryNotifyFunctionCallsAppThenEvent) {
    auto app = std::make_shared<RecordingApp>();
    ofSetAppPtr(app);
    Listener l("l");
    ofCoreEvents& e = ofEvents();
    ofAddListener(e.setup, &l, &Listener::onVoid);
    ofAddListener(e.exit, &l, &Listener::onVoid);
    ofAddListener(e.keyPressed, &l, &Listener::onKey);
    ofAddListener(e.keyReleased, &l, &Listener::onKey);
    for (auto* m : {&e.mouseMoved, &e.mouseDragged, &e.mousePressed, &e.mouseReleased})
        ofAddListener(*m, &l, &Listener::onMouse);
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
    EXPECT_EQ(journal, (Lines{"app.setup", "l.void", "app.keyPressed 357", "l.key 357", "app.keyReleased 97",
                              "l.key 97", "app.moved 10,20 seen 0,0", "l.mouse 10,20 0",
                              "app.pressed 11,21 2 seen 10,20", "l.mouse 11,21 2", "app.dragged 12,22 2 seen 11,21",
                              "l.mouse 12,22 2", "app.released 13,23 2 seen 12,22", "app.released() seen 12,22",
                              "l.mouse 13,23 2", "app.resized 1000,700", "l.resize 1000,700", "app.entry 1",
                              "l.entry 1", "app.exit", "l.void"}));
    EXPECT_EQ(pair(app->mouseX, app->mouseY), "13,23");
}

TEST(EventsTest, WithoutApplicationOnlyEventsAreNotifiedAndEscapeCanBeAnOrdinaryKey) {
    Listener l("l");
    ofAddListener(ofEvents().keyReleased, &l, &Listener::onKey);
    ofNotifyKeyReleased(5);
    ofSetAppPtr(std::make_shared<RecordingApp>());
    ofSetEscapeQuitsApp(false);
    ofNotifyKeyPressed(27);
    EXPECT_EQ(journal, (Lines{"l.key 5", "app.keyPressed 27"}));
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

TEST(EventsTest, ListenersRemovedDuringACallAreSkippedAndAddedOnesWait) {
    static Listener kept("kept"), late("late"), *doomed = new Listener("doomed");
    struct Juggler {
        void onVoid(ofEventArgs&) {
            journal.push_back("juggler");
            if (!doomed) return;
            for (Listener* l : {&kept, doomed}) ofRemoveListener(ofEvents().draw, l, &Listener::onVoid);
            delete std::exchange(doomed, nullptr);
            ofAddListener(ofEvents().draw, &late, &Listener::onVoid);
        }
    } juggler;
    ofAddListener(ofEvents().draw, &juggler, &Juggler::onVoid);
    for (Listener* l : {&kept, doomed}) ofAddListener(ofEvents().draw, l, &Listener::onVoid);
    ofNotifyDraw();
    ofNotifyDraw();
    EXPECT_EQ(journal, (Lines{"juggler", "juggler", "late.void"}));
}
