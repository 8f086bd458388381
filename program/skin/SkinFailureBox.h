#pragma once
#include "skin/SkinFailureReport.h"

// A skin script error can't be recovered from: the box captioned "Skin" shows
// where the script failed, then the program ends with exit code 1.
class CSkinFailureBox : public ISkinFailureReport {
public:
    void SkinFailed(const char* message) override;
};
