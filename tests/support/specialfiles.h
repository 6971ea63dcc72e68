#pragma once

// Files that are not regular files, made in a test's folder.

#include <QFile>
#include <QString>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

namespace Orlenda {

inline QString makeFifo(const QString& path) {
    ::mkfifo(QFile::encodeName(path).constData(), 0644);
    return path;
}

// A bound socket stays as a file after its descriptor is closed.
inline QString makeSocket(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, name.constData(), sizeof address.sun_path - 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    ::close(fd);
    return path;
}

} // namespace Orlenda
