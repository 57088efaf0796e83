#include "Velorin/Packs/PackEditor.h"

// Before any Qt header: Qt defines "slots" as a keyword.
#include "Velorin/Packs/PackCardRules.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>
#include <memory>

#include "Velorin/AppLookups.h"
#include "Velorin/Design/ContinuousShape.h"
#include "Velorin/Design/Fonts.h"
#include "Velorin/Design/GlassCard.h"
#include "Velorin/Design/PackStyle.h"
#include "Velorin/Design/PillButton.h"
#include "Velorin/Design/Symbols.h"
#include "Velorin/Design/Theme.h"
#include "Velorin/DisplayNames.h"
#include "Velorin/Editor/AppScopePicker.h"
#include "Velorin/Editor/BindingEditor.h"
#include "Velorin/Packs/Overlays.h"
#include "Velorin/Packs/PackCard.h"
#include "Velorin/Packs/Presence.h"
#include "Velorin/Packs/ThemedLabel.h"

namespace velorin {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

// A text field on a cream capsule with a faint rim.
class FieldCapsule : public QWidget {
public:
    explicit FieldCapsule(QLineEdit* edit, QWidget* parent) : QWidget(parent), display_([this] { recolor(); }) {
        auto* row = new QHBoxLayout(this);
        row->setContentsMargins(12, 7, 12, 7);
        edit->setParent(this);
        edit->setFrame(false);
        edit->setAttribute(Qt::WA_MacShowFocusRect, false);
        edit->setFont(Fonts::system(13, QFont::Medium));
        row->addWidget(edit);
        edit_ = edit;
        recolor();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const ColorEnvironment env = colorEnvironmentFor(this);
        const QPainterPath capsule = continuousCapsule(QRectF(rect()).adjusted(0.25, 0.25, -0.25, -0.25));
        painter.fillPath(capsule, Theme::cream.resolve(env));
        painter.setPen(QPen(Theme::inkFaint.resolve(env), 0.5));
        painter.drawPath(capsule);
    }
    void showEvent(QShowEvent* event) override {
        recolor();
        QWidget::showEvent(event);
    }

private:
    void recolor() { themeTextField(edit_, this); }
    QLineEdit* edit_ = nullptr;
    DisplayObserver display_;
};

// A borderless button showing one symbol.
class SymbolButton : public QAbstractButton {
public:
    SymbolButton(std::string symbol, QWidget* parent)
        : QAbstractButton(parent), symbol_(std::move(symbol)), display_([this] { update(); }) {
        setFixedSize(20, 20);
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QColor c = Theme::inkMuted.resolve(colorEnvironmentFor(this));
        if (isDown()) c = Theme::ink.resolve(colorEnvironmentFor(this));
        Symbols::draw(painter, QRectF(rect()), symbol_, c, 14);
    }

private:
    std::string symbol_;
    DisplayObserver display_;
};

// The delete confirmation: its title, its message and two buttons.
class DeleteConfirmation : public SheetSurface {
public:
    DeleteConfirmation(const QString& title, const QString& message, std::function<void()> confirm,
                       std::function<void()> cancel, QWidget* parent = nullptr)
        : SheetSurface(20, 12, parent) {
        setObjectName(QStringLiteral("packEditor.confirmDelete"));
        auto* t = new ThemedLabel(title, Fonts::system(14, QFont::Bold), Theme::ink, this);
        t->setObjectName(QStringLiteral("packEditor.confirmDelete.title"));
        t->setWordWrap(true);
        column()->addWidget(t);
        auto* m = new ThemedLabel(message, Fonts::system(12), Theme::inkMuted, this);
        m->setObjectName(QStringLiteral("packEditor.confirmDelete.message"));
        m->setWordWrap(true);
        column()->addWidget(m);
        auto* buttons = new QHBoxLayout;
        buttons->addStretch(1);
        cancel_ = new PillButton(QStringLiteral("Cancel"), false, this);
        cancel_->setObjectName(QStringLiteral("packEditor.confirmDelete.cancel"));
        connect(cancel_, &QAbstractButton::clicked, this, [cancel = std::move(cancel)] { cancel(); });
        buttons->addWidget(cancel_);
        auto* ok = new PillButton(QStringLiteral("Delete Pack"), true, this);
        ok->setObjectName(QStringLiteral("packEditor.confirmDelete.delete"));
        connect(ok, &QAbstractButton::clicked, this, [confirm = std::move(confirm)] { confirm(); });
        buttons->addWidget(ok);
        column()->addLayout(buttons);
        setFocusPolicy(Qt::StrongFocus);
    }
    QSize sizeHint() const override { return QSize(340, SheetSurface::sizeHint().height()); }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Escape) {
            event->accept();
            cancel_->click();
            return;
        }
        SheetSurface::keyPressEvent(event);
    }

