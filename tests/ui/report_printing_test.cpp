// Reports on Qt paint devices: texts placed by their top and measured on the device, PDF files that
// leave an earlier file intact, and the Print menu with a fake printing system.

#include <QAction>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <unistd.h>

#include "model/channel_types.h"
#include "reports/print_engine.h"
#include "reports/qt/painter_surface.h"
#include "reports/qt/report_output.h"
#include "tests/support/program_fixture.h"
#include "ui/main/report_printing.h"

using namespace korvane;
using namespace korvane::test;

namespace {

constexpr int kDotsPerMeter144 = 5670; // 144 dpi: 0.1 pixel per twip

// The inked bounding box of an image drawn black on white.
QRect ink(const QImage& img) {
    int left = img.width(), right = -1, top = img.height(), bottom = -1;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qGray(img.pixel(x, y)) < 160) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

QImage page144() {
    QImage img(1200, 600, QImage::Format_ARGB32);
    img.setDotsPerMeterX(kDotsPerMeter144);
    img.setDotsPerMeterY(kDotsPerMeter144);
    img.fill(Qt::white);
    return img;
}

Configuration blank() {
    Configuration cfg;
    EditState state;
    ClearConfiguration(cfg, state);
    return cfg;
}

TextLookup plainTexts() {
    return [](int n) { return "Text " + std::to_string(n); };
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(PainterSurface, textsStandOnTheirTopAndEndAtTheirRightEdgeOnTheDevice) {
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
        const double top = 2000;
        const double right = 9000;
        canvas.rightAligned(right, 1000, top, c.points, c.bold, c.text);
        const double height = canvas.height(c.points, c.bold);
        p.end();
        const QRect box = ink(img);
        ASSERT_FALSE(box.isNull()) << c.text;
        // Placed by the top: the ink starts below the top and ends within the line's height.
        EXPECT_GE(box.top(), top * 0.1 - 0.5) << c.text;
        EXPECT_LE(box.top(), (top + height * 0.4) * 0.1) << c.text;
        EXPECT_LE(box.bottom(), (top + height) * 0.1 + 0.5) << c.text;
        // Measured on the device: the last ink column is at the right edge, not a screen-width away.
        EXPECT_LE(box.right(), right * 0.1 + 0.5) << c.text;
        EXPECT_GE(box.right(), right * 0.1 - 3) << c.text;
    }
}

TEST(PainterSurface, picturesAndRulesFillTheirTwipRectangles) {
    QImage img = page144();
    QPainter p(&img);
    PainterSurface s(p, img, nullptr, QPointF(100, 200));
    s.picture(1440, 1440, 225, kTypeIntruderPassive);
    p.end();
    const QRect pic = ink(img);
    EXPECT_GE(pic.left(), 153);
    EXPECT_LE(pic.right(), 177);
    EXPECT_GE(pic.top(), 163);
    EXPECT_LE(pic.bottom(), 187);

    QImage img2 = page144();
    QPainter p2(&img2);
    PainterSurface s2(p2, img2);
    s2.fillRect(1077.3, 1134, 11056.5, 1166);
    EXPECT_FALSE(s2.newPage()) << "an image has no further pages";
    p2.end();
    EXPECT_EQ(ink(img2), QRect(QPoint(108, 113), QPoint(1105, 116)));
}

TEST(ReportPdf, writesTheReportsAndKeepsAnEarlierFileWhenItCannot) {
    QTemporaryDir dir;
    Configuration cfg = blank();
    cfg.SysData[kSysChannelsInUse] = 127;
    SetChannelType(cfg, 3, kTypeRealTime);
    const ReportInput in{cfg, plainTexts(), "Villa.zeb", {2026, 3, 6, 9, 41, 0, 5}};
    const QString path = dir.filePath(QStringLiteral("report.pdf"));

    const OutputOutcome all = WriteReportsPdf(path, in, ReportsWithContent(cfg));
    ASSERT_TRUE(all.ok()) << all.reason.toStdString();
    EXPECT_EQ(all.pages, 5); // four pages of channels, one real-time page
    const QByteArray pdf = readAll(path);
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "), 5);

    // Nothing to print: no file is touched.
    EXPECT_EQ(WriteReportsPdf(path, in, {ReportKind::Logic}).outcome, ReportOutcome::NothingToPrint);
    EXPECT_EQ(readAll(path), pdf);

    // A folder that is a file: the reason is told and nothing is created.
    const OutputOutcome bad = WriteReportsPdf(path + QStringLiteral("/x.pdf"), in, {ReportKind::ChannelList});
    EXPECT_EQ(bad.outcome, ReportOutcome::Failed);
    EXPECT_FALSE(bad.reason.isEmpty());
    EXPECT_EQ(readAll(path), pdf);
}

TEST(ReportPdf, thePagesAndCopiesChosenInThePrintDialogAreTheOnesPrinted) {
    Configuration cfg = blank();
    cfg.SysData[kSysChannelsInUse] = 127;
    SetChannelType(cfg, 3, kTypeRealTime);
    const ReportInput in{cfg, plainTexts(), "Villa.zeb", {2026, 3, 6, 9, 41, 0, 5}};
    const std::vector<ReportKind> kinds = ReportsWithContent(cfg);
    const int all = CountPages(in, kinds, 1200);
    ASSERT_EQ(all, 5); // four pages of channels, one real-time page
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
        ASSERT_TRUE(o.ok()) << o.reason.toStdString();
        EXPECT_EQ(o.pages, c.printed);
        const QByteArray pdf = buffer.data();
        EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "), c.printed);
    }
}

