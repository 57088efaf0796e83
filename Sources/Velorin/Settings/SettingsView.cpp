#include "Velorin/Settings/SettingsView.h"

#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "Platform/Platform.h"
#include "Velorin/AppModel.h"
#include "Velorin/Design/Theme.h"
#include "Velorin/Settings/SaveNotice.h"
#include "Velorin/Settings/SeeThroughPreference.h"
#include "Velorin/SettingsWindowWidget.h"
#include "Velorin/SheetHost.h"

namespace velorin {

// The row of tabs with their Ctrl+1…6 equivalents. Disabled, it takes
// neither clicks nor its key equivalents.
class SettingsTabBar : public QWidget {
public:
    SettingsTabBar(AppModel& model, QWidget* parent) : QWidget(parent), model_(model) {
        setObjectName("tabBar");
        auto* row = new QHBoxLayout(this);
        row->setContentsMargins(4, 4, 4, 4);
        row->setSpacing(2);
        for (std::size_t i = 0; i < allSettingsTabs.size(); ++i) {
            const SettingsTab tab = allSettingsTabs[i];
            auto* button = new QPushButton(QString::fromUtf8(title(tab)), this);
            button->setObjectName(QString("tab.") + name(tab));
            button->setCheckable(true);
            button->setFocusPolicy(Qt::TabFocus);
            connect(button, &QPushButton::clicked, this, [this, tab] { select(tab); });
            auto* key = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_1 + int(i))), this);
            key->setContext(Qt::WindowShortcut);
            connect(key, &QShortcut::activated, this, [this, tab] { select(tab); });
            row->addWidget(button);
            buttons_[i] = button;
        }
        observations_.add(model_.selectedTab, [this](const SettingsTab&) { showSelection(); });
        showSelection();
    }

private:
    static const char* title(SettingsTab tab) {
        switch (tab) {
            case SettingsTab::packs: return "Packs";
            case SettingsTab::shortcuts: return "My Shortcuts";
            case SettingsTab::sensitivity: return "Sensitivity";
            case SettingsTab::trackpad: return "Trackpad";
            case SettingsTab::general: return "General";
            case SettingsTab::about: return "About";
        }
        return "";
    }
    static const char* name(SettingsTab tab) {
        switch (tab) {
            case SettingsTab::packs: return "packs";
            case SettingsTab::shortcuts: return "shortcuts";
            case SettingsTab::sensitivity: return "sensitivity";
            case SettingsTab::trackpad: return "trackpad";
            case SettingsTab::general: return "general";
            case SettingsTab::about: return "about";
        }
        return "";
    }
    void select(SettingsTab tab) {
        model_.selectedTab.set(tab);
        showSelection();  // a click on the selected tab unchecks its button
    }
    void showSelection() {
        for (std::size_t i = 0; i < allSettingsTabs.size(); ++i) {
            buttons_[i]->setChecked(allSettingsTabs[i] == model_.selectedTab.get());
        }
    }

    AppModel& model_;
    std::array<QPushButton*, allSettingsTabs.size()> buttons_{};
    Observations observations_;
};

namespace {

// A studio slot without a studio still lets the user out: Escape ends it.
class EmptyStudio : public QWidget {
public:
    EmptyStudio(std::function<void()> done, QWidget* parent) : QWidget(parent), done_(std::move(done)) {
        setFocusPolicy(Qt::StrongFocus);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Escape) {
            done_();
            return;
        }
        QWidget::keyPressEvent(event);
    }

private:
    std::function<void()> done_;
};

const char* tabName(SettingsTab tab) {
    switch (tab) {
        case SettingsTab::packs: return "packs";
        case SettingsTab::shortcuts: return "shortcuts";
        case SettingsTab::sensitivity: return "sensitivity";
        case SettingsTab::trackpad: return "trackpad";
        case SettingsTab::general: return "general";
        case SettingsTab::about: return "about";
    }
    return "";
}

constexpr Spring studioSpring{0.5, 0.85, 0};

}  // namespace

