#pragma once
#include <gtest/gtest.h>

#include <string>

#include "TempFolder.h"

// A fresh folder per test, for tests that write files.
class TempDirTest : public ::testing::Test {
protected:
    std::string PathOf(const std::string& name) const { return m_dir.Path(name); }

    CTempFolder m_dir;
};
