#include "Velorin/Editor/MenuCommandPicker.h"

#include <QAbstractListModel>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QKeyEvent>
#include <QStackedLayout>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "Velorin/AppIcons.h"
#include "Velorin/Design/AppBadge.h"
#include "Velorin/Design/ContinuousShape.h"
#include "Velorin/Design/Display.h"
#include "Velorin/Design/PillButton.h"
#include "Velorin/Design/Symbols.h"
#include "Velorin/Design/Theme.h"
#include "Velorin/Editor/PopUpMenu.h"

namespace velorin {
namespace {

constexpr int padding = 22;
constexpr int rowSpacing = 12;
constexpr int headerSpacing = 10;
constexpr int badgeSize = 28;
constexpr int chooserWidth = 180;
constexpr int stepsMaxWidth = 400;
constexpr int stepSpacing = 8;

QFont systemFont(double pixels, QFont::Weight weight) {
    QFont font;
    font.setPixelSize(int(pixels));
    font.setWeight(weight);
    return font;
}

QString qt(const std::string& text) { return QString::fromStdString(text); }

void setTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

QColor resolve(const ThemeColor& colour, const QWidget* widget) { return colour.resolve(colorEnvironmentFor(widget)); }

// The list's own surface is the sheet's; its scroll bar is a thin muted
// handle in the sheet's appearance.
void styleList(QListView* list, const QWidget* sheet) {
    const QColor handle = resolve(Theme::inkMuted.opacity(0.45), sheet);
    const QString sheetText =
        QString("QListView { background: transparent; }"
                "QScrollBar:vertical { background: transparent; width: 8px; margin: 2px 0; }"
                "QScrollBar::handle:vertical { background: %1; border-radius: 3px; min-height: 24px; margin: 0 1px; }"
                "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
                "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: transparent; }")
            .arg(handle.name(QColor::HexArgb));
    if (list->styleSheet() != sheetText) list->setStyleSheet(sheetText);
}

// A label that wraps onto as many lines as `width` needs, and takes them.
void fitWrapped(QLabel* label, int width) {
    label->setWordWrap(true);
    label->setFixedWidth(width);
    label->setFixedHeight(label->heightForWidth(width));
}

// A symbol as a label: its glyph in the symbol font.
QLabel* symbolLabel(std::string_view symbol, double pixels, QWidget* parent) {
    auto* label = new QLabel(Symbols::text(symbol), parent);
    label->setFont(Symbols::font(pixels));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

}  // namespace

// The command list's rows: a header per group, then its commands, kept by
// position (two commands may have the same path).
class MenuCommandPicker::CommandRows final : public QAbstractListModel {
public:
    enum Role { isHeaderRole = Qt::UserRole + 1, keyRole, enabledRole, firstRole, lastRole };

    struct Row {
        bool header = false;
        QString text;
        QString key;
        bool enabled = true;
        bool first = false;  // the first command of its group
        bool last = false;   // the last command of its group
        MenuCommand command;
    };

    using QAbstractListModel::QAbstractListModel;

    void show(const std::vector<CommandGroup>& groups) {
        beginResetModel();
        rows_.clear();
        for (const auto& group : groups) {
            rows_.push_back(Row{true, qt(group.title), {}, true, false, false, {}});
            for (std::size_t i = 0; i < group.commands.size(); ++i) {
                const auto& c = group.commands[i];
                rows_.push_back(Row{false, qt(MenuCommandList::rowText(c)), qt(c.key ? c.key->description() : std::string()),
                                    c.enabled, i == 0, i + 1 == group.commands.size(),
                                    MenuCommandPickerModel::command(c)});
            }
        }
        endResetModel();
    }

