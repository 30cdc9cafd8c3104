#pragma once
// Language and help texts of the running program: loading a slot's files, validating a browsed
// language file, and the help pop-up.

#include <QString>

#include "app/context.h"

class QWidget;

namespace korvane {

enum class TextKind { Language = 0, Help = 1 };

inline const QString kBadLanguageFile = QStringLiteral("Bad or Corrupted language file...");
inline const QString kBadHelpFile = QStringLiteral("Bad or Corrupted Help file...");

// One of the sentences above, then the file and what is wrong with it, on a paragraph of their own.
QString BadTextFileMessage(const QString& sentence, const std::string& path, const std::string& reason);
inline const QString kLanguageFilter = QStringLiteral("ZEB1 language(*.dat)|*.dat");

// Reads the language (or help) file of a slot into LangText (HelpText). True when the file had no
// bad record. A good language file becomes the current language and is remembered in the settings;
// Qt's own dialogs and buttons then speak it too (InstallQtTranslation), and the English file of the
// program folder stands in for the texts it lacks (Workspace::text).
// A language file that cannot be opened is reported as bad and does not become current.
bool LoadTexts(AppContext& ctx, QWidget* parent, int slot, TextKind kind);
// The language of Qt's own translations for the current language texts: language text 99 ("de"), or
// failing that the language whose name text 331 gives ("Dansk", "German"); "" when neither tells.
// The decimal point of numbers shown and typed in the window: the language's (a comma in German and
// Danish), the system's where the language names none. Files, records and the command line keep ".".
QChar DecimalPoint(const Workspace& ws);
QString QtLanguageOf(const Workspace& ws);
// Loads Qt's own translation (qtbase_<language> from Qt's translations folder) for the current
// language texts in place of the one loaded before, so that message box buttons, file, print and
// preview dialogs follow the program's language rather than the system's. English needs none.
// Returns the language loaded, "" when none (English, or no translation of that language found).
QString InstallQtTranslation(const Workspace& ws);
// Both files of a slot, falling back to the current language when the slot's language file is bad.
// Returns true when the slot became current.
bool ChooseLanguage(AppContext& ctx, QWidget* parent, int slot);
// Validates a language file and, when it is good, puts it into the slot (path and name).
bool CheckLanguageFile(AppContext& ctx, QWidget* parent, const QString& path, int slot);
// The help pop-up: the help text of the number, or text 200 titled with the title and the number.
void ShowHelp(AppContext& ctx, QWidget* parent, int helpNumber, const QString& title);

} // namespace korvane
