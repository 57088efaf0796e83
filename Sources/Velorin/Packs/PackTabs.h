#pragma once
// The strip of pack tabs above the grid: All, On, Mine and the categories, a
// count badge where a tab has one, and a rainbow pill under the selected tab
// that slides to the next one and splashes when the selection changes. It
// shows the selection its owner gives; a press on another tab asks for it.

#include <QAbstractButton>
#include <QScrollArea>

#include <memory>
#include <string>
#include <vector>

#include "Velorin/Design/Animated.h"
#include "Velorin/Design/Display.h"
#include "Velorin/Design/FocusRing.h"
#include "Velorin/Design/LiquidMotion.h"
#include "Velorin/Packs/PackBrowser.h"

namespace velorin {

class PixelSplash;

class PackTabButton : public QAbstractButton {
    Q_OBJECT
public:
    PackTabButton(PackTab tab, QWidget* parent = nullptr);
    const PackTab& tab() const { return tab_; }
    void setTab(PackTab tab);
    void setSelected(bool selected);
    bool isSelected() const { return selected_; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PackTab tab_;
    bool selected_ = false;
    DisplayObserver display_;
    FocusRing focusRing_{this};
};

class PackTabStrip : public QWidget {
    Q_OBJECT
public:
    explicit PackTabStrip(QWidget* parent = nullptr);
    ~PackTabStrip() override;

    void setTabs(const std::vector<PackTab>& tabs, const std::string& selected);
    const std::string& selected() const { return selected_; }
    std::vector<PackTabButton*> buttons() const { return buttons_; }
    PackTabButton* button(const std::string& id) const;
    QRectF pillRect() const { return pill_.value(); }
    int splashes() const { return splashes_; }

    QSize sizeHint() const override;

signals:
    void selectionRequested(const std::string& id);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void arrange(bool animated);

    std::vector<PackTabButton*> buttons_;
    std::string selected_;
    AnimatedValue<QRectF> pill_;
    QWidget* pillAnchor_ = nullptr;  // where the pill's splash flies from
    std::unique_ptr<PixelSplash> splash_;
    LiquidMotion liquid_;
    int splashes_ = 0;
    DisplayObserver display_;
};

class PackTabs : public QScrollArea {
    Q_OBJECT
public:
    explicit PackTabs(QWidget* parent = nullptr);
    PackTabStrip* strip() const { return strip_; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return QSize(0, sizeHint().height()); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    PackTabStrip* strip_;
};

}  // namespace velorin