private:
    PillButton* cancel_ = nullptr;
};

}  // namespace

// One colour the pack can take: a 20-point disc, ringed while chosen.
class PackEditor::Swatch : public QAbstractButton {
public:
    Swatch(std::uint32_t rgb, QWidget* parent) : QAbstractButton(parent), rgb_(rgb) {
        setFixedSize(28, 28);
        setCursor(Qt::PointingHandCursor);
        setToolTip(QStringLiteral("Use this colour"));
        setObjectName(QStringLiteral("packEditor.swatch"));
    }
    std::uint32_t rgb() const { return rgb_; }
    bool ringed() const { return ringed_; }
    void setRinged(bool on) {
        if (on == ringed_) return;
        ringed_ = on;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF disc(4, 4, 20, 20);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Rgba::hex(rgb_).toQColor());
        painter.drawEllipse(disc);
        if (ringed_) {
            painter.setBrush(Qt::NoBrush);
            painter.setPen(QPen(Theme::ink.resolve(colorEnvironmentFor(this)), 2));
            painter.drawEllipse(disc.adjusted(-3, -3, 3, 3));
        }
    }

private:
    std::uint32_t rgb_;
    bool ringed_ = false;
};

// One shortcut of the draft: its gesture on the pack's colour, what it does,
// and buttons that edit and remove it. A double click edits it too.
class PackEditor::Row : public QWidget {
public:
    Row(PackEditor* editor, const Uuid& id, QWidget* parent)
        : QWidget(parent), id_(id), display_([this] { update(); }) {
        setObjectName(QStringLiteral("packEditor.row"));
        auto* row = new QHBoxLayout(this);
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(8);
        badge_ = new QWidget(this);
        badge_->setFixedSize(22, 22);
        badge_->installEventFilter(this);
        row->addWidget(badge_);
        gesture_ = new ThemedLabel(QString(), Fonts::system(12, QFont::Medium), Theme::ink, this);
        gesture_->setObjectName(QStringLiteral("packEditor.row.gesture"));
        gesture_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
        row->addWidget(gesture_);
        arrow_ = new QWidget(this);
        arrow_->setFixedSize(12, 16);
        arrow_->installEventFilter(this);
        row->addWidget(arrow_);
        action_ = new ThemedLabel(QString(), Fonts::system(12), Theme::inkMuted, this);
        action_->setObjectName(QStringLiteral("packEditor.row.action"));
        action_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        action_->setMinimumWidth(40);
        row->addWidget(action_, 1);
        auto* edit = new SymbolButton("pencil", this);
        edit->setObjectName(QStringLiteral("packEditor.row.edit"));
        edit->setToolTip(QStringLiteral("Edit this shortcut"));
        connect(edit, &QAbstractButton::clicked, this, [editor, id] { editor->editShortcut(id); });
        row->addWidget(edit);
        auto* remove = new SymbolButton("minus.circle", this);
        remove->setObjectName(QStringLiteral("packEditor.row.remove"));
        remove->setToolTip(QStringLiteral("Remove this shortcut"));
        connect(remove, &QAbstractButton::clicked, this, [editor, id] { editor->removeShortcut(id); });
        row->addWidget(remove);
        editor_ = editor;
    }

