#pragma once
// A Form seen by the caption loader: Language::ApplyCaptions(FormCaptions(form)).
#include "language/captioned_form.h"
#include "platform/form_win32.h"

namespace vallora {

class FormCaptions : public CaptionedForm {
  public:
    explicit FormCaptions(Form& form) : form_(form) {}

    std::string FormName() const override { return form_.Name(); }
    std::vector<std::string> ControlNames() const override;
    bool SetControlCaption(const std::string& control, const std::string& text) override {
        return form_.SetCaption(control, text);
    }
    void SetFormCaption(const std::string& text) override { form_.SetFormCaption(text); }
    bool SetTabCaption(const std::string& control, int tab, const std::string& text) override {
        return form_.SetTabCaption(control, tab, text);
    }

  private:
    Form& form_;
};

}  // namespace vallora
