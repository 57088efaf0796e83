#pragma once
// The heading of a group of the user's shortcuts: "Everywhere" under a globe
// for the shortcuts that work in every app, else the badges of the first five
// apps, overlapping, and "Only in " with the names of all of them; then the
// number of shortcuts in the group.

#include <QWidget>

#include <string>
#include <vector>

class QHBoxLayout;

namespace velorin {

class AppBadge;
class ThemedText;

class GroupHeading : public QWidget {
    Q_OBJECT
public:
    static constexpr double badgePoints = 18;
    static constexpr int badgeSpacing = -3;  // points: the badges overlap

    explicit GroupHeading(std::vector<std::string> apps, QWidget* parent = nullptr);

    const std::vector<std::string>& apps() const { return apps_; }
    int count() const { return count_; }
    void setCount(int count);
    QString text() const;
    int badges() const { return int(badges_.size()); }

    // Parts by object name: "group.globe", "group.badge", "group.text", "group.count".

private:
    std::vector<std::string> apps_;
    int count_ = -1;
    std::vector<AppBadge*> badges_;
    ThemedText* text_ = nullptr;
    ThemedText* count_label_ = nullptr;
};

}  // namespace velorin
