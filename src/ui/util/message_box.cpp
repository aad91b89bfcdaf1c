#include "util/message_box.h"

#include <QApplication>
#include <QMessageBox>

#include "app/program_identity.h"

namespace wexbo {

namespace {
MessageHandler& Handler() {
    static MessageHandler handler;
    return handler;
}
}  // namespace

bool ShowMessage(QWidget* parent, MessageKind kind, const QString& text) {
    if (Handler()) return Handler()(kind, text);
    const QString title = QString::fromUtf8(kProgramTitle);
    switch (kind) {
        case MessageKind::Error:
            QMessageBox::critical(parent, title, text);
            return true;
        case MessageKind::Information:
            QMessageBox::information(parent, title, text);
            return true;
        case MessageKind::PlainError: {
            QMessageBox box(QMessageBox::NoIcon, "Error", text, QMessageBox::Ok, parent);
            box.exec();
            return true;
        }
        case MessageKind::Question:
            // Every question of the program asks before something is deleted: Enter answers No.
            return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No,
                                         QMessageBox::No) == QMessageBox::Yes;
    }
    return true;
}

MessageHandler SetMessageHandler(MessageHandler handler) {
    MessageHandler previous = std::move(Handler());
    Handler() = std::move(handler);
    return previous;
}

}  // namespace wexbo
