#include "Velorin/Editor/KeyListenButton.h"

#include <QFontMetricsF>

#include <cmath>

#include "Velorin/Design/PulseDot.h"
#include "Velorin/Design/Theme.h"
#include "Velorin/Editor/KeyRecorder.h"

namespace velorin {
namespace {

// Room before the text for the pulsing dot and its gap: two en spaces.
const QString dotRoom = QStringLiteral("\u2002\u2002");

}  // namespace

KeyListenButton::KeyListenButton(QWidget* parent) : PillButton(recordText, true, parent) {
    setObjectName("composer.recordKeys");
    recorder_ = new KeyRecorder(this);
    dot_ = new PulseDot(Theme::inkMuted, this);
    dot_->hide();
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (isListening()) {
            stop();
        } else {
            start();
        }
    });
    connect(recorder_, &KeyRecorder::recorded, this, &KeyListenButton::recorded);
    connect(recorder_, &KeyRecorder::ended, this, [this] { showState(); });
}

KeyListenButton::~KeyListenButton() { recorder_->stop(); }

bool KeyListenButton::isListening() const { return recorder_->isListening(); }

void KeyListenButton::start() {
    recorder_->start();
    showState();
}

void KeyListenButton::stop() {
    recorder_->stop();
    showState();
}

void KeyListenButton::showState() {
    const bool listening = isListening();
    setPrimary(!listening);
    // The pill's width follows its text on the spring the caps beside it swap on.
    setTextGliding(listening ? dotRoom + listeningText : recordText, widthSpring);
    dot_->setVisible(listening);
    placeDot();
    updateGeometry();
}

void KeyListenButton::placeDot() {
    const QFontMetricsF metrics(font());
    const QRectF pill = pillRect();
    const double x = pill.center().x() - metrics.horizontalAdvance(text()) / 2;
    const QSize side = dot_->sizeHint();
    dot_->setGeometry(int(std::round(x)), int(std::round(pill.center().y() - side.height() / 2.0)), side.width(),
                      side.height());
}

void KeyListenButton::resizeEvent(QResizeEvent* event) {
    PillButton::resizeEvent(event);
    placeDot();
}

void KeyListenButton::hideEvent(QHideEvent* event) {
    // Off screen (another kind, the editor closed): no longer listening.
    stop();
    PillButton::hideEvent(event);
}

}  // namespace velorin
