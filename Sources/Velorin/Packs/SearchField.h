#pragma once
// The packs tab's search field: a magnifying glass, the text, a clear button
// while there is text, on capsule glass with a rainbow that travels one field
// width every 4 seconds (a band along the bottom, and a faint wash over the
// whole field while there is text), and a splash of pixels just after the
// last character each time the text grows.

#include <QWidget>

#include <memory>

#include "Velorin/Design/Display.h"
#include "Velorin/Design/FrameClock.h"

class QAbstractButton;
class QLineEdit;

namespace velorin {

class PixelSplash;
class SymbolView;

class SearchField : public QWidget {
    Q_OBJECT
public:
    static constexpr double fontPoints = 13;
    static constexpr double bandHeight = 3;
    static constexpr double washOpacity = 0.12;
    static constexpr double washSeconds = 0.4;
    static constexpr double travelSeconds = 4;
    static constexpr double framesPerSecond = 30;
    static constexpr double splashReach = 600;  // points of text the splash follows at most
    static constexpr double splashOffset = 31;  // points from the field's leading edge to the text

    explicit SearchField(QWidget* parent = nullptr);
    ~SearchField() override;

    QString text() const;
    void setText(const QString& text);
    QLineEdit* lineEdit() const { return edit_; }
    QAbstractButton* clearButton() const;
    // How often the text grew; each growth fires the splash.
    int typed() const { return typed_; }
    // Where the splash anchor stands, from the field's leading edge.
    double splashX() const;
    // The wash's opacity now (0 empty … 0.12 with text).
    double washNow() const;
    // The rainbow's phase (0…1) at `seconds` since the reference date.
    static double phase(double seconds);

    QSize sizeHint() const override;

signals:
    void textChanged(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void edited(const QString& text);
    void placeSplash();
    void frame(double now);
    void startFrames();
    void stopFrames();

    QLineEdit* edit_ = nullptr;
    SymbolView* glass_ = nullptr;
    QAbstractButton* clear_ = nullptr;
    QWidget* splashAnchor_ = nullptr;
    std::unique_ptr<PixelSplash> splash_;
    QString last_;
    int typed_ = 0;
    double washFrom_ = 0;
    double washStart_ = -1;
    FrameClock* clock_ = nullptr;
    FrameClock::Token token_ = 0;
    double lastFrame_ = -1;
    DisplayObserver display_;
};

}  // namespace velorin