    const Row& row(int index) const { return rows_[std::size_t(index)]; }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(rows_.size()); }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= int(rows_.size())) return {};
        const Row& r = rows_[std::size_t(index.row())];
        switch (role) {
            case Qt::DisplayRole: return r.text;
            case isHeaderRole: return r.header;
            case keyRole: return r.key;
            case enabledRole: return r.enabled;
            case firstRole: return r.first;
            case lastRole: return r.last;
            default: return {};
        }
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        if (!index.isValid()) return Qt::NoItemFlags;
        // Disabled commands are listed and can be picked like the others.
        return row(index.row()).header ? Qt::NoItemFlags : Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    }

private:
    std::vector<Row> rows_;
};

// Paints the inset list: section titles, and each group's commands on one
// rounded card with hairlines between them.
class MenuCommandPicker::RowDelegate final : public QStyledItemDelegate {
public:
    static constexpr int headerHeight = 30;
    static constexpr int rowHeight = 30;
    static constexpr int inset = 4;
    static constexpr int textInset = 12;
    static constexpr double cardRadius = 10;

    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {option.rect.width(), index.data(CommandRows::isHeaderRole).toBool() ? headerHeight : rowHeight};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QWidget* view = option.widget;
        const ColorEnvironment env = colorEnvironmentFor(view);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        const QRectF r = QRectF(option.rect).adjusted(inset, 0, -inset, 0);
        if (index.data(CommandRows::isHeaderRole).toBool()) {
            painter->setFont(systemFont(11, QFont::DemiBold));
            painter->setPen(Theme::inkMuted.resolve(env));
            painter->drawText(r.adjusted(textInset, 0, -textInset, -6), Qt::AlignLeft | Qt::AlignBottom,
                              index.data(Qt::DisplayRole).toString().toUpper());
            painter->restore();
            return;
        }
        const bool first = index.data(CommandRows::firstRole).toBool();
        const bool last = index.data(CommandRows::lastRole).toBool();
        // The card's corners round only at the ends of its group.
        QPainterPath card;
        card.addRect(r);
        if (first || last) {
            const QRectF tall = r.adjusted(0, first ? 0 : -cardRadius * 2, 0, last ? 0 : cardRadius * 2);
            card = continuousRoundedRect(tall, cardRadius).intersected(card);
        }
        painter->fillPath(card, Theme::warmWhite.resolve(env));
        if (option.state & QStyle::State_MouseOver) painter->fillPath(card, Theme::inkFaint.opacity(0.6).resolve(env));
        if (!last) {
            painter->setPen(QPen(Theme::inkFaint.resolve(env), 0.5));
            painter->drawLine(QPointF(r.left() + textInset, r.bottom()), QPointF(r.right(), r.bottom()));
        }

        const QString key = index.data(CommandRows::keyRole).toString();
        QRectF textRect = r.adjusted(textInset, 0, -textInset, 0);
        if (!key.isEmpty()) {
            const QFont keyFont = systemFont(11, QFont::Medium);
            const double keyWidth = QFontMetricsF(keyFont).horizontalAdvance(key);
            painter->setFont(keyFont);
            painter->setPen(Theme::inkMuted.resolve(env));
            painter->drawText(textRect, Qt::AlignRight | Qt::AlignVCenter, key);
            textRect.setRight(textRect.right() - keyWidth - 12);
        }
        const QFont textFont = systemFont(13, QFont::Normal);
        painter->setFont(textFont);
        const bool enabled = index.data(CommandRows::enabledRole).toBool();
        painter->setPen((enabled ? Theme::ink : Theme::inkMuted).resolve(env));
        const QString text =
            QFontMetricsF(textFont).elidedText(index.data(Qt::DisplayRole).toString(), Qt::ElideMiddle, textRect.width());
        painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, text);
        painter->restore();
    }
};

