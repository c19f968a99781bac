#pragma once
// A fresh temporary folder per test for the settings files.

#include "support/TemporaryFolderTest.h"

using SettingsTestFolder = TemporaryFolderTest;
