#include "ofBitmapFont.h"

#include <GL/glew.h>

#include "ofTexture.h"

namespace {

const int sheetSize = 256;

struct BitmapFontState {
    ofTexture texture;
    bool built = false;
    std::vector<unsigned char> pixels = std::vector<unsigned char>(sheetSize * sheetSize * 2, 0);
    ofBitmapCharacterBatch batch;
};

// Never destroyed: the texture must not be released after the GL context is gone.
BitmapFontState& state() {
    static BitmapFontState* s = new BitmapFontState;
    return *s;
}

void buildTexture() {
    BitmapFontState& s = state();
    if (s.built) return;
    s.texture.allocate(sheetSize, sheetSize, GL_LUMINANCE_ALPHA, false);
    s.built = true;
    for (int c = 0; c < 256; ++c) {
        const unsigned char* record = ofBitmapFontGlyphs[c];
        for (int r = 0; r < 14; ++r) {
            unsigned char bits = record[14 - r];
            for (int b = 0; b < 8; ++b) {
                size_t texel = static_cast<size_t>((16 * (c / 16) + r) * sheetSize + 16 * (c % 16) + b);
                unsigned char value = (bits & (0x80 >> b)) ? 255 : 0;
                s.pixels[texel * 2] = value;
                s.pixels[texel * 2 + 1] = value;
            }
        }
    }
    s.texture.loadData(s.pixels.data(), sheetSize, sheetSize, GL_LUMINANCE_ALPHA);
}

}  // namespace

const ofBitmapCharacterBatch& ofGetBitmapCharacterBatch() {
    return state().batch;
}

ofTexture& ofGetBitmapFontTexture() {
    return state().texture;
}

bool ofIsBitmapFontTextureBuilt() {
    return state().built;
}

void ofDrawBitmapCharacterStart(int n) {
    BitmapFontState& s = state();
    size_t floats = n < 0 ? 12 : 12 * (static_cast<size_t>(n) + 1);
    s.batch.vertices.assign(floats, 0.0f);
    s.batch.texCoords.assign(floats, 0.0f);
    buildTexture();
    s.texture.bind();
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexParameterf(static_cast<GLenum>(s.texture.texData.target), GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    s.batch.count = 0;
}

void ofDrawBitmapCharacter(int character, int x, int y) {
    BitmapFontState& s = state();
    buildTexture();
    if (character < 32 || character >= 128) return;
    ofBitmapCharacterBatch& b = s.batch;
    // Full (or never started): drop the character rather than write past the lists.
    if (b.count + 12 > b.vertices.size() || b.count + 12 > b.texCoords.size()) return;

    float s0 = static_cast<float>(character % 16) * 0.0625f;
    float t0 = static_cast<float>(static_cast<int>(static_cast<float>(character) * 0.0625f)) * 0.0625f;
    float s1 = s0 + 8.0f / 256.0f;
    float t1 = t0 + 14.0f / 256.0f;
    const float tex[12] = {s0, t0, s1, t0, s1, t1, s1, t1, s0, t1, s0, t0};
    float left = static_cast<float>(x), right = static_cast<float>(x + 8);
    float top = static_cast<float>(y - 3), bottom = static_cast<float>(y + 11);
    const float vert[12] = {left, top, right, top, right, bottom, right, bottom, left, bottom, left, top};
    for (int i = 0; i < 12; ++i) {
        b.texCoords[b.count + static_cast<size_t>(i)] = tex[i];
        b.vertices[b.count + static_cast<size_t>(i)] = vert[i];
    }
    b.count += 12;
}

void ofDrawBitmapCharacterEnd() {
    BitmapFontState& s = state();
    ofBitmapCharacterBatch& b = s.batch;
    if (b.count > 0) {
        glTexCoordPointer(2, GL_FLOAT, 0, b.texCoords.data());
        glVertexPointer(2, GL_FLOAT, 0, b.vertices.data());
        glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(b.count / 2));
    }
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glPopAttrib();
    s.texture.unbind();
    // Closed: a character before the next start is dropped, as before the first.
    b.vertices.clear();
    b.texCoords.clear();
    b.count = 0;
}