// The search field: a glass and a plain text field on a cream capsule.
class MenuCommandPicker::SearchField final : public QWidget {
public:
    explicit SearchField(QWidget* parent) : QWidget(parent) {
        auto* row = new QHBoxLayout(this);
        row->setContentsMargins(12, 7, 12, 7);
        row->setSpacing(6);
        glass_ = symbolLabel("magnifyingglass", 15, this);
        row->addWidget(glass_);
        edit = new QLineEdit(this);
        edit->setObjectName("menuPicker.search");
        edit->setPlaceholderText("Search commands");
        edit->setFrame(false);
        edit->setFont(systemFont(13, QFont::Medium));
        edit->setAttribute(Qt::WA_MacShowFocusRect, false);
        edit->setStyleSheet("QLineEdit { background: transparent; }");
        edit->setClearButtonEnabled(false);
        row->addWidget(edit, 1);
    }

    void applyColours() {
        setTextColour(glass_, resolve(Theme::inkMuted, this));
        QPalette palette = edit->palette();
        palette.setColor(QPalette::Text, resolve(Theme::ink, this));
        palette.setColor(QPalette::PlaceholderText, resolve(Theme::inkMuted, this));
        edit->setPalette(palette);
    }

    QLineEdit* edit = nullptr;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QPainterPath capsule = continuousCapsule(QRectF(rect()).adjusted(0.25, 0.25, -0.25, -0.25));
        painter.fillPath(capsule, resolve(Theme::cream, this));
        painter.setPen(QPen(resolve(Theme::inkFaint, this), 0.5));
        painter.drawPath(capsule);
    }

private:
    QLabel* glass_ = nullptr;
};

// Every empty or guidance screen: a symbol, a title, the steps and the button,
// centred in the space it is given.
class MenuCommandPicker::Guidance final : public QWidget {
public:
    explicit Guidance(QWidget* parent) : QWidget(parent) {
        setObjectName("menuPicker.guidance");
        auto* outer = new QVBoxLayout(this);
        outer->setContentsMargins(0, 0, 0, 0);
        outer->addStretch(1);
        column_ = new QVBoxLayout;
        column_->setSpacing(14);
        column_->setAlignment(Qt::AlignHCenter);
        outer->addLayout(column_);
        outer->addStretch(1);
    }

    const GuidanceScreen& screen() const { return screen_; }

    // Builds the screen anew only when it changed; the old parts go once their
    // events are done (the button may be the one being clicked).
    void show(const GuidanceScreen& screen, const std::function<void(GuidanceAction)>& perform) {
        if (built_ && screen == screen_) return;
        built_ = true;
        screen_ = screen;
        if (content_) {
            content_->hide();
            content_->deleteLater();
        }
        content_ = new QWidget(this);
        auto* layout = new QVBoxLayout(content_);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(14);

        symbol_ = symbolLabel(screen.symbol, 34, content_);
        layout->addWidget(symbol_, 0, Qt::AlignHCenter);

        // Wrapping labels get no height for their width inside centred
        // layouts: each is given its width and the height that width needs.
        const int titleWidth = MenuCommandPicker::side - 2 * padding;
        title_ = new QLabel(qt(screen.title), content_);
        title_->setObjectName("menuPicker.guidanceTitle");
        title_->setFont(systemFont(17, QFont::Bold));
        title_->setAlignment(Qt::AlignCenter);
        fitWrapped(title_, titleWidth);
        layout->addWidget(title_, 0, Qt::AlignHCenter);

        auto* steps = new QWidget(content_);
        steps->setObjectName("menuPicker.steps");
        steps->setFixedWidth(stepsMaxWidth);
        auto* stepsLayout = new QVBoxLayout(steps);
        stepsLayout->setContentsMargins(0, 0, 0, 0);
        stepsLayout->setSpacing(8);
        muted_.clear();
        const QFont numberFont = systemFont(13, QFont::Bold);
        const int numberWidth =
            screen.numbersSteps()
                ? QFontMetrics(numberFont).horizontalAdvance(QString::number(screen.steps.size()) + ".") + 1
                : 0;
        const int textWidth = stepsMaxWidth - (screen.numbersSteps() ? numberWidth + stepSpacing : 0);
        for (std::size_t i = 0; i < screen.steps.size(); ++i) {
            auto* row = new QHBoxLayout;
            row->setSpacing(stepSpacing);
            if (screen.numbersSteps()) {
                auto* number = new QLabel(QString::number(i + 1) + ".", steps);
                number->setFont(numberFont);
                number->setAlignment(Qt::AlignLeft | Qt::AlignTop);
                number->setFixedWidth(numberWidth);
                row->addWidget(number, 0, Qt::AlignTop);
                muted_.push_back(number);
            }
            auto* text = new QLabel(qt(screen.steps[i]), steps);
            text->setObjectName("menuPicker.step");
            text->setFont(systemFont(13, QFont::Medium));
            text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            fitWrapped(text, textWidth);
            row->addWidget(text, 0, Qt::AlignTop);
            row->addStretch(1);
            muted_.push_back(text);
            stepsLayout->addLayout(row);
        }
        layout->addWidget(steps, 0, Qt::AlignHCenter);

        if (screen.button) {
            auto* button = new PillButton(qt(screen.button->title), screen.button->primary, content_);
            button->setObjectName("menuPicker.guidanceButton");
            const GuidanceAction action = screen.button->action;
            QObject::connect(button, &QAbstractButton::clicked, button, [perform, action] { perform(action); });
            layout->addWidget(button, 0, Qt::AlignHCenter);
        }
        column_->addWidget(content_, 0, Qt::AlignHCenter);
        content_->show();  // a layout shows a late child only on a later turn
        applyColours();
    }

