#include "ofURLFileLoader.h"

#include <cstdio>
#include <algorithm>
#include <fstream>
#include <memory>
#include <mutex>

#include <Poco/Exception.h>
#include <Poco/Net/HTTPClientSession.h>
#include <Poco/Net/HTTPRequest.h>
#include <Poco/Net/HTTPResponse.h>
#include <Poco/Net/HTTPStreamFactory.h>
#include <Poco/Net/NetException.h>
#include <Poco/Timespan.h>
#include <Poco/URI.h>

#include "ofFile.h"
#include "ofLog.h"

namespace {

std::atomic<int> nextRequestId{0};
std::mutex factoryMutex;
bool factoryRegistered = false;

// The request target exactly as the URL gives it (from the path up to any
// fragment), with blanks, control bytes and non-ASCII bytes escaped so the
// request line stays well formed.
std::string requestTarget(const std::string& url) {
    std::size_t start = url.find("://");
    start = start == std::string::npos ? 0 : start + 3;
    start = url.find_first_of("/?#", start);
    std::string raw;
    if (start != std::string::npos) raw = url.substr(start, url.find('#', start) - start);
    if (raw.empty()) return "/";
    if (raw[0] == '?') raw.insert(0, "/");

    static const char hex[] = "0123456789ABCDEF";
    std::string target;
    for (unsigned char c : raw) {
        if (c <= 0x20 || c >= 0x7F) {
            target += '%';
            target += hex[c >> 4];
            target += hex[c & 0x0F];
        } else {
            target += static_cast<char>(c);
        }
    }
    return target;
}

// Gives the body reader access to the bytes the session has buffered.
class Session : public Poco::Net::HTTPClientSession {
public:
    Session(const std::string& host, Poco::UInt16 port) : HTTPClientSession(host, port) {}
    int nextByte() { return get(); }
    int readSome(char* buffer, std::streamsize length) { return read(buffer, length); }
};

// Decodes a chunked body. Unlike the stock decoder it reports a connection
// that closes before the last chunk, so a cut answer never passes as whole.
class ChunkedBody : public std::streambuf {
public:
    explicit ChunkedBody(Session& session) : session(session) {}

protected:
    int_type underflow() override {
        if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
        if (finished) return traits_type::eof();
        if (left == 0) {
            if (inChunks && !readLine(false).empty()) throw Poco::Net::MessageException("bad chunk end");
            inChunks = true;
            left = readSize();
            if (left == 0) {
                // Trailer lines up to an empty one; a close right after the
                // last chunk is accepted.
                while (!readLine(true).empty()) {
                }
                finished = true;
                return traits_type::eof();
            }
        }
        const int n = session.readSome(chunk, std::min<std::streamsize>(left, sizeof(chunk)));
        if (n <= 0) throw Poco::Net::MessageException("body cut short inside a chunk");
        left -= n;
        setg(chunk, chunk, chunk + n);
        return traits_type::to_int_type(*gptr());
    }

private:
    std::string readLine(bool endMayClose) {
        std::string line;
        for (int c = session.nextByte(); c != traits_type::eof(); c = session.nextByte()) {
            if (c == '\n') {
                if (!line.empty() && line.back() == '\r') line.pop_back();
                return line;
            }
            line += static_cast<char>(c);
            if (line.size() > 4096) throw Poco::Net::MessageException("chunk line too long");
        }
        if (endMayClose) return std::string();
        throw Poco::Net::MessageException("body cut short before its last chunk");
    }

    std::streamsize readSize() {
        const std::string line = readLine(false);
        std::streamsize size = 0;
        std::size_t digits = 0;
        for (char c : line) {
            int value;
            if (c >= '0' && c <= '9') value = c - '0';
            else if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
            else break;
            if (++digits > 15) throw Poco::Net::MessageException("chunk too large");
            size = size * 16 + value;
        }
        if (digits == 0) throw Poco::Net::MessageException("bad chunk size");
        return size;
    }

    Session& session;
    char chunk[1024];
    std::streamsize left = 0;
    bool inChunks = false;
    bool finished = false;
};

void copyBody(std::istream& in, std::ostream& out) {
    char chunk[1024];
    while (in.good()) {
        in.read(chunk, sizeof(chunk));
        out.write(chunk, in.gcount());
    }
}

}  // namespace

ofHttpRequest::ofHttpRequest() : saveTo(false), id(nextRequestId++) {}

