#include "io/config_diff.h"

#include "io/config_file.h"
#include "io/config_json.h"
#include "model/channel_types.h"
#include "model/value_facts.h"

namespace korvane {

namespace {

// A text as the report shows it: in UTF-8 between double quotes, line breaks and other control
// characters as escapes, so that a changed line break shows as a change.
std::string quoted(const std::string& text) {
    return JsonString(text);
}

std::string flagsText(Byte flags) {
    std::string s;
    if (flags & kFlagCheck1)
        s = "Check1";
    if (flags & kFlagCheck2)
        s += s.empty() ? "Check2" : "+Check2";
    return s.empty() ? "none" : s;
}

void compareText(std::vector<ByteDifference>& out, const std::string& where, const std::string& a,
                 const std::string& b) {
    if (a != b)
        out.push_back({where, "text", quoted(a), quoted(b)});
}

ByteDifference byteDifference(std::string where, std::string what, int a, int b) {
    return {std::move(where), std::move(what), std::to_string(a), std::to_string(b)};
}

} // namespace

std::string SysDataByteName(int index) {
    const std::string byte = "byte " + std::to_string(index);
    if (const ValueFact* fact = SystemFact(index))
        return std::string(fact->name) + " (" + byte + ")";
    if (index >= kSysExchangeMask && index < kSysExchangeMask + 16)
        return std::string("exchange mask group ") + static_cast<char>('A' + index - kSysExchangeMask) + " (" + byte +
               ")";
    if (index >= kSysHolidays && index < kSysHolidays + 4 * kSysHolidayCount)
        return "holiday period " + std::to_string((index - kSysHolidays) / 4 + 1) + " byte " +
               std::to_string((index - kSysHolidays) % 4) + " (" + byte + ")";
    return "SysData " + byte;
}

std::vector<ByteDifference> CompareBytes(const Configuration& a, const Configuration& b) {
    std::vector<ByteDifference> out;
    compareText(out, "general description", a.DescText[kGeneralDescription], b.DescText[kGeneralDescription]);

    for (int c = 0; c < kChannels; ++c) {
        const std::string name = Num_2_Channel(c);
        const Row& ra = a.ChanSetup[c];
        const Row& rb = b.ChanSetup[c];
        if (ra[kRowType] != rb[kRowType])
            out.push_back(byteDifference(name, "type", ra[kRowType], rb[kRowType]));
        if (a.ChanFlags[c] != b.ChanFlags[c]) {
            ByteDifference d = byteDifference(name, "options", a.ChanFlags[c], b.ChanFlags[c]);
            d.before = flagsText(a.ChanFlags[c]);
            d.after = flagsText(b.ChanFlags[c]);
            out.push_back(d);
        }
        for (int k = 1; k < kRowBytes; ++k)
            if (ra[k] != rb[k])
                out.push_back(byteDifference(name, "setup byte " + std::to_string(k), ra[k], rb[k]));
        for (int k = 0; k < kRowBytes; ++k)
            if (a.MasterMatrix[c][k] != b.MasterMatrix[c][k])
                out.push_back(byteDifference(name, "master matrix byte " + std::to_string(k), a.MasterMatrix[c][k],
                                             b.MasterMatrix[c][k]));
        compareText(out, name, a.ChanText[c], b.ChanText[c]);
    }

    for (int blk = 0; blk < kLogicBlocksUsed; ++blk)
        for (int k = 0; k < kLogicBytes; ++k)
            if (a.LogicBlocks[blk][k] != b.LogicBlocks[blk][k])
                out.push_back(byteDifference("logic block " + std::to_string(blk), "byte " + std::to_string(k),
                                             a.LogicBlocks[blk][k], b.LogicBlocks[blk][k]));
    for (int g = 0; g < kGeneralDescription; ++g)
        compareText(out, "logic description " + std::to_string(g), a.DescText[g], b.DescText[g]);

    for (int i = 0; i < kSysFileBytes; ++i)
        if (a.SysData[i] != b.SysData[i])
            out.push_back(byteDifference("system", SysDataByteName(i), a.SysData[i], b.SysData[i]));

    for (int k = 0; k < kSmsIdFirst; ++k)
        compareText(out, "SMS text " + std::to_string(k), a.SmsText[k], b.SmsText[k]);
    compareText(out, "SMS identification", a.SmsIdText, b.SmsIdText);
    return out;
}

} // namespace korvane
