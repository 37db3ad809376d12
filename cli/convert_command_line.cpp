#include "cli/convert_command_line.h"

#include "platform/command_line.h"

namespace ledglyph::cli {

namespace {

// Dates past the year 9999 have no sensible text form.
constexpr qint64 latestEpoch = 253402300799;

struct Parser : ProgramCommandLine {
    const QCommandLineOption textFile{QStringLiteral("text-file"),
                                      QStringLiteral("从 UTF-8 文本文件读取要取模的字符（代替 TEXT）"),
                                      QStringLiteral("FILE")};
    const QCommandLineOption format{QStringLiteral("format"), QStringLiteral("输出格式：c51（默认）或 a51"),
                                    QStringLiteral("c51|a51")};
    const QCommandLineOption cell{QStringLiteral("cell"), QStringLiteral("点阵大小：16x16（默认）或 8x16"),
                                  QStringLiteral("16x16|8x16")};
    const QCommandLineOption noInvert{QStringLiteral("no-invert"), QStringLiteral("不做黑白反转")};
    const QCommandLineOption noMirror{QStringLiteral("no-mirror"), QStringLiteral("不做左右对调")};
    const QCommandLineOption fontDir{QStringLiteral("font-dir"),
                                     QStringLiteral("字库 hzk16 和 ASC16 所在目录（默认：程序目录，其中没有字库时为 ../share/ledglyph）"),
                                     QStringLiteral("DIR")};
    const QCommandLineOption outDir{QStringLiteral("out-dir"),
                                    QStringLiteral("写入 hz.txt、Tempchar.txt、zimuo.bin 的目录（默认：程序目录；程序目录不可写"
                                                   "或程序已安装时为“文档”文件夹中的 ledglyph）"),
                                    QStringLiteral("DIR")};

    Parser()
        : ProgramCommandLine(QStringLiteral("ledglyph-cli"), QStringLiteral(
            "点阵取模：把汉字和 ASCII 字符转换为 C51 或 A51 字模（hz.txt、zimuo.bin）。\n"
            "设置 SOURCE_DATE_EPOCH 时，hz.txt 头部的日期时间取自该值（UTC）。"
#ifdef LEDGLYPH_CLI_DOWNLOAD
            "\n把字模文件下载到单片机：ledglyph-cli download --help；列出串口：ledglyph-cli ports。"
#endif
              ))
    {
        parser.addPositionalArgument(QStringLiteral("convert"), QStringLiteral("命令：取模"));
        parser.addPositionalArgument(QStringLiteral("TEXT"), QStringLiteral("要取模的字符"), QStringLiteral("[TEXT]"));
        addOptions({textFile, format, cell, noInvert, noMirror, fontDir, outDir});
    }
};

std::optional<OutputFormat> formatNamed(const QString &name)
{
    if (name.compare(QLatin1String("c51"), Qt::CaseInsensitive) == 0)
        return OutputFormat::C51;
    if (name.compare(QLatin1String("a51"), Qt::CaseInsensitive) == 0)
        return OutputFormat::A51;
    return std::nullopt;
}

std::optional<CellMode> cellNamed(const QString &name)
{
    if (name.compare(QLatin1String("16x16"), Qt::CaseInsensitive) == 0)
        return CellMode::Cell16x16;
    if (name.compare(QLatin1String("8x16"), Qt::CaseInsensitive) == 0)
        return CellMode::Cell8x16;
    return std::nullopt;
}

std::optional<qint64> epochSeconds(const QString &value)
{
    if (value.isEmpty() || value.size() > 12)
        return std::nullopt;
    for (const QChar c : value) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    const qint64 seconds = value.toLongLong();
    return seconds <= latestEpoch ? std::optional<qint64>(seconds) : std::nullopt;
}

} // namespace

ConvertCommandLine parseConvertCommandLine(const QStringList &arguments,
                                           const std::optional<QString> &sourceDateEpoch)
{
    Parser p;
    if (const std::optional<CommandLineAnswer> answer = p.parse(arguments))
        return *answer;
    if (const std::optional<CommandLineAnswer> answer =
            p.givenTwice({&p.textFile, &p.format, &p.cell, &p.fontDir, &p.outDir}))
        return *answer;

    const QStringList positional = p.parser.positionalArguments();
    if (positional.isEmpty())
        return p.usageError(QStringLiteral("缺少命令（convert）。"));
    if (positional.first() != QLatin1String("convert"))
        return p.usageError(QStringLiteral("未知的命令“%1”，应为 convert。").arg(positional.first()));
    if (positional.size() > 2)
        return p.usageError(QStringLiteral("多余的参数“%1”（含空格的文字请加引号）。").arg(positional.at(2)));

    ConvertRequest request;
    const bool haveText = positional.size() == 2;
    if (haveText == p.parser.isSet(p.textFile))
        return p.usageError(QStringLiteral("请给出要取模的文字 TEXT 或 --text-file 之一（只能一个）。"));
    if (haveText)
        request.text = positional.at(1);
    request.textFile = p.parser.value(p.textFile);
    if (p.parser.isSet(p.textFile) && request.textFile.isEmpty())
        return p.usageError(QStringLiteral("--text-file 的文件名不能为空。"));

    if (p.parser.isSet(p.format)) {
        const auto format = formatNamed(p.parser.value(p.format));
        if (!format)
            return p.usageError(QStringLiteral("--format 的值“%1”无效，应为 c51 或 a51。").arg(p.parser.value(p.format)));
        request.options.format = *format;
    }
    if (p.parser.isSet(p.cell)) {
        const auto cell = cellNamed(p.parser.value(p.cell));
        if (!cell)
            return p.usageError(QStringLiteral("--cell 的值“%1”无效，应为 16x16 或 8x16。").arg(p.parser.value(p.cell)));
        request.options.cellMode = *cell;
    }
    request.options.invert = !p.parser.isSet(p.noInvert);
    request.options.mirror = !p.parser.isSet(p.noMirror);
    request.fontDir = p.parser.value(p.fontDir);
    request.outDir = p.parser.value(p.outDir);
    if ((p.parser.isSet(p.fontDir) && request.fontDir.isEmpty())
        || (p.parser.isSet(p.outDir) && request.outDir.isEmpty()))
        return p.usageError(QStringLiteral("目录不能为空。"));

    if (sourceDateEpoch) {
        request.sourceDateEpoch = epochSeconds(*sourceDateEpoch);
        if (!request.sourceDateEpoch)
            return p.usageError(QStringLiteral("环境变量 SOURCE_DATE_EPOCH 的值“%1”无效，应为不小于 0 的整数秒数。")
                             .arg(*sourceDateEpoch));
    }
    return request;
}

} // namespace ledglyph::cli
