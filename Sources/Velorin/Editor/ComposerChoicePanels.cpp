// The menu command, website-or-file and Shortcuts panels of the composer.

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QVBoxLayout>

#include <cmath>

#include "Platform/Platform.h"
#include "Velorin/Design/ContinuousShape.h"
#include "Velorin/Design/Fonts.h"
#include "Velorin/Design/PillButton.h"
#include "Velorin/Design/RainbowViews.h"
#include "Velorin/Design/Symbols.h"
#include "Velorin/Design/Theme.h"
#include "Velorin/Editor/ActionComposer.h"
#include "Velorin/Editor/ComposerPanels.h"
#include "Velorin/Editor/ComposerWidgets.h"
#include "Velorin/Editor/Keycaps.h"
#include "Velorin/ThemedText.h"

namespace velorin::composer {
namespace {

constexpr int panelSpacing = 12;

QString qt(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QVBoxLayout* panelColumn(QWidget* panel, int spacing = panelSpacing) {
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(spacing);
    return column;
}

std::string homeFolder() { return platform::current().fileManager().homeDirectory(); }

// One title of a menu path on a faint capsule; the command's own in bold.
class Crumb : public QWidget {
public:
    explicit Crumb(QWidget* parent) : QWidget(parent), display_([this] { update(); }) {
        setObjectName("composer.crumb");
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    }
    void setCrumb(const QString& text, bool last) {
        if (text == text_ && last == last_) return;
        text_ = text;
        last_ = last;
        setProperty("text", text);
        setProperty("bold", last);
        updateGeometry();
        update();
    }
    QSize sizeHint() const override {
        QFontMetricsF metrics(font());
        return {int(std::ceil(metrics.horizontalAdvance(text_) + 20)), int(std::ceil(metrics.height() + 10))};
    }

protected:
    void paintEvent(QPaintEvent*) override {
        const ColorEnvironment env = colorEnvironmentFor(this);
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillPath(continuousCapsule(QRectF(rect())), Theme::inkFaint.resolve(env));
        painter.setFont(font());
        painter.setPen(Theme::ink.resolve(env));
        painter.drawText(QRectF(rect()), Qt::AlignCenter, text_);
    }

private:
    QFont font() const { return Fonts::system(14, last_ ? QFont::Bold : QFont::Medium); }

    QString text_;
    bool last_ = false;
    DisplayObserver display_;
};

class Chevron : public QWidget {
public:
    explicit Chevron(QWidget* parent) : QWidget(parent), display_([this] { update(); }) {
        setObjectName("composer.chevron");
        setFixedSize(10, 14);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        Symbols::draw(painter, QRectF(rect()), "chevron.right", Theme::inkMuted.resolve(colorEnvironmentFor(this)),
                      10 * 1.2);
    }

private:
    DisplayObserver display_;
};

class MenuPanel : public Panel {
public:
    MenuPanel(ActionComposer& composer, QWidget* parent) : Panel(composer, parent) {
        auto* column = panelColumn(this);
        hint_ = new ThemedText(qt(ComposerRules::menuHint), Fonts::system(13, QFont::Medium), Theme::inkMuted, this);
        hint_->setObjectName("composer.menuHint");
        hint_->setWrapping(true);
        column->addWidget(hint_);
        crumbs_ = new QWidget(this);
        crumbRow_ = new QHBoxLayout(crumbs_);
        crumbRow_->setContentsMargins(0, 0, 0, 0);
        crumbRow_->setSpacing(6);
        keys_ = new Keycaps(KeyCombo(), true, crumbs_);
        keys_->setWriting(Keycaps::KeyWriting::menu);
        column->addWidget(crumbs_);
        choose_ = new PillButton(qt(ComposerRules::menuChooseFirst), true, this);
        choose_->setObjectName("composer.menuChoose");
        connect(choose_, &QAbstractButton::clicked, this, [this] { composer_.chooseMenuCommand(); });
        column->addWidget(choose_, 0, Qt::AlignLeft);
    }

    void showAction(const Action& action) override {
        const auto* item = action.as<Action::MenuItem>();
        const MenuCommand command = item ? item->command : MenuCommand();
        const bool empty = command.path.empty();
        hint_->setVisible(empty);
        crumbs_->setVisible(!empty);
        choose_->setText(qt(empty ? ComposerRules::menuChooseFirst : ComposerRules::menuChooseAnother));
        choose_->setPrimary(empty);
        // Crumbs are kept by position; only those that come or go are made or dropped.
        while (crumbRow_->count() > 0) delete crumbRow_->takeAt(0);  // the item, not its widget
        while (crumbWidgets_.size() > command.path.size()) {
            auto [chevron, crumb] = crumbWidgets_.back();
            crumbWidgets_.pop_back();
            if (chevron) chevron->deleteLater();
            crumb->deleteLater();
        }
        for (std::size_t i = 0; i < command.path.size(); ++i) {
            if (i == crumbWidgets_.size()) {
                crumbWidgets_.emplace_back(i == 0 ? nullptr : new Chevron(crumbs_), new Crumb(crumbs_));
            }
            auto [chevron, crumb] = crumbWidgets_[i];
            if (chevron) {
                crumbRow_->addWidget(chevron, 0, Qt::AlignVCenter);
                chevron->show();
            }
            crumb->setCrumb(QString::fromStdString(command.path[i]), i + 1 == command.path.size());
            crumbRow_->addWidget(crumb, 0, Qt::AlignVCenter);
            crumb->show();
        }
        if (command.key) {
            keys_->setCombo(*command.key);
            crumbRow_->addSpacing(6);
            crumbRow_->addWidget(keys_, 0, Qt::AlignVCenter);
        }
        keys_->setVisible(command.key.has_value());
        crumbRow_->addStretch(1);
    }

private:
    ThemedText* hint_ = nullptr;
    QWidget* crumbs_ = nullptr;
    QHBoxLayout* crumbRow_ = nullptr;
    Keycaps* keys_ = nullptr;
    std::vector<std::pair<Chevron*, Crumb*>> crumbWidgets_;
    PillButton* choose_ = nullptr;
};

class LinkPanel : public Panel {
public:
    LinkPanel(ActionComposer& composer, QWidget* parent) : Panel(composer, parent) {
        auto* column = panelColumn(this);
        auto* row = new QHBoxLayout;
        row->setSpacing(8);
        auto* glass = new RainbowGlass(false, true, this);
        glass->setObjectName("composer.linkGlass");
        auto* fieldRow = new QHBoxLayout(glass);
        fieldRow->setContentsMargins(14, 10, 14, 10);
        fieldRow->setSpacing(8);
        icon_ = new SymbolIcon("link", 14, glass);
        icon_->setObjectName("composer.linkIcon");
        fieldRow->addWidget(icon_, 0, Qt::AlignVCenter);
        auto* field = new PlainField(qt(ComposerRules::linkPlaceholder), 14, glass);
        field_ = field->edit();
        field_->setObjectName("composer.linkField");
        fieldRow->addWidget(field, 1);
        row->addWidget(glass, 1);
        auto* choose = new PillButton("Choose File\u2026", false, this);
        choose->setObjectName("composer.chooseFile");
        row->addWidget(choose, 0, Qt::AlignVCenter);
        column->addLayout(row);
        status_ = new ThemedText("", Fonts::system(12, QFont::Medium), Theme::inkMuted, this);
        status_->setObjectName("composer.linkStatus");
        status_->setWrapping(true);
        column->addWidget(status_);

        // Every keystroke is the action; what resolves is worked out from it.
        connect(field_, &QLineEdit::textEdited, this,
                [this](const QString& text) { composer_.write(Action::open(text.toStdString())); });
        connect(field_, &QLineEdit::returnPressed, this, [this] {
            if (ComposerRules::linkStatus(text_, homeFolder())) composer_.confirm();
        });
        connect(choose, &QAbstractButton::clicked, this, [this] {
            ActionComposer::FileRequest request;
            request.what = ActionComposer::FileRequest::What::fileOrFolder;
            request.startFolder = QString::fromStdString(homeFolder());
            // The composer outlives the panel; it guards the answer.
            ActionComposer* composer = &composer_;
            composer_.runFilePanel(request, [composer](const std::string& path) { composer->pick(Action::open(path)); });
        });
    }

    void showAction(const Action& action) override {
        const auto* open = action.as<Action::Open>();
        text_ = open ? open->url : std::string();
        const QString text = QString::fromStdString(text_);
        if (field_->text() != text) field_->setText(text);  // only then: the cursor stays while typing
        const std::string home = homeFolder();
        icon_->setSymbol(ComposerRules::namesFile(text_, home) ? "doc.fill" : "link");
        if (auto status = ComposerRules::linkStatus(text_, home)) {
            status_->setText(QString::fromStdString(*status));
            status_->setSymbol("checkmark.circle.fill");
        } else {
            status_->setText(qt(ComposerRules::linkHint));
            status_->setSymbol(std::nullopt);
        }
    }

private:
    std::string text_;
    SymbolIcon* icon_ = nullptr;
    QLineEdit* field_ = nullptr;
    ThemedText* status_ = nullptr;
};

class ShortcutPanel : public Panel {
public:
    ShortcutPanel(ActionComposer& composer, QWidget* parent) : Panel(composer, parent) {
        auto* column = panelColumn(this);
        grid_ = new TileGrid(this);
        column->addWidget(grid_);
        empty_ = new QWidget(this);
        auto* row = new QHBoxLayout(empty_);
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(12);
        message_ = new ThemedText(qt(ComposerRules::shortcutsReading), Fonts::system(13, QFont::Medium),
                                  Theme::inkMuted, empty_);
        message_->setObjectName("composer.shortcutsMessage");
        message_->setWrapping(true);
        row->addWidget(message_, 1);
        auto* openApp = new PillButton("Open Shortcuts", false, empty_);
        openApp->setObjectName("composer.openShortcuts");
        row->addWidget(openApp, 0, Qt::AlignVCenter);
        column->addWidget(empty_);
        connect(openApp, &QAbstractButton::clicked, this, [] {
            platform::current().workspace().openApplication(std::string(ComposerRules::shortcutsApp), {});
        });
        connect(grid_, &TileGrid::tapped, this, [this](const std::string& name) { composer_.pick(Action::shortcut(name)); });
        connect(&composer_, &ActionComposer::shortcutsLoaded, this, [this] { redraw(); });
    }

    void showAction(const Action& action) override {
        const auto* shortcut = action.as<Action::Shortcut>();
        name_ = shortcut ? shortcut->name : std::string();
        redraw();
    }

protected:
    void showEvent(QShowEvent* event) override {
        Panel::showEvent(event);
        composer_.loadShortcuts();
    }

private:
    void redraw() {
        const auto& names = composer_.shortcuts();
        grid_->setVisible(!names.empty());
        empty_->setVisible(names.empty());
        message_->setText(qt(composer_.loadedShortcuts() ? ComposerRules::shortcutsNone : ComposerRules::shortcutsReading));
        std::vector<TileGrid::Item> items;
        for (const auto& name : names) {
            const bool on = name == name_;
            items.push_back({name, QString::fromStdString(name), optionIconSize,
                             [on](QPainter& painter, const QRectF& rect, const ColorEnvironment& env) {
                                 paintOptionIcon(painter, rect, "square.2.layers.3d.fill", on, env);
                             },
                             on, true});
        }
        grid_->setItems(std::move(items));
    }

    std::string name_;
    TileGrid* grid_ = nullptr;
    QWidget* empty_ = nullptr;
    ThemedText* message_ = nullptr;
};

}  // namespace

Panel* makeMenuPanel(ActionComposer& composer, QWidget* parent) { return new MenuPanel(composer, parent); }
Panel* makeLinkPanel(ActionComposer& composer, QWidget* parent) { return new LinkPanel(composer, parent); }
Panel* makeShortcutPanel(ActionComposer& composer, QWidget* parent) { return new ShortcutPanel(composer, parent); }

}  // namespace velorin::composer
