#pragma once
// A segmented control in the interface's own look: the choices side by side
// on a faint capsule track, the chosen one raised on a warm-white capsule.
// Each segment is a checkable button (exclusive), so it is clicked, checked
// and found by object name like any button.

#include <QAbstractButton>
#include <QWidget>

#include <vector>

class QButtonGroup;
class QHBoxLayout;

namespace velorin {

class SegmentedChoice : public QWidget {
    Q_OBJECT
public:
    static constexpr double fontPoints = 13;
    static constexpr double inset = 2;               // points between the track and a segment
    static constexpr double horizontalPadding = 12;  // points, each side of a segment's text
    static constexpr double trackHeight = 26;            // points

    explicit SegmentedChoice(QWidget* parent = nullptr);

    // Appends a segment; `name` is its object name.
    QAbstractButton* addSegment(const QString& text, const char* name);
    const std::vector<QAbstractButton*>& segments() const { return segments_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    class Segment;

    QHBoxLayout* row_ = nullptr;
    QButtonGroup* group_ = nullptr;
    std::vector<QAbstractButton*> segments_;
};

}  // namespace velorin
