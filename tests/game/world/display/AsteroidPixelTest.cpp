#include <gtest/gtest.h>

#include "Asteroid.h"
#include "GLTestWindow.h"
#include "ofGraphics.h"

// Two red rocks of radius 89 on black, at full alpha and at alpha 60: the fill
// stays at most 100 opaque while the outlines take the given alpha.
TEST(AsteroidPixels, FillIsCappedAtAlphaHundredOutlinesFollowAlpha) {
    GLTestWindow::openScreen(960, 960);
    ofEnableAlphaBlending();
    Asteroid rock;
    rock.setup(ofColor(255, 0, 0), 0, 0, 4, 4, 1, 1, false, true);
    rock.travelled = 0;
    for (int alpha : {255, 60}) {
        rock.x = alpha == 255 ? 240 : 720;
        rock.y = 480;
        rock.draw(alpha);
    }
    // Red along the row through each centre, at offsets from it: fill, inner
    // ring over fill, fill, outer ring over fill, outer ring alone, black.
    const int offsets[] = {0, 30, 61, 75, 88, 90, 95};
    const int full[] = {100, 100, 255, 100, 255, 255, 0};
    const int faint[] = {60, 60, 106, 60, 106, 60, 0};
    for (int i = 0; i < 7; i++) {
        EXPECT_EQ(GLTestWindow::pixel(240 + offsets[i], 480).r, full[i]) << offsets[i];
        EXPECT_EQ(GLTestWindow::pixel(720 + offsets[i], 480).r, faint[i]) << offsets[i];
    }
    EXPECT_EQ(GLTestWindow::pixel(240, 480).g, 0);
}
