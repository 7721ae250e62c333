#pragma once

#include <string>

#include <tinyxml.h>

// Prints a document in the XML library's own layout, but writes every text so
// that the library's parser reads it back byte for byte: spaces it would fold
// or trim become character references, white-space-only texts (which it would
// drop) become CDATA sections, and in parts parsed as UTF-8 bad sequences
// become U+FFFD.
class ofxXmlConfigPrinter {
public:
    static std::string print(const TiXmlDocument& doc);

    // Each byte that does not belong to a well-formed UTF-8 sequence becomes
    // U+FFFD.
    static std::string validUtf8(const std::string& text);

    // True when the markup nests elements deeper than limit. Counts so that a
    // document the parser nests deeper is never let through.
    static bool nestedDeeperThan(const std::string& text, int limit);
};
