#include "ofURLFileLoader.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <mutex>
#include <sstream>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <Poco/Exception.h>
#include <Poco/Net/HTTPClientSession.h>
#include <Poco/Net/HTTPRequest.h>
#include <Poco/Net/HTTPResponse.h>
#include <Poco/Net/HTTPStreamFactory.h>
#include <Poco/Net/NetException.h>
#include <Poco/Net/StreamSocket.h>
#include <Poco/Timespan.h>
#include <Poco/URI.h>

#include "ofFile.h"
#include "ofLog.h"

// One request's hold on its connection, through which a cancel reaches it.
class ofURLFileLoaderFlight {
public:
    explicit ofURLFileLoaderFlight(ofURLFileLoader& loader) : loader(loader) {}
    ~ofURLFileLoaderFlight() {
        if (twin < 0) return;
        std::lock_guard<std::mutex> lock(loader.flightMutex);
        loader.flights.erase(std::find(loader.flights.begin(), loader.flights.end(), twin));
        ::close(twin);
    }
    ofURLFileLoaderFlight(const ofURLFileLoaderFlight&) = delete;
    ofURLFileLoaderFlight& operator=(const ofURLFileLoaderFlight&) = delete;

    // Fails the request once its loader is cancelled.
    void check() const {
        std::lock_guard<std::mutex> lock(loader.flightMutex);
        if (loader.cancelled) throw Poco::Net::NetException("cancelled");
    }

    // Called with the socket before it connects, so a cancel can end the
    // connecting too.
    void attach(int socket) {
        std::lock_guard<std::mutex> lock(loader.flightMutex);
        if (loader.cancelled) throw Poco::Net::NetException("cancelled");
        twin = ::fcntl(socket, F_DUPFD_CLOEXEC, 0);
        if (twin < 0) throw Poco::Net::NetException("cannot keep the connection cancellable");
        loader.flights.push_back(twin);
    }

private:
    // The loader that ran the request; it outlives the request.
    ofURLFileLoader& loader;
    int twin = -1;
};

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

// The whole request must be over by the deadline; each wait for the server
// gets at most the time-out, and never more than what is left.
class Deadline {
public:
    Deadline(long timeoutMillis, long totalMillis)
        : timeout(std::chrono::milliseconds(timeoutMillis)),
          end(std::chrono::steady_clock::now() + std::chrono::milliseconds(totalMillis)) {}

    // What the next wait may take; past the deadline it fails as a time-out.
    Poco::Timespan nextWait() const {
        const auto left = std::chrono::duration_cast<std::chrono::microseconds>(end - std::chrono::steady_clock::now());
        if (left.count() <= 0) throw Poco::TimeoutException();
        const auto wait = std::min<std::chrono::microseconds>(left, timeout);
        return Poco::Timespan(static_cast<Poco::Timespan::TimeDiff>(wait.count()));
    }

private:
    std::chrono::microseconds timeout;
    std::chrono::steady_clock::time_point end;
};

// Gives the readers access to the bytes the session has buffered, and bounds
// every wait on the socket by the deadline.
class Session : public Poco::Net::HTTPClientSession {
public:
    // deadline and flight are owned by the caller and outlive the session.
    Session(const std::string& host, Poco::UInt16 port, const Deadline& deadline, ofURLFileLoaderFlight& flight)
        : HTTPClientSession(host, port), deadline(deadline), flight(flight) {}
    int nextByte() {
        if (buffered() == 0) socket().setReceiveTimeout(deadline.nextWait());
        return get();
    }
    int readSome(char* buffer, std::streamsize length) {
        if (buffered() == 0) socket().setReceiveTimeout(deadline.nextWait());
        return read(buffer, length);
    }

protected:
    void connect(const Poco::Net::SocketAddress& address) override {
        // The socket exists before it connects, so a cancel can reach it.
        attachSocket(Poco::Net::StreamSocket(address.family()));
        flight.attach(socket().impl()->sockfd());
        HTTPClientSession::connect(address);
        flight.check();
    }

private:
    const Deadline& deadline;
    ofURLFileLoaderFlight& flight;
};

