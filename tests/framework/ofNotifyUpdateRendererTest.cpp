#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "RecordingRenderer.h"
#include "ofAppRunner.h"
#include "ofBaseApp.h"
#include "ofEvents.h"
#include "ofGraphics.h"

namespace {

std::shared_ptr<RecordingRenderer> renderer;

struct App : ofBaseApp {
    void update() override { renderer->calls.push_back("app.update"); }
};

struct Listener {
    void onUpdate(ofEventArgs&) { renderer->calls.push_back("event.update"); }
};

}  // namespace

TEST(NotifyUpdate, RendererUpdatesBeforeTheApplicationAndListeners) {
    renderer = std::make_shared<RecordingRenderer>();
    ofSetCurrentRenderer(renderer);
    ofSetAppPtr(std::make_shared<App>());
    Listener listener;
    ofAddListener(ofEvents().update, &listener, &Listener::onUpdate);
    renderer->reset();

    ofNotifyUpdate();
    ofNotifyUpdate();

    EXPECT_EQ(renderer->calls, (std::vector<std::string>{"update()", "app.update", "event.update", "update()",
                                                          "app.update", "event.update"}));
    ofRemoveListener(ofEvents().update, &listener, &Listener::onUpdate);
}
