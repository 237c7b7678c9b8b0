// The calculation files in examples/ are what the program writes for the
// example sheets, byte for byte. With QUIREN_WRITE_EXAMPLES=<folder> the
// files are (re)written there instead.
#include "ExampleSheets.h"
#include "TestSupport.h"

#include "core/documents/CalcFile.h"

#include <gtest/gtest.h>

#include <QDir>

using namespace quiren;

TEST(Examples, CommittedFilesAreWhatTheWriterProduces)
{
    const QString target = qEnvironmentVariable("QUIREN_WRITE_EXAMPLES");
    const QString folder = QStringLiteral(QUIREN_SOURCE_DIR "/examples");
    for (const test::ExampleSheet &example : test::ExampleSheets()) {
        SCOPED_TRACE(example.fileName.toStdString());
        if (!target.isEmpty()) {
            QDir().mkpath(target);
            const WriteResult written = WriteCalcFile(target + QLatin1Char('/') + example.fileName, *example.sheet);
            ASSERT_TRUE(written.ok) << written.error.toStdString();
            continue;
        }
        const CalcFileBytes bytes = EncodeCalcFile(CalcFileDataOf(*example.sheet));
        ASSERT_TRUE(bytes.error.isEmpty());
        EXPECT_EQ(bytes.bytes, test::readAll(folder + QLatin1Char('/') + example.fileName));
    }
}
