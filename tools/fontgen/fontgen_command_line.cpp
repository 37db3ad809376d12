#include "tools/fontgen/fontgen_command_line.h"

#include "platform/program_version.h"

#include <QCommandLineParser>

namespace ledglyph::fontgen {

FontgenCommandLine parseFontgenCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "由位图字体生成点阵字库 hzk16（GB2312 16×16）和 ASC16（单字节 8×16）。"));
    const QCommandLineOption hex(QStringLiteral("hex"), QStringLiteral("GNU Unifont .hex 字体文件"),
                                 QStringLiteral("FILE"));
    const QCommandLineOption bdf(QStringLiteral("bdf"), QStringLiteral("BDF 字体文件"), QStringLiteral("FILE"));
    const QCommandLineOption asciiBdf(QStringLiteral("ascii-bdf"),
                                      QStringLiteral("另用于 ASC16 的 BDF 字体文件"), QStringLiteral("FILE"));
    const QCommandLineOption outDir(QStringLiteral("out-dir"), QStringLiteral("写入 hzk16 和 ASC16 的目录"),
                                    QStringLiteral("DIR"));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("显示本帮助"));
    const QCommandLineOption version(QStringLiteral("version"), QStringLiteral("显示版本号"));
    parser.addOptions({hex, bdf, asciiBdf, outDir, help, version});

    FontgenCommandLine result;
    const auto usage = [&](const QString &problem) {
        result.message = problem + QLatin1Char('\n') + parser.helpText();
        return result;
    };
    if (!parser.parse(arguments))
        return usage(parser.errorText());
    if (parser.isSet(help)) {
        result.helpRequested = true;
        result.message = parser.helpText();
        return result;
    }
    if (parser.isSet(version)) {
        result.helpRequested = true;
        result.message = versionLine(QStringLiteral("ledglyph-fontgen"));
        return result;
    }
    if (!parser.positionalArguments().isEmpty())
        return usage(QStringLiteral("多余的参数：%1").arg(parser.positionalArguments().join(QLatin1Char(' '))));
    if (parser.isSet(hex) == parser.isSet(bdf))
        return usage(QStringLiteral("请给出 --hex 或 --bdf 之一（只能一个）。"));
    for (const QCommandLineOption *single : {&hex, &bdf, &asciiBdf, &outDir}) {
        if (parser.values(*single).size() > 1)
            return usage(QStringLiteral("--%1 只能给出一次。").arg(single->names().constLast()));
    }
    if (!parser.isSet(outDir) || parser.value(outDir).isEmpty())
        return usage(QStringLiteral("缺少 --out-dir。"));

    FontgenOptions options;
    options.hexFile = parser.value(hex);
    options.bdfFile = parser.value(bdf);
    options.asciiBdf = parser.value(asciiBdf);
    options.outDir = parser.value(outDir);
    result.options = options;
    return result;
}

} // namespace ledglyph::fontgen