    void applyColours() {
        if (!content_) return;
        setTextColour(symbol_, resolve(Theme::inkMuted, this));
        setTextColour(title_, resolve(Theme::ink, this));
        for (QLabel* label : muted_) setTextColour(label, resolve(Theme::inkMuted, this));
    }

private:
    QVBoxLayout* column_ = nullptr;
    QWidget* content_ = nullptr;
    QLabel* symbol_ = nullptr;
    QLabel* title_ = nullptr;
    std::vector<QLabel*> muted_;
    GuidanceScreen screen_;
    bool built_ = false;
};

MenuCommandPicker::MenuCommandPicker(std::vector<std::string> apps, PickHandler onPick, CancelHandler onCancel,
                                     QWidget* parent)
    : QWidget(parent), onPick_(std::move(onPick)), onCancel_(std::move(onCancel)) {
    setObjectName("menuCommandPicker");
    setFixedSize(side, side);
    model_ = std::make_unique<MenuCommandPickerModel>(std::move(apps), [this] { redraw(); });

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(padding, padding, padding, padding);
    column->setSpacing(rowSpacing);

    auto* header = new QHBoxLayout;
    header->setSpacing(headerSpacing);
    badge_ = new AppBadge(AppLookup{&AppIcons::icon, [this](const std::string& id) { return model_->appName(id); }},
                          std::string(), badgeSize, this);
    badge_->setObjectName("menuPicker.badge");
    header->addWidget(badge_);
    title_ = new QLabel(this);
    title_->setObjectName("menuPicker.title");
    title_->setFont(systemFont(20, QFont::Bold));
    header->addWidget(title_);
    header->addStretch(1);
    chooser_ = new PopUpMenu(this);
    chooser_->setObjectName("menuPicker.apps");
    chooser_->setFixedWidth(chooserWidth);
    connect(chooser_, &QComboBox::activated, this, [this](int index) {
        model_->chooseApp(chooser_->itemData(index).toString().toStdString());
    });
    header->addWidget(chooser_);
    column->addLayout(header);

    body_ = new QStackedLayout;
    commandsPage_ = new QWidget(this);
    auto* commands = new QVBoxLayout(commandsPage_);
    commands->setContentsMargins(0, 0, 0, 0);
    commands->setSpacing(rowSpacing);
    search_ = new SearchField(commandsPage_);
    connect(search_->edit, &QLineEdit::textChanged, this,
            [this](const QString& text) { model_->setQuery(text.toStdString()); });
    commands->addWidget(search_);
    list_ = new QListView(commandsPage_);
    list_->setObjectName("menuPicker.list");
    list_->setFrameShape(QFrame::NoFrame);
    list_->setMouseTracking(true);
    list_->setAttribute(Qt::WA_Hover);
    list_->setSelectionMode(QAbstractItemView::NoSelection);
    list_->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    list_->setUniformItemSizes(false);
    list_->viewport()->setAutoFillBackground(false);
    rows_ = new CommandRows(list_);
    list_->setModel(rows_);
    list_->setItemDelegate(new RowDelegate(list_));
    connect(list_, &QListView::clicked, this, [this](const QModelIndex& index) { pickRow(index.row()); });
    commands->addWidget(list_, 1);
    body_->addWidget(commandsPage_);
    guidance_ = new Guidance(this);
    body_->addWidget(guidance_);
    column->addLayout(body_, 1);

    auto* footer = new QHBoxLayout;
    footer->addStretch(1);
    cancel_ = new PillButton("Cancel", false, this);
    cancel_->setObjectName("menuPicker.cancel");
    connect(cancel_, &QAbstractButton::clicked, this, [this] {
        if (onCancel_) onCancel_();
    });
    footer->addWidget(cancel_);
    column->addLayout(footer);

    redraw();
}

