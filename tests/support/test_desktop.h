#pragma once

// The host as a window under test sees it: the scripted host, the clock
// standing still at the test time, a program folder, a fake serial link made
// anew for each download window, and one USB adapter plugged in.

#include "platform/clock.h"
#include "platform/gui/desktop_services.h"
#include "tests/support/fake_serial_link.h"
#include "tests/support/scripted_host.h"
#include "tests/support/test_time.h"

#include <QTemporaryDir>

namespace ledglyph::test {

struct TestDesktop {
    // A program folder of its own (dir) with copies of the built font libraries.
    explicit TestDesktop(QTime timeOfDay = testTime().time());
    // `appDir` as the program folder, as it is.
    TestDesktop(const QString &appDir, QTime timeOfDay);

    QTemporaryDir dir;
    ScriptedHost host;
    FixedClock clock;
    FakeSerialLink *link = nullptr; // the last link made, owned by the window that asked for it
    FakeCom1Ports ports;            // at first: a CH340 adapter at /dev/ttyUSB0
    int quitCalls = 0;
    DesktopServices services;
};

} // namespace ledglyph::test
