#include "ofTestClock.h"

#include <atomic>

namespace {

std::atomic<bool> timeFixed{false};
std::atomic<float> fixedTime{0.0f};
std::atomic<bool> frameFixed{false};
std::atomic<int> fixedFrame{0};

}  // namespace

void ofFixElapsedTimef(float seconds) {
    fixedTime = seconds;
    timeFixed = true;
}

void ofFixFrameNum(int frameNum) {
    fixedFrame = frameNum;
    frameFixed = true;
}

void ofReleaseFixedClock() {
    timeFixed = false;
    frameFixed = false;
}

bool ofFixedElapsedTimef(float& seconds) {
    if (!timeFixed) return false;
    seconds = fixedTime;
    return true;
}

bool ofFixedFrameNum(int& frameNum) {
    if (!frameFixed) return false;
    frameNum = fixedFrame;
    return true;
}
