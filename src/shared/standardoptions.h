#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace Orlenda {

// "orlenda 1.5.0": the program's name and version, as --version prints it.
QString versionLine(const QString& program);

// What a program prints for --help or --version, which every program answers
// before anything else; none when neither is among the arguments. usage is the
// program's own usage text, to which the two options are added.
std::optional<QString> standardOptionReply(const QStringList& arguments, const QString& program,
                                           const QString& usage);

} // namespace Orlenda
