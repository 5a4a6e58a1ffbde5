#include "platform/MessageBox.h"

#include <cstdio>

namespace platform {
namespace {

int writeToStandardError(const std::string& text, unsigned style) {
    std::fputs(text.c_str(), stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
    return unattendedAnswer(style);
}

MessageHandler& currentHandler() {
    static MessageHandler handler = writeToStandardError;
    return handler;
}

} // namespace

MessageHandler setMessageHandler(MessageHandler handler) {
    MessageHandler previous = currentHandler();
    currentHandler() = handler ? std::move(handler) : MessageHandler(writeToStandardError);
    return previous;
}

int unattendedAnswer(unsigned style) {
    switch (style & MB_TYPEMASK) {
    case MB_YESNO:
        return IDNO;
    case MB_YESNOCANCEL:
    case MB_OKCANCEL:
        return IDCANCEL;
    default:
        return IDOK;
    }
}

int showMessage(const std::string& text, unsigned style) {
    // Copy first: a handler may replace itself while it runs.
    MessageHandler handler = currentHandler();
    return handler(text, style);
}

} // namespace platform

int AfxMessageBox(const std::string& text, unsigned style) {
    return platform::showMessage(text, style);
}
