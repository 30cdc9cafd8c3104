// Reports on Qt paint devices: texts placed by their top and measured on the device, PDF files that
// leave an earlier file intact, and the Print menu with a fake printing system.

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "model/channel_types.h"
#include "reports/print_engine.h"
#include "reports/qt/painter_surface.h"
#include "reports/qt/pdf_outline.h"
#include "reports/qt/report_output.h"
#include "tests/model/table_names.h"
#include "tests/support/io_test_support.h"
#include "tests/support/program_fixture.h"
#include "tests/support/workspace_setup.h"
#include "ui/main/report_printing.h"

using namespace korvane;
using namespace korvane::test;
using namespace korvane::testing;

namespace {

// The inked bounding box of an image drawn black on white.
QRect ink(const QImage& img) {
    QRect box;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qGray(img.pixel(x, y)) < 160)
                box |= QRect(x, y, 1, 1);
    return box;
}

// A white image at 144 dpi: 0.1 pixel per twip.
QImage page144() {
    QImage img(1200, 600, QImage::Format_ARGB32);
    img.setDotsPerMeterX(5670);
    img.setDotsPerMeterY(5670);
    img.fill(Qt::white);
    return img;
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

qsizetype pdfPages(const QByteArray& pdf) {
    return pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page ");
}

// Four pages of channels and one real-time page.
ReportInput fivePages(Configuration& cfg) {
    cfg = blankConfiguration();
    cfg.SysData[kSysChannelsInUse] = 127;
    SetChannelType(cfg, 3, kTypeRealTime);
    return {cfg, [](int n) { return "Text " + std::to_string(n); }, "Villa.zeb", {2026, 3, 6, 9, 41, 0, 5}};
}

} // namespace

TEST(PainterSurface, textsStandOnTheirTopAndEndAtTheirRightEdgeAndRectanglesFillTheirTwips) {
    const struct {
        double points;
        bool bold;
        const char* text;
    } cases[] = {{10, false, "Hg"}, {12, true, "Page:  1"}, {9, false, "0500"}, {6, false, "A1 - A2"}};
    for (const auto& c : cases) {
        QImage img = page144();
        QPainter p(&img);
        PainterSurface s(p, img);
        Canvas canvas(s);
        ASSERT_DOUBLE_EQ(s.scaleX(), 0.1);
        const double top = 2000, right = 9000;
        canvas.rightAligned(right, 1000, top, c.points, c.bold, c.text);
        const double height = canvas.height(c.points, c.bold);
        p.end();
        const QRect box = ink(img);
        // Placed by the top: the ink starts below the top and ends within the line's height.
        EXPECT_GE(box.top(), top * 0.1 - 0.5) << c.text;
        EXPECT_LE(box.top(), (top + height * 0.4) * 0.1) << c.text;
        EXPECT_LE(box.bottom(), (top + height) * 0.1 + 0.5) << c.text;
        // Measured on the device: the last ink column is at the right edge, not a screen-width away.
        EXPECT_LE(box.right(), right * 0.1 + 0.5) << c.text;
        EXPECT_GE(box.right(), right * 0.1 - 3) << c.text;
    }
    // A picture at an offset, and a rule, fill their twip rectangles.
    QImage img = page144();
    QPainter p(&img);
    PainterSurface s(p, img, nullptr, QPointF(100, 200));
    s.picture(1440, 1440, 225, kTypeIntruderPassive);
    p.end();
    const QRect pic = ink(img);
    EXPECT_TRUE(pic.left() >= 153 && pic.right() <= 177 && pic.top() >= 163 && pic.bottom() <= 187);
    QImage img2 = page144();
    QPainter p2(&img2);
    PainterSurface s2(p2, img2);
    s2.fillRect(1077.3, 1134, 11056.5, 1166);
    EXPECT_FALSE(s2.newPage()) << "an image has no further pages";
    p2.end();
    EXPECT_EQ(ink(img2), QRect(QPoint(108, 113), QPoint(1105, 116)));
}

