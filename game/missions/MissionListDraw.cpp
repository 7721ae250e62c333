#include <cmath>

#include "MissionList.h"
#include "PixelFont.h"
#include "ofGraphics.h"
#include "ofUtils.h"

namespace {
const float titleSize = 8.5f;
const float titleY = 150;
const float entrySize = 4;
const float entryY = 300;
const float entryStep = 60;
const float hintSize = 3;
const float hintY = 900;
}  // namespace

std::string MissionList::modeDescription(int mode) {
    static const char* const descriptions[6] = {"Learn to fly", "Foes and rocks", "Faster foes, bigger rocks",
                                                "",             "Only rocks",     ""};
    return mode >= 0 && mode < 6 ? descriptions[mode] : "";
}

std::vector<ScreenText> MissionList::pauseTexts(bool missionMode, bool briefing, int bestScore) const {
    std::vector<ScreenText> texts;
    if (briefing) {
        texts.push_back({"MISSIONS", titleSize, titleY});
        float y = entryY;
        for (const Mission& mission : current) {
            texts.push_back({mission.name, entrySize, y});
            texts.push_back({mission.description, hintSize, y + entryStep});
            y += 2 * entryStep;
        }
        return texts;
    }
    texts.push_back({"PAUSED", titleSize, titleY});
    texts.push_back({encouragementTop, entrySize, entryY});
    texts.push_back({encouragementBottom, entrySize, entryY + entryStep});
    float y = entryY + 2.5f * entryStep;
    if (missionMode) {
        for (const Mission& mission : current) {
            texts.push_back({mission.name + ": " + (mission.complete ? "COMPLETE!" : mission.progressText()), hintSize, y});
            y += entryStep;
        }
    } else {
        texts.push_back({"BEST: " + ofToString(bestScore), entrySize, y});
    }
    return texts;
}

std::vector<ScreenText> MissionList::resultTexts() const {
    std::vector<ScreenText> texts;
    texts.push_back({"RESULTS", titleSize, titleY});
    float y = entryY;
    for (const MissionResult& result : results) {
        texts.push_back({result.name, entrySize, y});
        texts.push_back({result.complete ? "COMPLETE!" : result.progress, hintSize, y + entryStep});
        y += 2 * entryStep;
    }
    texts.push_back({gamePad ? "PRESS ANY BUTTON" : "CLICK TO GO ON", hintSize, hintY});
    return texts;
}

std::vector<ofPoint> MissionList::starPoints(float x, float y) {
    std::vector<ofPoint> points;
    const float pi = 3.14159265f;
    for (int k = 0; k < 10; ++k) {
        const float a = -pi / 2 + k * pi / 5;
        const float r = k % 2 == 0 ? 20.0f : 8.0f;
        points.push_back(ofPoint(x + std::cos(a) * r, y + std::sin(a) * r));
    }
    return points;
}

void MissionList::drawStar(float x, float y) const {
    ofFill();
    ofBeginShape();
    for (const ofPoint& p : starPoints(x, y)) ofVertex(p.x, p.y);
    ofEndShape(true);
}

ofRectangle MissionList::buttonBox(const std::string& label, float y) const {
    const float w = font ? font->getStringWidth(label, entrySize) : 0;
    const float h = font ? font->getCharHeight(entrySize) : 0;
    return ofRectangle(width * 0.5f - w / 2 - 20, y - h / 2 - 20, w + 40, h + 40);
}

void MissionList::layout(int w) {
    width = w;
    resumeButton = buttonBox("RESUME", 720);
    abortButton = buttonBox("ABORT", 800);
    holdButton = buttonBox("START", 780);
}

void MissionList::drawTexts(const std::vector<ScreenText>& texts) const {
    if (!font) return;
    for (const ScreenText& t : texts)
        if (!t.text.empty()) font->drawStringCentered(t.text, t.size, width * 0.5f, t.y);
}

void MissionList::drawButton(const std::string& label, const ofRectangle& box, bool hover, int alpha) const {
    if (!font) return;
    ofSetColor(255, 255, 255, hover ? alpha : static_cast<int>(alpha * 0.7f));
    font->drawStringCentered(label, entrySize, box.x + box.width / 2, box.y + box.height / 2);
}

void MissionList::drawPauseScreen(bool missionMode, bool briefing, int, int bestScore, int alpha) {
    ofFill();
    ofSetColor(0, 0, 0, static_cast<int>(alpha * 0.6f));
    ofRect(0, 0, static_cast<float>(width), 960);
    ofSetColor(255, 255, 255, alpha);
    drawTexts(pauseTexts(missionMode, briefing, bestScore));
    if (briefing) {
        drawButton("START", holdButton, true, alpha);
        return;
    }
    drawButton("RESUME", resumeButton, resumeHover, alpha);
    drawButton("ABORT", abortButton, abortHover, alpha);
}

void MissionList::drawResults(float frameTime) {
    if (!showingResults) return;
    resultsTime += frameTime;
    ofFill();
    // Opaque: the game-over screen is drawn underneath.
    ofSetColor(0, 0, 0, 255);
    ofRect(0, 0, static_cast<float>(width), 960);
    ofSetColor(255, 255, 255, 255);
    drawTexts(resultTexts());
}

void MissionList::drawModeDescription(int mode, float x, float y, int) {
    const std::string text = modeDescription(mode);
    if (font && !text.empty()) font->drawStringCentered(text, 3, x, y);
}

void MissionList::drawComponents() {
    for (Mission& mission : current)
        for (auto& component : mission.components)
            if (component) component->draw();
}

void MissionList::drawComponentsOverlay(int screenWidth) {
    for (Mission& mission : current)
        for (auto& component : mission.components)
            if (component) component->drawOverlay(screenWidth);
}

// Banners grow in, hold and fade over their length; they wait while paused.
void MissionList::drawRoundEvents(float frameTime, bool, bool paused) {
    if (!paused)
        for (MissionBanner& banner : banners) banner.age += frameTime;
    while (!banners.empty() && banners.front().age > bannerLength) banners.erase(banners.begin());
    if (banners.empty() || !font) return;
    const MissionBanner& banner = banners.front();
    const float fade = banner.age < 0.25f ? banner.age / 0.25f
                       : banner.age > bannerLength - 0.5f ? (bannerLength - banner.age) / 0.5f
                                                          : 1.0f;
    const int alpha = static_cast<int>(255 * (fade < 0 ? 0 : fade > 1 ? 1 : fade));
    ofSetColor(255, 255, 255, alpha);
    font->drawStringCentered(banner.title, 7, width * 0.5f, 260);
    font->drawStringCentered(banner.name, 4, width * 0.5f, 340);
}

void MissionList::drawSparks() {
    ofSetLineWidth(1);
    for (Spark& spark : sparks) spark.stepAndDraw();
}
