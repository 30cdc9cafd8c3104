#include "model/fact_catalogue.h"

#include "model/channel_types.h"
#include "model/facts_alarm.h"
#include "model/facts_calendar.h"
#include "model/facts_device.h"
#include "model/facts_sms.h"

namespace korvane {

namespace {

using namespace facts;

constexpr const ValueFact* kMono[] = {&kInvertMono};
constexpr const ValueFact* kFlipFlop[] = {&kFlipFlopIntruder};
constexpr const ValueFact* kTimer[] = {&kTimerStart, &kTimerDuration1, &kTimerDuration2};

// The four day sets: on time, off time and days of each.
constexpr std::array<const ValueFact*, 3 * kRtDaySetCount> DaySets() {
    std::array<const ValueFact*, 3 * kRtDaySetCount> sets{};
    for (std::size_t k = 0; k < kRtDaySetCount; ++k) {
        sets[3 * k] = &kDaySetOn[k];
        sets[3 * k + 1] = &kDaySetOff[k];
        sets[3 * k + 2] = &kDaySetDays[k];
    }
    return sets;
}
constexpr auto kRealTime = DaySets();
constexpr std::array<const ValueFact*, 1 + 3 * kRtDaySetCount> MasterFacts() {
    std::array<const ValueFact*, 1 + 3 * kRtDaySetCount> f{&kMasterRunByClock};
    for (std::size_t i = 0; i < kRealTime.size(); ++i)
        f[i + 1] = kRealTime[i];
    return f;
}
constexpr auto kMaster = MasterFacts();

constexpr const ValueFact* kIntruderDetector[] = {&kIntruderDisable};
constexpr const ValueFact* kIntruderSiren[] = {&kIntruderFlashOn, &kIntruderFlashInterval};
constexpr const ValueFact* kWaterDetector[] = {&kWaterDisable};
constexpr const ValueFact* kSmokeDetector[] = {&kSmokeDisable};
constexpr const ValueFact* kIsaDetector[] = {&kIsaDisable, &kIsaInputOnDelay};
constexpr const ValueFact* kMotion[] = {&kMotionDuration, &kMotionAlarm, &kMotionPulseCount};
constexpr const ValueFact* kRoller[] = {&kRollerRunTime, &kRollerReverse, &kRollerSlats, &kRollerDirection,
                                        &kRollerPriority};
constexpr const ValueFact* kRollerMaster[] = {&kRollerMasterMode, &kRollerMasterRunTime, &kRollerMasterReverse};
constexpr const ValueFact* kSensor[] = {
    &kSensorDisable,   &kSensorOutput,       &kSensorInverted,      &kSensorExternLimit, &kSensorRangeMin,
    &kSensorRangeMax,  &kSensorLimitChannel, &kSensorLimit1Low,     &kSensorLimit1High,  &kSensorSecondLimit,
    &kSensorLimit2Low, &kSensorLimit2High,   &kSensorLimit2Channel,
};

constexpr const ValueFact* kEvents[] = {&kEventOn, &kEventOffFlag};

constexpr const ValueFact* kMainSetup[] = {&kUsePcClock, &kAutoSummerTime, &kChannelsInUse, &kMuxCount, &kMuxDelay,
                                           &kCounter,    &kEventOutput,    &kTimeOutput,    &kDeviceNo};
constexpr const TextFact* kMainSetupTexts[] = {&kSystemDescription};
constexpr const ValueFact* kIntruderTimes[] = {&kIntruderArmDelay, &kIntruderDisarmTime, &kIntruderSirenTime,
                                               &kIntruderCallOutDelay};
constexpr const ValueFact* kSmokeTimes[] = {&kSmokeResetTime, &kSmokeSirenTime, &kSmokeCallOutTime};
constexpr const ValueFact* kWaterTimes[] = {&kWaterResetTime, &kWaterSirenTime, &kWaterCallOutTime};
constexpr const ValueFact* kIsaSettings[] = {&kIsaSirenTime, &kIsaMode};
constexpr const ValueFact* kCommonSirenAlarms[] = {&kCommonSirenSmoke, &kCommonSirenIntruder, &kCommonSirenWater,
                                                   &kCommonSirenIsa};

constexpr SystemArea kAreas[] = {
    {kTxtMenuBasicSetup, kMainSetup, kMainSetupTexts},
    {kTxtIntruderAlarm, kIntruderTimes, {}},
    {kTxtSmokeAlarm, kSmokeTimes, {}},
    {kTxtWaterAlarm, kWaterTimes, {}},
    {kTxtIsaAlarm, kIsaSettings, {}},
    {TypeNameText(kTypeCommonSiren), kCommonSirenAlarms, {}},
};

constexpr std::array<const TextFact*, kSmsPhoneNumbers + 2> SmsTexts() {
    std::array<const TextFact*, kSmsPhoneNumbers + 2> texts{};
    for (std::size_t i = 0; i < kSmsPhoneNumbers; ++i)
        texts[i] = &kPhoneNumbers[i];
    texts[kSmsPhoneNumbers] = &kDialInPassword;
    texts[kSmsPhoneNumbers + 1] = &kSmsIdentification;
    return texts;
}
constexpr auto kSmsTexts = SmsTexts();
constexpr const ValueFact* kSmsValues[] = {&kDialOutMethod, &kSmsResponseTime, &kDialInSafety, &kPasswordSafety};
constexpr SystemArea kSms{kTxtMenuSmsSetup, kSmsValues, kSmsTexts};

} // namespace

std::span<const ValueFact* const> FactsOfType(int type) {
    switch (type) {
    case kTypeMono:
        return kMono;
    case kTypeFlipFlop:
        return kFlipFlop;
    case kTypeTimerDelay:
    case kTypeTimerPulse:
    case kTypeTimerDelayPulse:
        return kTimer;
    case kTypeRealTime:
        return kRealTime;
    case kTypeMaster:
        return kMaster;
    case kTypeIntruderPassive:
    case kTypeIntruderActive:
        return kIntruderDetector;
    case kTypeIntruderSiren:
        return kIntruderSiren;
    case kTypeWaterPassive:
    case kTypeWaterActive:
        return kWaterDetector;
    case kTypeSmokePassive:
    case kTypeSmokeActive:
        return kSmokeDetector;
    case kTypeIsaPassive:
    case kTypeIsaActive:
        return kIsaDetector;
    case kTypeMotion:
        return kMotion;
    case kTypeRoller:
        return kRoller;
    case kTypeRollerMaster:
        return kRollerMaster;
    case kTypeAnalogGeneral:
    case kTypeAnalogLux:
    case kTypeAnalogWind:
    case kTypeAnalogTemperature:
        return kSensor;
    default:
        return {};
    }
}

bool EventOptionsShown(const Configuration& cfg, int type) {
    return cfg.SysData[kSysEventOff] != 1 && type != kTypeRoller && type != kTypeRollerMaster &&
           type != kTypeTimerPulse;
}

bool EventOptionsCount(const Configuration& cfg, int channel) {
    const int type = cfg.channelType(channel) & kTypeMask;
    const std::optional<TypeInfo> info = FindChannelType(type);
    return cfg.SysData[kSysEventOff] != 1 && type != kTypeTimerPulse && !(info && info->channelsUsed == 0);
}

bool FactShown(const ValueFact& fact, const Configuration& cfg, int channel) {
    if (&fact == &kSensorRangeMin || &fact == &kSensorRangeMax)
        return (cfg.channelType(channel) & kTypeMask) != kTypeAnalogLux;
    return true;
}

std::span<const ValueFact* const> EventOptionFacts() {
    return kEvents;
}

std::span<const SystemArea> SystemAreas() {
    return kAreas;
}

const SystemArea& SmsArea() {
    return kSms;
}

} // namespace korvane
