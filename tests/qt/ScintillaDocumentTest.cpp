// The byte document over QScintilla: every byte survives, positions are bytes, selections move as in memory.
#include <Qsci/qsciscintilla.h>

#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QtTest>
#include <memory>
#include <string>

#include "window/LongLineWindow.h"
#include "qt/ScintillaDocument.h"
#include "text/AnsiConversion.h"
#include "text/MemoryDocument.h"

using plinvaro::MemoryDocument;
using plinvaro::TextSelection;
using plinvaro::qt::DisplayCodePage;
using plinvaro::qt::ScintillaDocument;

Q_DECLARE_METATYPE(DisplayCodePage)

namespace {

std::u16string Wide(const std::string& bytes) {
  return plinvaro::AnsiToWide(reinterpret_cast<const unsigned char*>(bytes.data()),
                              static_cast<std::int32_t>(bytes.size()));
}

std::string Narrow(const std::u16string& text) {
  return plinvaro::WideToAnsi(text, static_cast<std::int32_t>(text.size()));
}

// Every byte value but NUL, in order, then the same backwards.
std::string AllBytes() {
  std::string bytes;
  for (int b = 1; b < 256; ++b) bytes += static_cast<char>(b);
  for (int b = 255; b > 0; --b) bytes += static_cast<char>(b);
  return bytes;
}

}  // namespace

class ScintillaDocumentTest : public QObject {
  Q_OBJECT

 private:
  QWidget host_;
  std::unique_ptr<ScintillaDocument> doc_;

  void Make(DisplayCodePage page) { doc_ = std::make_unique<ScintillaDocument>(&host_, page); }
  // A UTF-8 box of 280 by 180 pixels on the shown host.
  QsciScintilla* ShowUtf8Box() {
    Make(DisplayCodePage::Utf8);
    doc_->widget()->setGeometry(0, 0, 280, 180);
    host_.show();
    return doc_->widget();
  }
  void AddCodePages() {
    QTest::addColumn<DisplayCodePage>("page");
    QTest::newRow("utf8") << DisplayCodePage::Utf8;
    QTest::newRow("latin1") << DisplayCodePage::Latin1;
  }

 private slots:
  void init() { host_.resize(300, 200); }
  void cleanup() { doc_.reset(); }

  // A word far wider than the box wraps inside it at once and can be scrolled through.
  void aLongWordWrapsWithinTheBoxAndScrolls() {
    QsciScintilla* box = ShowUtf8Box();
    QVERIFY(QTest::qWaitForWindowExposed(&host_));
    std::string word(200 * 1000, 'w');
    for (std::size_t i = 0; i < word.size(); i += 7) word[i] = static_cast<char>('a' + i % 26);
    doc_->ReplaceSelection(Wide(word), static_cast<std::int32_t>(word.size()));
    doc_->ScrollCaret();
    QApplication::processEvents();
    QVERIFY(box->verticalScrollBar()->isVisible());
    QVERIFY(box->verticalScrollBar()->maximum() > 100);
    const int width = box->viewport()->width();
    for (long at = static_cast<long>(word.size()) - 2000; at <= static_cast<long>(word.size()); ++at)
      QVERIFY(box->SendScintilla(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0UL, at) <= width);
    host_.hide();
  }

