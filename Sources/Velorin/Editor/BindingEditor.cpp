#include "Velorin/Editor/BindingEditor.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QVBoxLayout>

#include "Velorin/AppModel.h"
#include "Velorin/Design/Display.h"
#include "Velorin/Design/Fonts.h"
#include "Velorin/Design/GlassCard.h"
#include "Velorin/Design/LiquidToggle.h"
#include "Velorin/Design/PillButton.h"
#include "Velorin/Design/SymbolTile.h"
#include "Velorin/Design/Theme.h"
#include "Velorin/DisplayNames.h"
#include "Velorin/Editor/ActionComposer.h"
#include "Velorin/Editor/AppScopePicker.h"
#include "Velorin/Editor/GesturePicker.h"
#include "Velorin/Editor/ListeningRing.h"
#include "Velorin/Editor/ShortcutEditorRules.h"
#include "Velorin/Editor/StepBadge.h"
#include "Velorin/Editor/WindowShownWatch.h"
#include "Velorin/ThemedText.h"

namespace velorin {

namespace {
QString qt(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }
}  // namespace

BindingEditor::BindingEditor(AppModel& model, Binding draft, bool isNew, std::optional<std::vector<Binding>> siblings,
                             Done done, QWidget* parent)
    : QWidget(parent),
      model_(model),
      draft_(std::move(draft)),
      isNew_(isNew),
      siblings_(std::move(siblings)),
      done_(std::move(done)),
      listener_(model.engine()) {
    setObjectName("bindingEditor");
    setMaximumWidth(width);
    setFocusPolicy(Qt::StrongFocus);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(padding, padding, padding, padding);
    outer->setSpacing(spacing);
    // The sections scroll when the window is too short for them; header and footer stay.
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName("editor.scroll");
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->viewport()->setAutoFillBackground(false);
    auto* sections = new QWidget;
    auto* column = new QVBoxLayout(sections);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(spacing);

    // Header: the gesture's kind and the title.
    auto* header = new QHBoxLayout;
    header->setSpacing(12);
    tile_ = new SymbolTile(std::string(symbol(draft_.gesture)), true, 40, this);
    tile_->setObjectName("editor.tile");
    header->addWidget(tile_);
    auto* title =
        new ThemedText(qt(BindingEditorRules::title(isNew_)), Fonts::rounded(22, QFont::Bold), Theme::ink, this);
    title->setObjectName("editor.title");
    header->addWidget(title, 1);
    outer->addLayout(header);

    // 1: the gesture, recorded or chosen.
    auto* when = new QWidget(this);
    auto* whenColumn = new QVBoxLayout(when);
    whenColumn->setContentsMargins(0, 0, 0, 0);
    whenColumn->setSpacing(10);
    auto* recordRow = new QHBoxLayout;
    recordRow->setSpacing(10);
    ring_ = new ListeningRing(when);
    ring_->setObjectName("editor.listening");
    recordRow->addWidget(ring_);
    recordingText_ = new ThemedText(QString(), Fonts::system(15, QFont::DemiBold), Theme::ink, when);
    recordingText_->setObjectName("editor.recordingText");
    recordRow->addWidget(recordingText_, 1);
    record_ = new PillButton(QString(), true, when);
    record_->setObjectName("editor.record");
    connect(record_, &QAbstractButton::clicked, this, [this] { toggleRecording(); });
    recordRow->addWidget(record_);
    whenColumn->addLayout(recordRow);
    picker_ = new GesturePicker(when);
    picker_->setObjectName("editor.gesturePicker");
    picker_->setGesture(draft_.gesture);
    connect(picker_, &GesturePicker::gesturePicked, this, [this](const Gesture& gesture) {
        draft_.gesture = gesture;
        refresh();
    });
    whenColumn->addWidget(picker_);
    clash_ = new ThemedText(qt(BindingEditorRules::clashText(siblings_.has_value())), Fonts::system(12, QFont::Medium),
                            Theme::warning, when);
    clash_->setObjectName("editor.clash");
    clash_->setSymbol("exclamationmark.triangle.fill");
    whenColumn->addWidget(clash_);
    column->addWidget(section(QStringLiteral("When I\u2026"), 1, when));

    // 2: the action.
    composer_ = new ActionComposer(draft_.action, this);
    composer_->setObjectName("editor.composer");
    connect(composer_, &ActionComposer::actionEdited, this, [this](const Action& action) { draft_.action = action; });
    column->addWidget(section(QStringLiteral("\u2026Velorin will"), 2, composer_));

    // 3: where it works.
    scope_ = new AppScopePicker(this);
    scope_->setObjectName("editor.scope");
    scope_->setApps(draft_.apps);
    connect(scope_, &AppScopePicker::appsEdited, this, [this](const std::vector<std::string>& apps) {
        draft_.apps = apps;
        refresh();
    });
    column->addWidget(section(QStringLiteral("Works in"), 3, scope_));
    column->addStretch(1);
    scroll->setWidget(sections);
    sections->setAutoFillBackground(false);  // after setWidget, which turns it on
    outer->addWidget(scroll, 1);
    scroll_ = scroll;

    // Footer.
    auto* footer = new QHBoxLayout;
    enabled_ = new LiquidToggle(QStringLiteral("Enabled"), draft_.enabled, this);
    enabled_->setObjectName("editor.enabled");
    enabled_->label()->setFont(Fonts::system(13, QFont::DemiBold));
    connect(enabled_, &LiquidToggle::toggled, this, [this](bool on) { draft_.enabled = on; });
    footer->addWidget(enabled_);
    footer->addStretch(1);
    auto* cancelButton = new PillButton(QStringLiteral("Cancel"), false, this);
    cancelButton->setObjectName("editor.cancel");
    connect(cancelButton, &QAbstractButton::clicked, this, [this] { cancel(); });
    footer->addWidget(cancelButton);
    confirm_ = new PillButton(qt(BindingEditorRules::confirmText(isNew_)), true, this);
    confirm_->setObjectName("editor.confirm");
    connect(confirm_, &QAbstractButton::clicked, this, [this] { confirm(); });
    footer->addWidget(confirm_);
    outer->addLayout(footer);

    // The clash check follows the live configuration (a change made elsewhere shows at once).
    if (!siblings_) observations_.add(model_.engine().config(), [this](const AppConfig&) { refresh(); });
    watch_ = new WindowShownWatch(this, [this](bool shown) {
        if (!shown) stop();
    });
    refresh();
}

BindingEditor::~BindingEditor() = default;

QSize BindingEditor::sizeHint() const {
    const QSize sections = scroll_->widget()->sizeHint();
    const QSize whole = QWidget::sizeHint();
    return QSize(width, whole.height() - scroll_->sizeHint().height() + sections.height());
}

QWidget* BindingEditor::section(const QString& title, int step, QWidget* content) {
    auto* card = new GlassCard(14, 14, ThemeColor::clear(), this);
    auto* heading = new QHBoxLayout;
    heading->setSpacing(8);
    heading->addWidget(new StepBadge(step, card));
    heading->addWidget(new ThemedText(title, Fonts::system(13, QFont::DemiBold), Theme::inkMuted, card), 1);
    card->contentLayout()->setSpacing(10);
    card->contentLayout()->addLayout(heading);
    card->addContent(content);
    return card;
}

bool BindingEditor::showsClash() const {
    const std::vector<Binding>& list = siblings_ ? *siblings_ : model_.config().bindings;
    return BindingEditorRules::clash(draft_, list) != nullptr;
}

void BindingEditor::toggleRecording() {
    if (listener_.isListening()) {
        stop();
        return;
    }
    listener_.listen([this](const Gesture& gesture) {
        draft_.gesture = gesture;
        picker_->setGesture(gesture);
        refresh();
    });
    refresh();
}

void BindingEditor::stop() {
    if (!listener_.isListening()) return;
    listener_.stop();
    refresh();
}

void BindingEditor::cancel() {
    stop();
    if (done_) done_(std::nullopt);
}

void BindingEditor::confirm() {
    stop();
    if (done_) done_(draft_);
}

void BindingEditor::refresh() {
    const bool recording = listener_.isListening();
    tile_->setSymbol(std::string(symbol(draft_.gesture)));
    ring_->setVisible(recording);
    recordingText_->setText(qt(BindingEditorRules::recordingRowText(recording, draft_.gesture)));
    recordingText_->setColor(recording ? Theme::warning : Theme::ink);
    record_->setText(qt(BindingEditorRules::recordButtonText(recording)));
    record_->setPrimary(!recording);
    picker_->setEnabled(!recording);
    clash_->setVisible(showsClash());
}

void BindingEditor::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Theme::milk.resolve(colorEnvironmentFor(this)));
}

void BindingEditor::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        if (event->key() == Qt::Key_Escape) {
            event->accept();
            cancel();
            return;
        }
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            event->accept();
            confirm();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

void BindingEditor::hideEvent(QHideEvent* event) {
    // Closed in any way: the request goes back; `done` is not called.
    stop();
    QWidget::hideEvent(event);
}

}  // namespace velorin
