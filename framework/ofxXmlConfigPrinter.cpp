#include "ofxXmlConfigPrinter.h"

#include <cctype>
#include <cstdio>

#include "ofxXmlText.h"

using namespace ofxXmlText;

namespace {

bool isBlank(const std::string& text) {
    for (char c : text)
        if (!isParserSpace(static_cast<unsigned char>(c))) return false;
    return true;
}

// The parser reads everything after a declaration naming UTF-8 (or no
// encoding) as UTF-8, and everything else byte by byte.
bool declaresUtf8(const TiXmlDeclaration& declaration) {
    const char* encoding = declaration.Encoding();
    return *encoding == 0 || startsWithNoCase(encoding, "UTF-8") || startsWithNoCase(encoding, "UTF8");
}

void appendReference(std::string& out, unsigned value) {
    char ref[16];
    std::snprintf(ref, sizeof(ref), "&#x%02X;", value);
    out += ref;
}

std::string encodeText(const std::string& raw, bool utf8) {
    const std::string text = utf8 ? ofxXmlConfigPrinter::validUtf8(raw) : raw;
    // Only white space: a text the parser would drop. CDATA keeps it, and the
    // loader does not fold CR LF, so CR survives too.
    if (isBlank(text)) return "<![CDATA[" + text + "]]>";
    std::string out;
    std::size_t i = 0;
    if (utf8 && skippedMarkAt(text, 0)) {
        const unsigned mark = 0xF000u | ((static_cast<unsigned char>(text[1]) & 0x3Fu) << 6) |
                              (static_cast<unsigned char>(text[2]) & 0x3Fu);
        appendReference(out, mark);
        i = 3;
    }
    for (; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&apos;"; break;
        case ' ': {
            // A raw space survives only between two characters that are not
            // white space themselves.
            const bool inside = i > 0 && i + 1 < text.size() && !isParserSpace(static_cast<unsigned char>(text[i - 1])) &&
                                !isParserSpace(static_cast<unsigned char>(text[i + 1]));
            if (inside) out += ' ';
            else appendReference(out, c);
            break;
        }
        default:
            if (c < 32) appendReference(out, c);
            else out += static_cast<char>(c);
        }
    }
    return out;
}

// The library's layout: four spaces per level, one node per line, an element
// whose only child is a plain text on one line.
class Printer {
public:
    std::string out;

    void document(const TiXmlDocument& doc) {
        bool utf8 = false;
        bool decided = false;
        for (const TiXmlNode* node = doc.FirstChild(); node != nullptr; node = node->NextSibling()) {
            if (!decided && node->ToDeclaration() != nullptr) {
                utf8 = declaresUtf8(*node->ToDeclaration());
                decided = true;
            }
            this->node(*node, 0, utf8);
        }
    }

private:
    void indent(int depth) { out.append(static_cast<std::size_t>(depth) * 4, ' '); }

    void node(const TiXmlNode& n, int depth, bool utf8) {
        if (const TiXmlElement* e = n.ToElement()) return element(*e, depth, utf8);
        indent(depth);
        if (const TiXmlText* t = n.ToText()) {
            // Outside every element the parser reads text only as CDATA, and
            // only a CDATA section read from a file puts text there.
            if (depth == 0) out += "<![CDATA[" + t->ValueStr() + "]]>";
            else out += encodeText(t->ValueStr(), utf8);
        } else if (const TiXmlDeclaration* d = n.ToDeclaration()) {
            d->Print(nullptr, 0, &out);
        } else if (n.ToComment() != nullptr) {
            out += "<!--" + n.ValueStr() + "-->";
        } else {
            out += "<" + n.ValueStr() + ">";
        }
        out += '\n';
    }

