#pragma once
// The number of a step in a sheet's numbered sections: the decimal number,
// 11 points bold on the accent colour's disc of 20 × 20 points.

#include <QWidget>

namespace velorin {

class StepBadge final : public QWidget {
    Q_OBJECT
public:
    static constexpr int side = 20;  // points

    explicit StepBadge(int step, QWidget* parent = nullptr);
    int step() const { return step_; }

    QSize sizeHint() const override { return {side, side}; }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int step_;
};

}  // namespace velorin
