// What the editor pages do beyond a single row, in three tables: keys typed into a field and what it
// shows and stores; where Enter (or an arrow) goes in a given state; what leaving a field settles,
// by a change of focus or by the commit that Ctrl+S and Write make before they take the
// configuration. The arithmetic of each way of entering a value is the field rules' own; here each
// way appears once per page that gives it a meaning of its own.

#include <QApplication>
#include <QTest>
#include <functional>

#include "model/analog.h"
#include "model/calendar.h"
#include "model/channel_types.h"
#include "model/field_rules.h"
#include "model/roller.h"
#include "model/timer.h"
#include "tests/support/page_fixture.h"

using namespace korvane;
using namespace korvane::test;

namespace {

constexpr int kCh = 4;

class PageTables : public PageFixture {
public:
    using PageFixture::byte;
    using PageFixture::sys;
    using PageFixture::ws;
    Row& row(int c = kCh) { return ws.cfg.ChanSetup[static_cast<std::size_t>(c)]; }
    // The page of a key, or (key nullptr) the channel page of the type on channel kCh, after set-up.
    void openPage(const char* key, int type, const std::function<void(PageTables&)>& setUp) {
        ClearConfiguration(ws.cfg, ws.edit);
        ws.edit.CurChannel = kCh;
        if (!key)
            SetChannelType(ws.cfg, kCh, type);
        if (setUp)
            setUp(*this);
        page_ = key ? open(QLatin1String(key), 0) : open(QString(), type);
        ASSERT_NE(page_, nullptr);
        ws.setDataChanged(false);
    }
};

using Prep = std::function<void(PageTables&)>;
using Read = std::function<QString(PageTables&)>;

Read sysAt(int b) {
    return [b](PageTables& t) { return QString::number(t.sys(b)); };
}
Read rowAt(int col, int c = kCh) {
    return [col, c](PageTables& t) { return QString::number(t.byte(c, col)); };
}
Read tenthsAt(int col) {
    return [col](PageTables& t) { return QString::number(Byte3ToTenths(t.row(), col)); };
}
Read secondsAt(int col) {
    return [col](PageTables& t) { return QString::number(DurationAt(t.row(), col)); };
}
// A roller blind's reverse time in milliseconds and its bus cycles.
Read reverseOf(int c) {
    return [c](PageTables& t) {
        return QStringLiteral("%1 %2").arg(RollerReverseTime(t.row(c))).arg(t.byte(c, kRollReverseCycles));
    };
}
Read holiday(int period) {
    return [period](PageTables& t) {
        QString s;
        for (int part = 0; part < kHolidayBytes; ++part)
            s += QStringLiteral("%1 ").arg(t.sys(HolidayByte(period, part)), 2, 16, QLatin1Char('0'));
        return s.trimmed();
    };
}
Read logicBlock(int n) {
    return [n](PageTables& t) {
        const LogicRecord& r = t.ws.cfg.LogicBlocks[static_cast<std::size_t>(n)];
        return QStringLiteral("%1 %2 %3 %4").arg(r[0]).arg(r[1]).arg(r[2]).arg(r[3]);
    };
}
Read sms(int i) {
    return [i](PageTables& t) { return QString::fromStdString(t.ws.cfg.SmsText[static_cast<std::size_t>(i)]); };
}
Read smsId() {
    return [](PageTables& t) { return QString::fromStdString(t.ws.cfg.SmsIdText); };
}
Read channelText() {
    return [](PageTables& t) { return QString::fromStdString(t.ws.cfg.ChanText[kCh]); };
}
Read generalText() {
    return [](PageTables& t) { return QString::fromStdString(t.ws.cfg.DescText[kGeneralDescription]); };
}
Read logicNotes() {
    return [](PageTables& t) { return QString::fromStdString(t.ws.cfg.DescText[0]); };
}

// A range 0.0..100.0, which takes the limits typed below.
void range100(PageTables& t) {
    StoreTenths(t.row(), 1000, kAnaRangeMax);
}
// A range from a file whose maximum is below its minimum.
void backwardsRange(PageTables& t) {
    StoreTenths(t.row(), 500, kAnaRangeMin);
    StoreTenths(t.row(), -200, kAnaRangeMax);
}
// Time 1 of a timer 400000 s (111:06:40), time 2 10 s.
void longTimer(PageTables& t) {
    t.byte(kCh, kTimerTime1) = 0x80;
    t.byte(kCh, kTimerTime1 + 1) = 0x1A;
    t.byte(kCh, kTimerTime1 + 2) = 0x06;
    t.byte(kCh, kTimerTime2) = 10;
}
void smsOn(PageTables& t) {
    t.sys(kSysEventSms) = 1;
}
// Holiday period 1 from 3.10. to 3.20. (packed).
void period1(PageTables& t) {
    const Byte parts[] = {0x03, 0x10, 0x03, 0x20};
    for (int part = 0; part < kHolidayBytes; ++part)
        t.sys(HolidayByte(1, part)) = parts[part];
}
void logicP8A1(PageTables& t) {
    t.ws.cfg.LogicBlocks[0] = LogicRecord{127, 0, 0, 0x04};
}

// ---- Typed keys: what the field shows and what is stored ----

struct TypedCase {
    const char* what;
    const char* key; // nullptr: the channel page of the type
    int type;
    Prep prep;
    const char* field;
    const char* keys; // typed where the focus is, from the field on
    const char* shown;
    Read read;
    const char* stored;
    int beeps = 0;
    bool refused = false; // drawn red, the focus kept
};

TEST_F(PageTables, typedKeysShowAndStore) {
    const TypedCase cases[] = {
        {"device number", "mainsetup", 0, nullptr, "T_DeviceNo", "5", "05", sysAt(kSysDeviceNo), "5"},
        {"disabling channel", nullptr, kTypeIntruderPassive, nullptr, "T_TyvDiasble", "D3C", "C3", rowAt(kAlarmDisable),
         "18"},
        {"disabling channel cleared", nullptr, kTypeIntruderPassive,
         [](PageTables& t) { t.byte(kCh, kAlarmDisable) = 0; }, "T_TyvDiasble", "C~", "-----", rowAt(kAlarmDisable),
         "248"},
        {"disabling extra group", nullptr, kTypeIntruderPassive, nullptr, "T_TyvDiasble", "X4", "X4",
         rowAt(kAlarmDisable), "131"},
        {"siren continuous", nullptr, kTypeIsaSiren, nullptr, "T_ISAsirenetid", "~", "\u00BB\u00BB\u00BB",
         sysAt(kSysIsaSirenTime), "255"},
        {"siren time after minus", nullptr, kTypeIsaSiren, nullptr, "T_ISAsirenetid", "-4", "04",
         sysAt(kSysIsaSirenTime), "4"},
        {"arm time", nullptr, kTypeIntruderManualArm, nullptr, "T_TyvArmTid", "255", "255", sysAt(kSysIntruderArmTime),
         "255"},
        {"on delay above its maximum", nullptr, kTypeIsaActive, [](PageTables& t) { t.byte(kCh, kIsaOnDelay) = 5; },
         "T_ISAondelay", "300", "000", rowAt(kIsaOnDelay), "0"},
        {"common siren: the intruder time", nullptr, kTypeCommonSiren, nullptr, "T_FællessireneTid_1", "25", "05",
         sysAt(kSysIntruderSirenTime), "5"},
        {"common siren: the ISA time", nullptr, kTypeCommonSiren, nullptr, "T_FællessireneTid_3", "~",
         "\u00BB\u00BB\u00BB", sysAt(kSysIsaSirenTime), "255"},
        {"holiday month", "Holiday", 0, nullptr, "T_MonthStart_4", "13", "03", sysAt(HolidayByte(4, 0)), "3"},
        {"holiday month starts at 1", "Holiday", 0, nullptr, "T_MonthStart_4", "0", "01", sysAt(HolidayByte(4, 0)),
         "1"},
        {"holiday Delete clears the period", "Holiday", 0, period1, "T_DateEnd_1", "~", "---", holiday(1),
         "00 00 00 00"},
        {"reverse time with its cycles", nullptr, kTypeRoller, nullptr, "T_RollReverse", "1500", "1500", reverseOf(kCh),
         "1500 11"},
        {"timer seconds keep the rest", nullptr, kTypeTimerDelay, longTimer, "TimerTid_2", "5", "05",
         secondsAt(kTimerTime1), "399965"},
        {"timer minutes of time 2", nullptr, kTypeTimerDelay, longTimer, "TimerTid_4", "12", "12",
         secondsAt(kTimerTime2), "730"},
        {"a letter in a time beeps", nullptr, kTypeTimerDelay, longTimer, "TimerTid_1", "A", "06",
         secondsAt(kTimerTime1), "400000", 1},
        {"logic block", "logic", 0, nullptr, "T_LogicOut_0", "P8\nA1\nA", "P8", logicBlock(0), "127 0 0 4"},
        {"logic edge mark", "logic", 0, logicP8A1, "T_logicIn1_0", "-", "--A1", logicBlock(0), "127 0 0 36"},
        {"logic operation off", "logic", 0, logicP8A1, "T_logicOPR_0", " ", "", logicBlock(0), "127 0 0 0"},
        {"logic signal in a page further on", "logic", 0, [](PageTables& t) { t.ws.edit.CurLogicBlock = 2; },
         "T_LogicOut_0", "C3", "C3", [](PageTables& t) { return QString::number(t.ws.cfg.LogicBlocks[16][0]); }, "18"},
        {"phone number", "SMS_Setup", 0, smsOn, "Txt_PhoneNo_0", "+45a-1 2", "+4512", sms(0), "+4512", 3},
        {"SMS name without quotes", "SMS_Setup", 0, smsOn, "Txt_SmsIdInfo", "Villa \"Nord\"", "Villa Nord", smsId(),
         "Villa Nord", 2},
        {"real time on hour", nullptr, kTypeRealTime, nullptr, "HourOn_0", "07", "07", rowAt(2), "7"},
        {"real time: Delete on the last time", nullptr, kTypeRealTime,
         [](PageTables& t) {
             t.byte(kCh, 1) = 0x81;
             t.byte(kCh, 2) = 0x07;
             t.byte(kCh, 3) = 0x30;
         },
         "HourOn_0", "~", "--",
         [](PageTables& t) { return QStringLiteral("%1 %2").arg(t.byte(kCh, 1)).arg(t.byte(kCh, 2)); }, "0 255"},
        {"real time: Delete in the minutes beeps", nullptr, kTypeRealTime,
         [](PageTables& t) {
             t.byte(kCh, 2) = 0x07;
             t.byte(kCh, 3) = 0x30;
         },
         "MinutOn_0", "~", "30", rowAt(3), "48", 1},
        {"limit", nullptr, kTypeAnalogTemperature, range100, "T_RangeMin", "10\n", "10.0", tenthsAt(kAnaRangeMin),
         "100"},
        {"limit rounded to its digit", nullptr, kTypeAnalogTemperature, range100, "T_RangeMax", "100.04\n", "100.0",
         tenthsAt(kAnaRangeMax), "1000"},
        {"limit half up", nullptr, kTypeAnalogGeneral, backwardsRange, "T_Setpoint_0", "12.35\n", "12.4",
         tenthsAt(kAnaLimit1Low), "124"},
        {"limit half to even", nullptr, kTypeAnalogGeneral, backwardsRange, "T_Setpoint_0", "12.25\n", "12.2",
         tenthsAt(kAnaLimit1Low), "122"},
        {"no negative zero", nullptr, kTypeAnalogGeneral, backwardsRange, "T_Setpoint_0", "-0.04\n", "0.0",
         tenthsAt(kAnaLimit1Low), "0"},
        {"low limit below: the low bound", nullptr, kTypeAnalogGeneral, backwardsRange, "T_Setpoint_0", "-30\n",
         "-20.0", tenthsAt(kAnaLimit1Low), "-200", 0, true},
        {"high limit below: the high bound", nullptr, kTypeAnalogGeneral, backwardsRange, "T_Setpoint_1", "-30\n",
         "50.0", tenthsAt(kAnaLimit1High), "500", 0, true},
        {"limit not a number", nullptr, kTypeAnalogGeneral, backwardsRange, "T_Setpoint_1", "abc\n", "abc",
         tenthsAt(kAnaLimit1High), "0", 0, true},
        {"minimum too big for its bytes", nullptr, kTypeAnalogTemperature, nullptr, "T_RangeMin", "900000\n", "900000",
         tenthsAt(kAnaRangeMin), "0", 0, true},
        {"minimum above the limit", nullptr, kTypeAnalogTemperature, nullptr, "T_RangeMin", "100000.1\n", "100000.1",
         tenthsAt(kAnaRangeMin), "0", 0, true},
        {"minimum not a number", nullptr, kTypeAnalogTemperature, nullptr, "T_RangeMin", "12a\n", "12a",
         tenthsAt(kAnaRangeMin), "0", 0, true},
        {"maximum below the minimum", nullptr, kTypeAnalogTemperature, range100, "T_RangeMax", "-60\n", "-60",
         tenthsAt(kAnaRangeMax), "1000", 0, true},
        {"maximum equal to the minimum", nullptr, kTypeAnalogTemperature, range100, "T_RangeMax", "0\n", "0",
         tenthsAt(kAnaRangeMax), "1000", 0, true},
        {"maximum with an exponent", nullptr, kTypeAnalogTemperature, range100, "T_RangeMax", "1e3\n", "1e3",
         tenthsAt(kAnaRangeMax), "1000", 0, true},
        {"backwards range mended", nullptr, kTypeAnalogGeneral, backwardsRange, "T_RangeMax", "80\n", "80.0",
         tenthsAt(kAnaRangeMax), "800"},
    };
    for (const TypedCase& c : cases) {
        SCOPED_TRACE(c.what);
        openPage(c.key, c.type, c.prep);
        const int beeps = dialogs.beeps;
        const QString before = c.read(*this);
        type(QString::fromUtf8(c.field), c.keys);
        EXPECT_EQ(text(QString::fromUtf8(c.field)), QString::fromUtf8(c.shown));
        EXPECT_EQ(c.read(*this), QLatin1String(c.stored));
        EXPECT_EQ(ws.dataChanged(), c.read(*this) != before);
        EXPECT_EQ(dialogs.beeps - beeps, c.beeps);
        QWidget* field = get(QString::fromUtf8(c.field));
        EXPECT_EQ(field->property("korvaneRefused").toBool(), c.refused);
        if (c.refused) {
            EXPECT_EQ(QApplication::focusWidget(), field) << "a refused number keeps the focus";
        }
    }
}

// ---- What a state enables ----

TEST_F(PageTables, fieldsOfAnEmptyEntryAreDisabled) {
    const Prep none;
    const Prep onTime = [](PageTables& t) { t.byte(kCh, 2) = 0x07; };
    const Prep password = [](PageTables& t) {
        t.sys(kSysEventSms) = 1;
        t.sys(kSysDialOutMethod) = 1;
        t.sys(kSysDialInPassword) = 1;
    };
    const struct {
        const char* key;
        int type;
        Prep prep;
        const char* field;
        bool enabled;
    } cases[] = {
        {nullptr, kTypeRealTime, none, "MinutOn_0", false},
        {nullptr, kTypeRealTime, none, "DaysSet1_0", false},
        {nullptr, kTypeRealTime, onTime, "MinutOn_0", true},
        {nullptr, kTypeRealTime, onTime, "DaysSet1_0", true},
        {"Holiday", 0, none, "T_DateEnd_1", false},
        {"Holiday", 0, period1, "T_DateEnd_1", true},
        {"SMS_Setup", 0, smsOn, "Txt_DialInPassword", false},
        {"SMS_Setup", 0, smsOn, "txt_SmsRespTime", false},
        {"SMS_Setup", 0, password, "Txt_DialInPassword", true},
        {"SMS_Setup", 0, password, "txt_SmsRespTime", true},
        {"SMS_Setup", 0, password, "Txt_PhoneNo_4", false}, // the numbers for dial-in
        {"SMS_Setup", 0,
         [password](PageTables& t) {
             password(t);
             t.sys(kSysDialInSafety) = 1;
         },
         "Txt_PhoneNo_7", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.key ? c.key : "type ") << c.type << ": " << c.field);
        openPage(c.key, c.type, c.prep);
        EXPECT_EQ(get(QString::fromUtf8(c.field))->isEnabled(), c.enabled);
    }
}

