#include <gtest/gtest.h>

#include <functional>

#include "model/analog.h"
#include "model/calendar.h"
#include "model/channel_types.h"
#include "model/differences.h"
#include "model/logic.h"
#include "model/roller.h"
#include "model/timer.h"
#include "tests/support/io_test_support.h"

using namespace korvane;
using namespace korvane::testing;

namespace {

// A3/A4 a roller blind, A6 a real-time channel, B1 an analogue sensor, B2 a mono, B3 a timer.
Configuration base() {
    Configuration cfg = blankConfiguration();
    SetChannelType(cfg, 2, kTypeRoller);
    SetRollerReverseTime(cfg.ChanSetup[2], 1000);
    SetChannelType(cfg, 5, kTypeRealTime);
    SetChannelType(cfg, 8, kTypeAnalogGeneral);
    SetChannelType(cfg, 9, kTypeMono);
    cfg.ChanText[9] = "Flur";
    SetChannelType(cfg, 10, kTypeTimerDelay);
    cfg.ChanSetup[10][kTimerTime1] = 10;
    cfg.SysData[kSysIntruderSirenTime] = 3;
    cfg.SysData[HolidayByte(2, kHolidayFirstMonth)] = 0x12;
    cfg.SysData[HolidayByte(2, kHolidayFirstDay)] = 0x24;
    cfg.SysData[HolidayByte(2, kHolidayLastMonth)] = 0x12;
    cfg.SysData[HolidayByte(2, kHolidayLastDay)] = 0x26;
    cfg.LogicBlocks[4] = {27, 9, 130, 4}; // D4 = B2 And X3
    return cfg;
}

std::vector<std::string> lines(const Configuration& a, const Configuration& b, const TextLookup& text,
                               CompareScope scope = CompareScope::File) {
    std::vector<std::string> out;
    for (const Difference& d : CompareFacts(a, b, scope))
        out.push_back(CompareLine(WordDifference(d, text)));
    return out;
}

} // namespace

TEST(CompareFacts, namesEachKindOfValueInThePagesWordsInEnglishAndGerman) {
    struct Case {
        const char* what;
        std::function<void(Configuration&)> change;
        std::string english;
        std::string german;
    };
    const std::vector<Case> cases{
        {"a number with its unit", [](Configuration& c) { SetRollerReverseTime(c.ChanSetup[2], 1500); },
         "A3 Roller blind: Reverse time 1000 ms → 1500 ms", "A3 Rollladen: Wendezeit 1000 ms → 1500 ms"},
        {"a choice", [](Configuration& c) { c.ChanSetup[2][kRollPriorityDirection] = 255; },
         "A3 Roller blind: Priority Up → Down", "A3 Rollladen: Vorrang Auf → Ab"},
        {"a channel reference", [](Configuration& c) { c.ChanSetup[8][kAnaDisable] = 12; },
         "B1 Analogue: general sensor: Disable channel ----- → B5",
         "B1 Analog: allgemeiner Sensor: Sperrkanal ----- → B5"},
        {"a box", [](Configuration& c) { c.ChanSetup[9][kBasicOptions] = 1; }, "B2 Mono: Inverted no → yes",
         "B2 Mono (Tastfunktion): Invertiert nein → ja"},
        {"a time of day",
         [](Configuration& c) {
             c.ChanSetup[5][DaySetByte(0, kOnHourPart)] = 0x07;
             c.ChanSetup[5][DaySetByte(0, kOnMinutePart)] = 0x30;
         },
         "A6 Real-time clock: Day set 1, On none → 07:30", "A6 Zeitschaltuhr: Schaltzeit 1, Ein keine → 07:30"},
        {"the days of a day set", [](Configuration& c) { c.ChanSetup[5][DaySetByte(3, kDayMaskPart)] = 0xC1; },
         "A6 Real-time clock: Day set 4, Weekdays none → Mo Tu Ho",
         "A6 Zeitschaltuhr: Schaltzeit 4, Wochentage keine → Mo Di Fe"},
        {"a duration", [](Configuration& c) { c.ChanSetup[10][kTimerTime1] = 88; },
         "B3 Timer: on/off delay: On delay 00:00:10 (h:m:s) → 00:01:28 (h:m:s)",
         "B3 Zeitglied: Ein-/Ausschaltverzögerung: Einschaltverzögerung 00:00:10 (h:m:s) → 00:01:28 (h:m:s)"},
        {"tenths", [](Configuration& c) { StoreTenths(c.ChanSetup[8], 125, kAnaLimit1Low); },
         "B1 Analogue: general sensor: Limit 1, Off below 0.0 → 12.5",
         "B1 Analog: allgemeiner Sensor: Grenzwert 1, Aus unter 0.0 → 12.5"},
        {"a text", [](Configuration& c) { c.ChanText[9] = "Flur oben"; }, "B2 Mono: Description 'Flur' → 'Flur oben'",
         "B2 Mono (Tastfunktion): Beschreibung 'Flur' → 'Flur oben'"},
        {"another function", [](Configuration& c) { c.ChanSetup[9][kRowType] = kTypeFlipFlop; },
         "B2: Function of this channel Mono → Flip-flop",
         "B2: Funktion dieses Kanals Mono (Tastfunktion) → Flip-Flop (Stromstoß)"},
        {"a logic equation", [](Configuration& c) { c.LogicBlocks[4][kLogicOperation] = 8; },
         "Logic block 5: D4 = B2 And X3 → D4 = B2 Or X3", "Logikbaustein 5: D4 = B2 And X3 → D4 = B2 Or X3"},
        {"a holiday period", [](Configuration& c) { ClearHoliday(c, 2); }, "Holiday period 3: 24.12.–26.12. → none",
         "Ferienzeit 3: 24.12.–26.12. → keine"},
        {"an SMS entry", [](Configuration& c) { c.SmsText[1] = "+4512345678"; },
         "SMS setup: SMS telephone numbers 2 '' → '+4512345678'",
         "SMS-Einstellungen: SMS-Rufnummern 2 '' → '+4512345678'"},
        {"a system choice", [](Configuration& c) { c.SysData[kSysChannelsInUse] = 63; },
         "Basic setup: Number of channels 128 → 64", "Grundeinstellungen: Anzahl Kanäle 128 → 64"},
        {"an alarm time", [](Configuration& c) { c.SysData[kSysIntruderSirenTime] = 5; },
         "Intruder alarm: Siren time 03 min. → 05 min.", "Einbruchalarm: Sirenendauer 03 Min. → 05 Min."},
        {"a cell of the data exchange mask", [](Configuration& c) { c.SysData[kSysExchangeMask + 2] = 0x20; },
         "Data exchange mask: C3 Not selected → Selected", "Datenaustausch-Maske: C3 Nicht ausgewählt → Ausgewählt"},
    };
    const Configuration a = base();
    const TextLookup english = shippedTexts("English.dat");
    const TextLookup german = shippedTexts("Deutsch.dat");
    EXPECT_TRUE(CompareFacts(a, a, CompareScope::File).empty());
    for (const Case& c : cases) {
        Configuration b = a;
        c.change(b);
        EXPECT_EQ(lines(a, b, english), std::vector<std::string>{c.english}) << c.what;
        EXPECT_EQ(lines(a, b, german), std::vector<std::string>{c.german}) << c.what;
    }
}

