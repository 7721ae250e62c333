// The motions of the ten wall shapes; t is the arena's own clock.
#include <algorithm>
#include <cmath>

#include "ArenaWalls.h"
#include "ofMath.h"
#include "ofUtils.h"

namespace {

const float PI_F = 3.1415927f;
const float HALF_PI_F = 1.5707964f;

struct Polar {
    float radius;
    float degrees;
};

// The blob morphs between these two outlines.
const Polar blobA[12] = {{0, 90},    {100, 270}, {120, 260}, {200, 182}, {210, 146}, {80, 110},
                         {70, 93},   {140, 100}, {160, 80},  {120, 55},  {210, 40},  {200, 2}};
const Polar blobB[12] = {{10, 370},  {80, 240},  {90, 200},  {200, 185}, {180, 165}, {210, 135},
                         {90, 110},  {170, 80},  {200, 78},  {130, 45},  {50, 30},   {80, 10}};

const Polar uTurn[8] = {{14.4f, 0},     {1120, 89.4f}, {1440, 60},  {1120, -38.66f},
                        {1120, 218.66f}, {1440, 120},  {1120, 90.6f}, {14.4f, 180}};

const float hookOuter[12][2] = {{1, -4}, {0, -4}, {0, -6}, {5, -6}, {5, -2}, {3, -2},
                                {3, 0},  {2, 0},  {2, -3}, {4, -3}, {4, -5}, {1, -5}};
const float hookInner[4][2] = {{2, 1}, {3, 1}, {3, 2}, {2, 2}};

struct Key {
    float x, y, t;
};

const Key track6[] = {{0, 0, 0},
                      {-412.5f, -9.52631f, 1.5f},
                      {-1837, -2457.78f, 9},
                      {-5043.5f, -2467.31f, 19},
                      {-6732, -5372.85f, 30},
                      {-7540.5f, -5363.32f, 32},
                      {-7980.5f, -4582.16f, 35},
                      {-6880.5f, -2657.83f, 42},
                      {-7326, -1905, 45}};
const Key track7[] = {{0, 0, 0},
                      {-1422, -2442.2f, 8},
                      {-2604, -2431.8f, 11},
                      {-4242, 384.515f, 20},
                      {-8532, 394.907f, 32},
                      {-9396, 1912.19f, 37},
                      {-8052, 4260.85f, 45},
                      {-8970, 5830.06f, 50},
                      {-10512, 5819.67f, 55},
                      {-11322, 4395.95f, 59},
                      {-9528, 1267.86f, 69},
                      {-11274, -1777.09f, 79},
                      {-9822, -4312.81f, 87},
                      {-10200, -4925, 90}};

// Where the track stands at time t: a straight blend between the keys around
// t, resting on the last key once it has passed.
void trackAt(const Key* keys, int count, float t, float& x, float& y) {
    int k = 0;
    while (k + 1 < count && keys[k + 1].t <= t) k++;
    if (k + 1 >= count) {
        x = keys[k].x;
        y = keys[k].y;
        return;
    }
    float f = ofClamp((t - keys[k].t) / (keys[k + 1].t - keys[k].t), 0, 1);
    x = keys[k].x + (keys[k + 1].x - keys[k].x) * f;
    y = keys[k].y + (keys[k + 1].y - keys[k].y) * f;
}

}  // namespace

void ArenaWalls::updateNormal(float dt) {
    float t = time;
    float r0 = 1200;
    if (missionFlag && radiusOverride != -1) r0 = static_cast<float>(static_cast<int>(radiusOverride));
    bool still = gameMode == 0;
    float turnStart = still ? 99999 : 30;
    float waveStart = still ? 99999 : 60;
    float driftStart = still ? 99999 : 100;
    float altWaveStart = still ? 99999 : 150;

    if (t >= turnStart) {
        rotation += dt * 0.1f * 0.628318531f * std::fabs(9 * std::sin(0.1f * (t - turnStart + phase))) * turnDirection;
    } else {
        rotation = 0;
    }
    float r1 = r0;
    if (t >= waveStart) r1 = static_cast<float>(static_cast<int>(r0 - 350 * std::sin(0.15f * (t - waveStart) + wavePhase[0])));
    float r2 = r1;
    if (t >= altWaveStart) {
        r2 = static_cast<float>(static_cast<int>(r1 * (1 + 0.5f * std::sin(0.23f * (t - altWaveStart) + wavePhase[1]))));
    }
    centreX = 0;
    centreY = 0;
    if (t >= driftStart) {
        float fx = swapAxes ? 0.15f : 0.18f;
        float fy = swapAxes ? 0.18f : 0.15f;
        centreX = 800 * std::sin(fx * (t - driftStart) + wavePhase[2]);
        centreY = 800 * std::sin(fy * (t - driftStart) + wavePhase[3]);
    }
    if (exitOpen) {
        r1 = r2 = r0;
        rotation = -1.37444675f;
        centreX = 0;
        centreY = 0;
        shift = 0;
        exitWidth = std::min(exitWidth + 0.01f * dt, PI_F / 8);
    }
    radius = static_cast<int>(r1);
    layCircle(outer, centreX, centreY, r2, r1);
}

void ArenaWalls::updateUTurn() {
    rotation = turnFrom;
    if (time > 30) {
        float s = (time - 30) / 10;
        s *= s;
        rotation = (1 - s) * turnFrom + s * turnTarget;
    }
    if (time >= 40) {
        time = 0;
        turnFrom = turnTarget;
        turnTarget -= HALF_PI_F;
        rotation = turnFrom;
    }
    for (int i = 0; i < 8; i++) {
        float a = rotation + ofDegToRad(uTurn[i].degrees);
        outer[i].set(std::cos(a) * uTurn[i].radius, std::sin(a) * uTurn[i].radius);
    }
}

