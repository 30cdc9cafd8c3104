// Reports on Qt paint devices: texts placed by their top and measured on the device, PDF files that
// leave an earlier file intact, and the Print menu with a fake printing system.

#include <QAction>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

#include "model/channel_types.h"
#include "reports/print_engine.h"
#include "reports/qt/painter_surface.h"
#include "reports/qt/report_output.h"
#include "tests/support/io_test_support.h"
#include "tests/support/program_fixture.h"
#include "ui/main/report_printing.h"

using namespace korvane;
using namespace korvane::test;

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
    cfg = korvane::testing::blankConfiguration();
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
    // Nothing to print, or a folder that is a file: the earlier file stays, the reason is told (the file
    // is replaced as every file of the program is, whose refusals the file tests try).
    EXPECT_EQ(WriteReportsPdf(path, in, {ReportKind::Logic}).outcome, ReportOutcome::NothingToPrint);
    const OutputOutcome bad = WriteReportsPdf(path + QStringLiteral("/x.pdf"), in, {ReportKind::ChannelList});
    EXPECT_EQ(bad.outcome, ReportOutcome::Failed);
    EXPECT_FALSE(bad.reason.isEmpty());
    EXPECT_EQ(readAll(path), pdf);

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

struct FakePrinters : PrinterAccess {
    QString name;
    PrintResult result{{ReportOutcome::Printed, {}, 1}, false, {}};
    bool opens = true;
    std::vector<std::vector<ReportKind>> printed;
    std::vector<std::vector<ReportKind>> previewed;
    std::vector<bool> inUseOnly; // of every print and preview
    QStringList printersOffered;
    QStringList opened;

    QString defaultPrinter() override { return name; }
    PrintResult print(QWidget*, const QString& printer, const ReportInput& in, const std::vector<ReportKind>& kinds,
                      const QString&) override {
        printersOffered << printer;
        inUseOnly.push_back(in.inUseOnly);
        if (!result.cancelled)
            printed.push_back(kinds);
        return result;
    }
    void preview(QWidget*, const ReportInput& in, const std::vector<ReportKind>& kinds, const QString&) override {
        inUseOnly.push_back(in.inUseOnly);
        previewed.push_back(kinds);
    }
    bool openFile(const QString& path) override {
        opened << path;
        return opens;
    }
};

class PrintMenuTest : public StartedProgramFixture {
protected:
    void SetUp() override {
        StartedProgramFixture::SetUp();
        auto fake = std::make_unique<FakePrinters>();
        printers = fake.get();
        main().reportPrinting().setPrinterAccess(std::move(fake));
        ws().LangText[kTxtSentToPrinter] = QStringLiteral("sent to %1");
        ws().LangText[kTxtPrintFailed] = QStringLiteral("failed on %1");
    }
    QString lastMessage() const { return dialogs.shown.empty() ? QString() : dialogs.shown.back().text; }
    void run(const char* entry) { act(QLatin1String(entry))->trigger(); }

    FakePrinters* printers = nullptr;
};

} // namespace

TEST_F(PrintMenuTest, aReportAsksWithThePrintDialogAndTellsTheOutcome) {
    const std::pair<const char*, int> entries[] = {{"M_Print_ChList", 259},        {"M_Print_Master", 260},
                                                   {"M_Print_Realtime", 261},      {"M_PrintLogic", 262},
                                                   {"M_Print_Sms", 210},           {"M_Print_Pdf_all", 385},
                                                   {"M_Print_Preview_logic", 262}, {"M_Print_InUse", kTxtInUseOnly}};
    for (auto [name, text] : entries)
        EXPECT_EQ(WithoutAccessKeyMark(act(QLatin1String(name))->text()), ws().text(text)) << name;
    printers->name = QStringLiteral("Office");
    ws().changeChannelType(2, kTypeRealTime);
    const struct {
        const char* what;
        PrintResult result;
        QString message; // empty: nothing is said
        MessageIcon icon;
    } cases[] = {
        {"cancelled in the dialog", {{}, true, {}}, {}, MessageIcon::None},
        {"printed on the printer chosen",
         {{ReportOutcome::Printed, {}, 1}, false, "Workshop"},
         "sent to Workshop",
         MessageIcon::Information},
        {"refused",
         {{ReportOutcome::Failed, "refused", 0}, false, "Office"},
         "failed on Office",
         MessageIcon::Exclamation},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        dialogs.shown.clear();
        printers->result = c.result;
        run("M_Print_Realtime");
        // The dialog is offered on the default printer every time.
        EXPECT_EQ(printers->printersOffered.back(), QStringLiteral("Office"));
        EXPECT_EQ(lastMessage(), c.message);
        if (!c.message.isEmpty()) {
            EXPECT_EQ(dialogs.shown.back().icon, c.icon);
        }
    }
    ASSERT_EQ(printers->printed.size(), 2u);
    EXPECT_EQ(printers->printed[0], std::vector<ReportKind>{ReportKind::RealTime});
    // Nothing to print: the message, and no dialog at all.
    run("M_Print_Master");
    EXPECT_EQ(lastMessage(), ws().text(kTxtNothingToPrint));
    EXPECT_EQ(printers->printersOffered.size(), 3);
    EXPECT_EQ(dialogs.unexpected, 0);
}

