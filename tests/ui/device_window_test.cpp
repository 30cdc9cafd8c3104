// The device pages in the whole program: the editor window keeps its size from page to page, and a
// page puts the focus on its control when it opens, never when the window is only refilled.

#include <QApplication>
#include <QTest>

#include "model/channel_types.h"
#include "tests/support/program_fixture.h"
#include "ui/main/channel_cell.h"

using namespace korvane;
using namespace korvane::test;

namespace {

class DeviceWindow : public StartedProgramFixture {
protected:
    void openChannel(int c) {
        QTest::mouseClick(main().cell(c), Qt::LeftButton);
        QApplication::processEvents();
    }
};

TEST_F(DeviceWindow, theEditorKeepsItsSizeFromPageToPage) {
    ws().changeChannelType(2, kTypeRollerMaster);
    ws().changeChannelType(4, kTypeAnalogGeneral);
    ws().changeChannelType(5, kTypeTimerDelay);
    ws().changeChannelType(6, kTypeMotion);
    ws().changeChannelType(8, kTypeRoller);
    openChannel(0); // an unused channel: the event options take room below the page
    const QSize size = editor().size();
    for (int c : {2, 0, 4, 2, 5, 8, 6, 2}) {
        openChannel(c);
        EXPECT_EQ(editor().size(), size) << "channel " << c;
    }
}

TEST_F(DeviceWindow, aPageFocusesItsControlOnOpeningButNotOnARefill) {
    ws().changeChannelType(5, kTypeTimerPulse);
    ws().changeChannelType(6, kTypeMotion);
    const std::pair<int, const char*> cases[] = {{5, "O_TimerMode_1"}, {6, "Chk_MotionInAlarm"}};
    for (const auto& [c, control] : cases) {
        openChannel(c);
        QApplication::setActiveWindow(&editor());
        EXPECT_EQ(QApplication::focusWidget(), child(control)) << c;
    }
    openChannel(5);
    focus(child("TimerTid_1"));
    QApplication::setActiveWindow(&main());
    QApplication::setActiveWindow(&editor()); // the window comes back and refills its page
    EXPECT_EQ(QApplication::focusWidget(), child("TimerTid_1"));
}

} // namespace
