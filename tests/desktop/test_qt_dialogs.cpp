// Qt's own dialogs as the program shows them: in Chinese once the start-up
// has installed Qt's translations for zh_CN, and the file dialog's filter with
// its description only.

#include "desktop/qt_translations.h"
#include "download/download_texts.h"
#include "download/file_filter.h"
#include "platform/gui/file_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace ledglyph;

class TestQtDialogs : public QObject {
    Q_OBJECT

private slots:
    // Opens the download window's file dialog after the start-up's
    // translations for zh_CN, notes what it shows and cancels it.
    void fileDialogInChineseWithItsFilter()
    {
        QVERIFY(installQtTranslations(*QCoreApplication::instance(), QLocale(QLocale::Chinese, QLocale::China)));
        QStringList seen; // title, filter, cancel button
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible())
                return;
            seen << dialog->windowTitle() << dialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"))->currentText()
                 << dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Cancel)->text();
            dialog->reject();
        });
        watch.start(10);
        QtFileDialog files;
        QCOMPARE(files.getOpenFileName(nullptr, qtFileFilter(download_texts::fileFilter)), QString());
        QCOMPARE(seen, (QStringList{"打开", "二进制文件(*.bin;*.hex;)", "取消"}));
    }
};

QTEST_MAIN(TestQtDialogs)
#include "test_qt_dialogs.moc"
