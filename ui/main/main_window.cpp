#include "ui/main/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QWindow>
#include <algorithm>
#include <string>
#include <vector>

#include "app/access_keys.h"
#include "app/config_files.h"
#include "app/plain_text.h"
#include "app/texts.h"
#include "model/channel_types.h"
#include "model/field_rules.h"
#include "model/logic.h"
#include "model/master.h"
#include "model/matrix_navigation.h"
#include "model/text_ids.h"
#include "reports/report_catalogue.h"
#include "sim/simulated_link.h"
#include "ui/editor/editor_window.h"
#include "ui/editor/virtual_key.h"
#include "ui/main/channel_cell.h"
#include "ui/main/channel_find.h"
#include "ui/main/main_menus.h"
#include "ui/main/matrix_selection.h"
#include "ui/main/report_printing.h"
#include "ui/transfer/port_menu.h"

namespace korvane {

namespace {

constexpr int kMatrixWidthTwips = 4410; // the matrix pane and the editor pane at their first start
constexpr int kEditorWidthTwips = 5280;
constexpr int kHeightTwips = 6800;
constexpr char kRoomKey[] = "ProgramWindow";
constexpr char kSplitKey[] = "PaneSplit";          // the matrix, the editor and panes beside them
constexpr char kSideSplitKey[] = "PaneSplitBelow"; // those above and the panes below
constexpr char kDetachedKey[] = "EditorDetached";
// A window size no larger than the screen's free room.
QSize FitScreen(QSize size, const QScreen* screen) {
    return screen ? size.boundedTo(screen->availableGeometry().size()) : size;
}

// A splitter's sizes as "294,352" and back; nothing when the text does not fit the splitter.
QString SizesText(const QSplitter* s) {
    QStringList parts;
    for (int size : s->sizes())
        parts << QString::number(size);
    return parts.join(QLatin1Char(','));
}

QList<int> SizesOf(const QString& text, int count) {
    QList<int> sizes;
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int size = part.toInt(&ok);
        if (!ok || size < 0 || size > 100000)
            return {};
        sizes << size;
    }
    return sizes.size() == count ? sizes : QList<int>();
}

} // namespace

MainWindow::MainWindow(AppContext& ctx, EditorWindow& editor, QWidget* parent)
    : QMainWindow(parent), ctx_(ctx), editor_(editor), files_(ctx, this),
      simulated_(std::make_shared<SimulatedLink>(true)) {
    setObjectName(QStringLiteral("F_main"));
    files_.recentChanged = [this] { RefreshFileList(QString(), true); };
    setContextMenuPolicy(Qt::NoContextMenu);
    // The window itself holds the keyboard while it is in the matrix pane.
    setFocusPolicy(Qt::StrongFocus);
    selection_ = new MatrixSelection(ctx_, this);
    buildMenus();
    buildMatrix();
    buildPanes();
    buildProblems();

    // At the first start the matrix and the editor side by side in their own sizes, at the top left;
    // after that in the size the user gave the window.
    const double dpi = screen() ? screen()->logicalDotsPerInchY() : 96.0;
    const int matrixWidth = TwipsToPixels(kMatrixWidthTwips, dpi);
    const int editorWidth = TwipsToPixels(kEditorWidthTwips, dpi);
    const QSize first(matrixWidth + split_->handleWidth() + editorWidth,
                      TwipsToPixels(kHeightTwips, dpi) + menuBar()->sizeHint().height() + editor_.captionHeight() +
                          statusBar()->sizeHint().height());
    const WindowRoom room = ReadWindowRoom(ctx_.settings, QLatin1String(kRoomKey), first);
    resize(FitScreen(room.size, screen()));
    restorePlace();
    split_->setSizes({matrixWidth, editorWidth});
    restoreSplit();
    if (room.maximized)
        setWindowState(Qt::WindowMaximized);
    roomKnown_ = true;

    Workspace& ws = ctx_.ws;
    connect(selection_, &MatrixSelection::selectionChanged, this, [this] {
        for (ChannelCell* c : cells_)
            c->setSelected(selection_->contains(c->index()));
    });
    connect(selection_, &MatrixSelection::summaryReady, this,
            [this](const QString& s) { statusBar()->showMessage(s); });
    connect(&ws, &Workspace::channelChanged, this, [this](int n) {
        refreshCell(n);
        ImgTxt(n);
    });
    connect(&ws, &Workspace::currentChannelChanged, this, &MainWindow::moveBorder);
    connect(&ws, &Workspace::configurationReplaced, this, &MainWindow::Update_Form_Elements);
    connect(&ws, &Workspace::textsChanged, this, &MainWindow::Update_Form_Elements);
    connect(&editor_, &EditorWindow::matrixChanged, this, &MainWindow::refreshMatrix);
    // A detached editor closed by the user comes back beside the matrix.
    connect(&editor_, &EditorWindow::closeRequested, this, [this] { setEditorDetached(false); });
    connect(&ws, &Workspace::titleChanged, this, &MainWindow::applyTitle);
    connect(&ws, &Workspace::dataChangedChanged, this, &MainWindow::applyTitle);
    // The Edit menu follows every stored edit and every new configuration.
    connect(&ws, &Workspace::edited, this, &MainWindow::applyEditMenu);
    connect(&ws, &Workspace::configurationReplaced, this, &MainWindow::applyEditMenu);
    connect(&ws, &Workspace::undoStateChanged, this, &MainWindow::applyUndoMenu);
    applyUndoMenu();
    Update_Form_Elements();
    cells_[static_cast<std::size_t>(ws.curChannel())]->setBordered(true);
    if (ctx_.settings.value(QLatin1String(kDetachedKey)) == QLatin1String("1"))
        setEditorDetached(true);
}

