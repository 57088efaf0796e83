#pragma once
// A labelled toggle in the liquid style: its label, then a rainbow
// `LiquidSwitch`, in a row with the system's default spacing. Only the
// switch toggles; the label names it for assistive technology.

#include "Velorin/Design/LiquidSwitch.h"

#include <QWidget>

class QLabel;

namespace velorin {

class LiquidToggle : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool on READ isOn)

public:
    explicit LiquidToggle(const QString& label = QString(), bool on = false, QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& text);
    bool isOn() const { return switch_->isOn(); }
    void setOn(bool on) { switch_->setOn(on); }

    QLabel* label() const { return label_; }
    LiquidSwitch* liquidSwitch() const { return switch_; }

signals:
    // Every change of the value, the user's or a program's.
    void toggled(bool on);
    // The user's own toggle.
    void clicked(bool on);

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void restyle();

    QLabel* label_;
    LiquidSwitch* switch_;
    DisplayObserver display_;
};

}  // namespace velorin
