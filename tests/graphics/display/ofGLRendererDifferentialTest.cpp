#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "DrawnFrame.h"
#include "GLTestWindow.h"
#include "ofGLRenderer.h"
#include "ofGraphics.h"

// Random drawing sequences through the drawing functions, drawn batched and
// one by one, must give the same pixels; smoothed lines alone may differ, by
// a little coverage.
namespace {

const int width = 640, height = 480;

enum Op {
    Colour, Background, Fill, NoFill, LineWidth, CircleResolution, AlphaOn, AlphaOff, Smoothing, Push, Pop,
    Translate, Rotate, Scale, Viewport, Line, Rect, Triangle, Circle, Shape, Text, OpCount
};

struct Step {
    Op op = Colour;
    std::vector<float> v;
};

// A sequence and the C++ that replays it, for the failure message.
struct Sequence {
    std::vector<Step> steps;
    bool smoothed = false;

    std::string code() const {
        static const char* names[] = {"ofSetColor", "ofBackground", "ofFill", "ofNoFill", "ofSetLineWidth",
                                      "ofSetCircleResolution", "ofEnableAlphaBlending", "ofDisableAlphaBlending",
                                      "ofEnableSmoothing", "ofPushMatrix", "ofPopMatrix", "ofTranslate", "ofRotate",
                                      "ofScale", "ofViewport", "ofLine", "ofRect", "ofTriangle", "ofCircle",
                                      "ofVertex", "ofDrawBitmapString"};
        std::ostringstream out;
        for (const Step& s : steps) {
            if (s.op == Viewport) out << "ofViewport(";
            else if (s.op == Shape) out << "ofBeginShape(); ofVertex(";
            else out << names[s.op] << "(";
            if (s.op == Text) out << "\"Ab\", ";
            for (size_t i = 0; i < s.v.size(); ++i) {
                if (s.op == Shape && i + 1 == s.v.size()) break;
                out << (i ? (s.op == Shape && i % 2 == 0 ? "); ofVertex(" : ", ") : "") << s.v[i];
            }
            if (s.op == Viewport) out << "); ofSetupScreen(";
            if (s.op == Shape) out << "); ofEndShape(" << (s.v.back() ? "true" : "false");
            out << "); ";
        }
        return out.str();
    }
};

// Coordinates either whole numbers, often on an edge of the window or of a
// viewport, or with two decimals, as the game's are.
class Maker {
public:
    explicit Maker(uint32_t seed) : random(seed), whole(seed % 2 == 0) {}

    Sequence make() {
        Sequence s;
        int pushed = 0;
        const int n = 3 + below(12);
        for (int i = 0; i < n; ++i) {
            Step step;
            step.op = static_cast<Op>(below(OpCount));
            switch (step.op) {
                case Colour: step.v = {f(below(256)), f(below(256)), f(below(256)), f(below(2) ? 255 : below(256))}; break;
                case Background: step.v = {f(below(256)), f(below(256)), f(below(256))}; break;
                case LineWidth: step.v = {below(2) ? f(1 + below(8)) : 1 + below(800) / 100.0f}; break;
                case CircleResolution: step.v = {f(3 + below(30))}; break;
                case Smoothing: s.smoothed = true; break;
                case Push: ++pushed; break;
                case Pop:
                    if (pushed == 0) step.op = Push;
                    pushed += step.op == Push ? 1 : -1;
                    break;
                case Translate: step.v = {offset(), offset()}; break;
                case Rotate: step.v = {whole ? f(below(8) * 45) : below(36000) / 100.0f}; break;
                case Scale: step.v = {scale(), scale()}; break;
                case Viewport: {
                    const float w = f(1 + below(width)), h = f(1 + below(height));
                    step.v = {f(below(width - static_cast<int>(w) + 1)), f(below(height - static_cast<int>(h) + 1)), w, h};
                    break;
                }
                case Line: step.v = {x(), y(), x(), y()}; break;
                case Rect: step.v = {x(), y(), size(), size()}; break;
                case Triangle: step.v = {x(), y(), x(), y(), x(), y()}; break;
                case Circle: step.v = {x(), y(), std::abs(size()) / 2}; break;
                case Shape:
                    for (int k = 3 + below(5); k > 0; --k) step.v.insert(step.v.end(), {x(), y()});
                    step.v.push_back(f(below(2)));
                    break;
                case Text: step.v = {x(), y()}; break;
                default: break;
            }
            s.steps.push_back(step);
        }
        for (; pushed > 0; --pushed) s.steps.push_back(Step{Pop, {}});
        return s;
    }

private:
    static float f(int i) { return static_cast<float>(i); }
    int below(int n) { return static_cast<int>(random() % static_cast<uint32_t>(n)); }
    float number(int lo, int hi) {
        if (whole) return f(lo + below(hi - lo + 1));
        return f(lo) + below((hi - lo) * 100 + 1) / 100.0f;
    }
    float edge(int most) {
        const int edges[] = {0, 1, most - 1, most, most / 2};
        return f(edges[below(5)]);
    }
    float x() { return whole && below(3) == 0 ? edge(width) : number(-40, width + 40); }
    float y() { return whole && below(3) == 0 ? edge(height) : number(-40, height + 40); }
    float size() { return number(-200, 200); }
    float offset() { return number(-100, 100); }
    float scale() { return whole ? f(1 + below(3)) * (below(4) ? 1 : -1) : number(-2, 3); }

