#pragma once
// The heading of a settings tab: a large rounded title and under it a
// subtitle that wraps onto as many lines as it needs, both legible on the
// water through soft halos of the window-floor colour.

#include "Velorin/Design/Display.h"

#include <QWidget>

namespace velorin {

class TabHeader : public QWidget {
    Q_OBJECT

public:
    static constexpr double titlePoints = 26;
    static constexpr double subtitlePoints = 13;
    static constexpr double spacing = 4;               // points between title and subtitle
    static constexpr double subtitleOpacity = 0.78;

    explicit TabHeader(QWidget* parent = nullptr);
    TabHeader(const QString& title, const QString& subtitle, QWidget* parent = nullptr);

    QString title() const { return title_; }
    void setTitle(const QString& title);
    QString subtitle() const { return subtitle_; }
    void setSubtitle(const QString& subtitle);

    QFont titleFont() const;
    QFont subtitleFont() const;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRectF subtitleRect(double width) const;

    QString title_;
    QString subtitle_;
    DisplayObserver display_;
};

}  // namespace velorin