SettingsView::SettingsView(AppModel& model, SettingsContent content, QWidget* parent)
    : QWidget(parent),
      model_(model),
      slots_(std::move(content)),
      studioProgress_(0.0, [this] { applyStudioProgress(); }),
      display_([this] { refreshLayers(); }) {
    setObjectName("settingsView");

    seeThrough_ = new SeeThroughPreference(this);
    connect(seeThrough_, &SeeThroughPreference::changed, this, [this] { refreshLayers(); });

    // Back to front: the water, the content, the studio, the notice, the sheets.
    if (slots_.water) water_ = slots_.water(this);
    if (water_.widget) {
        water_.widget->setParent(this);
        water_.widget->setObjectName("water");
        water_.widget->setAttribute(Qt::WA_TransparentForMouseEvents);
    }

    contentLayer_ = new QWidget(this);
    contentLayer_->setObjectName("contentLayer");
    auto* stack = new QVBoxLayout(contentLayer_);
    stack->setContentsMargins(0, tabBarTop, 0, 0);
    stack->setSpacing(0);
    tabBar_ = new SettingsTabBar(model_, contentLayer_);
    stack->addWidget(tabBar_, 0, Qt::AlignHCenter);
    tabFrame_ = new QWidget(contentLayer_);
    tabFrame_->setObjectName("tabFrame");
    auto* frame = new QVBoxLayout(tabFrame_);
    frame->setContentsMargins(tabMargins);
    frame->setSpacing(0);
    stack->addWidget(tabFrame_, 1);

    notice_ = new SaveNotice(this);
    sheets_ = new SheetHost(this);
    connect(sheets_, &SheetHost::presentingChanged, this, [this](bool presenting) {
        blockTabs(presenting);
        // A tab chosen elsewhere (the menu) while a sheet was open is shown now.
        if (!presenting) showSelectedTab();
    });

    observations_.add(model_.selectedTab, [this](const SettingsTab&) { showSelectedTab(); });
    observations_.add(model_.studioOpen, [this](const bool&) { followStudio(); });
    observations_.add(model_.saveError, [this](const std::optional<std::string>& error) { notice_->setText(error); });
    Engine& engine = model_.engine();
    observations_.add(engine.liveTouches(), [this](const std::vector<Touch>&) { refreshWater(); });
    observations_.add(engine.lastFired(), [this](const std::optional<Engine::Fired>&) { refreshWater(); });
    observations_.add(engine.config(), [this](const AppConfig&) { refreshWater(); });

    showSelectedTab();
    notice_->setText(model_.saveError.get());
    if (model_.studioOpen.get()) followStudio();
    refreshLayers();
    layoutLayers();
}

SettingsView::~SettingsView() {
    // Observers go first: deleting children must not call back into a half-gone view.
    observations_.clear();
}

bool SettingsView::drawsFill() const {
    if (layers_.backdrop == Backdrop::fill) return true;
    const auto* host = qobject_cast<const SettingsWindowWidget*>(window());
    // Where nothing composites, the desktop can't show through: the fill stays.
    return !host || host->backdrop() == WindowEffects::Backdrop::opaque;
}

void SettingsView::paintEvent(QPaintEvent*) {
    if (!drawsFill()) return;
    QPainter painter(this);
    painter.fillRect(rect(), Theme::milk.resolve(colorEnvironmentFor(this)));
}

void SettingsView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutLayers();
}

void SettingsView::layoutLayers() {
    const QRect all = rect();
    if (water_.widget) water_.widget->setGeometry(all);
    contentLayer_->setGeometry(all);
    if (studio_) studio_->setGeometry(all.marginsRemoved(studioMargins));
    notice_->place(all);
    notice_->raise();
    sheets_->setGeometry(all);
    if (sheets_->isPresenting()) sheets_->raise();
}

void SettingsView::showSelectedTab() {
    const SettingsTab tab = model_.selectedTab.get();
    if (shownTab_ == tab && tabView_) return;
    // The tab beneath an open sheet owns it: the switch waits until it closes.
    if (sheets_->isPresenting() && tabView_) return;
    if (tabView_) {
        // Hidden now, deleted later: the switch may come from inside the old tab.
        tabView_->hide();
        tabView_->deleteLater();
    }
    QWidget* view = nullptr;
    if (auto it = slots_.tabs.find(tab); it != slots_.tabs.end() && it->second) view = it->second(model_, tabFrame_);
    if (!view) view = new QWidget(tabFrame_);  // a tab still to come: an empty area
    if (view->objectName().isEmpty()) view->setObjectName(QString("tabView.") + tabName(tab));
    tabFrame_->layout()->addWidget(view);
    view->show();
    tabView_ = view;
    shownTab_ = tab;
    refreshWater();
}

