#pragma once

#include <QDir>
#include <QString>

// Changes the process's working folder for a test and puts it back after.
class WorkingFolder {
public:
    explicit WorkingFolder(const QString& folder) { QDir::setCurrent(folder); }
    ~WorkingFolder() { QDir::setCurrent(mPrevious); }
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

    void change(const QString& folder) { QDir::setCurrent(folder); }

private:
    QString mPrevious = QDir::currentPath();
};
