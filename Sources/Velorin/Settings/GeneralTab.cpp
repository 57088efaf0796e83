#include "Velorin/Settings/GeneralTab.h"

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QFontDatabase>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>
#include <QVBoxLayout>

#include "Platform/Platform.h"
#include "Velorin/AppModel.h"
#include "Velorin/Design/Feedback.h"
#include "Velorin/Design/FocusRing.h"
#include "Velorin/Design/Fonts.h"
#include "Velorin/Design/LiquidSlider.h"
#include "Velorin/Design/LiquidToggle.h"
#include "Velorin/Design/PillButton.h"
#include "Velorin/Design/PulseDot.h"
#include "Velorin/Design/Symbols.h"
#include "Velorin/Design/TabHeader.h"
#include "Velorin/Design/Theme.h"
#include "Velorin/PermissionBanner.h"
#include "Velorin/Settings/GeneralRules.h"
#include "Velorin/Settings/SeeThroughPreference.h"
#include "Velorin/Settings/SettingsCard.h"
#include "Velorin/Settings/TabPage.h"
#include "Velorin/Settings/ValueText.h"
#include "Velorin/Settings/WindowLayers.h"
#include "Velorin/ThemedText.h"

namespace velorin {

namespace {

// A disclosure's label with its chevron; a click opens or closes what it names.
class DisclosureButton : public QAbstractButton {
public:
    DisclosureButton(const QString& text, QWidget* parent) : QAbstractButton(parent) {
        setText(text);
        setCheckable(true);
        setCursor(Qt::PointingHandCursor);
        setFocusPolicy(Qt::StrongFocus);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }
    QSize sizeHint() const override {
        const QFontMetricsF metrics(font());
        return QSize(int(std::ceil(chevron + gap + metrics.horizontalAdvance(text()))) + 2,
                     int(std::ceil(std::max(metrics.height(), chevron))) + 2);
    }
    QSize minimumSizeHint() const override { return QSize(120, sizeHint().height()); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const ColorEnvironment environment = colorEnvironmentFor(this);
        const QColor ink = Theme::ink.resolve(environment);
        const QRectF mark(0, (height() - chevron) / 2, chevron, chevron);
        // Open, the chevron turns to point down.
        painter.save();
        painter.translate(mark.center());
        if (isChecked()) painter.rotate(90);
        painter.translate(-mark.center());
        Symbols::draw(painter, mark, "chevron.right", Theme::inkMuted.resolve(environment), chevron);
        painter.restore();
        painter.setFont(font());
        painter.setPen(ink);
        const QRectF textRect = QRectF(rect()).adjusted(chevron + gap, 0, 0, 0);
        painter.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft,
                         QFontMetricsF(font()).elidedText(text(), Qt::ElideRight, textRect.width()));
        if (focusRing_.shows()) {
            QPen focus(Theme::honey.resolve(environment), 1.5);
            painter.setPen(focus);
            painter.setBrush(Qt::NoBrush);
            painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 4, 4);
        }
    }


private:
    static constexpr double chevron = 12;
    static constexpr double gap = 6;
    FocusRing focusRing_{this};
};

// The still 7-point dot of a stopped trackpad.
class StillDot : public QWidget {
public:
    explicit StillDot(QWidget* parent) : QWidget(parent) { setFixedSize(7, 7); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Theme::warning.resolve(colorEnvironmentFor(this)));
        painter.drawEllipse(QRectF(rect()));
    }
};

// The reset command on a cream rounded rectangle, selectable.
class CommandBox : public QWidget {
public:
    CommandBox(const QString& command, QWidget* parent) : QWidget(parent) {
        auto* layout = new QHBoxLayout(this);
        layout->setContentsMargins(10, 6, 10, 6);
        label_ = new QLabel(command, this);
        label_->setObjectName("general.resetCommand");
        QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        mono.setPixelSize(12);
        label_->setFont(mono);
        label_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        layout->addWidget(label_);
        recolor();
    }
    void recolor() {
        QPalette palette = label_->palette();
        palette.setColor(QPalette::WindowText, Theme::ink.resolve(colorEnvironmentFor(this)));
        label_->setPalette(palette);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        recolorIfNeeded();
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterPath shape;
        shape.addRoundedRect(QRectF(rect()), 8, 8);
        painter.fillPath(shape, Theme::cream.resolve(colorEnvironmentFor(this)));
    }

private:
    void recolorIfNeeded() {
        const QColor ink = Theme::ink.resolve(colorEnvironmentFor(this));
        if (label_->palette().color(QPalette::WindowText) != ink) {
            // Later: setting a palette while painting would paint again at once.
            QTimer::singleShot(0, this, [this] { recolor(); });
        }
    }
    QLabel* label_ = nullptr;
};

}  // namespace

