#include "GameCore.h"
#include "ofGraphics.h"

void GameCore::drawSplashScreen() {
    float alpha = 255;
    if (splashTime > splashFadeStart)
        alpha = (1 - (splashTime - splashFadeStart) / (splashLength - splashFadeStart)) * 255;
    int a = static_cast<int>(alpha);

    float w = static_cast<float>(screenWidth);
    float h = static_cast<float>(screenHeight);
    ofFill();
    ofSetColor(0, 0, 0, a);
    ofRect(0, 0, w, h);

    ofSetColor(textColor, a);
    if (touchBuild) {
        font.drawStringCentered("Photosensitive warning:", 4.0f, w / 2, h / 2 - 25 * uiScale);
        font.drawStringCentered("flashing colors", 4.0f, w / 2, h / 2 + 25 * uiScale);
    } else {
        font.drawStringCentered("Photosensitive warning: flashing colors", 4.0f, w / 2, h / 2);
    }
    font.drawStringCenteredX("VANTORIX is made from scratch by a small team of friends.", 3.0f, w / 2,
                             h - 20 * uiScale);
}

namespace {

void setGlyphColor(int r, int g, int b, int alpha) {
    ofSetColor(r, g, b, alpha);
}

void drawCross() {
    ofLine(-14, -14, 14, 14);
    ofLine(-14, 14, 14, -14);
}

}  // namespace

std::function<void(int, int, int)> GameCore::padButtonObserver;

void GameCore::drawPadButton(int x, int y, int button, int alpha, float scale) {
    if (padButtonObserver) padButtonObserver(button, x, y);
    int fillAlpha = static_cast<int>(alpha * 0.6f);
    ofEnableAlphaBlending();
    ofSetLineWidth(2 * uiScale);
    ofSetCircleResolution(20);

    ofPushMatrix();
    ofTranslate(static_cast<float>(x), static_cast<float>(y));
    ofScale(scale * uiScale, scale * uiScale, 1);

    if (button == 4 || button == 5) {
        ofFill();
        ofSetColor(80, 80, 80, fillAlpha);
        ofRect(-43, -21, 86, 42);
        ofNoFill();
        ofSetColor(210, 210, 210, alpha);
        ofRect(-43, -21, 86, 42);
        ofFill();
        ofSetColor(255, 255, 255, alpha);
        const char* label = button == 4 ? "START" : (symbolPad ? "SELECT" : "BACK");
        font.drawStringCentered(label, 2.25f, 0, 0);
        ofPopMatrix();
        return;
    }

    ofFill();
    ofSetColor(80, 80, 80, fillAlpha);
    ofCircle(0, 0, 28);
    ofNoFill();
    ofSetColor(210, 210, 210, alpha);
    ofCircle(0, 0, 28);
    ofSetLineWidth(3 * uiScale);

    if (symbolPad) {
        switch (button) {
            case 0:
                setGlyphColor(188, 201, 236, alpha);
                drawCross();
                break;
            case 1:
                ofFill();
                setGlyphColor(180, 77, 106, alpha);
                ofCircle(0, 0, 18.2f);
                break;
            case 2:
                ofFill();
                setGlyphColor(85, 159, 146, alpha);
                ofTriangle(0, -20, -16, 12, 16, 12);
                break;
            case 3:
                ofFill();
                setGlyphColor(198, 127, 161, alpha);
                ofRect(-14, -14, 28, 28);
                break;
            default:
                break;
        }
    } else {
        switch (button) {
            case 0:
                setGlyphColor(122, 148, 58, alpha);
                ofLine(-16, 13, 0, -19);
                ofLine(16, 13, 0, -19);
                ofLine(-8.8f, 0.2f, 8.8f, 0.2f);
                break;
            case 1:
                setGlyphColor(207, 41, 18, alpha);
                ofPushMatrix();
                ofTranslate(5, 0);
                ofLine(-16, -16, -16, 16);
                ofLine(-16, -16, 3.6f, -16);
                ofLine(-16, 0, 3.6f, 0);
                ofLine(-16, 16, 3.6f, 16);
                ofLine(3.6f, -16, 9.2f, -8);
                ofLine(3.6f, 0, 9.2f, -8);
                ofLine(3.6f, 16, 9.2f, 8);
                ofLine(3.6f, 0, 9.2f, 8);
                ofPopMatrix();
                break;
            case 2:
                setGlyphColor(254, 175, 28, alpha);
                ofLine(0, 3, 0, 19);
                ofLine(0, 3, -16, -13);
                ofLine(0, 3, 16, -13);
                break;
            case 3:
                setGlyphColor(44, 94, 171, alpha);
                drawCross();
                break;
            default:
                break;
        }
    }
    ofFill();
    ofPopMatrix();
}
