#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace Orlenda {

// The program's name and the version the build gives, as --version prints them.
QString versionLine(const QString& program);

// What a program prints for --help or --version, which every program answers
// before anything else; none when neither is among the arguments. usage is the
// program's own usage text, to which the two options are added.
std::optional<QString> standardOptionReply(const QStringList& arguments, const QString& program,
                                           const QString& usage);

} // namespace Orlenda
