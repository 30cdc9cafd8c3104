#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QProxyStyle>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <optional>
#include <sys/stat.h>

#include "io/config_file.h"
#include "model/channel_types.h"
#include "tests/support/program_fixture.h"
#include "ui/transfer/frm_serial_io.h"

using namespace korvane;
using namespace korvane::test;

namespace {

class MainWindowTest : public StartedProgramFixture {
protected:
    int type(int c) { return ws().typeOf(c); }
    QString zeb(const char* name) { return tempPath(QLatin1String(name)); }
};

} // namespace

// The scenarios of tests/data/ui_matrix_steps.txt: type keys, cursor keys, claimed channels, clicks
// on a cell, undo in the matrix and of a settled entry, Ctrl shortcuts and Alt+X, saving and reopening,
// the recent files' entries, undo keys in every language.
TEST_F(MainWindowTest, stepsShowAndStoreWhatTheirTableSays) {
    runScenarios("ui_matrix_steps.txt");
}

// The keys and the focus in the one window, pane to pane: the steps of tests/data/ui_pane_keys.txt.
TEST_F(MainWindowTest, keysMoveTheKeyboardBetweenThePanesAsBetweenWindows) {
    runScenarios("ui_pane_keys.txt");
}

// The real question box, answered by a key or by closing it as soon as it shows. Whatever stays open
// afterwards is closed with Save, so that the test fails on the file instead of waiting.
Answer realSaveQuestion(const SaveChoiceTexts& texts, bool close, QStringList& captions, int* pictures = nullptr) {
    QTimer::singleShot(0, [close, &captions, pictures] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        for (auto b : {QMessageBox::Save, QMessageBox::Discard, QMessageBox::Cancel}) {
            captions << box->button(b)->text();
            if (pictures)
                *pictures += box->button(b)->icon().isNull() ? 0 : 1;
        }
        if (close)
            box->close();
        else
            QTest::keyClick(box, Qt::Key_Escape);
        if (box->isVisible())
            box->done(QMessageBox::Save);
    });
    return QtDialogs().askSave(nullptr, QStringLiteral("?"), texts);
}

