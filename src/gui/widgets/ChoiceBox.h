#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QWidget;

// A question answered by picking one of a few choices (a list box under the
// text, OK and Cancel). Like ShowMessage, tests answer it through a responder.
namespace quiren {

struct ChoiceRequest {
    QString text;
    QStringList choices;
    int chosen = 0;   // offered first
    QString title;
};

// The index chosen, or nothing when the user cancels.
std::optional<int> AskChoice(QWidget *parent, const ChoiceRequest &request);

using ChoiceResponder = std::function<std::optional<int>(const ChoiceRequest &)>;
void SetChoiceResponder(ChoiceResponder responder);

} // namespace quiren
