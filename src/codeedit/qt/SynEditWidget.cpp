#include "codeedit/qt/SynEditWidget.h"

#include "codeedit/SynEditRanges.h"
#include "codeedit/qt/ColorQt.h"
#include "codeedit/qt/SynEditAccessible.h"
#include "codeedit/qt/SynEditWrapRows.h"
#include "platform/qt/EncodingQt.h"

#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleHints>
#include <algorithm>
#include <climits>
#include <cmath>

namespace {

constexpr int kTextMargin = 2;
// Lines longer than this are not measured for the horizontal range; their width is estimated.
constexpr std::size_t kMeasuredLineLimit = 4096;
// The last line UpdateLines repaints when all below the first changes.
constexpr LineIndex kViewEnd(INT_MAX);

QFont PaintingFont(QFont font) {
    // Advances are summed per character; kerning would move glyphs away from the caret.
    font.setKerning(false);
    return font;
}

} // namespace

TSynEditWidget::TSynEditWidget(QWidget* parent)
    : QAbstractScrollArea(parent),
      accessibility(std::make_unique<TSynEditAccessibility>(*this, engine)) {
    InstallSynEditAccessibleFactory();
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    editorFont.setFamily(QStringLiteral("Courier New"));
    editorFont.setPixelSize(13);
    QWidget::setFont(editorFont);
    metrics = std::make_unique<TSynTextMetrics>(PaintingFont(editorFont), engine.TabWidth());

    engine.OnLinesChanged = [this](const TSynLinesChange& change) { LinesChanged(change); };
    engine.OnTextChanged = [this] {
        if (changeSource == ChangeSignalSource::AllTextChanges)
            emit Changed();
    };
    engine.OnUndoListChanged = [this] {
        if (changeSource == ChangeSignalSource::UndoableEdits)
            emit Changed();
    };
    engine.OnCaretChanged = [this] { CaretChanged(); };
    engine.OnBookmarksChanged = [this] { viewport()->update(); };
    engine.OnStatusChanged = [this] { viewport()->update(); };

    const int flash = QGuiApplication::styleHints()->cursorFlashTime();
    blinkTimer.setInterval(flash > 0 ? flash / 2 : 500);
    connect(&blinkTimer, &QTimer::timeout, this, [this] {
        caretShown = !caretShown;
        viewport()->update(CaretRect().adjusted(-1, 0, 1, 0));
    });
    selectionSettled.setSingleShot(true);
    selectionSettled.setInterval(0);
    connect(&selectionSettled, &QTimer::timeout, this, [this] {
        // A selection still growing under the mouse is offered when the button goes up.
        if (!mouseSelecting)
            PublishSelection();
    });
    // The scan of a long line that a paint left unfinished goes on in the next one.
    scanContinuation.setSingleShot(true);
    scanContinuation.setInterval(0);
    connect(&scanContinuation, &QTimer::timeout, viewport(), qOverload<>(&QWidget::update));
    rowContinuation.setSingleShot(true);
    rowContinuation.setInterval(0);
    connect(&rowContinuation, &QTimer::timeout, this, [this] { ContinueRows(); });
    autoScrollTimer.setInterval(50);
    connect(&autoScrollTimer, &QTimer::timeout, this, [this] {
        if (mouseSelecting)
            ExtendByMouse(lastMousePoint);
        else
            autoScrollTimer.stop();
    });
    LayoutChanged();
}

TSynEditWidget::~TSynEditWidget() {
    engine.OnLinesChanged = nullptr;
    engine.OnTextChanged = nullptr;
    engine.OnUndoListChanged = nullptr;
    engine.OnCaretChanged = nullptr;
    engine.OnBookmarksChanged = nullptr;
    engine.OnStatusChanged = nullptr;
}

// ---- Appearance ----------------------------------------------------------------------------

void TSynEditWidget::SetFont(const QFont& font) {
    editorFont = font;
    QWidget::setFont(font);
    metrics = std::make_unique<TSynTextMetrics>(PaintingFont(font), engine.TabWidth());
    widestLine = 0;
    checkpoints.Clear();
    LayoutChanged();
}

void TSynEditWidget::SetTextEncoding(const Encoding& encoding) {
    engine.SetEncoding(encoding);
    accessibility->EncodingChanged();
    widestLine = 0;
    checkpoints.Clear();
    LayoutChanged();
}

void TSynEditWidget::SetFontColor(TColor value) {
    fontColor = value;
    viewport()->update();
}

