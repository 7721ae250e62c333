#pragma once

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <vector>

#include "ofEvents.h"
#include "ofThread.h"
#include "ofxGamepad.h"
#include "ofxGamepadOIS.h"

class ofxGamepadInputSystem;

// Owns every pad of the process. Pads are polled on the main thread through
// the core update event; while hot-plugging is on, its own thread rescans the
// devices every interval and keeps a known pad object when its device is
// found again.
class ofxGamepadHandler : public ofThread {
public:
    static ofxGamepadHandler* get();
    ~ofxGamepadHandler() override;

    int getNumPads();
    // Null for an index outside the list; with no pads at all it also warns.
    // The pad lives while it is listed. Its name never changes and its counts
    // may be read at any time; anything else (states, listeners, whether it
    // is still listed) is touched under lock(), as a rescan drops and
    // re-binds pads on the hot-plug thread.
    ofxGamepad* getGamepad(int index);

    // A call while the thread runs only changes the interval of later pauses.
    void enableHotplug(int interval = 5000);
    // With join, also waits until the thread has ended, so that nothing it
    // reads may go away before.
    void disableHotplug(bool join = false);
    bool isHotplugEnabled() const { return hotplugEnabled; }
    int getHotplugInterval() const { return hotplugInterval; }

    void update(ofEventArgs& args);
    // Tells every pad and then destroys the handler.
    void exit(ofEventArgs& args);
    void draw(int x, int y);

    // Rescans the devices and makes the result the pad list.
    void updatePadList();

    ofEvent<ofxGamepadEvent> padPluggedEvent;    // never fired
    ofEvent<ofxGamepadEvent> padUnpluggedEvent;  // never fired

protected:
    void threadedFunction() override;

private:
    ofxGamepadHandler();
    void stopHotplugThread();

    using PadList = std::vector<std::shared_ptr<ofxGamepadOIS>>;
    PadList gamepads;
    PadList gamepadsNew;
    std::unique_ptr<ofxGamepadInputSystem> inputSystem;

    std::atomic<bool> hotplugEnabled{false};
    std::atomic<int> hotplugInterval{5000};

    // The pause between rescans ends early when the thread is stopped.
    std::mutex sleepMutex;
    std::condition_variable wake;
};
