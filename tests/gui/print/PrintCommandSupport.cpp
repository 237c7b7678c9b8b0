#include "PrintCommandSupport.h"

#include "core/documents/CalcFile.h"

#include <QProcess>
#include <QStandardPaths>

namespace quiren::test {

std::unique_ptr<CalcSheet> ExampleSheet(const QString &name)
{
    const CalcFileRead read =
        ReadCalcFile(QStringLiteral(QUIREN_SOURCE_DIR "/examples/") + name);
    if (read.status != CalcFileStatus::Ok)
        return nullptr;
    auto sheet = std::make_unique<CalcSheet>();
    ApplyCalcFile(*sheet, read.data, 51);
    return sheet;
}

MessageRecorder::MessageRecorder()
{
    SetMessageResponder([this](const MessageRequest &request) {
        m_requests << request;
        if (!m_answers.isEmpty())
            return m_answers.takeFirst();
        return request.buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Ok;
    });
}

MessageRecorder::~MessageRecorder()
{
    SetMessageResponder({});
}

bool MessageRecorder::anyContains(const QString &text) const
{
    for (const MessageRequest &request : m_requests)
        if (request.text.contains(text))
            return true;
    return false;
}

bool HavePdfToText()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

QString PdfText(const QString &path)
{
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"),
               {QStringLiteral("-raw"), QStringLiteral("-enc"), QStringLiteral("UTF-8"), path,
                QStringLiteral("-")});
    if (!tool.waitForFinished(30000) || tool.exitCode() != 0)
        return {};
    return QString::fromUtf8(tool.readAllStandardOutput());
}

} // namespace quiren::test