void TSynEditWidget::SetColor(TColor value) {
    color = value;
    viewport()->update();
}

void TSynEditWidget::SetTabWidth(int width) {
    engine.SetTabWidth(width);
    metrics = std::make_unique<TSynTextMetrics>(PaintingFont(editorFont), engine.TabWidth());
    widestLine = 0;
    checkpoints.Clear();
    LayoutChanged();
}

void TSynEditWidget::SetReadOnly(bool value) {
    engine.SetReadOnly(value);
}

void TSynEditWidget::SetWordWrap(bool value) {
    if (wordWrap == value)
        return;
    wordWrap = value;
    topRow = 0;
    horizontalScrollBar()->setValue(0);
    LayoutChanged();
    EnsureCaretVisible();
}

TSynEditorLook TSynEditWidget::Look() const {
    TFontStyles fontStyle = 0;
    if (editorFont.bold())
        fontStyle |= fsBold;
    if (editorFont.italic())
        fontStyle |= fsItalic;
    if (editorFont.underline())
        fontStyle |= fsUnderline;
    if (editorFont.strikeOut())
        fontStyle |= fsStrikeOut;
    return {fontColor, color, fontStyle};
}

TSynStyleResolver TSynEditWidget::StyleResolver(const TSystemColors& system) const {
    return TSynStyleResolver(Look(), system, PaintingHighlighter());
}

QColor TSynEditWidget::ResolvedFontColor() const {
    const TSystemColors system = SystemColorsFromPalette(palette());
    return ToQColor(StyleResolver(system).FontColor());
}

QColor TSynEditWidget::TextBackground() const {
    const TSystemColors system = SystemColorsFromPalette(palette());
    return ToQColor(StyleResolver(system).TextBackground());
}

void TSynEditWidget::LayoutChanged() {
    ForgetLayout();
    engine.SetPageRows(std::max(1, viewport()->height() / metrics->LineHeight()));
    horizontalScrollBar()->setSingleStep(std::max(1, int(metrics->SpaceWidth())));
    // A wrapped top line may have fewer rows at the new width.
    if (wordWrap && TopLine().Value() < Lines().Count())
        topRow = std::min(topRow, int(RowStarts(TopLine(), std::size_t(topRow) + 1).size()) - 1);
    UpdateScrollBars();
    viewport()->update();
}

void TSynEditWidget::RescanAllRanges() {
    rangesValidThrough = NoLine;
    scans.Clear();
    viewport()->update();
}

void TSynEditWidget::MakeRangesCurrent(LineIndex lastLine) {
    rangesValidThrough =
        ScanThrough(Lines(), RangeHighlighter(), rangesValidThrough, lastLine, &scans);
}

// ---- Geometry ------------------------------------------------------------------------------

int TSynEditWidget::TextAreaLeft() const {
    return GutterWidth();
}

int TSynEditWidget::TextAreaWidth() const {
    return std::max(1, viewport()->width() - TextAreaLeft() - kTextMargin);
}

qreal TSynEditWidget::TextOriginX() const {
    const int scrolled = wordWrap ? 0 : horizontalScrollBar()->value();
    return TextAreaLeft() + kTextMargin - scrolled;
}

const std::vector<std::size_t>& TSynEditWidget::RowStarts(LineIndex line, std::size_t rows) {
    if (!wordWrap || line.Value() >= Lines().Count())
        return singleRow;
    auto cached = rowCache.find(line);
    if (cached == rowCache.end()) {
        // Only the rows near the view are ever asked for; keep the cache to about a screen's
        // worth.
        if (rowCache.size() > 512)
            rowCache.clear();
        cached = rowCache.emplace(line, TSynRowStarts{}).first;
        rows = SIZE_MAX;
    }
    ExtendRows(cached->second, Lines().Get(line), 0, rows, TextAreaWidth(), engine.TextEncoding(),
               *metrics);
    return cached->second.starts;
}

const std::vector<std::size_t>& TSynEditWidget::RowStartsThrough(LineIndex line,
                                                                 std::size_t column) {
    const std::vector<std::size_t>& starts = RowStarts(line, 0);
    if (!wordWrap || line.Value() >= Lines().Count())
        return starts;
    TSynRowStarts& rows = rowCache.find(line)->second;
    ExtendRows(rows, Lines().Get(line), column, 0, TextAreaWidth(), engine.TextEncoding(),
               *metrics);
    return rows.starts;
}

