// The app panel of the composer: a searchable grid of the running and
// installed apps, "Other…" for any app bundle, and the switch that makes the
// shortcut hide the app when it is already in front.

#include <QEnterEvent>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>

#include "Platform/Platform.h"
#include "Velorin/AppInfo.h"
#include "Velorin/Design/ContinuousShape.h"
#include "Velorin/Design/Fonts.h"
#include "Velorin/Design/LiquidSwitch.h"
#include "Velorin/Design/PillButton.h"
#include "Velorin/Design/RainbowViews.h"
#include "Velorin/Design/Symbols.h"
#include "Velorin/Design/Theme.h"
#include "Velorin/Editor/ActionComposer.h"
#include "Velorin/Editor/AppChoices.h"
#include "Velorin/Editor/ComposerPanels.h"
#include "Velorin/Editor/ComposerWidgets.h"
#include "Velorin/ThemedText.h"

namespace velorin::composer {
namespace {

constexpr int gridHeight = 216;
constexpr double cellMinimum = 82;
constexpr double cellMaximum = 110;
constexpr int cellSpacing = 6;
constexpr double iconSide = 40;
constexpr double cellRadius = 12;
constexpr Spring cellOnSpring{0.35, 0.65, 0};
constexpr Spring cellAppearSpring{0.4, 0.75, 0};

// One app: its icon (with a dot under it while it runs) over its name.
class AppCell : public QAbstractButton {
public:
    AppCell(const std::string& bundleID, const QString& name, int index, QWidget* parent)
        : QAbstractButton(parent),
          bundleID_(bundleID),
          index_(index),
          onAmount_(0.0, [this] { update(); }),
          hover_(0.0, [this] { update(); }),
          appearing_(this, cellAppearSpring),
          display_([this] { update(); }) {
        setObjectName("composer.app");
        setProperty("bundleID", QString::fromStdString(bundleID));
        setProperty("on", false);
        setProperty("running", false);
        setText(name);
        setToolTip(name);
        setCursor(Qt::PointingHandCursor);
        setAttribute(Qt::WA_Hover);
        if (auto image = AppInfo::icon(bundleID)) icon_ = *image;
    }

    const std::string& bundleID() const { return bundleID_; }
    bool isOn() const { return on_; }
    bool isRunning() const { return running_; }
    void setState(bool on, bool running) {
        if (running != running_) {
            running_ = running;
            setProperty("running", running);
            update();
        }
        if (on == on_) return;
        on_ = on;
        setProperty("on", on);
        onAmount_.animateTo(on ? 1.0 : 0.0, Animation::spring(cellOnSpring));
    }

