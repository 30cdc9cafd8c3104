#include "tests/support/program_fixture.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QKeySequence>
#include <QTest>

#include "io/text_file.h"
#include "model/channel_types.h"
#include "model/text_codec.h"
#include "tests/model/table_names.h"
#include "tests/support/io_test_support.h"
#include "ui/editor/pages/master_page.h"
#include "ui/main/channel_cell.h"

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
    for (int n = 0; n <= 400; ++n)
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
    return program_->Main(file) == Program::Start::Started;
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

void ProgramFixture::perform(const std::string& steps) {
    const std::map<std::string, int> sysBytes = {{"deviceNo", kSysDeviceNo}, {"smokeResetTime", kSysSmokeResetTime}};
    const auto keys = [](QString typed) { typeKeys(typed.replace(QLatin1String("\\n"), QLatin1String("\n")).toLatin1().constData()); };
    for (const std::string& step : korvane::testing::splitOn(steps == "-" ? std::string() : steps, ' ')) {
        const std::size_t eq = step.find('=');
        const std::string word = step.substr(0, eq);
        const std::string value = eq == std::string::npos ? std::string() : step.substr(eq + 1);
        const std::size_t colon = value.find(':');
        const QString name = QString::fromStdString(value.substr(0, colon));
        const QString text = colon == std::string::npos ? QString() : QString::fromStdString(value.substr(colon + 1));
        if (word == "master") {
            openMaster();
        } else if (word.size() == 2 && word[0] >= 'A' && word[0] <= 'P') {
            ws().changeChannelType(korvane::testing::channelNamed(word), std::stoi(value));
        } else if (word.size() > 3 && word[2] == '.') {
            const int c = korvane::testing::channelNamed(word.substr(0, 2));
            const int b = std::stoi(word.substr(3));
            const auto v = static_cast<Byte>(std::stoi(value));
            ws().change([&](Configuration& cfg) { cfg.ChanSetup[std::size_t(c)][std::size_t(b)] = v; });
        } else if (sysBytes.count(word)) {
            sys(sysBytes.at(word)) = static_cast<Byte>(std::stoi(value));
        } else if (word == "click") {
            QTest::mouseClick(main().cell(korvane::testing::channelNamed(value)), Qt::LeftButton);
            QApplication::setActiveWindow(&editor());
        } else if (word == "cursor") {
            ws().edit.MatrixCursor = std::stoi(value);
        } else if (word == "menu") {
            act(name)->trigger();
        } else if (word == "page") {
            editor().openPage(name);
        } else if (word == "focus" || word == "type") {
            focus(name == QLatin1String("matrix") ? static_cast<QWidget*>(&main()) : child(name));
            keys(text);
        } else if (word == "keys") {
            keys(QString::fromStdString(value));
        } else if (word == "popup") {
            const auto& entries = ChannelTypePopup();
            const auto e = std::find_if(entries.begin(), entries.end(),
                                        [&](const PopupEntry& p) { return p.type == std::stoi(value); });
            ASSERT_NE(e, entries.end()) << "no pop-up entry for " << value;
            main().PopUp_ChannelType_Click(e->index);
        } else if (word == "choose") {
            auto* box = child<QComboBox>(name);
            emit box->activated(box->findText(text));
        } else if (word == "tick") {
            tick(child(name));
        } else if (word == "gridclick") {
            QTest::mouseClick(editor().masterPage()->cell(std::stoi(value)), Qt::LeftButton);
        } else if (word == "gridkey") {
            QTest::keyClick(child(QStringLiteral("T_dummy")), QKeySequence(name)[0].key());
        } else {
            ADD_FAILURE() << "no step " << step;
        }
    }
}

void ProgramFixture::TearDown() {
    program_.reset();
    settings_.reset();
}

} // namespace korvane::test
