#include "app/dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QIcon>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QStringList>
#include <utility>

namespace korvane {

std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, const QString& text, const QString& caption,
                                            Buttons buttons, MessageIcon icon) {
    auto box = std::make_unique<QMessageBox>(parent);
    // Messages carry texts from files, the unit and the language and help files: never markup.
    box->setTextFormat(Qt::PlainText);
    box->setText(text);
    box->setWindowTitle(caption.isEmpty() ? QStringLiteral("ZEB1") : caption);
    box->setIcon(icon == MessageIcon::Exclamation   ? QMessageBox::Warning
                 : icon == MessageIcon::Information ? QMessageBox::Information
                                                    : QMessageBox::NoIcon);
    switch (buttons) {
    case Buttons::Ok:
        box->setStandardButtons(QMessageBox::Ok);
        break;
    case Buttons::YesNo:
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box->setDefaultButton(QMessageBox::Yes);
        break;
    case Buttons::YesNoCancel:
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box->setDefaultButton(QMessageBox::Yes);
        break;
    case Buttons::SaveDiscardCancel:
        box->setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
        box->setDefaultButton(QMessageBox::Save);
        box->setEscapeButton(QMessageBox::Cancel);
        break;
    }
    return box;
}

Answer QtDialogs::ask(QWidget* parent, const QString& text, const QString& caption, Buttons buttons, MessageIcon icon) {
    const std::unique_ptr<QMessageBox> box = MakeMessageBox(parent, text, caption, buttons, icon);
    switch (box->exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    case QMessageBox::Save:
        return Answer::Save;
    case QMessageBox::Discard:
        return Answer::Discard;
    default:
        // Closing a Yes/No box with Escape or the close button counts as No, a Yes/No/Cancel box as Cancel.
        return buttons == Buttons::Ok ? Answer::Ok : buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }
}

Answer QtDialogs::askSave(QWidget* parent, const QString& text, const SaveChoiceTexts& buttons) {
    // Escape and the window's close button mean Cancel: the work is never dropped by a stray key.
    const std::unique_ptr<QMessageBox> box =
        MakeMessageBox(parent, text, QString(), Buttons::SaveDiscardCancel, MessageIcon::None);
    box->setIcon(QMessageBox::Question);
    const std::pair<QMessageBox::StandardButton, const QString*> captions[] = {{QMessageBox::Save, &buttons.save},
                                                                               {QMessageBox::Discard, &buttons.discard},
                                                                               {QMessageBox::Cancel, &buttons.cancel}};
    for (const auto& [button, caption] : captions) {
        if (!caption->isEmpty())
            box->button(button)->setText(*caption);
        if (!buttons.savePictures)
            box->button(button)->setIcon(QIcon());
    }
    switch (box->exec()) {
    case QMessageBox::Save:
        return Answer::Save;
    case QMessageBox::Discard:
        return Answer::Discard;
    default:
        return Answer::Cancel;
    }
}

static std::optional<FileChoice> choice(const QString& path) {
    if (path.isEmpty())
        return std::nullopt;
    const QString native = QDir::toNativeSeparators(path);
    return FileChoice{native, FileTitle(native)};
}

std::optional<FileChoice> QtDialogs::openFile(QWidget* parent, const QString& title, const QString& filter,
                                              const QString& initialPath) {
    // The desktop's own dialog would speak the system's language, not the one chosen in the program.
    return choice(QFileDialog::getOpenFileName(parent, title, QDir::fromNativeSeparators(initialPath),
                                               ToQtFilter(filter), nullptr, QFileDialog::DontUseNativeDialog));
}

std::optional<FileChoice> QtDialogs::saveFile(QWidget* parent, const QString& title, const QString& filter,
                                              const QString& initialPath) {
    QFileDialog dialog(parent, title, QDir::fromNativeSeparators(initialPath), ToQtFilter(filter));
    dialog.setOption(QFileDialog::DontUseNativeDialog); // in the program's language, as the Open dialog
    dialog.setAcceptMode(QFileDialog::AcceptSave);      // asks before overwriting an existing file
    // A name typed without an extension gets the one of the chosen file type, so the file shows up
    // again in the Open dialog.
    dialog.setDefaultSuffix(DefaultSuffix(dialog.selectedNameFilter()));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& f) { dialog.setDefaultSuffix(DefaultSuffix(f)); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return choice(dialog.selectedFiles().first());
}

std::unique_ptr<QInputDialog> MakeTextDialog(QWidget* parent, const QString& prompt, const QString& caption,
                                             const QString& initial) {
    auto dialog = std::make_unique<QInputDialog>(parent);
    dialog->setWindowTitle(caption);
    dialog->setInputMode(QInputDialog::TextInput);
    dialog->setTextValue(initial);
    // The prompt (a language text) as it stands: its label is made empty and set plain before the text
    // goes in, so that markup in it is never read, nor anything it names loaded.
    dialog->setLabelText(QString());
    for (QLabel* label : dialog->findChildren<QLabel*>())
        label->setTextFormat(Qt::PlainText);
    dialog->setLabelText(prompt);
    return dialog;
}

std::optional<QString> QtDialogs::askText(QWidget* parent, const QString& prompt, const QString& caption,
                                          const QString& initial) {
    const std::unique_ptr<QInputDialog> dialog = MakeTextDialog(parent, prompt, caption, initial);
    if (dialog->exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog->textValue();
}

void QtDialogs::beep() {
    QApplication::beep();
}

QString ToQtFilter(const QString& barFilter) {
    const QStringList parts = barFilter.split(QLatin1Char('|'));
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        const qsizetype paren = description.indexOf(QLatin1Char('('));
        if (paren >= 0)
            description = description.left(paren).trimmed();
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& p : patterns) {
            p = p.trimmed();
            if (p == QLatin1String("*.*"))
                p = QStringLiteral("*");
        }
        out << QStringLiteral("%1 (%2)").arg(description, patterns.join(QLatin1Char(' ')));
    }
    return out.join(QStringLiteral(";;"));
}

QString DefaultSuffix(const QString& qtFilter) {
    const qsizetype open = qtFilter.indexOf(QLatin1String("(*."));
    if (open < 0)
        return QString();
    const qsizetype start = open + 3;
    qsizetype end = start;
    while (end < qtFilter.size() && qtFilter.at(end).isLetterOrNumber())
        ++end;
    return qtFilter.mid(start, end - start);
}

qsizetype LastSeparator(const QString& path) {
    return std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
}

QString FileTitle(const QString& path) {
    const qsizetype cut = LastSeparator(path);
    return path.mid(cut + 1);
}

} // namespace korvane