// ---- Enter (or another key) and where the focus goes ----
// Rows whose successor is the one their declaration names, whatever the state, are the rows test's.

struct EnterCase {
    const char* key; // nullptr: the channel page of the type
    int type;
    Prep prep;
    const char* from;
    const char* to; // "main": handed to the main window
    Qt::Key press = Qt::Key_Return;
    Qt::KeyboardModifiers mods = Qt::NoModifier;
};

void direction(PageTables& t, Byte d) {
    t.byte(kCh, kRollPriorityDirection) = d;
}
void mode(PageTables& t, Byte m) {
    t.byte(kCh, kRmMode) = m;
}
Prep analogue(Byte options) {
    return [options](PageTables& t) {
        range100(t);
        t.byte(kCh, kAnaOptions) = options;
    };
}

TEST_F(PageTables, enterGoesToTheSuccessorOfTheState) {
    const Prep none;
    const Prep ext = analogue(kAnaExternLimitBit), second = analogue(kAnaSecondLimitBit), plain = analogue(0);
    const Prep flash = [](PageTables& t) { t.byte(kCh, kSirenMasterFlash) = 1; };
    const Prep resetOnA1 = [](PageTables& t) { t.byte(0, kRowType) = kTypeIsaReset; };
    const Prep inAlarm = [](PageTables& t) {
        t.byte(kCh, kMotionInAlarm) = 1;
        t.byte(kCh, kMotionPulses) = 1;
    };
    const Prep onTime = [](PageTables& t) { t.byte(kCh, 2) = 0x07; };
    const Prep dialIn = [](PageTables& t) {
        t.sys(kSysEventSms) = 1;
        t.sys(kSysDialOutMethod) = 1;
        t.sys(kSysDialInPassword) = 1;
    };
    const Prep safeDialIn = [dialIn](PageTables& t) {
        dialIn(t);
        t.sys(kSysDialInSafety) = 1;
    };
    const Prep wrongNumber = [](PageTables& t) {
        t.sys(kSysEventSms) = 1;
        t.ws.cfg.SmsText[0] = "45-12";
    };
    const EnterCase cases[] = {
        // Roller blind and roller master: to the option chosen.
        {nullptr, kTypeRoller, [](PageTables& t) { direction(t, 0); }, "Chk_MitLamel", "Option1"},
        {nullptr, kTypeRoller, [](PageTables& t) { direction(t, 255); }, "Chk_MitLamel", "Option2"},
        {nullptr, kTypeRoller, [](PageTables& t) { direction(t, 7); }, "Chk_MitLamel", "Option2"},
        {nullptr, kTypeRoller, none, "Option1", "T_Vorrang"},
        {nullptr, kTypeRollerMaster, [](PageTables& t) { mode(t, 0); }, "TdumRM", "O_rmSIM"},
        {nullptr, kTypeRollerMaster, [](PageTables& t) { mode(t, 255); }, "TdumRM", "O_rmSEQ"},
        {nullptr, kTypeRollerMaster, [](PageTables& t) { mode(t, 1); }, "TdumRM", "O_rmSEQ"},
        {nullptr, kTypeRollerMaster, [](PageTables& t) { mode(t, 255); }, "O_rmSEQ", "Txt_Rm_RollTime"},
        // Analogue sensor: by kind and options.
        {nullptr, kTypeAnalogGeneral, plain, "CHk_ExternLim", "T_RangeMin"},
        {nullptr, kTypeAnalogTemperature, ext, "CHk_ExternLim", "T_RangeMin"},
        {nullptr, kTypeAnalogLux, plain, "CHk_ExternLim", "T_Setpoint_0"},
        {nullptr, kTypeAnalogLux, ext, "CHk_ExternLim", "Txt_VarLim"},
        {nullptr, kTypeAnalogGeneral, plain, "T_RangeMin", "T_RangeMax"},
        {nullptr, kTypeAnalogGeneral, plain, "T_RangeMax", "T_Setpoint_0"},
        {nullptr, kTypeAnalogGeneral, ext, "T_RangeMax", "T_Setpoint_0"},
        {nullptr, kTypeAnalogGeneral, backwardsRange, "T_RangeMax", "T_Setpoint_0"}, // nothing typed: not trapped
        {nullptr, kTypeAnalogGeneral, plain, "T_Setpoint_0", "T_Setpoint_1"},
        {nullptr, kTypeAnalogGeneral, plain, "T_Setpoint_1", "Chk_NightEnable"},
        {nullptr, kTypeAnalogGeneral, plain, "Chk_NightEnable", "TextBeskriv"},
        {nullptr, kTypeAnalogGeneral, second, "Chk_NightEnable", "T_Setpoint_2"},
        {nullptr, kTypeAnalogGeneral, second, "T_Setpoint_2", "T_Setpoint_3"},
        {nullptr, kTypeAnalogGeneral, second, "T_Setpoint_3", "SensLim2Disabel"},
        {nullptr, kTypeAnalogWind, plain, "Opt_Senstype_50", "SensDisabel"},
        // Timer and motion detector.
        {nullptr, kTypeTimerDelay, none, "O_TimerMode_0", "Chk_TimPuls"},
        {nullptr, kTypeTimerPulse, none, "O_TimerMode_1", "Timer_NoPulses"},
        {nullptr, kTypeMotion, none, "Chk_MotionInAlarm", "TimerTid_6"},
        {nullptr, kTypeMotion, inAlarm, "Chk_MotionInAlarm", "Txt_MotionPulses"},
        // Alarms: from a function's option to the field of the function.
        {nullptr, 8, none, "O_tyv_8", "T_TyvDiasble"},
        {nullptr, 9, none, "O_tyv_9", "T_TyvDiasble"},
        {nullptr, 10, none, "O_tyv_10", "T_TyvArmTid"},
        {nullptr, 11, none, "O_tyv_11", "T_TyvArmTid"},
        {nullptr, 27, none, "O_tyv_27", "T_TyvArmTid"},
        {nullptr, 12, none, "O_tyv_12", "T_TyvsireneTid"},
        {nullptr, 13, none, "O_tyv_13", "T_TyvViderTid"},
        {nullptr, 19, none, "O_røg_19", "T_RøgDisable"},
        {nullptr, 20, none, "O_røg_20", "T_RøgDisable"},
        {nullptr, 21, none, "O_røg_21", "T_RøgReset"},
        {nullptr, 22, none, "O_røg_22", "T_RøgsireneTid"},
        {nullptr, 23, none, "O_røg_23", "T_RøgViderTid"},
        {nullptr, 14, none, "O_vand_14", "T_VandDisable"},
        {nullptr, 15, none, "O_vand_15", "T_VandDisable"},
        {nullptr, 16, none, "O_vand_16", "T_VandResetTid"},
        {nullptr, 17, none, "O_vand_17", "T_VandsireneTid"},
        {nullptr, 18, none, "O_vand_18", "T_VandViderTid"},
        {nullptr, 32, none, "O_ISA_32", "T_ISADisable"},
        {nullptr, 33, none, "O_ISA_33", "T_ISADisable"},
        {nullptr, 34, none, "O_ISA_34", "Combo_ISAOpmode"},
        {nullptr, 36, none, "O_ISA_36", "Combo_ISAOpmode"},
        {nullptr, 37, none, "O_ISA_37", "T_ISAsirenetid"},
        {nullptr, 35, none, "O_ISA_35", "TextBeskriv"}, // a reset input locks the mode
        {nullptr, kTypeIsaSiren, resetOnA1, "T_ISAsirenetid", "TextBeskriv"},
        {nullptr, kTypeIsaActive, none, "T_ISAondelay", "Combo_ISAOpmode"},
        {nullptr, kTypeIntruderSiren, none, "Chk_TyvM_Blink", "TextBeskriv"},
        {nullptr, kTypeIntruderSiren, flash, "Chk_TyvM_Blink", "Txt_BM_interval"},
        {nullptr, kTypeIntruderSiren, flash, "Cmd_Tyv_BlinkSet", "TextBeskriv"},
        // The channel description: to the event options where they show, else to the main window.
        {nullptr, kTypeMono, none, "TextBeskriv", "Check1"},
        {nullptr, kTypeRoller, none, "TextBeskriv", "main"},
        {nullptr, kTypeMono, [](PageTables& t) { t.sys(kSysEventOff) = 1; }, "TextBeskriv", "main"},
        // Basic setup.
        {"mainsetup", 0, none, "Combo_NoChannels", "Combo_MuxCount"},
        {"mainsetup", 0, none, "Combo_Counter", "Combo_EventSelect"},
        {"mainsetup", 0, none, "ComboDupUr", "T_DeviceNo"},
        {"mainsetup", 0, none, "T_generelBeskriv", "T_generelBeskriv"}, // a new line
        {"mainsetup", 0, none, "T_generelBeskriv", "main", Qt::Key_Return, Qt::ShiftModifier},
        // Logic: the block's fields in turn; the arrows stay on the page.
        {"logic", 0, none, "T_LogicOut_2", "T_logicIn1_2"},
        {"logic", 0, none, "T_logicIn1_2", "T_logicOPR_2"},
        {"logic", 0, none, "T_logicOPR_2", "T_logicIn2_2"},
        {"logic", 0, none, "T_logicIn2_2", "T_LogicOut_3"},
        {"logic", 0, none, "T_logicIn2_7", "T_LogicDescription"},
        {"logic", 0, none, "T_logicIn1_4", "main", Qt::Key_Return, Qt::ShiftModifier},
        {"logic", 0, none, "T_logicOPR_3", "T_logicOPR_2", Qt::Key_Up},
        {"logic", 0, none, "T_logicOPR_3", "T_logicOPR_4", Qt::Key_Down},
        {"logic", 0, none, "T_LogicOut_0", "T_LogicOut_0", Qt::Key_Up},
        {"logic", 0, none, "T_logicIn2_7", "T_logicIn2_7", Qt::Key_Down},
        {"logic", 0, none, "T_logicIn1_7", "T_logicIn1_6", Qt::Key_Up},
        // Holidays: a free period is passed over.
        {"Holiday", 0, period1, "T_MonthStart_0", "T_MonthStart_1"},
        {"Holiday", 0, period1, "T_MonthStart_1", "T_DateStart_1"},
        {"Holiday", 0, period1, "T_DateStart_1", "T_MonthEnd_1"},
        {"Holiday", 0, period1, "T_MonthEnd_1", "T_DateEnd_1"},
        {"Holiday", 0, period1, "T_DateEnd_1", "T_MonthStart_2"},
        {"Holiday", 0, period1, "T_MonthStart_15", "T_MonthStart_0"},
        // SMS: the numbers in use, the options that apply.
        {"SMS_Setup", 0, dialIn, "Txt_PhoneNo_3", "Txt_SmsIdInfo"},
        {"SMS_Setup", 0, dialIn, "Txt_SmsIdInfo", "Combo_DialOutMethod"},
        {"SMS_Setup", 0, dialIn, "Combo_DialOutMethod", "txt_SmsRespTime"},
        {"SMS_Setup", 0, dialIn, "txt_SmsRespTime", "Chk_saftyDialin"},
        {"SMS_Setup", 0, dialIn, "Chk_saftyDialin", "Chk_saftyPASSW"},
        {"SMS_Setup", 0, dialIn, "Chk_saftyPASSW", "Txt_DialInPassword"},
        {"SMS_Setup", 0, safeDialIn, "Chk_saftyDialin", "Txt_PhoneNo_4"},
        {"SMS_Setup", 0, safeDialIn, "Txt_PhoneNo_7", "Chk_saftyPASSW"},
        {"SMS_Setup", 0,
         [](PageTables& t) {
             t.sys(kSysEventSms) = 1;
             t.sys(kSysDialInSafety) = 1;
         },
         "Chk_saftyPASSW", "Txt_PhoneNo_0"},
        {"SMS_Setup", 0, wrongNumber, "Txt_PhoneNo_0", "Txt_PhoneNo_0"}, // a wrong number keeps it
        // Real time: an empty set is passed over; an on time leads to the days.
        {nullptr, kTypeRealTime, none, "HourOn_0", "HourOFF_0"},
        {nullptr, kTypeRealTime, none, "HourOFF_0", "HourOn_1"},
        {nullptr, kTypeRealTime, none, "HourOFF_3", "TextBeskriv"},
        {nullptr, kTypeRealTime, onTime, "HourOn_0", "MinutOn_0"},
        {nullptr, kTypeRealTime, onTime, "HourOFF_0", "DaysSet1_0"},
        {nullptr, kTypeRealTime, onTime, "DaysSet1_0", "DaysSet1_1"},
        {nullptr, kTypeRealTime, onTime, "DaysSet1_7", "HourOn_1"},
    };
    for (const EnterCase& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.key ? c.key : "type ") << c.type << ": " << c.from << " key " << c.press);
        openPage(c.key, c.type, c.prep);
        const int handed = host.mainFocused;
        QWidget* from = get(QString::fromUtf8(c.from));
        focus(from);
        QTest::keyClick(from, c.press, c.mods);
        EXPECT_EQ(host.mainFocused != handed ? QStringLiteral("main") : focused(), QString::fromUtf8(c.to));
    }
}

