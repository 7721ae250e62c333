#pragma once

#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include <cstdlib>
#include <string>

#include "PrivateServer.h"

// Another test's window on the shared server exposes this one (and an expose
// displays), and drops go through the server-wide XdndSelection: such tests
// open their window on a server of their own. It is stopped by an exit handler
// registered before freeglut starts, so it outlives freeglut's teardown.
inline void usePrivateServer() {
    static PrivateServer* server = nullptr;
    if (server || glutGet(GLUT_INIT_STATE)) return;  // too late to move GLUT elsewhere
    server = new PrivateServer;
    const std::string name = server->start();
    ASSERT_FALSE(name.empty());
    setenv("DISPLAY", name.c_str(), 1);
    std::atexit([] { delete server; });
}
