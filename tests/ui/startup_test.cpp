#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QTest>

#include "app/texts.h"
#include "tests/support/io_test_support.h"
#include "tests/support/program_fixture.h"
#include "ui/main/channel_cell.h"

using namespace korvane;
using namespace korvane::test;

namespace {

using Startup = ProgramFixture;

} // namespace

TEST_F(Startup, firstRunWritesEveryKeyWithItsDefault) {
    ASSERT_TRUE(start());
    QSettings raw(settingsPath(), QSettings::IniFormat);
    for (const auto& row : korvane::testing::dataTable("ui_first_run_settings.txt", 2)) {
        const QString key = QString::fromStdString(row[0]);
        EXPECT_TRUE(raw.contains(QStringLiteral("Data/") + key)) << row[0];
        const QString value = QString::fromStdString(row[1]).replace(QStringLiteral("<prog>"), programFolder());
        EXPECT_EQ(settings().value(key, QStringLiteral("<absent>")), QDir::toNativeSeparators(value)) << row[0];
    }
    // The second slot is current on a first run, and every recent item is disabled.
    EXPECT_EQ(ws().CurLanguage, 1);
    EXPECT_EQ(WithoutAccessKeyMark(child<QMenu>("M_File")->title()), QStringLiteral("D1"));
    for (int k = 1; k <= 4; ++k)
        EXPECT_FALSE(act(QStringLiteral("Load_fileno_%1").arg(k))->isEnabled()) << k;
    EXPECT_TRUE(dialogs.shown.empty()) << dialogs.texts().join('|').toStdString();
}

TEST_F(Startup, aMovedOrNewRevisionProgramResetsAllButTheComPort) {
    const auto installed = korvane::testing::dataTable("ui_start_installed.txt", 4);
    for (const auto& changed : installed) {
        SCOPED_TRACE(changed[0]);
        for (const auto& row : installed) {
            const QString value = QString::fromStdString(row[&row == &changed ? 2 : 1]);
            settings().setValue(QString::fromStdString(row[0]),
                                value == "<prog>" ? QDir::toNativeSeparators(programFolder()) : value);
        }
        const ProgramSettings p = ReadStartupSettings(settings(), programFolder());
        const bool reset = changed[3] == "yes";
        EXPECT_EQ(p.wasReset, reset);
        EXPECT_EQ(p.recentFiles[0], reset ? QString() : QStringLiteral("/data/a.zeb"));
        EXPECT_EQ(p.curLanguage, reset ? 1 : 2);
        EXPECT_EQ(p.langNames[0], reset ? QStringLiteral("English") : QStringLiteral("Klingon"));
        EXPECT_EQ(p.comPort, 3);
        EXPECT_EQ(settings().value("ComPortUsing"), QStringLiteral("3"));
        EXPECT_EQ(settings().value("File1"), p.recentFiles[0]);
        EXPECT_EQ(settings().value("Startup"), QDir::toNativeSeparators(programFolder()));
    }
}

TEST_F(Startup, switchingLanguageRecaptionsBothWindowsAndMovesTheCheckMark) {
    ASSERT_TRUE(start());
    main().Menu_View_Sprog_Click(2);
    EXPECT_EQ(ws().CurLanguage, 2);
    EXPECT_EQ(settings().value("CurrentLanguage"), QStringLiteral("2"));
    EXPECT_EQ(WithoutAccessKeyMark(child<QMenu>("M_File")->title()), QStringLiteral("K1"));
    EXPECT_EQ(WithoutAccessKeyMark(act("M_File_New")->text()), QStringLiteral("K2\tCtrl+N"));
    EXPECT_EQ(WithoutAccessKeyMark(act("M_File_Exit")->text()), QStringLiteral("K7\tAlt+X"));
    EXPECT_TRUE(act("Menu_View_Sprog_2")->isChecked());
    EXPECT_FALSE(act("Menu_View_Sprog_1")->isChecked());
    EXPECT_EQ(WithoutAccessKeyMark(act("PopUp_ChannelType_22")->text()), QStringLiteral("K27"));
    EXPECT_TRUE(editor().windowTitle().startsWith(QStringLiteral("K0")));
    EXPECT_EQ(main().cell(0)->toolTip(), QStringLiteral("A1: K101"));
    // A missing language file, or one with a bad record, is reported and leaves the previous language current.
    WriteTextFile(tempPath("Broken.dat"), {{330, "xx07300-0000"}, {331, "Broken"}, {1, "B1"}, {1000, "x"}});
    // The fixed sentence names the file and what is wrong with it.
    for (const auto& [file, why] :
         {std::pair{"nowhere/English.dat", "No such file or directory"}, std::pair{"Broken.dat", "line 4: "}}) {
        dialogs.shown.clear();
        ws().LangFiles[0] = tempPath(QLatin1String(file));
        main().Menu_View_Sprog_Click(0);
        EXPECT_EQ(ws().CurLanguage, 2) << file;
        ASSERT_EQ(dialogs.texts().size(), 1) << file;
        const QString shown = dialogs.texts().front();
        EXPECT_TRUE(shown.startsWith(QStringLiteral("Bad or Corrupted language file...\n\n") +
                                     tempPath(QLatin1String(file)) + QStringLiteral(": ")))
            << shown.toStdString();
        EXPECT_TRUE(shown.contains(QLatin1String(why))) << shown.toStdString();
        EXPECT_EQ(WithoutAccessKeyMark(child<QMenu>("M_File")->title()), QStringLiteral("K1")) << file;
        EXPECT_EQ(settings().value("CurrentLanguage"), QStringLiteral("2")) << file;
    }
}

