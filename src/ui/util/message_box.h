// Modal message boxes of the three kinds the program uses. Tests replace the handler to answer
// them without a person at the screen.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace wexbo {

// PlainError: a box captioned "Error" with no icon, for errors the image component reports.
enum class MessageKind { Error, Information, Question, PlainError };

// Shows the message; for a question, true means "Yes" (No is the default button). Other kinds
// return true.
bool ShowMessage(QWidget* parent, MessageKind kind, const QString& text);

using MessageHandler = std::function<bool(MessageKind, const QString&)>;
// Replaces the boxes (an empty handler restores them); returns the previous handler.
MessageHandler SetMessageHandler(MessageHandler handler);

}  // namespace wexbo
