#pragma once

#include "TestSupport.h"

#include "core/settings/SettingsStore.h"

#include <gtest/gtest.h>

#include <QSettings>
#include <QString>

// Every test starts from an empty per-user settings folder of its own.
class FreshSettings : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
        configDir = quiren::test::makeScratchDir(QString::fromLatin1(info->test_suite_name())
                                                 + QLatin1Char('_')
                                                 + QString::fromLatin1(info->name()) + "_config");
        quiren::SetSettingsFolder(configDir);
    }

    QString iniPath(const QString &application) const
    {
        return configDir + QLatin1Char('/') + application + QLatin1Char('/') + application
            + QStringLiteral(".ini");
    }

    QString configDir;
};
