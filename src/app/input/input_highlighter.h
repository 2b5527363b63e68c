#pragma once

#include "syntax_spans.h"

#include <QObject>
#include <QTextCharFormat>
#include <functional>
#include <limits>

class QTextDocument;

namespace quorvix::app {

// Colours the input line by syntaxSpans(). The whole text is scanned once per change and each
// paragraph takes its part, so a comment or string that spans lines is coloured whole. The
// formats go to the paragraphs' layouts as ranges: QSyntaxHighlighter copies a format for every
// character, which costs several times the layout itself in a long line.
//
// Qt lays a paragraph out again at each keystroke, and every format range splits it into one
// more piece to shape, about a microsecond a character of coloured text. So only the text near
// the visible part gets its colours; the formats that change the font (and so the line breaks)
// go everywhere. A cursor move changes only the bracket marks, and the text is not scanned again.
class InputHighlighter : public QObject {
    Q_OBJECT
public:
    // Above this many characters nothing is coloured. A keystroke at this length takes about
    // 4.5 ms to the repainted line with colours, 3.2 ms without (bench/input_bench); the scan
    // and Qt's own layout grow with the text, and at 20,000 it would take over 5 ms.
    static constexpr qsizetype kMaxHighlightedLength = 15'000;
    // How far before and after the visible characters the colours reach, so that a scroll of a
    // few lines finds them in place.
    static constexpr qsizetype kColouredMargin = 300;

    // `cursor` tells where the cursor is once an edit is done, so that the edit and its cursor
    // move colour once.
    InputHighlighter(QTextDocument* document, std::function<ScriptLanguage()> language,
                     std::function<qsizetype()> cursor);

    void setUserNames(QSet<QString> names);
    // The cursor decides which brackets are marked; a move that changes the marks colours again.
    void setCursorPosition(qsizetype cursor);
    // The characters on screen; colours follow when they leave the coloured part. Until this is
    // called the whole text is coloured.
    void setVisibleRange(qsizetype from, qsizetype to);

    static QTextCharFormat formatOf(SpanKind kind);
    // Scans and colours the whole text again.
    void rehighlight();

private:
    void contentsChanged(int from, int removed, int added);
    // Gives the scanned pieces and the marks to the layouts.
    void apply();

    static constexpr qsizetype kEverything = std::numeric_limits<int>::max();

    QTextDocument* m_document;
    std::function<ScriptLanguage()> m_language;
    std::function<qsizetype()> m_cursorNow;
    QSet<QString> m_userNames;
    qsizetype m_cursor = 0;
    QString m_text;                  // as last scanned
    ScannedText m_scanned;           // empty above kMaxHighlightedLength
    std::vector<SyntaxSpan> m_marks; // the brackets at m_cursor
    qsizetype m_visibleFrom = 0;
    qsizetype m_visibleTo = kEverything;
    qsizetype m_colouredFrom = 0; // the part that has its colours, as last applied
    qsizetype m_colouredTo = kEverything;
    bool m_applying = false; // the formats being set change the document too
};

} // namespace quorvix::app
