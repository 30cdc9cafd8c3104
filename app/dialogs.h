#pragma once
// Every message box, question, file dialog and beep of the program goes through Dialogs, so the
// windows never block a test: tests install a scripted implementation that answers and records.

#include <QString>
#include <memory>
#include <optional>

class QInputDialog;
class QMessageBox;
class QWidget;

namespace korvane {

enum class Answer { Ok, Yes, No, Cancel, Save, Discard };
enum class Buttons { Ok, YesNo, YesNoCancel, SaveDiscardCancel };
enum class MessageIcon { None, Exclamation, Information };

// The captions of the three buttons of a "save the changes first?" question, in the window's language.
struct SaveChoiceTexts {
    QString save;
    QString discard;
    QString cancel;
    // The save and bin pictures on the first two buttons; off where they mean something else ("Show
    // problems", "Write anyway").
    bool savePictures = true;
};

struct FileChoice {
    QString path;  // full path, native separators
    QString title; // the file name without its folder
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual Answer ask(QWidget* parent, const QString& text, const QString& caption, Buttons buttons,
                       MessageIcon icon) = 0;
    // "Save the changes first?" before a command that would replace or end unsaved work: Save, Discard
    // (Don't save) or Cancel. Escape and closing the box answer Cancel, never Discard.
    virtual Answer askSave(QWidget* parent, const QString& text, const SaveChoiceTexts& buttons) = 0;
    // Empty when the user cancelled.
    virtual std::optional<FileChoice> openFile(QWidget* parent, const QString& title, const QString& filter,
                                               const QString& initialPath) = 0;
    virtual std::optional<FileChoice> saveFile(QWidget* parent, const QString& title, const QString& filter,
                                               const QString& initialPath) = 0;
    // One line the user types (a device path, say), prefilled with `initial`; empty when cancelled.
    virtual std::optional<QString> askText(QWidget* parent, const QString& prompt, const QString& caption,
                                           const QString& initial) = 0;
    virtual void beep() = 0;

    void message(QWidget* parent, const QString& text, const QString& caption = QString(),
                 MessageIcon icon = MessageIcon::None) {
        ask(parent, text, caption, Buttons::Ok, icon);
    }
};

// The message box QtDialogs shows for a message or question, not yet shown: its buttons are Qt's
// standard buttons, whose captions follow the Qt translation of the program's language; its text is
// shown as plain text, whatever characters it holds.
std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, const QString& text, const QString& caption,
                                            Buttons buttons, MessageIcon icon);

// The dialog that asks for a line of text (askText): its prompt shown as it stands, never as markup.
std::unique_ptr<QInputDialog> MakeTextDialog(QWidget* parent, const QString& prompt, const QString& caption,
                                             const QString& initial);

// The real dialogs: QMessageBox, QFileDialog (Qt's own, which speaks the program's language rather
// than the desktop's) and the system beep.
class QtDialogs : public Dialogs {
public:
    Answer ask(QWidget* parent, const QString& text, const QString& caption, Buttons buttons,
               MessageIcon icon) override;
    Answer askSave(QWidget* parent, const QString& text, const SaveChoiceTexts& buttons) override;
    std::optional<FileChoice> openFile(QWidget* parent, const QString& title, const QString& filter,
                                       const QString& initialPath) override;
    std::optional<FileChoice> saveFile(QWidget* parent, const QString& title, const QString& filter,
                                       const QString& initialPath) override;
    std::optional<QString> askText(QWidget* parent, const QString& prompt, const QString& caption,
                                   const QString& initial) override;
    void beep() override;
};

// "Korvane (*.zeb)|*.zeb|All(*.*)|*.*" -> "Korvane (*.zeb);;All (*)": the bar-separated
// description/pattern pairs of our filters in Qt's filter syntax. "*.*" means every file.
QString ToQtFilter(const QString& barFilter);

// The extension of a Qt filter's first pattern: "Korvane (*.zeb)" -> "zeb"; "" for "All (*)".
QString DefaultSuffix(const QString& qtFilter);

// The position of the last '\' or '/' of a path, -1 when it has none.
qsizetype LastSeparator(const QString& path);

// The file name after the last '\' or '/'; the whole text when there is none.
QString FileTitle(const QString& path);

} // namespace korvane
