#include "reports/report_catalogue.h"

#include "model/text_ids.h"

namespace korvane {

namespace {
bool always(const Configuration&) {
    return true;
}
} // namespace

const std::vector<ReportEntry>& ReportCatalogue() {
    static const std::vector<ReportEntry> kReports = {
        {ReportKind::ChannelList, "channels", "M_Print_ChList", kTxtPrintChannelList, kTxtPrintChannelList, always,
         PrintChannelList},
        {ReportKind::Master, "master", "M_Print_Master", kTxtPrintMaster, kTxtPrintMaster, HasMasterChannels,
         PrintMasterReport},
        {ReportKind::RealTime, "realtime", "M_Print_Realtime", kTxtPrintRealTime, kTxtPrintRealTime,
         HasRealTimeChannels, PrintRealTimeReport},
        {ReportKind::Logic, "logic", "M_PrintLogic", kTxtPrintLogic, kTxtMenuLogicSetup, HasLogicBlocks,
         PrintLogicReport},
        {ReportKind::Sms, "sms", "M_Print_Sms", kTxtMenuSmsSetup, kTxtMenuSmsSetup, HasSmsSettings, PrintSmsReport},
    };
    return kReports;
}

const ReportEntry& FindReport(ReportKind kind) {
    for (const ReportEntry& e : ReportCatalogue())
        if (e.kind == kind)
            return e;
    return ReportCatalogue().front();
}

const ReportEntry* FindReport(std::string_view name) {
    for (const ReportEntry& e : ReportCatalogue())
        if (name == e.name)
            return &e;
    return nullptr;
}

bool HasContent(ReportKind kind, const ReportInput& in) {
    if (!FindReport(kind).hasContent(in.cfg))
        return false;
    if (!in.inUseOnly)
        return true;
    switch (kind) {
    case ReportKind::ChannelList:
        return HasChannelsInUse(in.cfg);
    case ReportKind::Logic:
        return HasLogicInUse(in.cfg);
    default:
        return true;
    }
}

std::vector<ReportKind> ReportsWithContent(const Configuration& cfg) {
    std::vector<ReportKind> out;
    for (const ReportEntry& e : ReportCatalogue())
        if (e.hasContent(cfg))
            out.push_back(e.kind);
    return out;
}

std::vector<ReportKind> ReportsWithContent(const ReportInput& in) {
    std::vector<ReportKind> out;
    for (const ReportEntry& e : ReportCatalogue())
        if (HasContent(e.kind, in))
            out.push_back(e.kind);
    return out;
}

ReportOutcome PrintReports(PrintJob& job, const ReportInput& in, const std::vector<ReportKind>& kinds) {
    bool printed = false;
    for (ReportKind k : kinds) {
        const ReportEntry& e = FindReport(k);
        if (!HasContent(k, in))
            continue;
        const ReportOutcome o = e.print(job, in);
        if (o == ReportOutcome::Failed)
            return o;
        printed |= o == ReportOutcome::Printed;
    }
    return printed ? ReportOutcome::Printed : ReportOutcome::NothingToPrint;
}

} // namespace korvane
