#pragma once

#include <QString>
#include <QStringList>

namespace Orlenda {

// Runs orlenda-cli's commands in this process; returns the exit status and,
// when asked, what they printed to standard error and standard output.
int runCliForTest(const QStringList& args, QString* errText = nullptr, QString* outText = nullptr);

} // namespace Orlenda
