#pragma once
// The settings window's floating tab bar: one capsule of glass holding a
// button per tab, in the order of the tabs. The selected tab carries a
// rainbow blob that glides from tab to tab, bursts into pixels where it
// lands and is answered by one haptic tick. Ctrl+1 … Ctrl+6 select the tabs
// from anywhere in the window.
//
// The bar holds no selection of its own beyond what it shows: the window
// sets it with `setSelection` and follows `selectionChanged`.

#include "Velorin/Design/Animated.h"
#include "Velorin/Design/Display.h"
#include "Velorin/Design/OverlayShadow.h"
#include "Velorin/SettingsTab.h"

#include <QKeySequence>
#include <QWidget>

#include <array>
#include <span>
#include <string_view>

class QAbstractButton;
class QShortcut;

namespace velorin {

struct TabBarItem {
    SettingsTab tab;
    std::string_view title;
    std::string_view symbol;
};

class TabBar : public QWidget {
    Q_OBJECT

public:
    static constexpr double padding = 4;           // points around the buttons
    static constexpr double spacing = 2;           // points between buttons
    static constexpr double fontPoints = 12.5;
    static constexpr double symbolPoints = 15;     // the symbol beside the title
    static constexpr double labelSpacing = 6;      // points between symbol and title
    static constexpr double buttonHorizontalPadding = 13;
    static constexpr double buttonVerticalPadding = 8;
    static constexpr double blobLevel = 1.2;       // brim-full
    static constexpr double blobGrain = 0.2;

    // Every tab with its title and symbol, in the bar's order.
    static std::span<const TabBarItem> items();
    static const TabBarItem& item(SettingsTab tab);
    // 1 for the first tab … 6 for the last.
    static int number(SettingsTab tab);
    static QString title(SettingsTab tab);
    // The title, then " (⌘", the tab's number and ")".
    static QString toolTip(SettingsTab tab);
    // Ctrl and the tab's number.
    static QKeySequence keyEquivalent(SettingsTab tab);

    explicit TabBar(QWidget* parent = nullptr);
    ~TabBar() override;

    SettingsTab selection() const { return selection_; }
    // The window's own change (a model update): the blob moves there at once,
    // with no haptic and no splash.
    void setSelection(SettingsTab tab);
    // What a click or a key equivalent does: nothing for the selected tab;
    // otherwise one haptic, the blob glides with the wobble spring, and a
    // splash where it lands.
    void select(SettingsTab tab);

    int splashes() const { return splashes_; }
    QAbstractButton* button(SettingsTab tab) const;
    // The tab's symbol's scale now: 1 at rest, less while it bounces.
    double symbolScale(SettingsTab tab) const;
    // The blob's frame now, in the bar's coordinates.
    QRectF blobRect() const;
    bool isGliding() const { return blob_.isAnimating(); }

    // Sheets and popovers that block the window turn the key equivalents off.
    void setShortcutsEnabled(bool enabled);
    bool shortcutsEnabled() const { return shortcutsEnabled_; }

signals:
    void selectionChanged(SettingsTab tab);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    class Button;
    void apply(SettingsTab tab);
    QRectF buttonRect(SettingsTab tab) const;
    void paintBlob(QPainter& painter, const QRectF& blob, const ColorEnvironment& environment);

    SettingsTab selection_ = SettingsTab::packs;
    int splashes_ = 0;
    bool shortcutsEnabled_ = true;
    std::array<Button*, allSettingsTabs.size()> buttons_{};
    std::array<QShortcut*, allSettingsTabs.size()> shortcuts_{};
    AnimatedValue<QRectF> blob_;
    OverlayShadow shadow_;
    DisplayObserver display_;
};

}  // namespace velorin