MenuCommandPicker::~MenuCommandPicker() { model_->deactivate(); }

void MenuCommandPicker::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), resolve(Theme::milk, this));
}

void MenuCommandPicker::keyPressEvent(QKeyEvent* event) {
    // Escape is the Cancel button's, from wherever focus is inside the sheet.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        cancel_->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void MenuCommandPicker::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    model_->activate();
}

void MenuCommandPicker::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    model_->deactivate();
}

void MenuCommandPicker::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange) {
        search_->applyColours();
        guidance_->applyColours();
        styleList(list_, this);
        setTextColour(title_, resolve(Theme::ink, this));
    }
}

void MenuCommandPicker::redraw() {
    showHeader();
    const MenuPickerBody body = model_->body();
    if (body == MenuPickerBody::commands) {
        rows_->show(model_->groups());
        body_->setCurrentWidget(commandsPage_);
    } else {
        rows_->show({});
        guidance_->show(model_->screen(), [this](GuidanceAction action) { model_->perform(action); });
        body_->setCurrentWidget(guidance_);
    }
    search_->applyColours();
    guidance_->applyColours();
    styleList(list_, this);
    update();
}

void MenuCommandPicker::showHeader() {
    const std::string& appID = model_->appID();
    title_->setText(qt(model_->title()));
    setTextColour(title_, resolve(Theme::ink, this));
    if (!appID.empty()) badge_->setBundleID(appID);
    badge_->setVisible(!appID.empty());
    showChooser();
}

void MenuCommandPicker::showChooser() {
    const auto running = model_->running();
    std::vector<std::pair<std::int32_t, std::string>> entries;
    for (const auto& app : running) entries.emplace_back(app.processIdentifier, MenuCommandList::chooserText(app));
    // Entries are identified by process: rebuilt only when the apps change.
    if (entries != chooserEntries_) {
        chooserEntries_ = entries;
        chooser_->clear();
        for (const auto& app : running) {
            chooser_->addItem(qt(MenuCommandList::chooserText(app)), qt(app.bundleIdentifier.value_or(std::string())));
        }
    }
    chooser_->setCurrentIndex(chooser_->findData(qt(model_->appID())));
    chooser_->setVisible(model_->showsChooser());
}

void MenuCommandPicker::pickRow(int row) {
    if (row < 0 || row >= rows_->rowCount()) return;
    const auto& r = rows_->row(row);
    if (r.header) return;
    // Copied: the handler may close and destroy the picker.
    const MenuCommand command = r.command;
    if (onPick_) onPick_(command);
}

}  // namespace velorin