void SettingsView::followStudio() {
    const bool open = model_.studioOpen.get();
    if (open && !studio_) {
        auto done = [this] { model_.studioOpen.set(false); };
        QWidget* studio = slots_.studio ? slots_.studio(model_, done, this) : nullptr;
        if (!studio) studio = new EmptyStudio(done, this);
        studio->setParent(this);
        if (studio->objectName().isEmpty()) studio->setObjectName("studio");
        studio_ = studio;
        studio_->setGeometry(rect().marginsRemoved(studioMargins));
        auto* fade = new QGraphicsOpacityEffect(studio_);
        fade->setOpacity(studioProgress_.value());
        studio_->setGraphicsEffect(fade);
        studio_->show();
        studio_->raise();
        notice_->raise();
        studio_->setFocus(Qt::OtherFocusReason);
    }
    // Clicks reach only the studio while it is open.
    contentLayer_->setEnabled(!open && !sheets_->isPresenting());
    studioProgress_.animateTo(open ? 1.0 : 0.0, Animation::spring(studioSpring));
    refreshWater();
}

void SettingsView::applyStudioProgress() {
    const double p = studioProgress_.value();
    if (p <= 0.0005 && !model_.studioOpen.get()) {
        contentLayer_->setGraphicsEffect(nullptr);
        contentLayer_->show();
        if (studio_) {
            // A new studio each time it opens, so its own state starts over.
            studio_->hide();
            studio_->deleteLater();
            studio_ = nullptr;
        }
        return;
    }
    const double contentOpacity = std::clamp(1 - p, 0.0, 1.0);
    contentLayer_->setVisible(contentOpacity > 0.0005);
    if (contentOpacity < 0.9995) {
        auto* fade = qobject_cast<QGraphicsOpacityEffect*>(contentLayer_->graphicsEffect());
        if (!fade) {
            fade = new QGraphicsOpacityEffect(contentLayer_);
            contentLayer_->setGraphicsEffect(fade);
        }
        fade->setOpacity(contentOpacity);
    } else {
        contentLayer_->setGraphicsEffect(nullptr);
    }
    if (studio_) {
        if (auto* fade = qobject_cast<QGraphicsOpacityEffect*>(studio_->graphicsEffect())) {
            fade->setOpacity(std::clamp(p, 0.0, 1.0));
        }
    }
}

void SettingsView::blockTabs(bool blocked) {
    // Disabled, the tab bar takes no clicks and its Ctrl+1…6 do nothing.
    contentLayer_->setEnabled(!blocked && !model_.studioOpen.get());
    tabBar_->setEnabled(!blocked);
}

void SettingsView::refreshLayers() {
    const double s = SeeThrough::effective(seeThrough_->stored(), Display::reduceTransparency());
    const WindowLayers layers = WindowLayers::forStrength(s);
    if (layers != layers_) {
        layers_ = layers;
        if (auto* host = qobject_cast<SettingsWindowWidget*>(window())) {
            host->setSeeThrough(layers_.backdrop == Backdrop::desktop);
        }
        update();
    }
    refreshWater();
}

void SettingsView::refreshWater() {
    if (!water_.surface) return;
    Engine& engine = model_.engine();
    WaterFeed feed;
    feed.tab = shownTab_.value_or(model_.selectedTab.get());
    feed.studioOpen = model_.studioOpen.get();
    feed.liveTouches = &engine.liveTouches().get();
    feed.lastFired = &engine.lastFired().get();
    feed.config = &engine.config().get();
    feed.opacity = layers_.waterOpacity;
    feed.dark = colorEnvironmentFor(this).isDark();
    feed.reduceMotion = Display::reduceMotion();
    WaterInput input = feed.input();
    if (fed_ == input) return;
    fed_ = input;
    water_.surface->update(input);
}

}  // namespace velorin