void TSynEditWidget::ForgetLayout() {
    rowCache.clear();
    caretX.line = NoLine;
}

void TSynEditWidget::ForgetRows(const TSynLinesChange& change) {
    caretX.line = NoLine;
    if (change.wholeText) {
        rowCache.clear();
        return;
    }
    const TSynEditEngine::LineEditSpan span = engine.EditedSpan();
    if (change.removed == 1 && change.inserted == 1) {
        auto cached = rowCache.find(change.index);
        if (cached != rowCache.end()) {
            RewrapAfterEdit(cached->second, Lines().Get(change.index), span.prefix, span.suffix,
                            span.oldLength, TextAreaWidth(), engine.TextEncoding(), *metrics);
            if (!cached->second.complete)
                rowContinuation.start();
        }
        return;
    }
    // Lines past the change move with it; the first and last new lines keep what they took of
    // the first and last old ones.
    TSynCacheAcrossChange<TSynRowStarts> across = TakeAcrossChange(rowCache, change);
    const TSynRowStarts* first = across.firstOld;
    const TSynRowStarts* last = across.lastOld;
    const auto rewrap = [&](LineIndex line, const TSynRowStarts& head, std::size_t prefix,
                            const TSynRowStarts& tail, std::size_t suffix) {
        across.kept.emplace(line, RewrapJoined(head, prefix, tail, span.oldLength, suffix,
                                               Lines().Get(line), TextAreaWidth(),
                                               engine.TextEncoding(), *metrics));
    };
    if (change.inserted == 1 && first) {
        rewrap(change.index, *first, span.prefix, last ? *last : TSynRowStarts{},
               last ? span.suffix : 0);
    } else if (change.inserted > 1) {
        if (first)
            rewrap(change.index, *first, span.prefix, {}, 0);
        if (last && span.suffix > 0)
            rewrap(change.index + (change.inserted - 1), {}, 0, *last, span.suffix);
    }
    rowCache.swap(across.kept);
    rowContinuation.start();
}

void TSynEditWidget::ContinueRows() {
    // About a megabyte of text a slice.
    constexpr std::size_t kRowsPerSlice = 8192;
    for (auto& [line, rows] : rowCache) {
        if (rows.complete || !wordWrap || line.Value() >= Lines().Count())
            continue;
        ExtendRows(rows, Lines().Get(line), 0, rows.starts.size() + kRowsPerSlice, TextAreaWidth(),
                   engine.TextEncoding(), *metrics);
        rowContinuation.start();
        return;
    }
}

qreal TSynEditWidget::XOfCaret(LineIndex line, std::size_t rowFrom, std::size_t rowTo,
                               std::size_t column) {
    if (caretX.line != line || caretX.rowFrom != rowFrom || caretX.column != column) {
        caretX = CaretX{line, rowFrom, column, XInRow(line, rowFrom, rowTo, column)};
    }
    return caretX.x;
}

TSynXCheckpoints* TSynEditWidget::CheckpointsOf(LineIndex line) {
    return checkpoints.Of(line, Lines().Get(line).size());
}

void TSynEditWidget::ForgetCheckpoints(const TSynLinesChange& change) {
    const TSynEditEngine::LineEditSpan span = engine.EditedSpan();
    checkpoints.Changed(
        change, span.prefix, span.suffix, span.oldLength, Lines(),
        [this](std::string_view text) { return XWalk(text, engine.TextEncoding(), *metrics); });
}

qreal TSynEditWidget::XInRow(LineIndex line, std::size_t rowFrom, std::size_t rowTo,
                             std::size_t column) {
    const std::string_view text = Lines().Get(line);
    TSynXCheckpoints* points = rowFrom == 0 ? CheckpointsOf(line) : nullptr;
    const TSynXCheckpoints::Point start =
        points ? points->AtOrBefore(column, XWalk(text, engine.TextEncoding(), *metrics))
               : TSynXCheckpoints::Point{rowFrom, 0};
    return XOfColumn(text, start.column, rowTo, column, engine.TextEncoding(), *metrics,
                     start.value);
}

std::size_t TSynEditWidget::ColumnInRow(LineIndex line, std::size_t rowFrom, std::size_t rowTo,
                                        qreal x) {
    const std::string_view text = Lines().Get(line);
    TSynXCheckpoints* points = rowFrom == 0 ? CheckpointsOf(line) : nullptr;
    const TSynXCheckpoints::Point start =
        points ? points->AtOrBeforeValue(x, XWalk(text, engine.TextEncoding(), *metrics))
               : TSynXCheckpoints::Point{rowFrom, 0};
    return ColumnAtX(text, start.column, rowTo, x, engine.TextEncoding(), *metrics, false,
                     start.value);
}

