// Ctrl+Z pressed in a window under test, which the tests of undo through the
// window on every system and on POSIX share.
#pragma once

#include "support/window_harness.h"

#include <QApplication>

namespace testing_support {

inline void pressCtrlZ(WindowHarness &harness)
{
    harness.window().show();
    QApplication::setActiveWindow(&harness.window());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&harness.window()));
    QTest::keyClick(&harness.window(), Qt::Key_Z, Qt::ControlModifier);
}

} // namespace testing_support
