#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "RecordingRenderer.h"
#include "ofAppRunner.h"
#include "ofBaseApp.h"
#include "ofEvents.h"
#include "ofGraphics.h"

namespace {

using Lines = std::vector<std::string>;
auto renderer = std::make_shared<RecordingRenderer>();
Lines& journal = renderer->calls;  // the renderer's update() lands here in order too

std::string pair(int a, int b) { return std::to_string(a) + "," + std::to_string(b); }

struct RecordingApp : ofBaseApp {
    void note(const std::string& line) { journal.push_back("app." + line + " seen " + pair(mouseX, mouseY)); }
    void setup() override { note("setup"); }
    void update() override { note("update"); }
    void draw() override { note("draw"); }
    void exit() override { note("exit"); }
    void windowResized(int w, int h) override { note("resized " + pair(w, h)); }
    void keyPressed(int key) override { note("key " + std::to_string(key)); }
    void mouseMoved(int x, int y) override { note("moved " + pair(x, y)); }
    void mouseReleased(int x, int y, int b) override { note("released " + pair(x, y) + " " + std::to_string(b)); }
    void mouseReleased() override { note("released()"); }
};

struct Listener {
    explicit Listener(std::string n) : name(std::move(n)) {}
    void onVoid(ofEventArgs&) { journal.push_back(name); }
    void onKey(ofKeyEventArgs& a) { journal.push_back(name + ".key " + std::to_string(a.key)); }
    void onMouse(ofMouseEventArgs& a) { journal.push_back(name + ".mouse " + pair(a.x, a.y) + " " + std::to_string(a.button)); }
    void onceThenLeave(ofEventArgs&) {
        journal.push_back(name + ".once");
        ofRemoveListener(ofEvents().draw, this, &Listener::onceThenLeave);
    }
    std::string name;
};

// The events, the renderer, the application and the Escape switch belong to
// the whole process: each test takes its listeners off itself, as they live
// on its stack, and the rest is put back here.
class EventsTest : public testing::Test {
protected:
    void SetUp() override { journal.clear(); }
    void TearDown() override {
        ofSetAppPtr(nullptr);
        ofSetCurrentRenderer(nullptr);
        ofSetEscapeQuitsApp(true);
    }
};

}  // namespace

TEST_F(EventsTest, TheRendererThenTheAppThenListenersInOrderAndAReAddMovesToTheEnd) {
    ofSetCurrentRenderer(renderer);
    ofSetAppPtr(std::make_shared<RecordingApp>());
    Listener a("a"), b("b"), l("l");
    ofCoreEvents& e = ofEvents();
    for (Listener* x : {&a, &b, &a}) ofAddListener(e.update, x, &Listener::onVoid);
    ofAddListener(e.draw, &a, &Listener::onceThenLeave);  // leaves during its own call
    ofAddListener(e.draw, &b, &Listener::onVoid);
    ofAddListener(e.exit, &l, &Listener::onVoid);
    ofAddListener(e.keyPressed, &l, &Listener::onKey);
    for (auto* mouse : {&e.mouseMoved, &e.mouseReleased}) ofAddListener(*mouse, &l, &Listener::onMouse);
    journal.clear();
    ofNotifyUpdate();
    ofNotifyDraw();
    e.draw.disable();  // a disabled event still runs the application
    ofNotifyDraw();
    e.draw.enable();
    ofNotifySetup();
    ofNotifyKeyPressed(0x100 + 101);
    ofNotifyMouseMoved(10, 20);
    ofNotifyMouseReleased(13, 23, 2);
    ofNotifyWindowResized(1000, 700);
    ofNotifyExit();
    EXPECT_EQ(journal, (Lines{"update()", "app.update seen 0,0", "b", "a", "app.draw seen 0,0", "a.once", "b",
                              "app.draw seen 0,0", "app.setup seen 0,0", "app.key 357 seen 0,0", "l.key 357",
                              "app.moved 10,20 seen 0,0", "l.mouse 10,20 0", "app.released 13,23 2 seen 10,20",
                              "app.released() seen 10,20", "l.mouse 13,23 2", "app.resized 1000,700 seen 13,23",
                              "app.exit seen 13,23", "l"}));

    // Without an application only listeners hear; Escape may be an ordinary key.
    ofSetAppPtr(nullptr);
    ofSetEscapeQuitsApp(false);
    ofNotifyKeyPressed(27);
    EXPECT_EQ(journal.back(), "l.key 27");

    for (Listener* x : {&a, &b}) ofRemoveListener(e.update, x, &Listener::onVoid);
    ofRemoveListener(e.draw, &b, &Listener::onVoid);
    ofRemoveListener(e.exit, &l, &Listener::onVoid);
    ofRemoveListener(e.keyPressed, &l, &Listener::onKey);
    for (auto* mouse : {&e.mouseMoved, &e.mouseReleased}) ofRemoveListener(*mouse, &l, &Listener::onMouse);
}

TEST_F(EventsTest, ListenersRemovedDuringACallAreSkippedAndAddedOnesWait) {
    struct Juggler {
        Listener kept{"kept"}, late{"late"}, *doomed = new Listener("doomed");
        void onVoid(ofEventArgs&) {
            journal.push_back("juggler");
            if (!doomed) return;
            for (Listener* l : {&kept, doomed}) ofRemoveListener(ofEvents().draw, l, &Listener::onVoid);
            delete std::exchange(doomed, nullptr);
            ofAddListener(ofEvents().draw, &late, &Listener::onVoid);
        }
    } juggler;
    ofAddListener(ofEvents().draw, &juggler, &Juggler::onVoid);
    for (Listener* l : {&juggler.kept, juggler.doomed}) ofAddListener(ofEvents().draw, l, &Listener::onVoid);
    ofNotifyDraw();
    ofNotifyDraw();
    EXPECT_EQ(journal, (Lines{"juggler", "juggler", "late"}));

    ofRemoveListener(ofEvents().draw, &juggler, &Juggler::onVoid);
    ofRemoveListener(ofEvents().draw, &juggler.late, &Listener::onVoid);
}
