// Every seed of the fuzz targets and every input that once made one of them
// fail, run through the target's checks: a crash, a sanitizer finding (in
// the sanitizer build) or a failed expectation fails the test.
#include "FuzzSupport.h"

#include "core/documents/CalcFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <stdexcept>
#include <string>

extern "C" {
int Fuzz_calcfile_Init(int *, char ***);
int Fuzz_calcfile_One(const uint8_t *, size_t);
int Fuzz_qrn2_Init(int *, char ***);
int Fuzz_qrn2_One(const uint8_t *, size_t);
int Fuzz_walllist_Init(int *, char ***);
int Fuzz_walllist_One(const uint8_t *, size_t);
int Fuzz_settings_Init(int *, char ***);
int Fuzz_settings_One(const uint8_t *, size_t);
int Fuzz_numbertext_Init(int *, char ***);
int Fuzz_numbertext_One(const uint8_t *, size_t);
}

namespace {

struct Target {
    const char *name;
    int (*init)(int *, char ***);
    int (*one)(const uint8_t *, size_t);
};

class FuzzFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

[[noreturn]] void Throw(const char *message)
{
    throw FuzzFailure(message);
}

// The inputs of a target: its seeds, the inputs kept from its findings and,
// for the calculation file, the example files.
QStringList InputsOf(const QString &name)
{
    const QString source = QStringLiteral(QUIREN_SOURCE_DIR);
    QStringList folders{source + QStringLiteral("/fuzz/seeds/") + name,
                        source + QStringLiteral("/tests/fuzzregress/inputs/") + name};
    if (name == QLatin1String("calcfile"))
        folders << source + QStringLiteral("/examples");
    QStringList files;
    for (const QString &folder : folders) {
        const QDir dir(folder);
        for (const QString &file : dir.entryList(QDir::Files, QDir::Name))
            files << dir.filePath(file);
    }
    return files;
}

void RunTarget(const Target &target)
{
    quiren::fuzz::SetFailureHandler(Throw);
    target.init(nullptr, nullptr);
    const QStringList files = InputsOf(QString::fromLatin1(target.name));
    EXPECT_FALSE(files.isEmpty());
    for (const QString &path : files) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        const QByteArray bytes = file.readAll();
        try {
            target.one(reinterpret_cast<const uint8_t *>(bytes.constData()),
                       static_cast<size_t>(bytes.size()));
        } catch (const FuzzFailure &failure) {
            ADD_FAILURE() << path.toStdString() << ": " << failure.what();
        }
    }
    quiren::fuzz::SetFailureHandler(nullptr);
}

} // namespace

TEST(FuzzRegression, CalcFileReaderApplyAndDrawing)
{
    RunTarget({"calcfile", Fuzz_calcfile_Init, Fuzz_calcfile_One});
}

TEST(FuzzRegression, SheetFileReaderApplyAndConversion)
{
    RunTarget({"qrn2", Fuzz_qrn2_Init, Fuzz_qrn2_One});
}

TEST(FuzzRegression, WallListReaderAndWriter)
{
    RunTarget({"walllist", Fuzz_walllist_Init, Fuzz_walllist_One});
}

TEST(FuzzRegression, SettingsReaders)
{
    RunTarget({"settings", Fuzz_settings_Init, Fuzz_settings_One});
}

TEST(FuzzRegression, NumberTextsAndAfterEdit)
{
    RunTarget({"numbertext", Fuzz_numbertext_Init, Fuzz_numbertext_One});
}

// ---- the findings, one by one -------------------------------------------------

// A CP932 file whose every non-ASCII run is valid UTF-8 too (a level-2 kanji
// followed by a full-width bracket or digit) was read as UTF-8: the file the
// program had just written came back garbled.
TEST(FuzzFindings, ACp932TitleThatIsAlsoValidUtf8ReadsBackAsWritten)
{
    for (const QString &title : {QStringLiteral("髢）"), QStringLiteral("髢２"), QStringLiteral("髢）ABC")}) {
        quiren::CalcFileData data;
        data.titleName = title;
        const quiren::CalcFileBytes bytes = quiren::EncodeCalcFile(data);
        ASSERT_TRUE(bytes.error.isEmpty());
        const std::optional<quiren::CalcFileData> read = quiren::ParseCalcFile(bytes.bytes);
        ASSERT_TRUE(read.has_value());
        EXPECT_EQ(read->titleName, title);
    }
    // A file a UTF-8 editor saved is still read as UTF-8.
    const QByteArray utf8 = QStringLiteral("\"Quiren\"\r\n#FALSE#,#FALSE#,#FALSE#\r\n\"山田邸 増築\",0,0,0,#FALSE#\r\n").toUtf8();
    const std::optional<quiren::CalcFileData> read = quiren::ParseCalcFile(utf8);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->titleName, QStringLiteral("山田邸 増築"));
}
