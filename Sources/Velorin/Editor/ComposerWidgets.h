#pragma once
// The action composer's building blocks: the grid that fits as many columns
// as it can, the option tile with its icons (a symbol, or the miniature
// window diagram), the grid of such tiles, and the pills that choose the kind
// of action. Tiles and pills come in one after another when they are first
// shown; their state changes are instant, only the drawing moves.

#include <QAbstractButton>
#include <QLayout>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

#include "Actions/Commands.h"
#include "Velorin/Design/Animated.h"
#include "Velorin/Design/SymbolBounce.h"

#include <QGraphicsEffect>
#include <QPixmap>

#include <algorithm>
#include "Velorin/Design/Color.h"
#include "Velorin/Design/Display.h"
#include "Velorin/Editor/ComposerRules.h"

class QLineEdit;
class QPainter;

namespace velorin::composer {

// Cells in as many columns as fit at `minimum` points each (at most
// `maximum`, 0 for no limit), `spacing` apart both ways, the rows centred.
class AdaptiveGridLayout : public QLayout {
public:
    AdaptiveGridLayout(double minimum, double maximum, int spacing, QWidget* parent = nullptr);
    ~AdaptiveGridLayout() override;

    void addItem(QLayoutItem* item) override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    int count() const override { return static_cast<int>(items_.size()); }
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    void setGeometry(const QRect& rect) override;
    Qt::Orientations expandingDirections() const override { return Qt::Horizontal; }

    // Columns and column width for a width.
    int columns(int width) const;

private:
    int arrange(const QRect& rect, bool apply) const;

    double minimum_;
    double maximum_;
    int gap_;
    std::vector<QLayoutItem*> items_;
};

// Draws a tile's icon in `rect`.
using IconPainter = std::function<void(QPainter& painter, const QRectF& rect, const ColorEnvironment& environment)>;

// A symbol at 18 points in a 44 × 34 frame, ink when on, muted otherwise.
void paintOptionIcon(QPainter& painter, const QRectF& rect, std::string_view symbol, bool on,
                     const ColorEnvironment& environment);
inline constexpr QSizeF optionIconSize{44, 34};
// A miniature screen with the command's target, 56 × 38 in the window grid.
void paintWindowDiagram(QPainter& painter, const QRectF& rect, WindowCommand command, bool on,
                        const ColorEnvironment& environment);
inline constexpr QSizeF windowDiagramSize{56, 38};

// Brings a widget in after a delay: `shown()` goes from 0 to 1 along a
// spring, once, the first time the widget is shown.
class Appearing {
public:
    Appearing(QWidget* widget, Spring spring);
    void shown(double delaySeconds);
    double progress() const { return progress_.value(); }
    bool started() const { return started_; }

private:
    QWidget* widget_;
    Spring spring_;
    bool started_ = false;
    AnimatedValue<double> progress_;
};

// Replaces a card: the card as it stood fades out in place while the card
// with its new content fades in, rising from `rise` points below its place,
// both along `spring`. Drawn as an effect on the card so the card's children
// move with it; Reduce Motion and instant motion show the new card in place
// at once.
class Entrance : public QGraphicsEffect {
    Q_OBJECT
public:
    Entrance(Spring spring, double rise, QWidget* card);
    // Call before the card's content changes: it keeps a picture of the
    // card as it stands to fade out.
    void play();
    // 0 when the card has just come, 1 once it is in place.
    double progress() const { return progress_.value(); }
    double opacity() const { return std::clamp(progress(), 0.0, 1.0); }
    double offset() const { return (1 - progress()) * rise_; }
    // The old card on its way out: its opacity (0 once gone) and how far
    // below its place it stood when it was replaced.
    double leavingOpacity() const;
    double leavingOffset() const { return leavingOffset_; }
    bool hasLeaving() const { return !leaving_.isNull(); }

protected:
    void draw(QPainter* painter) override;
    QRectF boundingRectFor(const QRectF& rect) const override;

private:
    void moved();

