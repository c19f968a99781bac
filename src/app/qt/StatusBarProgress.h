#pragma once
// Long operations on big texts (opening, saving, switching views) tell the user how far they
// have come in the status bar and keep the window repainting meanwhile; typing and clicks wait
// until the operation ends. Texts under kBigText pass without a word.

#include "platform/Progress.h"

#include <QPointer>
#include <QString>
#include <functional>

class QLabel;

class StatusBarProgress {
public:
    // action names what happens ("Opening /home/me/big.txt"); label is the status bar's text,
    // given back as it was when the operation ends.
    StatusBarProgress(QLabel* label, QString action);
    ~StatusBarProgress();
    StatusBarProgress(const StatusBarProgress&) = delete;
    StatusBarProgress& operator=(const StatusBarProgress&) = delete;

    // The hook for the core; valid while this object lives.
    const ProgressHook& Hook() const { return hook; }

    // Shows the state and repaints, for a big text (total over kBigText).
    void Report(std::uint64_t done, std::uint64_t total);

    // Runs work on a thread of its own when the text is big, showing the seconds it takes and
    // repainting until it ends; a small text's work runs here at once. The work must not touch
    // widgets. What it throws is thrown here.
    void RunWhileRepainting(std::uint64_t textSize, const std::function<void()>& work);

    // Some operation is showing progress: events that would end or change the window (closing
    // it) must wait.
    static bool Busy() { return showing > 0; }

private:
    void Show(const QString& text);

    QPointer<QLabel> label;
    QString action;
    QString before;
    bool shown = false;
    ProgressHook hook;
    static inline int showing = 0;
};
