#include "p4p/p4p_selection.hpp"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "failure_message.hpp"
#include "fields.hpp"
#include "platform/places.hpp"
#include "scripted_console.hpp"

namespace korvaline {
namespace {

const std::string kOfferAbc = "\n Is THIS P4P FILE CORRECT? [ abc1.p4p <Y/N> ]:\n";
const std::string kRequest = "\n NOW INPUT A NEW P4P FILE:\n";
const std::string kNotFound = "\n P4P FILE NOT EXISTING, INPUT ANOTHER FILE:\n";

struct Selection {
    std::string p4p_name;  // all 20 characters
    std::string output;
};

Selection select(const std::string& base_name, const std::string& typed,
                 const std::set<std::string>& existing) {
    SetupRecord record;
    if (!base_name.empty()) {
        record.run(1).present.assign("T");
        record.run(1).base_name.assign(base_name);
    }
    ScriptedConsole scripted(typed, existing);
    select_p4p_file(record, scripted.console, scripted.exists());
    return {std::string(record.p4p_name.text()), scripted.output()};
}

TEST(P4pSelectionTest, AnswersToTheOffer) {
    const struct {
        std::string typed;
        std::string p4p_name;
        std::string output;
    } cases[] = {
        {"Y\n", "abc1.p4p", kOfferAbc},
        {"yes please\n", "abc1.p4p", kOfferAbc},
        {"y\r\n", "abc1.p4p", kOfferAbc},
        {"N\nother.p4p\n", "other.p4p", kOfferAbc + kRequest},
        {"n\nother.p4p   \n", "other.p4p", kOfferAbc + kRequest},
        {"\nother.p4p\n", "other.p4p", kOfferAbc + kRequest},
        {" y\nother.p4p\n", "other.p4p", kOfferAbc + kRequest},
        {"N\n\nmissing\nother.p4p\n", "other.p4p", kOfferAbc + kRequest + kNotFound + kNotFound},
        {"N\n other.p4p\nother.p4p\n", "other.p4p", kOfferAbc + kRequest + kNotFound},
        {"N\nother.p4pxxxxxxxxxxxxxxxxxxxxxxxx\nother.p4p\n", "other.p4p",
         kOfferAbc + kRequest + kNotFound},
    };
    for (const auto& c : cases) {
        const Selection selection = select("abc1", c.typed, {"abc1.p4p", "other.p4p"});
        EXPECT_EQ(selection.p4p_name, pad(c.p4p_name, 20)) << "typed '" << c.typed << "'";
        EXPECT_EQ(selection.output, c.output) << "typed '" << c.typed << "'";
    }
}

TEST(P4pSelectionTest, DefaultNameIsCutAtTwentyButOfferedWhole) {
    const struct {
        std::string base_name;
        std::string stored;
    } cases[] = {
        {"abcdefghijklmno1", "abcdefghijklmno1.p4p"},
        {"abcdefghijklmnop1", "abcdefghijklmnop1.p4"},
        {"abcdefghijklmnopqrst", "abcdefghijklmnopqrst"},
    };
    for (const auto& c : cases) {
        const Selection selection = select(c.base_name, "y\n", {c.stored});
        EXPECT_EQ(selection.p4p_name, c.stored);
        EXPECT_EQ(selection.output,
                  "\n Is THIS P4P FILE CORRECT? [ " + c.base_name + ".p4p <Y/N> ]:\n");
    }
}

TEST(P4pSelectionTest, AcceptedDefaultMustExistToo) {
    const Selection selection = select("abc1", "y\nother.p4p\n", {"other.p4p"});
    EXPECT_EQ(selection.p4p_name, pad("other.p4p", 20));
    EXPECT_EQ(selection.output, kOfferAbc + kNotFound);
}

TEST(P4pSelectionTest, WithoutRunOneOnlyTheExistenceLoopAsks) {
    const Selection selection = select("", "other.p4p\n", {"other.p4p"});
    EXPECT_EQ(selection.p4p_name, pad("other.p4p", 20));
    EXPECT_EQ(selection.output, kNotFound);
}

TEST(P4pSelectionTest, EndOfInputAtEachQuestionIsAFailure) {
    const struct {
        std::string typed;
        std::string message;
    } cases[] = {
        {"", "standard input ended while waiting for the answer to the P4P file offer"},
        {"n\n", "standard input ended while waiting for a new P4P file name"},
        {"n\nmissing\n",
         "standard input ended while waiting for another P4P file name; missing "
         "does not exist in " +
             current_directory()},
        {"y\n",
         "standard input ended while waiting for another P4P file name; abc1.p4p "
         "does not exist in " +
             current_directory()},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(failure_message([&] { select("abc1", c.typed, {}); }), c.message)
            << "typed '" << c.typed << "'";
    }
}

}  // namespace
}  // namespace korvaline