// Every "save the changes first?" question (New, Open, a recent file, Read, Exit, a file handed over by
// a second start) offers Save, Don't save and Cancel. Save saves as File > Save does: straight to the
// configuration's file, through the save dialog for the blank one. Only a save that succeeded and
// Don't save let the command go on; Cancel, Escape, closing the box, a cancelled save dialog and a failing save leave
// the configuration, its changes and the file as they were.
TEST_F(MainWindowTest, saveQuestionsNeverLoseTheChanges) {
    Configuration other;
    EditState otherState;
    ClearConfiguration(other, otherState);
    other.ChanSetup[0][kRowType] = kTypeWaterPassive;
    ASSERT_TRUE(korvane::SaveFile(other, LocalPath(zeb("other.zeb"))).ok());
    const QString saved = zeb("saved.zeb");
    const QString failing = zeb("no such folder/saved.zeb");
    auto transfer = [this] { return main().findChild<FrmSerialIO*>(); };
    auto replaced = [this] { return type(0) == kTypeWaterPassive; };
    // The buttons' texts with access keys where the language file gives none.
    const QStringList buttonTexts = {QStringLiteral("&D404"), QStringLiteral("D&405"), QStringLiteral("D4&06")};

    struct Command {
        const char* what;
        int question;
        std::function<void()> run;
        std::function<bool()> wentOn;
        bool opens; // asks for the file to open once the question let it go on
    };
    const Command commands[] = {
        {"New", 167, [this] { act("M_File_New")->trigger(); }, [this] { return type(0) == kTypeBlank; }, false},
        {"Open", 168, [this] { act("M_File_Open")->trigger(); }, replaced, true},
        {"recent file", 167, [this] { act("Load_fileno_1")->trigger(); }, replaced, false},
        {"Read", 168, [this] { act("M_File_Read")->trigger(); }, [&] { return transfer() != nullptr; }, false},
        {"Exit", 169, [this] { act("M_File_Exit")->trigger(); }, [&] { return exited; }, false},
        {"handed over", 168, [this] { main().openFromOutside(zeb("other.zeb")); }, replaced, false},
    };
    enum class Box { Scripted, Escape, Closed };
    struct Reply {
        const char* what;
        Box box;
        std::optional<Answer> answer;
        std::optional<QString> saveAs; // the save dialog's answer, when Save asks for it
        bool goesOn;
        bool named = false; // the configuration has its file (saved.zeb): Save asks for none
    };
    const Reply replies[] = {
        {"Save", Box::Scripted, Answer::Save, saved, true},
        {"Don't save", Box::Scripted, Answer::Discard, std::nullopt, true},
        {"Cancel", Box::Scripted, Answer::Cancel, std::nullopt, false},
        {"Escape", Box::Escape, std::nullopt, std::nullopt, false},
        {"box closed", Box::Closed, std::nullopt, std::nullopt, false},
        {"save dialog cancelled", Box::Scripted, Answer::Save, QString(), false},
        {"save failing", Box::Scripted, Answer::Save, failing, false},
        {"Save to its file", Box::Scripted, Answer::Save, std::nullopt, true, true},
        {"Don't save, with its file", Box::Scripted, Answer::Discard, std::nullopt, true, true},
    };
    for (const Command& c : commands) {
        for (const Reply& r : replies) {
            SCOPED_TRACE(std::string(c.what) + ", " + r.what);
            QFile::remove(saved);
            exited = false;
            ws().RecentFiles[0] = zeb("other.zeb");
            ws().clear();
            ws().setCurFileName(r.named ? QStringLiteral("saved.zeb") : QStringLiteral("New"));
            ws().DataFileLoc = r.named ? saved : programFolder() + QStringLiteral("/Data/Example");
            ws().changeChannelType(0, kTypeIntruderPassive);
            ASSERT_TRUE(ws().dataChanged());
            const Configuration before = ws().cfg;
            dialogs = ScriptedDialogs(); // the program keeps its reference to the same object
            QStringList captions;
            if (r.answer)
                dialogs.answers.push_back(*r.answer);
            else
                dialogs.saveQuestion = [&](const SaveChoiceTexts& t) {
                    return realSaveQuestion(t, r.box == Box::Closed, captions);
                };
            if (r.saveAs)
                dialogs.files.push_back(r.saveAs->isEmpty() ? std::nullopt : std::optional<QString>(*r.saveAs));
            if (c.opens && r.goesOn)
                dialogs.files.push_back(zeb("other.zeb"));

            c.run();
            dialogs.saveQuestion = nullptr;

            ASSERT_FALSE(dialogs.shown.empty());
            EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("D%1").arg(c.question));
            EXPECT_EQ(dialogs.shown[0].buttons, Buttons::SaveDiscardCancel);
            const SaveChoiceTexts& b = dialogs.shown[0].saveButtons;
            EXPECT_EQ((QStringList{b.save, b.discard, b.cancel}), buttonTexts);
            if (r.box != Box::Scripted) {
                EXPECT_EQ(captions, buttonTexts);
            }
            EXPECT_EQ(c.wentOn(), r.goesOn);
            EXPECT_EQ(QFile::exists(saved), r.goesOn && r.answer == Answer::Save);
            const auto saveDialogs = std::count_if(dialogs.fileDialogs.begin(), dialogs.fileDialogs.end(),
                                                   [](const ScriptedDialogs::FileDialog& d) { return d.save; });
            EXPECT_EQ(saveDialogs, r.answer == Answer::Save && !r.named ? 1 : 0);
            EXPECT_FALSE(QFile::exists(failing));
            if (!r.goesOn) {
                EXPECT_TRUE(ws().cfg == before) << "the configuration changed";
                EXPECT_TRUE(ws().dataChanged());
            }
            if (QFile::exists(saved)) {
                Configuration file;
                ASSERT_TRUE(LoadFile(file, LocalPath(saved)).ok());
                EXPECT_EQ(file.ChanSetup[0][kRowType], kTypeIntruderPassive);
            }
            EXPECT_EQ(dialogs.unexpected, 0);
            delete transfer();
        }
    }
}