MainWindow::~MainWindow() {
    // The editor belongs to the program, not to the window it stands in.
    editor_.setParent(nullptr);
}

void MainWindow::buildPanes() {
    split_ = new QSplitter(Qt::Horizontal);
    split_->setObjectName(QStringLiteral("Panes"));
    split_->setChildrenCollapsible(false);
    split_->addWidget(matrix_);
    split_->addWidget(&editor_);
    editor_.setCaptionShown(true);
    split_->setStretchFactor(0, 1);
    split_->setStretchFactor(1, 1);
    panes_ = new QSplitter(Qt::Vertical);
    panes_->setObjectName(QStringLiteral("PanesBelow"));
    panes_->setChildrenCollapsible(false);
    panes_->addWidget(split_);
    setCentralWidget(panes_);
    for (QSplitter* s : {split_, panes_})
        connect(s, &QSplitter::splitterMoved, this, &MainWindow::storeSplit);
}

void MainWindow::storeSplit() {
    ctx_.settings.setValue(QLatin1String(kSplitKey), SizesText(split_));
    if (panes_->count() > 1)
        ctx_.settings.setValue(QLatin1String(kSideSplitKey), SizesText(panes_));
}

void MainWindow::restoreSplit() {
    const QList<int> sizes = SizesOf(ctx_.settings.value(QLatin1String(kSplitKey)), split_->count());
    if (!sizes.isEmpty())
        split_->setSizes(sizes);
    const QList<int> below = SizesOf(ctx_.settings.value(QLatin1String(kSideSplitKey)), panes_->count());
    if (!below.isEmpty())
        panes_->setSizes(below);
}

void MainWindow::addSidePane(QWidget* pane, Qt::Orientation placement) {
    QSplitter* s = placement == Qt::Horizontal ? split_ : panes_;
    s->addWidget(pane);
    s->setStretchFactor(s->indexOf(pane), placement == Qt::Horizontal ? 1 : 0);
    restoreSplit();
}

