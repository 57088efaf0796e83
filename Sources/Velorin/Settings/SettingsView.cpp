#include "Velorin/Settings/SettingsView.h"

#include <QGraphicsOpacityEffect>
#include <QKeyEvent>
#include <QPainter>
#include <QVBoxLayout>

#include "Platform/Platform.h"
#include "Velorin/AppModel.h"
#include "Velorin/Design/LiquidTab.h"
#include "Velorin/Design/TabBar.h"
#include "Velorin/Design/Theme.h"
#include "Velorin/Settings/SaveNotice.h"
#include "Velorin/Settings/SeeThroughPreference.h"
#include "Velorin/SettingsWindowWidget.h"
#include "Velorin/SheetHost.h"

namespace velorin {

// Paints the outgoing and incoming tabs' snapshots while the tab changes:
// the old one blurs, fades, sinks and shrinks quickly; the new one resolves
// from the same look at the pace of the tab bar's spring.
class TabTransition final : public QWidget {
public:
    explicit TabTransition(QWidget* parent) : QWidget(parent), outgoing_(0.0), incoming_(0.0) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        outgoing_.setOnFrame([this] { frame(); });
        incoming_.setOnFrame([this] { frame(); });
        hide();
    }
    ~TabTransition() override {
        outgoing_.setOnFrame({});
        incoming_.setOnFrame({});
    }

    // Plays from `from` to `to` (both laid out in this layer's rect); `to` is
    // hidden meanwhile and shown when both halves are done.
    void play(QWidget* from, QWidget* to) {
        finish();
        outgoingShot_ = from->grab().toImage();
        incomingShot_ = to->grab().toImage();
        live_ = to;
        to->hide();
        outgoing_.setValue(0);
        incoming_.setValue(1);
        setGeometry(to->geometry());
        show();
        raise();
        outgoing_.animateTo(1, LiquidTab::removal());
        incoming_.animateTo(0, LiquidTab::insertion());
    }

    void finish() {
        if (!isVisible() && !live_) return;
        hide();
        outgoingShot_ = QImage();
        incomingShot_ = QImage();
        if (live_) live_->show();
        live_ = nullptr;
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        paintLook(painter, outgoingShot_, outgoing_.value());
        paintLook(painter, incomingShot_, incoming_.value());
    }

private:
    // A snapshot with the blur transition's look `amount` of the way to active.
    void paintLook(QPainter& painter, const QImage& shot, double amount) const {
        if (shot.isNull()) return;
        const BlurTransition::Look look = BlurTransition::at(amount);
        if (look.opacity <= 0) return;
        painter.save();
        painter.setOpacity(look.opacity);
        const QPointF centre = QRectF(rect()).center();
        painter.translate(centre + look.offset);
        painter.scale(look.scale, look.scale);
        painter.translate(-centre);
        if (look.blur >= 0.5) {
            // A cheap soft blur: down and up again, as far as the radius asks.
            const double factor = std::max(1.0, look.blur * shot.devicePixelRatio() / 2);
            const QSize small(std::max(1, int(shot.width() / factor)), std::max(1, int(shot.height() / factor)));
            QImage soft = shot.scaled(small, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                              .scaled(shot.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            soft.setDevicePixelRatio(shot.devicePixelRatio());
            painter.drawImage(QPointF(0, 0), soft);
        } else {
            painter.drawImage(QPointF(0, 0), shot);
        }
        painter.restore();
    }

    void frame() {
        update();
        if (!outgoing_.isAnimating() && !incoming_.isAnimating()) finish();
    }

    QImage outgoingShot_;
    QImage incomingShot_;
    QPointer<QWidget> live_;
    AnimatedValue<double> outgoing_;
    AnimatedValue<double> incoming_;
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

QString tabName(SettingsTab tab) {
    switch (tab) {
        case SettingsTab::packs: return "packs";
        case SettingsTab::shortcuts: return "shortcuts";
        case SettingsTab::sensitivity: return "sensitivity";
        case SettingsTab::trackpad: return "trackpad";
        case SettingsTab::general: return "general";
        case SettingsTab::about: return "about";
    }
    return {};
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
    tabBar_ = new TabBar(contentLayer_);
    tabBar_->setSelection(model_.selectedTab.get());
    connect(tabBar_, &TabBar::selectionChanged, this, [this](SettingsTab tab) { model_.selectedTab.set(tab); });
    stack->addWidget(tabBar_, 0, Qt::AlignHCenter);
    tabFrame_ = new QWidget(contentLayer_);
    tabFrame_->setObjectName("tabFrame");
    auto* frame = new QVBoxLayout(tabFrame_);
    frame->setContentsMargins(tabMargins);
    frame->setSpacing(0);
    stack->addWidget(tabFrame_, 1);
    transition_ = new TabTransition(tabFrame_);

    notice_ = new SaveNotice(this);
    sheets_ = new SheetHost(this);
    connect(sheets_, &SheetHost::presentingChanged, this, [this](bool presenting) {
        blockTabs(presenting);
        // A tab chosen elsewhere (the menu) while a sheet was open is shown now.
        if (!presenting) showSelectedTab();
    });

    observations_.add(model_.selectedTab, [this](const SettingsTab& tab) {
        tabBar_->setSelection(tab);
        showSelectedTab();
    });
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
    QPointer<QWidget> old = tabView_;
    QWidget* view = nullptr;
    if (auto it = slots_.tabs.find(tab); it != slots_.tabs.end() && it->second) view = it->second(model_, tabFrame_);
    if (!view) view = new QWidget(tabFrame_);  // a tab still to come: an empty area
    if (view->objectName().isEmpty()) view->setObjectName("tabView." + tabName(tab));
    tabFrame_->layout()->addWidget(view);
    view->setGeometry(tabFrame_->contentsRect().marginsRemoved(tabMargins));
    tabView_ = view;
    shownTab_ = tab;
    const bool animate = old && old->isVisible() && isVisible() && !Motion::instant();
    if (animate) {
        view->show();
        tabFrame_->layout()->activate();
        transition_->play(old, view);
    } else {
        transition_->finish();
        view->show();
    }
    if (old) {
        // Hidden now, deleted later: the switch may come from inside the old tab.
        old->hide();
        old->deleteLater();
    }
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
    tabBar_->setShortcutsEnabled(!blocked);
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
