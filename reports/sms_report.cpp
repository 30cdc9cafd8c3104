// The SMS report: one page with the telephone numbers, the dial-out settings and the dial-in
// protection.

#include "model/facts_sms.h"
#include "model/text_ids.h"
#include "reports/report_values.h"
#include "reports/reports.h"

namespace korvane {

namespace {

namespace col {
constexpr double kNumbers = page::kLeftText;
constexpr double kLabel = 4819.5;
constexpr double kValue = 7257.6;
} // namespace col

constexpr double kTop = 1360.8;
constexpr double kPitch = 396.9;
constexpr double kDialInGap = 680.4;
constexpr double kPoints = 9;

} // namespace

bool HasSmsSettings(const Configuration& cfg) {
    return cfg.SysData[kSysEventSms] != 0;
}

ReportOutcome PrintSmsReport(PrintJob& job, const ReportInput& in) {
    if (!HasSmsSettings(in.cfg))
        return ReportOutcome::NothingToPrint;
    ReportPages pages(job, in, kTxtMenuSmsSetup);
    if (!pages.next())
        return ReportOutcome::Failed;
    Canvas& c = pages.canvas();
    const Configuration& cfg = in.cfg;
    auto left = [&](double y, const std::string& s) {
        c.fitted(col::kNumbers, col::kLabel - page::kColumnGap, y, kPoints, false, s);
    };
    auto label = [&](double y, const std::string& s) {
        c.fitted(col::kLabel, col::kValue - page::kColumnGap, y, kPoints, false, s);
    };
    auto value = [&](double y, const std::string& s) { c.fitted(col::kValue, page::kRightEdge, y, kPoints, false, s); };

    double y = kTop;
    c.fitted(col::kNumbers, col::kLabel - page::kColumnGap, y, kPoints, true, in.text(kTxtSmsNumbers));
    c.fitted(col::kLabel, page::kRightEdge, y, kPoints, true, in.text(kTxtSettings));
    for (int i = 0; i < 4; ++i) {
        y += kPitch;
        left(y, std::to_string(i + 1) + " : " + cfg.SmsText[static_cast<std::size_t>(i)]);
        switch (i) {
        case 0:
            // Any method byte but 0 reads as confirmed, as the page reads it.
            label(y, in.text(facts::kDialOutMethod.caption));
            value(y, ChoiceText(facts::kDialOutMethod.choices, ReadValue(facts::kDialOutMethod, cfg, -1) != 0 ? 1 : 0,
                                in.text)
                         .value_or(""));
            break;
        case 1:
            if (cfg.SysData[kSysDialOutMethod] != 0) {
                const ValueFact& f = facts::kSmsResponseTime;
                label(y, in.text(f.caption));
                value(y, std::to_string(ReadValue(f, cfg, -1)) + " " + in.text(f.unit));
            }
            break;
        case 2:
            label(y, in.text(facts::kSmsIdentification.caption));
            value(y, cfg.SmsIdText);
            break;
        default:
            break;
        }
    }

    y += kDialInGap;
    if (cfg.SysData[kSysDialInPassword] != 0) {
        label(y, in.text(facts::kDialInPassword.caption));
        label(y + kPitch, cfg.SmsText[8]);
    }
    if (cfg.SysData[kSysDialInSafety] != 0) {
        left(y, in.text(kTxtDialInNumbers));
        // Numbered as the SMS numbers are, so that an empty entry still shows its place.
        for (int i = 0; i < 4; ++i)
            left(y + kPitch * (i + 1), std::to_string(i + 1) + " : " + cfg.SmsText[static_cast<std::size_t>(4 + i)]);
    }
    return ReportOutcome::Printed;
}

} // namespace korvane
