#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <sstream>
#include <string>
#include <vector>

#include "CapturedOutput.h"
#include "../game/core/CoreTestSupport.h"
#include "PixelFont.h"
#include "RecordingRenderer.h"
#include "WindowLookup.h"
#include "ofAppRunner.h"
#include "ofEvents.h"
#include "ofGraphics.h"
#include "ofMath.h"
#include "ofTestClock.h"
#include "ofxGamepadFakes.h"
#include "ofxGamepadHandler.h"
#include "vantorixPC.h"

// The whole application, set up as main sets it up, driven only through its
// input entry points one frame at a time: keys, mouse and fake pads in; the
// texts drawn, the state, the sounds and the files written out. No window:
// a test window answers the runner and a recording renderer takes the drawing.
class Journey : public testing::Test {
protected:
    struct DrawnText {
        std::string text;
        float size = 0, x = 0, y = 0;
    };
    // A pad-button glyph: the action it shows and where.
    struct DrawnGlyph {
        int button = 0, x = 0, y = 0;
    };
    static constexpr int keyEnter = 13, keyEscape = 27, keyCtrlQ = 17;
    static constexpr int keyLeft = 356, keyUp = 357, keyRight = 358, keyDown = 359;

    void SetUp() override {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        home = std::filesystem::temp_directory_path() /
               ("journey_" + std::string(info->name()) + "_" + std::to_string(getpid()));
        std::filesystem::remove_all(home);
        std::filesystem::create_directories(home / "data");
        previous = std::filesystem::current_path();
        std::filesystem::current_path(home);
        beforeStart();
        captureOutput([&] { ofSetupOpenGL(&window, 960, 960, OF_WINDOW); });
        ofSetCurrentRenderer(recorder);
        ofFixElapsedTimef(0);
        ofFixFrameNum(0);
        ofSeedRandom(7);
        vxRecordWindow(4242);
        vxRecordWindowTitle("VANTORIX");
        ofxGamepadSetInputSystemFactory(devices.factory());
        PixelFont::textObserver = [this](const std::string& text, float size, float x, float y) {
            drawn.push_back({text, size, x, y});
        };
        GameCore::padButtonObserver = [this](int button, int x, int y) { glyphs.push_back({button, x, y}); };
        app.reset(new vantorixPC);
        app->core.soundBank.makePlayer = [this] { return std::make_shared<SoundCallCounter>(sounds); };
        // The runner runs one update between the set-up and the first frame.
        console += captureOutput([&] {
                       app->setup();
                       app->update();
                   }).out;
        deliverResize();
        moveMouse(480, 480);
    }
    void TearDown() override {
        app.reset();
        // Stops the pad handler's hot-plug thread before the fake devices go.
        captureOutput([] { ofNotifyExit(); });
        PixelFont::textObserver = nullptr;
        GameCore::padButtonObserver = nullptr;
        ofxGamepadSetInputSystemFactory(nullptr);
        vxRecordWindowTitle("");
        vxRecordWindow(0);
        ofReleaseFixedClock();
        ofSetCurrentRenderer(nullptr);
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(home);
    }
    // Runs before the application exists: write files into data/ here.
    virtual void beforeStart() {}

    // One frame as the main loop runs it: update, then draw.
    void frame(float dt = 1.0f / 30) {
        now += dt;
        ofFixElapsedTimef(now);
        ofFixFrameNum(++frameNum);
        deliverResize();
        console += captureOutput([&] {
                       app->update();
                       drawn.clear();
                       glyphs.clear();
                       recorder->reset();
                       app->draw();
                   }).out;
    }
    void wait(float seconds) {
        for (float t = 0; t < seconds; t += 1.0f / 30) frame();
    }
    // Frames until the text is drawn; false when it never is.
    bool waitFor(const std::string& text, float seconds = 10) {
        for (float t = 0; t < seconds; t += 1.0f / 30)
            if (frame(), shows(text)) return true;
        return false;
    }
    // Frames until the condition holds; false when it never does.
    template <class F>
    bool waitUntil(F condition, float seconds = 10) {
        for (float t = 0; t < seconds; t += 1.0f / 30) {
            if (condition()) return true;
            frame();
        }
        return condition();
    }