// The status code as the status line gives it: three digits, or the answer
// is malformed. Read here because a code outside the library's list of codes
// must never reach its status enumeration.
int statusCode(const std::string& head) {
    std::istringstream line(head.substr(0, head.find('\n')));
    std::string version, code;
    line >> version >> code;
    if (code.size() != 3 || code.find_first_not_of("0123456789") != std::string::npos || code[0] == '0')
        throw Poco::Net::MessageException("bad status code " + code);
    return std::stoi(code);
}

// Reads the status line and header fields up to the empty line that ends
// them; returns the status code. A close before that line is a failure, never
// an empty answer.
int readHeaderSection(Session& session, Poco::Net::HTTPResponse& response) {
    int status = 0;
    do {
        std::string head;
        for (;;) {
            const int c = session.nextByte();
            if (c == std::char_traits<char>::eof()) {
                if (head.empty()) throw Poco::Net::NoMessageException();
                throw Poco::Net::MessageException("header section cut off after " + std::to_string(head.size()) +
                                                  " bytes");
            }
            head += static_cast<char>(c);
            const std::size_t n = head.size();
            if (c == '\n' && ((n >= 2 && head[n - 2] == '\n') || (n >= 4 && head.compare(n - 4, 4, "\r\n\r\n") == 0)))
                break;
            if (n > 65536) throw Poco::Net::MessageException("header section too long");
        }
        std::istringstream in(head);
        response.clear();
        response.read(in);
        status = statusCode(head);
    } while (status == 100);
    return status;
}

Poco::RangeException tooLarge(std::uint64_t limit) {
    return Poco::RangeException("body larger than " + std::to_string(limit) + " bytes");
}

// Hands the body on in pieces and fails it once it passes its limit, so a
// server can never make the caller hold more than that.
class BodyReader : public std::streambuf {
protected:
    BodyReader(Session& session, std::uint64_t limit) : session(session), limit(limit) {}

    int_type deliver(int n) {
        total += static_cast<std::uint64_t>(n);
        if (total > limit) throw tooLarge(limit);
        setg(chunk, chunk, chunk + n);
        return traits_type::to_int_type(*gptr());
    }

    Session& session;
    char chunk[1024] = {};

private:
    std::uint64_t limit = 0;
    std::uint64_t total = 0;
};

// A body of known length, or one that runs to the close.
class PlainBody : public BodyReader {
public:
    // length < 0: up to the close.
    PlainBody(Session& session, std::streamsize length, std::uint64_t limit)
        : BodyReader(session, limit), left(length) {}

protected:
    int_type underflow() override {
        if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
        if (left == 0) return traits_type::eof();
        const std::streamsize want = left < 0 ? std::streamsize(sizeof(chunk)) : std::min<std::streamsize>(left, sizeof(chunk));
        const int n = session.readSome(chunk, want);
        if (n <= 0) return traits_type::eof();
        if (left > 0) left -= n;
        return deliver(n);
    }

private:
    std::streamsize left = 0;
};

// Decodes a chunked body. Unlike the stock decoder it reports a connection
// that closes before the last chunk, so a cut answer never passes as whole.
class ChunkedBody : public BodyReader {
public:
    ChunkedBody(Session& session, std::uint64_t limit) : BodyReader(session, limit) {}

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
        return deliver(n);
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

    std::streamsize left = 0;
    bool inChunks = false;
    bool finished = false;
};

