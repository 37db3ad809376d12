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

class QtFileDialog final : public FileDialog {
public:
    QString getOpenFileName(QWidget *parent, const QString &filter) override;
};

} // namespace ledglyph
