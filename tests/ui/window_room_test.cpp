// Room to work: the one window keeps its first-start place and size (the matrix and the editor side by
// side in their own sizes) and remembers the user's size and split, the matrix and grids grow with it, cells show
// descriptions when they have the room, and the editor's pages show every text whole with each unit label beside its
// field, in every language.

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSplitter>

#include "model/channel_types.h"
#include "model/text_ids.h"
#include "pictures/icon_factory.h"
#include "tests/support/program_fixture.h"
#include "tests/support/workspace_setup.h"
#include "ui/editor/pages/master_page.h"
#include "ui/editor/pages/roller_page.h"
#include "ui/main/channel_cell.h"

using namespace korvane;
using namespace korvane::test;

namespace {

class WindowRoomTest : public StartedProgramFixture {
protected:
    void settle() {
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
    }
    static int px(int twips) { return TwipsToPixels(twips, QApplication::primaryScreen()->logicalDotsPerInchY()); }
};

TEST_F(WindowRoomTest, firstStartKeepsThePlaceAndTheUsersSizeAndSplitAreRemembered) {
    settle();
    auto* split = main().findChild<QSplitter*>(QStringLiteral("Panes"));
    ASSERT_NE(split, nullptr);
    EXPECT_EQ(editor().window(), &main()) << "the editor is a pane of the main window";
    EXPECT_EQ(main().pos(), QPoint(0, 0));
    EXPECT_EQ(split->sizes(), (QList<int>{px(4410), px(5280)}));
    EXPECT_GE(editor().height(), px(6800));
    const int before = main().cell(0)->width();
    const int captionPx = main().findChild<QLabel*>("L_CHG_0")->fontInfo().pixelSize();

    main().resize(790, 590);
    settle();
    split->setSizes({430, 360});
    emit split->splitterMoved(430, 1);
    settle();
    EXPECT_GT(main().cell(0)->width(), before * 5 / 4) << "the cells grow with the window";
    EXPECT_GT(main().findChild<QLabel*>("L_CHG_0")->fontInfo().pixelSize(), captionPx) << "the letters follow";
    EXPECT_EQ(settings().value("ProgramWindowWidth"), QStringLiteral("790"));
    EXPECT_EQ(settings().value("ProgramWindowHeight"), QStringLiteral("590"));
    EXPECT_EQ(settings().value("PaneSplit"), QStringLiteral("%1,%2").arg(split->sizes()[0]).arg(split->sizes()[1]));

    // Maximised is kept too, and the size the window comes back to.
    main().showMaximized();
    settle();
    EXPECT_EQ(settings().value("ProgramWindowMaximized"), QStringLiteral("1"));
    main().showNormal();
    settle();
    EXPECT_EQ(settings().value("ProgramWindowMaximized"), QStringLiteral("0"));
    EXPECT_EQ(settings().value("ProgramWindowWidth"), QStringLiteral("790"));

    // The next start takes the size and the split; a split that does not fit is left alone.
    const QList<int> sizes = split->sizes();
    program_.reset();
    ASSERT_TRUE(start());
    settle();
    EXPECT_EQ(QRect(main().pos(), main().size()), QRect(0, 0, 790, 590));
    EXPECT_EQ(main().findChild<QSplitter*>(QStringLiteral("Panes"))->sizes(), sizes);
    settings().setValue("PaneSplit", QStringLiteral("700,x"));
    program_.reset();
    ASSERT_TRUE(start());
    settle();
    EXPECT_EQ(main().findChild<QSplitter*>(QStringLiteral("Panes"))->count(), 2);
}

// At 1366 by 768 (maximised, less the window's frame and title) every channel cell and the whole of
// every editor page are in sight at once, in every language.
TEST_F(WindowRoomTest, aLaptopScreenShowsEveryCellAndTheWholePage) {
    main().resize(1366, 768 - 32);
    settle();
    const QRect window = main().rect();
    for (const char* file : {"English.dat", "Deutsch.dat", "Dansk.dat"}) {
        useShippedTexts(file);
        forEveryPage([&](const QString& name) {
            SCOPED_TRACE(QStringLiteral("%1 %2").arg(QLatin1String(file), name).toStdString());
            settle();
            EXPECT_EQ(main().size(), QSize(1366, 768 - 32)) << "the page made the window grow";
            EXPECT_LE(editor().minimumSizeHint().width(), editor().width());
            EXPECT_LE(editor().minimumSizeHint().height(), editor().height());
            for (QWidget* w : editor().findChildren<QWidget*>()) {
                // What a layout places (a grid's key field stands aside, out of sight).
                QLayout* layout = w->parentWidget() ? w->parentWidget()->layout() : nullptr;
                if (!w->isVisibleTo(&editor()) || w->isWindow() || !layout || layout->indexOf(w) < 0 ||
                    w->size().isEmpty())
                    continue;
                const QRect r(w->mapTo(&main(), QPoint(0, 0)), w->size());
                EXPECT_TRUE(window.contains(r)) << w->objectName().toStdString() << " " << r.x() << "," << r.y() << " "
                                                << r.width() << "x" << r.height();
            }
        });
    }
    for (int n = 0; n < kChannels; ++n) {
        ChannelCell* c = main().cell(n);
        const QRect r(c->mapTo(&main(), QPoint(0, 0)), c->size());
        EXPECT_TRUE(window.contains(r)) << n;
        EXPECT_GE(c->height(), 30) << n;
        EXPECT_GE(c->width(), 40) << n;
    }
}

TEST_F(WindowRoomTest, theEditorsGridsGrowWithTheWindowAndRollerCellsAreNoSmaller) {
    const QSize room = main().size();
    auto sides = [&](QSize size) {
        main().resize(size);
        openChannel(0, kTypeMaster);
        settle();
        const int master = editor().masterPage()->cell(0)->width();
        EXPECT_EQ(editor().masterPage()->cell(0)->height(), master) << "square cells";
        openChannel(0, kTypeRollerMaster);
        settle();
        const int roller = editor().findChild<RollerMasterPage*>()->cell(0)->width();
        EXPECT_GE(roller, master) << size.width() << "x" << size.height();
        return std::pair{master, roller};
    };
    const auto [master, roller] = sides(room);
    const auto [largeMaster, largeRoller] = sides(room * 3 / 2);
    EXPECT_GE(largeMaster, master * 5 / 4);
    EXPECT_GE(largeRoller, roller * 5 / 4);
}

TEST_F(WindowRoomTest, aWideCellShowsTheDescriptionAndLogicMarkAsPlainText) {
    const QString description = QStringLiteral("<b>Kitchen</b> light over the long table by the window");
    ConfigurationForSetUp(ws()).ChanText[0] = ToCp1252(description);
    ConfigurationForSetUp(ws()).ChanText[1] = "Hall \xE6";
    ConfigurationForSetUp(ws()).LogicBlocks[0] = {1, 1, 2, 4}; // A2 is a logic block's output
    ws().announceReplaced();
    ChannelCell* a1 = main().cell(0);
    ChannelCell* a2 = main().cell(1);
    settle();
    EXPECT_EQ(a1->shownLines(), QStringList()) << "the first start's small cells show the icon alone";

    a1->setLabel(description, true);
    // The cell's size and whether it shows the description.
    const std::pair<QSize, bool> cases[] = {{{32, 24}, false}, {{60, 30}, false}, {{240, 60}, true}, {{120, 90}, true}};
    for (const auto& [size, text] : cases) {
        a1->resize(size);
        const QString shown = a1->shownLines().join(QLatin1Char(' '));
        EXPECT_EQ(!shown.isEmpty(), text) << size.width() << "x" << size.height();
        if (!text)
            continue;
        EXPECT_TRUE(shown.startsWith(QStringLiteral("!! <b>Kit"))) << shown.toStdString();
        EXPECT_TRUE(shown.endsWith(QChar(0x2026))) << "elided: " << shown.toStdString();
        const QFontMetrics fm(a1->textFont());
        for (const QString& line : a1->shownLines())
            EXPECT_LE(fm.horizontalAdvance(line), size.width()) << line.toStdString();
        EXPECT_LE(a1->iconRect().right(), size.width());
    }
    // A short description whole; View > Descriptions in the cells switches them off and is remembered.
    a2->resize(240, 60);
    EXPECT_EQ(a2->shownLines(), QStringList{QStringLiteral("!! Hall æ")});
    act("M_View_CellText")->trigger();
    EXPECT_EQ(a2->shownLines(), QStringList());
    EXPECT_EQ(settings().value("CellDescriptions"), QStringLiteral("0"));
    EXPECT_EQ(a2->toolTip(), QStringLiteral("!! A2: D101 >> Hall æ")) << "the tooltip stays";
}

TEST_F(WindowRoomTest, iconsArePaintedAtTheDevicePixelRatio) {
    ws().changeChannelType(0, kTypeIntruderPassive);
    ChannelCell* a1 = main().cell(0);
    a1->resize(40, 30);
    for (qreal dpr : {1.0, 2.0}) {
        QImage shot(a1->size() * dpr, QImage::Format_ARGB32_Premultiplied);
        shot.setDevicePixelRatio(dpr);
        shot.fill(Qt::transparent);
        a1->render(&shot, QPoint(), QRegion(), QWidget::RenderFlags());
        // The same picture drawn straight at the device's resolution.
        QImage direct(shot.size(), QImage::Format_ARGB32_Premultiplied);
        direct.setDevicePixelRatio(dpr);
        direct.fill(Qt::transparent);
        {
            QPainter p(&direct);
            IconFactory::paint(p, a1->iconRect(), kTypeIntruderPassive);
        }
        const QRect icon = QRectF(a1->iconRect().topLeft() * dpr, a1->iconRect().size() * dpr).toAlignedRect();
        int differing = 0;
        for (int y = icon.top(); y <= icon.bottom(); ++y)
            for (int x = icon.left(); x <= icon.right(); ++x)
                differing += shot.pixel(x, y) != direct.pixel(x, y);
        EXPECT_EQ(differing, 0) << "dpr " << dpr;
    }
}

// The editor's pages in every shipped language: no text wider than its label, every unit label
// right after its field, and the page fits the editor's first-start size.
TEST_F(WindowRoomTest, pagesShowEveryTextWholeWithTheUnitBesideItsField) {
    const QSize room = editor().size();
    const QString shots = qEnvironmentVariable("KORVANE_PAGE_SHOTS"); // a folder: grabs to look at
    for (const char* file : {"English.dat", "Deutsch.dat", "Dansk.dat"}) {
        useShippedTexts(file);
        ConfigurationForSetUp(ws()).SysData[kSysEventSms] = 1;
        forEveryPage([&](const QString& name) {
            SCOPED_TRACE(QStringLiteral("%1 %2").arg(QLatin1String(file), name).toStdString());
            settle();
            EXPECT_LE(editor().minimumSizeHint().width(), room.width());
            EXPECT_LE(editor().minimumSizeHint().height(), room.height());
            if (!shots.isEmpty())
                editor().grab().save(QStringLiteral("%1/%2-%3.png").arg(shots, QLatin1String(file).left(3), name));
            for (QWidget* w : editor().findChildren<QWidget*>()) {
                if (!w->isVisibleTo(&editor()))
                    continue;
                const std::string what =
                    QStringLiteral("%1 '%2'").arg(w->objectName(), w->property("text").toString()).toStdString();
                auto* l = qobject_cast<QLabel*>(w);
                if (l && !l->text().isEmpty() && l->pixmap().isNull()) {
                    // A label that wraps needs its longest word on a line and its lines in its height.
                    QString longest;
                    for (const QString& word : l->text().split(QRegularExpression(QStringLiteral("[\\s-]+"))))
                        if (l->fontMetrics().horizontalAdvance(word) > l->fontMetrics().horizontalAdvance(longest))
                            longest = word;
                    const QString whole = l->wordWrap() ? longest : l->text();
                    EXPECT_LE(l->fontMetrics().horizontalAdvance(whole), l->contentsRect().width()) << what;
                    EXPECT_LE(l->wordWrap() ? l->heightForWidth(l->width()) : 0, l->height()) << what;
                }
                // A push button's text in its width; a check box or option also with its indicator.
                auto* b = qobject_cast<QAbstractButton*>(w);
                if (b && !b->text().isEmpty()) {
                    const int needed = qobject_cast<QPushButton*>(b) ? b->fontMetrics().horizontalAdvance(b->text()) + 6
                                                                     : b->sizeHint().width();
                    EXPECT_GE(b->width(), needed) << what;
                }
                // A list is as wide as its longest item.
                if (qobject_cast<QComboBox*>(w)) {
                    EXPECT_GE(w->width(), w->sizeHint().width()) << what;
                }
                // A unit label stands right after its field.
                if (const QString unitOf = w->property("korvaneUnitOf").toString(); !unitOf.isEmpty()) {
                    QWidget* field = editor().findChild<QWidget*>(unitOf);
                    ASSERT_NE(field, nullptr) << unitOf.toStdString();
                    const int gap =
                        w->mapTo(&editor(), QPoint(0, 0)).x() - field->mapTo(&editor(), QPoint(field->width(), 0)).x();
                    EXPECT_TRUE(gap >= 0 && gap <= 12) << what << " " << gap;
                }
            }
        });
    }
}

} // namespace
