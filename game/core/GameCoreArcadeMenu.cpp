#include "GameCore.h"
#include "ofAppRunner.h"
#include "ofGraphics.h"
#include "ofMath.h"
#include "ofUtils.h"

namespace {

bool evenPhase() {
    return (ofGetFrameNum() / 7) % 2 == 0;
}

}  // namespace

void GameCore::drawArcadeMenu() {
    const float s = uiScale;
    const float w = static_cast<float>(screenWidth);
    const float h = static_cast<float>(screenHeight);

    playButton.y = 290 * s;
    const int y1 = static_cast<int>(325 * s + playButton.height);
    const int y2 = static_cast<int>(y1 + 65 * s);
    const int y3 = static_cast<int>(y2 + 65 * s);
    const int arrowTop = static_cast<int>(y1 - arrowLeftButton.height / 2 + 40 * s);

    const bool sliding = slideTimer < slideLength;
    float newX = w / 2;
    float previousX = w / 2;
    if (sliding) {
        float p = slideTimer / slideLength;
        p *= p;
        newX = static_cast<float>(static_cast<int>((1 - p) * w * slideDirection + w / 2));
        previousX = newX - slideDirection * w;
    }

    const int alpha = static_cast<int>(ofMap(menuTime, 0, menuFadeTime, 0, 255, true));
    ofSetColor(textColor, alpha);
    ofFill();

    const float titleY = static_cast<float>(static_cast<int>(105 * s));
    font.drawStringCentered("SELECT", 11, w / 2, titleY);
    font.drawStringCentered("DIFFICULTY", 11, w / 2, titleY + 115 * s);

    const bool shown = evenPhase();
    if (shown)
        font.drawStringCentered("PLAY", 6.5f, playButton.x + playButton.width / 2,
                                playButton.y + playButton.height / 2);
    font.drawStringCentered("Current Difficulty:", 4, w / 2, static_cast<float>(y1));

    auto drawDifficulty = [&](int mode, float x) {
        if (mode < 0 || mode > 5) return;
        font.drawStringCentered(modeNames[mode], 6.5f, x, static_cast<float>(y2));
        if (mode == 0 || mode == 3 || mode == 5) return;
        int best = coop ? bestCoopScores[mode] : bestScores[mode];
        font.drawStringCentered("Best: " + ofToString(best), 4, x, static_cast<float>(y3));
    };
    drawDifficulty(static_cast<int>(gameMode), newX);
    if (sliding) drawDifficulty(previousDifficulty, previousX);

    arrowLeftButton.x = w / 2 - 336 - arrowLeftButton.width / 2;
    arrowRightButton.x = w / 2 + 336 - arrowRightButton.width / 2;
    arrowLeftButton.y = static_cast<float>(arrowTop);
    arrowRightButton.y = static_cast<float>(arrowTop);
    if (shown) {
        font.drawStringCentered("<", 11, arrowLeftButton.x + arrowLeftButton.width / 2,
                                arrowLeftButton.y + arrowLeftButton.height / 2);
        font.drawStringCentered(">", 11, arrowRightButton.x + arrowRightButton.width / 2,
                                arrowRightButton.y + arrowRightButton.height / 2);
    }

    ofSetColor(textColor, alpha);
    const float descriptionY = y3 + 70 * s;
    missionList.drawModeDescription(static_cast<int>(gameMode), newX, descriptionY, alpha);
    if (sliding) missionList.drawModeDescription(previousDifficulty, previousX, descriptionY, alpha);

    if (!gamePad) {
        const float backX = w * 0.02f;
        const float backY = h - 15 * s;
        font.drawString("Back", 3, backX, backY);
        ofRectangle box = font.getStringBoundingBox("Back", 3, backX, backY);
        backButton.set(box.x - 20, box.y - 20, box.width + 40, box.height + 40);
    } else {
        // A button not drawn takes no clicks.
        backButton = ofRectangle();
    }
}

void GameCore::cycleDifficulty(int step, int fromMode) {
    if (slideTimer < slideLength || step == 0) return;

    int mode = static_cast<int>(gameMode);
    auto selectable = [&](int m) {
        if (m == 1 || m == 2 || m == 4) return true;
        return m == 0 && !coop && !arcadeCabinet;
    };
    do {
        mode += step;
        previousDifficulty = fromMode;
        slideDirection = step > 0 ? 1 : -1;
        if (mode < 0) mode = 5;
        if (mode > 5) mode = 0;
    } while (!selectable(mode));

    gameMode = static_cast<GameMode>(mode);
    if (!soundBank.soundMuted) soundBank.playMenuBeep();
    difficultyColor = modeColors[mode];
    slideTimer = 0;
}
