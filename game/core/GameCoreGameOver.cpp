#include <algorithm>

#include "GameCore.h"
#include "ofAppRunner.h"
#include "ofGraphics.h"
#include "ofMath.h"
#include "ofUtils.h"

namespace {

bool evenPhase() {
    return (ofGetFrameNum() / 7) % 2 == 0;
}

ofRectangle grown(const ofRectangle& box) {
    return ofRectangle(box.x - 20, box.y - 20, box.width + 40, box.height + 40);
}

}  // namespace

void GameCore::drawGameOver() {
    const float s = uiScale;
    const float w = static_cast<float>(screenWidth);
    const float h = static_cast<float>(screenHeight);

    if (!gameOverSoundPlayed && !(missionList.showingResults && missionRound)) {
        if (!soundBank.soundMuted) soundBank.gameOver.play();
        menuTime = 0;
        gameOverSoundPlayed = true;
        stateTime = 0;
    }

    const int alpha = static_cast<int>(ofMap(menuTime, 0, menuFadeTime, 0, 255, true));
    const float lift = arcadeCabinet ? h * 0.03f : 0;
    ofFill();
    ofSetColor(textColor, alpha);

    std::string line;
    if (gameOverLine == -1)
        line = "You did it all.";
    else if (gameOverLine >= 0 && gameOverLine < static_cast<int>(gameOverLines.size()))
        line = gameOverLines[static_cast<size_t>(gameOverLine)];
    font.drawStringCentered(line, 4, w / 2, static_cast<float>(static_cast<int>(h * 0.1f)) - lift);

    // A button not drawn this frame takes no clicks.
    submitButton = ofRectangle();
    leaderboardButton = ofRectangle();
    const bool shown = evenPhase();

    if (gameMode == GameMode::Mission) {
        const int completed = static_cast<int>(missionList.completed.size());
        const int all = missionList.countAllMissions();
        float y = h * 0.295f - lift;
        font.drawStringCentered("MISSIONS", 8.5f, w / 2, y);
        y += 0.9f * font.getLineHeight(8.5f);
        font.drawStringCentered("COMPLETED:", 8.5f, w / 2, y);
        y += 1.75f * 100 * s;
        std::string done = ofToString(completed);
        if (missionList.allMissions) done += "/" + ofToString(all);
        if (shown) font.drawStringCentered(done, 8.5f, w / 2, y);
        y += 1.5f * font.getLineHeight(4);
        font.drawStringCentered("OUT OF", 4, w / 2, y);
        y += 1.5f * font.getLineHeight(4);
        if (shown || missionList.allMissions) font.drawStringCentered(ofToString(all), 8.5f, w / 2, y);
    } else {
        const int mode = static_cast<int>(gameMode);
        const int best = coop ? bestCoopScores[mode] : bestScores[mode];
        const int score = static_cast<int>(players[0].score);
        const std::string scoreText = ofToString(score);
        const std::string bestText = ofToString(best);

        const float y0 = h * 0.5f - 180 * s - lift;
        font.drawStringCentered("YOUR SCORE", 8.5f, w / 2, y0);
        const float y1 = y0 + 100 * s;
        if (shown) font.drawStringCentered(scoreText, 8.5f, w / 2, y1);

        const float column = std::max(font.getStringWidth(scoreText, 8.5f), font.getStringWidth(bestText, 8.5f));
        const float buttonX = static_cast<float>(static_cast<int>(w / 2 + column / 2 + 70) + (gamePad ? 50 : 0));
        const float glyphDrop = font.getCharHeight(3) / 2;

        if (onlineScore && !arcadeCabinet && !scoreSubmitOverlay.sent) {
            std::string label = "Submit Score!";
            if (scoreSubmitOverlay.sending)
                label = "Sending" + std::string(static_cast<size_t>(static_cast<int>(ofGetElapsedTimef()) % 4), '.');
            const float y = static_cast<float>(static_cast<int>(y1 + 30));
            if (!submitButtonBlink || shown) font.drawString(label, 3, buttonX, y);
            if (gamePad) {
                drawPadButton(static_cast<int>(buttonX - 40), static_cast<int>(y - glyphDrop), 4, alpha, 0.6f);
                ofSetColor(textColor, alpha);
            }
            submitButton = grown(font.getStringBoundingBox(label, 3, buttonX, y));
        }

        const float y2 = y1 + 160 * s - lift;
        font.drawStringCentered(coop ? "TOP CO-OP SCORE:" : "TOP SCORE:", 8.5f, w / 2, y2);
        if (best != score || shown) font.drawStringCentered(bestText, 8.5f, w / 2, y2 + 100 * s);

        if (onlineScore && !arcadeCabinet) {
            const std::string label = "View Leaderboards";
            const float y = static_cast<float>(static_cast<int>(y2 + 100 * s + 30));
            if (!leaderboardButtonBlink || shown) font.drawString(label, 3, buttonX, y);
            if (gamePad) {
                drawPadButton(static_cast<int>(buttonX - 40), static_cast<int>(y - glyphDrop), 2, alpha, 0.6f);
                ofSetColor(textColor, alpha);
            }
            leaderboardButton = grown(font.getStringBoundingBox(label, 3, buttonX, y));
        }
    }

    ofSetColor(textColor, alpha);
    const float promptY = h * 0.85f - lift;
    if (arcadeCabinet) {
        font.drawStringCentered("Press Any Button To Believe", 4, w / 2, promptY);
    } else if (gamePad) {
        font.drawStringCentered("Press       To Believe", 4, w / 2, promptY);
        drawPadButton(static_cast<int>(w / 2 - 38), static_cast<int>(promptY), 4, alpha, 0.6f);
    } else {
        font.drawStringCentered("Click To Believe", 4, w / 2, promptY);
    }

    ofSetColor(textColor, alpha);
    const float shift = gamePad ? 40 * s : 0;
    const float menuY = menuButton.y + menuButton.height / 2;
    font.drawStringCentered("Menu", 3, menuButton.x + menuButton.width / 2 + shift, menuY);
    if (gamePad) drawPadButton(static_cast<int>(35 * s), static_cast<int>(menuY), 1, alpha, 0.6f);
}
