#pragma once
// The values of the alarm pages: the intruder, smoke, water and ISA alarms and the common siren.
// The alarm times are system-wide (SysData); a channel keeps only its function in byte 0, a
// detector's disable channel in byte 1, an intruder siren's flash option and interval in bytes 1
// and 2 and an ISA detector's on-delay in byte 2.

#include "model/channel_types.h"
#include "model/value_facts.h"

namespace korvane::facts {

// ---- intruder alarm ----
inline constexpr Choice kIntruderFunctionChoices[] = {
    {kTypeIntruderPassive, kTxtPassiveDetector},
    {kTypeIntruderActive, kTxtActiveDetector},
    {kTypeIntruderManualArm, kTxtManualArming},
    {kTypeIntruderDoorArm, kTxtDoorSwitchArming},
    {kTypeIntruderSiren, kTxtSiren},
    {kTypeIntruderCallOut, kTxtCallOut},
    {kTypeIntruderCodeLock, kTxtCodeLockArming},
};
inline constexpr ValueFact kIntruderFunction =
    ValueFact{"intruder function", ValueArea::Channel, kRowType, ValueEntry::None, 8, 27, ValueFormat::Plain}
        .words(kTxtChannelFunction)
        .choosing(kIntruderFunctionChoices);
inline constexpr ValueFact kIntruderDisable =
    ValueFact{"intruder disable channel", ValueArea::Channel, kAlarmDisable, ValueEntry::ChannelXyzw, 0, 255,
              ValueFormat::ChannelRef}
        .words(kTxtDisableChannel);
inline constexpr ValueFact kIntruderArmDelay =
    ValueFact{"intruder arming delay", ValueArea::Sys, kSysIntruderArmTime, ValueEntry::Decimal, 0, 255,
              ValueFormat::Digits3}
        .words(kTxtArmingDelay, kTxtUnitSec);
inline constexpr ValueFact kIntruderDisarmTime =
    ValueFact{"intruder disarming time", ValueArea::Sys, kSysIntruderDisarmTime, ValueEntry::Decimal, 0, 255,
              ValueFormat::Digits3}
        .words(kTxtDisarmingTime, kTxtUnitSec);
inline constexpr ValueFact kIntruderSirenTime =
    ValueFact{"intruder siren time", ValueArea::Sys, kSysIntruderSirenTime, ValueEntry::Decimal, 0, 20,
              ValueFormat::Digits2}
        .words(kTxtSirenTime, kTxtUnitMin);
inline constexpr ValueFact kIntruderCallOutDelay =
    ValueFact{"intruder call-out delay", ValueArea::Sys, kSysIntruderContinueTime, ValueEntry::Decimal, 0, 10,
              ValueFormat::Digits2}
        .words(kTxtCallOutDelay, kTxtUnitMin);
inline constexpr ValueFact kIntruderFlashOn =
    ValueFact{
        "siren flashes the pattern", ValueArea::Channel, kSirenMasterFlash, ValueEntry::None, 0, 1, ValueFormat::Flag}
        .words(kTxtFlashOnAlarm);
inline constexpr ValueFact kIntruderFlashInterval =
    ValueFact{"flash interval",    ValueArea::Channel, kSirenFlashInterval, ValueEntry::Decimal, 0, 60,
              ValueFormat::Digits2}
        .words(kTxtFlashInterval, kTxtUnitSec);

// ---- smoke alarm ----
inline constexpr Choice kSmokeFunctionChoices[] = {
    {kTypeSmokePassive, kTxtPassiveDetector}, {kTypeSmokeActive, kTxtActiveDetector},
    {kTypeSmokeReset, kTxtResetInput},        {kTypeSmokeSiren, kTxtSiren},
    {kTypeSmokeCallOut, kTxtCallOut},
};
inline constexpr ValueFact kSmokeFunction =
    ValueFact{"smoke function", ValueArea::Channel, kRowType, ValueEntry::None, 19, 23, ValueFormat::Plain}
        .words(kTxtChannelFunction)
        .choosing(kSmokeFunctionChoices);
inline constexpr ValueFact kSmokeDisable =
    ValueFact{"smoke disable channel", ValueArea::Channel, kAlarmDisable, ValueEntry::ChannelXyzw, 0, 255,
              ValueFormat::ChannelRef}
        .words(kTxtDisableChannel);
inline constexpr ValueFact kSmokeSirenTime =
    ValueFact{"smoke siren time", ValueArea::Sys, kSysSmokeSirenTime, ValueEntry::Decimal, 0, 60, ValueFormat::Digits2}
        .words(kTxtSirenTime, kTxtUnitMin);
inline constexpr ValueFact kSmokeCallOutTime =
    ValueFact{"smoke call-out time", ValueArea::Sys, kSysSmokeContinueTime, ValueEntry::Decimal, 0, 10,
              ValueFormat::Digits2}
        .words(kTxtCallOutDelay, kTxtUnitMin);
// Typed up to 10; raised to the minimum of 2 when the field is left.
inline constexpr ValueFact kSmokeResetTime =
    ValueFact{"smoke reset time",   ValueArea::Sys, kSysSmokeResetTime, ValueEntry::Decimal, 0, 10,
              ValueFormat::Digits2, "2..10"}
        .words(kTxtResetTime, kTxtUnitMin);

// ---- water alarm ----
inline constexpr Choice kWaterFunctionChoices[] = {
    {kTypeWaterPassive, kTxtPassiveDetector}, {kTypeWaterActive, kTxtActiveDetector},
    {kTypeWaterReset, kTxtResetInput},        {kTypeWaterSiren, kTxtSiren},
    {kTypeWaterCallOut, kTxtCallOut},
};
inline constexpr ValueFact kWaterFunction =
    ValueFact{"water function", ValueArea::Channel, kRowType, ValueEntry::None, 14, 18, ValueFormat::Plain}
        .words(kTxtChannelFunction)
        .choosing(kWaterFunctionChoices);
inline constexpr ValueFact kWaterDisable =
    ValueFact{"water disable channel", ValueArea::Channel, kAlarmDisable, ValueEntry::ChannelXyzw, 0, 255,
              ValueFormat::ChannelRef}
        .words(kTxtDisableChannel);
inline constexpr ValueFact kWaterSirenTime =
    ValueFact{"water siren time", ValueArea::Sys, kSysWaterSirenTime, ValueEntry::Decimal, 0, 30, ValueFormat::Digits2}
        .words(kTxtSirenTime, kTxtUnitMin);
inline constexpr ValueFact kWaterCallOutTime =
    ValueFact{"water call-out time", ValueArea::Sys, kSysWaterContinueTime, ValueEntry::Decimal, 0, 10,
              ValueFormat::Digits2}
        .words(kTxtCallOutDelay, kTxtUnitMin);
inline constexpr ValueFact kWaterResetTime =
    ValueFact{"water reset time",   ValueArea::Sys, kSysWaterResetTime, ValueEntry::Decimal, 0, 10,
              ValueFormat::Digits2, "2..10"}
        .words(kTxtResetTime, kTxtUnitMin);

// ---- ISA alarm ----
inline constexpr Choice kIsaFunctionChoices[] = {
    {kTypeIsaPassive, kTxtPassiveDetector},      {kTypeIsaActive, kTxtActiveDetector},
    {kTypeIsaAcknowledge, kTxtAcknowledgeInput}, {kTypeIsaReset, kTxtResetInput},
    {kTypeIsaLampTest, kTxtLampTestInput},       {kTypeIsaSiren, kTxtSiren},
};
inline constexpr Choice kIsaModeChoices[] = {{0, kTxtIsaModeManualReset}, {1, kTxtIsaModeAutoReset}};
inline constexpr ValueFact kIsaFunction =
    ValueFact{"ISA function", ValueArea::Channel, kRowType, ValueEntry::None, 32, 37, ValueFormat::Plain}
        .words(kTxtChannelFunction)
        .choosing(kIsaFunctionChoices);
inline constexpr ValueFact kIsaDisable =
    ValueFact{"ISA disable channel",  ValueArea::Channel, kAlarmDisable, ValueEntry::ChannelXyzw, 0, 255,
              ValueFormat::ChannelRef}
        .words(kTxtDisableChannel);
inline constexpr ValueFact kIsaInputOnDelay =
    ValueFact{"ISA input on-delay", ValueArea::Channel, kIsaOnDelay, ValueEntry::Decimal, 0, 255, ValueFormat::Digits3}
        .words(kTxtOnDelay, kTxtUnitSec);
// 0..60 minutes, or kContinuous: the siren sounds until the alarm is acknowledged.
inline constexpr ValueFact kIsaSirenTime =
    ValueFact{"ISA siren time", ValueArea::Sys, kSysIsaSirenTime, ValueEntry::SirenTime, 0, 60, ValueFormat::SirenTime}
        .words(kTxtSirenTime, kTxtUnitMin);
// 0 reset by hand, 1 automatic reset; always 0 while a channel is the ISA reset input.
inline constexpr ValueFact kIsaMode =
    ValueFact{"ISA operating mode", ValueArea::Sys, kSysIsaMode, ValueEntry::None, 0, 1, ValueFormat::Plain}
        .words(kTxtOperatingMode)
        .choosing(kIsaModeChoices);

// ---- common siren: the alarms it sounds for, one bit each of SysData byte 42 ----
inline constexpr int kCommonSirenWaterBit = 1;
inline constexpr int kCommonSirenIntruderBit = 2;
inline constexpr int kCommonSirenSmokeBit = 4;
inline constexpr int kCommonSirenIsaBit = 8;
inline constexpr ValueFact kCommonSirenSmoke = ValueFact{"common siren on smoke alarm",
                                                         ValueArea::SysBit,
                                                         kSysCommonSiren,
                                                         ValueEntry::None,
                                                         0,
                                                         1,
                                                         ValueFormat::Flag,
                                                         nullptr,
                                                         kCommonSirenSmokeBit}
                                                   .words(kTxtSmokeAlarm);
inline constexpr ValueFact kCommonSirenIntruder = ValueFact{"common siren on intruder alarm",
                                                            ValueArea::SysBit,
                                                            kSysCommonSiren,
                                                            ValueEntry::None,
                                                            0,
                                                            1,
                                                            ValueFormat::Flag,
                                                            nullptr,
                                                            kCommonSirenIntruderBit}
                                                      .words(kTxtIntruderAlarm);
inline constexpr ValueFact kCommonSirenWater = ValueFact{"common siren on water alarm",
                                                         ValueArea::SysBit,
                                                         kSysCommonSiren,
                                                         ValueEntry::None,
                                                         0,
                                                         1,
                                                         ValueFormat::Flag,
                                                         nullptr,
                                                         kCommonSirenWaterBit}
                                                   .words(kTxtWaterAlarm);
inline constexpr ValueFact kCommonSirenIsa =
    ValueFact{"common siren on ISA alarm", ValueArea::SysBit, kSysCommonSiren,   ValueEntry::None, 0, 1,
              ValueFormat::Flag,           nullptr,           kCommonSirenIsaBit}
        .words(kTxtIsaAlarm);
} // namespace korvane::facts
