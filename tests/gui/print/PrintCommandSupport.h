#pragma once

// What the print command tests share: a filled sheet, a recorder that answers
// message boxes in the user's place, and the text of a PDF page.
#include "core/calc/CalcSheet.h"
#include "gui/widgets/MessageBox.h"

#include <QList>
#include <QString>

#include <memory>

namespace quiren::test {

// A sheet read from one of the example files, recalculated as the window
// shows it.
std::unique_ptr<CalcSheet> ExampleSheet(const QString &name);

// Records every message box and answers it: the answers given in order,
// then Ok / No.
class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    void answer(MsgAnswer next) { m_answers << next; }
    const QList<MessageRequest> &requests() const { return m_requests; }
    bool anyContains(const QString &text) const;

private:
    QList<MessageRequest> m_requests;
    QList<MsgAnswer> m_answers;
};

// The text of a PDF file as pdftotext reads it in content order; empty with
// a notice when the tool is missing.
QString PdfText(const QString &path);
bool HavePdfToText();

} // namespace quiren::test
