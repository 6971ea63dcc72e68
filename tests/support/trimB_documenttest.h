#pragma once

#include "document/traindata.h"
#include "support/scriptedprompter.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace Orlenda {

// A fresh document, a prompter that answers yes, and a folder for files.
struct DocumentTest : ::testing::Test {
    QTemporaryDir dir;
    TrainData data;
    ScriptedPrompter prompter;
};

} // namespace Orlenda