TSynEditWidget::RowSpan TSynEditWidget::RowOf(BufferPosition position) {
    const std::vector<std::size_t>& starts =
        RowStartsThrough(position.line, position.column.Value());
    auto next = std::upper_bound(starts.begin(), starts.end(), position.column.Value());
    const int index = int(next - starts.begin()) - 1;
    return RowSpan{starts[std::size_t(index)], next == starts.end() ? SIZE_MAX : *next, index};
}

std::vector<TSynEditWidget::VisibleRow> TSynEditWidget::VisibleRows() {
    std::vector<VisibleRow> rows;
    const LineIndex end(Lines().Count());
    const int height = viewport()->height();
    int top = 0;
    for (LineIndex line = TopLine(); line < end && top < height; ++line) {
        const std::size_t first = line == TopLine() ? std::size_t(std::max(0, topRow)) : 0;
        const std::vector<std::size_t>& starts =
            RowStarts(line, first + std::size_t((height - top) / LineHeight()) + 1);
        for (std::size_t r = first; r < starts.size() && top < height; ++r) {
            const std::size_t end = r + 1 < starts.size() ? starts[r + 1] : SIZE_MAX;
            rows.push_back(VisibleRow{TSynRow{line, starts[r], end}, top, r == 0});
            top += LineHeight();
        }
    }
    return rows;
}

BufferPosition TSynEditWidget::PositionAt(QPoint point) {
    const std::vector<VisibleRow> rows = VisibleRows();
    if (rows.empty())
        return engine.Clamp(BufferPosition{TopLine(), ByteColumn(0)});
    auto row = std::find_if(rows.begin(), rows.end(), [&](const VisibleRow& candidate) {
        return point.y() < candidate.top + LineHeight();
    });
    if (row == rows.end())
        --row;
    const std::size_t column =
        ColumnInRow(row->row.line, row->row.from, row->row.to, point.x() - TextOriginX());
    return engine.Clamp(BufferPosition{row->row.line, ByteColumn(column)});
}

std::optional<QPointF> TSynEditWidget::PointOf(BufferPosition position) {
    const LineIndex line = position.line;
    if (line < TopLine())
        return std::nullopt;
    int top = -topRow * LineHeight();
    for (LineIndex l = TopLine(); l < line; ++l) {
        const std::size_t left = std::size_t((viewport()->height() - top) / LineHeight()) + 1;
        top += int(std::min(RowStarts(l, left).size(), left)) * LineHeight();
        if (top >= viewport()->height())
            return std::nullopt;
    }
    qreal x = 0;
    if (line.Value() < Lines().Count()) {
        const RowSpan span = RowOf(position);
        top += span.index * LineHeight();
        const std::size_t column = position.column.Value();
        x = position == engine.Caret() ? XOfCaret(line, span.from, span.to, column)
                                       : XInRow(line, span.from, span.to, column);
    }
    if (top < 0 || top >= viewport()->height())
        return std::nullopt;
    return QPointF(TextOriginX() + x, top);
}

QRect TSynEditWidget::CaretRect() {
    const std::optional<QPointF> point = PointOf(engine.Caret());
    if (!point)
        return QRect();
    qreal width = 2;
    if (engine.InsertMode() == TSynInsertMode::Overwrite)
        width = std::max<qreal>(2, metrics->SpaceWidth());
    return QRect(ClampedPixels(std::floor(point->x())), int(point->y()), int(std::ceil(width)),
                 LineHeight());
}

qreal TSynEditWidget::XOfDisplayColumn(LineIndex line, std::size_t rowFrom, std::size_t rowTo,
                                       DisplayColumn column) {
    const ByteColumn byte = engine.ColumnAtDisplay(line, column);
    const DisplayColumn reached = engine.DisplayColumnOf(BufferPosition{line, byte});
    return XInRow(line, rowFrom, rowTo, byte.Value()) +
           std::max(0, column - reached) * metrics->SpaceWidth();
}

// ---- Scrolling -----------------------------------------------------------------------------

