#include "ofMath.h"

#include <atomic>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>

#include "ofLog.h"
#include "ofUtils.h"

namespace {

std::atomic<uint32_t> randomState{1};

double draw() {
    return static_cast<double>(ofRandomNext());
}

}  // namespace

int ofRandomNext() {
    uint32_t old = randomState.load(std::memory_order_relaxed);
    uint32_t next;
    do {
        next = old * 214013u + 2531011u;
    } while (!randomState.compare_exchange_weak(old, next, std::memory_order_relaxed));
    return static_cast<int>((next >> 16) & 0x7FFF);
}

void ofSeedRandom() {
    ofSeedRandom(static_cast<unsigned int>(ofGetSystemTime()));
}

void ofSeedRandom(unsigned int seed) {
    randomState.store(seed);
}

float ofRandom(float max) {
    return static_cast<float>(max * draw() / 32768.0);
}

float ofRandomRange(float x, float y) {
    if (x == y) return x;
    double low = x < y ? x : y;
    double high = x < y ? y : x;
    return static_cast<float>(low + (high - low) * draw() / 32768.0);
}

float ofRandomSigned() {
    return static_cast<float>(2.0 * draw() / 32768.0 - 1.0);
}

float ofRandomUnit() {
    return static_cast<float>(draw() / 32768.0);
}

float ofMap(float value, float inputMin, float inputMax, float outputMin, float outputMax, bool clamp) {
    if (std::fabs(inputMin - inputMax) < FLT_EPSILON) {
        ofLog(OF_LOG_WARNING, "ofMap: avoiding possible divide by zero, check inputMin and inputMax\n");
        return outputMin;
    }
    float out = static_cast<float>((static_cast<double>(value) - inputMin) / (static_cast<double>(inputMax) - inputMin) *
                                       (static_cast<double>(outputMax) - outputMin) +
                                   outputMin);
    if (clamp) {
        if (outputMax < outputMin) {
            if (out < outputMax) out = outputMax;
            else if (out > outputMin) out = outputMin;
        } else {
            if (out > outputMax) out = outputMax;
            else if (out < outputMin) out = outputMin;
        }
    }
    return out;
}

float ofClamp(float value, float min, float max) {
    return value < min ? min : value > max ? max : value;
}

float ofDist(float x1, float y1, float x2, float y2) {
    return std::sqrt(ofDistSquared(x1, y1, x2, y2));
}

float ofDistSquared(float x1, float y1, float x2, float y2) {
    float dx = x1 - x2;
    float dy = y1 - y2;
    return dx * dx + dy * dy;
}

float ofRadToDeg(float radians) {
    return static_cast<float>(radians * 57.29577951308232);
}

float ofDegToRad(float degrees) {
    return static_cast<float>(degrees * 0.017453292519943295);
}

int ofNextPow2(int n) {
    if (n < 2) return 1;
    if (n > (1 << 30)) {
        ofLog(OF_LOG_ERROR, "ofNextPow2: %d has no power of two that fits in an int", n);
        return n;
    }
    int p = 1;
    while (p < n) p <<= 1;
    return p;
}

int ofTruncToInt(double value) {
    constexpr int lowest = std::numeric_limits<int>::min();
    constexpr int highest = std::numeric_limits<int>::max();
    if (std::isnan(value)) return 0;
    if (value <= lowest) return lowest;
    if (value >= highest) return highest;
    return static_cast<int>(value);
}

// The permutation of the improved Perlin noise reference, stored twice.
const unsigned char noisePermutation[512] = {
#define VX_PERM                                                                                                        \
    151, 160, 137, 91, 90, 15, 131, 13, 201, 95, 96, 53, 194, 233, 7, 225, 140, 36, 103, 30, 69, 142, 8, 99, 37, 240,   \
        21, 10, 23, 190, 6, 148, 247, 120, 234, 75, 0, 26, 197, 62, 94, 252, 219, 203, 117, 35, 11, 32, 57, 177, 33,    \
        88, 237, 149, 56, 87, 174, 20, 125, 136, 171, 168, 68, 175, 74, 165, 71, 134, 139, 48, 27, 166, 77, 146, 158,  \
        231, 83, 111, 229, 122, 60, 211, 133, 230, 220, 105, 92, 41, 55, 46, 245, 40, 244, 102, 143, 54, 65, 25, 63,   \
        161, 1, 216, 80, 73, 209, 76, 132, 187, 208, 89, 18, 169, 200, 196, 135, 130, 116, 188, 159, 86, 164, 100, 109, \
        198, 173, 186, 3, 64, 52, 217, 226, 250, 124, 123, 5, 202, 38, 147, 118, 126, 255, 82, 85, 212, 207, 206, 59,  \
        227, 47, 16, 58, 17, 182, 189, 28, 42, 223, 183, 170, 213, 119, 248, 152, 2, 44, 154, 163, 70, 221, 153, 101,  \
        155, 167, 43, 172, 9, 129, 22, 39, 253, 19, 98, 108, 110, 79, 113, 224, 232, 178, 185, 112, 104, 218, 246, 97, \
        228, 251, 34, 242, 193, 238, 210, 144, 12, 191, 179, 162, 241, 81, 51, 145, 235, 249, 14, 239, 107, 49, 192,   \
        214, 31, 181, 199, 106, 157, 184, 84, 204, 176, 115, 121, 50, 45, 127, 4, 150, 254, 138, 236, 205, 93, 222,    \
        114, 67, 29, 24, 72, 243, 141, 128, 195, 78, 66, 215, 61, 156, 180
    VX_PERM, VX_PERM
#undef VX_PERM
};

