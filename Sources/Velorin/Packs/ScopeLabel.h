#pragma once
// The small label that tells where a pack or a shortcut works: an
// "Everywhere" chip for every app, else the apps' badges (installed apps
// first) and their names, a count, or how many more there are, on a faint
// capsule. Its tooltip names every app.

#include <QWidget>

#include <string>
#include <vector>

#include "Velorin/Design/AppLookup.h"
#include "Velorin/Design/Display.h"
#include "Velorin/Packs/AppDirectory.h"

class QHBoxLayout;

namespace velorin {

class AppBadge;
class Chip;
class ThemedLabel;

class ScopeLabel : public QWidget {
    Q_OBJECT
public:
    static constexpr double badgePoints = 20;
    static constexpr int badgeOverlap = 3;  // points each badge slides under the one before

    // `apps` empty means every app; at most `maxIcons` badges show.
    ScopeLabel(std::vector<std::string> apps, int maxIcons, QWidget* parent = nullptr);
    // With the directory and the icon lookup a test or a preview hands in.
    ScopeLabel(std::vector<std::string> apps, int maxIcons, AppDirectory directory, AppLookup lookup,
               QWidget* parent = nullptr);

    const std::vector<std::string>& apps() const { return apps_; }
    // Updates in place; nothing happens when the list is the same.
    void setApps(std::vector<std::string> apps);

    bool isEverywhere() const { return apps_.empty(); }
    // The apps whose badges show, in order.
    std::vector<std::string> shownApps() const;
    // The text after the badges (empty for "Everywhere").
    QString text() const;

    // Parts by object name: "scopeLabel.everywhere" (the chip),
    // "scopeLabel.badge" (one per app shown), "scopeLabel.text".

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void rebuild();

    std::vector<std::string> apps_;
    int maxIcons_;
    AppDirectory directory_;
    AppLookup lookup_;
    QHBoxLayout* row_ = nullptr;
    QHBoxLayout* badges_ = nullptr;
    Chip* everywhere_ = nullptr;
    ThemedLabel* text_ = nullptr;
    std::vector<AppBadge*> badgeViews_;
    DisplayObserver display_;
};

}  // namespace velorin
