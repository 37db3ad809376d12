// The board simulator's reading of the download stream and its dot drawing.

#include "tools/board/glyph_dots.h"
#include "tools/board/transfer_receiver.h"

#include <QTest>

using namespace ledglyph::board;

class BoardReceiverTest : public QObject {
    Q_OBJECT

private slots:
    // Poll bytes before the header are counted, not kept; "s" bytes inside the
    // data stay data; only the last three bytes are the trailer.
    void transferInPieces()
    {
        TransferReceiver receiver;
        QCOMPARE(receiver.feed("sss"), 3);
        QCOMPARE(receiver.status(), TransferReceiver::Status::Waiting);
        QCOMPARE(receiver.feed("sy"), 1);
        QCOMPARE(receiver.status(), TransferReceiver::Status::Receiving);
        QCOMPARE(receiver.feed(QByteArray("\x01\x05" "ab", 4)), 0);
        QCOMPARE(receiver.feed("sss"), 0);
        QCOMPARE(receiver.feed(QByteArray("\x00sss", 4)), 0);

        const std::optional<Transfer> transfer = receiver.lineQuiet();
        QVERIFY(transfer);
        QCOMPARE(transfer->speedCode, 5);
        QCOMPARE(transfer->data, QByteArray("absss\x00", 6));
        QCOMPARE(receiver.status(), TransferReceiver::Status::Waiting);
    }

    void quietLineWithoutTransferChangesNothing()
    {
        TransferReceiver receiver;
        receiver.feed("ss");
        QVERIFY(!receiver.lineQuiet());
        QCOMPARE(receiver.status(), TransferReceiver::Status::Waiting);
    }

    void wrongStreams_data()
    {
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<QString>("complaint");
        QTest::newRow("header cut short") << QByteArray("y\x01", 2) << QStringLiteral("不完整");
        QTest::newRow("speed 0") << QByteArray("y\x01\x00sss", 6) << QStringLiteral("0x00");
        QTest::newRow("empty transfer without trailer") << QByteArray("y\x01\x01") << QStringLiteral("0x73 0x73 0x73");
        QTest::newRow("two s only") << QByteArray("y\x01\x06ss") << QStringLiteral("0x73 0x73 0x73");
    }
    void wrongStreams()
    {
        QFETCH(QByteArray, stream);
        QFETCH(QString, complaint);
        TransferReceiver receiver;
        receiver.feed(stream);
        QVERIFY(!receiver.lineQuiet());
        QCOMPARE(receiver.status(), TransferReceiver::Status::Failed);
        QVERIFY2(receiver.error().contains(complaint), qPrintable(receiver.error()));
    }

    void emptyDataIsATransfer()
    {
        TransferReceiver receiver;
        receiver.feed("y\x01\x06sss");
        const std::optional<Transfer> transfer = receiver.lineQuiet();
        QVERIFY(transfer);
        QCOMPARE(transfer->speedCode, 6);
        QVERIFY(transfer->data.isEmpty());
    }

    void cellDrawing()
    {
        QByteArray cell(32, '\0');
        cell[0] = '\x80';
        cell[1] = '\x01';
        cell[30] = '\x0F';
        cell[31] = '\xF0';
        const QStringList rows = drawCell(cell).split(QLatin1Char('\n'));
        QCOMPARE(rows.size(), 17); // 16 lines, each ended by a line feed
        QCOMPARE(rows[0], QStringLiteral("#..............#"));
        QCOMPARE(rows[1], QStringLiteral("................"));
        QCOMPARE(rows[15], QStringLiteral("....########...."));
        QCOMPARE(rows[16], QString());
    }
};

QTEST_GUILESS_MAIN(BoardReceiverTest)
#include "test_board_receiver.moc"
