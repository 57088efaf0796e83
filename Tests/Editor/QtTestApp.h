#pragma once
// The one QApplication of a test process, made on first use and kept to the
// end (widget tests run under the offscreen platform that velorin_test sets).

class QApplication;

namespace velorin::testing {

QApplication& qtApp();

}  // namespace velorin::testing
