#pragma once

// The generator yields 0 to 32767 like the classic C library; every random
// function divides by 32768, so none reaches its upper bound.
int ofRandomNext();
void ofSeedRandom();
void ofSeedRandom(unsigned int seed);

float ofRandom(float max);
float ofRandomRange(float x, float y);
float ofRandomSigned();
float ofRandomUnit();

float ofMap(float value, float inputMin, float inputMax, float outputMin, float outputMax, bool clamp = false);
float ofClamp(float value, float min, float max);
float ofDist(float x1, float y1, float x2, float y2);
float ofDistSquared(float x1, float y1, float x2, float y2);
float ofRadToDeg(float radians);
float ofDegToRad(float degrees);
int ofNextPow2(int n);
// A cast toward zero that is defined for every input: NaN gives 0, and values
// beyond int's range give its nearest bound.
int ofTruncToInt(double value);

float ofNoise2D(float x, float y);
float ofNoise3D(float x, float y, float z);
float simplexNoise2D(float x, float y);
float simplexNoise3D(float x, float y, float z);
float simplexGradient2D(int hash, float x, float y);
float simplexGradient3D(int hash, float x, float y, float z);

extern const unsigned char noisePermutation[512];
