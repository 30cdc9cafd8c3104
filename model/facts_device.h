#pragma once
// The values of the device channel pages: roller blinds and roller masters, analogue sensors, timers
// and motion detectors. All live in the current channel's ChanSetup row.

#include "model/analog.h"
#include "model/channel_types.h"
#include "model/roller.h"
#include "model/value_facts.h"

namespace korvane::facts {

// roller blind (type 40): any direction byte other than 0 reads as down
inline constexpr Choice kRollerDirectionChoices[] = {
    {.value = 0, .text = kTxtUp, .name = "Option1"},
    {.value = 255, .text = kTxtDown, .name = "Option2"},
};
inline constexpr ValueFact kRollerRunTime =
    ValueFact{"run time", ValueArea::Channel, kRollRunTime, ValueEntry::Range, 0, 255, ValueFormat::Digits3}.words(
        kTxtRunTime, kTxtUnitSec);
inline constexpr ValueFact kRollerReverse =
    ValueFact{"reverse time",  ValueArea::ChannelWord, kRollReverseHigh,    ValueEntry::Decimal4,
              kRollReverseMin, kRollReverseMax,        ValueFormat::Digits4}
        .words(kTxtReverseTime, kTxtUnitMs);
inline constexpr ValueFact kRollerSlats =
    ValueFact{"blind with slats", ValueArea::Channel, kRollSlats, ValueEntry::None, 0, 1, ValueFormat::Flag}.words(
        kTxtWithSlats);
inline constexpr ValueFact kRollerDirection =
    ValueFact{"priority direction", ValueArea::Channel, kRollPriorityDirection, ValueEntry::None, 0, 255,
              ValueFormat::Plain}
        .words(kTxtPriority)
        .choosing(kRollerDirectionChoices);
inline constexpr ValueFact kRollerPriority =
    ValueFact{"priority channel",     ValueArea::Channel, kRollPriority, ValueEntry::ChannelXyzw, 0, 255,
              ValueFormat::ChannelRef}
        .words(kTxtPriority);
// roller master (type 42)
inline constexpr Choice kRollerMasterModeChoices[] = {
    {.value = 0, .text = kTxtSimultaneous, .name = "O_rmSIM"},
    {.value = 255, .text = kTxtSequential, .name = "O_rmSEQ"},
};
inline constexpr ValueFact kRollerMasterMode =
    ValueFact{"operating mode", ValueArea::Channel, kRmMode, ValueEntry::None, 0, 255, ValueFormat::Plain}
        .words(kTxtOperatingMode)
        .choosing(kRollerMasterModeChoices);
inline constexpr ValueFact kRollerMasterRunTime =
    ValueFact{"run time", ValueArea::Channel, kRmRunTime, ValueEntry::Range, 0, 255, ValueFormat::Digits3}.words(
        kTxtRunTime, kTxtUnitSec);
inline constexpr ValueFact kRollerMasterReverse =
    ValueFact{"reverse time", ValueArea::Channel, kRmReverseTime, ValueEntry::Range, 0, 10, ValueFormat::Digits3}.words(
        kTxtMasterReverseTime, kTxtUnitSec);
// analogue sensors (types 48..51)
inline constexpr Choice kSensorKindChoices[] = {
    {kTypeAnalogGeneral, kTxtGeneralSensor},
    {kTypeAnalogLux, kTxtLuxMeter},
    {kTypeAnalogWind, kTxtWindMeter},
    {kTypeAnalogTemperature, kTxtTemperatureMeter},
};
// The unit of an analogue sensor's range and limits, by its kind; 0 for a general sensor.
constexpr int SensorUnit(int type) {
    return type == kTypeAnalogTemperature ? kTxtUnitCelsius
           : type == kTypeAnalogLux       ? kTxtUnitLux
           : type == kTypeAnalogWind      ? kTxtUnitWindSpeed
                                          : 0;
}
inline constexpr const char* kTenthsHint = "+ -0..100.000";
inline constexpr ValueFact kSensorKind =
    ValueFact{"sensor kind", ValueArea::Channel, kRowType, ValueEntry::None, 48, 51, ValueFormat::Plain}
        .words(kTxtFunction)
        .choosing(kSensorKindChoices);
inline constexpr ValueFact kSensorDisable =
    ValueFact{"disable channel",      ValueArea::Channel, kAnaDisable, ValueEntry::ChannelXyzw, 0, 255,
              ValueFormat::ChannelRef}
        .words(kTxtDisableChannel);
inline constexpr ValueFact kSensorOutput =
    ValueFact{
        "switches its output", ValueArea::Channel, kAnaOptions, ValueEntry::None, 0, 1, ValueFormat::Flag, nullptr,
        kAnaOutputBit}
        .words(kTxtControlOutput);
inline constexpr ValueFact kSensorInverted =
    ValueFact{"limits inverted", ValueArea::Channel, kAnaOptions, ValueEntry::None, 0, 1, ValueFormat::Flag,
              nullptr,           kAnaInvertedBit}
        .words(kTxtExchangeLimits);
inline constexpr ValueFact kSensorSecondLimit =
    ValueFact{"second limit", ValueArea::Channel, kAnaOptions, ValueEntry::None, 0, 1, ValueFormat::Flag,
              nullptr,        kAnaSecondLimitBit}
        .words(kTxtSecondLimit);
inline constexpr ValueFact kSensorExternLimit =
    ValueFact{"external limit", ValueArea::Channel, kAnaOptions, ValueEntry::None, 0, 1, ValueFormat::Flag,
              nullptr,          kAnaExternLimitBit}
        .words(kTxtExternalLimit);
inline constexpr ValueFact kSensorRangeMin =
    ValueFact{"range minimum",     ValueArea::ChannelTenths, kAnaRangeMin,        ValueEntry::Number,
              -kAnalogLimitTenths, kAnalogLimitTenths,       ValueFormat::Tenths, kTenthsHint}
        .words(kTxtRangeMin);
inline constexpr ValueFact kSensorRangeMax =
    ValueFact{"range maximum",     ValueArea::ChannelTenths, kAnaRangeMax,        ValueEntry::Number,
              -kAnalogLimitTenths, kAnalogLimitTenths,       ValueFormat::Tenths, kTenthsHint}
        .words(kTxtRangeMax);
inline constexpr ValueFact kSensorLimitChannel =
    ValueFact{"external limit channel", ValueArea::Channel, kAnaExternLimit, ValueEntry::Channel, 0, 255,
              ValueFormat::ChannelRef,  "A1..P8 "}
        .words(kTxtExternalLimitChannel);
inline constexpr ValueFact kSensorLimit1Low =
    ValueFact{"limit 1 low",       ValueArea::ChannelTenths, kAnaLimit1Low,       ValueEntry::Number,
              -kAnalogLimitTenths, kAnalogLimitTenths,       ValueFormat::Tenths, kTenthsHint}
        .words(kTxtOffBelow)
        .within(kTxtLimit, 1)
        .captionWhile(CaptionRule::InvertedLimits, kTxtOnBelow);
inline constexpr ValueFact kSensorLimit1High =
    ValueFact{"limit 1 high",      ValueArea::ChannelTenths, kAnaLimit1High,      ValueEntry::Number,
              -kAnalogLimitTenths, kAnalogLimitTenths,       ValueFormat::Tenths, kTenthsHint}
        .words(kTxtOnAbove)
        .within(kTxtLimit, 1)
        .captionWhile(CaptionRule::InvertedLimits, kTxtOffAbove);
inline constexpr ValueFact kSensorLimit2Low =
    ValueFact{"limit 2 low",       ValueArea::ChannelTenths, kAnaLimit2Low,       ValueEntry::Number,
              -kAnalogLimitTenths, kAnalogLimitTenths,       ValueFormat::Tenths, kTenthsHint}
        .words(kTxtOffBelow)
        .within(kTxtLimit, 2)
        .captionWhile(CaptionRule::InvertedLimits, kTxtOnBelow);
inline constexpr ValueFact kSensorLimit2High =
    ValueFact{"limit 2 high",      ValueArea::ChannelTenths, kAnaLimit2High,      ValueEntry::Number,
              -kAnalogLimitTenths, kAnalogLimitTenths,       ValueFormat::Tenths, kTenthsHint}
        .words(kTxtOnAbove)
        .within(kTxtLimit, 2)
        .captionWhile(CaptionRule::InvertedLimits, kTxtOffAbove);
inline constexpr ValueFact kSensorLimit2Channel =
    ValueFact{"second limit channel", ValueArea::Channel, kAnaLimit2Disable, ValueEntry::ChannelXyzw, 0, 255,
              ValueFormat::ChannelRef}
        .words(kTxtControlChannel)
        .within(kTxtLimit, 2);
// timers (types 3, 4, 5): the function, the start channel and the two times as shown
inline constexpr ValueFact kTimerFunction{"timer function",  ValueArea::Channel, kRowType, ValueEntry::None, 3, 5,
                                          ValueFormat::Plain};
inline constexpr ValueFact kTimerStart =
    ValueFact{"start channel",         ValueArea::Channel, kTimerStartChannel, ValueEntry::ChannelXyzw, 0, 255,
              ValueFormat::ChannelRef, "A1..PXYZW.8 "}
        .words(kTxtControlChannel);
inline constexpr ValueFact kTimer1Hours =
    ValueFact{"time 1 hours", ValueArea::Channel, kTimerTyped, ValueEntry::Decimal, 0, 99, ValueFormat::Digits2}.words(
        kTxtOnDelay, kTxtHours);
inline constexpr ValueFact kTimer1Minutes =
    ValueFact{"time 1 minutes", ValueArea::Channel, kTimerTyped + 1, ValueEntry::Decimal, 0, 59, ValueFormat::Digits2}
        .words(0, kTxtMinutes);
inline constexpr ValueFact kTimer1Seconds =
    ValueFact{"time 1 seconds", ValueArea::Channel, kTimerTyped + 2, ValueEntry::Decimal, 0, 59, ValueFormat::Digits2}
        .words(0, kTxtSeconds);
inline constexpr ValueFact kTimer2Hours =
    ValueFact{"time 2 hours", ValueArea::Channel, kTimerTyped + 3, ValueEntry::Decimal, 0, 99, ValueFormat::Digits2}
        .words(0, kTxtHours);
inline constexpr ValueFact kTimer2Minutes =
    ValueFact{"time 2 minutes", ValueArea::Channel, kTimerTyped + 4, ValueEntry::Decimal, 0, 59, ValueFormat::Digits2}
        .words(0, kTxtMinutes);
inline constexpr ValueFact kTimer2Seconds =
    ValueFact{"time 2 seconds", ValueArea::Channel, kTimerTyped + 5, ValueEntry::Decimal, 0, 59, ValueFormat::Digits2}
        .words(0, kTxtSeconds);
// The two times as wholes, as the unit runs them and the reports and comparisons show them; a pulse
// timer's are its pulse and pause times.
inline constexpr ValueFact kTimerDuration1 =
    ValueFact{"time 1", ValueArea::ChannelDuration, korvane::kTimerTime1, ValueEntry::None, 0,
              0xFFFFFF, ValueFormat::Duration}
        .words(kTxtOnDelay, kTxtDurationUnit)
        .captionWhile(CaptionRule::PulseTimer, kTxtPulseTime);
inline constexpr ValueFact kTimerDuration2 =
    ValueFact{"time 2", ValueArea::ChannelDuration, korvane::kTimerTime2, ValueEntry::None, 0,
              0xFFFFFF, ValueFormat::Duration}
        .words(kTxtOffDelay, kTxtDurationUnit)
        .captionWhile(CaptionRule::PulseTimer, kTxtPauseTime);
// motion detector (type 25): the hold time uses the bytes of a timer's time 1
inline constexpr ValueFact kMotionDuration =
    ValueFact{"hold time", ValueArea::ChannelDuration, korvane::kMotionTime, ValueEntry::None, 0,
              0xFFFFFF,    ValueFormat::Duration}
        .words(kTxtOffDelay, kTxtDurationUnit);
inline constexpr ValueFact kMotionAlarm =
    ValueFact{
        "part of the intruder alarm", ValueArea::Channel, kMotionInAlarm, ValueEntry::None, 0, 1, ValueFormat::Flag}
        .words(kTxtPartOfIntruderAlarm);
inline constexpr ValueFact kMotionPulseCount =
    ValueFact{"detections before alarm", ValueArea::Channel, kMotionPulses, ValueEntry::Range, 1, 255,
              ValueFormat::Digits3}
        .words(kTxtDetectionPulses);
inline constexpr ValueFact kMotionHours =
    ValueFact{"hold time hours", ValueArea::Channel, kTimerTyped, ValueEntry::Decimal, 0, 99, ValueFormat::Digits2}
        .words(0, kTxtHours);
inline constexpr ValueFact kMotionMinutes =
    ValueFact{"hold time minutes", ValueArea::Channel, kTimerTyped + 1, ValueEntry::Decimal, 0, 59,
              ValueFormat::Digits2}
        .words(0, kTxtMinutes);
inline constexpr ValueFact kMotionSeconds =
    ValueFact{"hold time seconds", ValueArea::Channel, kTimerTyped + 2, ValueEntry::Decimal, 0, 59,
              ValueFormat::Digits2}
        .words(0, kTxtSeconds);

} // namespace korvane::facts