    void set(const Binding& binding, const Pack& preview) {
        identity_ = PackStyle::identity(preview);
        symbol_ = std::string(symbol(binding.gesture));
        gesture_->setTextIfChanged(qs(displayName(binding.gesture)));
        fullAction_ = qs(displayName(binding.action));
        action_->setTextIfChanged(QFontMetricsF(action_->font()).elidedText(fullAction_, Qt::ElideRight,
                                                                            std::max(40, action_->width())));
        badge_->update();
        arrow_->update();
    }
    QString actionText() const { return fullAction_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && (watched == badge_ || watched == arrow_)) {
            auto* w = static_cast<QWidget*>(watched);
            QPainter painter(w);
            painter.setRenderHint(QPainter::Antialiasing);
            const ColorEnvironment env = colorEnvironmentFor(this);
            const QRectF r(w->rect());
            if (w == badge_) {
                painter.setPen(Qt::NoPen);
                painter.setBrush(brush(PackStyle::switchFill(identity_), r, env));
                painter.drawEllipse(r);
                Symbols::draw(painter, r, symbol_, PackStyle::onFill(identity_).resolve(env), 11);
            } else {
                Symbols::draw(painter, r, "arrow.right", PackStyle::accent(identity_).resolve(env), 9);
            }
            return true;
        }
        return QWidget::eventFilter(watched, event);
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        event->accept();
        editor_->editShortcut(id_);
    }
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        action_->setTextIfChanged(QFontMetricsF(action_->font()).elidedText(fullAction_, Qt::ElideRight,
                                                                            std::max(40, action_->width())));
    }

private:
    Uuid id_;
    PackEditor* editor_ = nullptr;
    PackIdentity identity_;
    std::string symbol_;
    QString fullAction_;
    QWidget* badge_ = nullptr;
    ThemedLabel* gesture_ = nullptr;
    QWidget* arrow_ = nullptr;
    ThemedLabel* action_ = nullptr;
    DisplayObserver display_;
};

ShortcutEditorOpener standardShortcutEditor() {
    return [](AppModel& model, QWidget* from, const Binding& binding, bool isNew, const std::vector<Binding>& siblings,
              std::function<void(std::optional<Binding>)> done) {
        auto sheet = std::make_shared<QPointer<BindingEditor>>();
        auto* editor = new BindingEditor(model, binding, isNew, siblings, [sheet, done](std::optional<Binding> result) {
            if (!*sheet) return;  // answered once
            BindingEditor* shown = *sheet;
            *sheet = nullptr;
            Overlays::dismiss(shown, shown);
            done(std::move(result));
        });
        editor->setObjectName(QStringLiteral("packEditor.shortcutEditor"));
        *sheet = editor;
        Overlays::present(from, editor, [sheet] {
            if (*sheet) (*sheet)->cancel();
        });
    };
}