void TSynEditWidget::UpdateScrollBars() {
    const int rows = std::max(1, viewport()->height() / LineHeight());
    const int count = std::max(1, Lines().Count());
    QScrollBar* vertical = verticalScrollBar();
    vertical->setPageStep(rows);
    vertical->setSingleStep(1);
    vertical->setRange(0, wordWrap ? count - 1 : std::max(0, count - rows));
    QScrollBar* horizontal = horizontalScrollBar();
    horizontal->setPageStep(TextAreaWidth());
    horizontal->setRange(
        0, wordWrap ? 0
                    : std::max(0, ClampedPixels(std::ceil(widestLine + metrics->SpaceWidth())) -
                                      TextAreaWidth()));
}

void TSynEditWidget::SetTopLine(LineIndex wanted) {
    const int line = std::clamp(wanted.Value(), 0, std::max(0, Lines().Count() - 1));
    topRow = 0;
    if (verticalScrollBar()->value() != line)
        verticalScrollBar()->setValue(line);
    if (TopLine().Value() != line || verticalScrollBar()->value() != line) {
        engine.SetTopLine(LineIndex(verticalScrollBar()->value()));
        viewport()->update();
    }
}

void TSynEditWidget::SyncTopLineFromEngine() {
    const int wanted = TopLine().Value();
    if (verticalScrollBar()->value() != wanted) {
        topRow = 0;
        verticalScrollBar()->setValue(wanted);
    }
    if (TopLine().Value() != verticalScrollBar()->value())
        engine.SetTopLine(LineIndex(verticalScrollBar()->value()));
}

void TSynEditWidget::scrollContentsBy(int /*dx*/, int dy) {
    if (dy != 0) {
        topRow = 0;
        engine.SetTopLine(LineIndex(verticalScrollBar()->value()));
    }
    viewport()->update();
}

void TSynEditWidget::EnsureCaretVisible() {
    caretUnseen = true;
    const BufferPosition caret = engine.Caret();
    const LineIndex line = caret.line;
    const int rows = std::max(1, viewport()->height() / LineHeight());
    if (!wordWrap) {
        if (line < TopLine())
            SetTopLine(line);
        else if (line >= TopLine() + rows)
            SetTopLine(line - (rows - 1));
        if (line.Value() < Lines().Count()) {
            const qreal x = XOfCaret(line, 0, SIZE_MAX, caret.column.Value());
            const int width = TextAreaWidth();
            QScrollBar* horizontal = horizontalScrollBar();
            widestLine = std::max(widestLine, x + metrics->SpaceWidth());
            // Widths seen while painting reach the range only later; the caret needs it now.
            UpdateScrollBars();
            if (x < horizontal->value())
                horizontal->setValue(std::max(0, ClampedPixels(x) - width / 4));
            else if (x + metrics->SpaceWidth() > horizontal->value() + width)
                horizontal->setValue(ClampedPixels(std::ceil(x + metrics->SpaceWidth())) - width +
                                     width / 4);
        }
        return;
    }
    const int rowIndex = line.Value() < Lines().Count() ? RowOf(caret).index : 0;
    if (line < TopLine() || (line == TopLine() && rowIndex < topRow)) {
        SetTopLine(line);
        topRow = rowIndex;
        viewport()->update();
        return;
    }
    // Count the rows from the top of the view to the caret's row; scroll down by the excess.
    // Counting stops past two screens: that is far enough to tell a caret far below.
    int rowsAbove = -topRow;
    for (LineIndex l = TopLine(); l < line && rowsAbove < 2 * rows; ++l) {
        const std::size_t left = std::size_t(2 * rows - rowsAbove);
        rowsAbove += int(std::min(RowStarts(l, left).size(), left));
    }
    rowsAbove += rowIndex;
    if (rowsAbove < rows)
        return;
    if (rowsAbove - rows + 1 > rows) {
        // Far below: put the caret's row at the bottom, walking up one screen from it rather
        // than down every line between.
        LineIndex top = line;
        int firstRow = rowIndex;
        for (int above = rows - 1; above > 0; --above) {
            if (firstRow > 0) {
                --firstRow;
            } else if (top > LineIndex(0)) {
                --top;
                firstRow = int(RowStarts(top).size()) - 1;
            } else {
                break;
            }
        }
        SetTopLine(top);
        topRow = firstRow;
        viewport()->update();
        return;
    }
    int excess = rowsAbove - rows + 1;
    while (excess-- > 0) {
        if (topRow + 1 < int(RowStarts(TopLine(), std::size_t(topRow) + 1).size())) {
            ++topRow;
        } else {
            SetTopLine(TopLine() + 1);
        }
    }
    viewport()->update();
}

