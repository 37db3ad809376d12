#include "ui/outside_programs.h"

#include "platform/gui/launcher.h"
#include "platform/gui/message_box.h"
#include "ui/window_texts.h"

#include <QDir>

namespace ledglyph {

void openForum(Launcher &launcher, MessageBox &messageBox)
{
    if (!launcher.openAddress(window_texts::forumAddress))
        messageBox.show(QStringLiteral("无法启动浏览器打开技术论坛。请把下面的网址复制到浏览器的地址栏中：\n")
                            + window_texts::forumAddress,
                        MessageIcon::Exclamation, window_texts::welcomeTitle);
}

void openOutputFolder(Launcher &launcher, MessageBox &messageBox, const QString &folder)
{
    if (!launcher.openFolder(folder))
        messageBox.show(QStringLiteral("无法启动文件管理器打开输出文件夹。hz.txt、Tempchar.txt 和 zimuo.bin 在这个文件夹中：\n")
                            + QDir::toNativeSeparators(folder),
                        MessageIcon::Exclamation, window_texts::welcomeTitle);
}

} // namespace ledglyph
