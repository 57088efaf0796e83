#include "Velorin/Design/Animation.h"

#include <QEasingCurve>
#include <QPointF>

#include <algorithm>

namespace velorin {

namespace {
bool instantMotion = false;

const QEasingCurve& easeOutCurve() {
    static const QEasingCurve curve = [] {
        QEasingCurve c(QEasingCurve::BezierSpline);
        c.addCubicBezierSegment(QPointF(0, 0), QPointF(0.58, 1), QPointF(1, 1));
        return c;
    }();
    return curve;
}
}  // namespace

double EaseOut::progress(double fraction) {
    if (fraction <= 0) return 0;
    if (fraction >= 1) return 1;
    return easeOutCurve().valueForProgress(fraction);
}

bool Motion::instant() { return instantMotion; }
void Motion::setInstant(bool on) { instantMotion = on; }

}  // namespace velorin