void MainWindow::setEditorDetached(bool detached) {
    detachAction_->setChecked(detached);
    if (detached == editorDetached_)
        return;
    editorDetached_ = detached;
    ctx_.settings.setValue(QLatin1String(kDetachedKey), detached ? QStringLiteral("1") : QStringLiteral("0"));
    // The page, the channel and the control with the focus stay; the keyboard follows the editor if it
    // was there.
    QWidget* focus = QApplication::focusWidget();
    if (!editor_.isAncestorOf(focus) || qobject_cast<QMenuBar*>(focus))
        focus = nullptr; // not in the editor, or in the menu bar that goes

    const bool shown = editor_.isVisible() || !isVisible();
    const QList<int> sizes = split_->sizes();
    if (detached) {
        editor_.setParent(this, Qt::Window);
        // The same menus above the editor's own window: a menu's access key works there as well.
        editorBar_ = new QMenuBar(&editor_);
        editorBar_->setObjectName(QStringLiteral("EditorMenuBar"));
        for (QAction* a : menuBar()->actions())
            editorBar_->addAction(a);
        editor_.setMenuBar(editorBar_);
        editor_.Form_Load();
    } else {
        // The bar may be the one whose menu chose this: it goes once that is done.
        editor_.setMenuBar(nullptr);
        editorBar_->hide();
        editorBar_->deleteLater();
        editorBar_ = nullptr;
        editor_.setParent(nullptr);
        split_->insertWidget(1, &editor_);
        split_->setStretchFactor(1, 1);
        if (sizes.size() + 1 == split_->count()) {
            // The matrix gives the editor back its share.
            const int editorWidth = std::max(editor_.sizeHint().width(), split_->width() / 2);
            QList<int> back = sizes;
            back[0] = std::max(1, back[0] - editorWidth);
            back.insert(1, editorWidth);
            split_->setSizes(back);
        }
    }
    editor_.setCaptionShown(!detached);
    if (shown)
        editor_.show();
    QWidget* window = detached ? static_cast<QWidget*>(&editor_) : this;
    if (focus) {
        window->raise();
        window->activateWindow();
        QApplication::setActiveWindow(window);
        focus->setFocus(Qt::OtherFocusReason);
    }
}

void MainWindow::restorePlace() {
    move(0, 0);
}

void MainWindow::applyTitle() {
    setWindowTitle(ctx_.ws.windowTitle());
    setWindowModified(ctx_.ws.dataChanged());
}

QString MainWindow::shownTitle() const {
    QString title = windowTitle();
    return title.replace(QStringLiteral("[*]"), isWindowModified() ? QStringLiteral("*") : QString());
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    // The size the user gives the window is kept for the next start.
    if (roomKnown_ && isVisible() && windowState() == Qt::WindowNoState)
        StoreWindowRoom(ctx_.settings, QLatin1String(kRoomKey), {size(), false});
}

void MainWindow::focusInEvent(QFocusEvent* event) {
    // The keyboard came to the matrix pane: its help and menus, as when the main window is activated.
    Form_Activate();
    QMainWindow::focusInEvent(event);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == matrix_ && event->type() == QEvent::Resize)
        scaleCaptions();
    // A click anywhere in the matrix pane gives it the keyboard.
    if (watched == matrix_ && event->type() == QEvent::MouseButtonPress)
        setFocus(Qt::MouseFocusReason);
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::scaleCaptions() {
    // The group letters and digits grow with the cells: the rows share the matrix's height.
    const int rowHeight = matrix_->height() / 17;
    const int basePx = QFontInfo(font()).pixelSize();
    const int px = std::clamp(rowHeight * 9 / 20, basePx, basePx * 2);
    if (captions_[0]->font().pixelSize() == px)
        return;
    QFont f = captions_[0]->font();
    f.setPixelSize(px);
    for (QLabel* l : captions_)
        l->setFont(f);
}

void MainWindow::setCellText(bool shown) {
    cellText_ = shown;
    cellTextAction_->setChecked(shown);
    for (ChannelCell* c : cells_)
        c->setTextShown(shown);
}

void MainWindow::setUserPicture(const QPixmap& picture) {
    if (!picture.isNull())
        setWindowIcon(QIcon(picture));
}

