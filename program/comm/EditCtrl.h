#pragma once
#include <windows.h>

#include <string>

#include "framework/Control.h"
#include "trace/LocalClock.h"
#include "trace/TraceLog.h"

// The performance counter, for the trace's timings.
class CPerformanceCounter : public ICounterSource {
public:
    int64_t Count() const override;
    int64_t Frequency() const override;
};

// The trace window: a dialog's multi-line edit that shows the numbered, timed
// lines of a CTraceLog and lets the log keep its own file beside it.
//
// Lines reach the screen in batches, once a second: an edit control lays out
// its whole text again on every change (under Wine some 5 ms a kilobyte of
// data lines), and a line at a time slowed a long order's exchange tenfold.
// An exchange over TCP is over within the second and shows its response
// without waiting for that; a slow or failing one is watched as it goes. The
// log file gets every line at once.
class CEditCtrl : public CControl, public ITraceScreen {
public:
    CEditCtrl();

    // Takes over the dialog's edit control and makes room for the trace.
    bool Attach(HWND dialog, int id);

    CTraceLog& Log() { return m_log; }
    // From now on lines go only to the log file, and what waits for the
    // screen is dropped.
    void StopShowing();

    // ITraceScreen
    void AppendText(const std::string& text) override;
    void RemoveFront(size_t count) override;

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void ShowPending();

    std::string m_pending;
    CPerformanceCounter m_counter;
    CSystemLocalClock m_clock;
    CTraceLog m_log;
};
