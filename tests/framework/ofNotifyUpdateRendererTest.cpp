#include <gtest/gtest.h>

#include <memory>

#include "RecordingRenderer.h"
#include "ofAppRunner.h"
#include "ofBaseApp.h"
#include "ofEvents.h"
#include "ofGraphics.h"

namespace {

std::shared_ptr<RecordingRenderer> renderer;

struct App : ofBaseApp {
    void update() override { renderer->calls.push_back("app.update"); }
    void onUpdate(ofEventArgs&) { renderer->calls.push_back("event.update"); }
};

}  // namespace

TEST(NotifyUpdate, RendererUpdatesBeforeTheApplicationAndListeners) {
    renderer = std::make_shared<RecordingRenderer>();
    ofSetCurrentRenderer(renderer);
    auto app = std::make_shared<App>();
    ofSetAppPtr(app);
    ofAddListener(ofEvents().update, app.get(), &App::onUpdate);
    renderer->reset();
    ofNotifyUpdate();
    EXPECT_EQ(renderer->calls, (std::vector<std::string>{"update()", "app.update", "event.update"}));
    ofRemoveListener(ofEvents().update, app.get(), &App::onUpdate);
}
