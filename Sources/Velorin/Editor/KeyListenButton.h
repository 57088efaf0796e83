#pragma once
// The button that records a key combination: "Record Keys" until pressed,
// then a pulsing dot and "Press the keys… (Esc cancels)" until one key goes
// down (recorded, or cancelled by a plain Escape), it is pressed again, or it
// leaves the screen.

#include "Velorin/Design/PillButton.h"

#include "Actions/KeyCombo.h"

namespace velorin {

class KeyRecorder;
class PulseDot;

class KeyListenButton : public PillButton {
    Q_OBJECT
public:
    static inline const QString recordText = QStringLiteral("Record Keys");
    static inline const QString listeningText = QStringLiteral("Press the keys\u2026 (Esc cancels)");
    static constexpr Spring widthSpring{0.4, 0.65, 0};

    explicit KeyListenButton(QWidget* parent = nullptr);
    ~KeyListenButton() override;

    bool isListening() const;
    void start();
    void stop();
    const PulseDot* dot() const { return dot_; }

signals:
    void recorded(const velorin::KeyCombo& combo);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void showState();
    void placeDot();

    KeyRecorder* recorder_ = nullptr;
    PulseDot* dot_ = nullptr;
};

}  // namespace velorin
