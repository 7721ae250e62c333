#include "ofAppRunner.h"
#include "ofGraphics.h"
#include "ofMath.h"
#include "ofUtils.h"
#include "ofxGamepadHandler.h"
#include "vantorixPC.h"

void vantorixPC::draw() {
    ofPushMatrix();
#ifdef VANTORIX_ARCADE_CABINET
    ofTranslate(0, letterBoxH + letterBoxOffset);
#endif
    ofScale(scale, scale, 1);
    core.draw();
    if (padDebugVisible) ofxGamepadHandler::get()->draw(10, 10);
    ofPopMatrix();
#ifdef VANTORIX_ARCADE_CABINET
    {
        const float w = static_cast<float>(ofGetWidth());
        const float h = static_cast<float>(ofGetHeight());
        if (letterBoxVisible)
            ofSetColor(255, 0, 0, 100);
        else
            ofSetColor(0, 0, 0, 255);
        ofFill();
        ofRect(0, 0, w, letterBoxH + letterBoxOffset);
        ofRect(0, h - letterBoxH + letterBoxOffset, w, letterBoxH - letterBoxOffset);
    }
#endif

    if (musicDebugVisible) drawMusicDebug();

    if (gifCapture && ofGetFrameNum() % 2 == 0) saveFrame("screencaps/gifready_");

    const GameState state = core.gameState;
    if (core.festivalScreenshots &&
        (state == GameState::Playing || state == GameState::RoundOver || state == GameState::MatchStats)) {
        festivalShotTimer -= core.frameTime;
        if (festivalShotTimer <= 0) {
            festivalShotTimer = ofRandomRange(festivalShotMin, festivalShotMax);
            screenshotRequested = true;
        }
    }

    // Last, so the saved frame holds everything drawn, overlays included.
    if (screenshotRequested) {
        screenshotRequested = false;
        saveFrame("screencaps/pic_");
    }
}

void vantorixPC::drawMusicDebug() {
    ofFill();
    ofSetColor(0, 0, 0, 200);
    ofRect(0, 0, static_cast<float>(ofGetWidth()), 45);
    ofSetColor(255);

    SoundBank& bank = core.soundBank;
    float position = 0;
    if (bank.currentTrack >= 0 && bank.currentTrack < SoundBank::numTracks)
        position = bank.music[bank.currentTrack].getPosition();
    std::string text = "Music Debug    vol: " + ofToString(bank.musicVolume) + "    pos: " + ofToString(position);
    text += "\n- reduce vol    + increase vol    0 - pause/play";
    ofDrawBitmapString(text, 10, 15);
}

void vantorixPC::saveFrame(const std::string& prefix) {
    screenImage.grabScreen(0, 0, ofGetWidth(), ofGetHeight());
    screenImage.saveImage(prefix + ofToString(ofGetSystemTime()) + ".png");
}