namespace {

// Integral coordinates, zero included, land one cell lower than their floor.
// Coordinates beyond int's range stay at its bounds, NaN counts as 0.
int fastFloor(float c) {
    int whole = ofTruncToInt(c);
    return c > 0 || whole == std::numeric_limits<int>::min() ? whole : whole - 1;
}

inline int perm(int i) {
    return noisePermutation[i];
}

inline float corner2(float r, float x, float y, int hash) {
    float t = r - x * x - y * y;
    if (t < 0) return 0.0f;
    t *= t;
    return t * t * simplexGradient2D(hash, x, y);
}

inline float corner3(float x, float y, float z, int hash) {
    float t = 0.6f - x * x - y * y - z * z;
    if (t < 0) return 0.0f;
    t *= t;
    return t * t * simplexGradient3D(hash, x, y, z);
}

}  // namespace

float simplexGradient2D(int hash, float x, float y) {
    int h = hash & 7;
    float u = h < 4 ? x : y;
    float v = h < 4 ? y : x;
    return ((h & 1) ? -u : u) + ((h & 2) ? -2.0f * v : 2.0f * v);
}

float simplexGradient3D(int hash, float x, float y, float z) {
    int h = hash & 15;
    float u = h < 8 ? x : y;
    float v = h < 4 ? y : (h == 12 || h == 14) ? x : z;
    return ((h & 1) ? -u : u) + ((h & 2) ? -v : v);
}

float simplexNoise2D(float x, float y) {
    const float F2 = 0.3660253882408142f;
    const float G2 = 0.21132487058639526f;

    float s = (x + y) * F2;
    int i = fastFloor(x + s);
    int j = fastFloor(y + s);
    float t = static_cast<float>(int64_t{i} + j) * G2;  // wide: cells at int's bounds must not overflow
    float x0 = x - (i - t);
    float y0 = y - (j - t);

    int i1 = x0 > y0 ? 1 : 0;
    int j1 = x0 > y0 ? 0 : 1;

    float x1 = x0 - i1 + G2;
    float y1 = y0 - j1 + G2;
    float x2 = x0 - 1.0f + 2.0f * G2;
    float y2 = y0 - 1.0f + 2.0f * G2;

    int ii = i & 255;
    int jj = j & 255;
    float n0 = corner2(0.5f, x0, y0, perm(ii + perm(jj)));
    float n1 = corner2(0.5f, x1, y1, perm(ii + i1 + perm(jj + j1)));
    float n2 = corner2(0.5f, x2, y2, perm(ii + 1 + perm(jj + 1)));
    return 40.0f * (n0 + n1 + n2);
}

float simplexNoise3D(float x, float y, float z) {
    const float F3 = 1.0f / 3.0f;
    const float G3 = 1.0f / 6.0f;

    float s = (x + y + z) * F3;
    int i = fastFloor(x + s);
    int j = fastFloor(y + s);
    int k = fastFloor(z + s);
    float t = static_cast<float>(int64_t{i} + j + k) * G3;
    float x0 = x - (i - t);
    float y0 = y - (j - t);
    float z0 = z - (k - t);

    int i1, j1, k1, i2, j2, k2;
    if (x0 >= y0) {
        if (y0 >= z0) {
            i1 = 1; j1 = 0; k1 = 0; i2 = 1; j2 = 1; k2 = 0;
        } else if (x0 >= z0) {
            i1 = 1; j1 = 0; k1 = 0; i2 = 1; j2 = 0; k2 = 1;
        } else {
            i1 = 0; j1 = 0; k1 = 1; i2 = 1; j2 = 0; k2 = 1;
        }
    } else {
        if (y0 < z0) {
            i1 = 0; j1 = 0; k1 = 1; i2 = 0; j2 = 1; k2 = 1;
        } else if (x0 < z0) {
            i1 = 0; j1 = 1; k1 = 0; i2 = 0; j2 = 1; k2 = 1;
        } else {
            i1 = 0; j1 = 1; k1 = 0; i2 = 1; j2 = 1; k2 = 0;
        }
    }

    float x1 = x0 - i1 + G3, y1 = y0 - j1 + G3, z1 = z0 - k1 + G3;
    float x2 = x0 - i2 + 2.0f * G3, y2 = y0 - j2 + 2.0f * G3, z2 = z0 - k2 + 2.0f * G3;
    float x3 = x0 - 1.0f + 3.0f * G3, y3 = y0 - 1.0f + 3.0f * G3, z3 = z0 - 1.0f + 3.0f * G3;

    int ii = i & 255, jj = j & 255, kk = k & 255;
    float n0 = corner3(x0, y0, z0, perm(ii + perm(jj + perm(kk))));
    float n1 = corner3(x1, y1, z1, perm(ii + i1 + perm(jj + j1 + perm(kk + k1))));
    float n2 = corner3(x2, y2, z2, perm(ii + i2 + perm(jj + j2 + perm(kk + k2))));
    float n3 = corner3(x3, y3, z3, perm(ii + 1 + perm(jj + 1 + perm(kk + 1))));
    return 32.0f * (n0 + n1 + n2 + n3);
}

float ofNoise2D(float x, float y) {
    return 0.5f * simplexNoise2D(x, y) + 0.5f;
}

float ofNoise3D(float x, float y, float z) {
    return 0.5f * simplexNoise3D(x, y, z) + 0.5f;
}
