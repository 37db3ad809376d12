#include "ui/text_box_text.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

namespace ledglyph {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
constexpr QChar kCrSymbol(0x240D); // SYMBOL FOR CARRIAGE RETURN
constexpr QChar kLfSymbol(0x240A); // SYMBOL FOR LINE FEED

bool isLineBreak(QChar ch)
{
    return ch == QChar::ParagraphSeparator || ch == QChar::LineSeparator;
}

} // namespace

QString crLfText(const QPlainTextEdit &box)
{
    // The raw text keeps every character; toPlainText() would turn no-break
    // spaces into spaces, which the input count and the conversion must see.
    const QString raw = box.document()->toRawText();
    QString text;
    text.reserve(raw.size() + raw.size() / 8);
    for (const QChar ch : raw) {
        if (isLineBreak(ch))
            text += kCrLf;
        else
            text += ch;
    }
    return text;
}

void showExactText(QPlainTextEdit &box, const QString &text)
{
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n') {
            shown += QChar::ParagraphSeparator;
            ++i;
        } else if (ch == u'\r') {
            shown += kCrSymbol;
        } else if (ch == u'\n') {
            shown += kLfSymbol;
        } else {
            shown += ch;
        }
    }
    box.setPlainText(shown);
}

bool removeLastCharacter(QPlainTextEdit &box)
{
    QTextCursor cursor(box.document());
    cursor.movePosition(QTextCursor::End);
    if (cursor.atStart())
        return false;
    // Deletes one stored character: a surrogate pair as a whole, a line break
    // (one block separator) as a whole.
    cursor.deletePreviousChar();
    return true;
}

void focusAtEnd(QPlainTextEdit &box)
{
    box.setFocus(Qt::OtherFocusReason);
    QTextCursor cursor = box.textCursor();
    cursor.movePosition(QTextCursor::End);
    box.setTextCursor(cursor);
}

} // namespace ledglyph
