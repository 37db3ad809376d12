#include "platform/gui/file_dialog.h"

#include <QDir>
#include <QFileDialog>

namespace ledglyph {

QString QtFileDialog::getOpenFileName(QWidget *parent, const QString &filter)
{
    // Each entry shows its description only, not the patterns Qt would repeat
    // after it ("二进制文件(*.bin;*.hex;) (*.bin *.hex)"). Qt's own dialog keeps the
    // description exactly; a native one may cut it short at its first bracket.
    return QFileDialog::getOpenFileName(parent, QString(), m_startDir, filter, nullptr,
                                        QFileDialog::HideNameFilterDetails
                                            | QFileDialog::DontUseNativeDialog);
}

QString QtFileDialog::getSaveFileName(QWidget *parent, const QString &filter, const QString &suggestedName)
{
    // Qt's own dialog, like the open-file dialog: the same look and language.
    return QFileDialog::getSaveFileName(parent, QString(), QDir(m_startDir).filePath(suggestedName), filter, nullptr,
                                        QFileDialog::DontUseNativeDialog);
}

} // namespace ledglyph
