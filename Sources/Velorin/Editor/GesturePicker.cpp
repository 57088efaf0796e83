#include "Velorin/Editor/GesturePicker.h"

#include <QComboBox>
#include <QHBoxLayout>

#include "Velorin/Editor/GestureChoices.h"
#include "Velorin/Editor/PopUpMenu.h"

namespace velorin {
namespace {

QComboBox* menu(QWidget* parent, const char* name, int width) {
    auto* box = new PopUpMenu(parent);
    box->setObjectName(name);
    box->setFixedWidth(width);
    return box;
}

// Selects the item whose data is `value`; a value no item has (a gesture
// recorded with more fingers than the menu lists) shows as the label's
// placeholder with no item selected.
void select(QComboBox* box, int value, const std::string& text) {
    const int index = box->findData(value);
    box->setPlaceholderText(index < 0 ? QString::fromStdString(text) : QString());
    box->setCurrentIndex(index);
}

}  // namespace

GesturePicker::GesturePicker(QWidget* parent) : QWidget(parent) {
    setObjectName("gesturePicker");
    row_ = new QHBoxLayout(this);
    row_->setContentsMargins(0, 0, 0, 0);

    kind_ = menu(this, "gesturePicker.kind", GestureChoices::kindMenuWidth);
    for (auto k : GestureChoices::allKinds) {
        kind_->addItem(QString::fromUtf8(GestureChoices::text(k).data(), qsizetype(GestureChoices::text(k).size())),
                       int(k));
    }
    fingers_ = menu(this, "gesturePicker.fingers", GestureChoices::fingerMenuWidth);
    for (int n = 1; n <= GestureChoices::maxFingers; ++n) {
        fingers_->addItem(QString::fromStdString(GestureChoices::fingerText(n)), n);
    }
    count_ = menu(this, "gesturePicker.count", GestureChoices::countMenuWidth);
    for (int n = 1; n <= GestureChoices::maxCount; ++n) {
        count_->addItem(QString::fromStdString(GestureChoices::countText(n)), n);
    }
    corner_ = menu(this, "gesturePicker.corner", GestureChoices::cornerMenuWidth);
    for (auto c : Gesture::allCorners) corner_->addItem(QString::fromStdString(GestureChoices::cornerText(c)), int(c));

    row_->addWidget(kind_, 0, Qt::AlignVCenter);
    row_->addWidget(fingers_, 0, Qt::AlignVCenter);
    row_->addWidget(count_, 0, Qt::AlignVCenter);
    row_->addWidget(corner_, 0, Qt::AlignVCenter);
    row_->addStretch(1);

    // `activated` is the user's pick only, also of the item already selected.
    connect(kind_, &QComboBox::activated, this, [this](int index) {
        pick(GestureChoices::pickingKind(gesture_, GestureChoices::Kind(kind_->itemData(index).toInt())));
    });
    connect(fingers_, &QComboBox::activated, this, [this](int index) {
        pick(GestureChoices::pickingFingers(gesture_, fingers_->itemData(index).toInt()));
    });
    connect(count_, &QComboBox::activated, this, [this](int index) {
        pick(GestureChoices::pickingCount(gesture_, count_->itemData(index).toInt()));
    });
    connect(corner_, &QComboBox::activated, this, [this](int index) {
        pick(GestureChoices::pickingCorner(gesture_, Gesture::Corner(corner_->itemData(index).toInt())));
    });
    showGesture();
}

GesturePicker::~GesturePicker() = default;

void GesturePicker::setGesture(const Gesture& gesture) {
    if (gesture == gesture_) return;
    gesture_ = gesture;
    showGesture();
}

void GesturePicker::pick(const Gesture& gesture) {
    // Re-picking what is shown writes nothing.
    if (gesture == gesture_) return;
    setGesture(gesture);
    emit gesturePicked(gesture_);
}

void GesturePicker::showGesture() {
    const auto kind = GestureChoices::kind(gesture_);
    kind_->setCurrentIndex(kind_->findData(int(kind)));
    bool showsFingers = false, showsCount = false, showsCorner = false;
    for (const auto& slot : GestureChoices::detailMenus(kind)) {
        switch (slot.menu) {
            case GestureChoices::Menu::fingers: showsFingers = true; break;
            case GestureChoices::Menu::count: showsCount = true; break;
            case GestureChoices::Menu::corner: showsCorner = true; break;
            case GestureChoices::Menu::kind: break;
        }
    }
    if (auto n = GestureChoices::fingers(gesture_)) select(fingers_, *n, GestureChoices::fingerText(*n));
    if (auto n = GestureChoices::count(gesture_)) select(count_, *n, GestureChoices::countText(*n));
    if (auto c = GestureChoices::corner(gesture_)) select(corner_, int(*c), GestureChoices::cornerText(*c));
    fingers_->setVisible(showsFingers);
    count_->setVisible(showsCount);
    corner_->setVisible(showsCorner);
}

}  // namespace velorin
