// URL replies: a server on 127.0.0.1 answers the loader's request with the
// input bytes and closes. Whatever comes back, the loader returns without a
// crash or a hang; a failure is status -1 with a reason and an empty body,
// and a success never holds more bytes than the server sent.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

#include "ofLog.h"
#include "ofURLFileLoader.h"

namespace {

// Serves the current reply to every connection, one at a time, for the life of
// the process (the thread is detached: the process ends with it).
class ReplyServer {
public:
    ReplyServer() {
        listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof(addr);
        if (::bind(listener, reinterpret_cast<sockaddr*>(&addr), len) != 0 || ::listen(listener, 8) != 0 ||
            ::getsockname(listener, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
            std::perror("url_fuzz: no local server");
            std::abort();
        }
        url = "http://127.0.0.1:" + std::to_string(ntohs(addr.sin_port)) + "/reply";
        std::thread([this] { serve(); }).detach();
    }

    void setReply(std::string bytes) {
        std::lock_guard<std::mutex> lock(mutex);
        reply = std::move(bytes);
    }

    std::string url;

private:
    void serve() {
        for (;;) {
            const int conn = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
            if (conn < 0) continue;
            // Read the request head, then answer and close.
            std::string head;
            char buf[2048];
            while (head.find("\r\n\r\n") == std::string::npos) {
                pollfd p{conn, POLLIN, 0};
                if (::poll(&p, 1, 2000) <= 0) break;
                const ssize_t n = ::recv(conn, buf, sizeof(buf), 0);
                if (n <= 0) break;
                head.append(buf, static_cast<size_t>(n));
            }
            std::string answer;
            {
                std::lock_guard<std::mutex> lock(mutex);
                answer = reply;
            }
            size_t sent = 0;
            while (sent < answer.size()) {
                const ssize_t n = ::send(conn, answer.data() + sent, answer.size() - sent, MSG_NOSIGNAL);
                if (n <= 0) break;
                sent += static_cast<size_t>(n);
            }
            ::shutdown(conn, SHUT_WR);
            ::close(conn);
        }
    }

    int listener = -1;
    std::mutex mutex;
    std::string reply;
};

ReplyServer& server() {
    static ReplyServer* s = [] {
        ofSetLogLevel(OF_LOG_SILENT);
        // Every reply arrives at once; the deadline only guards against a
        // loader that waits for more than was sent.
        ofGetURLFileLoader().setTimeoutMillis(5000);
        return new ReplyServer;
    }();
    return *s;
}

void fail(const char* what) {
    std::fprintf(stderr, "url_fuzz: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ReplyServer& s = server();
    s.setReply(std::string(reinterpret_cast<const char*>(data), size));
    const ofHttpResponse r = ofLoadURL(s.url);
    if (r.status == -1) {
        if (r.data.size() != 0) fail("a failure carries a body");
        if (r.error.empty()) fail("a failure without a reason");
    } else {
        if (r.status < 100 || r.status > 999) fail("a status no reply can carry");
        if (r.data.size() > size) fail("a body larger than the reply");
    }
    return 0;
}
