#pragma once

#include <QString>

class QWidget;

namespace ledglyph {

// The open-file dialog. Returns the chosen path, or an empty string when cancelled.
class FileDialog {
public:
    virtual ~FileDialog() = default;
    virtual QString getOpenFileName(QWidget *parent, const QString &filter) = 0;
};

// Starts in `startDir`; empty: the working directory.
class QtFileDialog final : public FileDialog {
public:
    explicit QtFileDialog(const QString &startDir = {}) : m_startDir(startDir) {}
    QString getOpenFileName(QWidget *parent, const QString &filter) override;

private:
    QString m_startDir;
};

} // namespace ledglyph
