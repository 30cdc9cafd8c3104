#include "app/texts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "io/text_file.h"
#include "model/text_ids.h"

namespace korvane {

namespace {

const QString kQtTranslationName = QStringLiteral("korvane_qt_translation");

// The shipped English texts, read afresh with every language: they stand in for what a language
// file lacks.
void LoadEnglishFallback(Workspace& ws) {
    ws.EnglishText.assign(static_cast<std::size_t>(kLanguageTextCount) + 1, QString());
    if (ws.ProgramFolder.isEmpty())
        return;
    const TextTable english = ReadTextFile(LocalPath(DefaultLanguageFile(ws.ProgramFolder, 0)), kLanguageTextCount);
    for (std::size_t k = 0; k < english.texts.size() && k < ws.EnglishText.size(); ++k)
        ws.EnglishText[k] = FromCp1252(english.texts[k]);
}

} // namespace

QString QtLanguageOf(const Workspace& ws) {
    const QString code = ws.fileText(kTxtQtLanguage).trimmed();
    if (!code.isEmpty())
        return code;
    const QString name = ws.fileText(kTxtLanguageName).trimmed();
    if (name.isEmpty())
        return QString();
    for (const QLocale& l : QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory)) {
        if (l.language() == QLocale::C)
            continue;
        if (l.nativeLanguageName().compare(name, Qt::CaseInsensitive) == 0 ||
            QLocale::languageToString(l.language()).compare(name, Qt::CaseInsensitive) == 0)
            return l.name().section(QLatin1Char('_'), 0, 0);
    }
    return QString();
}

QChar DecimalPoint(const Workspace& ws) {
    const QString language = QtLanguageOf(ws);
    const QString point = (language.isEmpty() ? QLocale() : QLocale(language)).decimalPoint();
    return point.size() == 1 ? point.at(0) : QLatin1Char('.');
}

QString InstallQtTranslation(const Workspace& ws) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return QString();
    if (auto* old = app->findChild<QTranslator*>(kQtTranslationName, Qt::FindDirectChildrenOnly)) {
        QCoreApplication::removeTranslator(old);
        delete old;
    }
    const QString language = QtLanguageOf(ws);
    if (language.isEmpty() || language.startsWith(QLatin1String("en")))
        return QString(); // Qt speaks English of itself
    auto* translator = new QTranslator(app);
    translator->setObjectName(kQtTranslationName);
    if (!translator->load(QStringLiteral("qtbase_") + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return QString();
    }
    QCoreApplication::installTranslator(translator);
    return language;
}

QString BadTextFileMessage(const QString& sentence, const std::string& path, const std::string& reason) {
    return sentence + QStringLiteral("\n\n") + QString::fromLocal8Bit(path.c_str()) + QStringLiteral(": ") +
           QString::fromLocal8Bit(reason.c_str());
}

bool LoadTexts(AppContext& ctx, QWidget* parent, int slot, TextKind kind) {
    Workspace& ws = ctx.ws;
    const QString languageFile = ws.LangFiles[static_cast<std::size_t>(slot)];
    const bool language = kind == TextKind::Language;
    const int count = language ? kLanguageTextCount : kHelpTextCount;
    const std::string path = language ? LocalPath(languageFile) : HelpFileName(LocalPath(languageFile));
    const TextTable table = ReadTextFile(path, count);

    std::vector<QString>& target = language ? ws.LangText : ws.HelpText;
    target.assign(static_cast<std::size_t>(count) + 1, QString());
    for (std::size_t k = 0; k < table.texts.size() && k < target.size(); ++k)
        target[k] = FromCp1252(table.texts[k]);

    // A language file that is not there leaves the program without a single caption: that is as bad
    // as a corrupted file, and the language must not become current.
    const bool good = table.good && (table.opened || !language);
    if (good && language) {
        ctx.settings.setValue(QStringLiteral("CurrentLanguage"), QString::number(slot));
        ws.CurLanguage = slot;
    }
    if (language) {
        LoadEnglishFallback(ws);
        InstallQtTranslation(ws);
    }
    if (!good) {
        // The fixed sentence, then which file and why.
        const std::string why =
            !table.opened ? table.openReason : "line " + std::to_string(table.badLine) + ": " + table.badReason;
        ctx.dialogs.message(parent, BadTextFileMessage(language ? kBadLanguageFile : kBadHelpFile, path, why));
    }
    return good;
}

bool ChooseLanguage(AppContext& ctx, QWidget* parent, int slot) {
    const bool good = LoadTexts(ctx, parent, slot, TextKind::Language);
    if (good) {
        LoadTexts(ctx, parent, slot, TextKind::Help);
    } else {
        LoadTexts(ctx, parent, ctx.ws.CurLanguage, TextKind::Language);
        LoadTexts(ctx, parent, ctx.ws.CurLanguage, TextKind::Help);
    }
    ctx.ws.announceTexts();
    return good;
}

bool CheckLanguageFile(AppContext& ctx, QWidget* parent, const QString& path, int slot) {
    const LanguageFileCheck check = CheckLanguageFileAt(LocalPath(path));
    if (!check.valid) {
        ctx.dialogs.message(parent, BadTextFileMessage(kBadLanguageFile, LocalPath(path), check.reason));
        return false;
    }
    ctx.ws.LangNames[static_cast<std::size_t>(slot)] = FromCp1252(check.name);
    ctx.ws.LangFiles[static_cast<std::size_t>(slot)] = path;
    return true;
}

void ShowHelp(AppContext& ctx, QWidget* parent, int helpNumber, const QString& title) {
    const Workspace& ws = ctx.ws;
    if (helpNumber > 0 && helpNumber <= kHelpTextCount &&
        !ws.HelpText[static_cast<std::size_t>(helpNumber)].isEmpty()) {
        ctx.dialogs.message(parent, ws.HelpText[static_cast<std::size_t>(helpNumber)], ws.text(kTxtMenuHelp));
        return;
    }
    ctx.dialogs.message(parent, ws.text(kTxtNoHelp), title + QString::number(helpNumber));
}

} // namespace korvane
