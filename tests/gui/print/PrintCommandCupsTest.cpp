// Printing for real: the sheet goes through the program's print command to
// the system's default printer, a CUPS queue of the virtual PDF printer, and
// the page it writes is read back.
#include "PrintCommandSupport.h"
#include "TestSupport.h"

#include "core/print/PaintSheetDevice.h"
#include "core/print/PdfTextLayer.h"
#include "core/print/SheetDrawing.h"
#include "core/print/SheetPdf.h"
#include "core/settings/AppData.h"
#include "gui/print/PrintCommands.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QThread>

#include <unistd.h>

using namespace quiren;
using namespace quiren::test;

namespace {

const QString Queue = QStringLiteral("QuirenPDF");
constexpr int WaitMs = 30000;

QString findTool(const QString &name)
{
    QString path = QStandardPaths::findExecutable(name);
    if (path.isEmpty())
        path = QStandardPaths::findExecutable(name, {QStringLiteral("/usr/sbin"),
                                                     QStringLiteral("/sbin")});
    return path;
}

// Runs a tool to its end (bounded); its standard output, or nothing on failure.
bool run(const QString &tool, const QStringList &args, QString *output = nullptr,
         int timeoutMs = 15000)
{
    QProcess process;
    process.start(findTool(tool), args);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(2000);
        return false;
    }
    if (output)
        *output = QString::fromUtf8(process.readAllStandardOutput());
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

bool schedulerRunning()
{
    QString out;
    return run(QStringLiteral("lpstat"), {QStringLiteral("-r")}, &out)
        && out.contains(QLatin1String("scheduler is running"));
}

bool waitFor(const std::function<bool()> &condition, int timeoutMs = WaitMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QThread::msleep(250);
    }
    return true;
}

// The CUPS scheduler for the length of the test: the running one, or one
// started here (in the foreground, as our own child) and stopped at the end.
class Scheduler {
public:
    Scheduler()
    {
        if (schedulerRunning())
            return;
        if (findTool(QStringLiteral("cupsd")).isEmpty()) {
            m_problem = QStringLiteral("cupsd is not installed (packages cups and "
                                       "printer-driver-cups-pdf, see scripts/setup)");
            return;
        }
        if (geteuid() != 0) {
            m_problem = QStringLiteral("cupsd is not running and only root can start it");
            return;
        }
        m_own.start(findTool(QStringLiteral("cupsd")), {QStringLiteral("-f")});
        if (!m_own.waitForStarted(5000) || !waitFor(schedulerRunning, 15000))
            m_problem = QStringLiteral("cupsd could not be started: ")
                + QString::fromUtf8(m_own.readAllStandardError()).trimmed();
    }
    ~Scheduler()
    {
        if (m_own.state() == QProcess::NotRunning)
            return;
        m_own.terminate();
        if (!m_own.waitForFinished(10000)) {
            m_own.kill();
            m_own.waitForFinished(2000);
        }
    }
    QString problem() const { return m_problem; }

private:
    QProcess m_own;
    QString m_problem;
};

// The queue of the virtual PDF printer, made the default destination for the
// length of the test (the previous default is given back).
class PdfQueue {
public:
    PdfQueue()
    {
        if (!run(QStringLiteral("lpstat"), {QStringLiteral("-p"), Queue})) {
            QString models;
            run(QStringLiteral("lpinfo"), {QStringLiteral("-m")}, &models, WaitMs);
            QString model;
            for (const QString &line : models.split(QLatin1Char('\n'))) {
                if (line.contains(QLatin1String("CUPS-PDF"), Qt::CaseInsensitive)) {
                    model = line.section(QLatin1Char(' '), 0, 0);
                    if (model.contains(QLatin1String("_opt")))
                        break;
                }
            }
            if (model.isEmpty()) {
                m_problem = QStringLiteral("CUPS lists no CUPS-PDF model (package "
                                           "printer-driver-cups-pdf)");
                return;
            }
            if (!run(QStringLiteral("lpadmin"), {QStringLiteral("-p"), Queue, QStringLiteral("-E"),
                                                 QStringLiteral("-v"), QStringLiteral("cups-pdf:/"),
                                                 QStringLiteral("-m"), model})) {
                m_problem = QStringLiteral("lpadmin could not add the printer ") + Queue;
                return;
            }
        }
        // CUPS turns the page into PostScript for this printer; the cairo
        // renderer is the one that keeps the Japanese text readable in the
        // PDF that comes out.
        run(QStringLiteral("lpadmin"), {QStringLiteral("-p"), Queue, QStringLiteral("-o"),
                                        QStringLiteral("pdftops-renderer-default=pdftocairo")});
        QString current;
        run(QStringLiteral("lpstat"), {QStringLiteral("-d")}, &current);
        if (current.contains(QLatin1Char(':')))
            m_previous = current.section(QLatin1Char(':'), 1).trimmed();
        if (m_previous == Queue)
            m_previous.clear();
        if (!run(QStringLiteral("lpoptions"), {QStringLiteral("-d"), Queue}))
            m_problem = QStringLiteral("lpoptions could not make ") + Queue
                + QStringLiteral(" the default printer");
    }
    ~PdfQueue()
    {
        // Never leave a job behind.
        run(QStringLiteral("cancel"), {QStringLiteral("-a"), Queue});
        if (!m_previous.isEmpty() && !m_previous.contains(QLatin1Char(' ')))
            run(QStringLiteral("lpoptions"), {QStringLiteral("-d"), m_previous});
    }
    QString problem() const { return m_problem; }

private:
    QString m_problem;
    QString m_previous;
};