void MainWindow::buildMatrix() {
    auto* central = new QWidget;
    central->setObjectName(QStringLiteral("matrix"));
    matrix_ = central;
    auto* grid = new QGridLayout(central);
    grid->setContentsMargins(4, 2, 4, 4);
    grid->setHorizontalSpacing(1);
    grid->setVerticalSpacing(1);
    QFont captionFont = font();
    captionFont.setBold(true);
    for (int i = 0; i < 24; ++i) {
        auto* l = new QLabel(central);
        l->setObjectName(QStringLiteral("L_CHG_%1").arg(i));
        l->setFont(captionFont);
        l->setAlignment(Qt::AlignCenter);
        if (i < 16) {
            l->setText(QString(QChar('A' + i)));
            grid->addWidget(l, i + 1, 0);
        } else {
            l->setText(QString::number(i - 15));
            grid->addWidget(l, 0, i - 15);
        }
        captions_[static_cast<std::size_t>(i)] = l;
    }
    for (int n = 0; n < kChannels; ++n) {
        auto* c = new ChannelCell(n, central);
        c->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        connect(c, &ChannelCell::pressed, this, &MainWindow::Image1_MouseDown);
        connect(c, &ChannelCell::clicked, this, &MainWindow::Image1_Click);
        connect(c, &ChannelCell::dropped, selection_, &MatrixSelection::drop);
        grid->addWidget(c, n / 8 + 1, n % 8 + 1);
        cells_[static_cast<std::size_t>(n)] = c;
    }
    grid->setColumnStretch(0, 0);
    for (int col = 1; col <= 8; ++col)
        grid->setColumnStretch(col, 1);
    for (int row = 1; row <= 16; ++row)
        grid->setRowStretch(row, 1);
    // Find a channel: a bar under the matrix while it is open.
    find_ = new ChannelFind(ctx_, central);
    find_->mark = [this](const std::vector<int>& found) {
        for (ChannelCell* c : cells_)
            c->setMarked(std::find(found.begin(), found.end(), c->index()) != found.end());
    };
    find_->closed = [this] { setFocus(Qt::OtherFocusReason); };
    grid->addWidget(find_, 17, 0, 1, 9);
    central->installEventFilter(this);
    setCellText(ctx_.settings.value(QLatin1String(kCellTextKey), QStringLiteral("1")) != QLatin1String("0"));
}

void MainWindow::Update_Form_Elements() {
    retranslateMenus();
    refreshMatrix();
    Form_Activate();
    applyTitle();
}

void MainWindow::refreshMatrix() {
    // A load, a read or fewer channels may leave the border on a hidden cell; it moves to a visible one.
    ctx_.ws.setCurChannel(NearestVisibleChannel(ctx_.ws.cfg, ctx_.ws.curChannel()));
    for (int n = 0; n < kChannels; ++n) {
        refreshCell(n);
        ImgTxt(n);
    }
}

void MainWindow::refreshCell(int n) {
    const Configuration& cfg = ctx_.ws.cfg;
    const int t = cfg.channelType(n) & kTypeMask;
    ChannelCell* c = cells_[static_cast<std::size_t>(n)];
    const bool alternative = ChannelPicture(cfg, n) != t;
    c->setPicture(t, alternative);
    c->setVisible(n <= cfg.channelsInUse() && !IsSecondChannel(t));
    c->setBordered(n == ctx_.ws.curChannel());
}

void MainWindow::ImgTxt(int n) {
    const Workspace& ws = ctx_.ws;
    const int t = ws.typeOf(n) & kTypeMask;
    QString text = ws.text(TypeNameText(t));
    const QString description = FromCp1252(ws.cfg.ChanText[static_cast<std::size_t>(n)]);
    if (!description.isEmpty())
        text += QStringLiteral(" >> ") + description;
    const bool driven = LogicMarks(ws.cfg)[static_cast<std::size_t>(n)];
    const QString marks = driven ? QStringLiteral("!! ") : QString();
    cells_[static_cast<std::size_t>(n)]->setLabel(description, driven);
    cells_[static_cast<std::size_t>(n)]->setToolTip(
        PlainToolTip(marks + QString::fromStdString(Num_2_Channel(n)) + QStringLiteral(": ") + text));
}

void MainWindow::moveBorder(int from, int to) {
    if (from >= 0 && from < kChannels)
        cells_[static_cast<std::size_t>(from)]->setBordered(false);
    if (to >= 0 && to < kChannels)
        cells_[static_cast<std::size_t>(to)]->setBordered(true);
}

bool MainWindow::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate)
        Form_Activate();
    if (e->type() == QEvent::Resize || e->type() == QEvent::WindowStateChange) {
        // Form_Resize: whether the window is maximised is kept for the next start, with the size it
        // returns to.
        if (e->type() == QEvent::WindowStateChange) {
            if (roomKnown_ && !(windowState() & Qt::WindowMinimized))
                StoreWindowRoom(ctx_.settings, QLatin1String(kRoomKey),
                                {normalGeometry().isValid() ? normalGeometry().size() : size(),
                                 bool(windowState() & Qt::WindowMaximized)});
        }
    }
    return QMainWindow::event(e);
}

