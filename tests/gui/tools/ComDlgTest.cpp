// The file dialog object: its type list, where it opens, the proposed name,
// and what comes back on OK and on Cancel, through the test seam and
// through the real dialog.
#include "gui/shell/Startup.h"
#include "gui/tools/ComDlg.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace quiren {
namespace {

const QString QrnFilter = QStringLiteral("筋違計算ﾌｧｲﾙ (*.qrn)|*.qrn");

TEST(ComDlg, TheFilterBecomesOneTypeEntryPerPair)
{
    EXPECT_EQ(clsComDlg::NameFilters(QrnFilter), QStringList{QStringLiteral("筋違計算ﾌｧｲﾙ (*.qrn)")});
    EXPECT_EQ(clsComDlg::NameFilters(QStringLiteral("PDF|*.pdf")), QStringList{QStringLiteral("PDF (*.pdf)")});
    EXPECT_EQ(clsComDlg::NameFilters(QStringLiteral("Text|*.txt;*.csv|All (*.*)|*.*|dangling")),
              (QStringList{QStringLiteral("Text (*.txt *.csv)"), QStringLiteral("All (*.*)")}));
    EXPECT_TRUE(clsComDlg::NameFilters(QString()).isEmpty());
}

class ComDlgSeamTest : public ::testing::Test {
protected:
    void TearDown() override { SetFileDialogResponder({}); }

    std::vector<FileDialogRequest> requests;
    QString answer;

    void answerWith(const QString &path)
    {
        answer = path;
        SetFileDialogResponder([this](const FileDialogRequest &request) {
            requests.push_back(request);
            return answer;
        });
    }
};

TEST_F(ComDlgSeamTest, CancelLeavesTheNameEmpty)
{
    answerWith(QString());
    clsComDlg dialog;
    dialog.Filter = QrnFilter;
    dialog.Flags = OFN_HIDEREADONLY;
    dialog.FileName = QStringLiteral("Untitled.qrn");
    dialog.setAction(ComDlgOpen);
    EXPECT_TRUE(dialog.FileName.isEmpty());
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].action, ComDlgOpen);
    EXPECT_EQ(requests[0].flags, OFN_HIDEREADONLY);
    EXPECT_EQ(requests[0].nameFilters, QStringList{QStringLiteral("筋違計算ﾌｧｲﾙ (*.qrn)")});

    // A value that is neither Open nor Save As shows nothing.
    dialog.FileName = QStringLiteral("x.qrn");
    dialog.setAction(3);
    EXPECT_TRUE(dialog.FileName.isEmpty());
    EXPECT_EQ(requests.size(), 1u);
}

TEST_F(ComDlgSeamTest, TheDialogOpensWhereTheProposalOrTheLastChoicePoints)
{
    const QString folder = test::makeScratchDir(QStringLiteral("comdlg-seam"));
    clsComDlg dialog;
    dialog.Filter = QrnFilter;

    // A bare proposal before anything was chosen: the current folder.
    answerWith(folder + QStringLiteral("/ABC.qrn"));
    dialog.FileName = QStringLiteral("ABC.qrn");
    dialog.setAction(ComDlgSaveAs);
    EXPECT_EQ(dialog.FileName, folder + QStringLiteral("/ABC.qrn"));
    EXPECT_EQ(requests.back().proposedName, QStringLiteral("ABC.qrn"));
    EXPECT_EQ(requests.back().startFolder, QDir::currentPath());

    // After a choice, a bare proposal opens in the folder chosen last; a
    // relative answer is taken there.
    answerWith(QStringLiteral("Second.qrn"));
    dialog.FileName = QStringLiteral("Untitled.qrn");
    dialog.setAction(ComDlgSaveAs);
    EXPECT_EQ(requests.back().startFolder, folder);
    EXPECT_EQ(dialog.FileName, folder + QStringLiteral("/Second.qrn"));

    // A full path opens its own folder.
    answerWith(QString());
    dialog.FileName = QStringLiteral("/usr/share/x.qrn");
    dialog.setAction(ComDlgSaveAs);
    EXPECT_EQ(requests.back().startFolder, QStringLiteral("/usr/share"));
    EXPECT_TRUE(dialog.FileName.isEmpty());
}

TEST(ComDlg, OneObjectServesTheWholeRun)
{
    EXPECT_EQ(&CommonDialog(), &CommonDialog());
}

// The real dialog, answered by a timer once it is up.
class RealDialogTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { InstallJapaneseTranslations(*qApp); }

    // Runs `answer` on the file dialog as soon as it is shown; any question
    // box that appears on top of it is recorded and closed.
    void whenShown(std::function<void(QFileDialog *)> answer)
    {
        auto *poll = new QTimer(qApp);
        poll->setInterval(20);
        QObject::connect(poll, &QTimer::timeout, [this, poll, answer] {
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                questions << box->text();
                box->reject();
                return;
            }
            auto *dialog = qobject_cast<QFileDialog *>(modal);
            if (!dialog || handled)
                return;
            handled = true;
            seenTitle = dialog->windowTitle();
            seenFilters = dialog->nameFilters();
            seenDirectory = dialog->directory().absolutePath();
            if (auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
                seenName = name->text();
            seenNoOverwriteQuestion = dialog->testOption(QFileDialog::DontConfirmOverwrite);
            answer(dialog);
        });
        poll->start();
        timers << poll;
    }

    void TearDown() override
    {
        qDeleteAll(timers);
    }

    QList<QTimer *> timers;
    bool handled = false;
    QString seenTitle;
    QStringList seenFilters;
    QString seenDirectory;
    QString seenName;
    bool seenNoOverwriteQuestion = false;
    QStringList questions;
};

