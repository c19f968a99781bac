#pragma once
// TSynEditWidget: the scrolling view over one TSynEditEngine shared by the code editor and the
// plain editor. It paints the visible rows, the caret and the selection, turns keys, mouse,
// wheel and input-method text into engine calls, and keeps the stored line start ranges
// current. Editing rules live in the engine; highlighter choice and the gutter's contents are
// the subclasses'.

#include "codeedit/SynEditEngine.h"
#include "codeedit/SynEditKeyBindings.h"
#include "codeedit/SynEditLineCaches.h"
#include "codeedit/qt/SynEditAccessibility.h"
#include "codeedit/qt/SynEditMetrics.h"
#include "codeedit/qt/SynEditPainter.h"
#include "codeedit/qt/SynEditWrapRows.h"

#include <QAbstractScrollArea>
#include <QElapsedTimer>
#include <QFont>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

class TSynEditWidget : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TSynEditWidget(QWidget* parent = nullptr);
    ~TSynEditWidget() override;

    TSynEditEngine& Engine() { return engine; }
    const TSynEditEngine& Engine() const { return engine; }
    TSynEditStringList& Lines() { return engine.Lines(); }
    const TSynEditStringList& Lines() const { return engine.Lines(); }

    // The encoding the text's bytes are in (the document's); the bytes stay as they are.
    void SetTextEncoding(const Encoding& encoding);

    // ---- Appearance ----
    QFont Font() const { return editorFont; }
    void SetFont(const QFont& font);
    // The font's colour; clWindowText by default.
    TColor FontColor() const { return fontColor; }
    void SetFontColor(TColor color);
    // The editor's own background; clWindow by default.
    TColor Color() const { return color; }
    void SetColor(TColor value);
    int TabWidth() const { return engine.TabWidth(); }
    void SetTabWidth(int width);
    bool ReadOnly() const { return engine.ReadOnly(); }
    void SetReadOnly(bool value);
    bool WordWrap() const { return wordWrap; }
    virtual void SetWordWrap(bool value);

    const TSynEditKeyStrokes& KeyStrokes() const { return keyStrokes; }
    void SetKeyStrokes(const TSynEditKeyStrokes& strokes) { keyStrokes = strokes; }

    // ---- Marks ----
    // Text painted on a background of its own (a search's matches): the ranges that start on
    // the lines in view, first to last, asked at every paint. Empty: nothing is marked.
    using MarkSource = std::function<std::vector<BufferRange>(LineIndex first, LineIndex last)>;
    void SetMarks(MarkSource source);

    // ---- Commands ----
    // Runs a command as a key would: clipboard commands use the system clipboard, and the
    // caret is scrolled into view afterwards.
    void ExecuteCommand(TSynEditorCommand command, std::string_view text = {});
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    // Where the platform has a primary selection (X11), selected text is offered there once the
    // selection settles, and a middle click pastes it at the click.
    void PublishSelection();
    void PasteSelectionAt(QPoint point);
    void SelectAll();
    void EnsureCaretVisible();

    // ---- Geometry (viewport coordinates) ----
    int LineHeight() const { return metrics->LineHeight(); }
    // The first line shown at the top.
    LineIndex TopLine() const { return engine.TopLine(); }
    void SetTopLine(LineIndex line);
    // Text position under a viewport point (clamped to the text).
    BufferPosition PositionAt(QPoint point);
    // The caret's rectangle in viewport coordinates (empty when it is not in view).
    QRect CaretRect();
    // The rectangle of the character at a position (a line end: a space's width), in viewport
    // coordinates; empty when it is not in view.
    QRect CharacterRect(BufferPosition position);
    // What assistive technology reads the text through.
    TSynEditAccessibility& Accessibility() { return *accessibility; }
    // Paints the view as the viewport would (benchmarks and tests paint into an image).
    void PaintView(QPainter& painter, const QRect& area);
    // The editor's font colour, colour and font style, as tokens fall back to them.
    TSynEditorLook Look() const;
    // How the text is coloured now, with system colours from the given set (system must
    // outlive the resolver): painting passes the widget's palette, export too.
    TSynStyleResolver StyleResolver(const TSystemColors& system) const;
    // The highlighter that colours the text now (nullptr: font alone).
    TSynCustomHighlighter* ColouringHighlighter() const { return PaintingHighlighter(); }
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

signals:
    // The subclass chooses which changes count: see ChangeSignalSource.
    void Changed();
    void CaretMoved();
    void KeyPressed(QKeyEvent* event);
    void KeyReleased(QKeyEvent* event);
    void MousePressed(QMouseEvent* event);

protected:
    enum class ChangeSignalSource { UndoableEdits, AllTextChanges };
    void SetChangeSignalSource(ChangeSignalSource source) { changeSource = source; }

    // The highlighter that colours the text now (nullptr: font alone), and the one whose
    // ranges are kept (attached, even while disabled).
    virtual TSynCustomHighlighter* PaintingHighlighter() const { return nullptr; }
    virtual TSynCustomHighlighter* RangeHighlighter() const { return nullptr; }
    // The gutter at the left of the text; 0 for none.
    virtual int GutterWidth() const { return 0; }
    using VisibleRow = TSynVisibleRow;
    virtual void PaintGutter(QPainter& /*painter*/, const std::vector<VisibleRow>& /*rows*/,
                             const QRect& /*area*/) {}
    // Background of the text area: the whitespace attribute's when it has one of its own.
    QColor TextBackground() const;
    QColor ResolvedFontColor() const;
    // Re-reads gutter width, font geometry and scroll ranges after a change of either.
    void LayoutChanged();
    // Forgets all stored ranges (a new highlighter) and repaints; the painted lines are
    // scanned again when painted.
    void RescanAllRanges();
    // Makes the stored start ranges right through lastLine: the lines after the last current
    // one are scanned only when shown.
    void MakeRangesCurrent(LineIndex lastLine);
    std::vector<VisibleRow> VisibleRows();

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void changeEvent(QEvent* event) override;