// "Write anyway" is no "Don't save": the question before a write with problems shows no bin (nor save)
// picture on its buttons, while a save question keeps them.
TEST_F(MainWindowTest, theWriteAnywayQuestionShowsNoSaveOrBinPictures) {
    // Pictures on dialog buttons, as desktop styles draw them (the headless one draws none).
    struct PicturesOnButtons : QProxyStyle {
        int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                      QStyleHintReturn* returned) const override {
            return hint == SH_DialogButtonBox_ButtonsHaveIcons ? 1
                                                               : QProxyStyle::styleHint(hint, option, widget, returned);
        }
    };
    const QString style = QApplication::style()->name();
    QApplication::setStyle(new PicturesOnButtons);
    const auto restore = qScopeGuard([style] { QApplication::setStyle(style); });
    QStringList captions;
    int pictures = 0;
    realSaveQuestion(SaveChoiceTexts{QStringLiteral("Save"), QStringLiteral("Don't save"), {}}, false, captions,
                     &pictures);
    if (pictures == 0)
        GTEST_SKIP() << "this style draws no pictures on dialog buttons";
    pictures = 0;
    realSaveQuestion(SaveChoiceTexts{QStringLiteral("Show problems"), QStringLiteral("Write anyway"), {}, false}, false,
                     captions, &pictures);
    EXPECT_EQ(pictures, 0);
}

TEST_F(MainWindowTest, aFifoWithNoProgramAtItsOtherEndFailsOpenAndSaveAsInsteadOfHanging) {
    const QString fifo = zeb("pipe.zeb");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    perform("key=matrix:I");
    // The command, the start of its message and the reason the message gives.
    const std::tuple<const char*, void (MainWindow::*)(), const char*, const char*> cases[] = {
        {"Open", &MainWindow::M_File_Open_Click, "D377", "no program writes to it"},
        {"Save as", &MainWindow::M_File_SaveAs_Click, "D376", "no program reads from"},
    };
    for (const auto& [what, command, message, reason] : cases) {
        SCOPED_TRACE(what);
        dialogs.shown.clear();
        dialogs.answers = {Answer::Discard}; // Open: do not save first
        dialogs.files = {fifo};
        (main().*command)();
        ASSERT_FALSE(dialogs.shown.empty());
        const QString said = dialogs.shown.back().text;
        EXPECT_TRUE(said.startsWith(QLatin1String(message)) && said.contains(QLatin1String(reason)))
            << said.toStdString();
        EXPECT_EQ(type(0), kTypeIntruderPassive);
        EXPECT_TRUE(ws().dataChanged());
        EXPECT_EQ(main().shownTitle(), QStringLiteral("ZEB1 [D401]*"));
        EXPECT_FALSE(QFileInfo(fifo).isFile()) << "the FIFO stays";
    }
}

// The title names the configuration, the blank and the read one in the window's language (the program
// keeps "New" and "Upload" for them), and marks unsaved changes with "*".
TEST_F(MainWindowTest, theTitleNamesTheConfigurationInTheLanguageAndMarksChanges) {
    const std::tuple<const char*, const char*, const char*> languages[] = {
        {"English.dat", "New", "Read from master unit"},
        {"Deutsch.dat", "Neu", "Aus Zentrale gelesen"},
        {"Dansk.dat", "Ny", "Læst fra centralen"}};
    for (const auto& [file, blank, read] : languages) {
        SCOPED_TRACE(file);
        useShippedTexts(file);
        ws().setCurFileName(QStringLiteral("New"));
        ws().setDataChanged(false);
        EXPECT_EQ(main().shownTitle(), QStringLiteral("ZEB1 [%1]").arg(QString::fromUtf8(blank)));
        ws().changeChannelType(0, ws().typeOf(0) == kTypeMono ? kTypeBlank : kTypeMono);
        EXPECT_EQ(main().shownTitle(), QStringLiteral("ZEB1 [%1]*").arg(QString::fromUtf8(blank)));
        ws().setCurFileName(QStringLiteral("Upload"));
        EXPECT_EQ(main().shownTitle(), QStringLiteral("ZEB1 [%1]*").arg(QString::fromUtf8(read)));
        EXPECT_EQ(ws().CurFileName, QStringLiteral("Upload"));
        ws().setCurFileName(QStringLiteral("Haus Müller.zeb"));
        ws().setDataChanged(false);
        EXPECT_EQ(main().shownTitle(), QStringLiteral("ZEB1 [Haus Müller.zeb]"));
    }
}
