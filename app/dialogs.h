#pragma once
// Every message box, question, file dialog and beep of the program goes through Dialogs, so the
// windows never block a test: tests install a scripted implementation that answers and records.

#include <QString>
#include <optional>

class QMessageBox;
class QWidget;

namespace korvane {

enum class Answer { Ok, Yes, No, Cancel };
enum class Buttons { Ok, YesNo, YesNoCancel };
enum class MessageIcon { None, Exclamation, Information };

struct FileChoice {
    QString path;  // full path, native separators
    QString title; // the file name without its folder
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual Answer ask(QWidget* parent, const QString& text, const QString& caption, Buttons buttons,
                       MessageIcon icon) = 0;
    // Empty when the user cancelled.
    virtual std::optional<FileChoice> openFile(QWidget* parent, const QString& title, const QString& filter,
                                               const QString& initialPath) = 0;
    virtual std::optional<FileChoice> saveFile(QWidget* parent, const QString& title, const QString& filter,
                                               const QString& initialPath) = 0;
    virtual void beep() = 0;

    void message(QWidget* parent, const QString& text, const QString& caption = QString(),
                 MessageIcon icon = MessageIcon::None) {
        ask(parent, text, caption, Buttons::Ok, icon);
    }
};

// The real dialogs: QMessageBox, QFileDialog and the system beep.
class QtDialogs : public Dialogs {
public:
    Answer ask(QWidget* parent, const QString& text, const QString& caption, Buttons buttons,
               MessageIcon icon) override;
    std::optional<FileChoice> openFile(QWidget* parent, const QString& title, const QString& filter,
                                       const QString& initialPath) override;
    std::optional<FileChoice> saveFile(QWidget* parent, const QString& title, const QString& filter,
                                       const QString& initialPath) override;
    void beep() override;
};

// The message box of QtDialogs::ask: text, caption (ZEB1 when empty), icon and buttons; the text is
// shown as plain text, whatever characters it holds.
void SetUpMessageBox(QMessageBox& box, const QString& text, const QString& caption, Buttons buttons, MessageIcon icon);

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
