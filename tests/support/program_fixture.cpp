#include "tests/support/program_fixture.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QKeySequence>
#include <QMenu>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTest>

#include "io/text_file.h"
#include "model/channel_types.h"
#include "model/master.h"
#include "model/text_codec.h"
#include "pictures/icon_factory.h"
#include "tests/model/table_names.h"
#include "tests/support/io_test_support.h"
#include "ui/editor/pages/master_page.h"
#include "ui/main/channel_cell.h"
#include "ui/main/main_window.h"

namespace korvane::test {

void WriteTextFile(const QString& path, const std::map<int, QString>& records) {
    std::string bytes;
    for (const auto& [key, text] : records)
        bytes += std::to_string(key) + ",\"" + Utf8ToCp1252(text.toStdString()) + "\"\r\n";
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

std::map<int, QString> TestLanguageTexts(const QString& prefix, const QString& name) {
    std::map<int, QString> texts;
    for (int n = 0; n <= kLanguageTextCount; ++n)
        texts[n] = prefix + QString::number(n);
    texts[330] = QStringLiteral("xx07300-0000");
    texts[331] = name;
    // Empty shortcut texts: the default letters apply.
    for (int k = 340; k <= 351; ++k)
        texts[k] = QString();
    texts[360] = QStringLiteral("Ctrl+");
    texts[361] = QStringLiteral("Alt+");
    return texts;
}

void WriteTestLanguage(const QString& folder, const QString& fileName, const QString& prefix, const QString& name) {
    WriteTextFile(folder + QLatin1Char('/') + fileName, TestLanguageTexts(prefix, name));
    std::map<int, QString> help = {{10, prefix + QStringLiteral("-general help")},
                                   {208, prefix + QStringLiteral("-intruder help")}};
    WriteTextFile(folder + QLatin1Char('/') + fileName.left(3) + QStringLiteral("_hlp.dat"), help);
}

void ProgramFixture::SetUp() {
    ASSERT_TRUE(dir_.isValid());
    const QString lang = programFolder() + QStringLiteral("/Language");
    QDir().mkpath(lang);
    QDir().mkpath(programFolder() + QStringLiteral("/Data"));
    for (const auto& [name, prefix] : {std::pair{"English", "E"}, {"Deutsch", "D"}, {"Dansk", "K"}})
        WriteTestLanguage(lang, QLatin1String(name) + QStringLiteral(".dat"), QLatin1String(prefix),
                          QLatin1String(name));
    settings_ = std::make_unique<Settings>(settingsPath());
}

bool ProgramFixture::start(const QString& file) {
    program_ = std::make_unique<Program>(dialogs, *settings_, programFolder(), lockPath());
    exited = false;
    if (program_->Main(file) != Program::Start::Started)
        return false;
    QObject::connect(program_->mainWindow(), &MainWindow::exitRequested, [this] { exited = true; });
    return true;
}

QAction* ProgramFixture::act(const QString& name) {
    QAction* a = main().findChild<QAction*>(name);
    EXPECT_NE(a, nullptr) << name.toStdString();
    return a;
}

void ProgramFixture::focus(QWidget* w) {
    QApplication::setActiveWindow(w->window());
    w->setFocus(Qt::TabFocusReason);
}

void ProgramFixture::typeKeys(const char* keys) {
    for (const char* k = keys; *k; ++k) {
        if (*k == '\n')
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        else
            QTest::keyClick(QApplication::focusWidget(), *k);
    }
}

QString ProgramFixture::focused() {
    QWidget* w = QApplication::focusWidget();
    return w ? w->objectName() : QString();
}

void ProgramFixture::tick(QWidget* box) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

void ProgramFixture::openChannel(int c, int type) {
    ws().changeChannelType(c, type);
    QTest::mouseClick(main().cell(c), Qt::LeftButton);
    QApplication::setActiveWindow(&editor());
}

void ProgramFixture::openMaster() {
    ws().changeChannelType(5, kTypeMaster);
    for (int c : {10, 11})
        ws().changeChannelType(c, kTypeMono);
    ws().changeChannelType(0, kTypeIntruderPassive);
    QTest::mouseClick(main().cell(5), Qt::LeftButton);
    QApplication::setActiveWindow(&editor());
}

void ProgramFixture::useShippedTexts(const char* file) {
    const TextTable texts =
        ReadTextFile(std::string(KORVANE_SOURCE_DIR) + "/resources/Language/" + file, kLanguageTextCount);
    ASSERT_TRUE(texts.good) << file;
    for (std::size_t k = 0; k < texts.texts.size() && k < ws().LangText.size(); ++k)
        ws().LangText[k] = FromCp1252(texts.texts[k]);
    ws().announceTexts();
}

void ProgramFixture::forEveryPage(const std::function<void(const QString& name)>& visit) {
    for (const char* key : {"omkring", "setlanguage", "mainsetup", "Exchange", "SMS_Setup", "logic", "Holiday"}) {
        editor().openPage(QLatin1String(key));
        visit(QLatin1String(key));
    }
    for (const TypeInfo& t : ChannelTypes()) {
        if (t.channelsUsed == 0 || t.family == TypeFamily::Claimed)
            continue;
        ws().changeChannelType(16, kTypeBlank);
        openChannel(16, t.code);
        visit(QStringLiteral("type %1").arg(t.code));
    }
}

namespace {

const std::map<std::string, Answer> kAnswers = {
    {"Yes", Answer::Yes}, {"No", Answer::No}, {"Save", Answer::Save}, {"Discard", Answer::Discard}};

// The states of a grid cell, stored and pictured, by their index.
const char* const kGridStates[] = {"fixed", "off", "on", "x"};

} // namespace

void ProgramFixture::perform(const std::string& steps) {
    std::string value; // of the step: the text after "=", and that up to a ":" as a name
    QString name;
    // The steps of a single statement.
    const std::map<std::string, std::function<void()>> single = {
        {"master", [&] { openMaster(); }},
        {"saved",
         [&] {
             ws().setDataChanged(false);
             atSaved = ws().cfg;
         }},
        {"savefile", [&] { dialogs.files = {tempPath(name)}; }},
        {"removefile", [&] { QFile::remove(tempPath(name)); }},
        {"language", [&] { main().Menu_View_Sprog_Click(std::stoi(value)); }},
        {"replaced", [&] { ws().announceReplaced(); }},
        {"closepopup", [&] { main().channelTypePopup()->hide(); }},
        {"closemenus",
         [&] {
             // Escape as the user would: out of the menu, then out of the menu bar, back to the field.
             for (int i = 0; i < 4 && QApplication::activePopupWidget(); ++i)
                 QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
             if (QWidget* bar = QApplication::focusWidget(); bar && bar->inherits("QMenuBar"))
                 QTest::keyClick(bar, Qt::Key_Escape);
         }},
        {"detached", [&] { main().setEditorDetached(value == "1"); }},
        {"closeeditor", [&] { editor().close(); }},
        {"current", [&] { ws().setCurChannel(korvane::testing::channelNamed(value)); }},
        {"cursor", [&] { ws().edit.MatrixCursor = std::stoi(value); }},
        {"menu", [&] { act(name)->trigger(); }},
        {"page", [&] { editor().openPage(name); }},
        {"keys", [&] { typeKeys(value.c_str()); }},
        {"tick", [&] { tick(child(name)); }},
        {"answer", [&] { dialogs.answers = {kAnswers.at(value)}; }},
        {"line", [&] { dialogs.lines.push_back(QString::fromStdString(value)); }},
        {"clipboard", [&] { QGuiApplication::clipboard()->setText(QString::fromStdString(value).replace('/', '\n')); }},
    };
    for (const std::string& step : korvane::testing::splitOn(steps == "-" ? std::string() : steps, ' ')) {
        const std::size_t eq = step.find('=');
        const std::string word = step.substr(0, eq);
        value = eq == std::string::npos ? std::string() : step.substr(eq + 1);
        const std::size_t colon = value.find(':');
        name = QString::fromStdString(value.substr(0, colon));
        const QString text = colon == std::string::npos ? QString() : QString::fromStdString(value.substr(colon + 1));
        QWidget* const widget = name == QLatin1String("matrix") ? &main() : nullptr;
        if (single.count(word)) {
            single.at(word)();
        } else if (word.size() == 2 && word[0] >= 'A' && word[0] <= 'P') {
            ws().changeChannelType(korvane::testing::channelNamed(word), std::stoi(value));
        } else if (word.size() > 3 && word[2] == '.') {
            const int c = korvane::testing::channelNamed(word.substr(0, 2));
            const int b = std::stoi(word.substr(3));
            const auto v = static_cast<Byte>(std::stoi(value));
            ws().change([&](Configuration& cfg) { cfg.ChanSetup[std::size_t(c)][std::size_t(b)] = v; });
        } else if (const auto* b = korvane::testing::byteNamed(word); b && b->system) {
            sys(b->at) = static_cast<Byte>(std::stoi(value));
        } else if (word == "recentfiles") {
            const std::vector<std::string> files = korvane::testing::splitOn(value, ',');
            for (std::size_t k = 0; k < files.size(); ++k)
                ws().RecentFiles[k] = QString::fromStdString(files[k]);
            main().RefreshFileList(QString(), true);
        } else if (word == "forget") {
            ws().forgetHistory(true);
            ws().setDataChanged(false);
        } else if (word == "lookaway") {
            QFocusEvent back(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
            QApplication::sendEvent(child(name), &back);
        } else if (word == "click" || word == "rightclick" || word == "shiftclick") {
            QTest::mouseClick(main().cell(korvane::testing::channelNamed(value)),
                              word == "rightclick" ? Qt::RightButton : Qt::LeftButton,
                              word == "shiftclick" ? Qt::ShiftModifier : Qt::NoModifier);
            if (word == "click")
                QApplication::setActiveWindow(&editor());
        } else if (word == "window") {
            // The matrix pane takes the keyboard as the main window did when it came to the front.
            QApplication::setActiveWindow(name == QLatin1String("main") ? static_cast<QWidget*>(&main()) : &editor());
            if (name == QLatin1String("main")) {
                main().clearFocus();
                main().setFocus(Qt::MouseFocusReason);
            } else if (!editor().isWindow()) {
                editor().Update_Option_Form_elements(); // the editor pane shows the model as it is now
            }
        } else if (word == "focus" || word == "type") {
            focus(widget ? widget : child(name));
            typeKeys(text.toLatin1().constData());
        } else if (word == "key") {
            const QKeyCombination k = QKeySequence(text)[0];
            QTest::keyClick(widget ? widget : child(name), k.key(), k.keyboardModifiers());
        } else if (word == "drag") {
            const int from = korvane::testing::channelNamed(value.substr(0, 2));
            emit main().cell(from)->dropped(from, korvane::testing::channelNamed(value.substr(3)));
        } else if (word == "popup") {
            const auto& entries = ChannelTypePopup();
            const auto e = std::find_if(entries.begin(), entries.end(),
                                        [&](const PopupEntry& p) { return p.type == std::stoi(value); });
            ASSERT_NE(e, entries.end()) << "no pop-up entry for " << value;
            main().PopUp_ChannelType_Click(e->index);
        } else if (word == "choose") {
            auto* box = child<QComboBox>(name);
            emit box->activated(text.startsWith(QLatin1Char('#')) ? text.mid(1).toInt() : box->findText(text));
        } else if (word == "gridclick" || word == "gridrightclick") {
            QTest::mouseClick(editor().masterPage()->cell(std::stoi(value)),
                              word == "gridclick" ? Qt::LeftButton : Qt::RightButton);
        } else if (word == "group") {
            const std::map<std::string, const char*> entries = {
                {"on", "M_gruppeOn"}, {"off", "M_gruppeOff"}, {"x", "M_GruppeX"}};
            act(QLatin1String(entries.at(value)))->trigger();
            main().groupMenu()->hide();
        } else if (word == "flashpattern") {
            editor().openFlashPattern();
            QApplication::setActiveWindow(&editor());
        } else {
            ADD_FAILURE() << "no step " << step;
        }
    }
}

QString ProgramFixture::reading(const std::string& word) {
    const std::size_t colon = word.find(':');
    const std::string what = word.substr(0, colon);
    const QString name = colon == std::string::npos ? QString() : QString::fromStdString(word.substr(colon + 1));
    if (const auto* b = korvane::testing::byteNamed(word); b && b->system)
        return QString::number(sys(b->at));
    if (word.size() == 2 && word[0] >= 'A' && word[0] <= 'P')
        return QString::number(ws().typeOf(korvane::testing::channelNamed(word)));
    if (word.size() == 5 && word[2] == '-') {
        QStringList types;
        const int last = korvane::testing::channelNamed(word.substr(3));
        for (int c = korvane::testing::channelNamed(word.substr(0, 2)), run = 1; c <= last; ++c, ++run) {
            if (c < last && ws().typeOf(c + 1) == ws().typeOf(c))
                continue;
            types << QString::number(ws().typeOf(c)) + (run > 1 ? QStringLiteral("*%1").arg(run) : QString());
            run = 0;
        }
        return types.join(QLatin1Char(','));
    }
    if (what == "picture" || what == "cell" || what == "bordered" || what == "selected") {
        const ChannelCell* cell = main().cell(korvane::testing::channelNamed(name.toStdString()));
        return QString::number(what == "picture"    ? cell->pictureType()
                               : what == "cell"     ? int(cell->isVisibleTo(&main()))
                               : what == "selected" ? int(cell->selected())
                                                    : int(cell->bordered()));
    }
    if (what == "description")
        return FromCp1252(ws().cfg.ChanText[std::size_t(korvane::testing::channelNamed(name.toStdString()))]);
    if (what == "master" || what == "flash" || what == "exchange") {
        const int t = name.toInt();
        return QLatin1String(kGridStates[what == "exchange" ? (GetExchBit(ws().cfg, t) ? kMasterOn : kMasterNotAffected)
                                                            : GetMaster(ws().cfg, t, what == "master" ? 5 : 3)]);
    }
    if (what == "gridshows") {
        const int picture = editor().masterPage()->cell(name.toInt())->picture() - IconFactory::kMasterGridBase;
        return picture >= 0 && picture < 4 ? QLatin1String(kGridStates[picture]) : QString::number(picture);
    }
    if (what == "gridcell")
        return QString::number(editor().masterPage()->cell(name.toInt())->isVisibleTo(&editor()));
    if (word == "gridcursor") {
        const int cursor = ws().edit.MatrixCursor;
        return QString::number(cursor) + (editor().masterPage()->cell(cursor)->cursor() ? "" : " not marked");
    }
    if (what == "count")
        return QString::number(child<QComboBox>(name)->count());
    if (what == "enabled" || what == "visible") {
        if (name == QLatin1String("editor"))
            return QString::number(editor().isVisible());
        if (QAction* a = main().findChild<QAction*>(name))
            return QString::number(what == "enabled" ? a->isEnabled() : a->isVisible());
        QWidget* w = child(name);
        return QString::number(what == "enabled" ? w->isEnabled() : w->isVisibleTo(w->window()));
    }
    if (what == "text") {
        if (QAction* a = main().findChild<QAction*>(name))
            return WithoutAccessKeyMark(a->text());
        QWidget* w = child(name);
        if (auto* list = qobject_cast<QComboBox*>(w))
            return list->currentText();
        if (auto* box = qobject_cast<QPlainTextEdit*>(w))
            return box->toPlainText();
        return w->property("text").toString();
    }
    // Readings of a single word; the temporary folder as TMP.
    const std::map<std::string, std::function<QString()>> single = {
        {"group", [&] { return QString::number(ws().edit.CurGroup); }},
        {"focusTag", [&] { return ws().FocusTag; }},
        {"page", [&] { return editor().currentPage(); }},
        {"pageKey", [&] { return editor().pageKey(); }},
        {"title", [&] { return editor().windowTitle(); }},
        {"mainTitle", [&] { return main().shownTitle(); }},
        {"editorWindow", [&] { return QLatin1String(editor().isWindow() ? "own" : "pane"); }},
        {"menu",
         [&] {
             return QApplication::activePopupWidget() ? QApplication::activePopupWidget()->objectName() : QString();
         }},
        // Where no window is active yet (the first start), the widget that has the keyboard once it is.
        {"focus",
         [&] {
             return QApplication::focusWidget() || !main().focusWidget() ? focused()
                                                                         : main().focusWidget()->objectName();
         }},
        {"editorFocus", [&] { return editor().focusWidget() ? editor().focusWidget()->objectName() : QString(); }},
        {"popup", [&] { return QString::number(main().channelTypePopup()->isVisible()); }},
        {"generalText", [&] { return QString::fromStdString(ws().cfg.DescText[kGeneralDescription]); }},
        {"cursor",
         [&] { return QStringLiteral("%1%2").arg(QChar('A' + ws().curChannel() / 8)).arg(ws().curChannel() % 8 + 1); }},
        {"changed", [&] { return QString::number(ws().dataChanged()); }},
        {"untouched", [&] { return QString::number(ws().cfg == atSaved); }},
        {"canUndo", [&] { return QString::number(ws().canUndo()); }},
        {"canRedo", [&] { return QString::number(ws().canRedo()); }},
        {"undoSteps", [&] { return QString::number(ws().undoStack().count()); }},
        {"said", [&] { return dialogs.texts().join(QLatin1Char(';')).replace(dir_.path(), QLatin1String("TMP")); }},
        {"recent", [&] { return QString(ws().RecentFiles[0]).replace(dir_.path(), QLatin1String("TMP")); }},
        {"exited", [&] { return QString::number(exited); }},
        {"beeps", [&] { return QString::number(dialogs.beeps); }},
        {"undoText", [&] { return ws().undoStack().undoText(); }},
        // The last message, its line breaks as "/".
        {"lastSaid",
         [&] { return dialogs.shown.empty() ? QString() : QString(dialogs.shown.back().text).replace('\n', '/'); }},
        {"status", [&] { return main().statusBar()->currentMessage(); }},
        // Tabs as ">", line ends as "/".
        {"clipboard",
         [&] {
             return QGuiApplication::clipboard()
                 ->text()
                 .replace(QLatin1Char('\t'), QLatin1Char('>'))
                 .replace(QStringLiteral("\r\n"), QStringLiteral("/"));
         }},
        {"help", [&] { return QString::number(ws().FocusHelpId); }},
    };
    if (single.count(word))
        return single.at(word)();
    ADD_FAILURE() << "no reading " << word;
    return QString();
}

void ProgramFixture::runScenarios(const char* table) {
    std::string scenario;
    for (const auto& r : korvane::testing::dataTable(table, 3)) {
        SCOPED_TRACE(r[0] + ": " + r[1]);
        if (r[0] != scenario && !scenario.empty()) {
            program_.reset();
            dialogs = ScriptedDialogs(); // a new program takes a reference to the same object
            ASSERT_TRUE(start());
        }
        scenario = r[0];
        perform(r[1]);
        for (const std::string& expected : korvane::testing::splitOn(r[2] == "-" ? std::string() : r[2], ' ')) {
            const std::size_t eq = expected.find('=');
            const QString read = reading(expected.substr(0, eq));
            // "{kTxtName}" stands for that text of the language shown.
            const std::string want = korvane::testing::withTextNames(expected.substr(eq + 1), [this](int n) {
                return ws().text(n).replace(QLatin1Char(' '), QLatin1Char('_')).toStdString();
            });
            EXPECT_EQ(QString(read).replace(QLatin1Char(' '), QLatin1Char('_')).toStdString(), want) << expected;
        }
    }
}

void ProgramFixture::TearDown() {
    program_.reset();
    settings_.reset();
}

} // namespace korvane::test
