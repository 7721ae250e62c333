#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "DrawnFrame.h"
#include "GLTestWindow.h"
#include "ofGLRenderer.h"
#include "ofGraphics.h"
#include "ofMath.h"
#include "ofPixels.h"
#include "ofTexture.h"

namespace {

using GLTestWindow::colours;

ofTexture checks(unsigned char grey) {  // 8 x 8, columns of white and grey
    ofPixels p;
    p.allocate(8, 8, 3);
    for (int i = 0; i < 8 * 8 * 3; ++i) p.getPixels()[i] = i / 3 % 2 ? grey : 255;
    ofTexture t;
    t.allocate(p);
    t.loadData(p);
    return t;
}

void rect(int r, int g, int b, int a, float x, float y, float w, float h) {
    ofSetColor(r, g, b, a);
    ofRect(x, y, w, h);
}

// Thousands of overlapping translucent shapes of every kind, filled and
// outlined, smoothed or not, moved, turned and scaled, some off screen, with
// a texture drawn now and then in between; the whole screen read back.
std::vector<unsigned char> busyScene(ofGLRenderer& renderer, bool batching) {
    renderer.setBatching(batching);
    ofViewport(0, 0, 960, 960, true);
    ofClear(0, 0, 0, 255);
    ofSetupScreen();
    ofFill();
    ofSetLineWidth(1);
    ofSetCircleResolution(20);
    renderer.setLineSmoothing(false);
    ofTexture texture = checks(0);
    ofSeedRandom(31);
    ofEnableAlphaBlending();
    for (int i = 0; i < 3000; ++i) {
        const int r = static_cast<int>(ofRandom(256)), g = static_cast<int>(ofRandom(256));
        ofSetColor(r, g, static_cast<int>(ofRandom(256)), static_cast<int>(ofRandomRange(40, 256)));
        if (ofRandom(1) < 0.4f) ofRandom(1) < 0.5f ? ofFill() : ofNoFill();
        if (ofRandom(1) < 0.1f) ofSetLineWidth(static_cast<float>(1 + static_cast<int>(ofRandom(5))));
        if (ofRandom(1) < 0.02f) renderer.setLineSmoothing(ofRandom(1) < 0.5f);
        ofPushMatrix();
        const float x = ofRandomRange(-100, 1060);
        ofTranslate(x, ofRandomRange(-100, 1060));
        ofRotate(ofRandom(360));
        const float sx = ofRandomRange(0.5f, 2);
        ofScale(sx, ofRandomRange(0.5f, 2));
        const float s = ofRandomRange(3, 40);
        switch (static_cast<int>(ofRandom(7))) {
            case 0: ofRect(-s, -s / 2, 2 * s, s); break;
            case 1: ofSetCircleResolution(static_cast<int>(ofRandomRange(3, 24))); ofCircle(0, 0, s); break;
            case 2: ofTriangle(0, -s, s, s, -s, s / 2); break;
            case 3: ofLine(-s, 0, s, ofRandomRange(-s, s)); break;
            case 4: renderer.drawEllipse(0, 0, 0, 2 * s, s); break;
            case 5:
                ofBeginShape();
                for (int k = 0; k < 10; ++k)
                    ofVertex(std::cos(k * 0.628f) * (k % 2 ? s : s / 3), std::sin(k * 0.628f) * (k % 2 ? s : s / 3));
                ofEndShape(true);
                break;
            default: if (ofRandom(1) < 0.1f) texture.draw(-s, -s, 2 * s, 2 * s);
        }
        ofPopMatrix();
    }
    ofDisableAlphaBlending();
    ofFlushDraws();
    std::vector<unsigned char> rgb(960 * 960 * 3);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 960, 960, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}

class GLRendererBatch : public testing::Test {
protected:
    void SetUp() override {
        GLTestWindow::openScreen(960, 960);
        renderer = static_cast<ofGLRenderer*>(ofGetCurrentRenderer().get());
        ASSERT_NE(renderer, nullptr);
    }
    ofGLRenderer* renderer = nullptr;
};

}  // namespace

