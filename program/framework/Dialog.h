#pragma once
#include "framework/Window.h"

class CDataExchange;

// A dialog built on a template of the program's resources, run modally (its
// own message loop, the owner disabled meanwhile) or created modeless.
class CDialog : public CWindow {
public:
    explicit CDialog(int templateId) : m_templateId(templateId) {}

    // Runs the dialog until EndDialog; the result, or -1 when it can't be made.
    INT_PTR DoModal(HWND owner);
    // Creates the dialog modeless; it stays hidden unless its template shows it.
    bool Create(HWND owner);
    // Ends a modal run with the result; a modeless dialog is hidden instead.
    void EndDialog(INT_PTR result);

    bool IsDialog() const override { return true; }

    // Hands a queued message to the dialog that hosts its window, for the
    // dialog keys (Tab, Enter, Esc); true when a dialog took it.
    static bool PreTranslate(MSG& msg);

protected:
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // Moves field values into the controls (take = false) or back (take = true).
    virtual void ExchangeData(CDataExchange&) {}
    // A key message for any window of the dialog, before the window has it:
    // true when it was the dialog's own shortcut. Shortcuts act as the key
    // goes down, while the state of Ctrl and the like is that of the key.
    virtual bool OnShortcutKey(const MSG&) { return false; }
    void UpdateData(bool take);

    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnDestroyed() override;

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static bool ReturnsDirectly(UINT message);

    int m_templateId;
    bool m_modal = false;
    bool m_ended = false;
    INT_PTR m_result = 0;
};
