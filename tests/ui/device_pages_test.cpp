// The device channel pages in a fixture: roller blind and roller master, analogue sensor, timer and
// motion detector. The rows test covers each row on its own; these cover what the pages add: Enter
// chains with conditional steps, settling on leaving, refused typed numbers, the roller master grid.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <functional>
#include <string>
#include <vector>

#include "model/analog.h"
#include "model/channel_types.h"
#include "model/field_rules.h"
#include "model/roller.h"
#include "model/text_ids.h"
#include "model/timer.h"
#include "pictures/icon_factory.h"
#include "tests/support/page_fixture.h"
#include "ui/editor/pages/master_page.h"
#include "ui/editor/pages/roller_page.h"

using namespace korvane;
using namespace korvane::test;

namespace {

constexpr int kCh = 4;

class DevicePages : public PageFixture {
protected:
    void SetUp() override {
        PageFixture::SetUp();
        ClearConfiguration(ws.cfg, ws.edit);
        ws.setCurChannel(kCh);
    }
    Row& row(int c = kCh) { return ws.cfg.ChanSetup[static_cast<std::size_t>(c)]; }
    EditorPage* openAs(int type) {
        SetChannelType(ws.cfg, kCh, type);
        page_ = open(QString(), type);
        EXPECT_NE(page_, nullptr) << type;
        return page_;
    }
    template <class W = QWidget> W* w(const char* name) {
        W* found = window->findChild<W*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void keys(const char* name, const char* typed) {
        QWidget* f = w(name);
        focus(f);
        for (const char* k = typed; *k; ++k)
            QTest::keyClick(f, *k);
    }
    // Enter in the control: the name of the control that has the focus afterwards.
    QString enterFrom(const char* name) {
        QWidget* f = w(name);
        focus(f);
        QTest::keyClick(f, Qt::Key_Return);
        QWidget* now = QApplication::focusWidget();
        return now ? now->objectName() : QStringLiteral("<none>");
    }
    // Types a number into a free number field and presses Enter.
    void enterNumber(const char* name, const QString& text) {
        auto* e = w<QLineEdit>(name);
        focus(e);
        e->selectAll();
        QTest::keyClicks(e, text);
        QTest::keyClick(e, Qt::Key_Return);
    }
    static bool refused(QWidget* e) { return e->property("korvaneRefused").toBool(); }
    static long tenths(const Row& r, int column) { return Byte3ToTenths(r, column); }

    EditorPage* page_ = nullptr;
};

// ---- Roller blind ----

TEST_F(DevicePages, rollerReverseTimeIsRepairedOnOpeningTypedInFourDigitsAndSettledOnLeaving) {
    openAs(kTypeRoller);
    EXPECT_EQ(RollerReverseTime(row()), 1000) << "an unset reverse time opens as 1000";
    EXPECT_EQ(row()[kRollReverseCycles], 7) << "with the bus cycles that go with it";
    EXPECT_FALSE(ws.dataChanged()) << "the repair on opening is not the user's change";
    EXPECT_EQ(w<QLineEdit>("T_RollReverse")->text(), "1000");

    keys("T_RollReverse", "1500");
    EXPECT_EQ(row()[kRollReverseHigh], 5);
    EXPECT_EQ(row()[kRollReverseLow], 220);
    EXPECT_EQ(row()[kRollReverseCycles], 11);
    EXPECT_TRUE(ws.dataChanged());

    keys("T_RollReverse", "2001"); // above 2000: restarts with the 1
    EXPECT_EQ(RollerReverseTime(row()), 1);
    EXPECT_EQ(w<QLineEdit>("T_RollReverse")->text(), "0001");
    focus(w("T_RollUpTime"));
    EXPECT_EQ(RollerReverseTime(row()), 1000) << "leaving with less than 500 makes it 1000";
    EXPECT_EQ(row()[kRollReverseCycles], 7);
    EXPECT_EQ(w<QLineEdit>("T_RollReverse")->text(), "1000");
}

TEST_F(DevicePages, rollerLeavingRepairsOnlyTheRowThePageShowsWhileItIsARollerBlind) {
    SetChannelType(ws.cfg, 8, kTypeRoller);
    SetRollerReverseTime(row(8), 300);
    openAs(kTypeRoller);
    keys("T_RollReverse", "3");

    // The current channel moves on while the field still has the focus.
    ws.edit.CurChannel = 8;
    focus(w("T_RollUpTime"));
    EXPECT_EQ(RollerReverseTime(row(kCh)), 1000);
    EXPECT_EQ(RollerReverseTime(row(8)), 300) << "another channel's row is never repaired";

    ws.edit.CurChannel = kCh;
    page_->fill();
    keys("T_RollReverse", "3");
    ws.changeChannelType(kCh, kTypeMono); // typed in the matrix meanwhile
    const Row mono = row();
    focus(w("T_RollUpTime"));
    EXPECT_EQ(row(), mono) << "a row that is no longer a roller blind is left alone";
}

TEST_F(DevicePages, rollerEnterGoesFromTheSlatsToTheChosenDirection) {
    openAs(kTypeRoller);
    const std::pair<Byte, const char*> cases[] = {{0, "Option1"}, {255, "Option2"}, {7, "Option2"}};
    for (const auto& [direction, option] : cases) {
        row()[kRollPriorityDirection] = direction;
        page_->fill();
        EXPECT_EQ(enterFrom("Chk_MitLamel"), option) << int(direction);
        EXPECT_TRUE(w<QRadioButton>(option)->isChecked());
    }
    EXPECT_EQ(enterFrom("Option1"), "T_Vorrang");
    focus(w("Option2"));
    QTest::keyClick(w("Option2"), Qt::Key_Up);
    EXPECT_EQ(row()[kRollPriorityDirection], 0) << "Up chooses the option above";
    EXPECT_EQ(enterFrom("T_Vorrang"), "TextBeskriv");
    w<QRadioButton>("Option1")->click();
    EXPECT_EQ(row()[kRollPriorityDirection], 0);
}

// ---- Roller master ----

class RollerMasterGrid : public DevicePages {
protected:
    void SetUp() override {
        DevicePages::SetUp();
        ws.cfg.SysData[kSysChannelsInUse] = 63;  // cells 0..31
        SetChannelType(ws.cfg, 0, kTypeRoller);  // cell 0
        SetChannelType(ws.cfg, 12, kTypeRoller); // cell 6
        ws.edit.CurChannel = 20;
        SetChannelType(ws.cfg, 20, kTypeRollerMaster);
        page_ = open(QString(), kTypeRollerMaster);
        grid_ = static_cast<RollerMasterPage*>(page_);
        focus(grid_->keyField());
    }
    int state(int cell) { return GetRmSt(ws.cfg, 20, cell); }
    int cursor() const { return ws.edit.MatrixCursor; }
    RollerMasterPage* grid_ = nullptr;
};

TEST_F(RollerMasterGrid, keysSelectClearAndMoveWithinTheChannelsInUse) {
    ASSERT_TRUE(grid_->cell(31)->isVisibleTo(grid_));
    ASSERT_FALSE(grid_->cell(32)->isVisibleTo(grid_));
    const struct {
        Qt::Key key;
        int cursor, beeps;
        int cell, state; // a cell to look at afterwards
    } steps[] = {
        {Qt::Key_1, 1, 0, 0, kRmSelected},  // select the blind at cell 0, move right
        {Qt::Key_1, 2, 1, 1, kRmNotUsable}, // cell 1 is no blind: beep, still move
        {Qt::Key_Down, 6, 1, 6, kRmEnabled},  {Qt::Key_1, 7, 1, 6, kRmSelected},
        {Qt::Key_Left, 6, 1, 6, kRmSelected}, {Qt::Key_X, 7, 1, 6, kRmEnabled},
        {Qt::Key_Up, 3, 1, 0, kRmSelected},   {Qt::Key_Up, 3, 2, 0, kRmSelected}, // the top row
        {Qt::Key_0, 4, 3, 3, kRmNotUsable},                                       // nothing to clear: beep
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(testing::Message() << "key " << s.key << " to cursor " << s.cursor);
        QTest::keyClick(grid_->keyField(), s.key);
        EXPECT_EQ(cursor(), s.cursor);
        EXPECT_EQ(dialogs.beeps, s.beeps);
        EXPECT_EQ(state(s.cell), s.state);
        EXPECT_TRUE(grid_->cell(cursor())->cursor());
    }
    ws.edit.MatrixCursor = 31;
    QTest::keyClick(grid_->keyField(), Qt::Key_Right);
    EXPECT_EQ(cursor(), 31);
    ws.edit.MatrixCursor = 28;
    QTest::keyClick(grid_->keyField(), Qt::Key_Down);
    EXPECT_EQ(cursor(), 28);
    EXPECT_EQ(dialogs.beeps, 5);
    EXPECT_EQ(grid_->cell(0)->picture(), IconFactory::kRollerGridSelected);
    EXPECT_EQ(grid_->cell(1)->picture(), IconFactory::kRollerGridOff);
}

TEST_F(RollerMasterGrid, aFormerBlindsChoiceCanBeClearedButNotMade) {
    PutRmSt(ws.cfg, 20, 0, 1);
    PutRmSt(ws.cfg, 20, 6, 1);
    ws.changeChannelType(0, kTypeMono);
    ws.changeChannelType(12, kTypeMono);
    page_->fill();
    focus(grid_->keyField());
    QTest::keyClick(grid_->keyField(), Qt::Key_0);
    EXPECT_FALSE(RmCellMarked(ws.cfg, 20, 0));
    EXPECT_EQ(dialogs.beeps, 0);
    ws.edit.MatrixCursor = 0;
    QTest::keyClick(grid_->keyField(), Qt::Key_1);
    EXPECT_FALSE(RmCellMarked(ws.cfg, 20, 0)) << "selecting it stays refused";
    EXPECT_EQ(dialogs.beeps, 1);

    QTest::mouseClick(grid_->cell(6), Qt::LeftButton);
    EXPECT_FALSE(RmCellMarked(ws.cfg, 20, 6)) << "a click clears it too";
    QTest::mouseClick(grid_->cell(6), Qt::LeftButton);
    EXPECT_FALSE(RmCellMarked(ws.cfg, 20, 6)) << "and cannot choose it";
    EXPECT_EQ(cursor(), 6);
    EXPECT_EQ(QApplication::focusWidget(), grid_->keyField());
}

TEST_F(RollerMasterGrid, clicksToggleEnterGoesToTheModeAndKeysOnAModeChooseTheOther) {
    QTest::mouseClick(grid_->cell(6), Qt::LeftButton);
    EXPECT_EQ(state(6), kRmSelected);
    QTest::mouseClick(grid_->cell(6), Qt::LeftButton);
    EXPECT_EQ(state(6), kRmEnabled);

    for (const auto& [mode, option] : {std::pair<Byte, const char*>{0, "O_rmSIM"}, {255, "O_rmSEQ"}, {1, "O_rmSEQ"}}) {
        row(20)[kRmMode] = mode;
        page_->fill();
        EXPECT_EQ(enterFrom("TdumRM"), option) << int(mode);
    }
    // A letter on a mode chooses the other one: the focus never stands on an option not chosen.
    row(20)[kRmMode] = 0;
    page_->fill();
    focus(w("O_rmSIM"));
    QTest::keyClick(w("O_rmSIM"), Qt::Key_A);
    EXPECT_EQ(QApplication::focusWidget(), w("O_rmSEQ"));
    EXPECT_EQ(row(20)[kRmMode], 255);
    EXPECT_TRUE(w<QRadioButton>("O_rmSEQ")->isChecked());
    EXPECT_EQ(enterFrom("O_rmSEQ"), "Txt_Rm_RollTime");
    w<QRadioButton>("O_rmSIM")->click();
    EXPECT_EQ(row(20)[kRmMode], 0);
    focus(w("O_rmSIM"));
    QTest::keyClick(w("O_rmSIM"), Qt::Key_Right); // the arrows choose
    EXPECT_EQ(row(20)[kRmMode], 255);
    EXPECT_EQ(QApplication::focusWidget(), w("O_rmSEQ"));
}

TEST_F(RollerMasterGrid, aChannelCountAboveTheMatrixFromAFileShowsEveryPairAndStopsAtTheLast) {
    ws.cfg.SysData[kSysChannelsInUse] = 200;
    page_->fill();
    EXPECT_TRUE(grid_->cell(63)->isVisibleTo(grid_));
    focus(grid_->keyField());
    ws.edit.MatrixCursor = 63;
    QTest::keyClick(grid_->keyField(), Qt::Key_Right);
    EXPECT_EQ(cursor(), 63);
    EXPECT_EQ(dialogs.beeps, 1);
}

// ---- Analogue sensor ----

TEST_F(DevicePages, analogueRangeRefusedValuesStoreNothingAndStayRedUntilLeft) {
    openAs(kTypeAnalogTemperature);
    enterNumber("T_RangeMin", "10");
    EXPECT_EQ(tenths(row(), kAnaRangeMin), 100);
    EXPECT_EQ(QApplication::focusWidget(), w("T_RangeMax"));
    enterNumber("T_RangeMax", "100.04");
    EXPECT_EQ(tenths(row(), kAnaRangeMax), 1000);
    EXPECT_EQ(w<QLineEdit>("T_RangeMax")->text(), "100.0");

    const Row before = row();
    const struct {
        const char* field;
        const char* text;
    } refusedCases[] = {
        {"T_RangeMin", "900000"},   // would not fit the bytes
        {"T_RangeMin", "100000.1"}, // above the limit
        {"T_RangeMin", "12a"},      // not a number
        {"T_RangeMax", "-60"},      // below the minimum, whatever its size
        {"T_RangeMax", "10"},       // equal to the minimum
        {"T_RangeMax", "1e3"},
    };
    for (const auto& c : refusedCases) {
        SCOPED_TRACE(testing::Message() << c.field << " " << c.text);
        auto* e = w<QLineEdit>(c.field);
        enterNumber(c.field, QLatin1String(c.text));
        EXPECT_EQ(row(), before) << "a refused value stores nothing";
        EXPECT_TRUE(refused(e));
        const bool maximum = c.field == QLatin1String("T_RangeMax");
        if (maximum) {
            EXPECT_TRUE(refused(w("T_RangeMin"))) << "a refused maximum turns both range fields red";
        }
        EXPECT_EQ(e->palette().color(QPalette::Text), QColor(Qt::red));
        EXPECT_EQ(QApplication::focusWidget(), e) << "the field keeps the focus";
        EXPECT_EQ(e->text(), QLatin1String(c.text)) << "and the text";
        focus(w("SensDisabel"));
        EXPECT_FALSE(refused(e));
        EXPECT_FALSE(refused(w(maximum ? "T_RangeMin" : "T_RangeMax")));
        EXPECT_EQ(e->text(), QLatin1String(c.field == QLatin1String("T_RangeMin") ? "10.0" : "100.0"))
            << "leaving shows the stored value again";
    }
}

TEST_F(DevicePages, analogueLimitsTakeTheBoundOfTheirSideAndNumbersRoundOnTheirDigits) {
    openAs(kTypeAnalogGeneral);
    StoreTenths(row(), 500, kAnaRangeMin); // an inverted range, as a file may hold it
    StoreTenths(row(), -200, kAnaRangeMax);
    page_->fill();

    const struct {
        const char* field;
        const char* text;
        int column;
        long stored;
        bool red;
        const char* shown;
    } cases[] = {
        {"T_Setpoint_0", "12.35", kAnaLimit1Low, 124, false, "12.4"},
        {"T_Setpoint_0", "12.25", kAnaLimit1Low, 122, false, "12.2"},
        {"T_Setpoint_0", "-0.04", kAnaLimit1Low, 0, false, "0.0"},   // no negative zero
        {"T_Setpoint_0", "-30", kAnaLimit1Low, -200, true, "-20.0"}, // below: the low bound
        {"T_Setpoint_1", "-30", kAnaLimit1High, 500, true, "50.0"},  // below, in a high field: the high bound
        {"T_Setpoint_1", "50", kAnaLimit1High, 500, false, "50.0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.field << " " << c.text);
        enterNumber(c.field, QLatin1String(c.text));
        EXPECT_EQ(tenths(row(), c.column), c.stored);
        EXPECT_EQ(row()[c.column] & 128, c.stored < 0 ? 128 : 0) << "the sign bit only below zero";
        auto* e = w<QLineEdit>(c.field);
        EXPECT_EQ(e->text(), QLatin1String(c.shown));
        EXPECT_EQ(refused(e), c.red);
        EXPECT_EQ(QApplication::focusWidget() == e, c.red) << "an accepted value moves on";
    }

    const Row before = row();
    enterNumber("T_Setpoint_1", QStringLiteral("abc"));
    EXPECT_EQ(row(), before);
    EXPECT_TRUE(refused(w("T_Setpoint_1")));
}

TEST_F(DevicePages, analogueNumbersTakeTheUsersDecimalSeparator) {
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    openAs(kTypeAnalogWind);
    enterNumber("T_RangeMin", QStringLiteral("-12,5"));
    enterNumber("T_RangeMax", QStringLiteral("30.25"));
    QLocale::setDefault(previous);
    EXPECT_EQ(tenths(row(), kAnaRangeMin), -125);
    EXPECT_EQ(tenths(row(), kAnaRangeMax), 302);
}

TEST_F(DevicePages, analogueEnterChainsFollowTheKindAndTheOptions) {
    const struct {
        int type;
        Byte options;
        const char* from;
        const char* to;
    } cases[] = {
        {kTypeAnalogGeneral, 0, "CHk_ExternLim", "T_RangeMin"},
        {kTypeAnalogTemperature, kAnaExternLimitBit, "CHk_ExternLim", "T_RangeMin"},
        {kTypeAnalogLux, 0, "CHk_ExternLim", "T_Setpoint_0"},
        {kTypeAnalogLux, kAnaExternLimitBit, "CHk_ExternLim", "Txt_VarLim"},
        {kTypeAnalogGeneral, 0, "T_RangeMin", "T_RangeMax"},
        {kTypeAnalogGeneral, 0, "T_RangeMax", "T_Setpoint_0"},
        {kTypeAnalogGeneral, kAnaExternLimitBit, "T_RangeMax", "T_Setpoint_0"},
        {kTypeAnalogGeneral, 0, "Txt_VarLim", "T_Setpoint_0"},
        {kTypeAnalogGeneral, 0, "T_Setpoint_0", "T_Setpoint_1"},
        {kTypeAnalogGeneral, 0, "T_Setpoint_1", "Chk_NightEnable"},
        {kTypeAnalogGeneral, 0, "Chk_NightEnable", "TextBeskriv"},
        {kTypeAnalogGeneral, kAnaSecondLimitBit, "Chk_NightEnable", "T_Setpoint_2"},
        {kTypeAnalogGeneral, kAnaSecondLimitBit, "T_Setpoint_2", "T_Setpoint_3"},
        {kTypeAnalogGeneral, kAnaSecondLimitBit, "T_Setpoint_3", "SensLim2Disabel"},
        {kTypeAnalogGeneral, kAnaSecondLimitBit, "SensLim2Disabel", "TextBeskriv"},
        {kTypeAnalogWind, 0, "Opt_Senstype_50", "SensDisabel"},
        {kTypeAnalogWind, 0, "SensDisabel", "Chk_AnalinkOutCtrl"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " options " << int(c.options) << " from " << c.from);
        openAs(c.type);
        StoreTenths(row(), 1000, kAnaRangeMax); // a range 0..100 that takes the shown limits
        row()[kAnaOptions] = c.options;
        page_->fill();
        EXPECT_EQ(enterFrom(c.from), QLatin1String(c.to));
    }
}

// The four kinds are one group wherever the layout puts them: after every click, arrow key and fill
// exactly one is ticked, the one stored, and the arrows reach each of them in the table's order.
TEST_F(DevicePages, analogueKindsAreOneGroupForClicksKeysAndFills) {
    openAs(kTypeAnalogGeneral);
    SetChannelType(ws.cfg, kCh + 1, kTypeAnalogWind);
    auto option = [this](int kind) { return w<QRadioButton>(("Opt_Senstype_" + std::to_string(kind)).c_str()); };
    auto press = [](Qt::Key k) { return [k] { QTest::keyClick(QApplication::focusWidget(), k); }; };
    const struct {
        const char* what;
        std::function<void()> act;
        int kind;
    } steps[] = {
        {"click wind", [&] { option(kTypeAnalogWind)->click(); }, kTypeAnalogWind},
        {"click lux", [&] { option(kTypeAnalogLux)->click(); }, kTypeAnalogLux},
        {"click general",
         [&] {
             focus(option(kTypeAnalogGeneral));
             option(kTypeAnalogGeneral)->click();
         },
         kTypeAnalogGeneral},
        {"Down", press(Qt::Key_Down), kTypeAnalogLux},
        {"Down", press(Qt::Key_Down), kTypeAnalogWind},
        {"Down", press(Qt::Key_Down), kTypeAnalogTemperature},
        {"Down at the last", press(Qt::Key_Down), kTypeAnalogTemperature},
        {"Up", press(Qt::Key_Up), kTypeAnalogWind},
        {"Left", press(Qt::Key_Left), kTypeAnalogLux},
        {"another sensor",
         [&] {
             ws.setCurChannel(kCh + 1);
             page_->fill();
         },
         kTypeAnalogWind},
        {"back to the first",
         [&] {
             ws.setCurChannel(kCh);
             page_->fill();
         },
         kTypeAnalogLux},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        EXPECT_EQ(ws.typeOf(ws.curChannel()), step.kind);
        std::vector<int> ticked;
        for (int kind = kTypeAnalogGeneral; kind <= kTypeAnalogTemperature; ++kind)
            if (option(kind)->isChecked())
                ticked.push_back(kind);
        EXPECT_EQ(ticked, std::vector<int>{step.kind});
    }
}

// A range from a file whose maximum is below its minimum shows red in both fields; Enter on the
// maximum as it stands moves on to the first limit (nothing was typed), typing a fitting maximum mends it.
TEST_F(DevicePages, analogueBackwardsRangeFromAFileDoesNotTrapEnter) {
    openAs(kTypeAnalogGeneral);
    StoreTenths(row(), 500, kAnaRangeMin);
    StoreTenths(row(), -200, kAnaRangeMax);
    page_->fill();
    EXPECT_TRUE(refused(w("T_RangeMin")));
    EXPECT_TRUE(refused(w("T_RangeMax")));
    const Row before = row();
    EXPECT_EQ(enterFrom("T_RangeMax"), "T_Setpoint_0");
    EXPECT_EQ(row(), before);
    EXPECT_TRUE(refused(w("T_RangeMax")));
    enterNumber("T_RangeMax", QStringLiteral("80"));
    EXPECT_EQ(tenths(row(), kAnaRangeMax), 800);
    EXPECT_FALSE(refused(w("T_RangeMin")));
    EXPECT_FALSE(refused(w("T_RangeMax")));
    EXPECT_EQ(QApplication::focusWidget(), w("T_Setpoint_0"));
}

// A click into a number field selects what it shows, as Tab does: what is typed then replaces it.
TEST_F(DevicePages, aClickIntoANumberFieldSelectsItsValue) {
    openAs(kTypeAnalogGeneral);
    auto* e = w<QLineEdit>("T_RangeMin");
    QApplication::setActiveWindow(window.get());
    QTest::mouseClick(e, Qt::LeftButton, {}, QPoint(e->width() / 2, e->height() / 2));
    ASSERT_TRUE(e->hasFocus());
    EXPECT_EQ(e->selectedText(), "0.0");
    QTest::keyClicks(e, QStringLiteral("-20"));
    QTest::keyClick(e, Qt::Key_Return);
    EXPECT_EQ(tenths(row(), kAnaRangeMin), -200);
}

TEST_F(DevicePages, analogueKindAndOptionsShowWhatTheyStandFor) {
    openAs(kTypeAnalogGeneral);
    StoreTenths(row(), -300, kAnaRangeMin);
    page_->fill();
    EXPECT_FALSE(w("F_grenze2")->isVisibleTo(page_));
    w<QCheckBox>("Chk_NightEnable")->click();
    EXPECT_EQ(row()[kAnaOptions], kAnaSecondLimitBit);
    EXPECT_TRUE(w("F_grenze2")->isVisibleTo(page_));
    StoreTenths(row(), 77, kAnaLimit2Low);
    w<QCheckBox>("Chk_NightEnable")->click();
    EXPECT_FALSE(w("F_grenze2")->isVisibleTo(page_));
    EXPECT_EQ(tenths(row(), kAnaLimit2Low), 77) << "hiding the second pair keeps it";

    EXPECT_EQ(w<QLabel>("Label4_3")->text(), ws.text(kTxtOffBelow));
    w<QCheckBox>("Chk_ExchLim")->click();
    EXPECT_EQ(w<QLabel>("Label4_3")->text(), ws.text(kTxtOnBelow));
    EXPECT_EQ(w<QLabel>("Label4_6")->text(), ws.text(kTxtOffAbove));

    w<QRadioButton>("Opt_Senstype_49")->click();
    EXPECT_EQ(row()[kRowType], kTypeAnalogLux);
    EXPECT_EQ(ws.cfg.SavedChanType[kCh], kTypeAnalogLux);
    EXPECT_FALSE(w("T_RangeMin")->isEnabled());
    EXPECT_EQ(w<QLineEdit>("T_RangeMin")->text(), "0,1");
    EXPECT_EQ(w<QLineEdit>("T_RangeMax")->text(), "100000,0");
    w<QRadioButton>("Opt_Senstype_51")->click();
    EXPECT_TRUE(w("T_RangeMin")->isEnabled());
    EXPECT_EQ(w<QLineEdit>("T_RangeMin")->text(), "-30.0");
    ws.setDataChanged(false);
    w<QRadioButton>("Opt_Senstype_51")->click();
    EXPECT_FALSE(ws.dataChanged()) << "the kind it already has is no change";
    EXPECT_EQ(page_->focusControl()->objectName(), "Opt_Senstype_51");
}

// ---- Timer and motion detector ----

TEST_F(DevicePages, timerDigitsChangeOnlyTheirPartOfTheShownTime) {
    openAs(kTypeTimerDelay);
    row()[kTimerTime1] = 0x80; // 400000 s = 111:06:40, typed bytes left at 0
    row()[kTimerTime1 + 1] = 0x1A;
    row()[kTimerTime1 + 2] = 0x06;
    row()[kTimerTime2] = 10;
    page_->fill();
    EXPECT_EQ(w<QLineEdit>("TimerTid_0")->text(), "111");
    EXPECT_EQ(w<QLineEdit>("TimerTid_1")->text(), "06");
    EXPECT_EQ(w<QLineEdit>("TimerTid_2")->text(), "40");

    keys("TimerTid_2", "5");
    EXPECT_EQ(DurationAt(row(), kTimerTime1), 111 * 3600 + 6 * 60 + 5);
    EXPECT_EQ(w<QLineEdit>("TimerTid_2")->text(), "05");
    EXPECT_EQ(w<QLineEdit>("TimerTid_0")->text(), "111");

    const Row before = row();
    keys("TimerTid_4", "12");
    EXPECT_EQ(DurationAt(row(), kTimerTime2), 12 * 60 + 10);
    for (int col = kTimerTime1; col < kTimerTime1 + 3; ++col)
        EXPECT_EQ(row()[col], before[col]) << "time 1 is left alone";

    keys("TimerTid_1", "123"); // 12, then 123 > 59 restarts with 3
    EXPECT_EQ(w<QLineEdit>("TimerTid_1")->text(), "03");
    const int beeps = dialogs.beeps;
    keys("TimerTid_1", "A");
    EXPECT_EQ(dialogs.beeps, beeps + 1) << "a letter in a time field beeps";
    EXPECT_EQ(w<QLineEdit>("TimerTid_1")->text(), "03");
}

TEST_F(DevicePages, timerModesChangeTheFunctionAndTheChainFollows) {
    openAs(kTypeTimerDelay);
    ws.cfg.ChanFlags[kCh] = kFlagCheck1 | kFlagCheck2;
    EXPECT_EQ(enterFrom("O_TimerMode_0"), "Chk_TimPuls");

    w<QCheckBox>("Chk_TimPuls")->click();
    EXPECT_EQ(row()[kRowType], kTypeTimerDelayPulse);
    EXPECT_EQ(ws.cfg.SavedChanType[kCh], kTypeTimerDelayPulse);
    EXPECT_EQ(page_->focusControl()->objectName(), "O_TimerMode_0");

    w<QRadioButton>("O_TimerMode_1")->click();
    EXPECT_EQ(row()[kRowType], kTypeTimerPulse);
    EXPECT_EQ(ws.cfg.ChanFlags[kCh], 0) << "the pulse timer sends no events";
    EXPECT_FALSE(w("Chk_TimPuls")->isVisibleTo(page_));
    EXPECT_EQ(w<QLabel>("Label_TimerTid_0")->text(), ws.text(kTxtPulseTime));
    channelPart->fill();
    EXPECT_FALSE(w("Check1")->isVisibleTo(channelPart));
    EXPECT_EQ(enterFrom("O_TimerMode_1"), "Timer_NoPulses");
    EXPECT_EQ(page_->focusControl()->objectName(), "O_TimerMode_1");

    w<QRadioButton>("O_TimerMode_0")->click();
    EXPECT_EQ(row()[kRowType], kTypeTimerDelay);
    channelPart->fill();
    EXPECT_TRUE(w("Check1")->isVisibleTo(channelPart));
    EXPECT_FALSE(w<QCheckBox>("Check1")->isChecked());
    EXPECT_EQ(enterFrom("TimerTid_2"), "TimerTid_3");
    EXPECT_EQ(enterFrom("TimerTid_5"), "TextBeskriv");
}

TEST_F(DevicePages, motionAlarmNeedsAPulseAndLeavingRepairsOnlyTheShownRow) {
    openAs(kTypeMotion);
    EXPECT_EQ(enterFrom("Chk_MotionInAlarm"), "TimerTid_6");
    EXPECT_FALSE(w("Txt_MotionPulses")->isVisibleTo(page_));
    w<QCheckBox>("Chk_MotionInAlarm")->click();
    EXPECT_EQ(row()[kMotionInAlarm], 1);
    EXPECT_EQ(row()[kMotionPulses], 1) << "ticking applies the pulse minimum";
    EXPECT_EQ(w<QLineEdit>("Txt_MotionPulses")->text(), "001") << "and shows it";
    EXPECT_EQ(enterFrom("Chk_MotionInAlarm"), "Txt_MotionPulses");
    EXPECT_EQ(enterFrom("Txt_MotionPulses"), "TimerTid_6");

    keys("Txt_MotionPulses", "300"); // 300 > 255: the value becomes 0
    EXPECT_EQ(row()[kMotionPulses], 0);
    focus(w("TimerTid_6"));
    EXPECT_EQ(row()[kMotionPulses], 1);
    EXPECT_EQ(w<QLineEdit>("Txt_MotionPulses")->text(), "001");

    keys("Txt_MotionPulses", "0");
    ws.changeChannelType(kCh, kTypeTimerDelay);
    const Row timer = row();
    focus(w("TimerTid_6"));
    EXPECT_EQ(row(), timer) << "a channel that is no longer a motion detector is left alone";

    ws.changeChannelType(kCh, kTypeMotion);
    page_->fill();
    keys("TimerTid_7", "5");
    EXPECT_EQ(DurationAt(row(), kMotionTime), 300);
    EXPECT_EQ(enterFrom("TimerTid_8"), "TextBeskriv");
}

// ---- Counter and time output ----

TEST_F(DevicePages, aCounterSizeThatTakesTimeOutputChannelsIsRefusedWithABeep) {
    auto* setup = open(QStringLiteral("mainsetup"), 0);
    ASSERT_NE(setup, nullptr);
    auto* dup = w<QComboBox>("ComboDupUr");
    auto* counter = w<QComboBox>("Combo_Counter");
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
