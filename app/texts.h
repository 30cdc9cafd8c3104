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
inline const QString kLanguageFilter = QStringLiteral("ZEB1 language(*.dat)|*.dat");

// Reads the language (or help) file of a slot into LangText (HelpText). True when the file had no
// bad record. A good language file becomes the current language and is remembered in the settings.
// A language file that cannot be opened is reported as bad and does not become current.
bool LoadTexts(AppContext& ctx, QWidget* parent, int slot, TextKind kind);
// Both files of a slot, falling back to the current language when the slot's language file is bad.
// Returns true when the slot became current.
bool ChooseLanguage(AppContext& ctx, QWidget* parent, int slot);
// Validates a language file and, when it is good, puts it into the slot (path and name).
bool CheckLanguageFile(AppContext& ctx, QWidget* parent, const QString& path, int slot);
// The help pop-up: the help text of the number, or text 200 titled with the title and the number.
void ShowHelp(AppContext& ctx, QWidget* parent, int helpNumber, const QString& title);

} // namespace korvane
