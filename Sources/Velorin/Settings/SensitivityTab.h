#pragma once
// The sensitivity tab: five sliders tune the recogniser (the tap, gap and
// hold times, the allowed movement and the corner size), the preview beside
// them draws what the values mean with the setting moved last in focus, and
// "Reset to Defaults" puts all six tuning values back. The tab keeps no copy
// of the configuration: every slider step is one assignment through the
// model (the engine re-arms its recognisers, the file is saved), and the tab
// shows whatever the engine holds, whoever changed it.

#include <QWidget>

#include <array>
#include <optional>

#include "Velorin/Design/Spring.h"
#include "Velorin/Observations.h"
#include "Velorin/QueuedRefresh.h"
#include "Velorin/Settings/SensitivityRules.h"
#include "Velorin/Settings/ValueBinding.h"

class QAbstractButton;

namespace velorin {

class AppModel;
class LiquidSlider;
class SensitivityPreview;
class NumericText;

class SensitivityTab : public QWidget {
    Q_OBJECT
public:
    explicit SensitivityTab(AppModel& model, QWidget* parent = nullptr);
    ~SensitivityTab() override;

    // A row's field through the model: reading reads the live configuration;
    // writing sets a changed copy back. The 32-bit distances are widened.
    static ValueBinding<double> binding(AppModel& model, const SensitivityRow& row);

    std::optional<SensitivityFocus> focus() const { return focus_; }
    SensitivityPreview* preview() const { return preview_; }
    LiquidSlider* slider(std::size_t row) const { return rows_[row].slider; }
    NumericText* valueText(std::size_t row) const { return rows_[row].value; }
    QAbstractButton* resetButton() const { return reset_; }

private:
    struct Row {
        ValueBinding<double> binding;
        LiquidSlider* slider = nullptr;
        NumericText* value = nullptr;
    };

    QWidget* makeRow(std::size_t index, QWidget* parent);
    void changed(std::size_t index, double value);
    // `roll`: the spring the text rolls to its new value with; none shows it at once.
    void showValue(std::size_t index, double stored, std::optional<Spring> roll = std::nullopt);
    void resetToDefaults();
    void scheduleRefresh();
    void refresh();

    AppModel& model_;
    std::optional<SensitivityFocus> focus_;
    std::array<Row, 5> rows_;
    SensitivityPreview* preview_ = nullptr;
    QAbstractButton* reset_ = nullptr;
    QueuedRefresh refreshLater_{this, [this] { refresh(); }};
    Observations observations_;
};

}  // namespace velorin
