#include "MessageCapture.h"

MessageCapture::MessageCapture() {
    m_previous = platform::setMessageHandler([this](const std::string& text, unsigned style) {
        m_messages.push_back({text, style});
        if (m_answers.empty())
            return platform::unattendedAnswer(style);
        const int answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    });
}

MessageCapture::~MessageCapture() {
    platform::setMessageHandler(m_previous);
}
