#pragma once

#include "ofLog.h"

// The log threshold belongs to the whole process: put back as it was found
// when the holder goes.
struct KeptLogLevel {
    KeptLogLevel() = default;
    KeptLogLevel(const KeptLogLevel&) = delete;
    KeptLogLevel& operator=(const KeptLogLevel&) = delete;
    ~KeptLogLevel() { ofSetLogLevel(level); }
    const ofLogLevel level = ofGetLogLevel();
};
