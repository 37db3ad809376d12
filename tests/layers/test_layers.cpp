// Which folder may include which. Every library puts the source root on the
// include path, so the compiler lets any folder reach any other; this test is
// the guard. A folder includes itself and the layers its row names, nothing
// above: an include upward fails here with the file and line.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

struct Layer {
    QString folder;
    QStringList mayInclude = {}; // besides its own folder; "*": every folder
};

// Bottom to top. A sub-folder named here is a layer of its own: the Qt Core
// layers (fonts, core, preview) reach neither the window services nor the serial port.
const QStringList belowDownload{u"protocol"_s, u"platform"_s, u"platform/serial"_s, u"platform/gui"_s,
                                u"fonts"_s, u"core"_s, u"firmware"_s, u"preview"_s, u"preview/drawing"_s};
const QList<Layer> layers{
    {.folder = u"protocol"_s},
    {.folder = u"platform"_s, .mayInclude = {u"protocol"_s}},
    {.folder = u"platform/serial"_s, .mayInclude = {u"protocol"_s, u"platform"_s}},
    {.folder = u"platform/gui"_s, .mayInclude = {u"platform"_s}},
    {.folder = u"fonts"_s, .mayInclude = {u"protocol"_s, u"platform"_s}},
    {.folder = u"core"_s, .mayInclude = {u"protocol"_s, u"platform"_s, u"fonts"_s}},
    // The board's firmware is C for the 8051: the wire format is all it shares.
    {.folder = u"firmware"_s, .mayInclude = {u"protocol"_s}},
    {.folder = u"preview"_s, .mayInclude = {u"protocol"_s, u"platform"_s, u"fonts"_s, u"core"_s, u"firmware"_s}},
    {.folder = u"preview/drawing"_s,
     .mayInclude = {u"protocol"_s, u"platform"_s, u"fonts"_s, u"core"_s, u"firmware"_s, u"preview"_s}},
    {.folder = u"download"_s, .mayInclude = belowDownload},
    {.folder = u"ui"_s, .mayInclude = belowDownload + QStringList{u"download"_s}},
    {.folder = u"desktop"_s, .mayInclude = belowDownload + QStringList{u"download"_s, u"ui"_s}},
    // The command line runs without a display: no window services, no windows.
    {.folder = u"cli"_s, .mayInclude = {u"protocol"_s, u"platform"_s, u"platform/serial"_s, u"fonts"_s, u"core"_s,
                                        u"firmware"_s, u"preview"_s, u"download"_s}},
    {.folder = u"tools"_s, .mayInclude = belowDownload + QStringList{u"download"_s, u"ui"_s}},
    {.folder = u"tests"_s, .mayInclude = {u"*"_s}},
    {.folder = u"bench"_s, .mayInclude = {u"*"_s}},
    {.folder = u"docs"_s, .mayInclude = {u"*"_s}},
};

// The layer of a path: the longest folder of the table it lies in.
const Layer *layerOf(const QString &path)
{
    const Layer *found = nullptr;
    for (const Layer &layer : layers) {
        if (path.startsWith(layer.folder + u'/') && (!found || layer.folder.size() > found->folder.size()))
            found = &layer;
    }
    return found;
}

// What is wrong with one line of `file`: empty when nothing is.
QString problemOf(const QString &file, const QString &line)
{
    static const QRegularExpression include(uR"(^\s*#\s*include\s*([<"])([^">]+)[">])"_s);
    const QRegularExpressionMatch match = include.match(line);
    const QString target = match.captured(2);
    if (!match.hasMatch())
        return {};
    if (target.startsWith(u"../"_s))
        return u"reaches out of its folder: "_s + target;
    const Layer *own = layerOf(file);
    const Layer *reached = layerOf(target);
    if (!reached) // a quoted path with a folder is one of ours; others are system or Qt headers
        return match.captured(1) == u"\""_s && target.contains(u'/') ? u"unknown folder: "_s + target : QString();
    if (!own)
        return u"lies in a folder the table does not know"_s;
    if (reached == own || own->mayInclude.contains(reached->folder) || own->mayInclude.contains(u"*"_s))
        return {};
    return u"%1 may not include %2"_s.arg(own->folder, target);
}

} // namespace

class TestLayers : public QObject {
    Q_OBJECT
private slots:
    // The check itself, on lines of its own.
    void includeIsJudged()
    {
        struct Case {
            QString file, line;
            bool allowed;
        };
        const Case cases[] = {
            {.file = u"fonts/glyph_geometry.h"_s, .line = u"#include \"protocol/wire_format.h\""_s, .allowed = true},
            {.file = u"platform/serial/serial_link.h"_s, .line = u"#include \"download/x.h\""_s, .allowed = false},
            {.file = u"core/conversion.cpp"_s, .line = u" # include \"platform/gui/message_box.h\""_s, .allowed = false},
            {.file = u"protocol/wire_format.h"_s, .line = u"#include <fonts/glyph_geometry.h>"_s, .allowed = false},
            {.file = u"core/conversion.cpp"_s, .line = u"#include \"../ui/main_window.h\""_s, .allowed = false},
            {.file = u"core/conversion.cpp"_s, .line = u"#include \"gadgets/widget.h\""_s, .allowed = false},
            {.file = u"tests/ui/test.cpp"_s, .line = u"#include \"desktop/window_navigator.h\""_s, .allowed = true},
        };
        for (const Case &c : cases)
            QVERIFY2(problemOf(c.file, c.line).isEmpty() == c.allowed, qPrintable(c.file + u": "_s + c.line));
    }

    // Every include of every source file keeps to the table, and every folder
    // with sources is in it. (A build tree inside the sources is not ours.)
    void everyIncludeKeepsToItsLayers()
    {
        const QDir root(QStringLiteral(LEDGLYPH_SOURCE_DIR));
        QStringList problems;
        int files = 0;
        for (const QString &top : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            if (QDir(root.filePath(top)).exists(u"CMakeCache.txt"_s))
                continue;
            QDirIterator it(root.filePath(top), {u"*.c"_s, u"*.h"_s, u"*.cpp"_s}, QDir::Files,
                            QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString path = root.relativeFilePath(it.next());
                QFile source(root.filePath(path));
                QVERIFY2(source.open(QIODevice::ReadOnly), qPrintable(path));
                ++files;
                for (int number = 1; !source.atEnd(); ++number) {
                    if (const QString problem = problemOf(path, QString::fromUtf8(source.readLine())); !problem.isEmpty())
                        problems << u"%1:%2: %3"_s.arg(path).arg(number).arg(problem);
                }
            }
        }
        QVERIFY2(files > 100, "the source folders were not found");
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
    }
};

QTEST_APPLESS_MAIN(TestLayers)
#include "test_layers.moc"
