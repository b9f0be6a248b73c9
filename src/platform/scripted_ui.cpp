#include "platform/scripted_ui.h"

#include <algorithm>
#include <utility>

namespace vallora {

MessageResult DefaultAnswer(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::Ok:
            return MessageResult::Ok;
        case MessageButtons::YesNo:
            return MessageResult::No;
        case MessageButtons::AbortRetryIgnore:
            return MessageResult::Abort;
        case MessageButtons::OkCancel:
        case MessageButtons::YesNoCancel:
        case MessageButtons::RetryCancel:
            return MessageResult::Cancel;
    }
    return MessageResult::Cancel;
}

void ScriptedUi::AnswerOpenFile(std::optional<std::string> path) {
    answers_.push_back({Question::OpenFile, std::move(path), std::nullopt});
}

void ScriptedUi::AnswerSaveFile(std::optional<std::string> path) {
    answers_.push_back({Question::SaveFile, std::move(path), std::nullopt});
}

void ScriptedUi::AnswerFolder(std::optional<std::string> path) {
    answers_.push_back({Question::ChooseFolder, std::move(path), std::nullopt});
}

void ScriptedUi::AnswerColor(std::optional<int32_t> color) {
    answers_.push_back({Question::PickColor, std::nullopt, color});
}

void ScriptedUi::AnswerMessage(MessageResult result) {
    answers_.push_back({Question::ShowMessage, std::nullopt, std::nullopt, result});
}

size_t ScriptedUi::Unscripted() const {
    return static_cast<size_t>(std::count_if(asked_.begin(), asked_.end(),
                                             [](const AskedQuestion& q) { return !q.scripted; }));
}

std::optional<ScriptedUi::Answer> ScriptedUi::Take(AskedQuestion question) {
    std::optional<Answer> answer;
    if (!answers_.empty() && answers_.front().kind == question.kind) {
        answer = std::move(answers_.front());
        answers_.pop_front();
    }
    question.scripted = answer.has_value();
    asked_.push_back(std::move(question));
    if (hook_) {
        AskedQuestion copy = asked_.back();  // the hook may ask again and grow asked_
        hook_(copy);
    }
    return answer;
}

std::optional<std::string> ScriptedUi::OpenFile(const FileDialogRequest& request) {
    AskedQuestion question;
    question.kind = Question::OpenFile;
    question.file = request;
    question.owner = request.owner;
    auto answer = Take(std::move(question));
    return answer ? answer->path : std::nullopt;
}

std::optional<std::string> ScriptedUi::SaveFile(const FileDialogRequest& request) {
    AskedQuestion question;
    question.kind = Question::SaveFile;
    question.file = request;
    question.owner = request.owner;
    auto answer = Take(std::move(question));
    return answer ? answer->path : std::nullopt;
}

std::optional<std::string> ScriptedUi::ChooseFolder(const FolderRequest& request) {
    AskedQuestion question;
    question.kind = Question::ChooseFolder;
    question.folder = request;
    question.owner = request.owner;
    auto answer = Take(std::move(question));
    return answer ? answer->path : std::nullopt;
}

std::optional<int32_t> ScriptedUi::PickColor(OwnerWindow owner, int32_t initial) {
    AskedQuestion question;
    question.kind = Question::PickColor;
    question.initialColor = initial;
    question.owner = owner;
    auto answer = Take(std::move(question));
    return answer ? answer->color : std::nullopt;
}

MessageResult ScriptedUi::ShowMessage(const MessageRequest& request) {
    AskedQuestion question;
    question.kind = Question::ShowMessage;
    question.message = request;
    question.owner = request.owner;
    auto answer = Take(std::move(question));
    return answer ? answer->result : DefaultAnswer(request.buttons);
}

}  // namespace vallora