    void press(int key) {
        console += captureOutput([&] {
                       app->keyPressed(key);
                       app->keyReleased(key);
                   }).out;
        frame();
    }
    void type(const std::string& text) {
        for (char c : text) press(static_cast<unsigned char>(c));
    }
    // Positions are the game's own (virtual) coordinates.
    void moveMouse(float x, float y) {
        app->mouseMoved(windowX(x), windowY(y));
        // As the runner does: the app keeps the last pointer position, which steers.
        app->mouseX = windowX(x);
        app->mouseY = windowY(y);
    }
    void click(float x, float y) {
        moveMouse(x, y);
        app->mousePressed(windowX(x), windowY(y), 0);
        app->mouseReleased(windowX(x), windowY(y), 0);
        frame();
    }
    // Clicks the middle of a text drawn in the last frame.
    void clickText(const std::string& text) {
        const DrawnText* t = find(text);
        ASSERT_NE(t, nullptr) << "not on screen: " << text << "\nscreen: " << screen();
        const PixelFont& font = app->core.font;
        click(t->x + font.getStringWidth(text, t->size) / 2, t->y - font.getCharHeight(t->size) / 2);
    }

    // Pads: the handler rescans at once (as its hot-plug thread would) and
    // new ones attach on the next frame in the main menu or the lobby; a pad
    // left out is unplugged.
    // The hot-plug thread is stopped first so that no rescan of its own can
    // install the old device list after this one; the next frame restarts it.
    void plug(const std::vector<fakepads::DeviceSpec>& specs) {
        ofxGamepadHandler::get()->disableHotplug(true);
        devices.plug(specs);
        console += captureOutput([] { ofxGamepadHandler::get()->updatePadList(); }).out;
        frame();
    }
    void padButton(int pad, int button) {
        ASSERT_NE(app->attachedPads[pad], nullptr) << "pad " << pad << " is not attached";
        console += captureOutput([&] {
                       // Pad events fire under the handler's lock, as its update fires them.
                       std::lock_guard<ofxGamepadHandler> held(*ofxGamepadHandler::get());
                       app->attachedPads[pad]->setButton(button, true);
                       app->attachedPads[pad]->setButton(button, false);
                   }).out;
        frame();
    }
    // One of the twelve actions, through the pad's own button map.
    void padAction(int pad, int action) { padButton(pad, app->buttonMap[pad][action]); }
    // Actions of one pad in turn, a frame after each.
    void padActions(int pad, std::initializer_list<int> actions) {
        for (int action : actions) padAction(pad, action);
    }
    // In the death-match lobby slot 0 readies and opens the settings.
    void openMatchSettings() {
        padActions(0, {vantorixPC::Start, vantorixPC::Up, vantorixPC::Confirm});
        ASSERT_TRUE(waitFor("SETTINGS"));
        wait(0.5f);
    }
    void padAxis(int pad, int axis, float value) {
        ofxGamepadAxisEvent event;
        event.axis = axis, event.value = value;
        app->handlePadAxis(pad, event);
    }

    const DrawnText* find(const std::string& text) const {
        for (const DrawnText& t : drawn)
            if (t.text == text) return &t;
        return nullptr;
    }
    bool shows(const std::string& text) const { return find(text) != nullptr; }
    // Every text of the last frame, in drawing order, joined by "|".
    std::string screen() const {
        std::string all;
        for (const DrawnText& t : drawn) all += (all.empty() ? "" : "|") + t.text;
        return all;
    }
    std::string file(const std::string& name) const {
        std::ifstream in(home / "data" / name, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    void writeFile(const std::string& name, const std::string& text) const {
        std::ofstream(home / "data" / name, std::ios::binary) << text;
    }
    GameCore& core() { return app->core; }

    // Takes the shape the game asks for, as a real window does; the journey
    // hands the resize to the app between frames, as the runner does, so the
    // screens are laid out (the pause buttons take clicks).
    struct JourneyWindow : TestWindow {
        void setWindowShape(int w, int h) override {
            TestWindow::setWindowShape(w, h);
            resized = resized || w != width || h != height;
            width = w, height = h;
        }
        bool resized = true;
    };
    void deliverResize() {
        if (!window.resized) return;
        window.resized = false;
        app->windowResized(window.width, window.height);
    }

    JourneyWindow window;
    std::shared_ptr<RecordingRenderer> recorder = std::make_shared<RecordingRenderer>();
    fakepads::FakeDevices devices;
    // Every call on every sound, as "<file> <call>".
    std::shared_ptr<std::vector<std::string>> sounds = std::make_shared<std::vector<std::string>>();
    std::unique_ptr<vantorixPC> app;
    std::vector<DrawnText> drawn;
    std::vector<DrawnGlyph> glyphs;
    std::string console;
    std::filesystem::path home, previous;
    float now = 0;
    int frameNum = 0;

private:
    int windowX(float x) const { return static_cast<int>(x * app->scale + 0.5f); }
    int windowY(float y) const { return static_cast<int>(y * app->scale + 0.5f); }
};
