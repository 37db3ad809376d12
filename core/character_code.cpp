#include "core/character_code.h"

#include "platform/code_page_936.h"

namespace ledglyph {

qint16 characterCode(const QString &text, qint16 index)
{
    const std::optional<qint16> code = cp936::charCode(QStringView(text).mid(index, 1));
    Q_ASSERT(code.has_value());
    return code.value_or(0);
}

} // namespace ledglyph
