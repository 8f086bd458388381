#pragma once
#include <gtest/gtest.h>

#include <string>

#include "SkinTestRecorder.h"
#include "TempDir.h"
#include "skin/Skin.h"

// A fresh folder for scripts, a failure recorder and a fake bitmap loader for
// every test; the process-wide hooks are put back afterwards.
class SkinTest : public TempDirTest {
protected:
    void SetUp() override
    {
        CSkin::SetFailureReport(&failures);
        CSkinBitmapCache::Shared().SetLoader(&bitmaps);
    }
    void TearDown() override
    {
        CSkin::SetFailureReport(nullptr);
        CSkinBitmapCache::Shared().SetLoader(nullptr);
        CSkinBitmapCache::Shared().ReleaseAll();
    }

    // Writes the script as skin.ini (or another name) and returns its path.
    std::string Script(const std::string& text, const std::string& name = "skin.ini")
    {
        const std::string path = PathOf(name);
        WriteBytes(path, text);
        return path;
    }
    bool Load(CSkin& skin, const std::string& text, const char* section = "[Test]")
    {
        return skin.LoadSection(Script(text).c_str(), section);
    }

    CRecordingFailures failures;
    CFakeBitmapLoader bitmaps;
};
