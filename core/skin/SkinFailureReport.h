#pragma once

// Where a skin script error goes. The program shows the text in a message box
// captioned "Skin" and ends with exit code 1; tests record it.
class ISkinFailureReport {
public:
    virtual ~ISkinFailureReport() = default;
    // message is "Failed at word '%s' on line %d\n", filled in.
    virtual void SkinFailed(const char* message) = 0;
};
