#include "tests/support/program_fixture.h"

#include <QApplication>
#include <QDir>
#include <QFile>

#include "model/text_codec.h"

namespace korvane::test {

void WriteTextFile(const QString& path, const std::map<int, QString>& records) {
    std::string bytes;
    for (const auto& [key, text] : records)
        bytes += std::to_string(key) + ",\"" + Utf8ToCp1252(text.toStdString()) + "\"\r\n";
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

void WriteTestLanguage(const QString& folder, const QString& fileName, const QString& prefix, const QString& name) {
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
    WriteTextFile(folder + QLatin1Char('/') + fileName, texts);
    std::map<int, QString> help = {{10, prefix + QStringLiteral("-general help")},
                                   {208, prefix + QStringLiteral("-intruder help")}};
    WriteTextFile(folder + QLatin1Char('/') + fileName.left(3) + QStringLiteral("_hlp.dat"), help);
}

void ProgramFixture::SetUp() {
    ASSERT_TRUE(dir_.isValid());
    QDir().mkpath(programFolder() + QStringLiteral("/Language"));
    QDir().mkpath(programFolder() + QStringLiteral("/Data"));
    const QString lang = programFolder() + QStringLiteral("/Language");
    WriteTestLanguage(lang, QStringLiteral("English.dat"), QStringLiteral("E"), QStringLiteral("English"));
    WriteTestLanguage(lang, QStringLiteral("Deutsch.dat"), QStringLiteral("D"), QStringLiteral("Deutsch"));
    WriteTestLanguage(lang, QStringLiteral("Dansk.dat"), QStringLiteral("K"), QStringLiteral("Dansk"));
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

void ProgramFixture::TearDown() {
    program_.reset();
    settings_.reset();
}

} // namespace korvane::test