TEST(ReportPdf, writesThePagesAndCopiesChosenAndKeepsAnEarlierFileWhenItCannot) {
    QTemporaryDir dir;
    Configuration cfg;
    const ReportInput in = fivePages(cfg);
    const std::vector<ReportKind> kinds = ReportsWithContent(cfg);
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    const OutputOutcome all = WriteReportsPdf(path, in, kinds);
    ASSERT_TRUE(all.ok()) << all.reason.toStdString();
    EXPECT_EQ(all.pages, 5);
    const QByteArray pdf = readAll(path);
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(pdfPages(pdf), 5);
    // The pages and copies chosen in the print dialog are the ones printed.
    ASSERT_EQ(CountPages(in, kinds, 1200), 5);
    const struct {
        std::vector<int> pages; // empty: all
        int copies;
        int printed;
    } cases[] = {{{}, 1, 5}, {{2}, 1, 1}, {{1, 5}, 1, 2}, {{4, 5}, 2, 4}, {{}, 2, 10}};
    for (const auto& c : cases) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(1200);
        PageSelection selection;
        if (!c.pages.empty())
            selection.pages = [p = c.pages](int n) { return std::find(p.begin(), p.end(), n) != p.end(); };
        selection.copies = c.copies;
        const OutputOutcome o = DrawReports(writer, in, kinds, {}, selection);
        EXPECT_EQ(o.pages, c.printed);
        EXPECT_EQ(pdfPages(buffer.data()), c.printed);
    }
}

namespace {

// The reports of a print or preview, as "channels,realtime", with " in use" when only the channels in use are.
QString reportsOf(const ReportInput& in, const std::vector<ReportKind>& kinds) {
    QStringList names;
    for (ReportKind k : kinds)
        names << QString::fromStdString(FindReport(k).name);
    return names.join(QLatin1Char(',')) + (in.inUseOnly ? QStringLiteral(" in use") : QString());
}

struct FakePrinters : PrinterAccess {
    QString name;
    PrintResult result{{ReportOutcome::Printed, {}, 1}, false, {}};
    bool opens = true;
    std::map<std::string, QStringList> seen; // printed, previewed, offered (printers), opened (files)

