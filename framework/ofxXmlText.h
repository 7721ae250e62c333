#pragma once

#include <cstddef>
#include <string_view>

// How the XML library's parser reads raw text, for the scans and checks
// that must read a settings file as it does.
namespace ofxXmlText {

// White space as the parser counts it.
bool isParserSpace(unsigned char c);

// True when U+FEFF, U+FFFE or U+FFFF stands at at: in UTF-8 the parser skips
// them as byte-order marks.
bool skippedMarkAt(std::string_view text, std::size_t at);

// The parser's case-insensitive comparison of a prefix.
bool startsWithNoCase(std::string_view text, std::string_view prefix);

// Where the first c outside quoted text stands at or after from, else npos;
// quoteOpen, if given, tells whether a quote is left open at the end.
std::size_t findOutsideQuotes(std::string_view text, char c, std::size_t from, bool* quoteOpen = nullptr);

// Just past the first mark at or after from, else the end of the text.
std::size_t pastMark(std::string_view text, std::size_t from, std::string_view mark);

}  // namespace ofxXmlText
