#pragma once
// One Qt application for the tests that need one (fonts, widgets, painting
// on the offscreen platform). Made on first use and kept for the whole run.

class QApplication;

namespace velorin::test {

QApplication& qtApp();

}  // namespace velorin::test
