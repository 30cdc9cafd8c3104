#include "tests/support/program_fixture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>

#include "io/text_file.h"
#include "model/channel_types.h"
#include "model/text_codec.h"
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

void ProgramFixture::TearDown() {
    program_.reset();
    settings_.reset();
}

} // namespace korvane::test