TEST(ReportPdf, aReadOnlyFolderFailsAndKeepsTheEarlierFile) {
    if (geteuid() == 0)
        GTEST_SKIP() << "running as root, which writes into a read-only folder anyway";
    QTemporaryDir dir;
    const Configuration cfg = blank();
    const ReportInput in{cfg, plainTexts(), "Villa.zeb", {2026, 3, 6, 9, 41, 0, 5}};
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    ASSERT_TRUE(WriteReportsPdf(path, in, {ReportKind::ChannelList}).ok());
    const QByteArray pdf = readAll(path);
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const OutputOutcome ro = WriteReportsPdf(path, in, {ReportKind::ChannelList});
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(ro.outcome, ReportOutcome::Failed);
    EXPECT_EQ(readAll(path), pdf) << "the earlier file is intact";
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

    FakePrinters* printers = nullptr;
};

} // namespace

TEST_F(PrintMenuTest, menuEntriesAreEnabledAndCaptionedFromTheLanguage) {
    const std::pair<const char*, int> entries[] = {
        {"M_Print_ChList", 259}, {"M_Print_Master", 260},  {"M_Print_Realtime", 261},     {"M_PrintLogic", 262},
        {"M_Print_Sms", 210},    {"M_Print_Pdf_all", 385}, {"M_Print_Preview_logic", 262}};
    for (auto [name, text] : entries) {
        QAction* a = act(QLatin1String(name));
        ASSERT_TRUE(a) << name;
        EXPECT_TRUE(a->isEnabled()) << name;
        EXPECT_EQ(WithoutAccessKeyMark(a->text()), ws().text(text)) << name;
    }
    EXPECT_EQ(WithoutAccessKeyMark(child<QMenu>(QStringLiteral("M_Print_Preview"))->title()),
              ws().text(kTxtPrintPreview));
    EXPECT_EQ(WithoutAccessKeyMark(child<QMenu>(QStringLiteral("M_Print_Pdf"))->title()), ws().text(kTxtSaveAsPdf));
}

TEST_F(PrintMenuTest, aReportAsksWithThePrintDialogAndTellsTheOutcome) {
    printers->name = QStringLiteral("Office");
    ws().changeChannelType(2, kTypeRealTime);
    const struct {
        const char* what;
        PrintResult result;
        QString message; // empty: nothing is said
    } cases[] = {
        {"cancelled in the dialog", {{}, true, {}}, {}},
        {"printed on the printer chosen",
         {{ReportOutcome::Printed, {}, 1}, false, QStringLiteral("Workshop")},
         QStringLiteral("sent to Workshop")},
        {"refused",
         {{ReportOutcome::Failed, QStringLiteral("refused"), 0}, false, QStringLiteral("Office")},
         QStringLiteral("failed on Office")},
    };
    for (const auto& c : cases) {
        dialogs.shown.clear();
        printers->result = c.result;
        act(QStringLiteral("M_Print_Realtime"))->trigger();
        // The dialog is offered on the default printer every time.
        EXPECT_EQ(printers->printersOffered.back(), QStringLiteral("Office")) << c.what;
        EXPECT_EQ(lastMessage(), c.message) << c.what;
        if (!c.message.isEmpty()) {
            EXPECT_EQ(dialogs.shown.back().icon,
                      c.result.output.ok() ? MessageIcon::Information : MessageIcon::Exclamation)
                << c.what;
        }
    }
    ASSERT_EQ(printers->printed.size(), 2u);
    EXPECT_EQ(printers->printed[0], std::vector<ReportKind>{ReportKind::RealTime});

    // Nothing to print: the message, and no dialog at all.
    act(QStringLiteral("M_Print_Master"))->trigger();
    EXPECT_EQ(lastMessage(), ws().text(kTxtNothingToPrint));
    EXPECT_EQ(printers->printersOffered.size(), 3);
    EXPECT_EQ(dialogs.unexpected, 0);
}