PackEditor::PackEditor(AppModel& model, Pack draft, bool isNew, std::function<void(PackEditorResult)> done,
                       PackEditorParts parts, QWidget* parent)
    : SheetSurface(22, 14, parent),
      model_(model),
      editor_(std::move(draft), isNew),
      done_(std::move(done)),
      parts_(std::move(parts)),
      lookup_(parts_.lookup ? *parts_.lookup : appLookup()) {
    setObjectName(QStringLiteral("packEditor"));
    setFocusPolicy(Qt::StrongFocus);

    title_ = new ThemedLabel(qs(editor_.title()), Fonts::rounded(22, QFont::Bold), Theme::ink, this);
    title_->setObjectName(QStringLiteral("packEditor.title"));
    column()->addWidget(title_);

    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("packEditor.scroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->viewport()->setAutoFillBackground(false);
    auto* body = new QWidget(scroll);
    body->setAutoFillBackground(false);
    auto* bodyColumn = new QVBoxLayout(body);
    bodyColumn->setContentsMargins(0, 0, 0, 0);
    bodyColumn->setSpacing(14);

    // The live card.
    PackCardState previewState{editor_.preview(), true, std::nullopt, std::nullopt, false};
    preview_ = new PackCard(previewState, PackCardActions{}, parts_.directory, lookup_, {}, body);
    preview_->setObjectName(QStringLiteral("packEditor.preview"));
    preview_->setAttribute(Qt::WA_TransparentForMouseEvents);
    bodyColumn->addWidget(preview_);
    previewBefore_ = new QLabel(body);
    previewBefore_->setObjectName(QStringLiteral("packEditor.previewBefore"));
    previewBefore_->setAttribute(Qt::WA_TransparentForMouseEvents);
    previewBefore_->hide();
    previewBeforePresence_ = std::make_unique<Presence>(previewBefore_, PresenceStyle{});

    // Card.
    auto* card = new QWidget(body);
    auto* cardColumn = new QVBoxLayout(card);
    cardColumn->setContentsMargins(0, 0, 0, 0);
    cardColumn->setSpacing(10);
    name_ = field(QStringLiteral("Name, like Notion or Video editing"));
    name_->setObjectName(QStringLiteral("packEditor.name"));
    name_->setText(qs(editor_.draft().name));
    connect(name_, &QLineEdit::textEdited, this, [this](const QString& text) {
        editor_.setName(text.toStdString());
        refresh();
    });
    cardColumn->addWidget(name_->parentWidget());
    summary_ = field(QStringLiteral("What it's for, in one line"));
    summary_->setObjectName(QStringLiteral("packEditor.summary"));
    summary_->setText(qs(editor_.draft().summary));
    connect(summary_, &QLineEdit::textEdited, this, [this](const QString& text) {
        editor_.setSummary(text.toStdString());
        refresh();
    });
    cardColumn->addWidget(summary_->parentWidget());
    auto* colours = new QHBoxLayout;
    colours->setSpacing(8);
    colours->addWidget(new ThemedLabel(QStringLiteral("Colour"), Fonts::system(12, QFont::DemiBold), Theme::inkMuted, card));
    for (std::uint32_t rgb : PackEditorModel::swatches) {
        auto* swatch = new Swatch(rgb, card);
        connect(swatch, &QAbstractButton::clicked, this, [this, rgb] {
            editor_.setAccent(rgb);
            refresh();
        });
        colours->addWidget(swatch);
        swatches_.push_back(swatch);
    }
    colours->addStretch(1);
    cardColumn->addLayout(colours);
    bodyColumn->addWidget(section(QStringLiteral("Card"), card));

    // Works in.
    apps_ = new AppScopePicker(body);
    apps_->setObjectName(QStringLiteral("packEditor.apps"));
    apps_->setApps(editor_.draft().apps);
    connect(apps_, &AppScopePicker::appsEdited, this, [this](const std::vector<std::string>& apps) {
        editor_.setApps(apps);
        refresh();
    });
    bodyColumn->addWidget(section(QStringLiteral("Works in"), apps_));

    // Shortcuts.
    auto* shortcuts = new QWidget(body);
    auto* shortcutsColumn = new QVBoxLayout(shortcuts);
    shortcutsColumn->setContentsMargins(0, 0, 0, 0);
    shortcutsColumn->setSpacing(8);
    empty_ = new ThemedLabel(QStringLiteral("No shortcuts yet. Add the first one."), Fonts::system(12), Theme::inkMuted,
                             shortcuts);
    empty_->setObjectName(QStringLiteral("packEditor.noShortcuts"));
    shortcutsColumn->addWidget(empty_);
    rowsHost_ = new QWidget(shortcuts);
    rowsLayout_ = new QVBoxLayout(rowsHost_);
    rowsLayout_->setContentsMargins(0, 0, 0, 0);
    rowsLayout_->setSpacing(8);
    shortcutsColumn->addWidget(rowsHost_);
    auto* add = new PillButton(QStringLiteral("Add Shortcut…"), false, shortcuts);
    add->setObjectName(QStringLiteral("packEditor.addShortcut"));
    connect(add, &QAbstractButton::clicked, this, &PackEditor::addShortcut);
    shortcutsColumn->addWidget(add, 0, Qt::AlignLeft);
    bodyColumn->addWidget(section(QStringLiteral("Shortcuts"), shortcuts));
    bodyColumn->addStretch(1);

    scroll->setWidget(body);
    body->setAutoFillBackground(false);  // setWidget turned it on
    column()->addWidget(scroll, 1);
    scroll_ = scroll;
    // In a window shorter than the sheet, the body scrolls and the title and
    // buttons stay; a control reached with the keyboard scrolls into view.
    connect(qApp, &QApplication::focusChanged, this, [scroll, body](QWidget*, QWidget* now) {
        if (now && body->isAncestorOf(now)) scroll->ensureWidgetVisible(now, 0, 14);
    });

    // The buttons.
    auto* buttons = new QHBoxLayout;
    if (!editor_.isNew()) {
        delete_ = new PillButton(QStringLiteral("Delete Pack"), false, this);
        delete_->setObjectName(QStringLiteral("packEditor.delete"));
        delete_->setTextColor(Theme::warning);
        connect(delete_, &QAbstractButton::clicked, this, &PackEditor::askToDelete);
        buttons->addWidget(delete_);
    }
    buttons->addStretch(1);
    cancel_ = new PillButton(QStringLiteral("Cancel"), false, this);
    cancel_->setObjectName(QStringLiteral("packEditor.cancel"));
    connect(cancel_, &QAbstractButton::clicked, this, &PackEditor::cancel);
    buttons->addWidget(cancel_);
    save_ = new PillButton(qs(editor_.saveTitle()), true, this);
    save_->setObjectName(QStringLiteral("packEditor.save"));
    connect(save_, &QAbstractButton::clicked, this, &PackEditor::save);
    buttons->addWidget(save_);
    column()->addLayout(buttons);

    refresh();
}

PackEditor::~PackEditor() {
    if (confirmation_) Overlays::dismiss(this, confirmation_);
}

QWidget* PackEditor::section(const QString& title, QWidget* content) {
    auto* card = new GlassCard(14, 14, ThemeColor::clear(), content->parentWidget());
    auto* inner = new QWidget(card);
    auto* column = new QVBoxLayout(inner);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(10);
    column->addWidget(new ThemedLabel(title, Fonts::system(12, QFont::Bold), Theme::inkMuted, inner));
    content->setParent(inner);
    column->addWidget(content);
    card->addContent(inner);
    return card;
}

QLineEdit* PackEditor::field(const QString& placeholder) {
    auto* edit = new QLineEdit;
    edit->setPlaceholderText(placeholder);
    new FieldCapsule(edit, this);
    return edit;
}

QString PackEditor::titleText() const { return title_->text(); }

std::optional<std::size_t> PackEditor::ringedSwatch() const {
    for (std::size_t i = 0; i < swatches_.size(); ++i)
        if (static_cast<Swatch*>(swatches_[i])->ringed()) return i;
    return std::nullopt;
}

std::vector<QWidget*> PackEditor::shortcutRows() const { return {rowOrder_.begin(), rowOrder_.end()}; }

void PackEditor::refresh() {
    PackCardState next{editor_.preview(), true, std::nullopt, std::nullopt, false};
    if (!(next == preview_->state())) {
        // The preview springs to each new draft: what it showed fades out over what it shows now.
        if (preview_->isVisible() && !Motion::instant()) {
            previewBefore_->setPixmap(preview_->grab());
            previewBefore_->setGeometry(preview_->geometry());
            previewBefore_->show();
            previewBefore_->raise();
            previewBeforePresence_->show();
            previewBeforePresence_->leave(Animation::spring(Theme::snappy), [this] { previewBefore_->hide(); });
        }
        preview_->setState(std::move(next));
    }
    for (QWidget* w : swatches_) {
        auto* swatch = static_cast<Swatch*>(w);
        swatch->setRinged(editor_.draft().accent == swatch->rgb());
    }
    save_->setEnabled(editor_.canSave());
    refreshRows();
}

void PackEditor::refreshRows() {
    const Pack preview = editor_.preview();
    const auto& list = editor_.draft().bindings;
    empty_->setVisible(list.empty());
    std::map<Uuid, Row*> kept;
    std::vector<Row*> order;
    for (const Binding& binding : list) {
        if (kept.contains(binding.id)) continue;
        Row* row = nullptr;
        if (auto it = rows_.find(binding.id); it != rows_.end()) {
            row = it->second;
            rows_.erase(it);
        } else {
            row = new Row(this, binding.id, rowsHost_);
        }
        row->set(binding, preview);
        kept[binding.id] = row;
        order.push_back(row);
    }
    for (auto& [id, row] : rows_) {
        rowsLayout_->removeWidget(row);
        row->hide();
        row->deleteLater();  // its own button may be the one that removed it
    }
    rows_ = std::move(kept);
    while (rowsLayout_->count() > 0) delete rowsLayout_->takeAt(0);
    for (Row* row : order) {
        rowsLayout_->addWidget(row);
        row->show();
    }
    rowOrder_ = std::move(order);
    rowsHost_->setVisible(!rowOrder_.empty());
}

void PackEditor::save() {
    if (finished_ || !editor_.canSave()) return;
    finished_ = true;
    done_(editor_.save());
}

void PackEditor::cancel() {
    if (finished_) return;
    finished_ = true;
    done_(PackEditorModel::cancel());
}

void PackEditor::askToDelete() {
    if (editor_.isNew() || confirmation_) return;
    editor_.askToDelete();
    confirmation_ = new DeleteConfirmation(
        qs(editor_.deleteTitle()), qs(editor_.deleteMessage()), [this] { confirmDelete(); },
        [this] { dismissDelete(); });
    Overlays::present(this, confirmation_, [this] { dismissDelete(); });
}

void PackEditor::dismissDelete() {
    editor_.dismissDelete();
    if (confirmation_) Overlays::dismiss(this, confirmation_);
    confirmation_ = nullptr;
}

void PackEditor::confirmDelete() {
    if (finished_) return;
    if (confirmation_) Overlays::dismiss(this, confirmation_);
    confirmation_ = nullptr;
    finished_ = true;
    done_(editor_.remove());
}

void PackEditor::addShortcut() {
    if (editor_.editingBinding()) return;
    editor_.addShortcut();
    openShortcutEditor();
}

void PackEditor::editShortcut(const Uuid& id) {
    if (editor_.editingBinding()) return;
    editor_.editShortcut(id);
    openShortcutEditor();
}

void PackEditor::removeShortcut(const Uuid& id) {
    editor_.removeShortcut(id);
    refresh();
}

void PackEditor::openShortcutEditor() {
    if (!editor_.editingBinding()) return;
    if (!parts_.shortcutEditor) {
        // Nothing can edit it here: the list stays as it was.
        editor_.finishEditing(std::nullopt);
        return;
    }
    const Binding binding = *editor_.editingBinding();
    QPointer<PackEditor> self(this);
    parts_.shortcutEditor(model_, this, binding, editor_.editingIsNew(), editor_.draft().bindings,
                          [self](std::optional<Binding> result) {
                              if (!self) return;
                              self->editor_.finishEditing(std::move(result));
                              self->refresh();
                          });
}

void PackEditor::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        if (event->key() == Qt::Key_Escape) {
            event->accept();
            cancel_->click();
            return;
        }
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            event->accept();
            if (save_->isEnabled()) save_->click();
            return;
        }
    }
    SheetSurface::keyPressEvent(event);
}

}  // namespace velorin
