#pragma once
// A small badge standing for an app: its icon, slightly larger than the
// badge so that the artwork fills it, or, without an icon, the first letter
// of its name on a plain disc. The icon and name come through the lookup its
// owner hands it.

#include "Velorin/Design/AppLookup.h"
#include "Velorin/Design/Display.h"

#include <QPixmap>
#include <QWidget>

#include <optional>
#include <string>

namespace velorin {

class AppBadge final : public QWidget {
    Q_OBJECT

public:
    static constexpr double iconShare = 1.15;   // of the edge, the icon's square
    static constexpr double letterShare = 0.5;  // of the edge, the letter's size
    static constexpr double discInset = 2;      // points: the disc is the edge less this
    static constexpr double rimWidth = 0.5;     // points

    explicit AppBadge(AppLookup lookup, QWidget* parent = nullptr);
    AppBadge(AppLookup lookup, std::string bundleID, double size, QWidget* parent = nullptr);

    const std::string& bundleID() const { return bundleID_; }
    // Asks the lookup for the app's icon and name.
    void setBundleID(const std::string& bundleID);
    double edge() const { return size_; }
    void setEdge(double size);

    bool hasIcon() const { return icon_.has_value(); }
    // The letter shown without an icon: the name's first character, as it is
    // written (empty for an empty name, and when an icon shows).
    const QString& letter() const { return letter_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void look();

    AppLookup lookup_;
    std::string bundleID_;
    double size_ = 20;
    std::optional<QImage> icon_;
    QString letter_;
    mutable QPixmap scaled_;  // the icon at its drawn size and pixel density
    DisplayObserver display_;
};

// The first character of `text` as a reader sees it (one grapheme: a letter
// with its accents, a whole emoji), unchanged in case; empty for empty text.
QString firstCharacter(const QString& text);

}  // namespace velorin