  // An overlong line is laid out in part: the bytes outside the shown part are
  // styled hidden, the text stays whole, and the shown part follows the caret
  // and the view's top, also across multi-byte characters.
  void anOverlongLineShowsAPartThatFollowsTheCaretAndTheView() {
    QsciScintilla* box = ShowUtf8Box();
    QVERIFY(QTest::qWaitForWindowExposed(&host_));
    std::string word;
    while (word.size() < static_cast<std::size_t>(4 * plinvaro::kLongLineBytes)) word += "ab\xC3\xA9" "cd";
    const std::string text = "before\n" + word;
    doc_->ReplaceRangeBytes(0, 0, text);
    doc_->SetSelection(doc_->Length(), doc_->Length());
    doc_->ScrollCaret();
    QApplication::processEvents();
    const auto hidden = [box](long at) {
      return box->SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, static_cast<unsigned long>(at)) != 0;
    };
    const long lineStart = 7, end = static_cast<long>(text.size());
    QVERIFY(doc_->Bytes() == text);
    QVERIFY(!hidden(0));
    QVERIFY(hidden(lineStart));
    QVERIFY(!hidden(end - 1));
    QVERIFY(box->verticalScrollBar()->maximum() > 100);
    // The caret at the line's start brings the shown part there.
    box->SendScintilla(QsciScintillaBase::SCI_GOTOPOS, static_cast<unsigned long>(lineStart));
    QApplication::processEvents();
    QVERIFY(!hidden(lineStart));
    QVERIFY(hidden(end - 1));
    // Scrolling the view to the shown part's end moves the part on.
    const long beyond = lineStart + plinvaro::kShownBytes + 100;
    QVERIFY(hidden(beyond));
    doc_->ScrollToBottom();
    QApplication::processEvents();
    QVERIFY(!hidden(beyond));
    QVERIFY(hidden(lineStart));
    // Every shown part starts at a character's first byte.
    for (long at = lineStart + 1; at < end; ++at) {
      if (hidden(at - 1) != hidden(at)) QVERIFY((static_cast<unsigned char>(text[at]) & 0xC0) != 0x80);
    }
    QVERIFY(doc_->Bytes() == text);
    // An input method hears of the text near the caret only, in characters.
    box->SendScintilla(QsciScintillaBase::SCI_GOTOPOS, static_cast<unsigned long>(end));
    const QString near = static_cast<QWidget*>(box)->inputMethodQuery(Qt::ImSurroundingText).toString();
    QVERIFY(near.size() > 500 && near.size() <= plinvaro::kInputContextBytes);
    QVERIFY(QString::fromUtf8(text.substr(text.size() - 400).c_str()).endsWith(near.right(300)));
    QCOMPARE(static_cast<QWidget*>(box)->inputMethodQuery(Qt::ImCursorPosition).toInt(),
             static_cast<int>(near.size()));
    host_.hide();
  }

  // After a replacement a long line shows the part where the caret ends up: its
  // start when the text went in behind the caret (as the preview is filled), the
  // text's end when the caret follows the text (playback, Accept).
  void anOverlongLineShowsThePartAtTheCaretAfterAReplacement() {
    QsciScintilla* box = ShowUtf8Box();
    QVERIFY(QTest::qWaitForWindowExposed(&host_));
    const auto hidden = [box](long at) {
      return box->SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, static_cast<unsigned long>(at)) != 0;
    };
    const std::string word(static_cast<std::size_t>(3 * plinvaro::kLongLineBytes), 'q');
    const auto n = static_cast<long>(word.size());
    doc_->ReplaceRangeBytes(0, 0, word);
    QApplication::processEvents();
    QCOMPARE(doc_->GetSelection().end, 0);
    QVERIFY(!hidden(0));
    QVERIFY(hidden(n - 1));
    doc_->ReplaceSelectionBytes(word, static_cast<std::int32_t>(n));
    QApplication::processEvents();
    QCOMPARE(static_cast<long>(doc_->GetSelection().end), n);
    QVERIFY(!hidden(n - 1));
    QVERIFY(hidden(0));
    QVERIFY(hidden(2 * n - 1));
    host_.hide();
  }

  // Changes and repaints keep the box's layouts: after an edit and a repaint
  // every byte counts as styled (left unstyled, each repaint would make Scintilla
  // check every cached line byte by byte), no byte's style changed, and the text
  // area keeps its width as the text outgrows the box.
  void editsAndRepaintsKeepStylesAndTheTextWidth() {
    QsciScintilla* box = ShowUtf8Box();
    QVERIFY(QTest::qWaitForWindowExposed(&host_));
    const int width = box->viewport()->width();
    std::string lines;
    for (int i = 0; i < 200; ++i) lines += "a line of words\n";
    doc_->ReplaceRangeBytes(0, 0, lines);
    box->SendScintilla(QsciScintillaBase::SCI_STARTSTYLING, 0UL, 0L);
    box->SendScintilla(QsciScintillaBase::SCI_SETSTYLING, 6UL, 2L);
    doc_->ReplaceRangeBytes(doc_->Length(), doc_->Length(), "more ");
    box->SendScintilla(QsciScintillaBase::SCI_GOTOPOS, 2UL);
    box->setFocus();
    QTest::keyClicks(box, "xy");
    box->viewport()->repaint();
    QApplication::processEvents();
    QCOMPARE(box->SendScintilla(QsciScintillaBase::SCI_GETENDSTYLED), static_cast<long>(doc_->Length()));
    QCOMPARE(doc_->Bytes(), "a xyline of words\n" + lines.substr(16) + "more ");
    QCOMPARE(box->SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, 0UL), 2L);
    QCOMPARE(box->SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, 2UL), 0L);
    QCOMPARE(box->SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, 7UL), 2L);
    QCOMPARE(box->SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, 8UL), 0L);
    QVERIFY(box->verticalScrollBar()->maximum() > 100);
    QCOMPARE(box->viewport()->width(), width);
    host_.hide();
  }

  // The background it has, set again, resets nothing (every relayout sets it,
  // and reset styles lay every line out anew); a new one reaches every style
  // and keeps the long lines' hidden style hidden.
  void theSameBackgroundAgainResetsNoStyle() {
    Make(DisplayCodePage::Utf8);
    QsciScintilla* box = doc_->widget();
    const auto ask = [box](unsigned int message, unsigned long style) { return box->SendScintilla(message, style); };
    doc_->SetBackground({10, 20, 30});
    box->SendScintilla(QsciScintillaBase::SCI_STYLESETFORE, 2UL, 0x0000FFL);
    doc_->SetBackground({10, 20, 30});
    QCOMPARE(ask(QsciScintillaBase::SCI_STYLEGETFORE, 2), 0x0000FFL);
    doc_->SetBackground({40, 50, 60});
    QCOMPARE(ask(QsciScintillaBase::SCI_STYLEGETBACK, 2), 40L | 50L << 8 | 60L << 16);
    QVERIFY(ask(QsciScintillaBase::SCI_STYLEGETFORE, 2) != 0x0000FFL);
    QCOMPARE(ask(QsciScintillaBase::SCI_STYLEGETVISIBLE, 1), 0L);
  }

  void everyByteRoundTrips_data() { AddCodePages(); }
  void everyByteRoundTrips() {
    QFETCH(DisplayCodePage, page);
    Make(page);
    const std::string bytes = AllBytes();
    doc_->ReplaceRange(0, 0, Wide(bytes));
    QCOMPARE(doc_->Length(), static_cast<std::int32_t>(bytes.size()));
    QVERIFY(doc_->Bytes() == bytes);
    QVERIFY(Narrow(doc_->GetRangeText(100, 400)) == bytes.substr(100, 300));
    // Positions are bytes: a caret set inside a multi-byte-looking run stays where it was put.
    for (const std::int32_t at : {1, 128, 129, 300, 509}) {
      doc_->SetSelection(at, at);
      QCOMPARE(doc_->GetSelection().start, at);
    }
  }

  // The byte path: what goes in is what the box holds, and what it holds is compared in place.
  void bytesGoInAsTheyAreAndAreComparedInPlace_data() { AddCodePages(); }
  void bytesGoInAsTheyAreAndAreComparedInPlace() {
    QFETCH(DisplayCodePage, page);
    Make(page);
    const std::string bytes = AllBytes();
    const auto n = static_cast<std::int32_t>(bytes.size());
    doc_->ReplaceSelectionBytes(bytes, n);
    QVERIFY(doc_->Bytes() == bytes);
    QCOMPARE(doc_->GetSelection().start, n);
    QVERIFY(doc_->HoldsBytesAt(120, std::string_view(bytes).substr(120, 200)));
    QVERIFY(!doc_->HoldsBytesAt(120, std::string_view(bytes).substr(121, 200)));
    QVERIFY(!doc_->HoldsBytesAt(n - 2, bytes.substr(n - 2, 2) + "x"));  // runs past the end
    doc_->ReplaceRangeBytes(1, n - 1, std::string_view("mid\0dropped", 11));
    QVERIFY(doc_->Bytes() == bytes.substr(0, 1) + "mid" + bytes.substr(n - 1));
  }

  void nulInTheBoxIsKeptAndCounted_data() { AddCodePages(); }
  void nulInTheBoxIsKeptAndCounted() {
    QFETCH(DisplayCodePage, page);
    Make(page);
    const std::string bytes("ab\0cd", 5);
    doc_->widget()->SendScintilla(QsciScintillaBase::SCI_APPENDTEXT, bytes.size(), bytes.data());
    QCOMPARE(doc_->Length(), 5);
    QVERIFY(doc_->Bytes() == bytes);
    QVERIFY(doc_->GetRangeText(1, 4) == Wide(std::string("b\0c", 3)));
  }

  void handedInTextEndsAtItsNulButTheCaretMovesByN() {
    Make(DisplayCodePage::Utf8);
    doc_->ReplaceSelection(Wide(std::string("one\0two", 7)), 7);
    QVERIFY(doc_->Bytes() == "one");
    QCOMPARE(doc_->GetSelection().start, 3);  // 7 is past the end: the end
    doc_->ReplaceSelection(Wide(" more"), 5);
    QVERIFY(doc_->Bytes() == "one more");
  }

  void lineEndsSurviveChunkedInserts_data() {
    QTest::addColumn<QStringList>("chunks");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("crlf split") << QStringList{"a\r", "\nb"} << QByteArray("a\r\nb");
    QTest::newRow("lone cr") << QStringList{"x\ry", "\r"} << QByteArray("x\ry\r");
    QTest::newRow("lone lf") << QStringList{"\n\n", "z\n"} << QByteArray("\n\nz\n");
    QTest::newRow("lf cr") << QStringList{"\n", "\r", "\n"} << QByteArray("\n\r\n");
  }
  void lineEndsSurviveChunkedInserts() {
    QFETCH(QStringList, chunks);
    QFETCH(QByteArray, expected);
    Make(DisplayCodePage::Utf8);
    for (const QString& chunk : chunks) {
      const std::string bytes = chunk.toStdString();
      doc_->ReplaceSelection(Wide(bytes), static_cast<std::int32_t>(bytes.size()));
    }
    QCOMPARE(QByteArray::fromStdString(doc_->Bytes()), expected);
    QCOMPARE(doc_->GetSelection().start, static_cast<std::int32_t>(expected.size()));
  }

  void replacingASelectionLeavesTheCaretBehindTheText_data() {
    QTest::addColumn<int>("anchor");
    QTest::addColumn<int>("caret");
    QTest::newRow("forward") << 2 << 6;
    QTest::newRow("backward") << 6 << 2;
    QTest::newRow("caret only") << 2 << 2;
  }
  void replacingASelectionLeavesTheCaretBehindTheText() {
    QFETCH(int, anchor);
    QFETCH(int, caret);
    Make(DisplayCodePage::Utf8);
    doc_->ReplaceRange(0, 0, Wide("0123456789"));
    doc_->widget()->SendScintilla(QsciScintillaBase::SCI_SETSEL, static_cast<unsigned long>(anchor),
                                  static_cast<long>(caret));
    doc_->ReplaceSelection(Wide("AB"), 2);
    const std::string expected = anchor == caret ? "01AB23456789" : "01AB6789";
    QVERIFY(doc_->Bytes() == expected);
    const TextSelection after = doc_->GetSelection();
    QCOMPARE(after.start, 4);
    QCOMPARE(after.end, 4);
  }

  // Each replacement moves the selection exactly as the in-memory document does.
  void selectionMovesLikeTheMemoryDocument_data() {
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selEnd");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("text");
    QTest::newRow("before the range") << 1 << 2 << 4 << 6 << "xyz";
    QTest::newRow("inside the range") << 4 << 5 << 3 << 7 << "q";
    QTest::newRow("behind the range, grows") << 8 << 9 << 2 << 3 << "long text";
    QTest::newRow("behind the range, shrinks") << 8 << 10 << 1 << 6 << "";
    QTest::newRow("end meets insertion") << 2 << 5 << 5 << 5 << "ins";
    QTest::newRow("caret at insertion") << 5 << 5 << 5 << 5 << "ins";
    QTest::newRow("spanning the range") << 1 << 9 << 3 << 5 << "--";
  }
  void selectionMovesLikeTheMemoryDocument() {
    QFETCH(int, selStart);
    QFETCH(int, selEnd);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, text);
    Make(DisplayCodePage::Utf8);
    MemoryDocument memory;
    for (plinvaro::RichDocument* doc : {static_cast<plinvaro::RichDocument*>(doc_.get()),
                                        static_cast<plinvaro::RichDocument*>(&memory)}) {
      doc->ReplaceRange(0, 0, Wide("abcdefghijkl"));
      doc->SetSelection(selStart, selEnd);
      doc->ReplaceRange(from, to, Wide(text.toStdString()));
    }
    QVERIFY(doc_->Bytes() == Narrow(memory.text()));
    QCOMPARE(doc_->GetSelection().start, memory.GetSelection().start);
    QCOMPARE(doc_->GetSelection().end, memory.GetSelection().end);
  }

  void theTailOf63BytesComesBackExactly() {
    Make(DisplayCodePage::Utf8);
    std::string text;
    for (int i = 0; i < 40; ++i) text += "w\xE9rd\xC3 \r\n";
    doc_->ReplaceSelection(Wide(text), static_cast<std::int32_t>(text.size()));
    const std::int32_t n = doc_->Length();
    QVERIFY(Narrow(doc_->GetRangeText(n - 63, n)) == text.substr(text.size() - 63));
    QVERIFY(doc_->GetRangeText(n, n + 5).empty());
  }

  void clearScrollAndFontKeepTheText() {
    Make(DisplayCodePage::Utf8);
    doc_->SetDefaultFont("Times New Roman", 240);
    QCOMPARE(QString::fromStdString(doc_->FontFace()), QString("Times New Roman"));
    QCOMPARE(doc_->FontTwips(), 240);
    doc_->SetBackground({250, 230, 206});
    QVERIFY((doc_->Background() == plinvaro::Rgb{250, 230, 206}));
    std::string many;
    for (int i = 0; i < 200; ++i) many += "line\r\n";
    doc_->ReplaceRange(0, 0, Wide(many));
    doc_->SetSelection(10, 10);
    doc_->ScrollToBottom();
    doc_->ScrollToTop();
    QCOMPARE(doc_->GetSelection().start, 10);
    doc_->Clear();
    QCOMPARE(doc_->Length(), 0);
  }

  // Line ends may be converted on the way through the clipboard; other bytes are kept.
  void clipboardRoundTripKeepsBytes_data() { AddCodePages(); }
  void clipboardRoundTripKeepsBytes() {
    QFETCH(DisplayCodePage, page);
    Make(page);
    const std::string high = page == DisplayCodePage::Utf8 ? "\xC3\xA9" : "\xE9";
    const std::string text = "alph" + high + "\nbeta";
    doc_->ReplaceRange(0, 0, Wide(text));
    const auto copied = static_cast<std::int32_t>(text.size() - 4);
    doc_->SetSelection(0, copied);
    doc_->Copy();
    QVERIFY(doc_->CanPaste());
    doc_->SetSelection(doc_->Length(), doc_->Length());
    doc_->Paste();
    QVERIFY(doc_->Bytes() == text + text.substr(0, static_cast<std::size_t>(copied)));
    doc_->SetSelection(0, 4);
    doc_->Cut();
    QVERIFY(doc_->Bytes().substr(0, high.size() + 2) == high + "\nb");
    QApplication::clipboard()->clear();
    QVERIFY(!doc_->CanPaste());
  }
};

QTEST_MAIN(ScintillaDocumentTest)
#include "ScintillaDocumentTest.moc"
