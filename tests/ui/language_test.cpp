// The program in the user's language: the shipped languages with Qt's own dialogs and the menus'
// access keys, what a language file lacks, and no English text of its own in the windows' code.

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTest>
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "app/access_keys.h"
#include "app/texts.h"
#include "model/text_ids.h"
#include "tests/support/io_test_support.h"
#include "tests/support/program_fixture.h"

using namespace korvane;
using namespace korvane::test;

namespace {

// The program started with the language files it ships.
class ShippedLanguages : public ProgramFixture {
protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        const QDir shipped(QStringLiteral(KORVANE_SOURCE_DIR "/resources/Language"));
        for (const QString& f : shipped.entryList({QStringLiteral("*.dat")})) {
            const QString to = programFolder() + QStringLiteral("/Language/") + f;
            QFile::remove(to);
            ASSERT_TRUE(QFile::copy(shipped.filePath(f), to)) << f.toStdString();
        }
        ASSERT_TRUE(start());
    }
    void TearDown() override {
        closePopups();
        ProgramFixture::TearDown();
    }
    static void closePopups() {
        while (QWidget* p = QApplication::activePopupWidget())
            p->close();
    }
};

// The languages' slots and the standard buttons of a question as Qt's translation of each writes them.
const std::pair<int, QStringList> kLanguages[] = {
    {0, {"Yes", "No", "Cancel"}}, {1, {"Ja", "Nein", "Abbrechen"}}, {2, {"Ja", "Nej", "Annuller"}}};

} // namespace

