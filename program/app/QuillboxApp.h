#pragma once

class CQuillboxDlg;

// The application: one copy only, the program's folder as the working folder,
// and the main window run modally inside the crash guard for the program's life.
class CQuillboxApp {
public:
    // The start-up steps; FALSE in every case, as nothing runs after the main window.
    int InitInstance();

    CQuillboxDlg* MainWindow() const { return m_mainWindow; }

private:
    void RunGuarded();

    CQuillboxDlg* m_mainWindow = nullptr;
};

extern CQuillboxApp theApp;