    std::mt19937 random;
    bool whole = true;
};

void play(const Sequence& s) {
    for (const Step& step : s.steps) {
        const std::vector<float>& v = step.v;
        switch (step.op) {
            case Colour: ofSetColor(int(v[0]), int(v[1]), int(v[2]), int(v[3])); break;
            case Background: ofBackground(int(v[0]), int(v[1]), int(v[2])); break;
            case Fill: ofFill(); break;
            case NoFill: ofNoFill(); break;
            case LineWidth: ofSetLineWidth(v[0]); break;
            case CircleResolution: ofSetCircleResolution(int(v[0])); break;
            case AlphaOn: ofEnableAlphaBlending(); break;
            case AlphaOff: ofDisableAlphaBlending(); break;
            case Smoothing: ofEnableSmoothing(); break;
            case Push: ofPushMatrix(); break;
            case Pop: ofPopMatrix(); break;
            case Translate: ofTranslate(v[0], v[1]); break;
            case Rotate: ofRotate(v[0]); break;
            case Scale: ofScale(v[0], v[1]); break;
            case Viewport:
                ofViewport(v[0], v[1], v[2], v[3]);
                ofSetupScreen();
                break;
            case Line: ofLine(v[0], v[1], v[2], v[3]); break;
            case Rect: ofRect(v[0], v[1], v[2], v[3]); break;
            case Triangle: ofTriangle(v[0], v[1], v[2], v[3], v[4], v[5]); break;
            case Circle: ofCircle(v[0], v[1], v[2]); break;
            case Shape:
                ofBeginShape();
                for (size_t i = 0; i + 1 < v.size(); i += 2) ofVertex(v[i], v[i + 1]);
                ofEndShape(v.back() != 0);
                break;
            case Text: ofDrawBitmapString("Ab", v[0], v[1]); break;
            default: break;
        }
    }
}

std::vector<unsigned char> drawn(ofGLRenderer& renderer, bool batching, const Sequence& s) {
    return drawnFrame(renderer, batching, width, height, [&] {
        ofSetCircleResolution(20);
        play(s);
    });
}

}  // namespace

TEST(GLRendererDifferential, RandomSequencesDrawTheSamePixelsBatchedAsOneByOne) {
    GLTestWindow::openScreen(width, height);
    ofGLRenderer* renderer = static_cast<ofGLRenderer*>(ofGetCurrentRenderer().get());
    ASSERT_NE(renderer, nullptr);
    const int sequences = 600;
    // Smoothed lines' coverage may step differently on a moved vertex.
    const int smoothedPixels = 40, smoothedStep = 2;
    int differing = 0, pixels = 0, most = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int seed = 1; seed <= sequences; ++seed) {
        const Sequence s = Maker(static_cast<uint32_t>(seed)).make();
        const std::vector<unsigned char> oneByOne = drawn(*renderer, false, s);
        const FrameDifference d = compareFrames(drawn(*renderer, true, s), oneByOne);
        differing += d.pixels > 0;
        pixels += d.pixels;
        most = std::max(most, d.most);
        if (s.smoothed) {
            EXPECT_TRUE(d.pixels <= smoothedPixels && d.most <= smoothedStep)
                << "seed " << seed << ": " << d.pixels << " pixels, by up to " << d.most << "\n" << s.code();
        } else {
            EXPECT_EQ(d.pixels, 0) << "seed " << seed << ", by up to " << d.most << "\n" << s.code();
        }
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%d sequences in %.1f s: %d differ, %d pixels, by up to %d\n", sequences, seconds, differing,
                pixels, most);
}