void MainWindow::Form_Activate() {
    // The matrix pane's help context, while the keyboard is in it (a field of the editor pane keeps its
    // own).
    if (!focusWidget() || focusWidget() == this) {
        Workspace& ws = ctx_.ws;
        ws.FocusTag = QStringLiteral("Main_Form");
        ws.FocusHelpId = kHelpMainWindow;
    }
    applyEditMenu();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    Workspace& ws = ctx_.ws;
    const int key = virtualKey(*event);
    const Qt::KeyboardModifiers mods = event->modifiers();
    if (mods & (Qt::ControlModifier | Qt::AltModifier)) {
        // The menu commands' keys; other Ctrl and Alt keys do nothing here.
        if (commandKey(key, mods))
            event->accept();
        return;
    }

    const int cur = ws.curChannel();
    const int t = ws.typeOf(cur);
    const bool locked = IsLockedChannel(ws.cfg, cur);
    auto move = [&](MatrixKey k) {
        const CursorMove m = MoveCursor(ws.cfg, ws.curChannel(), k);
        if (m.beep)
            ctx_.dialogs.beep();
        // Shift with a cursor key selects the range from where it started; a plain key ends it.
        if (mods & Qt::ShiftModifier)
            return selection_->extendTo(m.channel);
        selection_->collapse();
        ws.setCurChannel(m.channel);
    };
    switch (key) {
    case vk::kF1:
        ShowHelp(ctx_, this, ws.FocusHelpId + t, ws.text(TypeNameText(t)));
        return;
    case vk::kEnter:
        openEditorOnChannel();
        return;
    case vk::kUp:
        return move(MatrixKey::Up);
    case vk::kDown:
        return move(MatrixKey::Down);
    case vk::kLeft:
        return move(MatrixKey::Left);
    case vk::kRight:
        return move(MatrixKey::Right);
    case vk::kHome:
        return move(MatrixKey::Home);
    case vk::kEnd:
        return move(MatrixKey::End);
    case vk::kApps:
        if (!locked) {
            const QRect r = cells_[static_cast<std::size_t>(cur)]->rect();
            showPopupAt(cells_[static_cast<std::size_t>(cur)]->mapToGlobal(r.center()));
        }
        return;
    default:
        break;
    }
    if (const std::optional<int> type = TypeOfMatrixKey(key)) {
        if (!locked)
            ws.changeChannelType(cur, *type);
        move(MatrixKey::Right);
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void MainWindow::applyPopupState() {
    const PopupState s = Manage_popup_ChtypeSel(ctx_.ws.cfg, ctx_.ws.curChannel());
    for (std::size_t i = 0; i < popupEntries_.size(); ++i)
        if (popupEntries_[i])
            popupEntries_[i]->setEnabled(s.enabled[i]);
}

void MainWindow::showPopupAt(const QPoint& globalPos) {
    applyPopupState();
    popup_->popup(globalPos);
}

void MainWindow::Image1_MouseDown(int n, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint globalPos) {
    // Shift with the left button selects the range from the current channel to this one.
    if (modifiers == Qt::ShiftModifier && button == Qt::LeftButton)
        return selection_->extendTo(n);
    if (modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) {
        ctx_.dialogs.message(this, QStringLiteral("Shift clik"));
        return;
    }
    // A click on a cell gives the matrix pane the keyboard (the editor may take it for its page).
    setFocus(Qt::MouseFocusReason);
    if (!selection_->contains(n))
        selection_->collapse();
    ctx_.ws.setCurChannel(n);
    const bool even = n % 2 == 0;
    popupEntries_[30]->setEnabled(even);
    popupEntries_[31]->setEnabled(even);
    if (button == Qt::RightButton && !IsLockedChannel(ctx_.ws.cfg, n))
        showPopupAt(globalPos);
}

void MainWindow::Image1_Click(int n) {
    ctx_.ws.setCurChannel(n);
    switch (ctx_.ws.typeOf(n)) {
    case kTypeCounterClaim:
        openEditorPage(QStringLiteral("mainsetup"), QStringLiteral("Combo_Counter"));
        break;
    case kTypeTimeOutputClaim:
        openEditorPage(QStringLiteral("mainsetup"), QStringLiteral("ComboDupUr"));
        break;
    case kTypeMuxClaim:
        openEditorPage(QStringLiteral("mainsetup"), QStringLiteral("Combo_MuxCount"));
        break;
    default:
        openEditorPage(QString());
        break;
    }
}

void MainWindow::PopUp_ChannelType_Click(int index) {
    for (const PopupEntry& e : ChannelTypePopup()) {
        if (e.index != index || e.type < 0)
            continue;
        const int n = ctx_.ws.curChannel();
        ctx_.ws.changeChannelType(n, e.type);
        Image1_Click(n);
        return;
    }
}

void MainWindow::openEditorOnChannel() {
    // Enter opens the editor exactly as a click does, claimed channels on the list that claimed them.
    Image1_Click(ctx_.ws.curChannel());
}

void MainWindow::openEditorPage(const QString& key, const QString& focus) {
    editor_.openPage(key, focus);
}

// ---- File menu ----

bool MainWindow::askSaveFirst(int questionText) {
    return files_.askSaveFirst(questionText);
}

bool MainWindow::SaveDialog() {
    return files_.saveDialog();
}

void MainWindow::M_File_New_Click() {
    if (!files_.newConfiguration())
        return;
    Update_Form_Elements();
    openEditorPage(QStringLiteral("mainsetup"));
    ctx_.ws.setDataChanged(false);
}

void MainWindow::M_File_Open_Click() {
    if (files_.open())
        openEditorPage(QStringLiteral("mainsetup"));
}

// ---- File > Read and Write: the transfer window, modal without blocking ----

// The transfer window blocks the program (a detached editor too): the model must not change while it
// is sent or read. It stands centred over the main window.
void MainWindow::showTransferWindow(QDialog* w) {
    // The record of a check is saved as the reports are.
    if (auto* io = qobject_cast<FrmSerialIO*>(w))
        io->saveRecord = [this, io](const Workspace::CheckRecord& check) { printing_->saveRecord(check, io); };
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->setWindowModality(Qt::ApplicationModal);
    showCentred(w);
}

void MainWindow::showCentred(QWidget* w) {
    w->adjustSize();
    const QRect over = frameGeometry();
    QRect place(QPoint(), w->size());
    place.moveCenter(over.center());
    if (const QScreen* s = screen()) {
        const QRect room = s->availableGeometry();
        place.moveLeft(std::clamp(place.left(), room.left(), std::max(room.left(), room.right() + 1 - place.width())));
        place.moveTop(std::clamp(place.top(), room.top(), std::max(room.top(), room.bottom() + 1 - place.height())));
    }
    w->move(place.topLeft());
    w->show();
    w->raise();
    w->activateWindow();
}

const LinkFactory& MainWindow::links() {
    if (!links_)
        links_ = SettingsLinkFactory(ctx_, simulated_);
    return links_;
}

void MainWindow::openFromOutside(const QString& path) {
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
    if (files_.openPath(path))
        openEditorPage(QStringLiteral("mainsetup"));
}

void MainWindow::M_File_Read_Click() {
    // A cancelled save abandons the read: the changes are not overwritten unsaved.
    if (!askSaveFirst(kTxtAskSaveBeforeOpen))
        return;
    auto* w = new FrmSerialIO(ctx_, FrmSerialIO::Tag::Read, links(), this);
    showTransferWindow(w);
}

void MainWindow::M_File_Write_Click() {
    if (!askBeforeWrite())
        return;
    auto* w = new FrmSerialIO(ctx_, FrmSerialIO::Tag::Write, links(), this);
    showTransferWindow(w);
}

void MainWindow::M_File_Save_Click() {
    files_.save();
}

void MainWindow::M_File_SaveAs_Click() {
    files_.saveDialog();
}

void MainWindow::Load_fileno_Click(int item) {
    editor_.commitPendingEdits();
    if (files_.openRecent(item))
        openEditorPage(QStringLiteral("mainsetup"));
}

bool MainWindow::Afslutprogram() {
    editor_.commitPendingEdits();
    return files_.Afslutprogram();
}

void MainWindow::M_File_Exit_Click() {
    if (!Afslutprogram())
        return;
    exitConfirmed_ = true;
    emit exitRequested();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (exitConfirmed_ || Afslutprogram()) {
        exitConfirmed_ = true;
        event->accept();
        emit exitRequested();
        return;
    }
    event->ignore();
}

void MainWindow::Menu_View_Sprog_Click(int slot) {
    ChooseLanguage(ctx_, this, slot);
    Update_Form_Elements();
    editor_.Update_Option_Form_elements();
}

} // namespace korvane
