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

    struct SeenDialog {
        QString title, filter, cancel;
    };

    // Opens the download window's file dialog, notes what it shows and cancels it.
    static SeenDialog openFileDialog()
    {
        SeenDialog seen;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible())
                return;
            seen.title = dialog->windowTitle();
            seen.filter = dialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"))->currentText();
            const auto *buttons = dialog->findChild<QDialogButtonBox *>();
            seen.cancel = buttons->button(QDialogButtonBox::Cancel)->text();
            dialog->reject();
        });
        watch.start(10);
        QtFileDialog files;
        const QString chosen = files.getOpenFileName(nullptr, qtFileFilter(download_texts::fileFilter));
        if (!chosen.isEmpty())
            qFatal("the cancelled dialog returned a path");
        return seen;
    }

private slots:
    void filterShowsItsDescriptionOnly()
    {
        QCOMPARE(openFileDialog().filter, QStringLiteral("二进制文件(*.bin;*.hex;)"));
    }

    void dialogsSpeakChineseInZhCn()
    {
        QVERIFY(installQtTranslations(*QCoreApplication::instance(), QLocale(QLocale::Chinese, QLocale::China)));
        const SeenDialog seen = openFileDialog();
        QCOMPARE(seen.title, QStringLiteral("打开"));
        QCOMPARE(seen.cancel, QStringLiteral("取消"));
    }
};

QTEST_MAIN(TestQtDialogs)
#include "test_qt_dialogs.moc"