    void element(const TiXmlElement& e, int depth, bool utf8) {
        indent(depth);
        out += "<" + e.ValueStr();
        for (const TiXmlAttribute* a = e.FirstAttribute(); a != nullptr; a = a->Next()) {
            out += ' ';
            a->Print(nullptr, 0, &out);
        }
        const TiXmlNode* first = e.FirstChild();
        if (first == nullptr) {
            out += " />\n";
            return;
        }
        out += '>';
        if (first->ToText() != nullptr && first == e.LastChild()) {
            out += encodeText(first->ValueStr(), utf8);
        } else {
            out += '\n';
            for (const TiXmlNode* child = first; child != nullptr; child = child->NextSibling())
                node(*child, depth + 1, utf8);
            indent(depth);
        }
        out += "</" + e.ValueStr() + ">\n";
    }
};

}  // namespace

std::string ofxXmlConfigPrinter::print(const TiXmlDocument& doc) {
    Printer printer;
    printer.document(doc);
    return printer.out;
}

std::string ofxXmlConfigPrinter::validUtf8(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        std::size_t len = 0;
        unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the second byte
        if (c < 0x80) len = 1;
        else if (c >= 0xC2 && c <= 0xDF) len = 2;
        else if (c >= 0xE0 && c <= 0xEF) {
            len = 3;
            if (c == 0xE0) lo = 0xA0;       // no overlong forms
            else if (c == 0xED) hi = 0x9F;  // no surrogates
        } else if (c >= 0xF0 && c <= 0xF4) {
            len = 4;
            if (c == 0xF0) lo = 0x90;
            else if (c == 0xF4) hi = 0x8F;  // nothing above U+10FFFF
        }
        bool ok = len > 0 && i + len <= n;
        for (std::size_t k = 1; ok && k < len; ++k) {
            const unsigned char b = static_cast<unsigned char>(text[i + k]);
            ok = k == 1 ? (b >= lo && b <= hi) : (b >= 0x80 && b <= 0xBF);
        }
        if (ok) {
            out.append(text, i, len);
            i += len;
        } else {
            out += "\xEF\xBF\xBD";
            ++i;
        }
    }
    return out;
}

bool ofxXmlConfigPrinter::nestedDeeperThan(const std::string& text, int limit) {
    // Every start tag counts, wherever it stands; an end tag counts only where
    // no reading could take it for part of a comment, CDATA section,
    // declaration or attribute value. Errors therefore lean towards deeper.
    const std::size_t n = text.size();
    long depth = 0;
    std::size_t i = 0;
    // Past the next '>' outside quotes; reports whether the tag closed itself.
    auto skipTag = [&](std::size_t from, bool& selfClosing) {
        const std::size_t close = findOutsideQuotes(text, '>', from);
        selfClosing = close != std::string::npos && close > from && text[close - 1] == '/';
        return close == std::string::npos ? n : close + 1;
    };
    auto countOpensIn = [&](std::size_t from, std::size_t to) {
        for (std::size_t k = from; k + 1 < to; ++k)
            if (text[k] == '<' && text[k + 1] != '/' && text[k + 1] != '!' && text[k + 1] != '?') ++depth;
    };
    while (i < n) {
        const std::size_t lt = text.find('<', i);
        if (lt == std::string::npos) break;
        std::size_t next;
        bool selfClosing = false;
        if (text.compare(lt, 4, "<!--") == 0) {
            next = pastMark(text, lt + 4, "-->");
            countOpensIn(lt + 4, next);
        } else if (text.compare(lt, 9, "<![CDATA[") == 0) {
            next = pastMark(text, lt + 9, "]]>");
            countOpensIn(lt + 9, next);
        } else if (lt + 1 < n && (text[lt + 1] == '!' || text[lt + 1] == '?')) {
            next = skipTag(lt + 2, selfClosing);
            countOpensIn(lt + 2, next);
        } else if (lt + 1 < n && text[lt + 1] == '/') {
            next = skipTag(lt + 2, selfClosing);
            countOpensIn(lt + 2, next);
            if (depth > 0) --depth;
        } else {
            ++depth;
            next = skipTag(lt + 1, selfClosing);
            countOpensIn(lt + 1, next);
            if (depth > limit) return true;
            if (selfClosing) --depth;
        }
        if (depth > limit) return true;
        i = next;
    }
    return false;
}
