#include "sound/soundfolder.h"

#include "sound/soundassignment.h"

#include <QDir>
#include <algorithm>

namespace Orlenda {

namespace {

// Code-point order: UTF-16 order but for surrogates, which stand for code
// points above every unit they are compared with.
bool codePointLess(const QString& a, const QString& b) {
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t x = a[i].unicode();
        const char16_t y = b[i].unicode();
        if (x == y)
            continue;
        const bool xs = QChar::isSurrogate(x);
        const bool ys = QChar::isSurrogate(y);
        if (xs != ys)
            return ys;
        return x < y;
    }
    return a.size() < b.size();
}

qsizetype extensionStart(const QString& name) {
    return name.lastIndexOf(QLatin1Char('.'));
}

} // namespace

SoundFolder::SoundFolder(const QString& path) : mPath(path) {
    if (path.isEmpty())
        return;
    // Names only, regular files (and links to them) only: a FIFO is never listed.
    const QStringList names =
        QDir(path).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Unsorted);
    mFiles.reserve(names.size());
    for (const QString& name : names)
        if (isAudioFileName(name))
            mFiles.append(name);
    std::sort(mFiles.begin(), mFiles.end(), codePointLess);
    for (const QString& name : std::as_const(mFiles)) {
        const std::optional<int> n = trailingNumber(name);
        if (!n)
            continue;
        auto it = mDefaults.find(*n);
        // mFiles is in code-point order, so the first of a length wins.
        if (it == mDefaults.end())
            mDefaults.insert(*n, name);
        else if (name.size() < it->size())
            *it = name;
    }
}

bool SoundFolder::contains(const QString& name) const {
    const auto it = std::lower_bound(mFiles.begin(), mFiles.end(), name, codePointLess);
    return it != mFiles.end() && *it == name;
}

QString SoundFolder::filePath(const QString& name) const {
    return QDir(mPath).filePath(name);
}

std::optional<QString> SoundFolder::defaultFile(int number) const {
    const auto it = mDefaults.constFind(number);
    if (it == mDefaults.cend())
        return std::nullopt;
    return *it;
}

bool SoundFolder::isAudioFileName(const QString& name) {
    const qsizetype dot = extensionStart(name);
    if (dot < 0)
        return false;
    const QStringView ext = QStringView(name).mid(dot + 1);
    return ext.compare(u"wav", Qt::CaseInsensitive) == 0 ||
           ext.compare(u"flac", Qt::CaseInsensitive) == 0 ||
           ext.compare(u"ogg", Qt::CaseInsensitive) == 0;
}

std::optional<int> SoundFolder::trailingNumber(const QString& name) {
    qsizetype end = extensionStart(name);
    if (end < 0)
        end = name.size();
    qsizetype start = end;
    while (start > 0 && name[start - 1] >= QLatin1Char('0') && name[start - 1] <= QLatin1Char('9'))
        --start;
    if (start == end)
        return std::nullopt;
    while (start < end - 1 && name[start] == QLatin1Char('0'))
        ++start;
    if (end - start > 5)
        return std::nullopt;
    int n = 0;
    for (qsizetype i = start; i < end; ++i)
        n = n * 10 + (name[i].unicode() - u'0');
    if (n > SoundAssignment::MaxNumber)
        return std::nullopt;
    return n;
}

} // namespace Orlenda
