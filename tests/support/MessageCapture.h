#pragma once
// Records every message box shown while it is alive, and answers them from a
// queue (or as nobody-present would). A test never blocks on a modal box.

#include "platform/MessageBox.h"

#include <deque>
#include <string>
#include <vector>

struct CapturedMessage {
    std::string text;
    unsigned style;
};

class MessageCapture {
public:
    MessageCapture();
    ~MessageCapture();
    MessageCapture(const MessageCapture&) = delete;
    MessageCapture& operator=(const MessageCapture&) = delete;

    // Queues the answer for the next message box (IDYES, IDNO, ...).
    void answerNext(int answer) { m_answers.push_back(answer); }

    const std::vector<CapturedMessage>& messages() const { return m_messages; }
    bool empty() const { return m_messages.empty(); }
    const CapturedMessage& last() const { return m_messages.back(); }
    void clear() { m_messages.clear(); }

private:
    std::vector<CapturedMessage> m_messages;
    std::deque<int> m_answers;
    platform::MessageHandler m_previous;
};
