#include "Velorin/Editor/AppScopePicker.h"

#include <QAbstractButton>
#include <QEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QPointer>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

#include "Platform/Platform.h"
#include "Velorin/AppInfo.h"
#include "Velorin/Design/Display.h"
#include "Velorin/Design/FocusRing.h"
#include "Velorin/Design/PillButton.h"
#include "Velorin/Design/Symbols.h"
#include "Velorin/Design/Theme.h"
#include "Velorin/Editor/SegmentedChoice.h"

namespace velorin {
namespace {

constexpr int spacing = 8;
constexpr int iconSide = 20;

QString qt(const std::string& text) { return QString::fromStdString(text); }

// A row's borderless minus button: the symbol alone, muted, in ink under the pointer.
class RemoveButton final : public QAbstractButton {
public:
    static constexpr int side = 20;
    explicit RemoveButton(QWidget* parent) : QAbstractButton(parent) {
        setFixedSize(side, side);
        setAttribute(Qt::WA_Hover);
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const ColorEnvironment env = colorEnvironmentFor(this);
        // Focus from a click doesn't keep it lit; focus from the keyboard does.
        const bool lit = underMouse() || isDown() || keyboardFocus_.shows();
        Symbols::draw(painter, QRectF(rect()), "minus.circle", (lit ? Theme::ink : Theme::inkMuted).resolve(env), 16);
    }

private:
    FocusRing keyboardFocus_{this};
};

void defaultPanel(QWidget* parent, std::function<void(const std::vector<std::string>&)> chosen) {
    auto* dialog = new QFileDialog(parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setFileMode(QFileDialog::ExistingFiles);
    // Apps are desktop entries here, bundles on a Mac.
    dialog->setNameFilter("Applications (*.desktop *.app)");
    dialog->setDirectory(AppScopePicker::applicationsFolder());
    dialog->setLabelText(QFileDialog::Accept, "Add");
    QObject::connect(dialog, &QFileDialog::filesSelected, dialog, [chosen = std::move(chosen)](const QStringList& files) {
        std::vector<std::string> locations;
        for (const auto& file : files) locations.push_back(file.toStdString());
        chosen(locations);
    });
    dialog->open();
}

}  // namespace

QString AppScopePicker::applicationsFolder() {
    return QString::fromStdString(platform::current().workspace().applicationsFolder());
}

AppScopePicker::AppScopePicker(QWidget* parent, OpenPanel panel)
    : QWidget(parent), panel_(panel ? std::move(panel) : OpenPanel(defaultPanel)) {
    setObjectName("appScopePicker");
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(spacing);

    // The two choices, as one segmented control.
    auto* segments = new SegmentedChoice(this);
    everyApp_ = segments->addSegment(AppScope::everyAppText, "appScope.everyApp");
    onlyThese_ = segments->addSegment(AppScope::onlyTheseText, "appScope.onlyThese");
    connect(everyApp_, &QAbstractButton::clicked, this, [this] { choose(false); });
    connect(onlyThese_, &QAbstractButton::clicked, this, [this] { choose(true); });
    column->addWidget(segments, 0, Qt::AlignLeft);

    list_ = new QWidget(this);
    rowsLayout_ = new QVBoxLayout(list_);
    rowsLayout_->setContentsMargins(0, 0, 0, 0);
    rowsLayout_->setSpacing(spacing);
    column->addWidget(list_);

    add_ = new PillButton(AppScope::addAppText, false, this);
    add_->setObjectName("appScope.add");
    connect(add_, &QAbstractButton::clicked, this, &AppScopePicker::addApp);
    column->addWidget(add_, 0, Qt::AlignLeft);

    warning_ = new QLabel(AppScope::emptyWarning, this);
    warning_->setObjectName("appScope.warning");
    QFont callout = warning_->font();
    callout.setPixelSize(12);
    warning_->setFont(callout);
    warning_->setWordWrap(true);
    column->addWidget(warning_);

    redraw();
}

AppScopePicker::~AppScopePicker() = default;

void AppScopePicker::setApps(std::vector<std::string> apps) {
    if (apps == apps_) return;
    apps_ = std::move(apps);
    redraw();
}

void AppScopePicker::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!scope_) {
        scope_.emplace(apps_);
        redraw();
    }
}

