#include "framework/DataExchange.h"

#include <commctrl.h>

#include <cstdlib>

namespace {
constexpr int kTextLimit = 256;
}

void CDataExchange::Text(int id, std::string& field)
{
    HWND control = GetDlgItem(m_dialog, id);
    if (!control)
        return;
    if (!m_take) {
        SetWindowTextA(control, field.c_str());
        return;
    }
    char text[kTextLimit] = "";
    GetWindowTextA(control, text, kTextLimit);
    field = text;
}

void CDataExchange::Number(int id, int& field)
{
    std::string text = std::to_string(field);
    Text(id, text);
    if (m_take && GetDlgItem(m_dialog, id))
        field = std::atoi(text.c_str());
}

void CDataExchange::Check(int id, int& field)
{
    if (m_take)
        field = IsDlgButtonChecked(m_dialog, id) == BST_CHECKED ? 1 : 0;
    else
        CheckDlgButton(m_dialog, id, field ? BST_CHECKED : BST_UNCHECKED);
}

void CDataExchange::Radio(int firstId, int count, int& field)
{
    for (int i = 0; i < count; ++i) {
        if (m_take && IsDlgButtonChecked(m_dialog, firstId + i) == BST_CHECKED)
            field = i;
        else if (!m_take)
            CheckDlgButton(m_dialog, firstId + i, i == field ? BST_CHECKED : BST_UNCHECKED);
    }
}

void CDataExchange::HotKey(int id, int& keyCode, int& modifiers)
{
    if (!m_take) {
        SendDlgItemMessageA(m_dialog, id, HKM_SETHOTKEY, MAKEWORD(keyCode, modifiers), 0);
        return;
    }
    const WORD hotKey = LOWORD(SendDlgItemMessageA(m_dialog, id, HKM_GETHOTKEY, 0, 0));
    keyCode = LOBYTE(hotKey);
    modifiers = HIBYTE(hotKey);
}
