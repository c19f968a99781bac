#pragma once
// Private to the engine's source files: the scopes every public engine call runs in.

#include "codeedit/SynEditEngine.h"

#include <string_view>
#include <vector>

// Holds back notifications until the outermost public call returns, so callbacks see a
// finished state and fire once.
class TSynEditEngine::OperationScope {
public:
    explicit OperationScope(TSynEditEngine& engine) : engine(engine) { ++engine.operationDepth; }
    ~OperationScope() {
        if (--engine.operationDepth == 0)
            engine.FlushNotifications();
    }
    OperationScope(const OperationScope&) = delete;
    OperationScope& operator=(const OperationScope&) = delete;

private:
    TSynEditEngine& engine;
};

// Marks list changes as the engine's own and reports them as one change record.
class TSynEditEngine::OwnEditScope {
public:
    explicit OwnEditScope(TSynEditEngine& engine) : engine(engine) {
        ++engine.ownEditDepth;
        engine.lines.BeginUpdate();
    }
    ~OwnEditScope() {
        engine.lines.EndUpdate();
        --engine.ownEditDepth;
    }
    OwnEditScope(const OwnEditScope&) = delete;
    OwnEditScope& operator=(const OwnEditScope&) = delete;

private:
    TSynEditEngine& engine;
};

// One undoable edit: collects the steps made through Replace and records them as one undo
// entry (of `kind`) when it ends, with the selection from before and after.
class TSynEditEngine::EditTransaction {
public:
    explicit EditTransaction(TSynEditEngine& engine)
        : engine(engine), before(engine.CurrentSelectionState()), scope(engine) {}
    ~EditTransaction();
    EditTransaction(const EditTransaction&) = delete;
    EditTransaction& operator=(const EditTransaction&) = delete;

    // Replaces [begin, end) with text ('\n' between lines), which the undo step keeps; returns
    // the end of the new text.
    BufferPosition Replace(BufferPosition begin, BufferPosition end, std::string text);
    bool Changed() const { return !steps.empty(); }

    TSynUndoKind kind = TSynUndoKind::Edit;

private:
    TSynEditEngine& engine;
    TSynSelectionState before;
    std::vector<TSynEditStep> steps;
    OwnEditScope scope;
};
