// SPDX-License-Identifier: Apache-2.0
#include "support/FakeServices.h"

namespace kestra::test {

void FakeMessageBox::showMessage(const QString& caption, const QString& text)
{
    messages.push_back({caption, text});
    if (onShow)
        onShow(messages.back());
}

QStringList FakeMessageBox::texts() const
{
    QStringList result;
    for (const Message& message : messages)
        result << message.text;
    return result;
}

std::optional<QString> PickerAnswers::next()
{
    ++calls;
    if (answers.empty())
        return std::nullopt;
    std::optional<QString> answer = answers.front();
    answers.pop_front();
    return answer;
}

} // namespace kestra::test
