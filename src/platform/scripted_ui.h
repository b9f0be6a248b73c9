#pragma once
// A UiSeam for tests: answers each question with the next scripted answer and
// records every question asked. A question whose next scripted answer is of
// another kind (or with no answer left) is recorded as unscripted and gets
// the answer that changes nothing: cancel, or for a message box the
// DefaultAnswer of its buttons.
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui_seam.h"

namespace vallora {

enum class Question { OpenFile, SaveFile, ChooseFolder, PickColor, ShowMessage };

struct AskedQuestion {
    Question kind = Question::ShowMessage;
    bool scripted = false;
    FileDialogRequest file{};  // OpenFile, SaveFile
    FolderRequest folder{};    // ChooseFolder
    int32_t initialColor = 0;  // PickColor
    MessageRequest message{};  // ShowMessage
    OwnerWindow owner = 0;
};

// Ok for an OK box, No for Yes/No, Abort for Abort/Retry/Ignore, else Cancel.
MessageResult DefaultAnswer(MessageButtons buttons);

class ScriptedUi : public UiSeam {
  public:
    // Answers, in the order the questions will come; nullopt means "cancel".
    void AnswerOpenFile(std::optional<std::string> path);
    void AnswerSaveFile(std::optional<std::string> path);
    void AnswerFolder(std::optional<std::string> path);
    void AnswerColor(std::optional<int32_t> color);
    void AnswerMessage(MessageResult result);

    // Runs for every question before it is answered (e.g. to look at a form
    // while its modal question is "open").
    void OnQuestion(std::function<void(const AskedQuestion&)> hook) { hook_ = std::move(hook); }

    const std::vector<AskedQuestion>& Asked() const { return asked_; }
    size_t Unanswered() const { return answers_.size(); }
    size_t Unscripted() const;

    std::optional<std::string> OpenFile(const FileDialogRequest& request) override;
    std::optional<std::string> SaveFile(const FileDialogRequest& request) override;
    std::optional<std::string> ChooseFolder(const FolderRequest& request) override;
    std::optional<int32_t> PickColor(OwnerWindow owner, int32_t initial) override;
    MessageResult ShowMessage(const MessageRequest& request) override;

  private:
    struct Answer {
        Question kind;
        std::optional<std::string> path;
        std::optional<int32_t> color;
        MessageResult result = MessageResult::Cancel;
    };
    // Records the question and takes the next answer when it is of that kind.
    std::optional<Answer> Take(AskedQuestion question);

    std::deque<Answer> answers_;
    std::vector<AskedQuestion> asked_;
    std::function<void(const AskedQuestion&)> hook_;
};

}  // namespace vallora
