#include "tests/support/test_desktop.h"

#include <QFile>

namespace ledglyph::test {

TestDesktop::TestDesktop(QTime timeOfDay) : TestDesktop(QString(), timeOfDay)
{
    for (const QString name : {"hzk16", "ASC16"}) {
        if (!QFile::copy(QStringLiteral(LEDGLYPH_APPDIR "/") + name, dir.filePath(name)))
            qFatal("cannot copy the font library %s into the test folder", qPrintable(name));
    }
}

TestDesktop::TestDesktop(const QString &appDir, QTime timeOfDay)
    : clock(testTime(timeOfDay)),
      services{host, host, host, clock, appDir.isEmpty() ? dir.path() : appDir, [this] { ++quitCalls; }, {}, [this] {
                   auto made = std::make_unique<FakeSerialLink>();
                   link = made.get();
                   return std::unique_ptr<SerialLink>(std::move(made));
               }, &ports}
{
    ports.ports = {{.device = QStringLiteral("/dev/ttyUSB0"), .description = QStringLiteral("USB-SERIAL CH340"),
                    .vendorId = 0x1A86, .productId = 0x7523}};
}

} // namespace ledglyph::test
