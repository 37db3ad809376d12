#include "platform/gui/file_dialog.h"

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

} // namespace ledglyph
