#pragma once
// Sheets and popovers of the settings window are overlays inside it, never
// separate modal windows: a `SheetHost` covers the view it is made for, dims
// it, and shows the sheets presented on it, the last one on top and centred.
// A sheet over another sheet dims the one beneath as the window is dimmed, and
// nothing of a lower sheet (its glows and shadows included) shows through one
// above it.
// While any sheet is shown the host tells its view (`presentingChanged`), which
// disables what lies beneath (the tab bar, its Ctrl+1…6, the tab), so nothing
// can destroy a sheet's owner mid-edit. Escape or a click on the dimmer asks
// the top sheet's presenter to dismiss it; a sheet never closes itself.
//
// A view deep inside the window finds the host with `SheetHost::of(this)`.

#include <QPointer>
#include <QWidget>

#include <functional>
#include <vector>

namespace velorin {

class SheetHost : public QWidget {
    Q_OBJECT
public:
    // Covers `covered` (made its child, kept above its other children).
    explicit SheetHost(QWidget* covered);
    ~SheetHost() override;

    // The host of the nearest of `widget` and its ancestors that has one.
    static SheetHost* of(const QWidget* widget);

    // Shows `sheet` on top, taking it as a child. `dismissRequested` is called
    // for Escape and clicks on the dimmer; the presenter decides and calls
    // `dismiss`. Presenting a sheet that is already shown brings it to the top.
    void present(QWidget* sheet, std::function<void()> dismissRequested = {});
    // A popover: like a sheet, but placed just below `anchor` (a widget of the
    // covered window), centred on it and kept inside the window's margins.
    void presentPopover(QWidget* popover, QWidget* anchor, std::function<void()> dismissRequested = {});
    // Takes the sheet off and deletes it later; a sheet not shown is ignored.
    void dismiss(QWidget* sheet);

    bool isPresenting() const { return !sheets_.empty(); }
    QWidget* topSheet() const;

    static constexpr int margin = 24;  // between a sheet and the window's edges

signals:
    void presentingChanged(bool presenting);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct Entry {
        QPointer<QWidget> sheet;
        std::function<void()> dismissRequested;
        QPointer<QWidget> anchor;  // popovers only
    };
    void layoutSheets();
    void prune();
    void requestDismissTop();
    // A sheet deleted without being dismissed: the host lets go of it.
    void sheetDestroyed(QObject* sheet);
    // Puts the second dimmer under the topmost sheet that lies over another
    // one (popovers leave what they point at undimmed), or hides it.
    void placeDimmer();
    static void paintDim(QWidget& on);

    class Dimmer;
    std::vector<Entry> sheets_;
    Dimmer* dimmer_ = nullptr;
};

}  // namespace velorin
