#pragma once

#include <QString>

class QWidget;

namespace ledglyph {

// The open-file and save-file dialogs. Each returns the chosen path, or an
// empty string when cancelled. `filter` is in Qt's form ("PNG 图片 (*.png)").
class FileDialog {
public:
    virtual ~FileDialog() = default;
    virtual QString getOpenFileName(QWidget *parent, const QString &filter) = 0;
    // Offers `suggestedName` in the folder the dialogs start in.
    virtual QString getSaveFileName(QWidget *parent, const QString &filter, const QString &suggestedName) = 0;
};

// Starts in `startDir`; empty: the working directory.
class QtFileDialog final : public FileDialog {
public:
    explicit QtFileDialog(const QString &startDir = {}) : m_startDir(startDir) {}
    QString getOpenFileName(QWidget *parent, const QString &filter) override;
    QString getSaveFileName(QWidget *parent, const QString &filter, const QString &suggestedName) override;

private:
    QString m_startDir;
};

} // namespace ledglyph