TEST_F(RealDialogTest, SaveAsShowsTheProposedNameAndReplacesWithoutAsking)
{
    const QString folder = test::makeScratchDir(QStringLiteral("comdlg-real"));
    const QString existing = folder + QStringLiteral("/Untitled.qrn");
    test::writeAll(existing, "old");

    whenShown([](QFileDialog *dialog) { static_cast<QDialog *>(dialog)->accept(); });
    clsComDlg dialog;
    dialog.Filter = QrnFilter;
    dialog.FileName = existing;
    dialog.setAction(ComDlgSaveAs);

    EXPECT_TRUE(handled);
    EXPECT_EQ(seenFilters, QStringList{QStringLiteral("筋違計算ﾌｧｲﾙ (*.qrn)")});
    EXPECT_EQ(seenDirectory, folder);
    EXPECT_EQ(seenName, QStringLiteral("Untitled.qrn"));
    EXPECT_TRUE(seenNoOverwriteQuestion);
    EXPECT_TRUE(questions.isEmpty()) << questions.join(QLatin1Char('\n')).toStdString();
    // Qt's own Japanese title, as the platform dialog would have.
    EXPECT_EQ(seenTitle, QStringLiteral("名前を付けて保存"));
    EXPECT_EQ(dialog.FileName, existing);
}

TEST_F(RealDialogTest, CancelInTheOpenDialogGivesAnEmptyName)
{
    whenShown([](QFileDialog *dialog) { dialog->reject(); });
    clsComDlg dialog;
    dialog.Filter = QrnFilter;
    dialog.Flags = OFN_HIDEREADONLY;
    dialog.DialogTitle = QStringLiteral("ファイルを選ぶ");
    dialog.setAction(ComDlgOpen);
    EXPECT_TRUE(handled);
    EXPECT_EQ(seenTitle, QStringLiteral("ファイルを選ぶ"));
    EXPECT_TRUE(dialog.FileName.isEmpty());
}

TEST_F(RealDialogTest, ANameTypedWithDoubleQuotesIsTakenAsTyped)
{
    // Qt's dialog would read `計算 "q" 1.qrn` as the list of names `q`.
    // (No file "q" in the folder: the dialog's completion would select it
    // and, while the name box has no focus, write "q" into the box.)
    const QString folder = test::makeScratchDir(QStringLiteral("comdlg-quotes"));
    const QString typed = QStringLiteral("計算 \"q\" 1.qrn");
    whenShown([&typed](QFileDialog *dialog) {
        dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(typed);
        static_cast<QDialog *>(dialog)->accept();
    });
    clsComDlg dialog;
    dialog.FileName = folder + QStringLiteral("/Untitled.qrn");
    dialog.setAction(ComDlgSaveAs);
    EXPECT_EQ(dialog.FileName.toStdString(), (folder + QLatin1Char('/') + typed).toStdString());
}

// Files opened in a folder while the dialog lists it, as inotify reports
// them: a file that never answers (a kernel log under /proc) would freeze
// the program if the dialog opened it to guess its type.
TEST_F(RealDialogTest, ListingAFolderOpensNoneOfItsFiles)
{
    const QString folder = test::makeScratchDir(QStringLiteral("comdlg-listing"));
    for (const char *name : {"plain", "notes.unknown-type", "sheet.qrn"})
        test::writeAll(folder + QLatin1Char('/') + QLatin1String(name), "#!/bin/sh\n%PDF-1.4\n");
    const QByteArray fifo = QFile::encodeName(folder + QStringLiteral("/pipe"));
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    // Should the dialog wait on the FIFO, a writer set free by a watchdog
    // lets it go on, and the test fails instead of hanging.
    std::atomic<bool> done{false};
    std::thread watchdog([&done, fifo] {
        for (int i = 0; i < 300 && !done; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (!done) {
            const int fd = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
        }
    });

    const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    ASSERT_GE(::inotify_add_watch(watch, QFile::encodeName(folder).constData(), IN_OPEN), 0);
    QStringList opened;
    whenShown([&opened, watch](QFileDialog *dialog) {
        dialog->setViewMode(QFileDialog::Detail);   // the type column too
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 1500)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        alignas(inotify_event) char buffer[4096];
        for (ssize_t n; (n = ::read(watch, buffer, sizeof buffer)) > 0;) {
            for (char *at = buffer; at < buffer + n;) {
                const auto *event = reinterpret_cast<const inotify_event *>(at);
                if (event->len > 0)
                    opened << QString::fromUtf8(event->name);
                at += sizeof(inotify_event) + event->len;
            }
        }
        dialog->reject();
    });
    clsComDlg dialog;
    dialog.FileName = folder + QStringLiteral("/new.qrn");
    dialog.setAction(ComDlgSaveAs);
    done = true;
    watchdog.join();
    ::close(watch);
    EXPECT_TRUE(handled);
    EXPECT_TRUE(opened.isEmpty()) << opened.join(QLatin1Char(' ')).toStdString();
}

} // namespace
} // namespace quiren