    QSize sizeHint() const override {
        QFontMetricsF metrics(Fonts::system(11, QFont::Bold));
        return {int(cellMinimum), int(std::ceil(8 + iconSide + 5 + metrics.height() + 8))};
    }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    bool hitButton(const QPoint&) const override { return true; }
    void enterEvent(QEnterEvent* event) override {
        QAbstractButton::enterEvent(event);
        hovering_ = true;
        hover_.animateTo(1.0, Animation::spring(Theme::snappy));
    }
    void leaveEvent(QEvent* event) override {
        QAbstractButton::leaveEvent(event);
        hovering_ = false;
        hover_.animateTo(0.0, Animation::spring(Theme::snappy));
    }
    void showEvent(QShowEvent* event) override {
        QAbstractButton::showEvent(event);
        appearing_.shown(ComposerRules::appCellDelay(index_));
    }
    void paintEvent(QPaintEvent*) override {
        const ColorEnvironment env = colorEnvironmentFor(this);
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        const double shown = appearing_.progress();
        const double hover = on_ ? 0 : hover_.value();
        const double scale = (0.85 + 0.15 * shown) * (1 + 0.05 * hover);
        painter.setOpacity(std::clamp(shown, 0.0, 1.0));
        const QRectF bounds(rect());
        painter.translate(bounds.center());
        painter.scale(scale, scale);
        painter.translate(-bounds.center());

        const QRectF cell = bounds.adjusted(1, 1, -1, -1);
        const double on = onAmount_.value();
        if (on_ || on > 0.01) {
            painter.fillPath(continuousRoundedRect(cell, cellRadius), Theme::warmWhite.opacity(0.8 * on).resolve(env));
            painter.setPen(QPen(Theme::ink.opacity(0.55 * std::clamp(on, 0.0, 1.0)).resolve(env), 1.5));
            painter.drawPath(continuousRoundedRect(cell.adjusted(0.75, 0.75, -0.75, -0.75), cellRadius - 0.75));
        } else if (hovering_) {
            painter.fillPath(continuousRoundedRect(cell, cellRadius), Theme::inkFaint.resolve(env));
        }

        const QRectF icon(bounds.center().x() - iconSide / 2, bounds.top() + 8, iconSide, iconSide);
        if (!icon_.isNull()) painter.drawImage(icon, icon_);
        if (running_) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(Theme::inkMuted.resolve(env));
            painter.drawEllipse(QRectF(icon.center().x() - 2, icon.bottom() + 6 - 4, 4, 4));
        }
        const QFont font = Fonts::system(11, on_ ? QFont::Bold : QFont::Medium);
        painter.setFont(font);
        painter.setPen(Theme::ink.resolve(env));
        const QRectF name(bounds.left() + 4, icon.bottom() + 5, bounds.width() - 8, QFontMetricsF(font).height());
        painter.drawText(name, Qt::AlignHCenter | Qt::AlignTop,
                         QFontMetricsF(font).elidedText(text(), Qt::ElideRight, name.width()));
    }

private:
    std::string bundleID_;
    int index_;
    QImage icon_;
    bool on_ = false;
    bool running_ = false;
    bool hovering_ = false;
    AnimatedValue<double> onAmount_;
    AnimatedValue<double> hover_;
    Appearing appearing_;
    DisplayObserver display_;
};

class AppPanel : public Panel {
public:
    AppPanel(ActionComposer& composer, QWidget* parent) : Panel(composer, parent) {
        auto* column = new QVBoxLayout(this);
        column->setContentsMargins(0, 0, 0, 0);
        column->setSpacing(12);

        auto* searchRow = new QHBoxLayout;
        searchRow->setSpacing(8);
        auto* glass = new RainbowGlass(false, true, this);
        auto* glassRow = new QHBoxLayout(glass);
        glassRow->setContentsMargins(12, 8, 12, 8);
        glassRow->setSpacing(6);
        glassRow->addWidget(new SymbolIcon("magnifyingglass", 13, glass), 0, Qt::AlignVCenter);
        auto* field = new PlainField("Search your apps", 13, glass);
        search_ = field->edit();
        search_->setObjectName("composer.appSearch");
        search_->setText(composer_.appQuery());
        glassRow->addWidget(field, 1);
        searchRow->addWidget(glass, 1);
        auto* other = new PillButton("Other\u2026", false, this);
        other->setObjectName("composer.otherApp");
        other->setToolTip("Choose an app that isn't listed");
        searchRow->addWidget(other, 0, Qt::AlignVCenter);
        column->addLayout(searchRow);

        scroll_ = new QScrollArea(this);
        scroll_->setObjectName("composer.appGrid");
        scroll_->setFixedHeight(gridHeight);
        scroll_->setFrameShape(QFrame::NoFrame);
        scroll_->setWidgetResizable(true);
        scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        // The card's glass shows through the grid.
        scroll_->setAutoFillBackground(false);
        scroll_->viewport()->setAutoFillBackground(false);
        grid_ = new QWidget;
        grid_->setAutoFillBackground(false);
        for (QWidget* w : {static_cast<QWidget*>(scroll_), scroll_->viewport(), grid_}) {
            QPalette palette = w->palette();
            palette.setColor(QPalette::Window, Qt::transparent);
            palette.setColor(QPalette::Base, Qt::transparent);
            w->setPalette(palette);
        }
        layout_ = new AdaptiveGridLayout(cellMinimum, cellMaximum, cellSpacing, grid_);
        layout_->setContentsMargins(4, 4, 4, 4);
        scroll_->setWidget(grid_);
        column->addWidget(scroll_);

        noMatch_ = new ThemedText("", Fonts::system(12, QFont::Medium), Theme::inkMuted, this);
        noMatch_->setObjectName("composer.noMatch");
        column->addWidget(noMatch_);

        auto* switchRow = new QHBoxLayout;
        switchRow->setSpacing(10);
        hide_ = new LiquidSwitch(true, std::nullopt, this);
        hide_->setObjectName("composer.hideSwitch");
        switchRow->addWidget(hide_, 0, Qt::AlignVCenter);
        auto* label = new ThemedText("If it's already in front, hide it instead", Fonts::system(13, QFont::Medium),
                                     Theme::ink, this);
        switchRow->addWidget(label, 1, Qt::AlignVCenter);
        column->addLayout(switchRow);

        connect(search_, &QLineEdit::textChanged, this, [this](const QString& text) {
            composer_.setAppQuery(text);
            showCells();
        });
        connect(other, &QAbstractButton::clicked, this, [this] { chooseApp(); });
        connect(hide_, &QAbstractButton::clicked, this, [this](bool on) {
            composer_.write(Action::openApp(id_, on));
        });
    }

