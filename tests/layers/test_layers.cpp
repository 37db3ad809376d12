// Which folder may include which. Every library puts the source root on the
// include path, so the compiler lets any folder reach any other; this test is
// the guard. A folder includes itself and the layers its row names, nothing
// above: an include upward (the wire format reaching into the download window,
// the conversion into a window) fails here with the file and line.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

struct Layer {
    QString folder;
    QStringList mayInclude = {}; // besides its own folder
    bool anything = false;  // tests, benchmarks and documentation tools reach everything
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
    {.folder = u"cli"_s,
     .mayInclude = {u"protocol"_s, u"platform"_s, u"platform/serial"_s, u"fonts"_s, u"core"_s, u"firmware"_s,
                    u"preview"_s, u"download"_s}},
    {.folder = u"tools"_s, .mayInclude = belowDownload + QStringList{u"download"_s, u"ui"_s}},
    {.folder = u"tests"_s, .anything = true},
    {.folder = u"bench"_s, .anything = true},
    {.folder = u"docs"_s, .anything = true},
};

// The layer a path (a source file or an included header) belongs to: the
// longest folder of the table it lies in.
const Layer *layerOf(const QString &path)
{
    const Layer *found = nullptr;
    for (const Layer &layer : layers) {
        if (path.startsWith(layer.folder + u'/') && (!found || layer.folder.size() > found->folder.size()))
            found = &layer;
    }
    return found;
}

// What is wrong with one include line of `file`, or nothing.
std::optional<QString> problemOf(const QString &file, const QString &line)
{
    static const QRegularExpression include(uR"(^\s*#\s*include\s*([<"])([^">]+)[">])"_s);
    const QRegularExpressionMatch match = include.match(line);
    if (!match.hasMatch())
        return std::nullopt;
    const bool quoted = match.captured(1) == u"\""_s;
    const QString target = match.captured(2);
    if (target.startsWith(u"../"_s))
        return u"reaches out of its folder with \"../\": %1"_s.arg(target);
    const Layer *own = layerOf(file);
    const Layer *reached = layerOf(target);
    if (!reached) {
        // A quoted path with a folder is one of ours: its folder must be in the table.
        if (quoted && target.contains(u'/'))
            return u"includes %1 from a folder the layer table does not know"_s.arg(target);
        return std::nullopt; // a system or Qt header, or one beside the file
    }
    if (!own)
        return u"lies in a folder the layer table does not know"_s;
    if (own->anything || reached == own || own->mayInclude.contains(reached->folder))
        return std::nullopt;
    return u"%1 may not include %2 (%3)"_s.arg(own->folder, reached->folder, target);
}

bool isSource(const QString &path)
{
    return path.endsWith(u".cpp"_s) || path.endsWith(u".h"_s) || path.endsWith(u".c"_s);
}

// A build tree inside the sources (build/, build-fuzz/) holds generated files, not ours.
bool isBuildTree(const QDir &folder)
{
    return folder.exists(u"CMakeCache.txt"_s);
}

} // namespace

class TestLayers : public QObject {
    Q_OBJECT
private slots:
    // The check itself: an include is judged by the layers of the including
    // file and of the included header.
    void includeIsJudged_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("allowed");
        struct Case {
            const char *name;
            QString file;
            QString line;
            bool allowed;
        };
        const Case cases[] = {
            {.name = "downward", .file = u"fonts/glyph_geometry.h"_s,
             .line = u"#include \"protocol/wire_format.h\""_s, .allowed = true},
            {.name = "own folder", .file = u"ui/main_window.cpp"_s, .line = u"#include \"platform/gui/twips.h\""_s,
             .allowed = true},
            {.name = "upward", .file = u"platform/serial/serial_link.h"_s,
             .line = u"#include \"download/download_texts.h\""_s, .allowed = false},
            {.name = "beside, not below", .file = u"cli/main.cpp"_s,
             .line = u"#include \"ui/main_window.h\""_s, .allowed = false},
            {.name = "a sub-folder is a layer", .file = u"core/conversion.cpp"_s,
             .line = u"  #  include \"platform/gui/message_box.h\""_s, .allowed = false},
            {.name = "its parent is below it", .file = u"platform/gui/launcher.cpp"_s,
             .line = u"#include \"platform/name_bytes.h\""_s, .allowed = true},
            {.name = "firmware takes the protocol only", .file = u"firmware/receiver.c"_s,
             .line = u"#include \"platform/result.h\""_s, .allowed = false},
            {.name = "angle brackets count", .file = u"protocol/wire_format.h"_s,
             .line = u"#include <fonts/glyph_geometry.h>"_s, .allowed = false},
            {.name = "out of the folder", .file = u"core/conversion.cpp"_s,
             .line = u"#include \"../ui/main_window.h\""_s, .allowed = false},
            {.name = "unknown folder", .file = u"core/conversion.cpp"_s,
             .line = u"#include \"gadgets/widget.h\""_s, .allowed = false},
            {.name = "a Qt header", .file = u"core/conversion.cpp"_s, .line = u"#include <QtCore/QString>"_s,
             .allowed = true},
            {.name = "tests reach everything", .file = u"tests/ui/test_main_window.cpp"_s,
             .line = u"#include \"desktop/window_navigator.h\""_s, .allowed = true},
        };
        for (const Case &c : cases)
            QTest::newRow(c.name) << c.file << c.line << c.allowed;
    }
    void includeIsJudged()
    {
        QFETCH(QString, file);
        QFETCH(QString, line);
        QFETCH(bool, allowed);
        QCOMPARE(!problemOf(file, line).has_value(), allowed);
    }

    // Every include of every source file keeps to the table, and every folder
    // with sources is in it.
    void everyIncludeKeepsToItsLayers()
    {
        const QDir root(QStringLiteral(LEDGLYPH_SOURCE_DIR));
        QStringList problems;
        int files = 0;
        for (const QString &top : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            const QDir folder(root.filePath(top));
            if (isBuildTree(folder))
                continue;
            QDirIterator it(folder.path(), QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString path = root.relativeFilePath(it.next());
                if (!isSource(path))
                    continue;
                QFile source(root.filePath(path));
                QVERIFY2(source.open(QIODevice::ReadOnly), qPrintable(path));
                ++files;
                int number = 0;
                while (!source.atEnd()) {
                    const QString line = QString::fromUtf8(source.readLine());
                    ++number;
                    if (const std::optional<QString> problem = problemOf(path, line))
                        problems << u"%1:%2: %3"_s.arg(path).arg(number).arg(*problem);
                }
            }
        }
        QVERIFY2(files > 100, "the source folders were not found");
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u"\n"_s)));
    }
};

QTEST_APPLESS_MAIN(TestLayers)
#include "test_layers.moc"
