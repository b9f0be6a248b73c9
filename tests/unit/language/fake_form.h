#pragma once
// A form in memory: controls by name with their captions, some of which
// (text boxes, picture boxes, timers) take no caption.
#include <map>
#include <string>
#include <vector>

#include "language/captioned_form.h"

namespace vallora::testing {

class FakeForm : public CaptionedForm {
  public:
    struct Control {
        std::string name;
        bool hasCaption = true;
        std::string caption{};
    };

    FakeForm(std::string name, std::vector<Control> controls, int tabs = 0)
        : name_(std::move(name)), controls_(std::move(controls)), tabs_(tabs, "") {}

    std::string FormName() const override { return name_; }
    std::vector<std::string> ControlNames() const override {
        std::vector<std::string> names;
        for (const Control& c : controls_) names.push_back(c.name);
        return names;
    }
    bool SetControlCaption(const std::string& control, const std::string& text) override {
        for (Control& c : controls_) {
            if (c.name == control && c.hasCaption) {
                c.caption = text;
                ++captionsSet;
                return true;
            }
        }
        return false;
    }
    void SetFormCaption(const std::string& text) override { caption = text; }
    bool SetTabCaption(const std::string& control, int tab, const std::string& text) override {
        if (control != "TabStrip" || tab < 1 || tab > static_cast<int>(tabs_.size())) return false;
        tabs_[tab - 1] = text;
        return true;
    }

    std::string Caption(const std::string& control) const {
        for (const Control& c : controls_) {
            if (c.name == control) return c.caption;
        }
        return "<no control>";
    }
    const std::vector<std::string>& Tabs() const { return tabs_; }

    std::string caption = "Design caption";
    int captionsSet = 0;

  private:
    std::string name_;
    std::vector<Control> controls_;
    std::vector<std::string> tabs_;
};

}  // namespace vallora::testing