    void showAction(const Action& action) override {
        const auto* app = action.as<Action::OpenApp>();
        id_ = app ? app->bundleID : std::string();
        toggle_ = app ? app->toggle : false;
        hide_->setOn(toggle_);
        showCells();
    }

private:
    const std::string& nameOf(const std::string& id) {
        auto it = names_.find(id);
        if (it == names_.end()) it = names_.emplace(id, AppInfo::name(id)).first;
        return it->second;
    }

    void showCells() {
        const auto running = AppChoices::runningNow();
        const auto shown = AppChoices::shown(running, InstalledApps::all(), composer_.appQuery(),
                                             [this](const std::string& id) { return nameOf(id); });
        // Cells are kept by identifier; only those that come or go are made or dropped.
        std::map<std::string, AppCell*> kept;
        while (layout_->count() > 0) delete layout_->takeAt(0);
        int index = 0;
        for (const auto& id : shown) {
            AppCell* cell = nullptr;
            if (auto it = cells_.find(id); it != cells_.end()) {
                cell = it->second;
                cells_.erase(it);
            } else {
                cell = new AppCell(id, QString::fromStdString(nameOf(id)), index, grid_);
                connect(cell, &QAbstractButton::clicked, this,
                        [this, id] { composer_.pick(Action::openApp(id, toggle_)); });
            }
            cell->setState(id == id_, std::find(running.begin(), running.end(), id) != running.end());
            layout_->addWidget(cell);
            cell->show();
            kept.emplace(id, cell);
            ++index;
        }
        for (auto& [id, cell] : cells_) {
            cell->hide();
            cell->deleteLater();  // it may be the one being clicked
        }
        cells_ = std::move(kept);
        layout_->invalidate();
        noMatch_->setVisible(shown.empty());
        noMatch_->setText(AppChoices::noMatch(composer_.appQuery()));
    }

    void chooseApp() {
        ActionComposer::FileRequest request;
        request.what = ActionComposer::FileRequest::What::application;
        request.startFolder = QString::fromStdString(platform::current().workspace().applicationsFolder());
        const bool toggle = toggle_;
        ActionComposer* composer = &composer_;
        composer_.runFilePanel(request, [composer, toggle](const std::string& path) {
            if (auto id = platform::current().bundle().bundleIdentifierAtPath(path)) {
                composer->pick(Action::openApp(*id, toggle));
            }
        });
    }

    std::string id_;
    bool toggle_ = false;
    std::map<std::string, std::string> names_;
    QLineEdit* search_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    QWidget* grid_ = nullptr;
    AdaptiveGridLayout* layout_ = nullptr;
    std::map<std::string, AppCell*> cells_;
    ThemedText* noMatch_ = nullptr;
    LiquidSwitch* hide_ = nullptr;
};

}  // namespace

Panel* makeAppPanel(ActionComposer& composer, QWidget* parent) { return new AppPanel(composer, parent); }

}  // namespace velorin::composer