// The batch moves vertices to clip space with OpenGL's own product of the
// matrices, so a busy scene comes out the same to the pixel.
TEST_F(GLRendererBatch, BusySceneDrawsTheSamePixelsBatchedAsOneByOne) {
    const std::vector<unsigned char> oneByOne = busyScene(*renderer, false), batched = busyScene(*renderer, true);
    const FrameDifference d = compareFrames(batched, oneByOne);
    EXPECT_EQ(d.pixels, 0);  // of 921,600
    EXPECT_LE(d.most, 1);    // no pixel off by more than a step
}

// Each change of state between two draws applies to the second only, and
// outside OpenGL work (a texture, a clear) lands between them in order.
TEST_F(GLRendererBatch, EveryChangeOfStateBetweenDrawsKeepsItsPlace) {
    ofFill();
    rect(255, 0, 0, 255, 0, 0, 960, 960);
    ofClear(0, 0, 0, 255);
    EXPECT_EQ(colours(5, 5, 1), ".");

    rect(255, 0, 0, 255, 60, 10, 20, 20);  // colour and fill
    ofNoFill();
    rect(0, 255, 0, 255, 60.5f, 10.5f, 19, 19);
    ofSetColor(255, 0, 0);  // line width
    ofLine(10, 50.5f, 40, 50.5f);
    ofSetLineWidth(5);
    ofFill();
    rect(0, 0, 255, 255, 400, 10, 10, 10);  // a fill that a wide line's width, not its ends, reaches
    ofLine(420, 30.5f, 460, 30.5f);
    rect(255, 0, 0, 255, 430, 31, 10, 10);
    ofSetColor(0, 255, 0);
    ofLine(10, 60.5f, 40, 60.5f);
    ofSetLineWidth(1);
    ofTexture white = checks(255);  // texture
    rect(255, 0, 0, 255, 150, 100, 30, 10);
    ofSetColor(255, 255, 255);
    white.draw(160, 100, 10, 10);
    rect(0, 255, 0, 255, 175, 100, 20, 10);
    rect(255, 255, 255, 255, 300, 100, 60, 10);  // blending
    rect(0, 255, 0, 128, 320, 100, 20, 10);
    ofEnableAlphaBlending();
    rect(255, 0, 0, 128, 300, 100, 20, 10);
    ofDisableAlphaBlending();
    rect(0, 0, 255, 128, 340, 100, 20, 10);
    ofMesh mesh;  // colours of the mesh's own, not the current blue
    for (int k = 0; k < 3; ++k) {
        mesh.addVertex(ofPoint(500 + 20.0f * (k == 1), 10 + 20.0f * (k == 2), 0));
        mesh.addColor(ofFloatColor(1, 1, 1, 1));
    }
    renderer->draw(mesh, true, false, false);
    rect(255, 0, 0, 255, 0, 200, 10, 10);  // viewport
    ofViewport(480, 0, 480, 480, true);
    ofSetupScreen();
    rect(0, 255, 0, 255, 0, 680, 10, 10);

    EXPECT_EQ(colours(60, 20, 20), "G" + std::string(18, 'R') + "G");
    EXPECT_EQ(colours(20, 46, 20, true), "....R.......GGGGG...");
    EXPECT_EQ(colours(435, 27, 8, true), ".BBBRRRR");
    EXPECT_EQ(colours(150, 105, 45), std::string(10, 'R') + std::string(10, 'W') + std::string(5, 'R') +
                                         std::string(20, 'G'));
    const ofColor blended = GLTestWindow::pixel(310, 105);
    EXPECT_EQ(std::vector<int>({blended.r, blended.g, blended.b}), std::vector<int>({255, 127, 127}));
    EXPECT_EQ(colours(330, 105, 1) + colours(350, 105, 1) + colours(503, 13, 1), "GBW");
    EXPECT_EQ(colours(5, 205, 1) + colours(485, 205, 1), "RG");
}
