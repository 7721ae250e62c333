#include <gtest/gtest.h>

#include <algorithm>

#include "../../framework/CapturedOutput.h"
#include "ofxGamepadFakes.h"
#include "ControllerMapper.h"
#include "ScreensTestSupport.h"
#include "WindowLookup.h"
#include "ofEvents.h"
#include "ofxGamepadHandler.h"

using namespace screens_test;

namespace {

struct PadRouter {
    ControllerMapper* mapper = nullptr;
    ofxGamepad* pads[2] = {};
    void onButton(ofxGamepadButtonEvent& e) { mapper->buttonPressed(e.button, index(e.gamepad)); }
    void onAxis(ofxGamepadAxisEvent& e) { mapper->axisMoved(e.axis, e.value, index(e.gamepad)); }
    int index(ofxGamepad* pad) const { return pad == pads[0] ? 0 : 1; }
    void attach(int k, ofxGamepad* pad) {
        pads[k] = pad;
        ofAddListener(pad->buttonPressedEvent, this, &PadRouter::onButton);
        ofAddListener(pad->axisEvent, this, &PadRouter::onAxis);
    }
};

class ControllerMapperTest : public testing::Test {
protected:
    void SetUp() override {
        vxRecordWindow(4242);
        vxRecordWindowTitle("VANTORIX");
        ofxGamepadSetInputSystemFactory(devices.factory());
    }
    void TearDown() override {
        ofNotifyExit();
        ofxGamepadSetInputSystemFactory(nullptr);
    }
    void choose(int index) {
        mapper.selected = index;
        mapper.skip();
    }

    ScratchFolder dir;
    fakepads::FakeDevices devices;
    ControllerMapper mapper;
};

}  // namespace