void AppScopePicker::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) redraw();
}

void AppScopePicker::addApp() {
    QPointer<AppScopePicker> self(this);
    panel_(this, [self](const std::vector<std::string>& locations) {
        if (!self) return;
        Bundle& bundle = platform::current().bundle();
        self->edit(AppScope::adding(self->apps_, locations,
                                    [&](const std::string& location) { return bundle.bundleIdentifierAtPath(location); }));
    });
}

void AppScopePicker::edit(std::vector<std::string> apps) {
    if (apps == apps_) return;
    apps_ = std::move(apps);
    redraw();
    emit appsEdited(apps_);
}

void AppScopePicker::choose(bool onlySome) {
    if (!scope_) scope_.emplace(apps_);
    if (auto written = scope_->choose(onlySome)) {
        edit(std::move(*written));
    }
    redraw();
}

void AppScopePicker::redraw() {
    const bool onlySome = scope_ && scope_->onlySome();
    everyApp_->setChecked(!onlySome);
    onlyThese_->setChecked(onlySome);
    list_->setVisible(onlySome && !apps_.empty());
    add_->setVisible(onlySome);
    warning_->setVisible(scope_ && scope_->showsWarning(apps_));
    const ColorEnvironment env = colorEnvironmentFor(this);
    QPalette palette = warning_->palette();
    palette.setColor(QPalette::WindowText, Theme::warning.resolve(env));
    warning_->setPalette(palette);
    showRows();
    for (auto& [key, row] : rows_) {
        QPalette names = row.name->palette();
        names.setColor(QPalette::WindowText, Theme::ink.resolve(env));
        row.name->setPalette(names);
    }
}

void AppScopePicker::showRows() {
    // Rows are kept by identifier; only those that come or go are made or dropped.
    std::map<std::string, Row> kept;
    std::map<std::string, int> seen;
    int position = 0;
    for (const auto& id : apps_) {
        const int repeat = seen[id]++;
        const std::string key = repeat == 0 ? id : id + "\x1F" + std::to_string(repeat);
        Row row;
        if (auto it = rows_.find(key); it != rows_.end()) {
            row = it->second;
            rows_.erase(it);
        } else {
            row = makeRow(id);
        }
        rowsLayout_->insertWidget(position++, row.widget);
        row.widget->show();  // a layout shows a late child only on a later turn
        kept.emplace(key, row);
    }
    for (auto& [key, row] : rows_) {
        row.widget->hide();
        row.widget->deleteLater();  // its own button may be the one being clicked
    }
    rows_ = std::move(kept);
}

AppScopePicker::Row AppScopePicker::makeRow(const std::string& bundleID) {
    Row row;
    row.widget = new QWidget(list_);
    row.widget->setObjectName("appScope.row");
    row.widget->setProperty("bundleID", qt(bundleID));
    auto* layout = new QHBoxLayout(row.widget);
    layout->setContentsMargins(0, 0, 0, 0);
    if (auto icon = AppInfo::icon(bundleID)) {
        auto* image = new QLabel(row.widget);
        image->setObjectName("appScope.icon");
        const qreal ratio = devicePixelRatioF();
        QPixmap pixmap = QPixmap::fromImage(icon->scaled(QSize(iconSide, iconSide) * ratio, Qt::KeepAspectRatio,
                                                         Qt::SmoothTransformation));
        pixmap.setDevicePixelRatio(ratio);
        image->setPixmap(pixmap);
        image->setFixedSize(iconSide, iconSide);
        layout->addWidget(image, 0, Qt::AlignVCenter);
    }
    row.name = new QLabel(qt(AppInfo::name(bundleID)), row.widget);
    row.name->setObjectName("appScope.name");
    layout->addWidget(row.name, 0, Qt::AlignVCenter);
    layout->addStretch(1);
    auto* remove = new RemoveButton(row.widget);
    remove->setObjectName("appScope.remove");
    remove->setToolTip("Remove");
    connect(remove, &QAbstractButton::clicked, this, [this, bundleID] { edit(AppScope::removing(apps_, bundleID)); });
    layout->addWidget(remove, 0, Qt::AlignVCenter);
    return row;
}

}  // namespace velorin
