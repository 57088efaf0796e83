#include "Velorin/Settings/AboutTab.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QPainter>
#include <QResizeEvent>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "Platform/Platform.h"
#include "Velorin/AppModel.h"
#include "Velorin/Design/Chip.h"
#include "Velorin/Design/Fonts.h"
#include "Velorin/Design/GlassCard.h"
#include "Velorin/Design/PillButton.h"
#include "Velorin/Design/Symbols.h"
#include "Velorin/Design/SymbolTile.h"
#include "Velorin/Design/Theme.h"
#include "Velorin/DisplayNames.h"
#include "Velorin/Settings/TabPage.h"
#include "Velorin/ThemedText.h"

namespace velorin {

namespace {

QString text(const std::string& s) { return QString::fromStdString(s); }

// A symbol on a filled circle (the gesture kind of a row, a step's number).
class Badge : public QWidget {
public:
    Badge(double size, ThemeColor fill, QWidget* parent) : QWidget(parent), fill_(fill) {
        setFixedSize(int(size), int(size));
    }
    void setSymbol(std::string symbol, double points, ThemeColor color = Theme::inkMuted) {
        symbol_ = std::move(symbol);
        points_ = points;
        color_ = color;
        update();
    }
    void setNumber(int number, double points, ThemeColor color) {
        number_ = QString::number(number);
        points_ = points;
        color_ = color;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const ColorEnvironment environment = colorEnvironmentFor(this);
        painter.setPen(Qt::NoPen);
        painter.setBrush(fill_.resolve(environment));
        painter.drawEllipse(QRectF(rect()));
        if (!symbol_.empty()) {
            Symbols::draw(painter, QRectF(rect()), symbol_, color_.resolve(environment), points_);
        } else if (!number_.isEmpty()) {
            painter.setFont(Fonts::system(points_, QFont::Bold));
            painter.setPen(color_.resolve(environment));
            painter.drawText(QRectF(rect()), Qt::AlignCenter, number_);
        }
    }

private:
    ThemeColor fill_;
    ThemeColor color_ = Theme::ink;
    std::string symbol_;
    QString number_;
    double points_ = 11;
};

class IconView : public QWidget {
public:
    IconView(QIcon icon, QWidget* parent) : QWidget(parent), icon_(std::move(icon)) { setFixedSize(84, 84); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        icon_.paint(&painter, rect());
    }

private:
    QIcon icon_;
};

// The app's own icon: the installed theme icon, else its mark on the accent.
QWidget* appIcon(QWidget* parent) {
    const QIcon icon = QIcon::fromTheme("velorin");
    if (icon.isNull()) return new SymbolTile("hand.tap.fill", true, 84, parent);
    return new IconView(icon, parent);
}

struct Step {
    int number;
    const char* symbol;
    const char* title;
    const char* text;
};

constexpr Step steps[] = {
    {1, "hand.tap.fill", "Tap with a few fingers",
     "Three, four or five fingers; once, twice, three times, or held. Corners count too. Light taps and full "
     "clicks both work."},
    {2, "square.stack.3d.up.fill", "Packs decide what happens",
     "Each pack is a set of shortcuts for one app. The same tap can open a tab in your browser and start a chat in "
     "Claude."},
    {3, "slider.horizontal.3", "Make it yours",
     "Add your own shortcuts, pick the apps they work in, and tune the timing until it fits your hand."},
};

GlassCard* stepCard(const Step& step, QWidget* parent) {
    auto* card = new GlassCard(16, 20, ThemeColor::clear(), parent);
    card->setObjectName(QString("about.step%1").arg(step.number));
    auto* content = new QWidget(card);
    content->setMinimumHeight(118);
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);
    auto* head = new QHBoxLayout;
    head->setSpacing(8);
    auto* number = new Badge(20, Theme::honey, content);
    number->setNumber(step.number, 11, Theme::onAccent);
    head->addWidget(number);
    auto* symbol = new Badge(16, ThemeColor::clear(), content);
    symbol->setSymbol(step.symbol, 13);
    head->addWidget(symbol);
    head->addStretch(1);
    column->addLayout(head);
    auto* title = new ThemedText(step.title, Fonts::system(13.5, QFont::DemiBold), Theme::ink, content);
    title->setWrapping(true);  // narrow windows give the three cards little width
    column->addWidget(title);
    auto* body = new ThemedText(step.text, Fonts::system(12), Theme::inkMuted, content);
    body->setWrapping(true);
    column->addWidget(body);
    column->addStretch(1);
    card->addContent(content);
    return card;
}

// One row of the cheat sheet.
class CheatRow : public QWidget {
public:
    explicit CheatRow(QWidget* parent) : QWidget(parent) {
        auto* row = new QHBoxLayout(this);
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(8);
        kind_ = new Badge(22, Theme::inkFaint, this);
        row->addWidget(kind_);
        gesture_ = new ThemedText("", Fonts::system(12, QFont::Medium), Theme::ink, this);
        gesture_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        row->addWidget(gesture_);
        auto* arrow = new Badge(10, ThemeColor::clear(), this);
        arrow->setSymbol("arrow.right", 9);
        row->addWidget(arrow);
        action_ = new ThemedText("", Fonts::system(12), Theme::inkMuted, this);
        action_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        action_->setMinimumWidth(0);
        row->addWidget(action_, 1);
        row->addSpacing(4);
        chip_ = new Chip("", std::nullopt, Theme::inkFaint, Theme::inkMuted, this);
        row->addWidget(chip_);
    }
    void show(const CheatSheetEntry& entry, const AppConfig& config) {
        kind_->setSymbol(std::string(symbol(entry.gesture)), 11, Theme::ink);
        gesture_->setText(text(displayName(entry.gesture)));
        gesture_->setFixedWidth(gesture_->sizeHint().width());
        action_->setText(text(displayName(entry.action)));
        const SourceChip chip = AboutRules::sourceChip(entry.source, config);
        chip_->setText(text(chip.text));
        chip_->setTint(chip.tint);
        setAccessibleName(gesture_->text() + " → " + action_->text() + " (" + chip_->text() + ")");
    }
    QString chipText() const { return chip_->text(); }

private:
    Badge* kind_;
    ThemedText* gesture_;
    ThemedText* action_;
    Chip* chip_;
};

}  // namespace

