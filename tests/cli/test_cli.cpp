// ledglyph-cli as a whole program (and the font generator where it writes
// its files the same way): its outputs byte for byte against the in-process
// conversion (whose bytes the core tests check against bytes worked out by
// hand) for the default options and each option, texts taken as typed from
// the command line and from text files, the default folders, the same
// outputs without the platform's GBK converter, the exit codes and
// messages of refused runs that leave every file as it was, and the
// writes' faults, kills and second writers. And the command lines of the
// line relay and the board simulator.

#include "core/conversion_run.h"
#include "platform/file_system.h"
#include "tests/support/test_files.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/stat.h>
#endif

using namespace ledglyph;
using namespace ledglyph::test;
using namespace Qt::StringLiterals;

namespace {

const QString cli = builtProgram(QStringLiteral("ledglyph-cli"));
constexpr qint64 epoch = 1206178215; // 2008-03-22 09:30:15 UTC
const QString epochSetting = QStringLiteral("SOURCE_DATE_EPOCH=%1").arg(epoch);
// The converter's outputs and the font generator's.
const QStringList allOutputs = outputNames + QStringList{QStringLiteral("hzk16"), QStringLiteral("ASC16")};
const QString newText = QStringLiteral("新字A");

// A command line (separated by |; TEXT, and OUT and PIPES at the start,
// filled in) with the UTF-8 text file OUT/input.txt and the environment; for
// exit code 0 the text as typed and the options it must be converted with,
// otherwise a part of the message.
struct CommandLine {
    QString arguments;
    QByteArray input = {};
    QString environment = epochSetting;
    QString text = {};
    ConversionOptions options = {};
    int exitCode = 0;
    QString message = {};
};

enum class Outputs { Earlier, New };

// A bash script (CLI, FONTGEN, RELAY, BOARD, HEX, TEXT and OUT, the folder of the
// earlier outputs, filled in), its exit code, a part of what it printed, the
// outputs afterwards and the number of other files left in OUT.
struct ScriptedRun {
    QString script;
    int exitCode = 0;
    QString message{};
    Outputs outputs = Outputs::New;
    int leftBehind = 0;
    bool strace = false; // needs strace (skipped without it)
};

} // namespace

Q_DECLARE_METATYPE(CommandLine)
Q_DECLARE_METATYPE(ScriptedRun)

class TestCli : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QTemporaryDir m_newOutputs; // what a run of newText writes
    int m_serial = 0;
    QString freshDir()
    {
        const QString path = m_dir.filePath(QString::number(++m_serial));
        QDir().mkpath(path);
        return path;
    }