TEST(ControllerMapperTag, KeepsAsciiLettersAndDigitsOnly) {
    const struct {
        std::string name, tag;
    } cases[] = {
        {" PLAYSTATION(R)3 Controller", "PLAYSTATIONR3Controller"},
        {"Wireless Controller", "WirelessController"},
        {"8BitDo Pro 2", "A8BitDoPro2"},
        {"Pad\xc3\xa9\xff\x80-X", "PadX"},
        {"", "Pad"},
        {"\xe2\x80\x94 !?", "Pad"},
        {"007", "A007"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.tag, ControllerMapper::makeTagName(c.name)) << c.name;
}

TEST_F(ControllerMapperTest, MapsOnlyTheChosenPadsEventsAndSavesThem) {
    devices.plug({{"Pad A", 6, 14, 0}, {"Pad B", 4, 12, 0}});
    ofxGamepadHandler* handler = nullptr;
    captureOutput([&] { handler = ofxGamepadHandler::get(); });
    PadRouter router;
    router.mapper = &mapper;
    router.attach(0, handler->getGamepad(0));
    router.attach(1, handler->getGamepad(1));
    std::vector<fakepads::FakeJoyStick*> sticks = devices.latest();

    mapper.open();
    EXPECT_TRUE(mapper.controllerListRequest);
    mapper.addController("Pad A", 6, 14);
    mapper.addController("Pad B", 4, 12);
    mapper.addController("DONE", 0, 0);
    captureOutput([&] { choose(1); });
    ASSERT_FALSE(mapper.showingControllerList);

    sticks[0]->queueButton(3, true);
    for (int step = 0; step < 12; ++step) {
        if (step == 5) {
            mapper.skip();
            continue;
        }
        sticks[1]->queueButton(11 - step, true);
        ofNotifyUpdate();
    }
    EXPECT_EQ(12, mapper.step);
    sticks[1]->queueAxis(3, 19660);
    sticks[1]->queueAxis(2, -32768);
    sticks[1]->queueAxis(3, 0);
    ofNotifyUpdate();
    EXPECT_EQ(12, mapper.step);
    sticks[1]->queueAxis(2, 0);
    ofNotifyUpdate();
    EXPECT_EQ(13, mapper.step);
    for (int axis : {0, 1}) {
        sticks[1]->queueAxis(axis, 32767);
        sticks[1]->queueAxis(axis, 0);
    }
    ofNotifyUpdate();
    EXPECT_EQ(15, mapper.step);
    mapper.skip();

    EXPECT_TRUE(mapper.showingControllerList);
    EXPECT_TRUE(mapper.reloadRequest);
    const std::string file = dir.read("controllerMappings.xml");
    EXPECT_NE(std::string::npos, file.find("<CONTROLLER_MAPPINGS>")) << file;
    EXPECT_EQ(std::string::npos, file.find("PadA")) << file;

    const PadMapping m = mapper.loadMapping("Pad B", 4, 12);
    EXPECT_EQ((std::vector<int>{11, 10, 9, 8, 7, 5, 5, 4, 3, 2, 1, 0}), std::vector<int>(m.buttons, m.buttons + 12));
    EXPECT_EQ((std::vector<int>{2, 0, 1, 3}), std::vector<int>(m.axes, m.axes + 4));
    EXPECT_EQ((std::vector<int>{-1, 1, 1, 1}), std::vector<int>(m.axisSigns, m.axisSigns + 4));

    captureOutput([&] { choose(0); });
    sticks[0]->queueButton(7, true);
    ofNotifyUpdate();
    mapper.showList();
    EXPECT_EQ(1, mapper.step);
    EXPECT_EQ(std::string::npos, dir.read("controllerMappings.xml").find("PadA"));
    sticks[0]->queueButton(8, true);
    ofNotifyUpdate();
    EXPECT_EQ(1, mapper.step);

    choose(2);
    EXPECT_TRUE(mapper.leave);
}

TEST_F(ControllerMapperTest, BadStoredValuesFallBackOneByOneWithALogLine) {
    dir.write("controllerMappings.xml",
              "<CONTROLLER_MAPPINGS><PadB><BUTTON_0>3</BUTTON_0><BUTTON_1>12</BUTTON_1><BUTTON_2>-1</BUTTON_2>"
              "<AXIS_0>3</AXIS_0><AXIS_1>4</AXIS_1><AXIS_SIGN_0>-1</AXIS_SIGN_0><AXIS_SIGN_1>0</AXIS_SIGN_1>"
              "<AXIS_SIGN_2>2</AXIS_SIGN_2></PadB></CONTROLLER_MAPPINGS>");
    PadMapping m;
    const CapturedOutput out = captureOutput([&] { m = mapper.loadMapping("Pad B", 4, 12); });
    EXPECT_EQ((std::vector<int>{3, 1, 2, 3, 1, -1, 1, 1}),
              (std::vector<int>{m.buttons[0], m.buttons[1], m.buttons[2], m.axes[0], m.axes[1], m.axisSigns[0],
                                m.axisSigns[1], m.axisSigns[2]}));
    EXPECT_EQ("[ControllerMapper:warning] PadB BUTTON_1 12 out of range, default kept\n"
              "[ControllerMapper:warning] PadB BUTTON_2 -1 out of range, default kept\n"
              "[ControllerMapper:warning] PadB AXIS_1 4 out of range, default kept\n"
              "[ControllerMapper:warning] PadB AXIS_SIGN_1 0 out of range, default kept\n"
              "[ControllerMapper:warning] PadB AXIS_SIGN_2 2 out of range, default kept\n",
              out.out + out.err);
}

TEST_F(ControllerMapperTest, MissingOrCorruptFileGivesDefaultsAndSavingKeepsOtherPads) {
    const PadMapping defaults;
    auto same = [&](const PadMapping& m) {
        return std::equal(m.buttons, m.buttons + 12, defaults.buttons) && std::equal(m.axes, m.axes + 4, defaults.axes) &&
               std::equal(m.axisSigns, m.axisSigns + 4, defaults.axisSigns);
    };
    PadMapping m;
    CapturedOutput out = captureOutput([&] { m = mapper.loadMapping("Pad", 6, 14); });
    EXPECT_TRUE(same(m));
    EXPECT_EQ("[notice] controllerMappings.xml not found, default mapping for Pad\n", out.out);

    dir.write("controllerMappings.xml", "<CONTROLLER_MAPPINGS><Pad><BUTTON_0>4</BUT");
    out = captureOutput([&] { m = mapper.loadMapping("Pad", 6, 14); });
    EXPECT_TRUE(same(m));
    EXPECT_EQ("[ControllerMapper:warning] controllerMappings.xml unreadable, default mapping for Pad\n",
              out.out + out.err);

    PadMapping a, b;
    a.buttons[0] = 9;
    b.axisSigns[3] = -1;
    captureOutput([&] {
        EXPECT_TRUE(mapper.saveMapping("Pad A", a));
        EXPECT_TRUE(mapper.saveMapping("Pad B", b));
        EXPECT_TRUE(mapper.saveMapping("Pad A", a));
    });
    EXPECT_EQ(9, mapper.loadMapping("Pad A", 6, 14).buttons[0]);
    EXPECT_EQ(-1, mapper.loadMapping("Pad B", 6, 14).axisSigns[3]);
    const std::string file = dir.read("controllerMappings.xml");
    EXPECT_EQ(file.find("<PadA>"), file.rfind("<PadA>"));
}