GeneralTab::GeneralTab(AppModel& model, QWidget* parent)
    : QWidget(parent), model_(model), display_([this] { showSeeThrough(); }) {
    setObjectName("generalTab");
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* page = new TabPage(this);
    outer->addWidget(page);
    QWidget* host = page->widget();

    page->add(new TabHeader("General", "Permissions, startup and what Velorin is doing right now.", host));

    auto* accessibility = new QWidget(host);
    accessibility_ = new QVBoxLayout(accessibility);
    accessibility_->setContentsMargins(0, 0, 0, 0);
    accessibility_->setSpacing(TabPage::spacing);
    page->add(accessibility);

    // Startup and Trackpad, side by side, aligned to their tops.
    auto* pair = new QHBoxLayout;
    pair->setSpacing(14);
    auto* startup = new SettingsCard("Startup", "power", host);
    launch_ = new LiquidToggle("Launch Velorin at login", model_.launchAtLogin(), startup);
    launch_->setObjectName("general.launchAtLogin");
    launch_->label()->setFont(Fonts::system(13, QFont::Medium));
    startup->body()->addWidget(launch_);
    connect(launch_, &LiquidToggle::clicked, this, [this](bool on) {
        model_.setLaunchAtLogin(on);
        // The toggle shows the system's answer, read again once the click is over.
        QTimer::singleShot(0, this, [this] { launch_->setOn(model_.launchAtLogin()); });
    });
    pair->addWidget(startup, 1, Qt::AlignTop);

    auto* trackpad = new SettingsCard("Trackpad", "rectangle.and.hand.point.up.left.fill", host);
    auto* statusRow = new QHBoxLayout;
    statusRow->setSpacing(8);
    pulse_ = new PulseDot(Theme::success, trackpad);
    stoppedDot_ = new StillDot(trackpad);
    status_ = new ThemedText("", Fonts::system(13, QFont::DemiBold), Theme::success, trackpad);
    status_->setObjectName("general.trackpadStatus");
    statusRow->addWidget(pulse_, 0, Qt::AlignVCenter);
    statusRow->addWidget(stoppedDot_, 0, Qt::AlignVCenter);
    statusRow->addWidget(status_, 1, Qt::AlignVCenter);
    trackpad->body()->addLayout(statusRow);
    pair->addWidget(trackpad, 1, Qt::AlignTop);
    page->add(pair);

    // The window's see-through strength.
    auto* window = new SettingsCard("Window", "macwindow", host);
    window->body()->setSpacing(8);
    auto* valueRow = new QHBoxLayout;
    valueRow->addWidget(new ThemedText("See-through window", Fonts::system(13, QFont::Medium), Theme::ink, window));
    valueRow->addStretch(1);
    // The desktop's system faces draw digits of equal width (Qt 6.4 has no font features).
    QFont digits = Fonts::system(12, QFont::DemiBold);
    value_ = new ThemedText("", digits, Theme::inkMuted, window);
    value_->setObjectName("general.seeThroughValue");
    valueRow->addWidget(value_);
    window->body()->addLayout(valueRow);
    slider_ = new LiquidSlider(0, 0, SeeThrough::maximum,
                               [](double v) { return QString::fromStdString(ValueText::seeThrough(v)); }, window);
    slider_->setObjectName("general.seeThrough");
    slider_->setFixedHeight(26);
    window->body()->addWidget(slider_);
    note_ = new ThemedText("", Fonts::system(11.5), Theme::inkMuted, window);
    note_->setObjectName("general.seeThroughNote");
    note_->setWrapping(true);
    window->body()->addWidget(note_);
    page->add(window);
    page->finish();

    seeThrough_ = new SeeThroughPreference(this);
    connect(seeThrough_, &SeeThroughPreference::changed, this, [this] { showSeeThrough(); });
    connect(slider_, &LiquidSlider::valueChanged, this, [this](double v) {
        if (v != seeThrough_->stored()) seeThrough_->set(v);
    });

    Engine& engine = model_.engine();
    // Queued: the change may come from a click inside the part it replaces.
    observations_.add(engine.accessibilityTrusted(), [this](const bool&) {
        QTimer::singleShot(0, this, [this] { showAccessibility(); });
    });
    observations_.add(engine.isRunning(), [this](const bool&) { showTrackpad(); });
    observations_.add(engine.startError(), [this](const std::optional<std::string>&) { showTrackpad(); });
    showAccessibility();
    showTrackpad();
    showSeeThrough();
}

