#include <gtest/gtest.h>

#include <GL/glew.h>

#include "GLTestWindow.h"
#include "PixelFont.h"
#include "PlayerShip.h"
#include "ShipType.h"
#include "Spring.h"
#include "WeaponParticle.h"
#include "ofGraphics.h"
#include "ofMath.h"
#include "ofTestClock.h"

namespace {

class PlayerShipDisplay : public testing::Test {
protected:
    void SetUp() override {
        GLTestWindow::openScreen(400, 400);
        ofClear(0, 0, 0, 255);
        ofEnableAlphaBlending();
        while (glGetError() != GL_NO_ERROR) {
        }
    }
    void TearDown() override { ofReleaseFixedClock(); }
};

}  // namespace

TEST_F(PlayerShipDisplay, EveryShapeTrailAndTetherDrawsWithoutAnOpenGLError) {
    PixelFont font;
    font.setup(1);
    ofSeedRandom(3);
    ofFixFrameNum(7);
    ofFixElapsedTimef(0);
    for (int type = 0; type < 9; ++type) {
        PlayerShip ship;
        ship.setup(ofColor(0, 200, 255), type % 2 == 1, false, nullptr, &font);
        ship.setShipType(type);
        ship.reset(true);
        ship.lives = type % 3 + 1;
        ship.textSize = 1;
        ship.point.position.set(40.0f + 40 * type, 300);
        ship.setVelocity(0.3f * type, 10);
        ship.steering = true;
        for (int i = 0; i < 30; ++i) ship.update(1 / 30.0f);
        ship.point.position.set(40.0f + 40 * type, 300);

        WeaponParticle bead;
        bead.position.set(40.0f + 40 * type, 250);
        bead.setupForShip(type, 1, false);
        bead.velocity.set(30, 0);
        for (int i = 0; i < 20; ++i) {
            bead.position.x += 1;
            bead.pushTrail();
        }
        Spring tether;
        tether.setupForShipType(type, 11);
        tether.weaponEnd = &bead;
        tether.shipEnd = &ship.point;

        ship.drawTrail();
        ofSetLineWidth(tether.lineWidthFactor * 2);
        tether.draw(200, ship.point.position.x, ship.point.position.y);
        bead.drawTrail(130);
        ofFill();
        ofSetColor(bead.colour);
        bead.draw();
        ship.drawLives();
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "ship type " << type;
    }
}

TEST_F(PlayerShipDisplay, FilledShapeCarriesTheFillAlpha) {
    PlayerShip ship;
    ship.setup(ofColor(255, 0, 0), false, false, nullptr, nullptr);
    ship.setShipType(SHIP_HEAVY);
    ofNoFill();
    ofSetLineWidth(1);
    ofPushMatrix();
    ofTranslate(200, 200);
    ofScale(4, 4);
    ship.draw(1.0f);
    ofPopMatrix();
    // (0, −4) in the ship frame lies inside the hull, away from every line.
    ofColor inside = GLTestWindow::pixel(200, 184);
    EXPECT_NEAR(inside.r, 150, 1);
    EXPECT_EQ(inside.g, 0);
    EXPECT_EQ(inside.b, 0);
    // Outside the hull stays black.
    EXPECT_EQ(GLTestWindow::pixel(200, 130), ofColor(0, 0, 0, 255));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
