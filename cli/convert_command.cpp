#include "cli/convert_command.h"

#include "core/conversion_run.h"
#include "platform/app_dir.h"
#include "platform/clock.h"
#include "platform/console_output.h"
#include "platform/text_input.h"

#include <QTimeZone>

#include <memory>

namespace ledglyph::cli {

namespace {

void refuse(const QString &message)
{
    console::writeErr(QStringLiteral("ledglyph-cli：%1\n").arg(message));
}

std::unique_ptr<Clock> clockFor(const ConvertRequest &request)
{
    if (request.sourceDateEpoch) {
        return std::make_unique<FixedClock>(
            QDateTime::fromSecsSinceEpoch(*request.sourceDateEpoch, QTimeZone::utc()));
    }
    return std::make_unique<SystemClock>();
}

} // namespace

ExitCode runConvert(const ConvertRequest &request)
{
    QString text;
    if (request.text) {
        text = withCrLfLineBreaks(*request.text);
    } else {
        const Result<QString> file = readUtf8File(request.textFile);
        if (!file.ok()) {
            refuse(file.error().message);
            return ExitRefused;
        }
        text = typedTextFromFile(file.value());
    }

    const std::unique_ptr<Clock> clock = clockFor(request);
    const ProgramFolders folders = programFolders();
    // Outputs that went to the per-user folder unasked are named after the run.
    const bool toUserFolder = request.outDir.isEmpty() && folders.outputsInUserFolder;
    if (toUserFolder)
        prepareOutputFolder(folders);
    ConversionRun run(request.fontDir.isEmpty() ? folders.data : request.fontDir,
                      request.outDir.isEmpty() ? folders.outputs : request.outDir, *clock);
    const RunOutcome outcome = run.run(text, request.options);
    if (outcome.kind != RunOutcome::Kind::Completed) {
        refuse(outcome.message);
        return ExitRefused;
    }
    if (!outcome.notice.isEmpty())
        console::writeErr(QStringLiteral("ledglyph-cli：%1\n").arg(outcome.notice));
    QString completion = outcome.message + QLatin1Char('\n');
    if (toUserFolder)
        completion += QStringLiteral("hz.txt、Tempchar.txt、zimuo.bin 已写入：%1\n").arg(folders.outputs);
    // A script that reads the message must not take its absence for success.
    if (!console::writeOut(completion)) {
        refuse(QStringLiteral("输出文件已写入，但无法在标准输出上写出完成信息。"));
        return ExitRefused;
    }
    return ExitSuccess;
}

} // namespace ledglyph::cli