TEST_F(PrintMenuTest, channelsInUseOnlyIsRememberedAndEveryReportFollowsIt) {
    printers->name = QStringLiteral("Office");
    QAction* inUse = act(QStringLiteral("M_Print_InUse"));
    ASSERT_TRUE(inUse);
    EXPECT_TRUE(inUse->isCheckable());
    EXPECT_FALSE(inUse->isChecked()); // the full listing is the default
    EXPECT_EQ(WithoutAccessKeyMark(inUse->text()), ws().text(kTxtInUseOnly));

    act(QStringLiteral("M_Print_ChList"))->trigger();
    inUse->trigger();
    EXPECT_EQ(settings().value(QStringLiteral("PrintInUseOnly")), QStringLiteral("1"));
    // Nothing in use: the channel list has nothing to print with the option.
    act(QStringLiteral("M_Print_ChList"))->trigger();
    EXPECT_EQ(lastMessage(), ws().text(kTxtNothingToPrint));
    ws().changeChannelType(5, kTypeFlipFlop);
    act(QStringLiteral("M_Print_ChList"))->trigger();
    act(QStringLiteral("M_Print_Preview_all"))->trigger();
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
        act(QStringLiteral("M_Print_ChList"))->trigger();
        ASSERT_FALSE(dialogs.shown.empty());
        EXPECT_EQ(dialogs.shown.front().text, ws().text(kTxtNoPrinter));
        EXPECT_EQ(dialogs.shown.front().buttons, Buttons::YesNo);
        EXPECT_EQ(dialogs.fileDialogs.size(), c.answer == Answer::Yes ? 1u : 0u);
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
    act(QStringLiteral("M_Print_Preview_channels"))->trigger();
    act(QStringLiteral("M_Print_Preview_all"))->trigger();
    ASSERT_EQ(printers->previewed.size(), 2u);
    EXPECT_EQ(printers->previewed[0], std::vector<ReportKind>{ReportKind::ChannelList});
    EXPECT_EQ(printers->previewed[1], std::vector<ReportKind>{ReportKind::ChannelList}); // nothing else to print

    const QString path = tempPath(QStringLiteral("all.pdf"));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("earlier");
    old.close();
    // Written: the message names the file and offers to open it.
    const struct {
        Answer answer;
        bool opens;
        QStringList opened;
        QString last; // the last message
    } saved[] = {
        {Answer::No, true, {}, ws().text(kTxtPdfSaved).arg(QDir::toNativeSeparators(path))},
        {Answer::Yes, true, {path}, ws().text(kTxtPdfSaved).arg(QDir::toNativeSeparators(path))},
        {Answer::Yes, false, {path}, ws().text(kTxtNoViewer).arg(QDir::toNativeSeparators(path))},
    };
    for (const auto& c : saved) {
        printers->opened.clear();
        printers->opens = c.opens;
        dialogs.files = {path};
        dialogs.answers = {c.answer};
        act(QStringLiteral("M_Print_Pdf_all"))->trigger();
        EXPECT_TRUE(readAll(path).startsWith("%PDF"));
        EXPECT_EQ(printers->opened, c.opened);
        EXPECT_EQ(lastMessage(), c.last);
    }

    // A file that cannot be written is told, and the earlier file stays.
    dialogs.files = {path + QStringLiteral("/x.pdf")};
    act(QStringLiteral("M_Print_Pdf_sms"))->trigger();
    EXPECT_EQ(lastMessage(), ws().text(kTxtNothingToPrint));
    ws().cfg.SysData[kSysEventSms] = 1;
    act(QStringLiteral("M_Print_Pdf_sms"))->trigger();
    EXPECT_TRUE(lastMessage().startsWith(ws().text(kTxtSaveFailed)));
    EXPECT_TRUE(readAll(path).startsWith("%PDF"));
    EXPECT_EQ(dialogs.unexpected, 0);
}
