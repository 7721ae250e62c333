#include "ofFramePacer.h"

#include <algorithm>
#include <limits>

#include "ofAppRunner.h"
#include "ofMath.h"
#include "ofUtils.h"

namespace {
// The millisecond clock's low 32 bits, as the frame arithmetic works in int.
int lowMillis(uint64_t ms) {
    return static_cast<int>(static_cast<uint32_t>(ms));
}
}  // namespace

ofFramePacer::ofFramePacer()
    : millis(ofGetElapsedTimeMillis),
      seconds(ofGetElapsedTimef),
      sleep(ofSleepMillis),
      pacingOn(false),
      frameBudgetMillis(0),
      smoothedFrameRate(60),
      instantFrameRate(60),
      lastFrameSeconds(0),
      previousFrameSeconds(0),
      lastIdleMillis(0) {}

void ofFramePacer::setFrameRate(float rate) {
    if (rate == 0) {
        pacingOn = false;
        return;
    }
    pacingOn = true;
    float period = 1.0f / rate;
    frameBudgetMillis = ofTruncToInt(1000.0 * period);
    smoothedFrameRate = rate;
}

void ofFramePacer::tick(int frameCount) {
    if (frameCount != 0 && pacingOn) {
        // Modulo 2^32, so the gap stays right when the low 32 bits wrap.
        int gap = lowMillis(static_cast<uint32_t>(millis()) - static_cast<uint32_t>(lastIdleMillis));
        if (gap <= frameBudgetMillis) {
            int64_t rest = int64_t{frameBudgetMillis} - gap;
            sleep(static_cast<int>(std::min<int64_t>(rest, std::numeric_limits<int>::max())));
        }
    }
    lastIdleMillis = lowMillis(millis());

    float now = seconds();
    float d = now - previousFrameSeconds;
    if (d > 1e-5f) {
        instantFrameRate = 1.0f / d;
        smoothedFrameRate = 0.9f * smoothedFrameRate + 0.1f * instantFrameRate;
    }
    lastFrameSeconds = d;
    previousFrameSeconds = now;
}
