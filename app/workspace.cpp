#include "app/workspace.h"

#include <QApplication>
#include <QWidget>

#include "app/access_keys.h"
#include "app/step_names.h"
#include "model/channel_types.h"
#include "model/logic.h"
#include "model/text_ids.h"

namespace korvane {

namespace {
// Steps kept for undo; the oldest are dropped beyond this. A step costs one snapshot of the
// configuration (about 16 kB), shared with its neighbour where nothing happened in between.
constexpr int kUndoSteps = 1000;
} // namespace

// One undo step: the configuration before and after an edit, and the channel it was made on.
class EditStep : public QUndoCommand {
public:
    EditStep(Workspace& ws, std::shared_ptr<const Configuration> before, std::shared_ptr<const Configuration> after,
             int channel, const QObject* entry)
        : ws_(ws), before_(std::move(before)), after_(std::move(after)), channel_(channel), entry_(entry),
          entryName_(entry ? entry->objectName() : QString()) {
        name();
    }
    // What the step changed first, in the user's words: the place Undo and Redo show.
    const std::optional<Difference>& first() const { return first_; }
    // The name of the field its keys were typed into (empty: none).
    const QString& entryName() const { return entryName_; }

    int id() const override { return 1; }
    // The next key typed into the same field, while its entry is open, joins this step.
    bool mergeWith(const QUndoCommand* other) override {
        const auto* next = static_cast<const EditStep*>(other);
        if (!entry_ || next->entry_ != entry_ || next->channel_ != channel_ || ws_.openEntry_ != entry_)
            return false;
        after_ = next->after_;
        name();
        // Typed back to where it started: the step is no change and leaves the stack.
        setObsolete(*after_ == *before_);
        return true;
    }
    void undo() override { ws_.restore(before_, channel_); }
    void redo() override {
        // The push runs redo once; the edit is already in the configuration then.
        if (pushed_)
            ws_.restore(after_, channel_);
        pushed_ = true;
    }

private:
    // Names the step from what it changed ("B1 Roller blind: Reverse time 1500 ms").
    void name() {
        const std::vector<Difference> all = StepDifferences(*before_, *after_);
        first_ = all.empty() ? std::nullopt : std::optional<Difference>(all.front());
        setText(StepName(all, ws_));
    }

    Workspace& ws_;
    std::optional<Difference> first_;
    std::shared_ptr<const Configuration> before_;
    std::shared_ptr<const Configuration> after_;
    int channel_;
    const QObject* entry_; // compared, never used: the field the step's keys were typed into
    QString entryName_;    // that field's name, which outlives it
    bool pushed_ = false;
};

EditEntry::EditEntry(Workspace& ws, const QObject* field) : ws_(ws), previous_(ws.entryField_) {
    ws_.entryField_ = field;
}

EditEntry::~EditEntry() {
    ws_.entryField_ = previous_;
}

Workspace::Workspace(QObject* parent) : QObject(parent) {
    ClearConfiguration(cfg_, edit);
    undo_.setUndoLimit(kUndoSteps);
    connect(&undo_, &QUndoStack::canUndoChanged, this, &Workspace::undoStateChanged);
    connect(&undo_, &QUndoStack::canRedoChanged, this, &Workspace::undoStateChanged);
    // The menu names the step Undo and Redo would take.
    connect(&undo_, &QUndoStack::indexChanged, this, &Workspace::undoStateChanged);
    // Leaving a field ends its entry: coming back and typing again is a new step.
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()))
        connect(app, &QApplication::focusChanged, this, &Workspace::endEntry);
}

QString Workspace::fileText(int n) const {
    if (n < 0 || n > kLanguageTextCount)
        return QString();
    return LangText[static_cast<std::size_t>(n)];
}

QString Workspace::menuText(int n) const {
    if (n < 0 || n > kLanguageTextCount)
        return QString();
    const auto k = static_cast<std::size_t>(n);
    if (!LangText[k].trimmed().isEmpty())
        return LangText[k];
    if (!EnglishText[k].trimmed().isEmpty())
        return EnglishText[k];
    return QStringLiteral("[%1]").arg(n);
}

QString Workspace::documentName() const {
    if (CurFileName == QLatin1String("New"))
        return text(kTxtTitleNew);
    if (CurFileName == QLatin1String("Upload"))
        return text(kTxtTitleUpload);
    return CurFileName;
}

QString Workspace::windowTitle() const {
    return QStringLiteral("ZEB1 [") + documentName() + QStringLiteral("][*]");
}

QString Workspace::text(int n) const {
    return WithoutAccessKeyMark(menuText(n));
}

void Workspace::setCurChannel(int n) {
    if (n < 0 || n >= kChannels || n == edit.CurChannel)
        return;
    const int previous = edit.CurChannel;
    edit.CurChannel = n;
    emit currentChannelChanged(previous, n);
}

void Workspace::setDataChanged(bool changed) {
    // The configuration is the one in its file now: undoing back to here is "not changed".
    if (!changed) {
        endEntry();
        undo_.setClean();
    }
    markDataChanged(changed);
}

void Workspace::markDataChanged(bool changed) {
    if (edit.DataChanged == changed)
        return;
    edit.DataChanged = changed;
    emit dataChangedChanged(changed);
}