    QString defaultPrinter() override { return name; }
    PrintResult print(QWidget*, const QString& printer, const ReportInput& in, const std::vector<ReportKind>& kinds,
                      const QString&) override {
        seen["offered"] << printer;
        if (!result.cancelled)
            seen["printed"] << reportsOf(in, kinds);
        return result;
    }
    void preview(QWidget*, const ReportInput& in, const std::vector<ReportKind>& kinds, const QString&) override {
        seen["previewed"] << reportsOf(in, kinds);
    }
    bool openFile(const QString& path) override {
        seen["opened"] << path;
        return opens;
    }
};

// Runs the Print menu as tests/data/ui_print_menu.txt says, with a fake printing system.
class PrintMenuTest : public StartedProgramFixture {
protected:
    void SetUp() override {
        StartedProgramFixture::SetUp();
        auto fake = std::make_unique<FakePrinters>();
        printers = fake.get();
        main().reportPrinting().setPrinterAccess(std::move(fake));
        const std::pair<int, const char*> texts[] = {{kTxtSentToPrinter, "sent to %1"},
                                                     {kTxtPrintFailed, "failed on %1"},
                                                     {kTxtNothingToPrint, "nothing to print"},
                                                     {kTxtNoPrinter, "no printer"},
                                                     {kTxtPdfSaved, "saved %1"},
                                                     {kTxtNoViewer, "no viewer for %1"},
                                                     {kTxtSaveFailed, "cannot save"},
                                                     {kTxtBookInstaller, "installer"},
                                                     {kTxtBookCompany, "company"},
                                                     {kTxtRecordAdd, "add %1?"}};
        for (auto [n, text] : texts)
            ws().LangText[n] = QLatin1String(text);
    }
    QString path(const std::string& file) const { return tempPath(QString::fromStdString(file)); }
    // A step of the column "before".
    void prepare(const std::string& what, const std::string& arg) {
        static const std::map<std::string, PrintResult> results{
            {"cancelled", {{}, true, {}}},
            {"printed on Workshop", {{ReportOutcome::Printed, {}, 1}, false, QStringLiteral("Workshop")}},
            {"refused by Office", {{ReportOutcome::Failed, "refused", 0}, false, QStringLiteral("Office")}}};
        if (what == "printer")
            printers->name = arg == "none" ? QString() : QString::fromStdString(arg);
        else if (what == "result")
            printers->result = results.at(arg);
        else if (what == "viewer")
            printers->opens = false;
        else if (what == "real-time")
            ws().changeChannelType(channelNamed(arg), kTypeRealTime);
        else if (what == "lines")
            for (const std::string& line : splitOn(arg, '/'))
                dialogs.lines.push_back(QString::fromStdString(line));
        else if (what == "sheet")
            main().reportPrinting().chooseSheet = [arg](const LabelSheet&) -> std::optional<LabelSheet> {
                if (arg == "cancel")
                    return std::nullopt;
                return CommonLabelSheets()[static_cast<std::size_t>(std::stoi(arg) - 1)];
            };
        else if (what == "checked")
            // A read-back of the configuration as it is ("this"), or as it was before its description changed.
            ws().LastCheck = Workspace::CheckRecord{
                QDateTime::currentDateTime(), QStringLiteral("sim"), true, QStringLiteral("Good.zeb"), {},
                checkedConfiguration(arg)};
        else if (what == "sms")
            ConfigurationForSetUp(ws()).SysData[kSysEventSms] = 1;
        else if (QFile earlier(path(arg)); what == "earlier" && earlier.open(QIODevice::WriteOnly))
            earlier.write("earlier");
        else
            ADD_FAILURE() << "no step " << what;
    }
    // What a row of the column "then" says: the fake's records, files, the last message's icon, a setting.
    void expectThen(const std::string& then) {
        std::map<std::string, QStringList> seen;
        for (const std::string& outcome : splitOn(then, ';')) {
            const std::string what = outcome.substr(0, outcome.find(' ')), arg = outcome.substr(outcome.find(' ') + 1);
            if (what == "pdf") {
                EXPECT_TRUE(readAll(path(arg)).startsWith("%PDF")) << arg;
            } else if (what == "outline") {
                // Read back with the PDF library: cover, contents, then each report from its first page on,
                // the channel list with its groups.
                const QByteArray pdf = readAll(path(arg));
                const std::vector<OutlineEntry> outline = ReadPdfOutline(pdf.toStdString());
                ASSERT_GE(outline.size(), 3u) << arg;
                EXPECT_EQ(outline[0].title, ws().text(kTxtBookTitle).toStdString());
                EXPECT_EQ(outline[0].page, 1);
                EXPECT_EQ(outline[1].title, ws().text(kTxtBookContents).toStdString());
                EXPECT_EQ(outline[1].page, 2);
                EXPECT_EQ(outline[2].title, ws().text(kTxtPrintChannelList).toStdString());
                EXPECT_FALSE(outline[2].children.empty());
                for (std::size_t k = 1; k < outline.size(); ++k)
                    EXPECT_GT(outline[k].page, outline[k - 1].page) << outline[k].title;
                EXPECT_LE(outline.back().page, pdfPages(pdf));
            } else if (what == "record" || what == "no-record") {
                // The book ends with the record of the check, or with a report.
                const std::vector<OutlineEntry> outline = ReadPdfOutline(readAll(path(arg)).toStdString());
                ASSERT_FALSE(outline.empty()) << arg;
                EXPECT_EQ(outline.back().title == ws().text(kTxtRecordTitle).toStdString(), what == "record") << arg;
            } else if (what == "absent") {
                EXPECT_FALSE(QFile::exists(path(arg))) << arg;
            } else if (what == "icon") {
                EXPECT_EQ(dialogs.shown.back().icon,
                          arg == "information" ? MessageIcon::Information : MessageIcon::Exclamation);
            } else if (what == "setting") {
                EXPECT_EQ(settings().value(QString::fromStdString(arg.substr(0, arg.find('=')))),
                          QString::fromStdString(arg.substr(arg.find('=') + 1)));
            } else {
                seen[what] << (what == "opened" ? path(arg) : QString::fromStdString(arg));
            }
        }
        EXPECT_EQ(printers->seen, seen);
    }
    void run(const char* entry) { act(QLatin1String(entry))->trigger(); }
    Configuration checkedConfiguration(const std::string& which) {
        Configuration c = ws().cfg;
        if (which == "other")
            c.DescText[kGeneralDescription] = "before";
        return c;
    }

