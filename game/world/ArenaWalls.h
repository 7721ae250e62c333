#pragma once

#include <vector>

#include "ofPoint.h"

class PlayerShip;

// The boundary of the playing field: an outer polygon to stay inside and, for
// some shapes, an island to stay out of. Each of the ten shapes rebuilds its
// points every update from the arena's own clock.
class ArenaWalls {
public:
    static constexpr int shapeCount = 10;

    void setup(bool scaleLineWidth, bool missionFlag, int gameMode, int shape);
    void update(float dt);
    void openExit();
    // The caller sets the colour.
    void draw(float lineScale);
    void computeBounds();

    bool isPointInside(float x, float y) const;
    bool isCircleInside(float x, float y, float r) const;
    bool isShipInside(const PlayerShip& ship) const;

    bool scaleLineWidth = false;
    int shape = 0;
    int gameMode = 0;
    bool missionFlag = false;
    std::vector<ofPoint> outer;
    std::vector<ofPoint> inner;
    float time = 0;
    float rotation = 0;
    float centreX = 0;
    float centreY = 0;
    float shift = 0;
    float radiusOverride = -1;
    int radius = 1200;
    bool exitOpen = false;
    float exitWidth = 0;
    float boundsX = 0;
    float boundsY = 0;
    float boundsRadius = 0;
    float phase = 0;
    int turnDirection = 1;
    bool swapAxes = false;
    float wavePhase[4] = {0, 0, 0, 0};
    float turnTarget = 1.5707964f;
    float turnFrom = 3.1415927f;
    int step = 0;
    bool stepFlag = true;
    float timer = 0;
    int slideDirection = 0;
    float slideTime = 0;
    float farValue = 1000000;

private:
    // Point i at rotation + i x (2 pi - exitWidth) / (size - 1), the closing
    // point included; even points at rEven, odd ones at rOdd.
    void layCircle(std::vector<ofPoint>& points, float cx, float cy, float rEven, float rOdd) const;

    void updateNormal(float dt);
    void updateUTurn();
    void updateDoughnut(float dt);
    void updateBlob();
    void updateClover(float dt);
    void updateHook();
    void updateTravellingCircle();
    void updateMoveBox(float dt);
    void updateCorridor();
};
