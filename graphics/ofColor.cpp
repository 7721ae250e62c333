// g++ leaves the constexpr raw constructor out of an explicit instantiation
// that follows an extern one, and unoptimised builds then fail to link.
#define OF_COLOR_INSTANTIATING
#include "ofColor.h"

#include <algorithm>

#include "ofMath.h"

namespace {

// Low bits of the value truncated toward zero. Going through a wide integer
// keeps NaN and huge values defined: they give 0.
template <typename Int>
Int wrapToChannel(float value) {
    if (!(value > -9.2e18f && value < 9.2e18f)) return 0;
    return static_cast<Int>(static_cast<uint64_t>(static_cast<int64_t>(value)));
}

template <typename T>
T channelFromFloat(float value, std::true_type /*floating*/) {
    return static_cast<T>(value);
}

template <typename T>
T channelFromFloat(float value, std::false_type /*integral*/) {
    return wrapToChannel<T>(value);
}

}  // namespace

template <typename PixelType>
PixelType ofColor_<PixelType>::toChannel(float value) {
    return channelFromFloat<PixelType>(value, std::is_floating_point<PixelType>());
}

template <typename PixelType>
float ofColor_<PixelType>::limit() {
    return static_cast<float>(fullScale());
}

template <typename PixelType>
ofColor_<PixelType>::ofColor_(float red, float green, float blue, float alpha) {
    set(red, green, blue, alpha);
}

template <typename PixelType>
ofColor_<PixelType>::ofColor_(float gray, float alpha) {
    set(gray, alpha);
}

template <typename PixelType>
void ofColor_<PixelType>::set(float red, float green, float blue, float alpha) {
    r = toChannel(red);
    g = toChannel(green);
    b = toChannel(blue);
    a = toChannel(alpha);
}

template <typename PixelType>
void ofColor_<PixelType>::set(float gray, float alpha) {
    r = g = b = toChannel(gray);
    a = toChannel(alpha);
}

template <typename PixelType>
void ofColor_<PixelType>::setHex(int hexColor, float alpha) {
    r = fromByte((hexColor >> 16) & 0xff);
    g = fromByte((hexColor >> 8) & 0xff);
    b = fromByte(hexColor & 0xff);
    a = toChannel(alpha);
}

template <typename PixelType>
void ofColor_<PixelType>::setHsb(float hue, float saturation, float brightness, float alpha) {
    const float top = limit();
    saturation = ofClamp(saturation, 0, top);
    brightness = ofClamp(brightness, 0, top);
    if (brightness == 0) {
        r = g = b = 0;
    } else if (saturation == 0) {
        r = g = b = toChannel(brightness);
    } else {
        // Hues outside [0, top) wrap round the circle (the game's sparks give
        // slightly negative ones); the sector is kept to 0..5 against rounding.
        if (!std::isfinite(hue)) hue = 0;
        hue = std::fmod(hue, top);
        if (hue < 0) hue += top;
        if (hue >= top) hue = 0;
        const float x = hue * 6.0f / top;
        const float s = saturation / top;
        int sector = static_cast<int>(std::floor(x));
        const float f = x - sector;
        sector = std::min(std::max(sector, 0), 5);
        const float v = brightness;
        const PixelType p = toChannel(v * (1 - s));
        const PixelType q = toChannel(v * (1 - f * s));
        const PixelType t = toChannel(v * (1 - s * (1 - f)));
        const PixelType vc = toChannel(v);
        switch (sector) {
            case 0: r = vc; g = t; b = p; break;
            case 1: r = q; g = vc; b = p; break;
            case 2: r = p; g = vc; b = t; break;
            case 3: r = p; g = q; b = vc; break;
            case 4: r = t; g = p; b = vc; break;
            default: r = vc; g = p; b = q; break;
        }
    }
    a = toChannel(alpha);
}