// ---- What leaving a field settles ----

enum class Leave { Focus, Commit }; // Commit: as Ctrl+S and Write do, the focus staying in the field

struct LeaveCase {
    const char* what;
    const char* key; // nullptr: the channel page of the type
    int type;
    Prep prep;
    const char* field;
    const char* keys;
    Leave leave;
    const char* to; // where the focus goes
    Read read;
    const char* settled;
    const char* shown;        // nullptr: not looked at
    Prep meanwhile = nullptr; // between typing and leaving
};

TEST_F(PageTables, leavingAFieldSettlesItsEntry) {
    const Prep none;
    const Prep roller8 = [](PageTables& t) {
        SetChannelType(t.ws.cfg, 8, kTypeRoller);
        SetRollerReverseTime(t.row(8), 300);
    };
    const Prep inAlarm = [](PageTables& t) { t.byte(kCh, kMotionInAlarm) = 1; };
    const LeaveCase cases[] = {
        {"reverse time below 500", nullptr, kTypeRoller, none, "T_RollReverse", "3", Leave::Focus, "T_RollUpTime",
         reverseOf(kCh), "1000 7", "1000"},
        {"reverse time on save", nullptr, kTypeRoller, none, "T_RollReverse", "3", Leave::Commit, nullptr,
         reverseOf(kCh), "1000 7", "1000"},
        {"reverse time: only the row shown", nullptr, kTypeRoller, roller8, "T_RollReverse", "3", Leave::Focus,
         "T_RollUpTime", [](PageTables& t) { return reverseOf(kCh)(t) + " / " + reverseOf(8)(t); }, "1000 7 / 300 0",
         nullptr, [](PageTables& t) { t.ws.edit.CurChannel = 8; }},
        {"reverse time: not once the channel is no roller", nullptr, kTypeRoller, none, "T_RollReverse", "3",
         Leave::Focus, "T_RollUpTime", reverseOf(kCh), "0 0", nullptr,
         [](PageTables& t) { t.ws.changeChannelType(kCh, kTypeMono); }},
        {"alarm pulses at least 1", nullptr, kTypeMotion, inAlarm, "Txt_MotionPulses", "300", Leave::Focus,
         "TimerTid_6", rowAt(kMotionPulses), "1", "001"},
        {"pulses: not once the channel is no motion detector", nullptr, kTypeMotion, inAlarm, "Txt_MotionPulses", "0",
         Leave::Focus, "TimerTid_6", rowAt(kMotionPulses), "0", nullptr,
         [](PageTables& t) { t.ws.changeChannelType(kCh, kTypeTimerDelay); }},
        {"smoke reset at least 2", nullptr, kTypeSmokeReset, none, "T_RøgReset", "0", Leave::Focus, "TextBeskriv",
         sysAt(kSysSmokeResetTime), "2", "02"},
        {"smoke reset on save", nullptr, kTypeSmokeReset, none, "T_RøgReset", "1", Leave::Commit, nullptr,
         sysAt(kSysSmokeResetTime), "2", "02"},
        {"water reset at least 2", nullptr, kTypeWaterReset, none, "T_VandResetTid", "1", Leave::Focus, "TextBeskriv",
         sysAt(kSysWaterResetTime), "2", "02"},
        {"SMS response time at least 1", "SMS_Setup", 0,
         [](PageTables& t) {
             t.sys(kSysEventSms) = 1;
             t.sys(kSysDialOutMethod) = 1;
         },
         "txt_SmsRespTime", "0", Leave::Focus, "Chk_saftyDialin", sysAt(kSysSmsResponseTime), "1", "01"},
        {"holiday period completed", "Holiday", 0, none, "T_MonthStart_4", "7", Leave::Focus, "T_MonthStart_5",
         holiday(4), "07 01 07 01", "07"},
        {"holiday period completed on save", "Holiday", 0, none, "T_MonthStart_0", "7", Leave::Commit, nullptr,
         holiday(0), "07 01 07 01", "07"},
        {"refused limit shows the stored value", nullptr, kTypeAnalogTemperature, none, "T_RangeMin", "12a\n",
         Leave::Focus, "SensDisabel", tenthsAt(kAnaRangeMin), "0", "0.0"},
        {"channel description", nullptr, kTypeMono, none, "TextBeskriv", "Door \"main\"", Leave::Focus,
         "Chk_InvertMono", channelText(), "Door 'main'", "Door 'main'"},
        {"channel description on save", nullptr, kTypeMono, none, "TextBeskriv", "Door \"main\"", Leave::Commit,
         nullptr, channelText(), "Door 'main'", "Door 'main'"},
        {"system description", "mainsetup", 0, none, "T_generelBeskriv", "Door \"main\"", Leave::Focus, "T_DeviceNo",
         generalText(), "Door 'main'", "Door 'main'"},
        {"logic notes", "logic", 0, none, "T_LogicDescription", "Hall \"A\"", Leave::Focus, "T_LogicOut_5",
         logicNotes(), "Hall 'A'", "Hall 'A'"},
    };
    for (const LeaveCase& c : cases) {
        SCOPED_TRACE(c.what);
        openPage(c.key, c.type, c.prep);
        const QString field = QString::fromUtf8(c.field);
        type(field, c.keys);
        if (c.meanwhile)
            c.meanwhile(*this);
        ws.setDataChanged(false);
        const QString typed = c.read(*this);
        if (c.leave == Leave::Focus)
            focus(get(QString::fromUtf8(c.to)));
        else
            commit();
        EXPECT_EQ(c.read(*this), QLatin1String(c.settled));
        EXPECT_EQ(ws.dataChanged(), typed != c.read(*this)) << "a repair is a change of the configuration";
        if (c.shown) {
            EXPECT_EQ(text(field), QString::fromUtf8(c.shown));
        }
    }
}

} // namespace
