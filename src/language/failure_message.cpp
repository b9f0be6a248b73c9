#include "language/failure_message.h"

#include <utility>

#include "language/messages.h"
#include "platform/version.h"

namespace vallora {

MessageRequest FailureMessage(OwnerWindow owner, std::string text) {
    MessageRequest request;
    request.owner = owner;
    request.text = std::move(text);
    request.title = VALLORA_PRODUCT_NAME;
    request.buttons = MessageButtons::Ok;
    request.icon = MessageIcon::Critical;
    return request;
}

MessageRequest WriteFailureMessage(const Language& language, OwnerWindow owner,
                                   const std::string& systemError) {
    return FailureMessage(owner, language.Message(kMsgErrorsOccoured) + "\r\n" + systemError);
}

}  // namespace vallora
