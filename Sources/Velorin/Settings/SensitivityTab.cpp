#include "Velorin/Settings/SensitivityTab.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "Velorin/AppModel.h"
#include "Velorin/Design/Feedback.h"
#include "Velorin/Design/Fonts.h"
#include "Velorin/Design/GlassCard.h"
#include "Velorin/Design/LiquidSlider.h"
#include "Velorin/Design/NumericText.h"
#include "Velorin/Design/PillButton.h"
#include "Velorin/Design/TabHeader.h"
#include "Velorin/Design/Theme.h"
#include "Velorin/Settings/SensitivityPreview.h"
#include "Velorin/Settings/TabPage.h"
#include "Velorin/ThemedText.h"

namespace velorin {

namespace {

template <typename T>
ValueBinding<T> fieldBinding(AppModel& model, T RecognizerConfig::*member) {
    return ValueBinding<T>{
        [&model, member] { return model.config().recognizer.*member; },
        [&model, member](T value) {
            AppConfig config = model.config();
            config.recognizer.*member = value;
            model.setConfig(std::move(config));
        },
    };
}

}  // namespace

ValueBinding<double> SensitivityTab::binding(AppModel& model, const SensitivityRow& row) {
    struct Make {
        AppModel& model;
        ValueBinding<double> operator()(double RecognizerConfig::*member) const { return fieldBinding(model, member); }
        ValueBinding<double> operator()(float RecognizerConfig::*member) const {
            return widened(fieldBinding(model, member));
        }
    };
    return std::visit(Make{model}, row.field);
}

SensitivityTab::SensitivityTab(AppModel& model, QWidget* parent) : QWidget(parent), model_(model) {
    setObjectName("sensitivityTab");
    auto* outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(18);
    outer->setAlignment(Qt::AlignTop);

    auto* page = new TabPage(this);
    QWidget* host = page->widget();
    page->add(new TabHeader(
        "Sensitivity",
        "How Velorin tells taps, holds and corners apart. The preview shows each setting as you drag it.", host));

    auto* card = new GlassCard(16, 20, ThemeColor::clear(), host);
    auto* content = new QWidget(card);
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(20);
    for (std::size_t i = 0; i < rows_.size(); ++i) column->addWidget(makeRow(i, content));
    card->addContent(content);
    page->add(card);

    auto* resetRow = new QHBoxLayout;
    resetRow->addStretch(1);
    auto* reset = new PillButton("Reset to Defaults", false, host);
    reset->setSymbol("arrow.counterclockwise");
    reset->setTicks(false);  // the reset plays its own, once
    reset->setObjectName("sensitivity.reset");
    reset_ = reset;
    resetRow->addWidget(reset);
    page->add(resetRow);
    page->finish();
    outer->addWidget(page, 1);

    preview_ = new SensitivityPreview(this);
    outer->addWidget(preview_, 0, Qt::AlignTop);

    connect(reset_, &QAbstractButton::clicked, this, [this] { resetToDefaults(); });
    observations_.add(model_.engine().config(), [this](const AppConfig&) { scheduleRefresh(); });
    refresh();
}

SensitivityTab::~SensitivityTab() { observations_.clear(); }

QWidget* SensitivityTab::makeRow(std::size_t index, QWidget* parent) {
    const SensitivityRow& setting = SensitivityRules::rows()[index];
    Row& row = rows_[index];
    row.binding = binding(model_, setting);

    auto* box = new QWidget(parent);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);
    auto* heading = new QHBoxLayout;
    heading->addWidget(new ThemedText(setting.title, Fonts::system(13, QFont::DemiBold), Theme::ink, box));
    heading->addStretch(1);
    // The desktop's system faces draw digits of equal width (Qt 6.4 has no font features).
    row.value = new NumericText(Fonts::system(12, QFont::DemiBold), Theme::inkMuted, box);
    row.value->setObjectName(QString("sensitivity.value.%1").arg(index));
    heading->addWidget(row.value);
    column->addLayout(heading);

    const auto format = [&setting](double v) {
        return QString::fromStdString(SensitivityRules::valueText(setting, v));
    };
    row.slider = new LiquidSlider(row.binding.get(), setting.lower, setting.upper, format, box);
    row.slider->setObjectName(QString("sensitivity.slider.%1").arg(index));
    column->addWidget(row.slider);
    connect(row.slider, &LiquidSlider::valueChanged, this, [this, index](double v) { changed(index, v); });

    auto* help = new ThemedText(setting.help, Fonts::system(11.5), Theme::inkMuted, box);
    help->setWrapping(true);
    column->addWidget(help);
    return box;
}

void SensitivityTab::changed(std::size_t index, double value) {
    // Every step is a complete write: the engine re-arms and the file is saved.
    rows_[index].binding.set(value);
    const SensitivityFocus focus = SensitivityRules::rows()[index].focus;
    if (focus_ != focus) {
        focus_ = focus;
        // The preview's highlight and the value texts move with the snappy spring.
        preview_->setFocus(focus_);
        for (std::size_t i = 0; i < rows_.size(); ++i)
            rows_[i].value->fadeColorTo(SensitivityRules::rows()[i].focus == focus_ ? Theme::ink : Theme::inkMuted,
                                        Theme::snappy);
    }
    // The value text follows at once; the rest comes with the queued refresh.
    showValue(index, rows_[index].binding.get());
}

void SensitivityTab::showValue(std::size_t index, double stored, std::optional<Spring> roll) {
    const QString text = QString::fromStdString(SensitivityRules::valueText(SensitivityRules::rows()[index], stored));
    if (roll)
        rows_[index].value->rollTo(text, *roll);
    else
        rows_[index].value->setText(text);
}

void SensitivityTab::resetToDefaults() {
    playHaptic(HapticPattern::alignment);
    const RecognizerConfig defaults = SensitivityRules::defaults();
    AppConfig config = model_.config();
    config.recognizer = defaults;
    model_.setConfig(std::move(config));
    // The values roll to their defaults with the reset's spring.
    for (std::size_t i = 0; i < rows_.size(); ++i)
        showValue(i, SensitivityRules::read(defaults, SensitivityRules::rows()[i]), Theme::wobble);
}

void SensitivityTab::scheduleRefresh() { refreshLater_.schedule(); }

void SensitivityTab::refresh() {
    const RecognizerConfig& tuning = model_.engine().config().get().recognizer;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const SensitivityRow& setting = SensitivityRules::rows()[i];
        const double stored = SensitivityRules::read(tuning, setting);
        showValue(i, stored);
        // A value the slider cannot hold (not finite) leaves the knob where it is.
        if (std::isfinite(stored) && !rows_[i].slider->isDragging()) {
            const QSignalBlocker quiet(rows_[i].slider);
            rows_[i].slider->setValue(stored);
        }
    }
    preview_->setConfig(tuning);
}

}  // namespace velorin