    FakePrinters* printers = nullptr;
};

} // namespace

TEST_F(PrintMenuTest, eachEntryAsksTellsAndPrintsAsTheTableSays) {
    const std::pair<const char*, int> entries[] = {{"M_Print_ChList", 259},        {"M_Print_Master", 260},
                                                   {"M_Print_Realtime", 261},      {"M_PrintLogic", 262},
                                                   {"M_Print_Sms", 210},           {"M_Print_Pdf_all", 385},
                                                   {"M_Print_Preview_logic", 262}, {"M_Print_InUse", kTxtInUseOnly}};
    for (auto [name, text] : entries)
        EXPECT_EQ(WithoutAccessKeyMark(act(QLatin1String(name))->text()), ws().text(text)) << name;
    EXPECT_TRUE(act(QStringLiteral("M_Print_InUse"))->isCheckable());
    EXPECT_TRUE(act(QStringLiteral("M_Print_InUse"))->isChecked()) << "channels in use only, until switched off";
    for (const auto& row : dataTable("ui_print_menu.txt", 7)) {
        SCOPED_TRACE(row[0]);
        for (const std::string& step : splitOn(row[1], ';'))
            prepare(step.substr(0, step.find(' ')), step.substr(step.find(' ') + 1));
        dialogs.shown.clear();
        dialogs.fileDialogs.clear();
        printers->seen.clear();
        for (const std::string& answer : splitOn(row[3], ' '))
            dialogs.answers.push_back(answer == "Yes" ? Answer::Yes : answer == "Cancel" ? Answer::Cancel : Answer::No);
        if (!row[4].empty())
            dialogs.files = {row[4] == "cancel" ? std::nullopt : std::optional(path(row[4]))};
        run(row[2].c_str());

        const std::vector<std::string> shown = splitOn(row[5], ';');
        ASSERT_EQ(dialogs.shown.size(), shown.size()) << dialogs.texts().join('|').toStdString();
        for (std::size_t i = 0; i < shown.size(); ++i) {
            QString want = QString::fromStdString(shown[i]);
            want.replace(QStringLiteral("{dir}"), QDir::toNativeSeparators(dir_.path()));
            const bool prefix = want.endsWith(QLatin1Char('*'));
            const QString& text = dialogs.shown[i].text;
            EXPECT_TRUE(prefix ? text.startsWith(want.chopped(1)) && text.size() >= want.size() : text == want)
                << text.toStdString();
        }
        expectThen(row[6]);
        // Every file dialog saves a PDF file; every scripted answer and file was asked for, and nothing more.
        for (const auto& d : dialogs.fileDialogs)
            EXPECT_TRUE(d.save && d.filter.contains(QStringLiteral("*.pdf")) &&
                        d.initialPath.endsWith(QStringLiteral(".pdf")));
        EXPECT_TRUE(dialogs.answers.empty() && dialogs.files.empty() && dialogs.lines.empty()) << "not asked";
        EXPECT_EQ(dialogs.unexpected, 0);
    }
}

TEST_F(PrintMenuTest, theLabelSheetDialogTellsItsHelpOnF1AndEscapeChoosesNothing) {
    prepare("real-time", "A3");
    QString caption;
    // While the dialog is open: F1, then Escape.
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->objectName(), QStringLiteral("LabelSheetDialog"));
        QTest::keyClick(dialog, Qt::Key_F1);
        if (!dialogs.shown.empty())
            caption = dialogs.shown.back().caption;
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    run("M_Print_Labels");
    EXPECT_TRUE(caption.endsWith(QString::number(kHelpLabelSheet))) << caption.toStdString();
    EXPECT_TRUE(dialogs.fileDialogs.empty()) << "nothing chosen, nothing saved";
}