private slots:
    void initTestCase()
    {
        const FixedClock clock(QDateTime::fromSecsSinceEpoch(epoch, QTimeZone::utc()));
        QCOMPARE(ConversionRun(QStringLiteral(LEDGLYPH_APPDIR), m_newOutputs.path(), clock).run(newText, {}).kind,
                 RunOutcome::Kind::Completed);
    }

    // Without --font-dir and --out-dir a copy of the program in a folder of
    // its own reads and writes beside itself, whatever the working folder.
    void fontsAndOutputsDefaultToTheProgramFolder()
    {
        const QString folder = freshDir();
        for (const QString name : {"ledglyph-cli" LEDGLYPH_EXE_SUFFIX, "hzk16", "ASC16"})
            QVERIFY(QFile::copy(QStringLiteral(LEDGLYPH_APPDIR "/") + name, folder + QLatin1Char('/') + name));
        const ProgramRun run =
            runProgram(folder + QStringLiteral("/ledglyph-cli"), {QStringLiteral("convert"), QStringLiteral("AB")},
                                    {}, m_dir.path());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(QDir(folder).entryList(QDir::Files),
                 (QStringList{"ASC16", "hz.txt", "hzk16", "ledglyph-cli" LEDGLYPH_EXE_SUFFIX, "Tempchar.txt", "zimuo.bin"}));
    }

    void commandLines_data()
    {
        QTest::addColumn<CommandLine>("line");
        const auto row = [](const char *tag, const CommandLine &line) { QTest::newRow(tag) << line; };
        // The defaults, the other format and cell, each flag alone (so that a
        // swap shows) and all four in capitals (the core checks every combination).
        const QString wide = u"点阵LED显示屏：Hello, 齄 A!"_s;
        const QString narrow = u"LED matrix 8x16: OK?"_s;
        row("defaults", {.arguments = "convert|TEXT|--out-dir|OUT", .text = wide,
                         .options = {.format = OutputFormat::C51, .cellMode = CellMode::Cell16x16,
                                     .invert = true, .mirror = true}});
        row("a51 8x16", {.arguments = "convert|TEXT|--format|a51|--cell|8x16|--out-dir|OUT", .text = narrow,
                         .options = {.format = OutputFormat::A51, .cellMode = CellMode::Cell8x16}});
        row("no invert", {.arguments = "convert|TEXT|--no-invert|--out-dir|OUT", .text = wide, .options = {.invert = false}});
        row("no mirror", {.arguments = "convert|TEXT|--no-mirror|--out-dir|OUT", .text = wide, .options = {.mirror = false}});
        row("all four", {.arguments = "convert|TEXT|--format|A51|--cell|8X16|--no-invert|--no-mirror|--out-dir|OUT",
                         .text = narrow,
                         .options = {.format = OutputFormat::A51, .cellMode = CellMode::Cell8x16,
                                     .invert = false, .mirror = false}});
        // A text file is taken as typed: line breaks become CR LF, one final line end is dropped.
        const QString fromFile = u"convert|--text-file|OUT/input.txt|--out-dir|OUT"_s;
        row("file, CR LF and lone CR", {.arguments = fromFile, .input = "啊\r\nA\rB\r\n", .text = "啊\r\nA\r\nB"});
        row("file, no final line end", {.arguments = fromFile, .input = "啊\nA", .text = "啊\r\nA"});
        row("file, one final line end dropped", {.arguments = fromFile, .input = "A\n\n", .text = "A\r\n"});
        row("file, byte-order mark", {.arguments = fromFile, .input = "\xEF\xBB\xBF" "AB\n", .text = "AB"});
        row("argument, LF", {.arguments = "convert|A\nB|--out-dir|OUT", .text = "A\r\nB"});
        row("epoch zero", {.arguments = "convert|A|--out-dir|OUT", .environment = "SOURCE_DATE_EPOCH=0", .text = "A"});
        // Refused (1) and usage errors (2).
        row("empty text", {.arguments = "convert||--out-dir|OUT", .exitCode = 1, .message = "你还没有输入要取模的字符！！！"});
        row("file of one line end", {.arguments = fromFile, .input = "\n", .exitCode = 1, .message = "你还没有输入要取模的字符！！！"});
        row("missing text file",
            {.arguments = "convert|--text-file|OUT/missing.txt|--out-dir|OUT", .exitCode = 1, .message = "missing.txt"});
        row("text file not UTF-8", {.arguments = fromFile, .input = "A\xB0\xA1\n", .exitCode = 1, .message = "UTF-8"});
        row("text file ends inside a character",
            {.arguments = fromFile, .input = "AB\xE4\xBD", .exitCode = 1, .message = "UTF-8"});
        row("text file too large",
            {.arguments = fromFile, .input = QByteArray(64 * 1024 + 1, 'A'), .exitCode = 1, .message = "太大"});
#ifdef Q_OS_UNIX // a device file and a named pipe in a folder
        row("text file a device",
            {.arguments = "convert|--text-file|/dev/zero|--out-dir|OUT", .exitCode = 1, .message = "不是普通文件"});
        row("text file a pipe",
            {.arguments = "convert|--text-file|PIPES/ASC16|--out-dir|OUT", .exitCode = 1, .message = "不是普通文件"});
        row("font library a pipe",
            {.arguments = "convert|A|--font-dir|PIPES|--out-dir|OUT", .exitCode = 1, .message = "不是普通文件"});
#endif
        row("empty text file name",
            {.arguments = "convert|--text-file||--out-dir|OUT", .exitCode = 2, .message = "--text-file"});
        row("no command", {.arguments = "", .exitCode = 2, .message = "convert"});
        row("unknown command", {.arguments = "convrt|A", .exitCode = 2, .message = "convrt"});
        row("unknown option", {.arguments = "convert|A|--invert|--out-dir|OUT", .exitCode = 2, .message = "invert"});
        row("bad format", {.arguments = "convert|A|--format|c52|--out-dir|OUT", .exitCode = 2, .message = "c52"});
        row("bad cell", {.arguments = "convert|A|--cell|16*8|--out-dir|OUT", .exitCode = 2, .message = "16*8"});
        row("text and file", {.arguments = "convert|A|--text-file|OUT/input.txt|--out-dir|OUT", .input = "AB\n", .exitCode = 2,
                              .message = "--text-file"});
        row("two texts", {.arguments = "convert|A|B|--out-dir|OUT", .exitCode = 2, .message = "“B”"});
        row("epoch negative", {.arguments = "convert|A|--out-dir|OUT", .environment = "SOURCE_DATE_EPOCH=-1", .exitCode = 2,
                               .message = "“-1”"});
        row("epoch empty", {.arguments = "convert|A|--out-dir|OUT", .environment = "SOURCE_DATE_EPOCH=", .exitCode = 2,
                            .message = "SOURCE_DATE_EPOCH"});
        // What download refuses before it opens a port, OUT/input.txt as the glyph file.
        const QByteArray glyphs(64 * 1024, 'Z');
        row("download, no file", {.arguments = "download|--yes", .exitCode = 2, .message = "请给出一个字模文件。"});
        row("download, speed 0",
            {.arguments = "download|OUT/input.txt|--yes|--speed|0", .input = glyphs, .exitCode = 2, .message = "--speed 的值“0”无效"});
        row("download, speed 7",
            {.arguments = "download|OUT/input.txt|--yes|--speed|7", .input = glyphs, .exitCode = 2, .message = "--speed 的值“7”无效"});
        row("download, wait 0",
            {.arguments = "download|OUT/input.txt|--yes|--wait|0", .input = glyphs, .exitCode = 2, .message = "--wait 的值“0”无效"});
        // Standard input of a test is no terminal: the confirmation cannot be asked.
        row("download, no terminal to ask on", {.arguments = "download|OUT/input.txt", .input = glyphs, .exitCode = 2,
                                                .message = "标准输入不是终端，无法询问是否下载"});
        row("download, empty file", {.arguments = "download|OUT/input.txt|--yes", .exitCode = 1,
                                     .message = "是空的（0 字节），没有可以下载的字模。\n没有发送任何数据。\n"});
#ifdef Q_OS_UNIX
        // The file is no glyph file the reference board takes: a warning first.
        row("download, no such device",
            {.arguments = "download|OUT/input.txt|--yes|--device|/dev/ledglyph-no-such-port", .input = glyphs, .exitCode = 1,
             .message = "注意：文件大小 65536 字节不是本软件生成的字模文件的大小（32×字数＋353 字节），参考单片机会拒收。\n"
                        "无法打开串口 COM1（设备 /dev/ledglyph-no-such-port）。\n请检查串口线和设备是否存在、是否被其他程序占用。\n"
                        "系统信息：No such file or directory\n"});
        // It would block for ever, --wait or not.
        row("download, a pipe", {.arguments = "download|PIPES/ASC16|--yes|--wait|2", .exitCode = 1,
                                 .message = "不是普通文件（不能是文件夹、设备或管道），不能作为字模文件。\n"});
#endif
        // Arguments, names and messages are UTF-8: another encoding is refused (in its own encoding).
        row("locale not UTF-8", {.arguments = "convert|A|--out-dir|OUT", .environment = "LC_ALL=zh_CN.GB18030", .exitCode = 1,
                                 .message = "LC_ALL=C.UTF-8"});
    }

    // A completed run writes what the in-process conversion of the text as
    // typed writes with the same options and time (SOURCE_DATE_EPOCH in UTC),
    // and prints its message. A refused run (1) or a usage error (2) says why
    // on standard error and leaves the outputs of an earlier run byte for byte.
    void commandLines()
    {
        QFETCH(CommandLine, line);
        const QString out = freshDir();
        writeEarlierOutputs(out);
        writeFile(out + QStringLiteral("/input.txt"), line.input);
        // A pipe with no writer: opening it to read would wait forever.
        const QString pipes = freshDir();
#ifdef Q_OS_UNIX
        QCOMPARE(::mkfifo(QFile::encodeName(pipes + QStringLiteral("/ASC16")).constData(), 0600), 0);
#endif
        QStringList filled = line.arguments.isEmpty() ? QStringList() : line.arguments.split(QLatin1Char('|'));
        filled.replaceInStrings(QRegularExpression(QStringLiteral("^TEXT$")), line.text);
        filled.replaceInStrings(QRegularExpression(QStringLiteral("^OUT")), out);
        filled.replaceInStrings(QRegularExpression(QStringLiteral("^PIPES")), pipes);

        const ProgramRun run = runProgram(cli, filled, {line.environment});
        QCOMPARE(run.exitCode, line.exitCode);
        if (line.exitCode == 0) {
            const QString coreOut = freshDir();
            const FixedClock clock(
                QDateTime::fromSecsSinceEpoch(line.environment.section(QLatin1Char('='), 1).toLongLong(), QTimeZone::utc()));
            const RunOutcome outcome =
                ConversionRun(QStringLiteral(LEDGLYPH_APPDIR), coreOut, clock).run(line.text, line.options);
            QCOMPARE(run.out, outcome.message + QLatin1Char('\n'));
            QCOMPARE(run.err, QString());
            QCOMPARE(outputsIn(out), outputsIn(coreOut));
            return;
        }
        QVERIFY2(run.err.contains(line.message), qPrintable(run.err));
        QCOMPARE(run.out, QString());
        QCOMPARE(changedEarlierOutputs(out), QStringList());
        QCOMPARE(QDir(out).entryList(QDir::Files | QDir::Hidden).size(), outputNames.size() + 1);
    }

    // Qt builds without ICU (Qt's Windows builds) have no GBK converter; here
    // ICU's converters fail to open, and ledglyph-cli writes the same files.
    void sameOutputsWithoutThePlatformsGbk()
    {
#ifndef LEDGLYPH_NO_ICU_CONVERTERS
        QSKIP("needs Linux and ICU's header unicode/ucnv.h (libicu-dev)");
#else
        const QString text = QStringLiteral("点阵LED显示屏：Hello, 齄 A!\n价格100元");
        QList<QByteArray> outputs[2];
        for (const bool withIcu : {true, false}) {
            const QString out = freshDir();
            // A sanitizer build wants its runtime before any preloaded library.
            QStringList environment{epochSetting, QStringLiteral("ASAN_OPTIONS=%1:verify_asan_link_order=0")
                                                      .arg(qEnvironmentVariable("ASAN_OPTIONS"))};
            if (!withIcu)
                environment << QStringLiteral("LD_PRELOAD=" LEDGLYPH_NO_ICU_CONVERTERS);
            const ProgramRun run = runProgram(cli, {QStringLiteral("convert"), text, QStringLiteral("--out-dir"), out}, environment);
            QVERIFY2(run.exitCode == 0, qPrintable(run.err));
            outputs[withIcu] = outputsIn(out);
        }
        QCOMPARE(outputs[false], outputs[true]);
#endif
    }

    void scriptedRuns_data()
    {
        QTest::addColumn<ScriptedRun>("run");
        const auto row = [](const char *tag, const ScriptedRun &run) { QTest::newRow(tag) << run; };
        const QString kill = QStringLiteral("strace -o /dev/null -e inject=rename,renameat,renameat2:signal=%1:when=2 "
                                            "CLI convert TEXT --out-dir OUT");
        // A full disk (here a file size limit, its signal ignored, so that
        // writes fail as they do on a full disk) names the cause.
        row("full disk", {.script = "ulimit -f 1; trap '' XFSZ; CLI convert " + QStringLiteral("点阵").repeated(20)
                              + " --out-dir OUT",
                          .exitCode = 1, .message = "File too large", .outputs = Outputs::Earlier});
        // A sync that fails is a failed write; the third one is the last output's.
        row("sync fails", {.script = "strace -o /dev/null -e inject=fdatasync:error=EIO:when=3 CLI convert TEXT --out-dir OUT",
                           .exitCode = 1, .message = "Input/output error", .outputs = Outputs::Earlier, .strace = true});
        row("no space at the sync",
            {.script = "strace -o /dev/null -e inject=fdatasync:error=ENOSPC:when=3 CLI convert TEXT --out-dir OUT",
             .exitCode = 1, .message = "No space left on device", .outputs = Outputs::Earlier, .strace = true});
        row("ledglyph-fontgen, sync fails",
            {.script = "strace -o /dev/null -e inject=fdatasync:error=EIO:when=2 FONTGEN --hex HEX --out-dir OUT",
             .exitCode = 1, .message = "Input/output error", .outputs = Outputs::Earlier, .strace = true});
        // The folder's sync after the outputs were replaced: they are put back.
        row("folder sync fails", {.script = "strace -o /dev/null -e inject=fsync:error=EIO:when=2 CLI convert TEXT --out-dir OUT",
                                  .exitCode = 1, .message = "Input/output error", .outputs = Outputs::Earlier,
                                  .strace = true});
        // A request to end the program between two replacements waits until
        // the set is whole (bash gives the signal as 128 + its number).
        row("SIGTERM while replacing", {.script = kill.arg("TERM") + "; exit $?", .exitCode = 128 + SIGTERM, .strace = true});
        row("SIGINT while replacing", {.script = kill.arg("INT") + "; exit $?", .exitCode = 128 + SIGINT, .strace = true});
        // Before the replacing it undoes the write: nothing is left behind.
        row("SIGINT while staging",
            {.script = "strace -o /dev/null -e inject=fdatasync:signal=INT:when=2 CLI convert TEXT --out-dir OUT; exit $?",
             .exitCode = 128 + SIGINT, .outputs = Outputs::Earlier, .strace = true});
        // A kill cannot wait: the next run completes the set before anything
        // else, also when it then fails itself.
        row("SIGKILL while replacing, then a run", {.script = kill.arg("KILL") + "; ulimit -f 0; trap '' XFSZ; CLI convert A --out-dir OUT",
                                                    .exitCode = 1, .message = "File too large", .strace = true});
        row("kept copies not removed",
            {.script = "strace -o /dev/null -e inject=unlink,unlinkat:error=EPERM CLI convert TEXT --out-dir OUT",
             .message = "写入时留下的以下文件未能删除，可以手动删除：OUT/Tempchar.txt.", .leftBehind = 4, .strace = true});
        row("standard output full", {.script = "CLI convert TEXT --out-dir OUT > /dev/full", .exitCode = 1,
                                     .message = "输出文件已写入，但无法在标准输出上写出完成信息。"});
        row("standard output closed", {.script = "CLI convert TEXT --out-dir OUT >&-", .exitCode = 1,
                                       .message = "输出文件已写入，但无法在标准输出上写出完成信息。"});
        row("folder name not UTF-8",
            {.script = "d=OUT/$'\\xff\\xfe'; mkdir \"$d\" && printf %s TEXT > \"$d/t\" && "
                       "CLI convert --text-file \"$d/t\" --out-dir \"$d\" && rm \"$d/t\" && mv \"$d\"/* OUT && rmdir \"$d\"",
             .message = "转换完成"});
        row("line relay, version", {.script = "RELAY --version", .message = "ledglyph-line-relay ",
                                    .outputs = Outputs::Earlier});
        row("line relay, usage error", {.script = "RELAY --sender a --board b --rate x", .exitCode = 2,
                                        .message = "命令行错误：--rate 的值“x”无效", .outputs = Outputs::Earlier});
        // ledglyph-board: a usage error ends with 2 (--idle is gone: the firmware
        // decides when a transfer ends); a device it cannot open, with the
        // system's reason, and a glyph file the board refuses, of which it
        // draws no picture, with 1.
        row("board, unknown option", {.script = "BOARD --bogus", .exitCode = 2,
                                      .message = "命令行错误：Unknown option 'bogus'.\n", .outputs = Outputs::Earlier});
        row("board, --idle", {.script = "BOARD --device d --idle 1", .exitCode = 2,
                              .message = "命令行错误：--idle 已取消：显示板按固件的规则，在线路静止 500 毫秒后",
                              .outputs = Outputs::Earlier});
        row("board, no such device", {.script = "BOARD --device /dev/nonexistent", .exitCode = 1,
                                      .message = "无法打开串口设备 /dev/nonexistent：No such file or directory\n",
                                      .outputs = Outputs::Earlier});
        row("board, a file it refuses",
            {.script = "head -c 384 /dev/zero >OUT/short.bin; BOARD --glyphs OUT/short.bin --frames OUT/strip.png", .exitCode = 1,
             .message = "显示板不接受 OUT/short.bin：字模数据 384 字节", .outputs = Outputs::Earlier, .leftBehind = 1});
    }

    // Runs where the shell sets the stage: injected faults (strace), kills,
    // standard output that cannot be written, names that are not UTF-8. The
    // outputs are the earlier ones or exactly those of TEXT, never a mix,
    // and nothing is left beside them unless the message names it.
    void scriptedRuns()
    {
#ifndef Q_OS_UNIX
        QSKIP("runs the programs under bash, strace and signals");
#endif
        QFETCH(ScriptedRun, run);
        if (run.strace && QStandardPaths::findExecutable(QStringLiteral("strace")).isEmpty())
            QSKIP("needs strace (Debian package strace)");
        const QString out = freshDir();
        writeEarlierOutputs(out, allOutputs);
        const QString script = QString(run.script)
                                   .replace(QStringLiteral("CLI"), cli)
                                   .replace(QStringLiteral("FONTGEN"), builtProgram(QStringLiteral("ledglyph-fontgen")))
                                   .replace(QStringLiteral("RELAY"), builtProgram(QStringLiteral("ledglyph-line-relay")))
                                   .replace(QStringLiteral("BOARD"), builtProgram(QStringLiteral("ledglyph-board")))
                                   .replace(QStringLiteral("HEX"), QStringLiteral(LEDGLYPH_UNIFONT_HEX))
                                   .replace(QStringLiteral("TEXT"), newText)
                                   .replace(QStringLiteral("OUT"), out);
        QStringList environment{epochSetting};
        if (run.strace) // LeakSanitizer cannot work under ptrace; a sanitizer build leaves it out there
            environment << QStringLiteral("ASAN_OPTIONS=%1:detect_leaks=0").arg(qEnvironmentVariable("ASAN_OPTIONS"));
        const ProgramRun ran = runProgram(QStringLiteral("/bin/bash"), {QStringLiteral("-c"), script}, environment);
        QCOMPARE(ran.exitCode, run.exitCode);
        QVERIFY2((ran.err + ran.out).contains(QString(run.message).replace(QStringLiteral("OUT"), out)),
                 qPrintable(ran.err + ran.out));
        for (const QString &name : allOutputs) {
            const bool isNew = run.outputs == Outputs::New && outputNames.contains(name);
            QCOMPARE(readFile(out + QLatin1Char('/') + name),
                     isNew ? readFile(m_newOutputs.filePath(name)) : "earlier " + name.toUtf8());
        }
        QCOMPARE(QDir(out).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(),
                 allOutputs.size() + run.leftBehind);
    }

    // A second writer waits while another holds the output folder, and then
    // replaces the whole set.
    void aSecondWriterWaits()
    {
        const QString out = freshDir();
        writeEarlierOutputs(out);
        std::optional<file_system::Folder> first = file_system::Folder::open(out).value();
        QCOMPARE(first->tryLock().value(), file_system::Folder::Lock::Taken);
        QProcess second;
        second.setEnvironment(QProcess::systemEnvironment() << epochSetting);
        second.start(cli, {QStringLiteral("convert"), newText, QStringLiteral("--out-dir"), out});
        QVERIFY(!second.waitForFinished(500));
        QCOMPARE(changedEarlierOutputs(out), QStringList());
        first.reset();
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(outputsIn(out), outputsIn(m_newOutputs.path()));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "test_cli.moc"
