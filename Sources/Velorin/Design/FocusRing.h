#pragma once
// Focus rings are for keyboard focus only. A control keeps one `FocusRing`,
// which follows its focus events, and draws its ring while `shows` answers
// true: focus moved by the keyboard (Tab, Shift-Tab, a shortcut) shows the
// ring; focus given by a click, by code or by the window opening shows none.
// Focus that only leaves with its window (another window or a popup taking
// over) comes back as it was.

#include <QObject>

class QWidget;

namespace velorin {

class FocusRing final : public QObject {
public:
    explicit FocusRing(QWidget* control);

    static bool movedByKeyboard(Qt::FocusReason reason);

    // Whether the control draws its ring now.
    bool shows() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* control_;
    bool byKeyboard_ = false;
};

}  // namespace velorin
