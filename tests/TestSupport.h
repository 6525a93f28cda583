#pragma once

#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>

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

// Sets or unsets an environment variable for one test and puts the old value back.
class EnvironmentGuard
{
public:
    EnvironmentGuard(const char* name, std::optional<QByteArray> value) : name_(name)
    {
        if (qEnvironmentVariableIsSet(name)) {
            old_ = qgetenv(name);
        }
        if (value) {
            qputenv(name, *value);
        } else {
            qunsetenv(name);
        }
    }
    ~EnvironmentGuard()
    {
        if (old_) {
            qputenv(name_, *old_);
        } else {
            qunsetenv(name_);
        }
    }

private:
    const char* name_;
    std::optional<QByteArray> old_;
};