    QWidget* card_;
    Spring spring_;
    double rise_;
    AnimatedValue<double> progress_;
    QPixmap leaving_;
    double leavingFrom_ = 1;  // its opacity when it was replaced
    double leavingOffset_ = 0;
};

// One option: an icon over a title of up to two lines, on a rounded tile
// that is raised and checked while it is the current option.
class OptionTile : public QAbstractButton {
    Q_OBJECT
public:
    OptionTile(QString title, QSizeF iconSize, IconPainter icon, int index, QWidget* parent = nullptr);
    ~OptionTile() override;

    bool isOn() const { return on_; }
    void setOn(bool on);
    QString title() const { return text(); }
    void setTitle(const QString& title);
    void setIcon(IconPainter icon);
    bool isHovering() const { return hovering_; }
    // Whether the icon bounces each time the tile turns on or off (the
    // option symbols do; the window diagrams do not).
    void setBounces(bool bounces) { bounces_ = bounces; }
    // The icon's scale now: 1 at rest, less while it bounces.
    double iconScale() const { return bounce_.scale(); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool hitButton(const QPoint&) const override { return true; }

private:
    QSizeF iconSize_;
    IconPainter icon_;
    int index_;
    bool on_ = false;
    bool hovering_ = false;
    bool bounces_ = false;
    AnimatedValue<double> onAmount_;
    AnimatedValue<double> hoverAmount_;
    SymbolBounce bounce_;
    Appearing appearing_;
    DisplayObserver display_;
};

// A grid of option tiles, one per item, kept by the item's key: items that
// stay keep their tile (updated in place), new ones get a tile.
class TileGrid : public QWidget {
    Q_OBJECT
public:
    struct Item {
        std::string key;
        QString title;
        QSizeF iconSize;
        IconPainter icon;
        bool on = false;
        bool bounces = false;  // an option symbol, which bounces when it turns on or off
    };

    explicit TileGrid(QWidget* parent = nullptr);
    ~TileGrid() override;

    void setItems(std::vector<Item> items);
    std::vector<OptionTile*> tiles() const;

    static constexpr double minimumColumn = 104;
    static constexpr int spacing = 10;

signals:
    void tapped(const std::string& key);

private:
    AdaptiveGridLayout* layout_ = nullptr;
    std::vector<std::pair<std::string, OptionTile*>> tiles_;
};

// The eight pills of the kinds, in two rows of four; the current one stands
// on a capsule that slides from pill to pill.
class KindPills : public QWidget {
    Q_OBJECT
public:
    explicit KindPills(QWidget* parent = nullptr);
    ~KindPills() override;

    void setCurrent(ComposerKind kind);
    ComposerKind current() const { return current_; }
    QAbstractButton* pill(ComposerKind kind) const;
    // Where the capsule stands now, in this widget.
    QRectF capsule() const { return capsule_.value(); }

signals:
    void tapped(velorin::ComposerKind kind);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    class Pill;
    QRectF targetCapsule() const;

    ComposerKind current_ = ComposerKind::app;
    std::vector<Pill*> pills_;
    AnimatedValue<QRectF> capsule_;
    bool placed_ = false;
    DisplayObserver display_;
};

// A symbol in a fixed square, muted.
class SymbolIcon : public QWidget {
    Q_OBJECT
public:
    SymbolIcon(std::string_view symbol, double points, QWidget* parent = nullptr);
    void setSymbol(std::string_view symbol);
    std::string symbol() const { return symbol_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::string symbol_;
    double points_;
    DisplayObserver display_;
};

// A plain text field on glass: no frame, no fill, text and placeholder in
// the theme's ink, recoloured when the appearance changes.
class PlainField : public QWidget {
    Q_OBJECT
public:
    PlainField(const QString& placeholder, double points, QWidget* parent = nullptr);
    QLineEdit* edit() const { return edit_; }

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void recolor();

    QLineEdit* edit_ = nullptr;
    DisplayObserver display_;
};

// The header's icon: the kind's symbol on a faint rounded square.
class HeaderIcon : public QWidget {
    Q_OBJECT
public:
    explicit HeaderIcon(QWidget* parent = nullptr);
    void setSymbol(std::string_view symbol);
    std::string symbol() const { return symbol_; }
    QSize sizeHint() const override { return {36, 36}; }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::string symbol_;
    DisplayObserver display_;
};

}  // namespace velorin::composer