TEST_F(Startup, aPortSettingNotUnderstoodIsNamedWithThePortUsedInstead) {
    // A hand edit the program does not know: said at the start, with the port used instead, and the
    // setting then holds that port.
    std::map<int, QString> texts = TestLanguageTexts(QStringLiteral("D"), QStringLiteral("Deutsch"));
    texts[kTxtPortSettingUnknown] = QStringLiteral("ComPortUsing=%1? Com %2");
    WriteTextFile(programFolder() + QStringLiteral("/Language/Deutsch.dat"), texts);
    settings().setValue(QStringLiteral("ComPortUsing"), QStringLiteral("sim"));
    ASSERT_TRUE(start());
    EXPECT_EQ(ws().ComPort, 1);
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("ComPortUsing=sim? Com 1")});
    EXPECT_EQ(settings().value("ComPortUsing"), QStringLiteral("1"));
}

TEST_F(Startup, helpShowsTheHelpTextOrTextTwoHundredWithTitleAndNumber) {
    ASSERT_TRUE(start());
    act("Mnu_generelHelp")->trigger();
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_EQ(dialogs.shown.back().text, QStringLiteral("D-general help"));
    EXPECT_EQ(dialogs.shown.back().caption, QStringLiteral("D17"));
    ShowHelp(program_->context(), nullptr, 0, QStringLiteral("Main_Form"));
    EXPECT_EQ(dialogs.shown.back().text, QStringLiteral("D200"));
    EXPECT_EQ(dialogs.shown.back().caption, QStringLiteral("Main_Form0"));
}

TEST(DialogHelpers, barFiltersBecomeQtFiltersAndTitlesDropTheFolder) {
    EXPECT_EQ(ToQtFilter("Korvane (*.zeb)|*.zeb|M52xx07 (*.x07)|*.x07|All(*.*)|*.*"),
              QStringLiteral("Korvane (*.zeb);;M52xx07 (*.x07);;All (*)"));
    EXPECT_EQ(ToQtFilter("ZEB1 language(*.dat)|*.dat"), QStringLiteral("ZEB1 language (*.dat)"));
    EXPECT_EQ(DefaultSuffix("Korvane (*.zeb)"), QStringLiteral("zeb"));
    EXPECT_EQ(DefaultSuffix("M52xx07 (*.x07)"), QStringLiteral("x07"));
    EXPECT_EQ(DefaultSuffix("All (*)"), QString());
    const std::pair<const char*, const char*> titles[] = {{"C:\\Data\\house.zeb", "house.zeb"},
                                                          {"/home/ole/house.zeb", "house.zeb"},
                                                          {"house.zeb", "house.zeb"},
                                                          {"C:\\Data/mixed\\b.x07", "b.x07"},
                                                          {"", ""}};
    for (const auto& [path, title] : titles)
        EXPECT_EQ(FileTitle(path), QLatin1String(title)) << path;
}

TEST_F(Startup, theLanguagePageTakesOnlyValidLanguageFilesIntoASlot) {
    ASSERT_TRUE(start());
    act("MnuSetLanguage")->trigger();
    EXPECT_EQ(editor().currentPage(), QStringLiteral("Frame_SelectLanguage"));
    auto* slot2 = child<QLineEdit>("T_Language_2");
    EXPECT_EQ(slot2->text(), QStringLiteral("Dansk"));

    for (const auto& row : korvane::testing::dataTable("ui_language_files.txt", 3)) {
        SCOPED_TRACE(row[0]);
        std::map<int, QString> records;
        for (const std::string& r : korvane::testing::splitOn(row[1], ';'))
            records[std::stoi(r)] = QString::fromStdString(r.substr(r.find('=') + 1));
        const QString slot = row[2] == "yes" ? QStringLiteral("Svenska") : QStringLiteral("Dansk");
        WriteTextFile(tempPath("Svenska.dat"), records);
        dialogs.shown.clear();
        dialogs.files = {tempPath("Svenska.dat")};
        QTest::mouseClick(child<QPushButton>("C_FindLang_2"), Qt::LeftButton);
        EXPECT_EQ(dialogs.shown.empty(), row[2] == "yes");
        if (row[2] == "no") {
            EXPECT_TRUE(dialogs.texts().value(0).startsWith(QStringLiteral("Bad or Corrupted language file...\n\n") +
                                                            tempPath("Svenska.dat") + QStringLiteral(": ")))
                << dialogs.texts().value(0).toStdString();
        }
        EXPECT_EQ(slot2->text(), slot);
        EXPECT_EQ(settings().value("Language2"), slot);
    }
    EXPECT_EQ(ws().LangFiles[2], tempPath("Svenska.dat"));
    EXPECT_EQ(settings().value("LanguageFile#2"), tempPath("Svenska.dat"));
    EXPECT_EQ(dialogs.fileDialogs.back().filter, QStringLiteral("ZEB1 language(*.dat)|*.dat"));
    EXPECT_EQ(dialogs.fileDialogs.back().title, QStringLiteral("D32"));
    // Cancelling the browse changes nothing.
    dialogs.files = {std::nullopt};
    QTest::mouseClick(child<QPushButton>("C_FindLang_0"), Qt::LeftButton);
    EXPECT_EQ(child<QLineEdit>("T_Language_0")->text(), QStringLiteral("English"));
    // OK reloads the current language and returns to the about page.
    QTest::mouseClick(child<QPushButton>("C_langOk"), Qt::LeftButton);
    EXPECT_EQ(editor().currentPage(), QStringLiteral("Frame_Welcome"));
    EXPECT_EQ(WithoutAccessKeyMark(act("Menu_View_Sprog_2")->text()), QStringLiteral("Svenska"));
}
