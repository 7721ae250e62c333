#include "FakeTessellator.h"

std::vector<std::string> FakeTessellator::requests;

namespace {

std::string describe(const char* kind, const std::vector<ofPolyline>& src, ofPolyWindingMode winding, bool is2D) {
    std::string line = std::string(kind) + "(winding=" + std::to_string(winding) + ",is2D=" + (is2D ? "true" : "false") +
                       ",outlines=[";
    for (size_t i = 0; i < src.size(); ++i) {
        if (i) line += ",";
        line += std::to_string(src[i].size()) + (src[i].isClosed() ? "c" : "o");
    }
    return line + "])";
}

void toMesh(const std::vector<ofPolyline>& src, ofPolyWindingMode winding, ofMesh& dst, bool is2D) {
    FakeTessellator::requests.push_back(describe("mesh", src, winding, is2D));
    dst.clear();
    for (const ofPolyline& outline : src) {
        if (outline.size() < 3) continue;
        const ofIndexType base = static_cast<ofIndexType>(dst.getNumVertices());
        dst.addVertices(outline.getVertices().data(), outline.size());
        for (int i = 1; i + 1 < outline.size(); ++i) {
            const ofIndexType tri[3] = {base, base + ofIndexType(i), base + ofIndexType(i + 1)};
            dst.addIndices(tri, 3);
        }
    }
    dst.setMode(OF_PRIMITIVE_TRIANGLES);
}

void toPolylines(const std::vector<ofPolyline>& src, ofPolyWindingMode winding, std::vector<ofPolyline>& dst,
                 bool is2D) {
    FakeTessellator::requests.push_back(describe("contours", src, winding, is2D));
    dst = src;
    for (ofPolyline& outline : dst) outline.setClosed(true);
}

}  // namespace

FakeTessellator::FakeTessellator() {
    requests.clear();
    install();
}

void FakeTessellator::install() {
    ofSetPathTessellation(toMesh, toPolylines);
}

FakeTessellator::~FakeTessellator() {
    ofSetPathTessellation(nullptr, nullptr);
}
