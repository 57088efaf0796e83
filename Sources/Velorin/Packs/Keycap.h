#pragma once
// A key combination drawn as a small keycap: rounded text on a faint plate.

#include <QWidget>

#include "Velorin/Design/Display.h"

namespace velorin {

class Keycap : public QWidget {
    Q_OBJECT
public:
    explicit Keycap(QWidget* parent = nullptr);

    QString text() const { return text_; }
    void setText(const QString& text);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
    DisplayObserver display_;
};

}  // namespace velorin