TEST_F(PrintMenuTest, channelsInUseOnlyIsRememberedAndEveryReportFollowsIt) {
    printers->name = QStringLiteral("Office");
    QAction* inUse = act(QStringLiteral("M_Print_InUse"));
    EXPECT_TRUE(inUse->isCheckable());
    EXPECT_FALSE(inUse->isChecked()); // the full listing is the default
    run("M_Print_ChList");
    inUse->trigger();
    EXPECT_EQ(settings().value(QStringLiteral("PrintInUseOnly")), QStringLiteral("1"));
    // Nothing in use: the channel list has nothing to print with the option.
    run("M_Print_ChList");
    EXPECT_EQ(lastMessage(), ws().text(kTxtNothingToPrint));
    ws().changeChannelType(5, kTypeFlipFlop);
    run("M_Print_ChList");
    run("M_Print_Preview_all");
    EXPECT_EQ(printers->inUseOnly, (std::vector<bool>{false, true, true}));
    inUse->trigger();
    EXPECT_EQ(settings().value(QStringLiteral("PrintInUseOnly")), QStringLiteral("0"));
    EXPECT_EQ(dialogs.unexpected, 0);
}

TEST_F(PrintMenuTest, withoutAPrinterTheReportIsOfferedAsAPdfFile) {
    const QString path = tempPath(QStringLiteral("list.pdf"));
    const struct {
        Answer answer;
        std::optional<QString> file;
        bool written;
    } cases[] = {
        {Answer::No, std::nullopt, false},  // no PDF wanted: no save dialog
        {Answer::Yes, std::nullopt, false}, // the save dialog cancelled: nothing printed
        {Answer::Yes, path, true},
    };
    for (const auto& c : cases) {
        dialogs.shown.clear();
        dialogs.fileDialogs.clear();
        dialogs.answers = {c.answer};
        if (c.answer == Answer::Yes)
            dialogs.files = {c.file};
        if (c.written)
            dialogs.answers.push_back(Answer::No); // not opened
        run("M_Print_ChList");
        ASSERT_FALSE(dialogs.shown.empty());
        EXPECT_EQ(dialogs.shown.front().text, ws().text(kTxtNoPrinter));
        EXPECT_EQ(dialogs.shown.front().buttons, Buttons::YesNo);
        ASSERT_EQ(dialogs.fileDialogs.size(), c.answer == Answer::Yes ? 1u : 0u);
        if (!dialogs.fileDialogs.empty()) {
            EXPECT_TRUE(dialogs.fileDialogs[0].save);
            EXPECT_TRUE(dialogs.fileDialogs[0].filter.contains(QStringLiteral("*.pdf")));
            EXPECT_TRUE(dialogs.fileDialogs[0].initialPath.endsWith(QStringLiteral(".pdf")));
        }
        EXPECT_EQ(QFile::exists(path), c.written);
        EXPECT_TRUE(printers->printed.empty());
    }
    EXPECT_TRUE(readAll(path).startsWith("%PDF"));
    EXPECT_EQ(dialogs.unexpected, 0);
}

TEST_F(PrintMenuTest, previewAndSaveAsPdfTakeOneReportOrAll) {
    run("M_Print_Preview_channels");
    run("M_Print_Preview_all");
    EXPECT_EQ(printers->previewed, (std::vector<std::vector<ReportKind>>(2, {ReportKind::ChannelList})))
        << "all is the channel list alone: nothing else to print";

    const QString path = tempPath(QStringLiteral("all.pdf"));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("earlier");
    old.close();
    // Written: the message names the file and offers to open it.
    const QString saved = ws().text(kTxtPdfSaved).arg(QDir::toNativeSeparators(path));
    const struct {
        Answer answer;
        bool opens;
        QStringList opened;
        QString last; // the last message
    } cases[] = {
        {Answer::No, true, {}, saved},
        {Answer::Yes, true, {path}, saved},
        {Answer::Yes, false, {path}, ws().text(kTxtNoViewer).arg(QDir::toNativeSeparators(path))},
    };
    for (const auto& c : cases) {
        printers->opened.clear();
        printers->opens = c.opens;
        dialogs.files = {path};
        dialogs.answers = {c.answer};
        run("M_Print_Pdf_all");
        EXPECT_TRUE(readAll(path).startsWith("%PDF"));
        EXPECT_EQ(printers->opened, c.opened);
        EXPECT_EQ(lastMessage(), c.last);
    }
    // A file that cannot be written is told, and the earlier file stays.
    dialogs.files = {path + QStringLiteral("/x.pdf")};
    run("M_Print_Pdf_sms");
    EXPECT_EQ(lastMessage(), ws().text(kTxtNothingToPrint));
    ws().cfg.SysData[kSysEventSms] = 1;
    run("M_Print_Pdf_sms");
    EXPECT_TRUE(lastMessage().startsWith(ws().text(kTxtSaveFailed)));
    EXPECT_TRUE(readAll(path).startsWith("%PDF"));
    EXPECT_EQ(dialogs.unexpected, 0);
}
