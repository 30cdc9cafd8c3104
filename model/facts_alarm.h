#pragma once
// The values of the alarm pages: the intruder, smoke, water and ISA alarms and the common siren.
// The alarm times are system-wide (SysData); a channel keeps only its function in byte 0, a
// detector's disable channel in byte 1, an intruder siren's flash option and interval in bytes 1
// and 2 and an ISA detector's on-delay in byte 2.

#include "model/value_facts.h"

namespace korvane::facts {

// ---- intruder alarm ----
inline constexpr ValueFact kIntruderFunction{"intruder function", ValueArea::Channel, kRowType, ValueEntry::None, 8, 27,
                                             ValueFormat::Plain};
inline constexpr ValueFact kIntruderDisable{
    "intruder disable channel", ValueArea::Channel, kAlarmDisable, ValueEntry::ChannelXyzw, 0, 255,
    ValueFormat::ChannelRef};
inline constexpr ValueFact kIntruderArmDelay{
    "intruder arming delay", ValueArea::Sys, kSysIntruderArmTime, ValueEntry::Decimal, 0, 255, ValueFormat::Digits3};
inline constexpr ValueFact kIntruderDisarmTime{
    "intruder disarming time", ValueArea::Sys, kSysIntruderDisarmTime, ValueEntry::Decimal, 0, 255,
    ValueFormat::Digits3};
inline constexpr ValueFact kIntruderSirenTime{
    "intruder siren time", ValueArea::Sys, kSysIntruderSirenTime, ValueEntry::Decimal, 0, 20, ValueFormat::Digits2};
inline constexpr ValueFact kIntruderCallOutDelay{
    "intruder call-out delay", ValueArea::Sys, kSysIntruderContinueTime, ValueEntry::Decimal, 0, 10,
    ValueFormat::Digits2};
inline constexpr ValueFact kIntruderFlashOn{
    "siren flashes the pattern", ValueArea::Channel, kSirenMasterFlash, ValueEntry::None, 0, 1, ValueFormat::Flag};
inline constexpr ValueFact kIntruderFlashInterval{
    "flash interval", ValueArea::Channel, kSirenFlashInterval, ValueEntry::Decimal, 0, 60, ValueFormat::Digits2};

// ---- smoke alarm ----
inline constexpr ValueFact kSmokeFunction{"smoke function",  ValueArea::Channel, kRowType, ValueEntry::None, 19, 23,
                                          ValueFormat::Plain};
inline constexpr ValueFact kSmokeDisable{
    "smoke disable channel", ValueArea::Channel, kAlarmDisable, ValueEntry::ChannelXyzw, 0, 255,
    ValueFormat::ChannelRef};
inline constexpr ValueFact kSmokeSirenTime{
    "smoke siren time", ValueArea::Sys, kSysSmokeSirenTime, ValueEntry::Decimal, 0, 60, ValueFormat::Digits2};
inline constexpr ValueFact kSmokeCallOutTime{
    "smoke call-out time", ValueArea::Sys, kSysSmokeContinueTime, ValueEntry::Decimal, 0, 10, ValueFormat::Digits2};
// Typed up to 10; raised to the minimum of 2 when the field is left.
inline constexpr ValueFact kSmokeResetTime{
    "smoke reset time", ValueArea::Sys, kSysSmokeResetTime, ValueEntry::Decimal, 0, 10, ValueFormat::Digits2, "2..10"};

// ---- water alarm ----
inline constexpr ValueFact kWaterFunction{"water function",  ValueArea::Channel, kRowType, ValueEntry::None, 14, 18,
                                          ValueFormat::Plain};
inline constexpr ValueFact kWaterDisable{
    "water disable channel", ValueArea::Channel, kAlarmDisable, ValueEntry::ChannelXyzw, 0, 255,
    ValueFormat::ChannelRef};
inline constexpr ValueFact kWaterSirenTime{
    "water siren time", ValueArea::Sys, kSysWaterSirenTime, ValueEntry::Decimal, 0, 30, ValueFormat::Digits2};
inline constexpr ValueFact kWaterCallOutTime{
    "water call-out time", ValueArea::Sys, kSysWaterContinueTime, ValueEntry::Decimal, 0, 10, ValueFormat::Digits2};
inline constexpr ValueFact kWaterResetTime{
    "water reset time", ValueArea::Sys, kSysWaterResetTime, ValueEntry::Decimal, 0, 10, ValueFormat::Digits2, "2..10"};

// ---- ISA alarm ----
inline constexpr ValueFact kIsaFunction{"ISA function",    ValueArea::Channel, kRowType, ValueEntry::None, 32, 37,
                                        ValueFormat::Plain};
inline constexpr ValueFact kIsaDisable{
    "ISA disable channel", ValueArea::Channel, kAlarmDisable, ValueEntry::ChannelXyzw, 0, 255, ValueFormat::ChannelRef};
inline constexpr ValueFact kIsaInputOnDelay{
    "ISA input on-delay", ValueArea::Channel, kIsaOnDelay, ValueEntry::Decimal, 0, 255, ValueFormat::Digits3};
// 0..60 minutes, or kContinuous: the siren sounds until the alarm is acknowledged.
inline constexpr ValueFact kIsaSirenTime{
    "ISA siren time", ValueArea::Sys, kSysIsaSirenTime, ValueEntry::SirenTime, 0, 60, ValueFormat::SirenTime};
// 0 reset by hand, 1 automatic reset; always 0 while a channel is the ISA reset input.
inline constexpr ValueFact kIsaMode{"ISA operating mode", ValueArea::Sys, kSysIsaMode, ValueEntry::None, 0, 1,
                                    ValueFormat::Plain};

// ---- common siren: the alarms it sounds for, one bit each of SysData byte 42 ----
inline constexpr int kCommonSirenWaterBit = 1;
inline constexpr int kCommonSirenIntruderBit = 2;
inline constexpr int kCommonSirenSmokeBit = 4;
inline constexpr int kCommonSirenIsaBit = 8;
inline constexpr ValueFact kCommonSirenSmoke{"common siren on smoke alarm",
                                             ValueArea::SysBit,
                                             kSysCommonSiren,
                                             ValueEntry::None,
                                             0,
                                             1,
                                             ValueFormat::Flag,
                                             nullptr,
                                             kCommonSirenSmokeBit};
inline constexpr ValueFact kCommonSirenIntruder{"common siren on intruder alarm",
                                                ValueArea::SysBit,
                                                kSysCommonSiren,
                                                ValueEntry::None,
                                                0,
                                                1,
                                                ValueFormat::Flag,
                                                nullptr,
                                                kCommonSirenIntruderBit};
inline constexpr ValueFact kCommonSirenWater{"common siren on water alarm",
                                             ValueArea::SysBit,
                                             kSysCommonSiren,
                                             ValueEntry::None,
                                             0,
                                             1,
                                             ValueFormat::Flag,
                                             nullptr,
                                             kCommonSirenWaterBit};
inline constexpr ValueFact kCommonSirenIsa{
    "common siren on ISA alarm", ValueArea::SysBit, kSysCommonSiren,   ValueEntry::None, 0, 1,
    ValueFormat::Flag,           nullptr,           kCommonSirenIsaBit};
} // namespace korvane::facts