// ---- Engine notifications ------------------------------------------------------------------

void TSynEditWidget::LinesChanged(const TSynLinesChange& change) {
    accessibility->LinesChanged(change);
    ForgetRows(change);
    ForgetCheckpoints(change);
    const TSynEditEngine::LineEditSpan span = engine.EditedSpan();
    scans.Changed(change, span.prefix, span.suffix, span.oldLength, Lines());
    const TSynLazyRescan rescan =
        RescanCurrent(Lines(), RangeHighlighter(), change, rangesValidThrough, &scans);
    rangesValidThrough = rescan.validThrough;
    const LineIndex last = rescan.lastRescanned;
    if (change.wholeText) {
        widestLine = 0;
        topRow = 0;
        UpdateScrollBars();
        viewport()->update();
        return;
    }
    if (change.removed != change.inserted || wordWrap) {
        UpdateScrollBars();
        UpdateLines(change.index, kViewEnd);
    } else {
        UpdateLines(change.index, std::max(last, change.index + (change.inserted - 1)));
    }
    for (LineIndex i = change.index; i < change.index + std::min(change.inserted, 8); ++i)
        TrackWidth(i);
}

void TSynEditWidget::TrackWidth(LineIndex line) {
    if (wordWrap || line.Value() < 0 || line.Value() >= Lines().Count())
        return;
    const std::string_view text = Lines().Get(line);
    // Most lines cannot be wider than the widest seen: skip measuring them.
    if (qreal(text.size()) * metrics->MaxAdvance() <= widestLine)
        return;
    const qreal width = text.size() > kMeasuredLineLimit
                            ? qreal(text.size()) * metrics->SpaceWidth()
                            : TextWidth(text, 0, text.size(), engine.TextEncoding(), *metrics);
    if (width > widestLine) {
        widestLine = width;
        QMetaObject::invokeMethod(
            this, [this] { UpdateScrollBars(); }, Qt::QueuedConnection);
    }
}

void TSynEditWidget::UpdateLines(LineIndex first, LineIndex last) {
    if (wordWrap || first < TopLine()) {
        viewport()->update();
        return;
    }
    const int top = (first - TopLine()) * LineHeight();
    if (top >= viewport()->height())
        return;
    const int bottom = last == kViewEnd
                           ? viewport()->height()
                           : std::min(viewport()->height(), (last - TopLine() + 1) * LineHeight());
    viewport()->update(QRect(0, top, viewport()->width(), bottom - top));
}

void TSynEditWidget::CaretChanged() {
    const bool selection = engine.SelectionAvailable();
    if (selection || hadSelection) {
        viewport()->update();
    } else {
        UpdateLines(lastCaret.line, lastCaret.line);
        UpdateLines(engine.Caret().line, engine.Caret().line);
        if (wordWrap)
            viewport()->update();
    }
    hadSelection = selection;
    if (selection)
        selectionSettled.start();
    lastCaret = engine.Caret();
    EnsureCaretVisible();
    RestartBlink();
    accessibility->CaretChanged();
    emit CaretMoved();
}

void TSynEditWidget::RestartBlink() {
    caretShown = true;
    if (hasFocus())
        blinkTimer.start();
}

// ---- Commands ------------------------------------------------------------------------------

void TSynEditWidget::ExecuteCommand(TSynEditorCommand command, std::string_view text) {
    const bool rowMove = wordWrap && (command == ecUp || command == ecDown || command == ecSelUp ||
                                      command == ecSelDown);
    if (!rowMove)
        rowMoveX = -1;
    switch (command) {
    case ecUp:
    case ecDown:
    case ecSelUp:
    case ecSelDown:
        if (rowMove)
            MoveByRow(command == ecUp || command == ecSelUp ? -1 : 1,
                      command == ecSelUp || command == ecSelDown ? TSynCaretMove::Extend
                                                                 : TSynCaretMove::Collapse);
        else
            engine.ExecuteCommand(command, text);
        break;
    case ecCopy:
        CopyToClipboard();
        break;
    case ecCut:
        CutToClipboard();
        break;
    case ecPaste:
        PasteFromClipboard();
        break;
    case ecContextHelp:
        break;
    default:
        engine.ExecuteCommand(command, text);
        break;
    }
    SyncTopLineFromEngine();
    if (command != ecScrollUp && command != ecScrollDown)
        EnsureCaretVisible();
    viewport()->update(CaretRect());
}

