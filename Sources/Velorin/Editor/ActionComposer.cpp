#include "Velorin/Editor/ActionComposer.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QPointer>
#include <QThreadPool>
#include <QVBoxLayout>

#include "Platform/Platform.h"
#include "Velorin/Design/Feedback.h"
#include "Velorin/Design/Fonts.h"
#include "Velorin/Design/GlassCard.h"
#include "Velorin/Design/GlidingFrame.h"
#include "Velorin/Design/PixelBurst.h"
#include "Velorin/Design/Theme.h"
#include "Velorin/Editor/ComposerPanels.h"
#include "Velorin/Editor/ComposerWidgets.h"
#include "Velorin/Editor/MenuCommandPicker.h"
#include "Velorin/SheetHost.h"
#include "Velorin/ThemedText.h"

namespace velorin {
namespace {

constexpr int columnSpacing = 14;
constexpr int headerSpacing = 12;
constexpr double cardPadding = 16;
constexpr double cardRadius = 20;
constexpr double cardRise = 14;
constexpr Spring kindSpring{0.45, 0.8, 0};

QString qt(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

void defaultFilePanel(QWidget* parent, const ActionComposer::FileRequest& request,
                      std::function<void(const std::string&)> chosen) {
    auto* dialog = new QFileDialog(parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setLabelText(QFileDialog::Accept, "Choose");
    if (!request.startFolder.isEmpty()) dialog->setDirectory(request.startFolder);
    switch (request.what) {
        case ActionComposer::FileRequest::What::application:
            dialog->setFileMode(QFileDialog::ExistingFile);
            // Apps are desktop entries here, bundles on a Mac.
            dialog->setNameFilter("Applications (*.desktop *.app)");
            break;
        case ActionComposer::FileRequest::What::fileOrFolder:
            // One item, a file or a folder: the mode follows what is selected,
            // so "Choose" takes a folder as readily as a file.
            dialog->setFileMode(QFileDialog::Directory);
            QObject::connect(dialog, &QFileDialog::currentChanged, dialog, [dialog](const QString& path) {
                dialog->setFileMode(QFileInfo(path).isDir() ? QFileDialog::Directory : QFileDialog::ExistingFile);
            });
            break;
    }
    QObject::connect(dialog, &QFileDialog::fileSelected, dialog,
                     [chosen = std::move(chosen)](const QString& file) {
                         if (!file.isEmpty()) chosen(file.toStdString());
                     });
    dialog->open();
}

}  // namespace

// Where a run of the Shortcuts tool hands its list: the composer owns it and
// empties it when it goes, so a late run finds nobody and drops its list.
struct ActionComposer::ShortcutsMailbox {
    ActionComposer* composer = nullptr;  // main thread only
};

ActionComposer::ActionComposer(Action action, QWidget* parent, FilePanel panel)
    : QWidget(parent),
      action_(std::move(action)),
      filePanel_(panel ? std::move(panel) : FilePanel(defaultFilePanel)),
      mailbox_(std::make_shared<ShortcutsMailbox>()) {
    setObjectName("actionComposer");
    mailbox_->composer = this;

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(columnSpacing);

    pills_ = new composer::KindPills(this);
    connect(pills_, &composer::KindPills::tapped, this, &ActionComposer::choose);
    column->addWidget(pills_);
    pixelSplash(pills_, splashes_, false, false);

    card_ = new GlassCard(cardPadding, cardRadius, ThemeColor::clear(), this);
    card_->setObjectName("composer.card");
    entrance_ = new composer::Entrance(kindSpring, cardRise, card_);
    card_->setGraphicsEffect(entrance_);
    // The card's height glides from kind to kind; its bottom padding goes
    // inside the frame, so the frame cuts off at the card's edge.
    body_ = new QWidget;
    cardColumn_ = new QVBoxLayout(body_);
    cardColumn_->setContentsMargins(0, 0, 0, int(cardPadding));
    cardColumn_->setSpacing(columnSpacing);
    cardColumn_->setAlignment(Qt::AlignTop);
    frame_ = new GlidingFrame(body_, card_);
    frame_->setObjectName("composer.frame");
    const QMargins margins = card_->contentLayout()->contentsMargins();
    card_->contentLayout()->setContentsMargins(margins.left(), margins.top(), margins.right(), 0);
    card_->addContent(frame_);

    auto* header = new QHBoxLayout;
    header->setSpacing(headerSpacing);
    headerIcon_ = new composer::HeaderIcon(body_);
    header->addWidget(headerIcon_, 0, Qt::AlignVCenter);
    auto* lines = new QVBoxLayout;
    lines->setSpacing(2);
    title_ = new ThemedText("", Fonts::rounded(15, QFont::Bold), Theme::ink, body_);
    title_->setObjectName("composer.title");
    description_ = new ThemedText("", Fonts::system(12, QFont::Medium), Theme::inkMuted, body_);
    description_->setObjectName("composer.description");
    description_->setWrapping(true);
    lines->addWidget(title_);
    lines->addWidget(description_);
    header->addLayout(lines, 1);
    cardColumn_->addLayout(header);
    column->addWidget(card_);
    column->addStretch(1);

    showAction();
}

ActionComposer::~ActionComposer() {
    mailbox_->composer = nullptr;
    // A sheet of ours outlives us on the window's host only until we go.
    if (menuSheet_) {
        if (SheetHost* host = SheetHost::of(menuSheet_)) host->dismiss(menuSheet_);
    }
}

void ActionComposer::setAction(const Action& action) {
    if (action == action_) return;
    action_ = action;
    showAction();
}

void ActionComposer::store(const Action& action) {
    const bool changed = action != action_;
    action_ = action;
    if (changed) showAction();
    emit actionEdited(action_);
}

void ActionComposer::choose(Kind kind) {
    if (kind == this->kind()) return;
    playHaptic(HapticPattern::alignment);
    ++splashes_;
    pixelSplash(pills_, splashes_, false, false);
    store(ComposerRules::defaultAction(kind));
}

void ActionComposer::pick(const Action& action) {
    playHaptic(HapticPattern::alignment);
    store(action);
    emit chosen();
}

void ActionComposer::write(const Action& action) {
    if (action == action_) return;
    store(action);
}

void ActionComposer::confirm() { emit chosen(); }

QWidget* ActionComposer::panel() const { return panel_; }

double ActionComposer::cardOpacity() const { return entrance_->opacity(); }

double ActionComposer::cardOffset() const { return entrance_->offset(); }

double ActionComposer::leavingCardOpacity() const { return entrance_->leavingOpacity(); }

double ActionComposer::cardHeight() const { return frame_->shownHeight(); }

void ActionComposer::showAction() {
    const Kind current = kind();
    const bool newCard = panel_ && panelKind_ != current;
    // A change of kind brings a new card: the old one fades out where it
    // stands (pictured before anything on it changes), the new one fades in
    // as it rises, and the card's height glides between the two.
    if (newCard) entrance_->play();
    pills_->setCurrent(current);
    const auto& texts = ComposerRules::texts(current);
    headerIcon_->setSymbol(texts.symbol);
    title_->setText(qt(texts.title));
    description_->setText(qt(texts.description));
    if (panel_ && panelKind_ == current) {
        panel_->showAction(action_);
        return;
    }
    if (panel_) {
        // A new kind gets a new panel; the old one may be running the click
        // that brought the change, so it goes on a later turn.
        panel_->hide();
        panel_->deleteLater();
    }
    panel_ = composer::makePanel(current, *this, action_, body_);
    panelKind_ = current;
    cardColumn_->addWidget(panel_);
    panel_->show();
    if (newCard) frame_->glide(kindSpring);
}

void ActionComposer::runFilePanel(const FileRequest& request, std::function<void(const std::string&)> chosen) {
    QPointer<ActionComposer> self(this);
    filePanel_(this, request, [self, chosen = std::move(chosen)](const std::string& path) {
        if (self) chosen(path);
    });
}

void ActionComposer::chooseMenuCommand() {
    if (choosingMenu_) return;
    SheetHost* host = SheetHost::of(this);
    if (!host) host = new SheetHost(window());
    choosingMenu_ = true;
    QPointer<ActionComposer> self(this);
    QPointer<SheetHost> hostGuard(host);
    auto sheet = std::make_shared<QPointer<QWidget>>();
    auto close = [self, hostGuard, sheet] {
        if (self) self->choosingMenu_ = false;
        if (hostGuard && *sheet) hostGuard->dismiss(*sheet);
    };
    auto* picker = new MenuCommandPicker(
        {},
        [self, close](const MenuCommand& command) {
            if (self) self->pick(Action::menuItem(command));
            close();
        },
        close);
    *sheet = picker;
    menuSheet_ = picker;
    host->present(picker, close);
}

void ActionComposer::loadShortcuts() {
    if (loadedShortcuts_) return;
    std::weak_ptr<ShortcutsMailbox> box = mailbox_;
    Platform& platform = platform::current();
    QThreadPool::globalInstance()->start([box, &platform] {
        const auto output = platform.processes().runAndReadOutput(std::string(ComposerRules::shortcutsTool), {"list"});
        auto names = ComposerRules::shortcutNames(output.value_or(std::string()));
        platform.mainQueue().async([box, names = std::move(names)]() mutable {
            auto mailbox = box.lock();
            if (!mailbox || !mailbox->composer) return;
            ActionComposer* composer = mailbox->composer;
            composer->shortcuts_ = std::move(names);
            composer->loadedShortcuts_ = true;
            emit composer->shortcutsLoaded();
        });
    });
}

}  // namespace velorin
