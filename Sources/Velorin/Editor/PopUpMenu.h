#pragma once
// A pop-up menu drawn in the interface's own look: the chosen item's text and
// an up-and-down chevron on a raised, rounded face, and a list in the theme's
// colours, so it reads in the light and the dark appearance alike. It is a
// combo box in every other way (items, data, `activated`).

#include <QComboBox>

#include "Velorin/Design/FocusRing.h"

namespace velorin {

class PopUpMenu : public QComboBox {
    Q_OBJECT
public:
    static constexpr double fontPoints = 13;
    static constexpr double faceHeight = 24;       // points
    static constexpr double radius = 7;         // points
    static constexpr double textInset = 10;     // points, before the text
    static constexpr double chevronPoints = 14;
    static constexpr double chevronInset = 6;   // points, after the chevron

    explicit PopUpMenu(QWidget* parent = nullptr);

    // The text the face shows: the chosen item's, else the placeholder.
    QString shownText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    void showPopup() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    bool hovered_ = false;
    FocusRing focusRing_{this};
};

}  // namespace velorin
