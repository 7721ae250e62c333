#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

// An X server of the test's own: XTest input goes to whatever window is on
// top, other tests open windows on the shared server at any moment, and what
// a covered window shows is lost.
class PrivateServer {
public:
    PrivateServer() = default;
    PrivateServer(const PrivateServer&) = delete;
    PrivateServer& operator=(const PrivateServer&) = delete;
    ~PrivateServer() {
        if (pid > 0) kill(pid, SIGTERM), waitpid(pid, nullptr, 0);
    }
    // Starts Xvfb on a display it picks itself; returns its name or "".
    std::string start() {
        int fds[2];
        if (pipe(fds) != 0) return "";
        if ((pid = fork()) == 0) {
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, 1), dup2(null, 2);
            execlp("Xvfb", "Xvfb", "-displayfd", std::to_string(fds[1]).c_str(), "-screen", "0", "1280x1024x24",
                   "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        std::string number;
        char c;
        for (pollfd p{fds[0], POLLIN, 0}; poll(&p, 1, 10000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n';) number += c;
        close(fds[0]);
        return number.empty() ? "" : ":" + number;
    }

private:
    pid_t pid = -1;
};