CheatSheetGrid::CheatSheetGrid(QWidget* parent) : QWidget(parent) {
    setObjectName("about.cheatSheet");
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void CheatSheetGrid::setRows(const std::vector<CheatSheetEntry>& entries, const AppConfig& config) {
    std::unordered_map<Gesture, QWidget*> kept;
    order_.clear();
    for (const auto& entry : entries) {
        QWidget* widget = nullptr;
        if (auto it = rows_.find(entry.gesture); it != rows_.end()) {
            widget = it->second;
            rows_.erase(it);
        } else {
            widget = new CheatRow(this);
            widget->show();
        }
        static_cast<CheatRow*>(widget)->show(entry, config);
        kept[entry.gesture] = widget;
        order_.push_back(entry.gesture);
    }
    // Rows whose gesture no longer works everywhere go.
    for (auto& [gesture, widget] : rows_) {
        widget->hide();
        widget->deleteLater();
    }
    rows_ = std::move(kept);
    updateGeometry();
    layoutRows();
}

std::vector<QWidget*> CheatSheetGrid::rowWidgets() const {
    std::vector<QWidget*> widgets;
    for (const auto& gesture : order_) widgets.push_back(rows_.at(gesture));
    return widgets;
}

int CheatSheetGrid::columnsFor(int width) {
    return std::max(1, (width + columnSpacing) / (minColumnWidth + columnSpacing));
}

int CheatSheetGrid::heightForWidth(int width) const {
    if (order_.empty()) return 0;
    const int columns = columnsFor(width);
    const int rows = int((order_.size() + std::size_t(columns) - 1) / std::size_t(columns));
    const int rowHeight = rows_.at(order_.front())->sizeHint().height();
    return rows * rowHeight + (rows - 1) * rowSpacing;
}

QSize CheatSheetGrid::sizeHint() const { return QSize(minColumnWidth, heightForWidth(minColumnWidth)); }

void CheatSheetGrid::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutRows();
}

void CheatSheetGrid::layoutRows() {
    if (order_.empty()) return;
    const int columns = columnsFor(width());
    const int columnWidth = std::max(1, (width() - (columns - 1) * columnSpacing) / columns);
    const int rowHeight = rows_.at(order_.front())->sizeHint().height();
    for (std::size_t i = 0; i < order_.size(); ++i) {
        const int column = int(i % std::size_t(columns));
        const int row = int(i / std::size_t(columns));
        rows_.at(order_[i])->setGeometry(column * (columnWidth + columnSpacing), row * (rowHeight + rowSpacing),
                                         columnWidth, rowHeight);
    }
}