template <typename PixelType>
void ofColor_<PixelType>::getHsb(float& hue, float& saturation, float& brightness) const {
    const float fr = r, fg = g, fb = b;
    const float maxVal = std::max(fr, std::max(fg, fb));
    const float minVal = std::min(fr, std::min(fg, fb));
    if (maxVal == minVal) {
        hue = 0;
        saturation = 0;
        brightness = maxVal;
        return;
    }
    const float delta = maxVal - minVal;
    float h;
    if (maxVal == fr) {
        h = (fg - fb) / delta;
        if (h < 0) h += 6;
    } else if (maxVal == fg) {
        h = (fb - fr) / delta + 2;
    } else {
        h = (fr - fg) / delta + 4;
    }
    hue = h * limit() / 6;
    saturation = delta * limit() / maxVal;
    brightness = maxVal;
}

template <typename PixelType>
float ofColor_<PixelType>::getHue() const {
    float h, s, v;
    getHsb(h, s, v);
    return h;
}

template <typename PixelType>
float ofColor_<PixelType>::getSaturation() const {
    float h, s, v;
    getHsb(h, s, v);
    return s;
}

template <typename PixelType>
float ofColor_<PixelType>::getBrightness() const {
    return std::max(static_cast<float>(r), std::max(static_cast<float>(g), static_cast<float>(b)));
}

template <typename PixelType>
void ofColor_<PixelType>::setHue(float hue) {
    float h, s, v;
    getHsb(h, s, v);
    setHsb(hue, s, v, a);
}

template <typename PixelType>
void ofColor_<PixelType>::setSaturation(float saturation) {
    float h, s, v;
    getHsb(h, s, v);
    setHsb(h, saturation, v, a);
}

template <typename PixelType>
void ofColor_<PixelType>::setBrightness(float brightness) {
    float h, s, v;
    getHsb(h, s, v);
    setHsb(h, s, brightness, a);
}

template <typename PixelType>
ofColor_<PixelType>& ofColor_<PixelType>::clamp() {
    if (std::is_floating_point<PixelType>::value) {
        const PixelType top = fullScale();
        r = std::min(std::max(r, PixelType(0)), top);
        g = std::min(std::max(g, PixelType(0)), top);
        b = std::min(std::max(b, PixelType(0)), top);
        a = std::min(std::max(a, PixelType(0)), top);
    }
    return *this;
}

template <typename PixelType>
ofColor_<PixelType> ofColor_<PixelType>::operator*(const float& factor) const {
    const float f = ofClamp(factor, 0, 1);
    ofColor_ result(r * f, g * f, b * f);
    return result.clamp();
}

template <typename PixelType>
ofColor_<PixelType> ofColor_<PixelType>::operator*(const ofColor_& other) const {
    return ofColor_(other.r / limit() * r, other.g / limit() * g, other.b / limit() * b);
}

template <typename PixelType>
PixelType& ofColor_<PixelType>::operator[](int i) {
    switch (i) {
        case 1: return g;
        case 2: return b;
        case 3: return a;
        default: return r;
    }
}

template <typename PixelType>
const PixelType& ofColor_<PixelType>::operator[](int i) const {
    return const_cast<ofColor_*>(this)->operator[](i);
}

// Basic colours on each type's own scale; gray is half of it, truncated.
template <typename T> const ofColor_<T> ofColor_<T>::white = raw(fullScale(), fullScale(), fullScale());
template <typename T> const ofColor_<T> ofColor_<T>::gray = raw(halfScale(), halfScale(), halfScale());
template <typename T> const ofColor_<T> ofColor_<T>::black = raw(0, 0, 0);
template <typename T> const ofColor_<T> ofColor_<T>::red = raw(fullScale(), 0, 0);
template <typename T> const ofColor_<T> ofColor_<T>::green = raw(0, fullScale(), 0);
template <typename T> const ofColor_<T> ofColor_<T>::blue = raw(0, 0, fullScale());
template <typename T> const ofColor_<T> ofColor_<T>::cyan = raw(0, fullScale(), fullScale());
template <typename T> const ofColor_<T> ofColor_<T>::magenta = raw(fullScale(), 0, fullScale());
template <typename T> const ofColor_<T> ofColor_<T>::yellow = raw(fullScale(), fullScale(), 0);
#define OF_COLOR_DEFINE(name, r8, g8, b8) \
    template <typename T>                 \
    const ofColor_<T> ofColor_<T>::name = named(r8, g8, b8);
OF_COLOR_KEYWORDS(OF_COLOR_DEFINE)
#undef OF_COLOR_DEFINE

template class ofColor_<unsigned char>;
template class ofColor_<float>;