bool queueEmpty()
{
    QString jobs;
    return run(QStringLiteral("lpstat"), {QStringLiteral("-o"), Queue}, &jobs)
        && jobs.trimmed().isEmpty();
}

// Where the virtual printer puts its files ("Out" of cups-pdf.conf; root's
// jobs, and jobs of unknown users).
QStringList outputFolders()
{
    QStringList folders{QDir::homePath() + QStringLiteral("/PDF"), QStringLiteral("/root/PDF"),
                        QStringLiteral("/var/spool/cups-pdf/ANONYMOUS")};
    const QString user = qEnvironmentVariable("USER");
    if (!user.isEmpty())
        folders << QStringLiteral("/var/spool/cups-pdf/") + user;
    folders.removeDuplicates();
    return folders;
}

QSet<QString> pdfFiles()
{
    QSet<QString> files;
    for (const QString &folder : outputFolders()) {
        const QFileInfoList found = QDir(folder).entryInfoList({QStringLiteral("*.pdf")}, QDir::Files);
        for (const QFileInfo &info : found)
            files.insert(info.absoluteFilePath());
    }
    return files;
}

// The text a page shows in Japanese: everything outside ASCII, blanks
// dropped. (The PostScript step of CUPS loses the text mapping of the
// Latin letters and digits; the Japanese text comes through intact.)
QString JapaneseText(const QString &text)
{
    QString kept;
    for (const QChar c : text)
        if (c.unicode() > 0x7f && !c.isSpace())
            kept += c;
    return kept;
}

} // namespace

TEST(PrintCommandCups, PrintsTheSheetOnTheSystemsPrinter)
{
    if (!HavePdfToText())
        GTEST_SKIP() << "NOTICE: pdftotext (poppler-utils) is missing; the CUPS print test is skipped";
    Scheduler scheduler;
    if (!scheduler.problem().isEmpty())
        GTEST_SKIP() << "NOTICE: no CUPS print test: " << scheduler.problem().toStdString();
    PdfQueue queue;
    if (!queue.problem().isEmpty())
        GTEST_SKIP() << "NOTICE: no CUPS print test: " << queue.problem().toStdString();
    ASSERT_TRUE(waitFor([] { return QPrinterInfo::defaultPrinterName() == Queue; }, 10000))
        << "default printer: " << QPrinterInfo::defaultPrinterName().toStdString();

    const std::unique_ptr<CalcSheet> sheet = ExampleSheet(QStringLiteral("sankai-kyofu.qrn"));
    ASSERT_TRUE(sheet);
    const QSet<QString> before = pdfFiles();

    MessageRecorder messages;
    ASSERT_TRUE(PrintSheetCommand(nullptr, *sheet, QStringLiteral("新規計算書1"),
                                  PaperChoice::A4Portrait));
    ASSERT_EQ(messages.requests().size(), 1);
    EXPECT_EQ(messages.requests().first().text, QStringLiteral("新規計算書1\nを印刷しました。"));

    // The job leaves the queue and the printer's file appears, complete.
    QString page;
    qint64 lastSize = -1;
    const bool written = waitFor([&] {
        if (!queueEmpty())
            return false;
        for (const QString &file : pdfFiles()) {
            if (before.contains(file))
                continue;
            const qint64 size = QFileInfo(file).size();
            if (size > 0 && size == lastSize) {
                page = file;
                return true;
            }
            lastSize = size;
        }
        return false;
    });
    ASSERT_TRUE(written) << "no page from the printer within 30 s (folders: "
                         << outputFolders().join(QStringLiteral(", ")).toStdString() << ")";

    QString info;
    ASSERT_TRUE(run(QStringLiteral("pdfinfo"), {page}, &info));
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));
    EXPECT_TRUE(info.contains(QLatin1String("(A4)")));

    const QString own = makeScratchDir(QStringLiteral("cups")) + QStringLiteral("/own.pdf");
    ASSERT_TRUE(WriteSheetPdf(own, *sheet, ReadSheetSettings(AppData::instance())).ok);
    const QString expected = JapaneseText(PdfText(own));
    ASSERT_FALSE(expected.isEmpty());
    // The printer's text layer keeps the radicals the sheet's PDF mends.
    EXPECT_EQ(JapaneseText(IdeographsForRadicals(PdfText(page), QFont(SheetFontFamily()))), expected);
    QFile::remove(page);
}
