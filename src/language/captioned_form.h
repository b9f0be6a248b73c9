#pragma once
// A form as the caption loader sees it: its name, its controls by name in
// the order of the form's control list, and the captions it can take.
#include <string>
#include <vector>

namespace vallora {

class CaptionedForm {
  public:
    virtual ~CaptionedForm() = default;
    virtual std::string FormName() const = 0;
    virtual std::vector<std::string> ControlNames() const = 0;
    // False when there is no such control or it carries no caption.
    virtual bool SetControlCaption(const std::string& control, const std::string& text) = 0;
    virtual void SetFormCaption(const std::string& text) = 0;
    // Tab `tab` (from 1) of a tab-strip control; false when there is none.
    virtual bool SetTabCaption(const std::string& control, int tab, const std::string& text) = 0;
};

}  // namespace vallora
