#include "app/texts.h"

#include "io/text_file.h"
#include "model/text_ids.h"

namespace korvane {

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
    if (!good)
        ctx.dialogs.message(parent, language ? kBadLanguageFile : kBadHelpFile);
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
        ctx.dialogs.message(parent, kBadLanguageFile);
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
