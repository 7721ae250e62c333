#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "ofBuffer.h"

class ofHttpRequest {
public:
    // Each new request takes the next id of the process; copies keep it.
    ofHttpRequest();
    ofHttpRequest(const std::string& url, const std::string& name, bool saveTo = false);

    // Far above what the game asks for, far below what the machine holds.
    static constexpr std::uint64_t defaultMaxBodySize = 64ull << 20;

    std::string url;
    std::string name;
    bool saveTo;
    int id;
    // A longer body fails the request as soon as its length or the bytes
    // read pass this.
    std::uint64_t maxBodySize = defaultMaxBodySize;
};

class ofHttpResponse {
public:
    ofHttpResponse();
    ofHttpResponse(const ofHttpRequest& request, const ofBuffer& data, int status, const std::string& error);
    ofHttpResponse(const ofHttpRequest& request, int status, const std::string& error);

    ofHttpRequest request;
    ofBuffer data;
    // The server's status code, or -1 when the request failed.
    int status;
    // The reason phrase of the answer, or what went wrong.
    std::string error;
};

// Blocking HTTP GET. Safe to use from several threads at once.
class ofURLFileLoader {
public:
    ofURLFileLoader();

    ofHttpResponse get(const std::string& url);
    ofHttpResponse handleRequest(const ofHttpRequest& request);

    // How long connecting, sending and each wait for data may take; 20 s
    // unless changed.
    void setTimeoutMillis(long milliseconds);
    long getTimeoutMillis() const;

    // How long the whole request may take, so a server trickling bytes cannot
    // hold the caller; running out fails like a time-out. 0 or less: the
    // time-out's length (the default).
    void setDeadlineMillis(long milliseconds);
    long getDeadlineMillis() const;

    // Ends every request of this loader in flight at once, from any thread:
    // its connection is shut down and it fails with status -1 and the text
    // "cancelled", logging nothing. Requests started later fail the same way
    // at once, until resume().
    void cancel();
    void resume();
    bool isCancelled() const;

private:
    friend class ofURLFileLoaderFlight;

    std::atomic<long> timeoutMillis{20000};
    std::atomic<long> deadlineMillis{0};
    // Guards the two below; never held while waiting on the network.
    mutable std::mutex flightMutex;
    bool cancelled = false;
    // A second descriptor of each connection in flight, so a cancel can shut
    // it down even while its request closes its own.
    std::vector<int> flights;
};

// The one loader of the process, made on first use and never destroyed.
ofURLFileLoader& ofGetURLFileLoader();

ofHttpResponse ofLoadURL(const std::string& url);