void ArenaWalls::updateDoughnut(float dt) {
    float t = time;
    for (int i = 0; i < 4; i++) {
        float a = rotation + i * HALF_PI_F;
        outer[i].set(std::cos(a) * 1400, std::sin(a) * 1400);
    }

    static const float sizes[5] = {300, 500, 400, 500, 800};
    float target = t <= 10 ? 300 : sizes[((step % 5) + 5) % 5];
    float rho = ofMap(std::fabs(std::sin(0.1f * (t - 10))), 0.3f, 0.7f, 300, target, true);
    if (rho == 300 && stepFlag) {
        step++;
        stepFlag = false;
    }
    if (rho == target) stepFlag = true;

    float offX = 0, offY = 0;
    if (t > 60) {
        slideTime += dt;
        float s = std::sin(0.2f * slideTime);
        if (s < -0.7f) {
            slideTime = 0;
            slideDirection = static_cast<int>(ofRandom(4));
        }
        s = std::max(s, 0.0f);
        switch (slideDirection) {
            case 0: offX = 600 * s; break;
            case 1: offX = -600 * s; break;
            case 2: offY = 600 * s; break;
            default: offY = -600 * s; break;
        }
    }
    for (int i = 0; i < 4; i++) {
        float a = rotation + i * HALF_PI_F;
        inner[i].set(std::cos(a) * rho + offX, std::sin(a) * rho + offY);
    }

    if (t > 110) {
        float u = t - 110;
        rotation = 0.05f * u * std::min(1 + 0.005f * u, 6.0f);
    }
}

void ArenaWalls::updateBlob() {
    float t = time;
    float wa = std::fabs(std::cos(0.1f * t));
    float wr = std::fabs(std::cos(0.14f * t));
    float k = 8;
    if (t > 150) k = ofMap(std::fabs(std::sin(0.09f * (t - 150))), 0, 1, 8, 5);
    if (t > 90) rotation = 0.08f * (t - 90);
    for (int i = 0; i < 12; i++) {
        float degrees = blobA[i].degrees * wa + blobB[i].degrees * (1 - wa);
        float r = blobA[i].radius * wr + blobB[i].radius * (1 - wr);
        float a = rotation + ofDegToRad(degrees);
        outer[i].set(std::cos(a) * r * k, std::sin(a) * r * k);
    }
}

void ArenaWalls::updateClover(float dt) {
    float t = time;
    float leafFactor = 1;
    if (t <= 120) {
        step = static_cast<int>(ofRandom(4));
        timer = 120;
        stepFlag = true;
    } else {
        timer -= dt;
        if (!stepFlag) {
            if (timer <= 0) {
                stepFlag = true;
                timer = 120;
            }
        } else {
            leafFactor = std::max(std::fabs(timer / 120), 0.3f);
            if (timer <= -120) {
                stepFlag = false;
                timer = ofRandomRange(3, 25);
                step = static_cast<int>(ofRandom(4));
            }
        }
    }
    if (t < 15) rotation = 0;
    else rotation += 0.0314159282f * dt;
    centreX = 0;
    centreY = 0;
    if (t >= 60) centreX = centreY = 1000 * std::sin(0.03f * (t - 60));

    const float lean = 0.0942477807f;
    for (int k = 0; k < 4; k++) {
        float b = k * HALF_PI_F + rotation;
        float s = ofMap(k, 0, 3, 0.75f, 1.25f);
        if (k == step) s *= leafFactor;
        const float angles[4] = {b, b + lean, b + PI_F / 4, b + HALF_PI_F - lean};
        const float radii[4] = {200, 960 * s, 1320 * s, 960 * s};
        for (int j = 0; j < 4; j++) {
            outer[k * 4 + j].set(centreX + std::cos(angles[j]) * radii[j], centreY + std::sin(angles[j]) * radii[j]);
        }
    }
}

void ArenaWalls::updateHook() {
    float f = ofMap(std::fabs(std::sin(0.1f * time)), 0, 1, 180, 350);
    for (int i = 0; i < 12; i++) outer[i].set(hookOuter[i][0] * f, hookOuter[i][1] * f);
    for (int i = 0; i < 4; i++) inner[i].set(hookInner[i][0] * f, hookInner[i][1] * f);
}

void ArenaWalls::updateTravellingCircle() {
    if (shape == 6) {
        trackAt(track6, sizeof(track6) / sizeof(track6[0]), time, centreX, centreY);
        layCircle(outer, centreX, centreY, 550, 550);
    } else {
        trackAt(track7, sizeof(track7) / sizeof(track7[0]), time, centreX, centreY);
        layCircle(outer, centreX, centreY, 450, 450);
    }
}

void ArenaWalls::updateMoveBox(float dt) {
    centreY += 130 * dt;
    float u = std::fabs(std::sin(0.1f * ofGetElapsedTimef()));
    float a = ofMap(u, 0, 1, 0.7f, 1.0f);
    float b = ofMap(u, 0, 1, 1.0f, 0.7f);
    outer[0].set(centreX - 1250 * a, centreY - 650);
    outer[1].set(centreX + 1250 * a, centreY - 650);
    outer[2].set(centreX + 1250 * b, centreY + 650);
    outer[3].set(centreX - 1250 * b, centreY + 650);
}

void ArenaWalls::updateCorridor() {
    float w = static_cast<float>(static_cast<int>(250 + 50 * std::sin(0.5f * ofGetElapsedTimef())));
    outer[0].set(centreX - w, centreY - 1000);
    outer[1].set(centreX + w, centreY - 1000);
    outer[2].set(centreX + w, centreY + 1000);
    outer[3].set(centreX - w, centreY + 1000);
}