void TSynEditWidget::MoveByRow(int direction, TSynCaretMove move) {
    const BufferPosition caret = engine.Caret();
    LineIndex line = caret.line;
    if (line.Value() >= Lines().Count())
        return;
    const RowSpan span = RowOf(caret);
    if (rowMoveX < 0)
        rowMoveX = XOfColumn(Lines().Get(line), span.from, span.to, caret.column.Value(),
                             engine.TextEncoding(), *metrics);
    int row = span.index + direction;
    if (row < 0) {
        if (line == LineIndex(0))
            return;
        --line;
        row = int(RowStarts(line).size()) - 1;
    } else if (row >= int(RowStarts(line, std::size_t(row) + 1).size())) {
        if (line.Value() + 1 >= Lines().Count())
            return;
        ++line;
        row = 0;
    }
    const std::vector<std::size_t>& starts = RowStarts(line, std::size_t(row) + 1);
    const std::size_t from = starts[std::size_t(row)];
    const std::size_t to =
        std::size_t(row) + 1 < starts.size() ? starts[std::size_t(row) + 1] : SIZE_MAX;
    BufferPosition target{line, ByteColumn(ColumnAtX(Lines().Get(line), from, to, rowMoveX,
                                                     engine.TextEncoding(), *metrics, false))};
    // The end of a wrapped row is the start of the next one: stay on the row aimed at.
    if (to != SIZE_MAX && target.column.Value() >= to)
        target = engine.PreviousCharPosition({line, ByteColumn(to)});
    const qreal keptX = rowMoveX;
    engine.SetCaret(target, move);
    rowMoveX = keptX;
}

void TSynEditWidget::SelectAll() {
    engine.SelectAll();
}

// ---- Painting ------------------------------------------------------------------------------

void TSynEditWidget::paintEvent(QPaintEvent* event) {
    caretUnseen = false;
    QPainter painter(viewport());
    PaintView(painter, event->rect());
}

void TSynEditWidget::PaintView(QPainter& painter, const QRect& area) {
    const int textLeft = TextAreaLeft();
    const QRect textArea =
        QRect(textLeft, 0, viewport()->width() - textLeft, viewport()->height()).intersected(area);
    const TSystemColors system = SystemColorsFromPalette(palette());
    const TSynStyleResolver resolver = StyleResolver(system);
    painter.fillRect(textArea, ToQColor(resolver.TextBackground()));
    std::vector<VisibleRow> rows = VisibleRows();
    if (!rows.empty())
        MakeRangesCurrent(rows.back().row.line);
    const qreal originX = TextOriginX();
    if (!textArea.isEmpty()) {
        painter.save();
        painter.setClipRect(textArea);
        // Amber over the background, light or dark, so that the text stays readable.
        const QColor base = ToQColor(resolver.TextBackground());
        const QColor amber(255, 190, 0);
        const QColor mark = QColor::fromRgbF(base.redF() * 0.55f + amber.redF() * 0.45f,
                                             base.greenF() * 0.55f + amber.greenF() * 0.45f,
                                             base.blueF() * 0.55f + amber.blueF() * 0.45f);
        const TSynPaintStyle style{palette().color(QPalette::HighlightedText),
                                   palette().color(QPalette::Highlight), mark};
        const std::vector<BufferRange> marked =
            marks && !rows.empty()
                ? marks(LineIndex(rows.front().row.line), LineIndex(rows.back().row.line))
                : std::vector<BufferRange>();
        TSynLinePainter linePainter(painter, *metrics, engine.TextEncoding(), style,
                                    PaintingHighlighter(), resolver, scans);
        const qreal clipLeft = textArea.left(), clipRight = textArea.right() + 1;
        for (VisibleRow& row : rows) {
            if (row.top + LineHeight() <= area.top() || row.top > area.bottom())
                continue;
            SkipLeftOfView(row.row, clipLeft - originX);
            linePainter.PaintRow(Lines(), row.row, originX, row.top, clipLeft, clipRight);
            PaintMarks(linePainter, marked, row, originX, clipLeft, clipRight);
            PaintSelection(linePainter, row, originX, clipLeft, clipRight);
            if (row.firstOfLine)
                TrackWidth(row.row.line);
        }
        PaintCaret(painter);
        painter.restore();
        if (linePainter.ScanUnfinished())
            scanContinuation.start();
    }
    if (GutterWidth() > 0)
        PaintGutter(painter, rows, area);
}