TEST(CompareFacts, whatNoPageShowsOrTheProgramDerivesIsNoDifference) {
    struct Case {
        const char* what;
        std::function<void(Configuration&)> change;
    };
    const std::vector<Case> cases{
        {"the derived bytes",
         [](Configuration& c) {
             c.ChanSetup[2][kRollReverseCycles] = 40;
             c.ChanSetup[5][kRtDerived] = 9;
             c.ChanSetup[8][4] = 128;
             c.ChanSetup[8][kAnaByte5] = 0;
         }},
        {"the clock and the firmware version",
         [](Configuration& c) {
             for (int i = kSysFirmwareHigh; i <= kSysClockSecond; ++i)
                 if (i != kSysUsePcClock)
                     c.SysData[i] = 0x42;
         }},
        {"a byte the function does not use", [](Configuration& c) { c.ChanSetup[9][5] = 7; }},
        {"a master row of a channel that is no master", [](Configuration& c) { c.MasterMatrix[9][0] = 255; }},
        {"the SMS words a write fills in",
         [](Configuration& c) {
             c.SmsText[kSmsLabelFirst] = "Alarm";
             c.SmsText[kSmsIdFirst] = "x";
         }},
        {"a channel above the number of channels",
         [](Configuration& c) {
             c.SysData[kSysChannelsInUse] = 63;
             c.ChanText[100] = "stale";
             c.ChanSetup[100][kRowType] = kTypeMono;
         }},
        {"the event options while the event output is off", [](Configuration& c) { c.ChanFlags[9] = kFlagCheck1; }},
        {"a logic block that is off on both sides",
         [](Configuration& c) {
             c.LogicBlocks[7] = {1, 2, 3, 0x20};
         }},
        {"a holiday period that is free on both sides", [](Configuration& c) { c.SysData[HolidayByte(5, 1)] = 9; }},
    };
    Configuration a = base();
    a.SysData[kSysEventOff] = 1;
    a.SysData[kSysChannelsInUse] = 63;
    for (const Case& c : cases) {
        Configuration b = a;
        c.change(b);
        EXPECT_TRUE(CompareFacts(a, b, CompareScope::File).empty()) << c.what;
    }
    // Holiday periods 9..16 are never read back from a unit.
    Configuration b = a;
    b.SysData[HolidayByte(9, kHolidayFirstMonth)] = 1;
    EXPECT_EQ(CompareFacts(a, b, CompareScope::File).size(), 1u);
    EXPECT_TRUE(CompareFacts(a, b, CompareScope::Unit).empty());
}
