#pragma once
#include <windows.h>

#include <string>

// Binds dialog controls to fields: each call moves one field into its control,
// or, when taking, the control's content back into the field.
class CDataExchange {
public:
    CDataExchange(HWND dialog, bool take) : m_dialog(dialog), m_take(take) {}

    bool Taking() const { return m_take; }

    void Text(int id, std::string& field);
    void Number(int id, int& field);
    void Check(int id, int& field);
    // A group of radio buttons starting at firstId; the field is the index of the checked one.
    void Radio(int firstId, int count, int& field);
    // A hot-key control: virtual-key code and its modifier flags (HOTKEYF_*).
    void HotKey(int id, int& keyCode, int& modifiers);

private:
    HWND m_dialog;
    bool m_take;
};