AboutTab::AboutTab(AppModel& model, QWidget* parent) : QWidget(parent), model_(model) {
    setObjectName("aboutTab");
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* page = new TabPage(this);
    outer->addWidget(page);
    QWidget* host = page->widget();

    // The hero card.
    auto* hero = new GlassCard(20, 20, ThemeColor::clear(), host);
    auto* heroContent = new QWidget(hero);
    auto* heroRow = new QHBoxLayout(heroContent);
    heroRow->setContentsMargins(0, 0, 0, 0);
    heroRow->setSpacing(18);
    heroRow->addWidget(appIcon(heroContent), 0, Qt::AlignVCenter);
    auto* heroColumn = new QVBoxLayout;
    heroColumn->setSpacing(6);
    auto* nameRow = new QHBoxLayout;
    nameRow->setSpacing(8);
    nameRow->addWidget(new ThemedText("Velorin", Fonts::rounded(26, QFont::Bold), Theme::ink, heroContent), 0,
                       Qt::AlignBaseline);
    version_ = new Chip("Version " + text(AboutRules::version(platform::current().bundle())), std::nullopt,
                        Theme::inkFaint, Theme::inkMuted, heroContent);
    version_->setObjectName("about.version");
    nameRow->addWidget(version_, 0, Qt::AlignVCenter);
    nameRow->addStretch(1);
    heroColumn->addLayout(nameRow);
    heroColumn->addWidget(
        new ThemedText("Your trackpad, as a shortcut panel.", Fonts::system(14), Theme::inkMuted, heroContent));
    auto* links = new QHBoxLayout;
    links->setContentsMargins(0, 4, 0, 0);
    links->setSpacing(8);
    const std::pair<const char*, const char*> linkButtons[] = {{"What's new", AboutRules::releasesAddress},
                                                               {"Report a problem", AboutRules::newIssueAddress}};
    for (const auto& [title, address] : linkButtons) {
        auto* link = new PillButton(title, false, heroContent);
        link->setObjectName(QString("about.link.") + (address == AboutRules::releasesAddress ? "whatsNew" : "report"));
        const std::string url = address;
        connect(link, &QAbstractButton::clicked, this, [url] { (void)platform::current().workspace().open(url); });
        links->addWidget(link);
    }
    links->addStretch(1);
    heroColumn->addLayout(links);
    heroRow->addLayout(heroColumn, 1);
    hero->addContent(heroContent);
    page->add(hero);

    // How to start.
    auto* stepsRow = new QHBoxLayout;
    stepsRow->setSpacing(14);
    for (const Step& step : steps) stepsRow->addWidget(stepCard(step, host), 1, Qt::AlignTop);
    page->add(stepsRow);

    // The cheat sheet.
    auto* sheet = new GlassCard(16, 20, ThemeColor::clear(), host);
    auto* sheetContent = new QWidget(sheet);
    auto* sheetColumn = new QVBoxLayout(sheetContent);
    sheetColumn->setContentsMargins(0, 0, 0, 0);
    sheetColumn->setSpacing(10);
    auto* header = new QHBoxLayout;
    auto* heading =
        new ThemedText("Your gestures right now", Fonts::system(12, QFont::DemiBold), Theme::inkMuted, sheetContent);
    heading->setSymbol("list.bullet.rectangle.fill");
    header->addWidget(heading);
    header->addStretch(1);
    header->addWidget(new Chip("Works in every app", std::string("globe"), Theme::inkFaint, Theme::inkMuted, sheetContent));
    sheetColumn->addLayout(header);
    empty_ = new ThemedText("Nothing yet. Switch on a pack, or add a shortcut of your own.", Fonts::system(12.5),
                            Theme::inkMuted, sheetContent);
    empty_->setObjectName("about.empty");
    empty_->setWrapping(true);
    sheetColumn->addWidget(empty_);
    grid_ = new CheatSheetGrid(sheetContent);
    sheetColumn->addWidget(grid_);
    auto* footer = new ThemedText("App packs add more while their app is in front. See the Packs tab for each one's list.",
                                  Fonts::system(11.5), Theme::inkMuted, sheetContent);
    footer->setWrapping(true);
    sheetColumn->addWidget(footer);
    sheet->addContent(sheetContent);
    page->add(sheet);

    // The privacy note.
    auto* privacy = new GlassCard(16, 20, ThemeColor::clear(), host);
    auto* privacyContent = new QWidget(privacy);
    auto* privacyRow = new QHBoxLayout(privacyContent);
    privacyRow->setContentsMargins(0, 0, 0, 0);
    privacyRow->setSpacing(12);
    auto* shield = new Badge(22, ThemeColor::clear(), privacyContent);
    shield->setSymbol("lock.shield.fill", 18, Theme::success);
    privacyRow->addWidget(shield, 0, Qt::AlignTop);
    auto* privacyColumn = new QVBoxLayout;
    privacyColumn->setSpacing(4);
    privacyColumn->addWidget(new ThemedText("Private by design", Fonts::system(13, QFont::DemiBold), Theme::ink,
                                            privacyContent));
    auto* privacyText = new ThemedText("Velorin runs entirely on your Mac. No account and no tracking.",
                                       Fonts::system(12.5), Theme::inkMuted, privacyContent);
    privacyText->setWrapping(true);
    privacyColumn->addWidget(privacyText);
    privacyRow->addLayout(privacyColumn, 1);
    privacy->addContent(privacyContent);
    page->add(privacy);
    page->finish();

    observations_.add(model_.engine().config(), [this](const AppConfig&) { scheduleRefresh(); });
    refresh();
}

AboutTab::~AboutTab() { observations_.clear(); }

void AboutTab::scheduleRefresh() { refreshLater_.schedule(); }

void AboutTab::refresh() {
    const AppConfig& config = model_.config();
    const auto entries = AboutRules::everywhere(config);
    grid_->setRows(entries, config);
    grid_->setVisible(!entries.empty());
    empty_->setVisible(entries.empty());
}

}  // namespace velorin
