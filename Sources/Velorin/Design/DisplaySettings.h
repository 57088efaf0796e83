#pragma once
// The display settings the interface follows: light or dark appearance, the
// accent colour, Reduce Motion and Reduce Transparency. Qt 6.4 has no hint
// for any of them, so the appearance and the accent are read from the
// application palette (again whenever it changes) and the two accessibility
// switches are set by whoever knows them (off by default).

#include "Velorin/Design/Color.h"

#include <QColor>
#include <QObject>
#include <QPalette>

#include <optional>

class QWidget;

namespace velorin {

class DisplaySettings : public QObject {
    Q_OBJECT

public:
    explicit DisplaySettings(QObject* parent = nullptr);
    ~DisplaySettings() override;

    Appearance appearance() const { return appearance_; }
    QColor accent() const { return accent_; }
    bool reduceMotion() const { return reduceMotion_; }
    bool reduceTransparency() const { return reduceTransparency_; }
    ColorEnvironment colorEnvironment() const { return {appearance_, accent_}; }

    // Each setter notifies only when the value changes.
    void setAppearance(Appearance appearance);
    void setAccent(const QColor& accent);
    void setReduceMotion(bool on);
    void setReduceTransparency(bool on);

    // Takes the appearance and the accent from the application's palette now
    // and after every change of it.
    void followApplicationPalette();

    // The settings the process draws with: the installed ones, else a
    // default that follows the application palette.
    static DisplaySettings& current();
    // Installs `settings` (not owned) as the current ones; null goes back to the default.
    static void install(DisplaySettings* settings);

signals:
    void changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void readPalette(const QPalette& palette);

    Appearance appearance_ = Appearance::light;
    QColor accent_ = ColorEnvironment{}.accent;
    bool reduceMotion_ = false;
    bool reduceTransparency_ = false;
    bool following_ = false;
};

// A palette is dark when its window colour is darker than its window text.
bool isDarkPalette(const QPalette& palette);
// The accent colour a palette stands for: its active highlight.
QColor accentOf(const QPalette& palette);

// Forces `widget` and everything inside it into one appearance (nothing
// follows the current settings again).
void forceAppearance(QWidget* widget, std::optional<Appearance> appearance);
// The colour environment `widget` draws in: the nearest forced appearance of
// it or its parents, else the current settings' one, with the current accent.
ColorEnvironment colorEnvironmentFor(const QWidget* widget);

}  // namespace velorin