ofHttpRequest::ofHttpRequest(const std::string& u, const std::string& n, bool save)
    : url(u), name(n), saveTo(save), id(nextRequestId++) {}

ofHttpResponse::ofHttpResponse() : status(0) {}

ofHttpResponse::ofHttpResponse(const ofHttpRequest& req, const ofBuffer& body, int s, const std::string& e)
    : request(req), data(body), status(s), error(e) {}

ofHttpResponse::ofHttpResponse(const ofHttpRequest& req, int s, const std::string& e)
    : request(req), status(s), error(e) {}

ofURLFileLoader::ofURLFileLoader() : timeoutMillis(20000) {
    std::lock_guard<std::mutex> lock(factoryMutex);
    if (factoryRegistered) return;
    try {
        Poco::Net::HTTPStreamFactory::registerFactory();
        factoryRegistered = true;
    } catch (const Poco::ExistsException&) {
        factoryRegistered = true;
    } catch (const Poco::Exception&) {
        ofLog(OF_LOG_ERROR, "Got exception in url ofURLFileloader");
    }
}

void ofURLFileLoader::setTimeoutMillis(long milliseconds) {
    timeoutMillis = milliseconds;
}

long ofURLFileLoader::getTimeoutMillis() const {
    return timeoutMillis.load();
}

ofHttpResponse ofURLFileLoader::get(const std::string& url) {
    ofHttpRequest request(url, url);
    return handleRequest(request);
}

ofHttpResponse ofURLFileLoader::handleRequest(const ofHttpRequest& request) {
    try {
        Poco::URI uri(request.url);
        Session session(uri.getHost(), uri.getPort());
        Poco::Net::HTTPRequest req(Poco::Net::HTTPRequest::HTTP_GET, requestTarget(request.url),
                                   Poco::Net::HTTPMessage::HTTP_1_1);
        const long millis = timeoutMillis.load();
        session.setTimeout(Poco::Timespan(millis / 1000, (millis % 1000) * 1000));
        session.sendRequest(req);
        Poco::Net::HTTPResponse res;
        std::istream* body = &session.receiveResponse(res);
        const int status = res.getStatus();
        std::unique_ptr<ChunkedBody> chunked;
        std::unique_ptr<std::istream> chunkedStream;
        if (res.getChunkedTransferEncoding() && status >= 200 && status != Poco::Net::HTTPResponse::HTTP_NO_CONTENT &&
            status != Poco::Net::HTTPResponse::HTTP_NOT_MODIFIED) {
            chunked = std::make_unique<ChunkedBody>(session);
            chunkedStream = std::make_unique<std::istream>(chunked.get());
            body = chunkedStream.get();
        }
        // A broken connection raises its own error instead of ending the body.
        body->exceptions(std::ios_base::badbit);

        ofBuffer data;
        std::streamsize received = 0;
        if (!request.saveTo) {
            data.set(*body);
            received = static_cast<std::streamsize>(data.size());
        } else {
            ofFile file(request.name, ofFile::WriteOnly, true);
            const std::streampos before = file.tellp();
            copyBody(*body, file);
            received = static_cast<std::streamsize>(file.tellp() - before);
        }
        // An answer that ends early is no answer: never hand out half a body
        // with the server's status.
        if (body->bad()) {
            throw Poco::Net::MessageException("body cut short after " + std::to_string(received) + " bytes");
        }
        if (res.hasContentLength() && received < res.getContentLength64()) {
            throw Poco::Net::MessageException("body cut short: " + std::to_string(received) + " of " +
                                              std::to_string(res.getContentLength64()) + " bytes");
        }
        if (request.saveTo) return ofHttpResponse(request, res.getStatus(), res.getReason());
        return ofHttpResponse(request, data, res.getStatus(), res.getReason());
    } catch (const Poco::Exception& e) {
        ofLog(OF_LOG_ERROR, "ofURLFileLoader " + e.displayText());
        return ofHttpResponse(request, -1, e.displayText());
    } catch (...) {
        return ofHttpResponse(request, -1, "ofURLFileLoader fatal error, couldn't catch Exception");
    }
}

ofURLFileLoader& ofGetURLFileLoader() {
    static ofURLFileLoader* loader = new ofURLFileLoader;
    return *loader;
}

ofHttpResponse ofLoadURL(const std::string& url) {
    return ofGetURLFileLoader().get(url);
}
