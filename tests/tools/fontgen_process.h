#pragma once

// Runs the built ledglyph-fontgen and collects what it said.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTest>

struct FontgenRun {
    int exitCode = -1;
    QString out;
    QString err;
};

inline FontgenRun runFontgen(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(LEDGLYPH_APPDIR "/ledglyph-fontgen"), arguments);
    FontgenRun run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

inline void writeTextFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    QCOMPARE(file.write(content), content.size());
}

inline QByteArray readWholeFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
