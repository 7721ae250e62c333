#pragma once

#include <memory>

class ofBaseApp;

ofBaseApp* ofGetAppPtr();
// Makes the application current; the runner owns it from then on.
void ofSetAppPtr(std::shared_ptr<ofBaseApp> app);

void ofSleepMillis(int millis);
