// Texts from outside the program shown as they stand wherever Qt would read markup: a description,
// a language or help text "<img src=/dev/zero>" shows those characters and loads nothing.

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QUrl>
#include <sys/inotify.h>
#include <unistd.h>

#include "app/dialogs.h"
#include "app/plain_text.h"
#include "model/channel_types.h"
#include "model/text_ids.h"
#include "tests/support/program_fixture.h"
#include "tests/support/workspace_setup.h"

using namespace korvane;
using namespace korvane::test;

namespace {

// Markup of every kind a file may carry: a picture, a link, a tag, an entity, a quote.
const QStringList kMarkup = {QStringLiteral("<img src=/dev/zero>"), QStringLiteral("<a href=\"file:/x\">link</a>"),
                             QStringLiteral("<b>bold</b>"), QStringLiteral("&lt;"), QStringLiteral("say \"hi\"")};

// Markup read without loading anything it names.
class NothingLoaded : public QTextDocument {
protected:
    QVariant loadResource(int, const QUrl&) override { return {}; }
};

// What a tool tip, label or message box shows of `text` in the format it has.
QString shown(const QString& text, Qt::TextFormat format = Qt::AutoText) {
    if (format == Qt::PlainText || (format == Qt::AutoText && !Qt::mightBeRichText(text)))
        return text;
    NothingLoaded document;
    document.setHtml(text);
    return document.toPlainText();
}

using PlainDisplay = ProgramFixture;

} // namespace

TEST(PlainText, aToolTipAndAMessageBoxShowTheirTextExactly) {
    QStringList texts = kMarkup;
    texts << QStringLiteral("A1: <b>x</b>\n  two  spaces\n\nand a line between") << QStringLiteral("A1: plain");
    for (const QString& t : texts) {
        SCOPED_TRACE(t.toStdString());
        EXPECT_EQ(shown(PlainToolTip(t)), t);
        const auto box = MakeMessageBox(nullptr, t, QString(), Buttons::YesNo, MessageIcon::Exclamation);
        const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(shown(label->text(), label->textFormat()), t);
        // The dialog that asks for a text (View > COM port > Other port... with its language prompt).
        const auto ask = MakeTextDialog(nullptr, t, QStringLiteral("Other port"), QStringLiteral("/dev/"));
        const auto* prompt = ask->findChild<QLabel*>();
        ASSERT_NE(prompt, nullptr);
        EXPECT_EQ(shown(prompt->text(), prompt->textFormat()), t);
    }
    EXPECT_EQ(PlainToolTip(QStringLiteral("A1: plain")), QStringLiteral("A1: plain")) << "plain text stays as it is";
}

TEST(PlainText, aPromptNamingAFileNeverMakesTheDialogOpenIt) {
    // A language file whose prompt is a picture: the real dialog is shown and drawn, and the file the
    // picture names is watched for being opened (a FIFO or /dev/zero there would never end the read).
    QTemporaryDir dir;
    const QString picture = dir.filePath(QStringLiteral("picture.png"));
    QImage(4, 4, QImage::Format_RGB32).save(picture);
    const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    ASSERT_GE(::inotify_add_watch(watch, QFile::encodeName(picture).constData(), IN_OPEN), 0);
    const QString prompt = QStringLiteral("<img src=\"%1\"> Path of the port:").arg(picture);
    const auto ask = MakeTextDialog(nullptr, prompt, QStringLiteral("Other port"), QStringLiteral("/dev/"));
    ask->show();
    QCoreApplication::processEvents();
    (void)ask->grab(); // drawn, as the screen would
    ask->hide();
    char events[4096];
    EXPECT_LE(::read(watch, events, sizeof events), 0) << "the dialog opened the file its prompt names";
    ::close(watch);
    EXPECT_EQ(ask->findChild<QLabel*>()->text(), prompt);
}

TEST_F(PlainDisplay, outsideTextsShowAsTheyStandInEveryLabelAndToolTip) {
    // Language and help files whose every text carries markup, the language names too.
    const QString lang = programFolder() + QStringLiteral("/Language");
    for (const char* name : {"English", "Deutsch", "Dansk"})
        WriteTestLanguage(lang, QLatin1String(name) + QStringLiteral(".dat"), QStringLiteral("<b>%1</b>").arg(name[0]),
                          QStringLiteral("<i>%1</i>").arg(QLatin1String(name)));
    ASSERT_TRUE(start());

    // A channel's description, from a file, the unit or a colleague, in the matrix's tool tip.
    const int type = ws().typeOf(0) & kTypeMask;
    for (const QString& m : kMarkup) {
        SCOPED_TRACE(m.toStdString());
        ConfigurationForSetUp(ws()).ChanText[0] = ToCp1252(m);
        main().ImgTxt(0);
        const QWidget* cell = main().findChild<QWidget*>(QStringLiteral("Image1_0"));
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(shown(cell->toolTip()), QStringLiteral("A1: ") + ws().text(TypeNameText(type)) + " >> " + m);
    }

    // Every page of the editor and the main window: each label shows its text as it stands, each
    // tool tip is its text or that text made plain.
    ConfigurationForSetUp(ws()).SmsText[0] = "not a number"; // its field's tool tip says why
    int marked = 0;
    const auto walk = [&](const QString& where) {
        for (QWidget* window : {static_cast<QWidget*>(&editor()), static_cast<QWidget*>(&main())}) {
            for (const QLabel* l : window->findChildren<QLabel*>()) {
                if (l->text().contains(QLatin1String("<b>")))
                    ++marked;
                // A rich label (its lines are links) shows exactly the plain text it keeps.
                const QVariant plain = l->property(kPlainTextProperty);
                EXPECT_EQ(shown(l->text(), l->textFormat()), plain.isValid() ? plain.toString() : l->text())
                    << where.toStdString() << ": label " << l->objectName().toStdString();
            }
            for (const QWidget* w : window->findChildren<QWidget*>()) {
                const QString tip = w->toolTip();
                EXPECT_EQ(PlainToolTip(shown(tip)), tip)
                    << where.toStdString() << ": tool tip of " << w->objectName().toStdString();
            }
        }
    };
    forEveryPage(walk);
    EXPECT_GT(marked, 100) << "the walk saw the language's texts";
}
