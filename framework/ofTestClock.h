#pragma once

// Lets headless tests fix what ofGetElapsedTimef and ofGetFrameNum report, so
// timed game logic steps deterministically with no window and no sleeping.
// Each stays fixed until released; the real clock and counter go on unseen.
void ofFixElapsedTimef(float seconds);
void ofFixFrameNum(int frameNum);
void ofReleaseFixedClock();

// What the seam holds, for the two getters: true when fixed.
bool ofFixedElapsedTimef(float& seconds);
bool ofFixedFrameNum(int& frameNum);
