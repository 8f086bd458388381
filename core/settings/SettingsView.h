#pragma once
#include <string>

class CSettingsRecord;

// The settings dialog as the settings record reaches it: its controls, the
// device list, the hot-key registration and the main window's position.
class ISettingsView {
public:
    virtual ~ISettingsView() = default;

    // The sorted list of usable modem devices.
    virtual int DeviceCount() const = 0;
    virtual void SelectDevice(int position) = 0;
    // -1 when no entry is selected.
    virtual int SelectedDevice() const = 0;
    virtual std::string DeviceText(int position) const = 0;

    // Replaces the program's global hot key; modifiers are registration
    // flags. A key the system refuses is reported to the user and stays
    // unregistered.
    virtual void RegisterHotKey(int keyCode, int modifiers) = 0;

    // Switches labels and controls between Internet (0) and modem (1).
    virtual void ApplyConnectionType(int type) = 0;
    // Shows every field in its control, and takes the controls' contents back.
    virtual void ShowFields(const CSettingsRecord& record) = 0;
    virtual void TakeFields(CSettingsRecord& record) = 0;

    // The main window's current left and top on the screen.
    virtual int WindowLeft() const = 0;
    virtual int WindowTop() const = 0;
};