private:
    void LinesChanged(const TSynLinesChange& change);
    void CaretChanged();
    void UpdateScrollBars();
    void SyncTopLineFromEngine();
    void RestartBlink();
    void UpdateLines(LineIndex first, LineIndex last);
    // x of the text origin in viewport coordinates (gutter, margin and horizontal scroll).
    qreal TextOriginX() const;
    int TextAreaLeft() const;
    int TextAreaWidth() const;
    // Row starts (byte columns) of a line; one row without word wrap. Cached until the text,
    // the font or the width changes: a line is laid out whole when first asked for, and the
    // rows an edit leaves unknown (past a cut or a join) are made as far as asked for and the
    // rest while the editor is idle. At least the starts of the first `rows` rows and of the
    // row after them, or all of them when the line has no more.
    const std::vector<std::size_t>& RowStarts(LineIndex line, std::size_t rows = SIZE_MAX);
    // The same, as far as the row after the one holding column.
    const std::vector<std::size_t>& RowStartsThrough(LineIndex line, std::size_t column);
    void ForgetLayout();
    // Keeps the cached rows of the lines a change left, and rewraps the lines it changed from
    // the rows of the old ones.
    void ForgetRows(const TSynLinesChange& change);
    // Makes a slice of the rows an edit left unknown; again later while some are.
    void ContinueRows();
    // x of a byte column within a row, remembered for the caret of a long line.
    qreal XOfCaret(LineIndex line, std::size_t rowFrom, std::size_t rowTo, std::size_t column);
    // The row holding a position: its start, end, and index among the line's rows.
    struct RowSpan {
        std::size_t from, to;
        int index;
    };
    RowSpan RowOf(BufferPosition position);
    // Top left of a position's row and x, in viewport coordinates; nothing when not in view.
    std::optional<QPointF> PointOf(BufferPosition position);
    // x of a column in a row and the column at an x in it, both from the row's left edge; the
    // first row of a long line walks from its nearest checkpoint.
    qreal XInRow(LineIndex line, std::size_t rowFrom, std::size_t rowTo, std::size_t column);
    std::size_t ColumnInRow(LineIndex line, std::size_t rowFrom, std::size_t rowTo, qreal x);
    // The checkpoints of a long line (nullptr for a short one).
    TSynXCheckpoints* CheckpointsOf(LineIndex line);
    void ForgetCheckpoints(const TSynLinesChange& change);
    // Lets the painter start a long line's first row at its last checkpoint left of the view.
    void SkipLeftOfView(TSynRow& row, qreal viewLeft);
    qreal XOfDisplayColumn(LineIndex line, std::size_t rowFrom, std::size_t rowTo,
                           DisplayColumn column);
    void PaintSelection(TSynLinePainter& painter, const VisibleRow& row, qreal originX,
                        qreal clipLeft, qreal clipRight);
    void PaintMarks(TSynLinePainter& painter, const std::vector<BufferRange>& marks,
                    const VisibleRow& row, qreal originX, qreal clipLeft, qreal clipRight);
    // Where a range covers a row, as x from the text origin; nothing where it does not.
    struct RowCover {
        qreal left, right;
    };
    std::optional<RowCover> CoverOnRow(const TSynRow& row, BufferRange range);
    void PaintCaret(QPainter& painter);
    void TrackWidth(LineIndex line);
    // Up and Down in word wrap go by rows, which only the view knows, aiming at one x.
    void MoveByRow(int direction, TSynCaretMove move);
    void ExtendByMouse(QPoint point);

    TSynEditEngine engine;
    std::unique_ptr<TSynEditAccessibility> accessibility;
    TSynEditKeyStrokes keyStrokes;
    MarkSource marks;
    QFont editorFont;
    std::unique_ptr<TSynTextMetrics> metrics;
    TColor fontColor = clWindowText;
    TColor color = clWindow;
    bool wordWrap = false;
    ChangeSignalSource changeSource = ChangeSignalSource::AllTextChanges;
    // Stored start ranges are right through this line (NoLine: none is).
    LineIndex rangesValidThrough = NoLine;

    // Row of the top line shown first in word wrap.
    int topRow = 0;
    // Widest text seen so far (pixels): the horizontal scroll range grows as lines are seen,
    // so no edit has to measure every line.
    qreal widestLine = 0;
    TSynLineCache<TSynRowStarts> rowCache;
    TSynLinesCheckpoints<qreal> checkpoints;
    TSynLineScans scans;
    std::vector<std::size_t> singleRow{0};
    struct CaretX {
        LineIndex line = NoLine;
        std::size_t rowFrom = 0, column = 0;
        qreal x = 0;
    } caretX;
    QTimer blinkTimer;
    QTimer autoScrollTimer;
    QTimer scanContinuation;
    QTimer rowContinuation;
    // Offers a changed selection once the event that changed it is done.
    QTimer selectionSettled;
    QPoint lastMousePoint;
    bool caretShown = true;
    bool mouseSelecting = false;
    bool columnByMouse = false;
    QElapsedTimer lastDoubleClick;
    QString preedit;
    BufferPosition lastCaret{};
    bool hadSelection = false;
    // The caret was last brought into view and nothing has been painted since.
    bool caretUnseen = false;
    qreal rowMoveX = -1;
};
