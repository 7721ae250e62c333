#include <gtest/gtest.h>

#include <GL/glew.h>

#include "Asteroid.h"
#include "GLTestWindow.h"
#include "PixelFont.h"
#include "PlayerShip.h"
#include "Spring.h"
#include "WeaponParticle.h"
#include "ofGraphics.h"
#include "ofTestClock.h"

TEST(PlayerShipDisplay, ShapesTrailsAndTethersOfEveryTypeDrawCleanly) {
    GLTestWindow::openScreen(400, 400);
    ofClear(0, 0, 0, 255);
    ofEnableAlphaBlending();
    while (glGetError() != GL_NO_ERROR) {
    }
    PixelFont font;
    font.setup(1);
    ofFixFrameNum(7);
    for (int type = 0; type < 9; ++type) {
        PlayerShip ship;
        ship.setup(ofColor(0, 200, 255), type % 2 == 1, false, nullptr, &font);
        ship.setShipType(type);
        ship.reset(true);
        ship.lives = type % 3 + 1;
        ship.setVelocity(0.3f * type, 10);
        ship.steering = true;
        for (int i = 0; i < 30; ++i) ship.update(1 / 30.0f);  // a full trail, down to its last segment
        WeaponParticle bead;
        bead.position.set(ship.point.position.x, ship.point.position.y - 50);
        bead.setupForShip(type, 1, false);
        Spring tether;
        tether.setupForShipType(type, 11);
        tether.weaponEnd = &bead;
        tether.shipEnd = &ship.point;
        ship.drawTrail();
        tether.draw(200, ship.point.position.x, ship.point.position.y);
        bead.drawTrail(130);
        bead.draw();
        ship.drawLives();
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "ship type " << type;
    }
    ofReleaseFixedClock();
}
