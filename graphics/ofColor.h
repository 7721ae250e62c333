#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <type_traits>

#include "ofColorNames.h"

// A colour of four channels r, g, b, a. ofColor holds bytes (0..255),
// ofFloatColor floats (0..1).
template <typename PixelType>
class ofColor_ {
public:
    ofColor_() : r(fullScale()), g(fullScale()), b(fullScale()), a(fullScale()) {}
    ofColor_(float red, float green, float blue, float alpha = limit());
    ofColor_(float gray, float alpha = limit());
    ofColor_(const ofColor_& other) = default;
    ofColor_& operator=(const ofColor_& other) = default;

    // Channels scaled from the other type's full scale to this one's.
    template <typename SrcType>
    ofColor_(const ofColor_<SrcType>& other);

    static float limit();

    void set(float red, float green, float blue, float alpha = limit());
    void set(float gray, float alpha = limit());
    void setHex(int hexColor, float alpha = limit());
    // Hue, saturation and brightness on the scale 0..limit().
    void setHsb(float hue, float saturation, float brightness, float alpha = limit());
    void getHsb(float& hue, float& saturation, float& brightness) const;
    float getHue() const;
    float getSaturation() const;
    float getBrightness() const;
    void setHue(float hue);
    void setSaturation(float saturation);
    void setBrightness(float brightness);

    ofColor_& clamp();

    ofColor_ operator*(const float& factor) const;
    ofColor_ operator*(const ofColor_& other) const;

    bool operator==(const ofColor_& other) const {
        return r == other.r && g == other.g && b == other.b && a == other.a;
    }
    bool operator!=(const ofColor_& other) const { return !(*this == other); }

    PixelType& operator[](int i);
    const PixelType& operator[](int i) const;

    // Stores a float as a channel: integer channels keep the low bits of the
    // value truncated toward zero (NaN and out-of-range values give 0).
    static PixelType toChannel(float value);

    PixelType r, g, b, a;

    static const ofColor_ white, gray, black, red, green, blue, cyan, magenta, yellow;
#define OF_COLOR_DECLARE(name, r8, g8, b8) static const ofColor_ name;
    OF_COLOR_KEYWORDS(OF_COLOR_DECLARE)
#undef OF_COLOR_DECLARE

private:
    struct RawTag {};
    constexpr ofColor_(PixelType red, PixelType green, PixelType blue, PixelType alpha, RawTag)
        : r(red), g(green), b(blue), a(alpha) {}

    static constexpr PixelType fullScale() {
        return std::is_floating_point<PixelType>::value ? PixelType(1) : std::numeric_limits<PixelType>::max();
    }
    static constexpr PixelType halfScale() {
        return std::is_floating_point<PixelType>::value ? PixelType(0.5) : PixelType(fullScale() / 2);
    }
    // A named colour's 8-bit value on this type's scale.
    static constexpr PixelType fromByte(int value) {
        return std::is_floating_point<PixelType>::value
                   ? PixelType(value / 255.0f)
                   : PixelType(static_cast<unsigned long long>(value) *
                               static_cast<unsigned long long>(fullScale()) / 255u);
    }
    static constexpr ofColor_ named(int red, int green, int blue) {
        return ofColor_(fromByte(red), fromByte(green), fromByte(blue), fullScale(), RawTag());
    }
    static constexpr ofColor_ raw(PixelType red, PixelType green, PixelType blue) {
        return ofColor_(red, green, blue, fullScale(), RawTag());
    }

    template <typename>
    friend class ofColor_;
};

typedef ofColor_<unsigned char> ofColor;
typedef ofColor_<float> ofFloatColor;

template <typename PixelType>
template <typename SrcType>
ofColor_<PixelType>::ofColor_(const ofColor_<SrcType>& other) {
    const float factor = limit() / ofColor_<SrcType>::limit();
    r = toChannel(other.r * factor);
    g = toChannel(other.g * factor);
    b = toChannel(other.b * factor);
    a = toChannel(other.a * factor);
}

#ifndef OF_COLOR_INSTANTIATING
extern template class ofColor_<unsigned char>;
extern template class ofColor_<float>;
#endif
