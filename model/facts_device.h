#pragma once
// The values of the device channel pages: roller blinds and roller masters, analogue sensors, timers
// and motion detectors. All live in the current channel's ChanSetup row.

#include "model/analog.h"
#include "model/roller.h"
#include "model/value_facts.h"

namespace korvane::facts {

// roller blind (type 40)
inline constexpr ValueFact kRollerRunTime{"run time", ValueArea::Channel,  kRollRunTime, ValueEntry::Range, 0,
                                          255,        ValueFormat::Digits3};
inline constexpr ValueFact kRollerReverse{"reverse time",       ValueArea::ChannelWord, kRollReverseHigh,
                                          ValueEntry::Decimal4, kRollReverseMin,        kRollReverseMax,
                                          ValueFormat::Digits4};
inline constexpr ValueFact kRollerSlats{"blind with slats", ValueArea::Channel, kRollSlats, ValueEntry::None, 0, 1,
                                        ValueFormat::Flag};
inline constexpr ValueFact kRollerDirection{
    "priority direction", ValueArea::Channel, kRollPriorityDirection, ValueEntry::None, 0, 255, ValueFormat::Plain};
inline constexpr ValueFact kRollerPriority{
    "priority channel", ValueArea::Channel, kRollPriority, ValueEntry::ChannelXyzw, 0, 255, ValueFormat::ChannelRef};
// roller master (type 42)
inline constexpr ValueFact kRollerMasterMode{"operating mode",  ValueArea::Channel, kRmMode, ValueEntry::None, 0, 255,
                                             ValueFormat::Plain};
inline constexpr ValueFact kRollerMasterRunTime{"run time", ValueArea::Channel,  kRmRunTime, ValueEntry::Range, 0,
                                                255,        ValueFormat::Digits3};
inline constexpr ValueFact kRollerMasterReverse{
    "reverse time", ValueArea::Channel, kRmReverseTime, ValueEntry::Range, 0, 10, ValueFormat::Digits3};
// analogue sensors (types 48..51)
inline constexpr const char* kTenthsHint = "+ -0..100.000";
inline constexpr ValueFact kSensorKind{"sensor kind",     ValueArea::Channel, kRowType, ValueEntry::None, 48, 51,
                                       ValueFormat::Plain};
inline constexpr ValueFact kSensorDisable{
    "disable channel", ValueArea::Channel, kAnaDisable, ValueEntry::ChannelXyzw, 0, 255, ValueFormat::ChannelRef};
inline constexpr ValueFact kSensorOutput{
    "switches its output", ValueArea::Channel, kAnaOptions, ValueEntry::None, 0, 1, ValueFormat::Flag, nullptr,
    kAnaOutputBit};
inline constexpr ValueFact kSensorInverted{
    "limits inverted", ValueArea::Channel, kAnaOptions, ValueEntry::None, 0, 1, ValueFormat::Flag,
    nullptr,           kAnaInvertedBit};
inline constexpr ValueFact kSensorSecondLimit{
    "second limit", ValueArea::Channel, kAnaOptions, ValueEntry::None, 0, 1, ValueFormat::Flag,
    nullptr,        kAnaSecondLimitBit};
inline constexpr ValueFact kSensorExternLimit{
    "external limit", ValueArea::Channel, kAnaOptions, ValueEntry::None, 0, 1, ValueFormat::Flag,
    nullptr,          kAnaExternLimitBit};
inline constexpr ValueFact kSensorRangeMin{
    "range minimum",     ValueArea::ChannelTenths, kAnaRangeMin,        ValueEntry::Number,
    -kAnalogLimitTenths, kAnalogLimitTenths,       ValueFormat::Tenths, kTenthsHint};
inline constexpr ValueFact kSensorRangeMax{
    "range maximum",     ValueArea::ChannelTenths, kAnaRangeMax,        ValueEntry::Number,
    -kAnalogLimitTenths, kAnalogLimitTenths,       ValueFormat::Tenths, kTenthsHint};
inline constexpr ValueFact kSensorLimitChannel{
    "external limit channel", ValueArea::Channel, kAnaExternLimit, ValueEntry::Channel, 0, 255,
    ValueFormat::ChannelRef,  "A1..P8 "};
inline constexpr ValueFact kSensorLimit1Low{
    "limit 1 low",       ValueArea::ChannelTenths, kAnaLimit1Low,       ValueEntry::Number,
    -kAnalogLimitTenths, kAnalogLimitTenths,       ValueFormat::Tenths, kTenthsHint};
inline constexpr ValueFact kSensorLimit1High{
    "limit 1 high",      ValueArea::ChannelTenths, kAnaLimit1High,      ValueEntry::Number,
    -kAnalogLimitTenths, kAnalogLimitTenths,       ValueFormat::Tenths, kTenthsHint};
inline constexpr ValueFact kSensorLimit2Low{
    "limit 2 low",       ValueArea::ChannelTenths, kAnaLimit2Low,       ValueEntry::Number,
    -kAnalogLimitTenths, kAnalogLimitTenths,       ValueFormat::Tenths, kTenthsHint};
inline constexpr ValueFact kSensorLimit2High{
    "limit 2 high",      ValueArea::ChannelTenths, kAnaLimit2High,      ValueEntry::Number,
    -kAnalogLimitTenths, kAnalogLimitTenths,       ValueFormat::Tenths, kTenthsHint};
inline constexpr ValueFact kSensorLimit2Channel{
    "second limit channel", ValueArea::Channel, kAnaLimit2Disable, ValueEntry::ChannelXyzw, 0, 255,
    ValueFormat::ChannelRef};
// timers (types 3, 4, 5): the function, the start channel and the two times as shown
inline constexpr ValueFact kTimerFunction{"timer function",  ValueArea::Channel, kRowType, ValueEntry::None, 3, 5,
                                          ValueFormat::Plain};
inline constexpr ValueFact kTimerStart{
    "start channel",         ValueArea::Channel, kTimerStartChannel, ValueEntry::ChannelXyzw, 0, 255,
    ValueFormat::ChannelRef, "A1..PXYZW.8 "};
inline constexpr ValueFact kTimer1Hours{
    "time 1 hours", ValueArea::Channel, kTimerTyped, ValueEntry::Decimal, 0, 99, ValueFormat::Digits2};
inline constexpr ValueFact kTimer1Minutes{
    "time 1 minutes", ValueArea::Channel, kTimerTyped + 1, ValueEntry::Decimal, 0, 59, ValueFormat::Digits2};
inline constexpr ValueFact kTimer1Seconds{
    "time 1 seconds", ValueArea::Channel, kTimerTyped + 2, ValueEntry::Decimal, 0, 59, ValueFormat::Digits2};
inline constexpr ValueFact kTimer2Hours{
    "time 2 hours", ValueArea::Channel, kTimerTyped + 3, ValueEntry::Decimal, 0, 99, ValueFormat::Digits2};
inline constexpr ValueFact kTimer2Minutes{
    "time 2 minutes", ValueArea::Channel, kTimerTyped + 4, ValueEntry::Decimal, 0, 59, ValueFormat::Digits2};
inline constexpr ValueFact kTimer2Seconds{
    "time 2 seconds", ValueArea::Channel, kTimerTyped + 5, ValueEntry::Decimal, 0, 59, ValueFormat::Digits2};
// motion detector (type 25): the hold time uses the bytes of a timer's time 1
inline constexpr ValueFact kMotionAlarm{
    "part of the intruder alarm", ValueArea::Channel, kMotionInAlarm, ValueEntry::None, 0, 1, ValueFormat::Flag};
inline constexpr ValueFact kMotionPulseCount{
    "detections before alarm", ValueArea::Channel, kMotionPulses, ValueEntry::Range, 1, 255, ValueFormat::Digits3};
inline constexpr ValueFact kMotionHours{
    "hold time hours", ValueArea::Channel, kTimerTyped, ValueEntry::Decimal, 0, 99, ValueFormat::Digits2};
inline constexpr ValueFact kMotionMinutes{
    "hold time minutes", ValueArea::Channel, kTimerTyped + 1, ValueEntry::Decimal, 0, 59, ValueFormat::Digits2};
inline constexpr ValueFact kMotionSeconds{
    "hold time seconds", ValueArea::Channel, kTimerTyped + 2, ValueEntry::Decimal, 0, 59, ValueFormat::Digits2};

} // namespace korvane::facts