void TSynEditWidget::SkipLeftOfView(TSynRow& row, qreal viewLeft) {
    TSynXCheckpoints* points = row.from == 0 ? CheckpointsOf(row.line) : nullptr;
    if (!points || viewLeft <= 0)
        return;
    const TSynXCheckpoints::Point start = points->AtOrBeforeValue(
        viewLeft, XWalk(Lines().Get(row.line), engine.TextEncoding(), *metrics));
    row.paintFrom = start.column;
    row.paintX = start.value;
}

void TSynEditWidget::SetMarks(MarkSource source) {
    marks = std::move(source);
    viewport()->update();
}

std::optional<TSynEditWidget::RowCover> TSynEditWidget::CoverOnRow(const TSynRow& row,
                                                                   BufferRange range) {
    const LineIndex line = row.line;
    if (line < range.begin.line || line > range.end.line)
        return std::nullopt;
    const std::string_view text = Lines().Get(line);
    std::size_t from = line == range.begin.line ? range.begin.column.Value() : 0;
    // A covered line break shows as one blank after the line's last row.
    std::size_t to = line == range.end.line ? range.end.column.Value() : text.size() + 1;
    const bool lastRow = row.to >= text.size();
    from = std::max(from, row.from);
    to = std::min(to, lastRow ? SIZE_MAX : row.to);
    if (to <= from)
        return std::nullopt;
    return RowCover{XInRow(line, row.from, row.to, from), XInRow(line, row.from, row.to, to)};
}

void TSynEditWidget::PaintMarks(TSynLinePainter& painter, const std::vector<BufferRange>& marked,
                                const VisibleRow& visible, qreal originX, qreal clipLeft,
                                qreal clipRight) {
    for (const BufferRange& range : marked)
        if (const auto cover = CoverOnRow(visible.row, range))
            painter.PaintMark(Lines(), visible.row, originX, visible.top, clipLeft, clipRight,
                              originX + cover->left, originX + cover->right);
}

void TSynEditWidget::PaintSelection(TSynLinePainter& painter, const VisibleRow& visible,
                                    qreal originX, qreal clipLeft, qreal clipRight) {
    if (!engine.SelectionAvailable())
        return;
    const TSynRow& row = visible.row;
    const LineIndex line = row.line;
    qreal left, right;
    if (engine.SelectionMode() == TSynSelectionMode::smColumn) {
        const TSynEditEngine::ColumnBlock block = engine.SelectionColumnBlock();
        if (line < block.top || line > block.bottom)
            return;
        left = XOfDisplayColumn(line, row.from, row.to, block.left);
        right = XOfDisplayColumn(line, row.from, row.to, block.right);
    } else {
        const std::optional<RowCover> cover = CoverOnRow(row, engine.SelectionRange());
        if (!cover)
            return;
        left = cover->left;
        right = cover->right;
    }
    painter.PaintSelection(Lines(), row, originX, visible.top, clipLeft, clipRight, originX + left,
                           originX + right);
}

void TSynEditWidget::PaintCaret(QPainter& painter) {
    const QRect caret = CaretRect();
    if (caret.isNull())
        return;
    if (!preedit.isEmpty()) {
        QFont font = metrics->Font();
        font.setUnderline(true);
        const QFontMetrics fm(font);
        const QRect box(caret.left(), caret.top(), fm.horizontalAdvance(preedit), LineHeight());
        painter.fillRect(box, TextBackground());
        painter.setFont(font);
        painter.setPen(ResolvedFontColor());
        painter.drawText(QPoint(caret.left(), caret.top() + metrics->Ascent()), preedit);
        return;
    }
    if (!hasFocus() || !caretShown)
        return;
    if (engine.InsertMode() == TSynInsertMode::Overwrite) {
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.fillRect(caret, Qt::white);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    } else {
        painter.fillRect(caret, ResolvedFontColor());
    }
}

void TSynEditWidget::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    LayoutChanged();
    // A caret placed before the editor had its size (a tab restored or reloaded behind another)
    // was brought into a view of the wrong size: bring it into this one, scrolled no further
    // than it needs.
    if (caretUnseen) {
        SetTopLine(LineIndex(0));
        horizontalScrollBar()->setValue(0);
        EnsureCaretVisible();
    }
}

void TSynEditWidget::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange)
        viewport()->update();
    // A font set through QWidget::setFont counts as SetFont.
    if (event->type() == QEvent::FontChange && font() != editorFont)
        SetFont(font());
}