std::streamsize copyBody(std::istream& in, std::ostream& out) {
    char chunk[1024];
    std::streamsize copied = 0;
    while (in.good() && out.good()) {
        in.read(chunk, sizeof(chunk));
        out.write(chunk, in.gcount());
        copied += in.gcount();
    }
    return copied;
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

ofURLFileLoader::ofURLFileLoader() {
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

void ofURLFileLoader::setDeadlineMillis(long milliseconds) {
    deadlineMillis = milliseconds;
}

long ofURLFileLoader::getDeadlineMillis() const {
    const long deadline = deadlineMillis.load();
    return deadline > 0 ? deadline : timeoutMillis.load();
}

void ofURLFileLoader::cancel() {
    std::lock_guard<std::mutex> lock(flightMutex);
    cancelled = true;
    for (int socket : flights) ::shutdown(socket, SHUT_RDWR);
}

void ofURLFileLoader::resume() {
    std::lock_guard<std::mutex> lock(flightMutex);
    cancelled = false;
}

bool ofURLFileLoader::isCancelled() const {
    std::lock_guard<std::mutex> lock(flightMutex);
    return cancelled;
}

ofHttpResponse ofURLFileLoader::get(const std::string& url) {
    ofHttpRequest request(url, url);
    return handleRequest(request);
}

ofHttpResponse ofURLFileLoader::handleRequest(const ofHttpRequest& request) {
    try {
        ofURLFileLoaderFlight flight(*this);
        flight.check();
        Poco::URI uri(request.url);
        const Deadline deadline(timeoutMillis.load(), getDeadlineMillis());
        Session session(uri.getHost(), uri.getPort(), deadline, flight);
        Poco::Net::HTTPRequest req(Poco::Net::HTTPRequest::HTTP_GET, requestTarget(request.url),
                                   Poco::Net::HTTPMessage::HTTP_1_1);
        session.setTimeout(deadline.nextWait());
        session.sendRequest(req).flush();
        Poco::Net::HTTPResponse res;
        const int status = readHeaderSection(session, res);
        const bool hasBody = status >= 200 && status != Poco::Net::HTTPResponse::HTTP_NO_CONTENT &&
                             status != Poco::Net::HTTPResponse::HTTP_NOT_MODIFIED;
        std::unique_ptr<std::streambuf> reader;
        const std::uint64_t limit = request.maxBodySize;
        if (hasBody && res.getChunkedTransferEncoding()) {
            reader = std::make_unique<ChunkedBody>(session, limit);
        } else if (!hasBody) {
            reader = std::make_unique<PlainBody>(session, 0, limit);
        } else if (res.hasContentLength()) {
            if (res.getContentLength64() > 0 && static_cast<std::uint64_t>(res.getContentLength64()) > limit)
                throw tooLarge(limit);
            reader = std::make_unique<PlainBody>(session, res.getContentLength64(), limit);
        } else {
            reader = std::make_unique<PlainBody>(session, -1, limit);
        }
        std::istream bodyStream(reader.get());
        std::istream* body = &bodyStream;
        // A broken connection raises its own error instead of ending the body.
        body->exceptions(std::ios_base::badbit);

        ofBuffer data;
        std::streamsize received = 0;
        if (!request.saveTo) {
            data.set(*body);
            received = static_cast<std::streamsize>(data.size());
        } else {
            ofFile file(request.name, ofFile::WriteOnly, true);
            // A download that cannot be kept is a failed download, whatever the server said.
            if (!file.is_open()) throw Poco::Net::MessageException("cannot open " + request.name + " to save into");
            received = copyBody(*body, file);
            file.flush();
            if (file.fail()) throw Poco::Net::MessageException("writing " + request.name + " failed");
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
        // A cancel ends a body that runs to the close as if it were whole.
        flight.check();
        if (request.saveTo) return ofHttpResponse(request, status, res.getReason());
        return ofHttpResponse(request, data, status, res.getReason());
    } catch (const Poco::Exception& e) {
        // Whatever a cancel broke, the request ended because it was asked to.
        if (isCancelled()) return ofHttpResponse(request, -1, "cancelled");
        ofLog(OF_LOG_ERROR, "ofURLFileLoader " + e.displayText());
        return ofHttpResponse(request, -1, e.displayText());
    } catch (...) {
        if (isCancelled()) return ofHttpResponse(request, -1, "cancelled");
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
