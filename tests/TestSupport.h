#pragma once

#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

// Points every QSettings of the test process at a fresh temporary directory,
// so tests never see each other's values nor the user's real settings.
class TemporarySettings
{
public:
    TemporarySettings()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.path());
    }
    QString path() const { return dir_.path(); }
    // The file the program's settings live in, for tests that corrupt or inspect it.
    QString file() const
    {
        return dir_.path() + QStringLiteral("/com/quorvane/vantor/Vantor.conf");
    }

private:
    QTemporaryDir dir_;
};