TEST_F(ShippedLanguages, standardButtonsAndMenusSpeakTheChosenLanguageAndOpenByKeyboard) {
    auto* file = main().findChild<QMenu*>(QStringLiteral("M_File"));
    auto* print = main().findChild<QMenu*>(QStringLiteral("MnuPrint"));
    ASSERT_TRUE(file && print);
    // Switched back and forth: each language replaces the translation of the one before.
    for (const auto& [slot, captions] : {kLanguages[1], kLanguages[2], kLanguages[0], kLanguages[1]}) {
        SCOPED_TRACE(slot);
        main().Menu_View_Sprog_Click(slot);
        ASSERT_EQ(ws().CurLanguage, slot);

        const auto box =
            MakeMessageBox(&main(), QStringLiteral("?"), QString(), Buttons::YesNoCancel, MessageIcon::None);
        const QMessageBox::StandardButton buttons[] = {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
        for (int i = 0; i < 3; ++i) {
            ASSERT_NE(box->button(buttons[i]), nullptr);
            EXPECT_EQ(WithoutAccessKeyMark(box->button(buttons[i])->text()), captions[i]);
        }

        // Access keys: one a menu bar entry, never Exit's Alt letter, and no two alike in one menu.
        const QChar exitLetter = QChar(main().shortcutKeys()[11]).toCaseFolded();
        QList<QWidget*> menus{main().menuBar()};
        for (QMenu* m : main().findChildren<QMenu*>())
            menus << m;
        for (QWidget* menu : menus) {
            std::set<QChar> keys;
            for (QAction* a : menu->actions()) {
                if (a->isSeparator() || !a->isVisible())
                    continue;
                const QChar key = AccessKeyOf(a->text());
                if (menu == main().menuBar()) {
                    EXPECT_FALSE(key.isNull()) << a->text().toStdString();
                    EXPECT_NE(key, exitLetter) << a->text().toStdString();
                }
                if (!key.isNull()) {
                    EXPECT_TRUE(keys.insert(key).second) << menu->objectName().toStdString() << ": "
                                                         << a->text().toStdString() << " has a taken access key";
                }
            }
        }
        // The menus open by keyboard alone: F10 the menu bar, Ctrl+P the Print menu also from the
        // editor window, Alt with a menu's access key that menu.
        focus(&main());
        QTest::keyClick(&main(), Qt::Key_F10);
        EXPECT_EQ(QApplication::activePopupWidget(), file) << "F10 opens the menu bar";
        closePopups();
        focus(&editor());
        QTest::keyClick(&editor(), Qt::Key_P, Qt::ControlModifier);
        EXPECT_EQ(QApplication::activePopupWidget(), print) << "Ctrl+P opens the Print menu";
        closePopups();
        for (QAction* a : main().menuBar()->actions()) {
            focus(&main());
            const QChar key = AccessKeyOf(a->text()).toUpper();
            QTest::keyClick(&main(), static_cast<Qt::Key>(key.unicode()), Qt::AltModifier);
            EXPECT_EQ(QApplication::activePopupWidget(), a->menu()) << "Alt+" << QString(key).toStdString();
            closePopups();
        }
    }
}

TEST(AccessKeys, eachCaptionGetsAFreeLetterAndKeepsItsOwnMark) {
    const auto captions = [](const std::string& list) {
        QStringList out;
        for (const std::string& c : korvane::testing::splitOn(list, ','))
            out << QString::fromStdString(c);
        return out;
    };
    for (const auto& r : korvane::testing::dataTable("ui_access_keys.txt", 4)) {
        SCOPED_TRACE(r[0]);
        const QStringList given = captions(r[1]);
        const QString reserved = QString::fromStdString(r[2]);
        const QStringList marked = WithAccessKeys(given, reserved);
        EXPECT_EQ(marked, captions(r[3]));
        EXPECT_EQ(WithAccessKeys(marked, reserved), marked) << "again";
        for (qsizetype i = 0; i < marked.size(); ++i)
            EXPECT_EQ(WithoutAccessKeyMark(marked[i]), WithoutAccessKeyMark(given[i]));
    }
    EXPECT_EQ(WithoutAccessKeyMark(QStringLiteral("Speichern &unter...\tStrg+U")),
              QStringLiteral("Speichern unter...\tStrg+U"));
    EXPECT_EQ(EscapeAccessKeyMarks(QStringLiteral("R&D.zeb")), QStringLiteral("R&&D.zeb"));
}

// What a language file lacks: the English text of the number, the number where English has none
// either; never an empty caption. What goes to the unit stays what the file holds.
TEST_F(ProgramFixture, aTextTheLanguageFileLacksShowsInEnglish) {
    std::map<int, QString> german = TestLanguageTexts(QStringLiteral("D"), QStringLiteral("Deutsch"));
    for (int n : {kTxtMenuNew, kTxtMenuRead, kTxtChannel})
        german.erase(n);
    german[kTxtMenuOpen] = QStringLiteral("  "); // blank counts as missing
    german[kTxtMenuSave] = QStringLiteral("&Sichern");
    WriteTextFile(programFolder() + QStringLiteral("/Language/Deutsch.dat"), german);
    std::map<int, QString> english = TestLanguageTexts(QStringLiteral("E"), QStringLiteral("English"));
    english.erase(kTxtMenuRead);
    WriteTextFile(programFolder() + QStringLiteral("/Language/English.dat"), english);
    ASSERT_TRUE(start());
    ASSERT_EQ(ws().CurLanguage, 1);

    const std::pair<int, const char*> shown[] = {{kTxtMenuNew, "E2"},
                                                 {kTxtMenuOpen, "E3"},
                                                 {kTxtMenuRead, "[5]"},
                                                 {kTxtMenuSave, "Sichern"},
                                                 {kTxtMenuExit, "D7"}};
    for (auto [n, text] : shown)
        EXPECT_EQ(ws().text(n), QLatin1String(text)) << n;
    EXPECT_EQ(ws().fileText(kTxtChannel), QString()) << "the unit label stays as the file has it";
    EXPECT_EQ(ws().text(kTxtChannel), QStringLiteral("E252"));
    // The menus show the same, with access keys; the file's own mark is kept.
    EXPECT_EQ(WithoutAccessKeyMark(act(QStringLiteral("M_File_New"))->text()).section('\t', 0, 0),
              QStringLiteral("E2"));
    EXPECT_EQ(act(QStringLiteral("M_File_Save"))->text().section('\t', 0, 0), QStringLiteral("&Sichern"));
}

TEST(QtTranslation, theLanguageComesFromText99OrFromTheLanguagesName) {
    const std::tuple<const char*, const char*, const char*> rows[] = {
        // text 99, name (text 331), the language of Qt's translation
        {"de", "Deutsch", "de"}, {"da", "Dansk", "da"}, {" nb ", "Norsk", "nb"}, {"", "Dansk", "da"},
        {"", "deutsch", "de"},   {"", "German", "de"},  {"", "Klingon", ""},     {"", "", ""},
    };
    for (auto [code, name, expected] : rows) {
        Workspace ws;
        ws.LangText[kTxtQtLanguage] = QString::fromUtf8(code);
        ws.LangText[kTxtLanguageName] = QString::fromUtf8(name);
        EXPECT_EQ(QtLanguageOf(ws), QString::fromUtf8(expected)) << code << " " << name;
    }
}

// No English text of the program's own in the windows' code: every visible text is a language text.
// A string literal of ui/ is a name (object names, page keys, file names) or one of the texts below;
// a literal handed straight to a caption or message is never a name.
namespace {

struct Literal {
    int line;
    std::string text;
    std::string before; // the code just before it
};

// The string literals of a C++ source, comments and character literals left out.
std::vector<Literal> StringLiterals(const std::string& src) {
    std::vector<Literal> out;
    for (std::size_t i = 0; i < src.size(); ++i) {
        const char c = src[i];
        if (c == '/' && i + 1 < src.size() && (src[i + 1] == '/' || src[i + 1] == '*')) {
            i = src[i + 1] == '/' ? src.find('\n', i) - 1 : src.find("*/", i + 2) + 1;
        } else if (c == '\'' || c == '"') {
            std::string text;
            std::size_t k = i + 1;
            for (; k < src.size() && src[k] != c; ++k) {
                if (src[k] == '\\')
                    text += src[k++];
                text += src[k];
            }
            if (c == '"') {
                const std::size_t from = i >= 60 ? i - 60 : 0;
                const auto line = std::count(src.begin(), src.begin() + static_cast<long>(i), '\n');
                out.push_back({static_cast<int>(line) + 1, text, src.substr(from, i - from)});
            }
            i = k;
        }
    }
    return out;
}

bool LooksLikeName(const std::string& s) {
    return std::all_of(s.begin(), s.end(), [](unsigned char ch) {
        return std::isalnum(ch) || ch >= 0x80 ||
               std::string_view("_#%./-").find(static_cast<char>(ch)) != std::string_view::npos;
    });
}

bool HasWord(const std::string& s) {
    static const std::regex word("[A-Za-z]{2}");
    return std::regex_search(s, word);
}

// The code before a literal ends in a caption's or a message's setter, the literal maybe wrapped.
bool HandedToACaption(std::string before) {
    static const std::regex setter("(setText|setToolTip|setWindowTitle|setTitle|addAction|addMenu|setPlaceholderText|"
                                   "setStatusTip|message|ask)\\((QStringLiteral\\(|QLatin1String\\(|"
                                   "QString::fromUtf8\\(|tr\\()?$");
    before.erase(std::remove_if(before.begin(), before.end(), [](unsigned char ch) { return std::isspace(ch); }),
                 before.end());
    return std::regex_search(before, setter);
}

} // namespace

TEST(UserVisibleTexts, theWindowsCodeHoldsNoTextOfItsOwnButTheFixedOnes) {
    namespace fs = std::filesystem;
    std::set<std::string> fixed; // the fixed texts of the design, and literals that are not text
    for (const auto& row : korvane::testing::dataTable("ui_fixed_texts.txt", 2))
        fixed.insert(row[0]);
    ASSERT_GT(fixed.size(), 10u);
    std::vector<std::string> found;
    int files = 0;
    for (const auto& e : fs::recursive_directory_iterator(KORVANE_SOURCE_DIR "/ui")) {
        if (!e.is_regular_file() || (e.path().extension() != ".cpp" && e.path().extension() != ".h"))
            continue;
        ++files;
        std::ifstream in(e.path(), std::ios::binary);
        std::stringstream buffer;
        buffer << in.rdbuf();
        for (const Literal& l : StringLiterals(buffer.str())) {
            if (!HasWord(l.text) || fixed.count(l.text))
                continue;
            if (!LooksLikeName(l.text) || HandedToACaption(l.before))
                found.push_back(e.path().lexically_relative(KORVANE_SOURCE_DIR).string() + ":" +
                                std::to_string(l.line) + ": \"" + l.text + "\"");
        }
    }
    EXPECT_GT(files, 20) << "the windows' sources were not found";
    std::string list;
    for (const std::string& f : found)
        list += "\n  " + f;
    EXPECT_TRUE(found.empty()) << "texts that belong in the language files:" << list;

    // The scanner itself: a caption in a literal is found, a name and a comment are not.
    const std::vector<Literal> probe =
        StringLiterals("a->setText(QStringLiteral(\"Save\")); // \"not this\"\nsetObjectName(\"M_File\"); c = '\"';"
                       " /* \"nor\nthis\" */ x(\"Two words\");");
    ASSERT_EQ(probe.size(), 3u);
    EXPECT_TRUE(HandedToACaption(probe[0].before));
    EXPECT_FALSE(HandedToACaption(probe[1].before));
    EXPECT_TRUE(LooksLikeName(probe[1].text));
    EXPECT_FALSE(LooksLikeName(probe[2].text));
    EXPECT_EQ(probe[2].line, 3);
}
