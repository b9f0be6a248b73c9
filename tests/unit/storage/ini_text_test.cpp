#include "storage/ini_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace vallora {
namespace {

struct LookupCase {
    const char* name;
    std::string text;
    std::string section;
    std::string key;
    std::string expected;  // with "default" as the default
};

class ReadIniTextValueTest : public ::testing::TestWithParam<LookupCase> {};

TEST_P(ReadIniTextValueTest, FindsTheValue) {
    const LookupCase& c = GetParam();
    EXPECT_EQ(ReadIniTextValue(c.text, c.section, c.key, "default"), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadIniTextValueTest,
    ::testing::Values(
        LookupCase{"LastValueBeforeFinalLineEnd", "[A]\r\nx=1\r\nk=v\r\n", "A", "k", "v"},
        LookupCase{"LastLineWithoutLineEnd", "[A]\r\nk=value", "A", "k", "value"},
        LookupCase{"MissingSection", "[A]\r\nk=v\r\n", "B", "k", "default"},
        LookupCase{"MissingKey", "[A]\r\nk=v\r\n", "A", "j", "default"},
        LookupCase{"EmptyValueIsMissing", "[Desktop]\r\nWidth=\r\n", "Desktop", "Width", "default"},
        LookupCase{"ValueUnchanged", "[A]\r\nk= \"v\" = ;x \r\n", "A", "k", " \"v\" = ;x "},
        LookupCase{"SectionEndsAtNextHeader", "[A]\r\nx=1\r\n[B]\r\nk=2\r\n", "A", "k", "default"},
        LookupCase{"FirstOfTwoSections", "[A]\r\nk=1\r\n[A]\r\nk=2\r\n", "A", "k", "1"},
        LookupCase{"SectionCaseMatters", "[A]\r\nk=v\r\n", "a", "k", "default"},
        LookupCase{"KeyCaseMatters", "[A]\r\nk=v\r\n", "A", "K", "default"},
        LookupCase{"KeyInsideAnEarlierValue", "[P]\r\nDisplayName=Go URL=x\r\nURL=real\r\n", "P",
                   "URL", "real"},
        LookupCase{"KeyOnlyInsideAValue", "[P]\r\nDisplayName=see URL=x\r\n", "P", "URL",
                   "default"},
        LookupCase{"KeyNameEndsAnotherKey", "[P]\r\nHyperLink=1\r\n", "P", "Link", "default"},
        LookupCase{"HeaderInsideAnEarlierValue", "[A]\r\nv=[B]\r\nk=wrong\r\n[B]\r\nk=right\r\n",
                   "B", "k", "right"},
        LookupCase{"HeaderOnlyInsideAValue", "[A]\r\nv=x[B]\r\nk=1\r\n", "B", "k", "default"},
        LookupCase{"BareLineFeedStartsNoLine", "[A]\r\nx=1\nk=2\r\n", "A", "k", "default"},
        LookupCase{"BareLineFeedStaysInValue", "[A]\r\nk=a\nb\rc\r\n", "A", "k", "a\nb\rc"},
        LookupCase{"EmptyText", "", "A", "k", "default"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ParseIniInteger, ReadsDecimalWholeNumbersOf32Bits) {
    const struct {
        const char* text;
        std::optional<int32_t> expected;
    } cases[] = {
        {"0", 0},
        {"15382088", 15382088},
        {"-5", -5},
        {"+7", 7},
        {" 12\t", 12},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"", std::nullopt},
        {"  ", std::nullopt},
        {"2147483648", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"1.5", std::nullopt},
        {"&HFF", std::nullopt},
        {"0x10", std::nullopt},
        {"12a", std::nullopt},
        {"1 2", std::nullopt},
        {"+-1", std::nullopt},
        {"--1", std::nullopt},
        {"+", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseIniInteger(c.text), c.expected) << '"' << c.text << '"';
}

}  // namespace
}  // namespace vallora