void Workspace::setCurFileName(const QString& name) {
    if (CurFileName == name)
        return;
    CurFileName = name;
    emit titleChanged();
}

bool Workspace::change(const std::function<void(Configuration&)>& apply, EditMark mark) {
    const int channel = edit.CurChannel;
    Configuration before = cfg_;
    apply(cfg_);
    const bool changed = !(cfg == before);
    if (!changed && mark != EditMark::Always)
        return false;
    if (mark != EditMark::Never)
        setDataChanged(true);
    announceChannels(before);
    // Bookkeeping is no step of its own; nothing is recorded while a step is being put back.
    if (changed && mark != EditMark::Never && !restoring_)
        record(std::move(before), channel);
    emit edited();
    return changed;
}

bool Workspace::changeNamed(const QString& name, const std::function<void(Configuration&)>& apply) {
    endEntry();
    const QObject* field = entryField_;
    entryField_ = nullptr; // a step of its own: no key typed afterwards joins it
    stepName_ = name;
    const bool changed = change(apply);
    stepName_.clear();
    entryField_ = field;
    return changed;
}

void Workspace::announceChannels(const Configuration& before) {
    const LogicMarkSet marks = LogicMarks(cfg);
    const LogicMarkSet marksBefore = LogicMarks(before);
    for (int c = 0; c < kChannels; ++c) {
        const auto i = static_cast<std::size_t>(c);
        if (cfg.ChanSetup[i] != before.ChanSetup[i] || cfg.MasterMatrix[i] != before.MasterMatrix[i] ||
            cfg.ChanText[i] != before.ChanText[i] || cfg.ChanFlags[i] != before.ChanFlags[i] ||
            marks[i] != marksBefore[i])
            emit channelChanged(c);
    }
}

void Workspace::record(Configuration&& before, int channel) {
    std::shared_ptr<const Configuration> from =
        lastAfter_ && *lastAfter_ == before ? lastAfter_ : std::make_shared<const Configuration>(std::move(before));
    auto to = std::make_shared<const Configuration>(cfg);
    lastAfter_ = to;
    auto* step = new EditStep(*this, std::move(from), std::move(to), channel, entryField_);
    if (!stepName_.isEmpty()) // an operation's own name ("Move A3 → B5") over the one of its first change
        step->setText(stepName_);
    undo_.push(step);
    openEntry_ = entryField_;
}

void Workspace::restore(const std::shared_ptr<const Configuration>& snapshot, int channel) {
    const Configuration before = cfg;
    restoring_ = true;
    cfg_ = *snapshot;
    lastAfter_ = snapshot;
    setCurChannel(channel);
    announceChannels(before);
    emit edited();
    emit configurationReplaced();
    restoring_ = false;
}

void Workspace::undo() {
    endEntry();
    if (!undo_.canUndo())
        return;
    undo_.undo();
    const auto* step = static_cast<const EditStep*>(undo_.command(undo_.index()));
    stepShown_ = step->first();
    stepField_ = step->entryName();
    markDataChanged(!undo_.isClean());
}

void Workspace::redo() {
    endEntry();
    if (!undo_.canRedo())
        return;
    undo_.redo();
    const auto* step = static_cast<const EditStep*>(undo_.command(undo_.index() - 1));
    stepShown_ = step->first();
    stepField_ = step->entryName();
    markDataChanged(!undo_.isClean());
}

void Workspace::forgetHistory(bool saved) {
    endEntry();
    undo_.clear();
    lastAfter_.reset();
    if (!saved)
        undo_.resetClean();
}

void Workspace::endEntry() {
    openEntry_ = nullptr;
}

int Workspace::ownerOf(const ValueFact& fact) const {
    return fact.area == ValueArea::Logic ? edit.CurLogicBlock : edit.CurChannel;
}

int Workspace::ownerOf(const TextFact& fact) const {
    return fact.area == TextArea::LogicNote ? edit.CurLogicBlock : edit.CurChannel;
}

bool Workspace::setValue(const ValueFact& fact, int value, EditMark mark) {
    const int c = ownerOf(fact);
    return this->change([&](Configuration& config) { StoreValue(fact, config, c, value); }, mark);
}

void Workspace::changeChannelType(int n, int type) {
    std::vector<int> redraw;
    change([&](Configuration& config) { redraw = SetChannelType(config, n, type); });
    // A cell whose picture depends on a neighbour is redrawn although its own row kept its bytes.
    for (int c : redraw)
        emit channelChanged(c);
}

void Workspace::clear() {
    Configuration blank = cfg;
    EditState positions;
    ClearConfiguration(blank, positions);
    positions.DataChanged = edit.DataChanged; // replace() announces the change of DataChanged
    edit = positions;
    replace(blank, QStringLiteral("New"), Origin::File);
}

void Workspace::replace(const Configuration& configuration, const QString& name, Origin origin) {
    cfg_ = configuration;
    setCurFileName(name);
    const bool saved = origin != Origin::Unit;
    forgetHistory(saved);
    markDataChanged(!saved);
    emit configurationReplaced();
}

} // namespace korvane
