#pragma once
// The frame of a settings tab: a vertical scroll view that never shows its
// scroll bars, over the water (nothing of its own is painted), holding a
// column aligned to the leading edge with 14 points between its parts and 8
// points below the last.

#include <QScrollArea>

class QVBoxLayout;

namespace velorin {

class TabPage : public QScrollArea {
    Q_OBJECT
public:
    explicit TabPage(QWidget* parent = nullptr);

    QVBoxLayout* column() const { return column_; }
    // Adds a part; it takes the column's full width.
    void add(QWidget* part);
    void add(QLayout* part);
    // Ends the column: what follows is empty space.
    void finish();

    static constexpr int spacing = 14;
    static constexpr int bottomPadding = 8;

private:
    QVBoxLayout* column_ = nullptr;
};

}  // namespace velorin
