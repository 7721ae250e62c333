#include <gtest/gtest.h>

#include "CapturedOutput.h"
#include "ControllerMapper.h"
#include "ScreensTestSupport.h"

using namespace screens_test;

namespace {

// Buttons, axes and axis signs in one list.
std::vector<int> values(const PadMapping& m) {
    std::vector<int> v(m.buttons, m.buttons + 12);
    v.insert(v.end(), m.axes, m.axes + 4);
    v.insert(v.end(), m.axisSigns, m.axisSigns + 4);
    return v;
}

class ControllerMapperTest : public testing::Test {
protected:
    ScratchFolder dir;
    ControllerMapper mapper;
};

}  // namespace

TEST(ControllerMapperTag, KeepsAsciiLettersAndDigitsOnly) {
    const char* cases[][2] = {{" PLAYSTATION(R)3 Controller", "PLAYSTATIONR3Controller"},
                              {"8BitDo Pro 2", "A8BitDoPro2"},
                              {"Pad\xc3\xa9\xff\x80-X", "PadX"},
                              {"", "Pad"},
                              {"\xe2\x80\x94 !?", "Pad"}};
    for (const auto& c : cases) EXPECT_EQ(c[1], ControllerMapper::makeTagName(c[0])) << c[0];
}

TEST_F(ControllerMapperTest, MapsOnlyTheChosenPadsEventsAndSavesThem) {
    mapper.open();
    EXPECT_TRUE(mapper.controllerListRequest && mapper.showingControllerList);
    mapper.addController("Pad A", 6, 14, 0);
    mapper.addController("Pad B", 4, 12, 1);
    mapper.addController("DONE", 0, 0);
    mapper.selected = 1;
    captureOutput([&] { mapper.skip(); });  // in the list a skip takes the selected pad
    ASSERT_FALSE(mapper.showingControllerList);
    EXPECT_TRUE(mapper.mappingEntry == 1 && mapper.mappingPad == 1 && mapper.step == 0 && !mapper.leave);

    mapper.buttonPressed(3, 0);  // the other pad's press
    for (int step = 0; step < 12; ++step) {
        if (step == 5)
            mapper.skip();  // keeps the stored value
        else
            mapper.buttonPressed(11 - step, 1);
    }
    EXPECT_EQ(12, mapper.step);
    mapper.axisMoved(3, 0.6f, 1);
    mapper.axisMoved(2, -1.0f, 1);  // the stronger one is held
    mapper.axisMoved(3, 0, 1);
    EXPECT_EQ(12, mapper.step);  // counted on release
    mapper.axisMoved(2, -0.1f, 1);
    EXPECT_EQ(13, mapper.step);
    mapper.axisMoved(0, 1, 1);
    mapper.axisMoved(0, 0, 1);
    EXPECT_EQ(14, mapper.step);
    mapper.skip();
    mapper.skip();

    EXPECT_TRUE(mapper.showingControllerList && mapper.reloadRequest && mapper.mappingPad == -1);
    EXPECT_EQ(std::string::npos, dir.read("controllerMappings.xml").find("PadA"));
    EXPECT_EQ(values(mapper.loadMapping("Pad B", 4, 12)),
              (std::vector<int>{11, 10, 9, 8, 7, 5, 5, 4, 3, 2, 1, 0, 2, 0, 2, 3, -1, 1, 1, 1}));

    mapper.selected = 0;
    captureOutput([&] { mapper.skip(); });
    mapper.buttonPressed(7, 0);
    EXPECT_TRUE(mapper.mappingPad == 0 && mapper.step == 1);
    mapper.axisMoved(1, 1, 0);  // held, then the list: back there mid-way drops the mapping
    mapper.showList();
    EXPECT_TRUE(mapper.showingControllerList && mapper.mappingEntry == -1 && mapper.mappingPad == -1 &&
                mapper.heldAxis == -1 && mapper.heldStrength == 0);
    mapper.buttonPressed(8, 0);
    EXPECT_EQ(1, mapper.step);
    EXPECT_EQ(std::string::npos, dir.read("controllerMappings.xml").find("PadA"));

    // Out of range: nothing; the last entry "DONE": leave, the list still showing.
    for (int index : {-1, 3}) {
        mapper.selected = index;
        mapper.skip();
        EXPECT_TRUE(mapper.showingControllerList && !mapper.leave) << index;
    }
    mapper.selected = 2;
    mapper.skip();
    EXPECT_TRUE(mapper.leave && mapper.showingControllerList && mapper.mappingEntry == -1);
    mapper.close();
    mapper.leave = false;
    mapper.skip();  // closed: a skip does nothing
    EXPECT_FALSE(mapper.leave || mapper.showingControllerList);
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
    const std::vector<int> defaults = values(PadMapping());
    const char* cases[][2] = {
        {nullptr, "[notice] controllerMappings.xml not found, default mapping for Pad\n"},
        {"<CONTROLLER_MAPPINGS><Pad><BUTTON_0>4</BUT",
         "[ControllerMapper:warning] controllerMappings.xml unreadable, default mapping for Pad\n"}};
    for (const auto& c : cases) {
        if (c[0]) dir.write("controllerMappings.xml", c[0]);
        PadMapping m;
        const CapturedOutput out = captureOutput([&] { m = mapper.loadMapping("Pad", 6, 14); });
        EXPECT_EQ(values(m), defaults);
        EXPECT_EQ(c[1], out.out + out.err);
    }
    PadMapping a, b;
    a.buttons[0] = 9;
    b.axisSigns[3] = -1;
    captureOutput([&] {
        EXPECT_TRUE(mapper.saveMapping("Pad A", a) && mapper.saveMapping("Pad B", b) && mapper.saveMapping("Pad A", a));
    });
    EXPECT_EQ(values(mapper.loadMapping("Pad A", 6, 14)), values(a));
    EXPECT_EQ(values(mapper.loadMapping("Pad B", 6, 14)), values(b));
    const std::string file = dir.read("controllerMappings.xml");
    EXPECT_EQ(file.find("<PadA>"), file.rfind("<PadA>"));
    EXPECT_EQ(dir.read("controllerMappings.xml.bad"), cases[1][0]);  // kept aside, not written over
}
