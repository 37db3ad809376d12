#include "platform/gui/file_dialog.h"

#include <QFileDialog>

namespace ledglyph {

QString QtFileDialog::getOpenFileName(QWidget *parent, const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, QString(), m_startDir, filter);
}

} // namespace ledglyph
