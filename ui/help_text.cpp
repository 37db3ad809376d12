#include "ui/help_text.h"

#include "ui/window_texts.h"

#include <QStringList>

namespace ledglyph {

QString startUpHelpText()
{
    // The indents are literal spaces: the box does not centre anything.
    const QString title(40, u' ');
    const QString credits(80, u' ');
    const QStringList lines{
        QString(),
        title + window_texts::programTitle + QStringLiteral("说明"),
        QString(),
        QStringLiteral("本软件是针对LED（LCD）点阵屏提取字模而编写的,能够对汉字或字符进行点阵取模"),
        QString(),
        QStringLiteral("功能说明"),
        QStringLiteral("1、16*16：   能对汉字和字符进行取模，取模数据为16*16的点阵。字符也为16*16的点阵"),
        QStringLiteral("2、8*16：    能对字符进行取模。取模的数据为8*16的字模，两个字符合成一个16*16的点阵，不能对汉字取模"),
        QStringLiteral("3、黑白反转：能对字模进行调整。将0调为1，1调为0。显示效果为镂空的字符。"),
        QStringLiteral("4、左右对调 ： 能对字模进行调整，将16位的点阵数据左右对调。第0位调到第15位，第1位调到第14位...."),
        QStringLiteral("5、横向取模: 对字符进行横向取模"),
        QStringLiteral("6、纵向取模: 对字符进行纵向取模、(暂无此功能)"),
        QStringLiteral("7、支持串口下载字模，下位机程序和电路图请参考程序文件夹中的相关内容。"),
        window_texts::termsOfUse,
        credits + maker::brand + u' ',
        credits + window_texts::webAddress,
        credits + window_texts::authorContact,
        credits + window_texts::authorCredit,
        credits + window_texts::completedDate,
    };
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace ledglyph
