// The device channel pages beyond the page tables: the roller master grid, the analogue sensor's
// numbers and kinds, and the claims of counter and time output.

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <utility>
#include <vector>

#include "model/analog.h"
#include "model/channel_types.h"
#include "model/field_rules.h"
#include "model/roller.h"
#include "pictures/icon_factory.h"
#include "tests/support/page_fixture.h"
#include "tests/support/workspace_setup.h"
#include "ui/editor/pages/master_page.h"

using namespace korvane;
using namespace korvane::test;

namespace {

constexpr int kCh = 4;

class DevicePages : public PageFixture {
protected:
    void SetUp() override {
        PageFixture::SetUp();
        ClearConfiguration(ConfigurationForSetUp(ws), ws.edit);
        ws.setCurChannel(kCh);
    }
    Row& row(int c = kCh) { return ConfigurationForSetUp(ws).ChanSetup[static_cast<std::size_t>(c)]; }
    EditorPage* openAs(int type) {
        SetChannelType(ConfigurationForSetUp(ws), kCh, type);
        return openChannel(kCh, type);
    }
};

// ---- Roller master ----

class RollerMasterGrid : public DevicePages {
protected:
    void SetUp() override {
        DevicePages::SetUp();
        sys(kSysChannelsInUse) = 63;                                // cells 0..31
        SetChannelType(ConfigurationForSetUp(ws), 0, kTypeRoller);  // cell 0
        SetChannelType(ConfigurationForSetUp(ws), 12, kTypeRoller); // cell 6
        SetChannelType(ConfigurationForSetUp(ws), 20, kTypeRollerMaster);
        openChannel(20, kTypeRollerMaster);
        focus(keys());
    }
    int state(int cell) { return GetRmSt(ws.cfg, 20, cell); }
    int cursor() const { return ws.edit.MatrixCursor; }
    QWidget* keys() { return get("TdumRM"); }
    MasterCell* cell(int i) { return get<MasterCell>(QStringLiteral("IRm_%1").arg(i)); }
    void key(Qt::Key k) { QTest::keyClick(keys(), k); }
};

// The keys are page-table rows; here the end of the shown cells, the pictures and the clicks.
TEST_F(RollerMasterGrid, theLastCellShownEndsTheMovesAndAClickTogglesABlind) {
    ASSERT_TRUE(cell(31)->isVisibleTo(page_));
    ASSERT_FALSE(cell(32)->isVisibleTo(page_));
    key(Qt::Key_1);
    EXPECT_EQ(cell(0)->picture(), IconFactory::kRollerGridSelected);
    EXPECT_EQ(cell(1)->picture(), IconFactory::kRollerGridOff);
    // The last cell shown ends the moves, also with a channel count above the matrix from a file.
    for (auto [inUse, last] : {std::pair{63, 31}, {200, 63}}) {
        sys(kSysChannelsInUse) = static_cast<Byte>(inUse);
        page_->fill();
        ws.edit.MatrixCursor = last;
        const int beeps = dialogs.beeps;
        key(Qt::Key_Right);
        EXPECT_EQ(cursor(), last);
        EXPECT_EQ(dialogs.beeps, beeps + 1);
        EXPECT_TRUE(cell(last)->isVisibleTo(page_));
    }
    for (int s : {kRmSelected, kRmEnabled}) {
        QTest::mouseClick(cell(6), Qt::LeftButton);
        EXPECT_EQ(state(6), s);
    }
}

TEST_F(RollerMasterGrid, aClickClearsAFormerBlindsChoiceButCannotMakeIt) {
    PutRmSt(ConfigurationForSetUp(ws), 20, 6, 1);
    ws.changeChannelType(12, kTypeMono);
    page_->fill();
    for (const char* what : {"a click clears it", "and cannot choose it"}) {
        QTest::mouseClick(cell(6), Qt::LeftButton);
        EXPECT_FALSE(RmCellMarked(ws.cfg, 20, 6)) << what;
    }
    EXPECT_EQ(cursor(), 6);
    EXPECT_EQ(QApplication::focusWidget(), keys());
}

// ---- Analogue sensor ----

// The kinds' keys and clicks are page-table rows; a fill for another channel ticks that one's kind.
TEST_F(DevicePages, analogueKindsFollowTheChannelOnAFill) {
    openAs(kTypeAnalogLux);
    SetChannelType(ConfigurationForSetUp(ws), kCh + 1, kTypeAnalogWind);
    for (auto [channel, kind] : {std::pair{kCh + 1, kTypeAnalogWind}, {kCh, kTypeAnalogLux}}) {
        ws.setCurChannel(channel);
        page_->fill();
        for (int k = kTypeAnalogGeneral; k <= kTypeAnalogTemperature; ++k)
            EXPECT_EQ(get<QRadioButton>(QStringLiteral("Opt_Senstype_%1").arg(k))->isChecked(), k == kind) << k;
    }
}

// A click into a number field selects what it shows, as Tab does: what is typed then replaces it.
TEST_F(DevicePages, aClickIntoANumberFieldSelectsItsValue) {
    openAs(kTypeAnalogGeneral);
    auto* e = get<QLineEdit>("T_RangeMin");
    QApplication::setActiveWindow(window.get());
    QTest::mouseClick(e, Qt::LeftButton, {}, QPoint(e->width() / 2, e->height() / 2));
    ASSERT_TRUE(e->hasFocus());
    EXPECT_EQ(e->selectedText(), "0.0");
    QTest::keyClicks(e, QStringLiteral("-20"));
    QTest::keyClick(e, Qt::Key_Return);
    EXPECT_EQ(Byte3ToTenths(row(), kAnaRangeMin), -200);
}

// ---- Counter and time output ----

TEST_F(DevicePages, aCounterSizeThatTakesTimeOutputChannelsIsRefusedWithABeep) {
    auto* setup = open(QStringLiteral("mainsetup"), 0);
    ASSERT_NE(setup, nullptr);
    auto* dup = get<QComboBox>("ComboDupUr");
    auto* counter = get<QComboBox>("Combo_Counter");
    focus(dup);
    emit dup->activated(1); // C-D: channels 16..31
    ASSERT_EQ(ws.typeOf(16), kTypeTimeOutputClaim);
    focus(counter);
    const Configuration before = ws.cfg;
    emit counter->activated(1); // B1..C8 would take C1..C8
    EXPECT_EQ(dialogs.beeps, 1);
    EXPECT_TRUE(ws.cfg == before);
    EXPECT_EQ(counter->currentData().toInt(), 0);

    emit dup->activated(2); // E-F: 32..47
    emit counter->activated(1);
    EXPECT_EQ(ws.typeOf(8), kTypeCounterClaim);
    emit dup->activated(1); // back to C-D would take the counter's C1..C8
    EXPECT_EQ(dialogs.beeps, 2);
    EXPECT_EQ(ws.cfg.SysData[kSysTimeOutput], 2);
    EXPECT_EQ(dup->currentData().toInt(), 2);
}

} // namespace