GeneralTab::~GeneralTab() { observations_.clear(); }

void GeneralTab::showAccessibility() {
    const bool trusted = model_.engine().accessibilityTrusted().get();
    if (shownTrust_ == trusted) return;
    shownTrust_ = trusted;
    while (QLayoutItem* item = accessibility_->takeAt(0)) {
        if (QWidget* w = item->widget()) {
            w->hide();
            w->deleteLater();
        }
        delete item;
    }
    QWidget* parent = accessibility_->parentWidget();
    switch (GeneralRules::accessibilityPart(trusted)) {
        case GeneralRules::AccessibilityPart::granted:
            accessibility_->addWidget(grantedCard());
            break;
        case GeneralRules::AccessibilityPart::missing:
            accessibility_->addWidget(new PermissionBanner(model_, parent));
            accessibility_->addWidget(helpCard());
            break;
    }
}

QWidget* GeneralTab::grantedCard() {
    auto* card = new SettingsCard("Accessibility", "checkmark.shield.fill", accessibility_->parentWidget());
    card->setObjectName("general.granted");
    auto* line = new ThemedText("Granted. Keystrokes, window moves and media keys work.",
                                Fonts::system(13, QFont::Medium), Theme::success, card);
    line->setSymbol("checkmark.circle.fill");
    line->setWrapping(true);
    card->body()->addWidget(line);
    return card;
}

QWidget* GeneralTab::helpCard() {
    auto* card = new SettingsCard("Still not working?", "questionmark.circle.fill", accessibility_->parentWidget());
    card->setObjectName("general.stillNotWorking");
    auto* disclosure =
        new DisclosureButton("Velorin is switched on in System Settings but keystrokes still don't work", card);
    disclosure->setObjectName("general.disclosure");
    disclosure->setFont(Fonts::system(12.5, QFont::Medium));
    // The disclosure sits 6 points above what it opens.
    auto* group = new QVBoxLayout;
    group->setSpacing(6);
    group->addWidget(disclosure);
    card->body()->addLayout(group);

    auto* details = new QWidget(card);
    details->setObjectName("general.disclosureDetails");
    auto* column = new QVBoxLayout(details);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);
    auto* explain = new ThemedText(
        "That entry belongs to an older build. Remove it by running this in Terminal, then click Request Access again:",
        Fonts::system(12), Theme::inkMuted, details);
    explain->setWrapping(true);
    column->addWidget(explain);
    const QString command = QString::fromStdString(GeneralRules::resetCommand(platform::current().bundle()));
    auto* commandRow = new QHBoxLayout;
    commandRow->setSpacing(8);
    commandRow->addWidget(new CommandBox(command, details));
    auto* copy = new PillButton("Copy", false, details);
    copy->setObjectName("general.copy");
    commandRow->addWidget(copy);
    commandRow->addStretch(1);
    column->addLayout(commandRow);
    connect(copy, &QAbstractButton::clicked, this, [command] {
        playHaptic(HapticPattern::alignment);
        Pasteboard& pasteboard = platform::current().pasteboard();
        pasteboard.clearContents();
        pasteboard.setString(command.toStdString());
    });
    details->hide();  // closed each time the tab is shown
    group->addWidget(details);
    connect(disclosure, &QAbstractButton::toggled, details, &QWidget::setVisible);
    return card;
}

void GeneralTab::showTrackpad() {
    const Engine& engine = model_.engine();
    const auto status = GeneralRules::trackpadStatus(engine.isRunning().get(), engine.startError().get());
    pulse_->setVisible(status.listening);
    stoppedDot_->setVisible(!status.listening);
    status_->setText(QString::fromStdString(status.text));
    status_->setColor(status.listening ? Theme::success : Theme::warning);
}

void GeneralTab::showSeeThrough() {
    const double stored = seeThrough_ ? seeThrough_->stored() : 0;
    const bool reduce = Display::reduceTransparency();
    if (value_) value_->setText(QString::fromStdString(ValueText::seeThrough(stored)));
    if (slider_) {
        const QSignalBlocker quiet(slider_);
        slider_->setValue(SeeThrough::sanitized(stored));
        slider_->setEnabled(!reduce);
    }
    if (note_) note_->setText(QString::fromStdString(GeneralRules::seeThroughNote(reduce)));
}

}  // namespace velorin
