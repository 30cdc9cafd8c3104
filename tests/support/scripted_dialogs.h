#pragma once
// Dialogs for tests: answers questions and file dialogs from a script and records everything shown.

#include <deque>
#include <functional>
#include <vector>

#include "app/dialogs.h"

namespace korvane::test {

class ScriptedDialogs : public Dialogs {
public:
    struct Shown {
        QString text;
        QString caption;
        Buttons buttons;
        MessageIcon icon;
        SaveChoiceTexts saveButtons = {}; // the captions of a save question's buttons
    };
    struct FileDialog {
        QString title;
        QString filter;
        QString initialPath;
        bool save;
    };

    std::deque<Answer> answers;               // for Yes/No, Yes/No/Cancel and save questions
    std::deque<std::optional<QString>> files; // chosen paths; nullopt = cancelled
    std::deque<std::optional<QString>> lines; // typed lines; nullopt = cancelled
    std::vector<Shown> shown;                 // every message and question, in order
    std::vector<FileDialog> fileDialogs;
    // Answers the save questions instead of the script when set (a test that drives the real box).
    std::function<Answer(const SaveChoiceTexts&)> saveQuestion;
    std::vector<QString> prompts; // the line each text question was prefilled with
    int beeps = 0;
    int unexpected = 0; // questions or file dialogs the script had no answer for

    // A question takes the next answer; with none scripted it is cancelled, as Escape would, and counted.
    Answer ask(QWidget*, const QString& text, const QString& caption, Buttons buttons, MessageIcon icon) override {
        shown.push_back({text, caption, buttons, icon});
        if (buttons == Buttons::Ok)
            return Answer::Ok;
        return next(answers, Answer::Cancel);
    }
    Answer askSave(QWidget*, const QString& text, const SaveChoiceTexts& buttons) override {
        shown.push_back({text, QString(), Buttons::SaveDiscardCancel, MessageIcon::None, buttons});
        if (saveQuestion)
            return saveQuestion(buttons);
        return next(answers, Answer::Cancel);
    }
    std::optional<FileChoice> openFile(QWidget*, const QString& title, const QString& filter,
                                       const QString& initialPath) override {
        return file(title, filter, initialPath, false);
    }
    std::optional<FileChoice> saveFile(QWidget*, const QString& title, const QString& filter,
                                       const QString& initialPath) override {
        return file(title, filter, initialPath, true);
    }
    std::optional<QString> askText(QWidget*, const QString& prompt, const QString& caption,
                                   const QString& initial) override {
        shown.push_back({prompt, caption, Buttons::Ok, MessageIcon::None});
        prompts.push_back(initial);
        return next(lines, std::optional<QString>());
    }
    void beep() override { ++beeps; }

    QStringList texts() const {
        QStringList out;
        for (const Shown& s : shown)
            out << s.text;
        return out;
    }

private:
    // The front of a script, taken off it; with the script empty `none`, and counted as unexpected.
    template <class T> T next(std::deque<T>& script, T none) {
        if (script.empty()) {
            ++unexpected;
            return none;
        }
        T front = script.front();
        script.pop_front();
        return front;
    }
    std::optional<FileChoice> file(const QString& title, const QString& filter, const QString& initial, bool save) {
        fileDialogs.push_back({title, filter, initial, save});
        const std::optional<QString> path = next(files, std::optional<QString>());
        if (!path)
            return std::nullopt;
        return FileChoice{*path, FileTitle(*path)};
    }
};

} // namespace korvane::test
