#pragma once
// The About tab: the app's icon, name, version, headline and two links; how
// to start, in three steps; the gestures that work in every app right now,
// with where each comes from (recomputed from the live configuration after
// every change, its rows kept by gesture and updated in place); and a short
// privacy note. It only reads.

#include <QWidget>

#include <unordered_map>

#include "Config/AppConfig.h"
#include "Recognizer/Gesture.h"
#include "Velorin/Settings/AboutRules.h"
#include "Velorin/Observations.h"
#include "Velorin/QueuedRefresh.h"

class QAbstractButton;

namespace velorin {

class AppModel;
class Chip;
class CheatSheetGrid;
class ThemedText;

class AboutTab : public QWidget {
    Q_OBJECT
public:
    explicit AboutTab(AppModel& model, QWidget* parent = nullptr);
    ~AboutTab() override;

    Chip* versionChip() const { return version_; }
    CheatSheetGrid* cheatSheet() const { return grid_; }
    ThemedText* emptyText() const { return empty_; }

private:
    void scheduleRefresh();
    void refresh();

    AppModel& model_;
    Chip* version_ = nullptr;
    CheatSheetGrid* grid_ = nullptr;
    ThemedText* empty_ = nullptr;
    QueuedRefresh refreshLater_{this, [this] { refresh(); }};
    Observations observations_;
};

// The cheat sheet's rows in adaptive columns (each at least 330 points wide,
// as many as fit, 18 points apart; rows 8 points apart).
class CheatSheetGrid : public QWidget {
    Q_OBJECT
public:
    explicit CheatSheetGrid(QWidget* parent = nullptr);

    // The rows in order; rows of gestures already shown are updated in place.
    void setRows(const std::vector<CheatSheetEntry>& entries, const AppConfig& config);
    // The row widgets in their order.
    std::vector<QWidget*> rowWidgets() const;
    int columns() const { return columnsFor(width()); }

    static constexpr int minColumnWidth = 330;
    static constexpr int columnSpacing = 18;
    static constexpr int rowSpacing = 8;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    static int columnsFor(int width);
    void layoutRows();

    std::vector<Gesture> order_;
    std::unordered_map<Gesture, QWidget*> rows_;
};

}  // namespace velorin
