// What the desktop's own MIME database makes of the association. The
// database reads its folders once per process (and again only after some
// seconds), so each step runs in a child process of this test program.
#include "TestSupport.h"

#include "core/shell/FileAssociation.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>

using namespace quiren;

namespace {

constexpr char CaseVariable[] = "QUIREN_ASSOCIATION_CASE";
constexpr char DataHomeVariable[] = "QUIREN_ASSOCIATION_DATA_HOME";

// Runs the child step `name` with $XDG_DATA_HOME at `dataHome`.
void RunStep(const QString &name, const QString &dataHome)
{
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(CaseVariable, name);
    env.insert(DataHomeVariable, dataHome);
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {"--gtest_filter=FileAssociationStep." + name});
    ASSERT_TRUE(child.waitForFinished(60000)) << name.toStdString();
    const QByteArray output = child.readAll();
    EXPECT_EQ(child.exitCode(), 0) << output.constData();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.constData();
}

// In a child: true when this is the step to run, with $XDG_DATA_HOME set.
bool IsStep(const char *name)
{
    if (qgetenv(CaseVariable) != name)
        return false;
    qputenv("XDG_DATA_HOME", qgetenv(DataHomeVariable));
    return true;
}

void WriteForeignPackage(const QString &dataHome)
{
    const QString path = dataHome + "/mime/packages/other-qrn.xml";
    QDir().mkpath(QFileInfo(path).absolutePath());
    test::writeAll(path, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                         "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                         "  <mime-type type=\"application/x-other-qrn\">\n"
                         "    <comment>Other</comment>\n"
                         "    <glob pattern=\"*.qrn\"/>\n"
                         "  </mime-type>\n"
                         "</mime-info>\n");
}

} // namespace

TEST(FileAssociationDesktop, AnotherProgramsTypeIsLeftAlone)
{
    const QString dataHome = test::makeScratchDir("foreign");
    WriteForeignPackage(dataHome);
    RunStep("Register", dataHome);
    EXPECT_FALSE(QFileInfo::exists(dataHome + "/mime/packages/quiren-qrn.xml"));
    EXPECT_FALSE(QFileInfo::exists(dataHome + "/applications/quiren.desktop"));
    RunStep("LookUpForeign", dataHome);
}

TEST(FileAssociationDesktop, TheRecordedTypeIsKnownToTheDesktop)
{
    const QString dataHome = test::makeScratchDir("recorded");
    RunStep("Register", dataHome);
    EXPECT_TRUE(QFileInfo::exists(dataHome + "/mime/packages/quiren-qrn.xml"));
    RunStep("LookUpOurs", dataHome);
}

// ---- Child steps (skipped when run directly) -----------------------------------

TEST(FileAssociationStep, Register)
{
    if (!IsStep("Register"))
        GTEST_SKIP();
    RegisterFileType("/usr/bin/quiren");
}

TEST(FileAssociationStep, LookUpOurs)
{
    if (!IsStep("LookUpOurs"))
        GTEST_SKIP();
    const QMimeType type = QMimeDatabase().mimeTypeForFile("plan.qrn", QMimeDatabase::MatchExtension);
    EXPECT_EQ(type.name(), "application/x-kxcalclationfile");
    EXPECT_EQ(type.comment(), "KX Calculation File");
    EXPECT_EQ(RegGetString(HkeyClassesRoot, ".qrn", {}), "KXcalclationFile");
}

TEST(FileAssociationStep, LookUpForeign)
{
    if (!IsStep("LookUpForeign"))
        GTEST_SKIP();
    EXPECT_EQ(RegGetString(HkeyClassesRoot, ".qrn", {}), "application/x-other-qrn");
    EXPECT_EQ(QMimeDatabase().mimeTypeForFile("plan.qrn", QMimeDatabase::MatchExtension).name(),
              "application/x-other-qrn");
}
