// Fuzz target for the tessellator: the C API under every winding rule,
// output type and polygon size, and the front-end as the fill road calls it.
// Any result must be well formed; a violated check aborts, so the input is
// kept as a crash.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "ofLog.h"
#include "ofMesh.h"
#include "ofPolyline.h"
#include "ofTessellator.h"
#include "tess/tesselator.h"

namespace {

#define FUZZ_CHECK(cond)                                                               \
    do {                                                                               \
        if (!(cond)) {                                                                 \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond); \
            std::abort();                                                              \
        }                                                                              \
    } while (0)

// Reads the input front to back; past the end every read gives zeros.
struct Reader {
    const uint8_t* data = nullptr;
    size_t size = 0;
    size_t pos = 0;

    uint8_t byte() { return pos < size ? data[pos++] : 0; }
    float rawFloat() {
        uint8_t b[4] = {byte(), byte(), byte(), byte()};
        float f;
        std::memcpy(&f, b, sizeof f);
        return f;
    }
    // Grid coordinates make shared points, collinear runs and overlaps
    // likely; raw ones reach tiny, huge and non-finite values.
    float coord(bool grid) { return grid ? (float)(byte() % 16) * 0.25f - 2.0f : rawFloat(); }
};

struct InputContour {
    std::vector<float> xyz; // three floats a point
    int count = 0;
};

std::vector<InputContour> readContours(Reader& in) {
    std::vector<InputContour> contours(in.byte() % 5);
    for (InputContour& c : contours) {
        const uint8_t head = in.byte();
        const bool grid = (head & 0x80) == 0;
        c.count = head % 24;
        for (int i = 0; i < c.count; ++i) {
            c.xyz.push_back(in.coord(grid));
            c.xyz.push_back(in.coord(grid));
            c.xyz.push_back((head & 0x40) ? in.coord(grid) : 0.0f);
        }
    }
    return contours;
}

bool allFinite(const float* v, size_t n) {
    for (size_t i = 0; i < n; ++i)
        if (!std::isfinite(v[i])) return false;
    return true;
}

void checkPolygons(TESStesselator* tess, int elementType, int polySize) {
    const int vertexCount = tessGetVertexCount(tess);
    const int elementCount = tessGetElementCount(tess);
    const TESSindex* elems = tessGetElements(tess);
    FUZZ_CHECK(elementCount == 0 || elems != nullptr);
    const int stride = elementType == TESS_CONNECTED_POLYGONS ? 2 * polySize : polySize;
    for (int i = 0; i < elementCount; ++i) {
        const TESSindex* poly = &elems[i * stride];
        int corners = 0;
        while (corners < polySize && poly[corners] != TESS_UNDEF) {
            FUZZ_CHECK(poly[corners] >= 0 && poly[corners] < vertexCount);
            ++corners;
        }
        FUZZ_CHECK(corners >= 3);
        for (int k = corners; k < polySize; ++k) FUZZ_CHECK(poly[k] == TESS_UNDEF);
        if (elementType != TESS_CONNECTED_POLYGONS) continue;
        for (int k = 0; k < polySize; ++k) {
            const TESSindex n = poly[polySize + k];
            FUZZ_CHECK(n == TESS_UNDEF || (k < corners && n >= 0 && n < elementCount));
        }
    }
}

void checkContours(TESStesselator* tess) {
    const int vertexCount = tessGetVertexCount(tess);
    const int elementCount = tessGetElementCount(tess);
    const TESSindex* elems = tessGetElements(tess);
    int next = 0;
    for (int i = 0; i < elementCount; ++i) {
        FUZZ_CHECK(elems[i * 2] == next);
        FUZZ_CHECK(elems[i * 2 + 1] >= 1);
        next += elems[i * 2 + 1];
    }
    FUZZ_CHECK(next == vertexCount);
}

void fuzzCoreApi(Reader& in) {
    const uint8_t setup = in.byte();
    const int rule = in.byte() % 6; // 5: a code outside the table
    const int elementType = in.byte() % 3;
    const int polySize = 3 + in.byte() % 8;
    const int vertexSize = 2 + (setup & 1);
    const int inputSize = 2 + ((setup >> 1) & 1);
    const bool withNormal = (setup & 4) != 0;
    const int bucketSize = (setup & 8) ? 1 + in.byte() % 24 : 0;

    TESSalloc rec = {[](void*, size_t n) { return std::malloc(n); },
                     [](void*, void* p, size_t n) { return std::realloc(p, n); },
                     [](void*, void* p) { std::free(p); },
                     nullptr,
                     bucketSize,
                     bucketSize,
                     bucketSize,
                     bucketSize,
                     bucketSize,
                     (setup & 16) ? in.byte() : 0};
    TESStesselator* tess = tessNewTess(&rec);
    FUZZ_CHECK(tess != nullptr);

    TESSreal normal[3] = {0, 0, 0};
    if (withNormal)
        for (TESSreal& c : normal) c = in.coord((setup & 32) == 0);

    for (int round = 0; round < 2; ++round) {
        const std::vector<InputContour> contours = readContours(in);
        for (const InputContour& c : contours)
            tessAddContour(tess, inputSize, c.xyz.data(), 3 * sizeof(float), c.count);
        const int ok = tessTesselate(tess, rule, elementType, polySize, vertexSize, withNormal ? normal : nullptr);
        const int vertexCount = tessGetVertexCount(tess);
        if (!ok) {
            FUZZ_CHECK(vertexCount == 0 && tessGetElementCount(tess) == 0);
            FUZZ_CHECK(tessGetElements(tess) == nullptr && tessGetVertices(tess) == nullptr);
            continue;
        }
        FUZZ_CHECK(vertexCount >= 0 && tessGetElementCount(tess) >= 0);
        FUZZ_CHECK(vertexCount == 0 || allFinite(tessGetVertices(tess), (size_t)vertexCount * vertexSize));
        if (elementType == TESS_BOUNDARY_CONTOURS) checkContours(tess);
        else checkPolygons(tess, elementType, polySize);
    }

    // Whatever came before, the object still fills a plain square (a given
    // normal holds for later runs, so name one).
    const float square[] = {0, 0, 1, 0, 1, 1, 0, 1};
    const TESSreal up[3] = {0, 0, 1};
    tessAddContour(tess, 2, square, 2 * sizeof(float), 4);
    FUZZ_CHECK(tessTesselate(tess, TESS_WINDING_ODD, TESS_POLYGONS, 3, 2, up) == 1);
    FUZZ_CHECK(tessGetElementCount(tess) == 2);
    tessDeleteTess(tess);
}

void fuzzFrontEnd(Reader& in) {
    const int winding = in.byte() % 5;
    std::vector<ofPolyline> outlines;
    for (const InputContour& c : readContours(in)) {
        ofPolyline line;
        for (int i = 0; i < c.count; ++i) line.addVertex(ofPoint(c.xyz[i * 3], c.xyz[i * 3 + 1], c.xyz[i * 3 + 2]));
        line.setClosed(true);
        outlines.push_back(line);
    }

    ofTessellator& tess = ofGetSharedTessellator();
    ofMesh mesh;
    tess.tessellateToMesh(outlines, (ofPolyWindingMode)winding, mesh, false);
    const int vertexCount = mesh.getNumVertices();
    FUZZ_CHECK(mesh.getNumIndices() % 3 == 0);
    for (ofIndexType i : mesh.getIndices()) FUZZ_CHECK((int)i < vertexCount);
    for (const ofPoint& p : mesh.getVertices()) FUZZ_CHECK(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z));

    std::vector<ofPolyline> boundary(2);
    tess.tessellateToPolylines(outlines, (ofPolyWindingMode)winding, boundary, false);
    for (const ofPolyline& line : boundary) {
        FUZZ_CHECK(line.isClosed());
        FUZZ_CHECK(line.size() >= 1);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool quiet = (ofSetLogLevel(OF_LOG_SILENT), true);
    (void)quiet;
    Reader in{data, size, 0};
    if (in.byte() & 1) fuzzFrontEnd(in);
    else fuzzCoreApi(in);
    return 0;
}
